#include "table_report.h"

#include "print_output.h"
#include "common/clock.h"
#include "common/errors.h"

#include <QDir>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

namespace zolt {

// Where things go on a page, in the painter's units.
struct TableReport::Geometry {
    QRect page;
    int lineHeight = 0;
    int gap = 0;           // between columns
    int headerHeight = 0;  // title lines and headings, with their rule
    int headingLines = 1;
    std::vector<int> left;   // of each column
    std::vector<int> width;  // of each column
};

TableReport::TableReport(const QString &title, const QList<ReportColumn> &columns)
    : m_title(title), m_columns(columns)
{
}

void TableReport::addRow(const QStringList &cells)
{
    m_rows.push_back(cells);
}

void TableReport::addFooterLine(const QString &caption, const QString &value)
{
    m_footer.append({caption, value});
}

TableReport::Geometry TableReport::measure(QPainter &painter) const
{
    Geometry g;
    g.page = painter.viewport();
    const QFontMetrics metrics = painter.fontMetrics();
    g.lineHeight = metrics.lineSpacing();
    g.gap = metrics.averageCharWidth();
    int chars = 0;
    for (const ReportColumn &c : m_columns)
        chars += c.widthInChars;
    const int usable = g.page.width() - g.gap * int(m_columns.size() - 1);
    int x = g.page.left();
    for (const ReportColumn &c : m_columns) {
        const int w = chars > 0 ? usable * c.widthInChars / chars : 0;
        g.left.push_back(x);
        g.width.push_back(w);
        x += w + g.gap;
        // A heading wraps within its column.
        const QRect needed = metrics.boundingRect(QRect(0, 0, w, 10 * g.lineHeight), Qt::TextWordWrap, c.heading);
        g.headingLines = std::max(g.headingLines, (needed.height() + g.lineHeight - 1) / g.lineHeight);
    }
    g.headerHeight = g.lineHeight * (4 + g.headingLines) + g.lineHeight / 2;
    return g;
}

void TableReport::paintHeader(QPainter &painter, const Geometry &g, int page, const QDateTime &printedAt) const
{
    const QRect line(g.page.left(), g.page.top(), g.page.width(), g.lineHeight);
    QFont title = painter.font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.5);
    painter.save();
    painter.setFont(title);
    painter.drawText(line.adjusted(0, 0, 0, g.lineHeight), Qt::AlignLeft | Qt::AlignVCenter, m_title);
    painter.restore();
    painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Page %1").arg(page));
    painter.drawText(line.translated(0, g.lineHeight), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Date: ") + printedAt.date().toString(QStringLiteral("yyyy-MM-dd")));
    painter.drawText(line.translated(0, 2 * g.lineHeight), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Time: ") + printedAt.time().toString(QStringLiteral("HH:mm:ss")));
    painter.drawText(line.translated(0, 2 * g.lineHeight).adjusted(0, 0, -g.page.width() / 4, 0),
                     Qt::AlignLeft | Qt::AlignVCenter, m_subtitle);
    const int top = g.page.top() + 3 * g.lineHeight;
    QFont bold = painter.font();
    bold.setBold(true);
    painter.save();
    painter.setFont(bold);
    for (size_t c = 0; c < g.left.size(); ++c) {
        const QRect cell(g.left[c], top, g.width[c], g.headingLines * g.lineHeight);
        const int align = m_columns[qsizetype(c)].alignRight ? Qt::AlignRight : Qt::AlignLeft;
        painter.drawText(cell, align | Qt::AlignBottom | Qt::TextWordWrap, m_columns[qsizetype(c)].heading);
    }
    painter.restore();
    const int rule = top + g.headingLines * g.lineHeight + g.lineHeight / 4;
    painter.drawLine(g.page.left(), rule, g.page.right(), rule);
}

// A row is as tall as its longest cell: a text wider than its column wraps
// onto further lines rather than losing its end.
int TableReport::rowHeight(const QFontMetrics &metrics, const Geometry &g, const QStringList &cells) const
{
    int height = g.lineHeight;
    for (size_t c = 0; c < g.width.size() && qsizetype(c) < cells.size(); ++c) {
        const QRect needed = metrics.boundingRect(QRect(0, 0, g.width[c], 1000 * g.lineHeight), Qt::TextWordWrap,
                                                  cells[qsizetype(c)]);
        height = std::max(height, needed.height());
    }
    return height;
}

int TableReport::paintRow(QPainter &painter, const Geometry &g, const QStringList &cells, int top, int height) const
{
    for (size_t c = 0; c < g.left.size() && qsizetype(c) < cells.size(); ++c) {
        const QRect cell(g.left[c], top, g.width[c], height);
        const int align = m_columns[qsizetype(c)].alignRight ? Qt::AlignRight : Qt::AlignLeft;
        painter.drawText(cell, align | Qt::AlignTop | Qt::TextWordWrap, cells[qsizetype(c)]);
    }
    return top + height;
}

int TableReport::footerHeight(const Geometry &g) const
{
    return g.lineHeight * (int(m_footer.size()) + 3);
}

int TableReport::paintFooter(QPainter &painter, const Geometry &g, int top) const
{
    top += g.lineHeight / 2;
    QFont bold = painter.font();
    bold.setBold(true);
    painter.save();
    painter.setFont(bold);
    const size_t column = std::min(size_t(std::max(m_footerColumn, 0)), g.left.size() - 1);
    const int valueRight = g.left.empty() ? g.page.right() : g.left[column] + g.width[column];
    for (const auto &[caption, value] : m_footer) {
        const QRect line(g.page.left(), top, valueRight - g.page.left(), g.lineHeight);
        painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, caption);
        painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, value);
        top += g.lineHeight;
    }
    painter.restore();
    top += g.lineHeight / 2;
    painter.drawLine(g.page.left(), top, g.page.right(), top);
    top += g.lineHeight / 2;
    painter.drawText(QRect(g.page.left(), top, g.page.width(), g.lineHeight), Qt::AlignHCenter | Qt::AlignVCenter,
                     m_closingLine);
    return top + g.lineHeight;
}

bool TableReport::print(QPrinter &printer, const QDateTime &printedAt) const
{
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8);
    painter.setFont(font);
    const Geometry g = measure(painter);
    const int bottom = g.page.bottom();
    int page = 1;
    paintHeader(painter, g, page, printedAt);
    int top = g.page.top() + g.headerHeight;
    const QFontMetrics metrics = painter.fontMetrics();
    for (const QStringList &row : m_rows) {
        const int height = rowHeight(metrics, g, row);
        if (top + height > bottom) {
            printer.newPage();
            paintHeader(painter, g, ++page, printedAt);
            top = g.page.top() + g.headerHeight;
        }
        top = paintRow(painter, g, row, top, height);
    }
    if (top + footerHeight(g) > bottom) {
        printer.newPage();
        paintHeader(painter, g, ++page, printedAt);
        top = g.page.top() + g.headerHeight;
    }
    paintFooter(painter, g, top);
    painter.end();
    return true;
}

QString PrintReport(const TableReport &report, const QString &documentName, const QString &pdfFolder,
                    const QString &printed)
{
    PrintOutput output(documentName, pdfFolder);
    if (!report.print(output.printer(), Now()))
        throw ZoltError(ErrorNumber::FileAccess, QStringLiteral("The printer could not start the report."));
    output.finish();
    if (output.toPdf())
        return QStringLiteral("There is no printer: the report was saved as %1")
            .arg(QDir::toNativeSeparators(output.pdfPath()));
    return printed;
}

}  // namespace zolt
