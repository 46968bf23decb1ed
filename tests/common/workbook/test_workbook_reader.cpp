#include "support/sheet_grid.h"
#include "support/test_files.h"
#include "zip_fixture.h"

#include "common/errors.h"
#include "common/workbook/cell_text.h"
#include "common/workbook/open_workbook.h"
#include "common/workbook/workbook_reader.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <xlsxwriter.h>

using namespace zolt;
using namespace zolt::workbook;
using namespace zolt::test;

namespace {

// A part written as UTF-16 with its byte order mark.
QByteArray utf16(const QString &text)
{
    return QByteArray("\xFF\xFE", 2) + QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
}

// Reads the first sheet to its end.
void readFirstSheet(const QString &path)
{
    auto reader = WorkbookReader::open(path);
    SheetRows &rows = reader->rows(1);
    while (rows.moveToNextListed()) {
    }
    rows.finish();
}

// Why reading every sheet of the workbook is refused; empty when it is not.
QString refusal(const QString &path)
{
    try {
        auto reader = WorkbookReader::open(path);
        for (int sheet = 1; sheet <= reader->sheetCount(); ++sheet) {
            SheetRows &rows = reader->rows(sheet);
            while (rows.moveToNextListed()) {
            }
            rows.finish();
        }
    } catch (const ZoltError &error) {
        return error.description();
    }
    return QString();
}

// A legacy compound file, the container of .xls files: its header, then a
// directory sector whose second entry has the name given.
QByteArray compoundFile(const QString &entryName)
{
    QByteArray bytes = QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(504, '\0');
    QByteArray directory(512, '\0');
    const auto name = [&directory](int entry, const QString &text) {
        directory.replace(entry * 128, int(text.size() * 2), reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
        directory[entry * 128 + 64] = char((text.size() + 1) * 2);
    };
    name(0, QStringLiteral("Root Entry"));
    name(1, entryName);
    return bytes + directory + QByteArray(1024, '\x5A');
}

// The first cell of the current worksheet.
QString firstCell(SpreadsheetState &state)
{
    SheetRows &rows = ReadCurrentWorksheet(state);
    rows.moveTo(1);
    return rows.cell(1).toString();
}

}  // namespace

class TestWorkbookReader : public QObject {
    Q_OBJECT

private slots:
    void numbersReadInShortestForm()
    {
        auto numberCellText = [](const char *stored) {
            QByteArray text;
            AppendNumberCellText(stored, text);
            return QString::fromLatin1(text);
        };
        const std::pair<const char *, const char *> cases[] = {
            {"5", "5"}, {"5.0", "5"}, {"1.2345678E7", "12345678"}, {"0.10000000000000001", "0.1"},
            {"-0.5", "-0.5"}, {"45292", "45292"}, {"1E+21", "1E+21"}, {"123456789012345680000", "123456789012345680000"},
            {"1e-7", "1E-07"}, {"0.000001", "0.000001"}, {"-0", "0"}, {"0.30000000000000004", "0.30000000000000004"},
            {"2.5E-8", "2.5E-08"}, {"not a number", "not a number"}, {"1.5 ", "1.5"},
        };
        for (const auto &[stored, shown] : cases)
            QCOMPARE(numberCellText(stored), QString::fromLatin1(shown));
    }

    // Cell kinds that spreadsheet programs write but libxlsxwriter does not.
    void readsHandMadeWorkbook()
    {
        QTemporaryDir dir;
        const QByteArray strings =
            "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" count=\"3\" uniqueCount=\"3\">"
            "<si><t>plain</t></si>"
            "<si><r><rPr><b/></rPr><t>rich </t></r><r><t xml:space=\"preserve\">text </t></r>"
            "<rPh sb=\"0\" eb=\"1\"><t>phonetic</t></rPh></si>"
            "<si><t>line_x000D_end</t></si>"
            "<si><!-- note --><t>a &amp; b &#x41;&#233;<![CDATA[<x>]]></t></si></sst>";
        const QByteArray cells =
            "<row r=\"2\"><c r=\"B2\" t=\"s\"><v>1</v></c><c r=\"D2\" t=\"inlineStr\"><is><t>inline</t></is></c>"
            "<c t=\"e\"><v>#N/A</v></c><c t=\"b\"><v>1</v></c><c t=\"b\"><v>0</v></c></row>"
            "<row><c><f>1+1</f><v>2</v></c><c t=\"str\"><f>\"a\"&amp;\"b\"</f><v>ab</v></c><c s=\"3\"/>"
            "<c t=\"s\"><v>2</v></c><c t=\"inlineStr\"><is><r><t>in</t></r><r><t>runs</t></r></is></c></row>"
            "<?pi?><row r=\"5\"><c r=\"A5\" t=\"s\"><v>0</v></c><c r=\"C5\"><v>0.1</v></c>"
            "<c r=\"D5\" t=\"s\"><v>3</v></c></row>";
        auto parts = MinimalWorkbook({{"First", WorksheetXml("<row><c><v>1</v></c></row>")},
                                      {"Second", WorksheetXml(cells)}},
                                     strings);
        // The workbook lists the second file first, and names it by an absolute target.
        parts["xl/workbook.xml"].replace("<sheet name=\"First\" sheetId=\"1\" r:id=\"rId1\"/>", "")
            .replace("</sheets>", "<sheet name=\"First\" sheetId=\"1\" r:id=\"rId1\"/></sheets>");
        parts["xl/_rels/workbook.xml.rels"].replace("Target=\"worksheets/sheet2.xml\"", "Target=\"/xl/worksheets/sheet2.xml\"");
        const QString path = dir.filePath("hand.xlsx");
        WriteZip(path, parts);

        auto reader = WorkbookReader::open(path);
        QCOMPARE(reader->sheetCount(), 2);
        QCOMPARE(reader->sheetName(1), QStringLiteral("Second"));
        QCOMPARE(reader->sheetName(2), QStringLiteral("First"));
        const QStringList expected = {
            "||||||",
            "|rich text ||inline|#N/A|TRUE|FALSE",
            "2|ab||line\rend|inruns||",
            "||||||",
            "plain||0.1|a & b Aé<x>|||",
        };
        QCOMPARE(SheetGrid(path, 1).rows(), expected);
        QCOMPARE(SheetGrid(path, 2).cell(1, 1), QStringLiteral("1"));
        QCOMPARE(SheetGrid(path, 1).cell(100, 100), QString());
    }

    void readsStrictWorkbook()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("strict.xlsx");
        const QByteArray rels = "http://purl.oclc.org/ooxml/officeDocument/relationships";
        const QByteArray main = "http://purl.oclc.org/ooxml/spreadsheetml/main";
        WriteZip(path, {
            {"_rels/.rels", "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                            "<Relationship Id=\"a\" Type=\"" + rels + "/officeDocument\" Target=\"book/main.xml\"/>"
                            "</Relationships>"},
            {"book/main.xml", "<x:workbook xmlns:x=\"" + main + "\" xmlns:rel=\"" + rels + "\"><x:sheets>"
                              "<x:sheet name=\"Only\" sheetId=\"7\" rel:id=\"s\"/></x:sheets></x:workbook>"},
            {"book/_rels/main.xml.rels", "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                                         "<Relationship Id=\"s\" Type=\"" + rels + "/worksheet\" Target=\"./parts/../one.xml\"/>"
                                         "<Relationship Id=\"t\" Type=\"" + rels + "/sharedStrings\" Target=\"strings.xml\"/>"
                                         "</Relationships>"},
            {"book/strings.xml", "<x:sst xmlns:x=\"" + main + "\"><x:si><x:t>strict text</x:t></x:si></x:sst>"},
            {"book/one.xml", utf16(QString("<x:worksheet xmlns:x=\"" + main + "\"><x:sheetData><x:row r=\"1\">"
                                           "<x:c r=\"A1\" t=\"s\"><x:v>0</x:v></x:c><x:c r=\"B1\"><x:v>12345678</x:v></x:c>"
                                           "<x:c t=\"inlineStr\"><x:is><x:t>Åse</x:t></x:is></x:c>"
                                           "</x:row></x:sheetData></x:worksheet>"))},
        });
        auto reader = WorkbookReader::open(path);
        QCOMPARE(reader->sheetName(1), QStringLiteral("Only"));
        QCOMPARE(SheetGrid(path, 1).rows(), QStringList{"strict text|12345678|Åse"});
    }

    // What a spreadsheet program leaves: shared strings, numbers in code
    // columns, a title row above the header, a formula, booleans, a date, gaps.
    void readsWorkbookOfAnotherWriter()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("other.xlsx");
        lxw_workbook *book = workbook_new(QFile::encodeName(path).constData());
        lxw_worksheet *first = workbook_add_worksheet(book, "Mortgage");
        lxw_worksheet *second = workbook_add_worksheet(book, "Districts é");
        lxw_format *dateFormat = workbook_add_format(book);
        format_set_num_format(dateFormat, "dd/mm/yyyy");
        worksheet_write_string(first, 0, 0, "Verification 2026", nullptr);
        worksheet_write_string(first, 1, 0, "ACD", nullptr);
        worksheet_write_string(first, 1, 1, "MORTGAGE CO.", nullptr);
        worksheet_write_number(first, 2, 1, 5, nullptr);
        worksheet_write_number(first, 2, 2, 12345678, nullptr);
        worksheet_write_number(first, 2, 3, 0.1, nullptr);
        worksheet_write_formula_num(first, 2, 4, "=1+1", nullptr, 2);
        worksheet_write_boolean(first, 2, 5, 1, nullptr);
        worksheet_write_boolean(first, 2, 6, 0, nullptr);
        lxw_datetime day = {2024, 1, 1, 0, 0, 0};
        worksheet_write_datetime(first, 4, 0, &day, dateFormat);
        worksheet_write_string(first, 4, 7, "Ölçü 名前", nullptr);
        worksheet_write_string(second, 0, 0, "ACD", nullptr);  // shared with the first sheet
        QCOMPARE(workbook_close(book), LXW_NO_ERROR);

        auto reader = WorkbookReader::open(path);
        QCOMPARE(reader->sheetCount(), 2);
        QCOMPARE(reader->sheetName(2), QStringLiteral("Districts é"));
        const QStringList expected = {
            "Verification 2026|||||||",
            "ACD|MORTGAGE CO.||||||",
            "|5|12345678|0.1|2|TRUE|FALSE|",
            "|||||||",
            "45292|||||||Ölçü 名前",
        };
        QCOMPARE(SheetGrid(path, 1).rows(), expected);
        QCOMPARE(SheetGrid(path, 2).rows(), QStringList{"ACD"});
    }

    void notAWorkbookGivesClearError_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("reason");

        QByteArray zip;
        {
            QTemporaryDir dir;
            const QString path = dir.filePath("z.zip");
            WriteZip(path, MinimalWorkbook({{"A", WorksheetXml("")}}));
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            zip = file.readAll();
        }
        QTest::newRow("legacy xls") << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + QByteArray(600, '\0'))
                                    << ErrorNumber::WorkbookUnreadable << "legacy";
        QTest::newRow("legacy xls with a workbook stream") << compoundFile(QStringLiteral("Workbook"))
                                                           << ErrorNumber::WorkbookUnreadable << "legacy";
        QTest::newRow("password") << compoundFile(QStringLiteral("EncryptedPackage"))
                                  << ErrorNumber::WorkbookUnreadable << "protected by a password";
        QTest::newRow("text") << QByteArray("ACD,MORTGAGE CO.\r\nA,0001\r\n") << ErrorNumber::WorkbookUnreadable << "not an Excel workbook";
        QTest::newRow("empty") << QByteArray() << ErrorNumber::WorkbookUnreadable << "empty";
        QTest::newRow("truncated zip") << zip.left(zip.size() / 2) << ErrorNumber::WorkbookUnreadable << "zip";
    }

    void notAWorkbookGivesClearError()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, number);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath("MortNo1.xlsx");
        writeFile(path, bytes);
        try {
            readFirstSheet(path);
            QFAIL("no error");
        } catch (const ZoltError &error) {
            QCOMPARE(error.number(), number);
            QVERIFY2(error.description().contains(path), qPrintable(error.description()));
            QVERIFY2(error.description().contains(reason), qPrintable(error.description()));
        }
    }

    // Damage inside a well-formed zip shows when the part is read.
    void damagedPartsGiveClearError()
    {
        QTemporaryDir dir;
        const auto good = MinimalWorkbook({{"A", WorksheetXml("<row><c t=\"s\"><v>0</v></c></row>")}},
                                          "<sst><si><t>x</t></si></sst>");
        struct Case {
            const char *name;
            QString part;
            QByteArray content;  // empty: the part is left out
            const char *reason;
        };
        const Case cases[] = {
            {"no workbook part", "xl/workbook.xml", {}, "no workbook part"},
            {"workbook not XML", "xl/workbook.xml", "<workbook><sheets>", "not well-formed"},
            {"sheet not XML", "xl/worksheets/sheet1.xml", "<worksheet><sheetData><row><c>", "not well-formed"},
            {"sheet part missing", "xl/worksheets/sheet1.xml", {}, "missing"},
            {"string index", "xl/sharedStrings.xml", "<sst></sst>", "shared string 0"},
            {"bad reference", "xl/worksheets/sheet1.xml", WorksheetXml("<row><c r=\"A1B\"/></row>"), "A1B"},
            {"row out of range", "xl/worksheets/sheet1.xml", WorksheetXml("<row r=\"1048577\"/>"), "out of range"},
            {"mismatched tags", "xl/worksheets/sheet1.xml", "<worksheet><sheetData></worksheet>", "does not match"},
            {"unknown entity", "xl/sharedStrings.xml", "<sst><si><t>&nbsp;</t></si></sst>", "&nbsp;"},
            {"doctype", "xl/worksheets/sheet1.xml", "<!DOCTYPE x [<!ENTITY a \"b\">]><worksheet/>", "document type"},
            {"element in text", "xl/sharedStrings.xml", "<sst><si><t>a<b/></t></si></sst>", "only text"},
            {"rows out of order", "xl/worksheets/sheet1.xml", WorksheetXml("<row r=\"3\"/><row r=\"2\"/>"), "out of order"},
            {"cell of another row", "xl/worksheets/sheet1.xml", WorksheetXml("<row r=\"2\"><c r=\"B5\"/></row>"),
             "B5 is listed under row 2"},
        };
        for (const Case &c : cases) {
            auto parts = good;
            if (c.content.isEmpty())
                parts.erase(c.part);
            else
                parts[c.part] = c.content;
            const QString path = dir.filePath(QString::fromLatin1(c.name) + ".xlsx");
            WriteZip(path, parts);
            try {
                readFirstSheet(path);
                QFAIL(c.name);
            } catch (const ZoltError &error) {
                QCOMPARE(error.number(), ErrorNumber::WorkbookUnreadable);
                QVERIFY2(error.description().contains(path) && error.description().contains(c.reason),
                         qPrintable(error.description()));
            }
        }
    }

    // What a file may ask of the reader is bounded: each hostile file is
    // refused with the limit it passed. Each one's tail is damaged too, so
    // the refusal shows that the reading stopped at the limit instead of
    // going through the whole file first.
    void hostileWorkbooksAreRefusedAtTheirLimits()
    {
        QTemporaryDir dir;
        auto hostile = [&dir](const char *name, const std::map<QString, QByteArray> &parts) {
            const QString path = dir.filePath(QString::fromLatin1(name) + ".xlsx");
            WriteZip(path, parts);
            return refusal(path);
        };
        const auto plain = MinimalWorkbook({{"A", WorksheetXml("<row><c><v>1</v></c></row>")}});

        // A small workbook part of a million nested elements.
        auto nested = plain;
        nested["xl/workbook.xml"] = "<workbook>" + QByteArray("<a>").repeated(1000000);
        QVERIFY2(hostile("nested", nested).contains("nested more than 256 deep"), qPrintable(hostile("nested", nested)));
        auto nestedRow = plain;
        nestedRow["xl/worksheets/sheet1.xml"] = "<worksheet><sheetData><row>" + QByteArray("<x>").repeated(100000);
        QVERIFY(hostile("nested row", nestedRow).contains("nested more than 256 deep"));

        // Five sheets of 2.2 million cells each: no sheet passes the limit
        // alone, the workbook does on its fifth.
        const QByteArray row = "<row>" + QByteArray("<c/>").repeated(MaxSheetColumns) + "</row>";
        const QByteArray sheet = WorksheetXml(row.repeated(135));
        std::vector<std::pair<QString, QByteArray>> sheets;
        for (const char *name : {"1", "2", "3", "4", "5"})
            sheets.emplace_back(QString::fromLatin1(name), sheet);
        sheets.back().second.chop(40);
        const QString manyCells = hostile("cells", MinimalWorkbook(sheets));
        QVERIFY2(manyCells.contains("more than 10,000,000 cells"), qPrintable(manyCells));

        // A row of more cells than a sheet has columns; a text longer than a
        // cell holds.
        auto wideRow = plain;
        wideRow["xl/worksheets/sheet1.xml"] = WorksheetXml("<row>" + QByteArray("<c r=\"A1\"/>").repeated(20000));
        QVERIFY(hostile("wide row", wideRow).contains("holds more cells than a sheet has columns"));
        auto longText = plain;
        longText["xl/worksheets/sheet1.xml"] =
            WorksheetXml("<row><c t=\"inlineStr\"><is><t>" + QByteArray(1 << 20, 'x'));
        QVERIFY(hostile("long text", longText).contains("longer than a cell can hold"));
    }

    // Cells listed right to left or twice read as a spreadsheet program
    // shows them; a reading of the first columns makes no text for the rest.
    void cellsInAnyOrder()
    {
        QTemporaryDir dir;
        const QByteArray rowStart = "<row r=\"1\">";
        QByteArray reversed = rowStart;
        QByteArray ordered = rowStart;
        for (int column = 1; column <= 200; ++column) {
            QByteArray name;  // A, B, ..., Z, AA, ...
            for (int n = column; n > 0; n = (n - 1) / 26)
                name.prepend(char('A' + (n - 1) % 26));
            const QByteArray cell = "<c r=\"" + name + "1\" t=\"inlineStr\"><is><t>T" + QByteArray::number(column)
                + "</t></is></c>";
            ordered += cell;
            reversed.insert(rowStart.size(), cell);
        }
        // Listed first, replaced by the T3 listed later.
        reversed.insert(rowStart.size(), "<c r=\"C1\" t=\"inlineStr\"><is><t>replaced</t></is></c>");
        reversed += "</row>";
        ordered += "</row>";
        const QString inOrder = dir.filePath("ordered.xlsx");
        const QString backwards = dir.filePath("reversed.xlsx");
        WriteZip(inOrder, MinimalWorkbook({{"A", WorksheetXml(ordered)}}));
        WriteZip(backwards, MinimalWorkbook({{"A", WorksheetXml(reversed)}}));
        QCOMPARE(SheetGrid(backwards, 1).rows(), SheetGrid(inOrder, 1).rows());
        QCOMPARE(SheetGrid(backwards, 1).cell(1, 3), QStringLiteral("T3"));
        QCOMPARE(SheetGrid(backwards, 1).cell(1, 200), QStringLiteral("T200"));

        auto reader = WorkbookReader::open(backwards);
        SheetRows &firstColumns = reader->rows(1, 14);
        QVERIFY(firstColumns.moveTo(1));
        QCOMPARE(firstColumns.lastFilledColumn(), 14);
        QCOMPARE(firstColumns.cell(14).toString(), QStringLiteral("T14"));
        QVERIFY(firstColumns.cell(15).isEmpty());
    }

    // An escape of a character no text can hold (NUL) is dropped, never cuts
    // the text; an escaped surrogate without its partner becomes U+FFFD.
    void escapesNeverCutAText()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("escapes.xlsx");
        WriteZip(path, MinimalWorkbook({{"A", WorksheetXml("<row><c t=\"s\"><v>0</v></c><c t=\"s\"><v>1</v></c>"
                                                           "<c t=\"inlineStr\"><is><t>x_xD800_y</t></is></c></row>")}},
                                       "<sst><si><t>OWN_x0000_ER</t></si><si><t>_xD83D__xDE00_</t></si></sst>"));
        QCOMPARE(SheetGrid(path, 1).rows(), QStringList{QStringLiteral("OWNER|\U0001F600|x\uFFFDy")});
    }

    void openWorkbookKeepsFailureForFirstUse()
    {
        QTemporaryDir dir;
        const QString good = dir.filePath("good.xlsx");
        WriteZip(good, MinimalWorkbook({{"One", WorksheetXml("<row><c><v>1</v></c></row>")},
                                        {"Two", WorksheetXml("<row><c><v>2</v></c></row>")}}));
        SpreadsheetState state;
        CloseWorkbook(state);  // nothing open: nothing happens
        OpenWorkbook(state, good);
        QCOMPARE(firstCell(state), QStringLiteral("1"));
        SelectWorksheet(state, 2);
        QCOMPARE(firstCell(state), QStringLiteral("2"));
        QVERIFY_THROWS_EXCEPTION(ZoltError, SelectWorksheet(state, 3));
        CloseWorkbook(state);
        QVERIFY(!state.workbook);

        OpenWorkbook(state, dir.filePath("missing.xlsx"));
        QCOMPARE(state.currentSheet, 0);
        try {
            ReadCurrentWorksheet(state);
            QFAIL("no error");
        } catch (const ZoltError &error) {
            QCOMPARE(error.number(), ErrorNumber::FileNotFound);
            QVERIFY(error.description().contains(QStringLiteral("missing.xlsx")));
        }
        CloseWorkbook(state);
        QVERIFY_THROWS_EXCEPTION(ZoltError, ReadCurrentWorksheet(state));
    }
};

QTEST_GUILESS_MAIN(TestWorkbookReader)
#include "test_workbook_reader.moc"
