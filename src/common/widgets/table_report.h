#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

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
// has a header (the title, the page number, the date and time of printing,
// the column headings); after the last row come the footer lines (a caption
// and its value each), a rule and the closing line.
class TableReport {
public:
    TableReport(const QString &title, const QList<ReportColumn> &columns);

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
    int paintRow(QPainter &painter, const Geometry &g, const QStringList &cells, int top) const;
    int paintFooter(QPainter &painter, const Geometry &g, int top) const;
    int footerHeight(const Geometry &g) const;

    QString m_title;
    QList<ReportColumn> m_columns;
    std::vector<QStringList> m_rows;
    QList<QPair<QString, QString>> m_footer;
    QString m_closingLine;
    int m_footerColumn = 0;
};

}  // namespace zolt
