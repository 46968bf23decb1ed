#include "support/sheet_grid.h"
#include "support/broken_disk.h"
#include "support/test_files.h"
#include "zip_fixture.h"

#include "common/errors.h"
#include "common/workbook/workbook_problem.h"
#include "common/workbook/workbook_reader.h"
#include "common/workbook/workbook_writer.h"
#include "common/workbook/written_package.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace zolt;
using namespace zolt::workbook;
using namespace zolt::test;

namespace {

// A two-sheet workbook in the layout the verification export writes: the
// look first, then the rows top to bottom (a row's cells in any order), a
// width set late.
void writeSample(WorkbookWriter &writer)
{
    const int first = writer.addSheet(QStringLiteral("Mortgage"));
    const int second = writer.addSheet(QStringLiteral("Jurisdiction Ü"));
    writer.setHeaderRowFont(first, 8);
    for (int column = 1; column <= 3; ++column)
        writer.setColumnTextFormat(first, column);
    writer.setColumnWidth(first, 1, 4);
    writer.writeText(first, 1, 3, QStringLiteral("MORTGAGE NUMBER"));
    writer.writeText(first, 1, 1, QStringLiteral("ACD"));
    writer.writeText(first, 2, 1, QStringLiteral("05"));
    writer.writeText(second, 1, 1, QStringLiteral("0.10"));
    writer.writeText(first, 2, 2, QString());  // blank, keeps its text format
    writer.writeText(first, 2, 3, QStringLiteral("12345678"));
    writer.writeText(first, 4, 5, QStringLiteral("Åse Müller 名前\tend"));
    // UTF-8 as it is when plain, else as the QString would be written.
    writer.writeText(first, 4, 6, QByteArrayView("1 MAIN ST & <b>"));
    writer.writeText(first, 4, 7, QByteArrayView("_x0041_ \xc3\x85se\0!", 14));
    writer.setColumnWidth(first, 3, 16);
    writer.ignoreNumberStoredAsText(first, 2, 3, 4, 7);
    writer.ignoreNumberStoredAsText(first, 2, 1, 4, 2);
    writer.ignoreNumberStoredAsText(first, 2, 1, 1, 2);  // no rows: left out
    writer.setActiveSheet(first);
}

}  // namespace

class TestWorkbookWriter : public QObject {
    Q_OBJECT

private slots:
    void writtenWorkbookReadsBack()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("MortNo1.xlsx");
        writeFile(path, "the previous workbook");
        WorkbookWriter writer(path);
        writeSample(writer);
        QCOMPARE(readFile(path), QByteArray("the previous workbook"));  // nothing before save()
        writer.save();
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"MortNo1.xlsx"});

        auto reader = WorkbookReader::open(path);
        QCOMPARE(reader->sheetCount(), 2);
        QCOMPARE(reader->sheetName(1), QStringLiteral("Mortgage"));
        QCOMPARE(reader->sheetName(2), QStringLiteral("Jurisdiction Ü"));
        const SheetGrid first(path, 1);
        QCOMPARE(first.rowCount(), 4);
        QCOMPARE(first.cell(1, 3), QStringLiteral("MORTGAGE NUMBER"));
        QCOMPARE(first.cell(2, 1), QStringLiteral("05"));
        QCOMPARE(first.cell(2, 2), QString());
        QCOMPARE(first.cell(2, 3), QStringLiteral("12345678"));
        QCOMPARE(first.cell(3, 1), QString());
        QCOMPARE(first.cell(4, 5), QStringLiteral("Åse Müller 名前\tend"));
        QCOMPARE(first.cell(4, 6), QStringLiteral("1 MAIN ST & <b>"));
        QCOMPARE(first.cell(4, 7), QStringLiteral("_x0041_ Åse!"));
        QCOMPARE(SheetGrid(path, 2).cell(1, 1), QStringLiteral("0.10"));
    }

    // What the reader does not see: fonts, widths, formats, the indicator.
    void layoutIsInTheFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("layout.xlsx");
        WorkbookWriter writer(path);
        writeSample(writer);
        writer.save();

        const QByteArray sheet = ReadZipPart(path, "xl/worksheets/sheet1.xml");
        const QByteArray styles = ReadZipPart(path, "xl/styles.xml");
        QVERIFY(sheet.contains("<ignoredError sqref=\"C2:G4 A2:B4\" numberStoredAsText=\"1\"/>"));
        QVERIFY(sheet.contains("<col min=\"1\" max=\"1\" width=\"4.7109375\""));
        QVERIFY(sheet.contains("<col min=\"3\" max=\"3\" width=\"16.7109375\""));
        QVERIFY(sheet.contains("tabSelected=\"1\""));
        QVERIFY(styles.contains("<font><b/><sz val=\"8\"/>"));
        // Every written cell is a string; A1 is bold and text, B2 a blank text cell.
        QVERIFY(!sheet.contains("<c r=\"A2\" s=\"1\"><v>"));
        const QRegularExpression cell(QStringLiteral("<c r=\"([A-Z]+\\d+)\"( s=\"(\\d+)\")?( t=\"(\\w+)\")?"));
        QMap<QString, QString> typeOf, styleOf;
        for (const auto &m : cell.globalMatch(QString::fromUtf8(sheet))) {
            typeOf[m.captured(1)] = m.captured(5);
            styleOf[m.captured(1)] = m.captured(3);
        }
        QCOMPARE(typeOf.value("C2"), QStringLiteral("inlineStr"));
        QCOMPARE(typeOf.value("E4"), QStringLiteral("inlineStr"));
        QVERIFY(typeOf.contains("B2") && typeOf.value("B2").isEmpty());
        const QRegularExpression xfs(QStringLiteral("<xf numFmtId=\"(\\d+)\" fontId=\"(\\d+)\""));
        const QString cellXfs = QString::fromUtf8(styles.mid(styles.indexOf("<cellXfs")));
        QStringList styleList;  // "numFmtId/fontId" by style index
        for (const auto &m : xfs.globalMatch(cellXfs))
            styleList << m.captured(1) + '/' + m.captured(2);
        const auto look = [&](const char *ref) { return styleList.value(styleOf.value(ref).toInt()); };
        QCOMPARE(look("A1"), QStringLiteral("49/1"));  // text format, bold size 8
        QCOMPARE(look("A2"), QStringLiteral("49/0"));
        QCOMPARE(look("B2"), QStringLiteral("49/0"));
        QCOMPARE(look("E4"), QStringLiteral("0/0"));
    }

    // A save that cannot finish leaves the old workbook and no stray files.
    void failedSaveKeepsOldWorkbook()
    {
        QTemporaryDir dir;
        // The target is a folder: the final rename fails, for root too.
        const QString folderTarget = dir.filePath("taken.xlsx");
        QVERIFY(QDir().mkpath(folderTarget + "/inside"));
        {
            WorkbookWriter writer(folderTarget);
            writeSample(writer);
            QVERIFY_THROWS_EXCEPTION(ZoltError, writer.save());
        }
        QVERIFY(QFileInfo(folderTarget + "/inside").isDir());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());

        const QString folder = dir.filePath("readonly");
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + "/MortNo1.xlsx";
        writeFile(path, "the previous workbook");
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup
                                                  | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
        const auto restore = qScopeGuard([&] { QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
        QFile probe(folder + "/probe");
        if (probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            QSKIP("the read-only folder is still writable (running as root)");
        }
        try {
            WorkbookWriter writer(path);
            writeSample(writer);
            writer.save();
            QFAIL("no error");
        } catch (const ZoltError &error) {
            QVERIFY2(error.description().contains(path), qPrintable(error.description()));
        }
        QCOMPARE(readFile(path), QByteArray("the previous workbook"));
    }

    // The library writes its parts through temporary files without checking
    // those writes: on a full disk it still reports success.
    void saveOnAFullDiskKeepsOldWorkbook()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("MortNo1.xlsx");
        writeFile(path, "the previous workbook");
        const int outcome = RunWithFileSizeLimit(64 * 1024, [&path] {
            WorkbookWriter writer(path);
            const int sheet = writer.addSheet(QStringLiteral("Mortgage"));
            for (int row = 1; row <= 20000; ++row) {
                for (int column = 1; column <= 4; ++column)
                    writer.writeText(sheet, row, column, QStringLiteral("TEXT %1 %2").arg(row).arg(column));
            }
            try {
                writer.save();
                return 1;
            } catch (const ZoltError &error) {
                return error.description().contains(path) ? 0 : 2;
            }
        });
        QCOMPARE(outcome, 0);
        QCOMPARE(readFile(path), QByteArray("the previous workbook"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"MortNo1.xlsx"});
    }

    // What the check of a written package catches, the zip's checksums
    // included: a part cut short inside a zip that is itself correct.
    void damagedPackageIsCaught()
    {
        QTemporaryDir dir;
        const QByteArray strings = "<sst><si><t>" + QByteArray(5000, 'x') + "</t></si></sst>";
        const auto good = MinimalWorkbook({{"A", WorksheetXml("<row><c t=\"s\"><v>0</v></c></row>")}}, strings);
        const QString path = dir.filePath("check.xlsx");
        WriteZip(path, good);
        workbook::CheckWrittenPackage(path);
        const QByteArray bytes = readFile(path);

        auto problem = [&path] {
            try {
                workbook::CheckWrittenPackage(path);
            } catch (const workbook::WorkbookProblem &found) {
                return found.reason;
            }
            return QStringLiteral("no problem");
        };
        auto withPart = [&](const QString &name, const QByteArray &content) {
            auto parts = good;
            parts[name] = content;
            WriteZip(path, parts);
        };
        withPart("xl/sharedStrings.xml", strings.left(4096));
        QVERIFY2(problem().contains("xl/sharedStrings.xml"), qPrintable(problem()));
        withPart("xl/_rels/workbook.xml.rels", QByteArray());
        QVERIFY2(problem().contains("xl/_rels/workbook.xml.rels"), qPrintable(problem()));
        withPart("xl/media/image1.png", QByteArray("\x89PNG not XML"));  // other parts are only unpacked
        QCOMPARE(problem(), QStringLiteral("no problem"));

        writeFile(path, bytes.left(bytes.size() - 10));
        QVERIFY2(problem().contains("not a valid zip"), qPrintable(problem()));

        // A byte changed inside a part's packed data; a checksum that does
        // not match the part, in its local header and in the directory alike.
        const QByteArray name = "xl/sharedStrings.xml";
        const qsizetype local = bytes.indexOf(name) - 30;
        const qsizetype central = bytes.indexOf(name, local + 30 + name.size()) - 46;
        const qsizetype data = local + 30 + name.size() + (uchar(bytes[local + 28]) | uchar(bytes[local + 29]) << 8);
        QByteArray damaged = bytes;
        damaged[data + 10] = char(damaged[data + 10] ^ 0x55);
        writeFile(path, damaged);
        QVERIFY2(problem().contains(name), qPrintable(problem()));
        damaged = bytes;
        damaged[local + 14] = char(damaged[local + 14] ^ 1);
        damaged[central + 16] = char(damaged[central + 16] ^ 1);
        writeFile(path, damaged);
        QVERIFY2(problem().contains(name) && problem().contains("CRC"), qPrintable(problem()));
    }

    void refusedValuesThrow()
    {
        QTemporaryDir dir;
        WorkbookWriter writer(dir.filePath("x.xlsx"));
        QVERIFY_THROWS_EXCEPTION(ZoltError, writer.addSheet(QStringLiteral("a/b")));
        const int sheet = writer.addSheet(QStringLiteral("A"));
        QVERIFY_THROWS_EXCEPTION(ZoltError, writer.addSheet(QStringLiteral("a")));  // names ignore case
        QVERIFY_THROWS_EXCEPTION(ZoltError, writer.writeText(sheet, 1, 1, QString(40000, 'x')));
        QVERIFY_THROWS_EXCEPTION(ZoltError, writer.writeText(sheet, 0, 1, QStringLiteral("x")));
        QVERIFY_THROWS_EXCEPTION(ZoltError, writer.writeText(2, 1, 1, QStringLiteral("x")));
        // Rows go out as they are written: no going back up, no look that
        // would miss the cells already out.
        writer.writeText(sheet, 3, 1, QStringLiteral("x"));
        QVERIFY_THROWS_EXCEPTION(ZoltError, writer.writeText(sheet, 2, 1, QStringLiteral("x")));
        QVERIFY_THROWS_EXCEPTION(ZoltError, writer.setHeaderRowFont(sheet, 8));
        QVERIFY_THROWS_EXCEPTION(ZoltError, writer.setColumnTextFormat(sheet, 1));
    }

    // A character no workbook can hold is dropped, never cuts the text; what
    // reads as an escape is written so that it reads back as written.
    void textsReadBackAsWritten()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("texts.xlsx");
        WorkbookWriter writer(path);
        const int sheet = writer.addSheet(QStringLiteral("A"));
        const QStringList texts = {QStringLiteral("OWN") + QChar(0) + QStringLiteral("ER"), QStringLiteral("A_x0041_B"),
                                   QStringLiteral("line\rend"), QStringLiteral("\U0001F600 \uFFFF!")};
        for (int column = 1; column <= texts.size(); ++column)
            writer.writeText(sheet, 1, column, texts[column - 1]);
        writer.save();
        QCOMPARE(SheetGrid(path, 1).rows(), QStringList{QStringLiteral("OWNER|A_x0041_B|line\rend|\U0001F600 !")});
    }

    // Another reader's view, where python3-openpyxl is installed.
    void openpyxlSeesTheLayout()
    {
        const QString python = PythonWithOpenpyxl();
        if (python.isEmpty())
            QSKIP("python3-openpyxl is not installed");
        QTemporaryDir dir;
        const QString path = dir.filePath("check.xlsx");
        WorkbookWriter writer(path);
        writeSample(writer);
        writer.save();
        const char *script =
            "import sys, openpyxl\n"
            "wb = openpyxl.load_workbook(sys.argv[1])\n"
            "ws = wb.worksheets[0]\n"
            "a1 = ws['A1']\n"
            "print(wb.sheetnames, a1.font.b, a1.font.sz, ws['C2'].number_format, ws['C2'].value,\n"
            "      round(ws.column_dimensions['C'].width), wb.active.title)\n";
        QProcess process;
        process.start(python, {"-c", script, path});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()).trimmed(),
                 QStringLiteral("['Mortgage', 'Jurisdiction Ü'] True 8.0 @ 12345678 17 Mortgage"));
    }
};

QTEST_GUILESS_MAIN(TestWorkbookWriter)
#include "test_workbook_writer.moc"
