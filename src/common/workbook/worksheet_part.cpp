#include "worksheet_part.h"

#include "cell_text.h"
#include "workbook_problem.h"
#include "xml_part.h"

namespace zolt::workbook {

namespace {

class WorksheetParser {
public:
    WorksheetParser(QXmlStreamReader &xml, const SharedStrings &sharedStrings, SheetCells &cells)
        : m_xml(xml), m_sharedStrings(sharedStrings), m_cells(cells)
    {
    }

    void read()
    {
        while (!m_xml.atEnd()) {
            if (m_xml.readNext() == QXmlStreamReader::StartElement && m_xml.name() == QLatin1String("sheetData"))
                readSheetData();
        }
    }

private:
    void readSheetData()
    {
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("row"))
                readRow();
            else
                m_xml.skipCurrentElement();
        }
    }

    // Rows and cells without a reference follow the one before them.
    void readRow()
    {
        const QStringView number = m_xml.attributes().value(QLatin1String("r"));
        const int row = number.isEmpty() ? m_lastRow + 1 : number.toInt();
        if (row < 1 || row > MaxSheetRows)
            Fail(QStringLiteral("a row number (%1) is out of range").arg(number.isEmpty() ? QString::number(row) : number.toString()));
        m_lastRow = row;
        m_lastColumn = 0;
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("c"))
                readCell(row);
            else
                m_xml.skipCurrentElement();
        }
    }

    void readCell(int row)
    {
        const QXmlStreamAttributes attributes = m_xml.attributes();
        const QStringView reference = attributes.value(QLatin1String("r"));
        CellReference position{m_lastColumn + 1, row};
        if (!reference.isEmpty() && !ParseCellReference(reference, position))
            Fail(QStringLiteral("the cell reference \"%1\" is not valid").arg(reference.toString()));
        if (position.row == 0)
            position.row = row;
        if (position.column > MaxSheetColumns)
            Fail(QStringLiteral("a cell lies beyond the last column of a sheet"));
        m_lastColumn = position.column;

        const QString type = attributes.value(QLatin1String("t")).toString();
        QString stored;
        QString inlineText;
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("v"))
                stored = m_xml.readElementText();
            else if (m_xml.name() == QLatin1String("is"))
                inlineText = ReadStringItem(m_xml);
            else
                m_xml.skipCurrentElement();  // the formula, extensions
        }
        const QString text = inlineText.isEmpty() ? cellText(type, stored) : inlineText;
        if (text.isEmpty())
            return;
        if (m_cells.cellCount() >= MaxSheetCells)
            Fail(QStringLiteral("a sheet holds more than %1 cells").arg(MaxSheetCells));
        m_cells.set(position.row, position.column, text);
    }

    QString cellText(const QString &type, const QString &stored) const
    {
        if (stored.isEmpty())
            return stored;
        if (type.isEmpty() || type == QLatin1String("n"))
            return NumberCellText(stored);
        if (type == QLatin1String("s"))
            return sharedString(stored);
        if (type == QLatin1String("b"))
            return booleanText(stored);
        if (type == QLatin1String("str") || type == QLatin1String("inlineStr"))
            return DecodeEscapedCharacters(stored);
        return stored;  // "e" (#N/A, #DIV/0!, ...) and "d" (an ISO 8601 date) as written
    }

    QString sharedString(const QString &stored) const
    {
        bool ok = false;
        const qsizetype index = stored.trimmed().toLongLong(&ok);
        if (!ok || index < 0 || index >= qsizetype(m_sharedStrings.size()))
            Fail(QStringLiteral("a cell refers to shared string %1, which does not exist").arg(stored));
        return m_sharedStrings[index];
    }

    // As a spreadsheet program shows a boolean cell.
    static QString booleanText(const QString &stored)
    {
        const QString value = stored.trimmed();
        if (value == QLatin1String("1"))
            return QStringLiteral("TRUE");
        if (value == QLatin1String("0"))
            return QStringLiteral("FALSE");
        return value;
    }

    QXmlStreamReader &m_xml;
    const SharedStrings &m_sharedStrings;
    SheetCells &m_cells;
    int m_lastRow = 0;
    int m_lastColumn = 0;
};

}  // namespace

SheetCells ReadWorksheet(const ZipArchive &archive, const QString &partName, const SharedStrings &sharedStrings)
{
    SheetCells cells;
    ReadXmlPart(archive, partName, [&](QXmlStreamReader &xml) { WorksheetParser(xml, sharedStrings, cells).read(); });
    return cells;
}

}  // namespace zolt::workbook
