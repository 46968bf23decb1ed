// The return check: the verified file it writes, what its list says, the
// error list rows it prints from.

#include "support/broken_disk.h"
#include "verify_test_support.h"
#include "xlsx_fixture.h"

#include "common/errors.h"
#include "store/data_environment.h"
#include "verify/error_messages.h"
#include "verify/return_check.h"
#include "verify/verified_file.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace zolt;
using namespace zolt::verify;
using namespace zolt::test;

namespace {

// A folio row of VERIFY, every field filled.
void addFolio(TestSession &t, const QString &folio, const QString &name, const QString &number = "M-1")
{
    t.exec(QStringLiteral("INSERT INTO VERIFY VALUES ('C', '0012', '%1', '%2', '05', '701', '%3', 'P12345678', "
                          "'LOT 1 PLAN 2', '1 MAIN ST', 'UNIT 2', 'TOWN', 'PROVINCE', 'A1B 2C3')")
               .arg(number, name, folio));
}

QList<QByteArray> fileLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> lines = file.readAll().split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString returnedWorkbook(const QString &path, const QList<QVariantList> &rows)
{
    WriteMortgageWorkbook(path, rows);
    return path;
}

const QList<QVariantList> ReturnedRows{
    {"C", "0012", "M-1", "05", "701", "12345678", "P1", "SMITH JOHN", "1 MAIN ST"},
    {" ", "0012", "M-2", "05", "701", "22222222", QVariant(), "DOE JANE"},
    {" ", "0012", "M-3", "05", "701", "22222222", QVariant(), "DOE JANE"},  // duplicate
};

bool noTemporaryFiles(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.tmp")}, QDir::Files).isEmpty();
}

}  // namespace

class TestVerifyReturn : public QObject {
    Q_OBJECT

private slots:
    void verifiedFileLinesAndFolios();
    void characterWithoutWindows1252FormIsRefused();
    void checkWritesBesideTheWorkbookAndSaysWhere();
    void fileThatCannotBeWrittenIsSaid();
    void errorListRows();
};

void TestVerifyReturn::verifiedFileLinesAndFolios()
{
    QCOMPARE(VerifiedFolio("123-456.789"), QString("000000000123456789"));
    QCOMPARE(VerifiedFolio("ABC"), QString("ABC               "));
    QCOMPARE(VerifiedFolio("000000000000000000"), QString("000000000000000000"));
    QCOMPARE(VerifiedFolio("12345678901234567890"), QString("345678901234567890"));
    QCOMPARE(VerifiedFolio(""), QString(18, u' '));

    TestSession t;
    const QString longName = QString(69, u'N') + "XYZ";
    addFolio(t, "123-456.789", longName);
    addFolio(t, "ABC", "PEÑA MARÍA");
    addFolio(t, "000000000000000000", "DOE");
    Recordset &folios = t.de().rsVerify();
    folios.open();
    folios.setFilter("NAME = 'DOE'");  // the whole table is written all the same
    const QString path = t.file(VerifiedFileName);
    QCOMPARE(WriteVerifiedFile(folios, path), 3);
    QCOMPARE(folios.filter(), QString());
    QCOMPARE(folios.position(), 0);

    const QList<QByteArray> lines = fileLines(path);
    QCOMPARE(lines.size(), 3);
    for (const QByteArray &line : lines) {
        QVERIFY(line.endsWith('\r'));
        QCOMPARE(int(line.size()) - 1, VerifiedLineLength);
    }
    const QString first = QString::fromLatin1(lines[0]);
    QCOMPARE(first.left(22), QString("C0012M-1         05701"));
    QCOMPARE(first.mid(22, 18), QString("000000000123456789"));
    QCOMPARE(first.mid(40, 70), longName.left(70));  // cut at its width
    QCOMPARE(first.mid(110, 30).trimmed(), QString("1 MAIN ST"));
    QCOMPARE(first.mid(230, 30).trimmed(), QString("A1B 2C3"));
    QCOMPARE(first.mid(260, 32).trimmed(), QString("LOT 1 PLAN 2"));
    QCOMPARE(first.mid(292, 9), QString("P12345678"));
    // Windows-1252, one byte a character.
    QCOMPARE(QString::fromLatin1(lines[1].mid(22, 18 + 10)), QString("ABC               PEÑA MARÍA"));
    QCOMPARE(QString::fromLatin1(lines[2].mid(22, 18)), QString("000000000000000000"));
}

void TestVerifyReturn::characterWithoutWindows1252FormIsRefused()
{
    TestSession t;
    addFolio(t, "1", "SMITH");
    addFolio(t, "2", QString::fromUtf8("ΩMEGA"));
    const QString path = t.file(VerifiedFileName);
    QFile earlier(path);
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.write("EARLIER\r\n");
    earlier.close();
    t.de().rsVerify().open();
    try {
        WriteVerifiedFile(t.de().rsVerify(), path);
        QFAIL("a character without a Windows-1252 form was written");
    } catch (const ZoltError &e) {
        QCOMPARE(e.number(), ErrorNumber::CharacterNotEncodable);
        QVERIFY2(e.description().startsWith("Line 2: ") && e.description().contains(QString::fromUtf8("Ω")),
                 qPrintable(e.description()));
    }
    QCOMPARE(fileLines(path), QList<QByteArray>{"EARLIER\r"});
    QVERIFY(noTemporaryFiles(t.dir()));
}

void TestVerifyReturn::checkWritesBesideTheWorkbookAndSaysWhere()
{
    TestSession t;
    QDir(t.dir()).mkdir("returned");
    const QString workbook = returnedWorkbook(t.file("returned/MortNo0012.xlsx"), ReturnedRows);
    const QString verified = t.file("returned/" + VerifiedFileName);
    RecordingList list;
    const ReturnCheckResult r = CheckReturnedWorkbook(t.session(), workbook, list);
    QCOMPARE(r.folios, 2);
    QCOMPARE(r.verifiedPath, verified);
    QVERIFY(list.lines[0].contains("DUPLICATE FOLIO NUMBER"));
    QVERIFY(list.lines[1].startsWith("INFORMATION: There was a total of 1 records NOT loaded."));
    QCOMPARE(list.lines.mid(list.lines.size() - 2), QStringList({ReturnMessage::CheckTheFile,
                                             "2 folios were written to the verified file " +
                                                 QDir::toNativeSeparators(verified)}));
    QVERIFY(list.printEnabled);
    QCOMPARE(fileLines(verified).size(), 2);
    QVERIFY(fileLines(verified)[1].startsWith(" 0012M-2"));
    QVERIFY(!QFile::exists(t.file(VerifiedFileName)));

    // A workbook without folios: nothing loaded, and the verified file of
    // the check before is gone rather than passing for this one's.
    const QString empty = returnedWorkbook(t.file("returned/MortNo0013.xlsx"), {});
    RecordingList emptyList;
    const ReturnCheckResult none = CheckReturnedWorkbook(t.session(), empty, emptyList);
    QCOMPARE(none.folios, 0);
    QVERIFY(none.verifiedPath.isEmpty());
    QCOMPARE(emptyList.lines.last(), ReturnMessage::NothingLoaded);
    QVERIFY(!QFile::exists(verified));
}

void TestVerifyReturn::fileThatCannotBeWrittenIsSaid()
{
    TestSession t;
    const QString workbook = returnedWorkbook(t.file("MortNo0012.xlsx"), ReturnedRows);
    const QString verified = t.file(VerifiedFileName);

    // A folder in the file's place: neither removed nor replaced, and said.
    QVERIFY(QDir(t.dir()).mkdir(VerifiedFileName));
    RecordingList list;
    const ReturnCheckResult r = CheckReturnedWorkbook(t.session(), workbook, list);
    QCOMPARE(r.folios, 2);
    QVERIFY(r.verifiedPath.isEmpty());
    QVERIFY2(list.lines.last().startsWith("The verified file " + QDir::toNativeSeparators(verified) +
                                          " could not be written: "),
             qPrintable(list.lines.last()));
    QVERIFY(QFileInfo(verified).isDir());
    QVERIFY(noTemporaryFiles(t.dir()));
    QDir(t.dir()).rmdir(VerifiedFileName);

    // A full disk part way: no half-written file, the failure said.
    for (int i = 3; i <= 400; ++i)
        addFolio(t, QString::number(i), "NAME", "M" + QString::number(i));
    Recordset &folios = t.de().rsVerify();
    folios.requery();
    QCOMPARE(folios.recordCount(), 400);  // read before the fork
    const int answer = RunWithFileSizeLimit(20 * VerifiedLineLength, [&] {
        try {
            WriteVerifiedFile(folios, verified);
        } catch (const ZoltError &e) {
            return e.number() == ErrorNumber::DiskFull && e.description().contains(verified) ? 0 : 2;
        }
        return 1;
    });
    QCOMPARE(answer, 0);
    QVERIFY(!QFile::exists(verified));
    QVERIFY(noTemporaryFiles(t.dir()));

    // A read-only folder: the check says the file could not be written.
    if (ReadOnlyFoldersAreWritable())
        return;
    ReadOnlyFolder readOnly(t.dir());
    RecordingList refused;
    QVERIFY(CheckReturnedWorkbook(t.session(), workbook, refused).verifiedPath.isEmpty());
    QVERIFY(refused.lines.last().contains("could not be written"));
    QVERIFY(!QFile::exists(verified));
}

void TestVerifyReturn::errorListRows()
{
    TestSession t;
    QCOMPARE(ErrorMessageText("WARNING\r\nsecond line\rthird\n"), QString("WARNINGsecond linethird"));
    const QString longLine = QString(150, u'a') + "\r\n" + QString(100, u'b');
    QCOMPARE(ErrorMessageText(longLine), QString(150, u'a') + QString(50, u'b'));

    t.exec("INSERT INTO ErrorMessage VALUES (7, 'from an earlier check')");
    StoreErrorMessages(t.session(), {"first\r\nline", longLine, "third"});
    QCOMPARE(TableRows(t, "SELECT ErrorNumber, ErrorMsg FROM ErrorMessage ORDER BY ErrorNumber"),
             QStringList({"1|firstline", "2|" + ErrorMessageText(longLine), "3|third"}));
    QVERIFY(t.de().rsErrorMessage().isOpen());
    QCOMPARE(t.de().rsErrorMessage().recordCount(), 3);
}

QTEST_GUILESS_MAIN(TestVerifyReturn)
#include "test_verify_return.moc"
