#include "row_parser.h"

#include "cell_text.h"
#include "shared_strings.h"
#include "workbook_problem.h"
#include "xml_scanner.h"
#include "zip_archive.h"

#include <algorithm>
#include <charconv>

namespace zolt::workbook {

namespace {

enum CellType { Number, Shared, Boolean, Escaped, AsWritten };

CellType typeOf(QByteArrayView t)
{
    if (t.isEmpty())
        return Number;
    if (t.size() == 1) {
        switch (t[0]) {
        case 'n': return Number;
        case 's': return Shared;
        case 'b': return Boolean;
        default: return AsWritten;
        }
    }
    if (t == "str" || t == "inlineStr")
        return Escaped;
    return AsWritten;  // "e" (#N/A, #DIV/0!, ...) and "d" (an ISO 8601 date) as written
}

// The last row of a dimension ("A1:N50001", "A1"), 0 when it names none.
int lastRowOf(QByteArrayView dimension)
{
    CellReference last;
    const QByteArrayView reference = dimension.sliced(dimension.lastIndexOf(':') + 1);
    return ParseCellReference(reference, last) ? last.row : 0;
}

constexpr int RowsPerBatch = 256;
constexpr qsizetype TextPerBatch = 1 << 20;

// Cells listed out of column order: by column, the last of a column winning.
void sortCells(std::vector<RowBatch::Cell> &cells, qsizetype first)
{
    const auto begin = cells.begin() + first;
    std::stable_sort(begin, cells.end(), [](const auto &a, const auto &b) { return a.column < b.column; });
    auto out = begin;
    for (auto it = begin; it != cells.end(); ++it) {
        if (std::next(it) != cells.end() && std::next(it)->column == it->column)
            continue;
        *out++ = *it;
    }
    cells.erase(out, cells.end());
}

}  // namespace

void CellBudget::refuse() const
{
    Fail(QStringLiteral("it holds more than %L1 cells, the most a workbook may hold here").arg(m_limit));
}

RowParser::RowParser(std::unique_ptr<PartStream> part, const SharedStrings &strings, int lastColumn,
                     CellBudget &budget)
    : m_part(std::move(part)), m_xml(std::make_unique<XmlScanner>(*m_part)), m_strings(strings),
      m_lastColumn(lastColumn), m_budget(budget)
{
    // Up to the rows, with the dimension on the way.
    for (auto token = m_xml->next(); token != XmlScanner::EndOfDocument; token = m_xml->next()) {
        if (token != XmlScanner::StartElement)
            continue;
        if (m_xml->isNamed("dimension"))
            m_announcedRows = lastRowOf(m_xml->attribute("ref"));
        else if (m_xml->isNamed("sheetData"))
            return;
    }
    m_rowsEnded = true;
}

RowParser::~RowParser() = default;

bool RowParser::fill(RowBatch &batch, const std::function<bool()> &stopping)
{
    while (!m_rowsEnded) {
        if (stopping())
            return false;
        if (readRow(batch) && (batch.rows.size() >= RowsPerBatch || batch.textSize >= TextPerBatch))
            return true;
    }
    // The rest of the part, for its checks.
    while (m_xml->next() != XmlScanner::EndOfDocument) {
    }
    return false;
}

bool RowParser::readRow(RowBatch &batch)
{
    for (;;) {
        if (m_xml->next() != XmlScanner::StartElement) {
            m_rowsEnded = true;  // the end of <sheetData>
            return false;
        }
        if (m_xml->isNamed("row")) {
            parseRow(batch);
            return true;
        }
        m_xml->skipElement();
    }
}

// Rows and cells without a reference follow the one before them.
void RowParser::parseRow(RowBatch &batch)
{
    const QByteArrayView number = m_xml->attribute("r");
    int row = m_rowNumber + 1;
    if (!number.isEmpty()) {
        const auto result = std::from_chars(number.data(), number.data() + number.size(), row);
        if (result.ec != std::errc() || result.ptr != number.data() + number.size())
            row = 0;
    }
    if (row < 1 || row > MaxSheetRows)
        Fail(QStringLiteral("the row number \"%1\" is out of range").arg(QString::fromUtf8(number)));
    if (row <= m_rowNumber)
        Fail(QStringLiteral("row %1 follows row %2: the rows are out of order").arg(row).arg(m_rowNumber));
    m_rowNumber = row;
    m_column = 0;
    m_cellsInRow = 0;
    const qsizetype firstCell = m_firstCell = qsizetype(batch.cells.size());
    bool ordered = true;
    for (auto token = m_xml->next(); token == XmlScanner::StartElement; token = m_xml->next()) {
        if (m_xml->isNamed("c"))
            readCell(batch, ordered);
        else
            m_xml->skipElement();
    }
    if (!ordered)
        sortCells(batch.cells, firstCell);
    batch.rows.push_back({row, firstCell, qsizetype(batch.cells.size()) - firstCell});
}

void RowParser::readCell(RowBatch &batch, bool &ordered)
{
    const QByteArrayView reference = m_xml->attribute("r");
    CellReference position{m_column + 1, m_rowNumber};
    if (!reference.isEmpty() && !ParseCellReference(reference, position))
        Fail(QStringLiteral("the cell reference \"%1\" is not valid").arg(QString::fromUtf8(reference)));
    if (position.column > MaxSheetColumns)
        Fail(QStringLiteral("a cell lies beyond the last column of a sheet"));
    if (position.row != 0 && position.row != m_rowNumber)
        Fail(QStringLiteral("the cell %1 is listed under row %2").arg(QString::fromUtf8(reference)).arg(m_rowNumber));
    if (++m_cellsInRow > MaxSheetColumns)
        Fail(QStringLiteral("row %1 holds more cells than a sheet has columns").arg(m_rowNumber));
    m_budget.take();
    m_column = position.column;
    const CellType type = typeOf(m_xml->attribute("t"));

    m_value.resize(0);
    m_inline.resize(0);
    for (auto token = m_xml->next(); token == XmlScanner::StartElement; token = m_xml->next()) {
        if (m_xml->isNamed("v"))
            m_xml->appendElementText(m_value, MaxCellTextBytes);
        else if (m_xml->isNamed("is"))
            AppendStringItem(*m_xml, m_inline);
        else
            m_xml->skipElement();  // the formula, extensions
    }
    const bool kept = m_column <= m_lastColumn;
    const QByteArrayView value = cellValue(type, kept);
    if (!kept || value.isEmpty())
        return;
    const qsizetype start = batch.textSize;
    appendText(batch, value);
    if (qsizetype(batch.cells.size()) > m_firstCell && batch.cells.back().column >= m_column)
        ordered = false;
    batch.cells.push_back({m_column, start, batch.textSize - start});
}

void RowParser::appendText(RowBatch &batch, QByteArrayView utf8)
{
    // UTF-16 never takes more units than UTF-8 takes bytes.
    std::vector<char16_t> &text = batch.text;
    qsizetype &size = batch.textSize;
    if (size + utf8.size() > qsizetype(text.size()))
        text.resize(size_t(std::max(2 * size, size + utf8.size())));
    char16_t *out = text.data() + size;
    // Most texts are ASCII, which widens as it is.
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const uchar byte = uchar(utf8[i]);
        if (byte >= 0x80) {
            const QChar *end = m_toUtf16.appendToBuffer(reinterpret_cast<QChar *>(out), utf8);
            size = reinterpret_cast<const char16_t *>(end) - text.data();
            return;
        }
        out[i] = byte;
    }
    size += utf8.size();
}

QByteArrayView RowParser::cellValue(int type, bool textWanted)
{
    if (!m_inline.isEmpty())
        return m_inline;
    if (m_value.isEmpty())
        return {};
    switch (type) {
    case Number:
        if (!textWanted)
            return {};
        m_scratch.resize(0);
        AppendNumberCellText(m_value, m_scratch);
        return m_scratch;
    case Shared: {
        const QByteArrayView digits = QByteArrayView(m_value).trimmed();
        qsizetype index = -1;
        const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), index);
        if (result.ec != std::errc() || result.ptr != digits.data() + digits.size() || index < 0
            || index >= m_strings.size())
            Fail(QStringLiteral("a cell refers to shared string %1, which does not exist")
                     .arg(QString::fromUtf8(m_value)));
        return m_strings.at(index);
    }
    case Boolean: {
        // As a spreadsheet program shows a boolean cell.
        const QByteArrayView value = QByteArrayView(m_value).trimmed();
        if (value == "1")
            return "TRUE";
        if (value == "0")
            return "FALSE";
        return value;
    }
    case Escaped:
        DecodeEscapedCharacters(m_value);
        return m_value;
    default:
        return m_value;
    }
}

}  // namespace zolt::workbook
