#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

class QFontMetrics;
class QPainter;
class QPrinter;

namespace zolt {

struct ReportColumn {
    QString heading;
    int widthInChars = 10;
    bool alignRight = false;
};

// A printed list: rows under column headings, drawn as text and lines on
// the pages of a printer or a PDF, so it stays sharp at any zoom. Every page
// has a header (the title, the subtitle naming what is listed, the page
// number, the date and time of printing, the column headings); after the
// last row come the footer lines (a caption and its value each), a rule and
// the closing line. Pages are landscape with margins of 12 mm.
class TableReport {
public:
    TableReport(const QString &title, const QList<ReportColumn> &columns);

    void setSubtitle(const QString &subtitle) { m_subtitle = subtitle; }

    void addRow(const QStringList &cells);
    // Footer values stand right-aligned under the given column.
    void addFooterLine(const QString &caption, const QString &value);
    void setFooterColumn(int column) { m_footerColumn = column; }
    void setClosingLine(const QString &line) { m_closingLine = line; }

    qsizetype rowCount() const { return qsizetype(m_rows.size()); }

    // Paints every page, landscape; false when the printer cannot start.
    bool print(QPrinter &printer, const QDateTime &printedAt) const;

private:
    struct Geometry;
    Geometry measure(QPainter &painter) const;
    void paintHeader(QPainter &painter, const Geometry &g, int page, const QDateTime &printedAt) const;
    int rowHeight(const QFontMetrics &metrics, const Geometry &g, const QStringList &cells) const;
    int paintRow(QPainter &painter, const Geometry &g, const QStringList &cells, int top, int height) const;
    int paintFooter(QPainter &painter, const Geometry &g, int top) const;
    int footerHeight(const Geometry &g) const;

    QString m_title;
    QString m_subtitle;
    QList<ReportColumn> m_columns;
    std::vector<QStringList> m_rows;
    QList<QPair<QString, QString>> m_footer;
    QString m_closingLine;
    int m_footerColumn = 0;
};

// Prints a report to the default printer without a dialog; on a machine
// without one it is saved as documentName + ".pdf" in pdfFolder. Answers what
// a screen's message line says: `printed` ("Report Printed!"), or where the
// PDF went. Throws ZoltError when the printout cannot be made or saved.
QString PrintReport(const TableReport &report, const QString &documentName, const QString &pdfFolder,
                    const QString &printed = QStringLiteral("Report Printed!"));

}  // namespace zolt
