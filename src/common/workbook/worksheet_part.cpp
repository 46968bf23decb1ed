#include "worksheet_part.h"

#include "cell_text.h"
#include "workbook_problem.h"
#include "xml_scanner.h"
#include "zip_archive.h"

#include <charconv>

namespace zolt::workbook {

namespace {

class WorksheetParser {
public:
    WorksheetParser(XmlScanner &xml, const SharedStrings &sharedStrings, SheetCells &cells)
        : m_xml(xml), m_sharedStrings(sharedStrings), m_cells(cells)
    {
    }

    void read()
    {
        for (auto token = m_xml.next(); token != XmlScanner::EndOfDocument; token = m_xml.next()) {
            if (token == XmlScanner::StartElement && m_xml.name() == "sheetData")
                readChildren("row", &WorksheetParser::readRow);
        }
    }

private:
    // Calls read for each child element of this name, passes over the others,
    // and stops on the parent's end.
    void readChildren(QByteArrayView name, void (WorksheetParser::*readChild)())
    {
        for (auto token = m_xml.next(); token == XmlScanner::StartElement; token = m_xml.next()) {
            if (m_xml.name() == name)
                (this->*readChild)();
            else
                m_xml.skipElement();
        }
    }

    // Rows and cells without a reference follow the one before them.
    void readRow()
    {
        const QByteArrayView number = m_xml.attribute("r");
        int row = m_row + 1;
        if (!number.isEmpty()) {
            const auto result = std::from_chars(number.data(), number.data() + number.size(), row);
            if (result.ec != std::errc() || result.ptr != number.data() + number.size())
                row = 0;
        }
        if (row < 1 || row > MaxSheetRows)
            Fail(QStringLiteral("the row number \"%1\" is out of range").arg(QString::fromUtf8(number)));
        m_row = row;
        m_column = 0;
        readChildren("c", &WorksheetParser::readCell);
    }

    void readCell()
    {
        const QByteArrayView reference = m_xml.attribute("r");
        CellReference position{m_column + 1, m_row};
        if (!reference.isEmpty() && !ParseCellReference(reference, position))
            Fail(QStringLiteral("the cell reference \"%1\" is not valid").arg(QString::fromUtf8(reference)));
        if (position.row == 0)
            position.row = m_row;
        if (position.column > MaxSheetColumns)
            Fail(QStringLiteral("a cell lies beyond the last column of a sheet"));
        m_column = position.column;

        const QByteArray type = m_xml.attribute("t").toByteArray();
        QByteArray stored;
        QString inlineText;
        for (auto token = m_xml.next(); token == XmlScanner::StartElement; token = m_xml.next()) {
            if (m_xml.name() == "v")
                stored = m_xml.readElementBytes();
            else if (m_xml.name() == "is")
                inlineText = ReadStringItem(m_xml);
            else
                m_xml.skipElement();  // the formula, extensions
        }
        const QString text = inlineText.isEmpty() ? cellText(type, stored) : inlineText;
        if (text.isEmpty())
            return;
        if (m_cells.cellCount() >= MaxSheetCells)
            Fail(QStringLiteral("a sheet holds more than %1 cells").arg(MaxSheetCells));
        m_cells.set(position.row, position.column, text);
    }

    QString cellText(QByteArrayView type, const QByteArray &stored) const
    {
        if (stored.isEmpty())
            return QString();
        if (type.isEmpty() || type == "n")
            return NumberCellText(stored);
        if (type == "s")
            return sharedString(stored);
        if (type == "b")
            return booleanText(stored);
        if (type == "str" || type == "inlineStr")
            return DecodeEscapedCharacters(QString::fromUtf8(stored));
        return QString::fromUtf8(stored);  // "e" (#N/A, #DIV/0!, ...) and "d" (an ISO 8601 date) as written
    }

    QString sharedString(QByteArrayView stored) const
    {
        const QByteArrayView digits = stored.trimmed();
        qsizetype index = -1;
        const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), index);
        if (result.ec != std::errc() || result.ptr != digits.data() + digits.size() || index < 0
            || index >= qsizetype(m_sharedStrings.size()))
            Fail(QStringLiteral("a cell refers to shared string %1, which does not exist").arg(QString::fromUtf8(stored)));
        return m_sharedStrings[size_t(index)];
    }

    // As a spreadsheet program shows a boolean cell.
    static QString booleanText(QByteArrayView stored)
    {
        const QByteArrayView value = stored.trimmed();
        if (value == "1")
            return QStringLiteral("TRUE");
        if (value == "0")
            return QStringLiteral("FALSE");
        return QString::fromUtf8(value);
    }

    XmlScanner &m_xml;
    const SharedStrings &m_sharedStrings;
    SheetCells &m_cells;
    int m_row = 0;
    int m_column = 0;
};

}  // namespace

SheetCells ReadWorksheet(const ZipArchive &archive, const QString &partName, const SharedStrings &sharedStrings)
{
    SheetCells cells;
    XmlScanner xml(archive.read(partName), partName);
    WorksheetParser(xml, sharedStrings, cells).read();
    return cells;
}

}  // namespace zolt::workbook
