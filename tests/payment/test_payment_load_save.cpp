#include "common/clock.h"
#include "payment_fixture.h"
#include "support/test_session.h"

#include "common/errors.h"
#include "payment/folio_mask.h"
#include "payment/payment_export.h"
#include "payment/payment_file_parser.h"
#include "payment/payment_load.h"
#include "payment/payment_save.h"
#include "payment/payment_task_rules.h"

#include "store/sqlite_db.h"
#include "support/broken_disk.h"

#include <QDir>
#include <QtTest>
#include <cstdio>
#include <unistd.h>

using namespace zolt;
using namespace zolt::payment;
using namespace zolt::test;

namespace {

// Three agencies, two masks, names in Windows-1252, written as the save writes.
PaymentFileText realisticFile()
{
    PaymentFileText f;
    f.year(ThisYear()).masks({"10108##-###-###", "20210##.##.######"});
    f.group("0001", "0012",
            {"#A1,MÜLLER,05,101,#12-345-678,100.00,B,150.00,100.00,80.00,0.00,LOT 1",
             "#A2,PEÑA,05,202,#12.34.567890,200.25,C,250.00,220.00,200.25,0.00,LOT 2 BLOCK 9"},
            "2", "300.25");
    f.group("0002", "0034", {}, "0", "0.00");
    f.group("0003", "0056",
            {"#B2,MÜLLER,05,101,#12-345-678,0.00,A,0.00,0.00,0.00,0.00,CREDIT",
             "#B1,ÅSA ØSTERGÅRD,12,303,#000000000000000042,-5.00,A,-5.00,0.00,0.00,-5.00,"},
            "2", "-5.00");
    return f;
}

// The file with a first group of one payment, its count and total right.
PaymentFileText withFirstGroup(PaymentFileText f, const QString &detail, const QString &total)
{
    PaymentFileText group;
    group.group("0004", "0078", {detail}, "1", total);
    const qsizetype at = f.lines.indexOf(GroupHeader);
    for (qsizetype i = 0; i < group.lines.size(); ++i)
        f.lines.insert(at + i, group.lines[i]);
    return f;
}

}  // namespace

class TestPaymentLoadSave : public QObject {
    Q_OBJECT

private slots:
    void realisticFileLoadsAndSavesBackUnchanged()
    {
        TestSession t;
        const QString path = t.file("Zoltdata.csv");
        realisticFile().write(path);
        const QByteArray original = readFile(path);
        const PaymentLoadResult loaded = Csv2Mdb(t.session(), path);
        QVERIFY(loaded.loaded() && !loaded.duplicates.found);
        QVERIFY(t.ui.said.isEmpty());

        QCOMPARE(t.scalar("SELECT Year FROM ZoltSystem").toString(), ThisYear());
        QCOMPARE(t.scalar("SELECT group_concat(FILE_ID || ':' || MORTCO || ':' || FOLIO_CNT || ':' || TOT_PAY, ' ') "
                          "FROM \"Group\"").toString(),
                 QString("001:0012:2:300.25 002:0034:0:0.0 003:0056:2:-5.0"));
        QCOMPARE(t.scalar("SELECT NAME1 FROM \"Group\" WHERE MORTCO = '0012'").toString(), QString("0012 MORTGAGE"));
        QCOMPARE(t.scalar("SELECT FOLIO || '|' || FOLIO_DISP FROM Detail WHERE NAME = 'PEÑA'").toString(),
                 QString("000000001234567890|12.34.567890"));
        QCOMPARE(t.scalar("SELECT count(*) FROM Fol_Mask WHERE YEAR = '" + ThisYear() + "'").toInt(), 2);
        // The recordsets end as the screens expect them.
        QCOMPARE(t.de().rsGroup().text("MORTCO"), QString("0012"));
        QCOMPARE(t.de().rsDetail().recordCount(), 4);
        QCOMPARE(t.de().rsDetail().source(), QString("SELECT * FROM Detail ORDER BY MORTCO, CD, JUR, FOLIO"));

        QVERIFY(Csv2Mdb(t.session(), path).loaded());  // a second load replaces, never adds
        QCOMPARE(t.scalar("SELECT count(*) FROM Detail").toInt(), 4);

        const SaveResult saved = Mdb2Csv(t.session(), ThisYear(), path, PaymentBackupPath(path));
        QVERIFY(saved.saved);
        QCOMPARE(saved.total, 295.25);
        QCOMPARE(readFile(path), original);
        QCOMPARE(readFile(t.file("Zoltdata.bak")), original);
        QVERIFY(original.contains("M\xdcLLER") && original.contains("PE\xd1" "A"));
        QCOMPARE(QDir(t.dir()).entryList({"Zoltdata*"}, QDir::Files).size(), 2);  // no temporary file left
    }

    void folioMasksFromTheTables()
    {
        TestSession t;
        t.exec("INSERT INTO Fol_Mask (YEAR, JUR_CD, FOLIO_LEN, FOLIO_MASK) VALUES ('2026', '101', 4, '##-##'), "
               "('2026', 'O''K', 3, '#.##')");
        t.exec("INSERT INTO FolioMask (YEAR, JUR_CD, FOLIO_LEN, FOLIO_MASK) VALUES ('2019', '202', 2, '#/#')");
        const QString folio = "000000000000001234";
        QVERIFY(!t.de().rsFol_Mask().isOpen());
        QCOMPARE(FormatFolio(t.session(), "101", folio), QString("12-34"));
        QVERIFY(t.shared.gFindCriteria.isEmpty());  // the first row answered
        QCOMPARE(FormatFolio(t.session(), "O'K", folio), QString("2.34"));
        QCOMPARE(t.shared.gFindCriteria, QString("JUR_CD = 'O''K'"));
        QCOMPARE(t.de().rsFol_Mask().text("JUR_CD"), QString("O'K"));
        QCOMPARE(FormatFolio(t.session(), "999", folio), folio + "  ");
        QCOMPARE(FormatFolioStanding(t.session(), "202", folio), QString("3/4"));
        QCOMPARE(FormatFolioStanding(t.session(), "101", folio), folio + "  ");
    }

    void duplicatesAreRefusedAndCountedInFull()
    {
        TestSession t;
        const QString line = "#1,SMITH,05,101,#1,10.00,A,10.00,0,0,0,LOT";
        QStringList first = {line, line, "#1,SMITH JR,05,101,#1,10.00,A,10.00,0,0,0,LOT"};
        QStringList second = {line};  // same payment under another agency
        for (int i = 0; i < 250; ++i)
            second << "#9,DOE,05,101,#7,1.50,A,0,0,0,0,L" + QString::number(i);
        const QString path = t.file("dup.csv");
        PaymentFileText().year(ThisYear()).group("1", "0012", first).group("2", "0034", second).write(path);

        const PaymentLoadResult loaded = Csv2Mdb(t.session(), path);
        QVERIFY(loaded.loaded());
        const DuplicateFolioStore &d = loaded.duplicates;
        QVERIFY(d.found);
        QCOMPARE(d.count, 1 + 249);
        QCOMPARE(int(d.rows.size()), DuplicateFolioStore::MaxRows);
        QCOMPARE(d.rows[0].mortco, QString("0012"));
        QCOMPARE(d.rows[1].row.legal, QString("L1"));
        QCOMPARE(d.rows[1].row.payment, 1.5);
        QCOMPARE(t.scalar("SELECT count(*) FROM Detail").toInt(), 4);
        QCOMPARE(t.scalar("SELECT FOLIO_CNT FROM \"Group\" WHERE MORTCO = '0034'").toInt(), 2);

        // A clean load finds none.
        PaymentFileText().year(ThisYear()).group("1", "0012", {line}).write(path);
        const PaymentLoadResult clean = Csv2Mdb(t.session(), path);
        QVERIFY(clean.loaded() && !clean.duplicates.found && clean.duplicates.count == 0);
    }

    void countsBeyondSixteenBits()
    {
        TestSession t;
        QStringList details;
        for (int i = 0; i < 33000; ++i)
            details << QStringLiteral("#%1,OWNER,05,101,#%1,1.00").arg(i) << QStringLiteral("#%1,OWNER,05,101,#%1,1.00").arg(i);
        const QString path = t.file("big.csv");
        PaymentFileText().year(ThisYear()).group("1", "12", details).write(path);
        const PaymentLoadResult loaded = Csv2Mdb(t.session(), path);
        QVERIFY(loaded.loaded());
        QCOMPARE(loaded.duplicates.count, 33000);
        QCOMPARE(int(loaded.duplicates.rows.size()), DuplicateFolioStore::MaxRows);
        QCOMPARE(t.scalar("SELECT FOLIO_CNT || ' ' || TOT_PAY FROM \"Group\"").toString(), QString("33000 33000.0"));
        const SaveResult saved = Mdb2Csv(t.session(), "", path, t.file("big.bak"));
        QVERIFY(saved.saved);
        QCOMPARE(saved.total, 33000.0);
        QVERIFY(readFile(path).contains("Number of Payment records,33000\r\nPayment Amount,33000.00\r\n"));
    }

    void yearsAndPlaceholderMask()
    {
        TestSession t;
        const QString path = t.file("y.csv");
        const int now = CurrentYear();
        // Next year loads; the file brings no masks: the placeholder row.
        PaymentFileText().year(QString::number(now + 1)).group("1", "0012", {"#1,A,1,101,#5,1"}).write(path);
        QVERIFY(Csv2Mdb(t.session(), path).loaded());
        QCOMPARE(t.scalar("SELECT Year FROM ZoltSystem").toString(), QString::number(now + 1));
        QCOMPARE(t.scalar("SELECT JUR_CD || FOLIO_LEN || FOLIO_MASK || YEAR FROM Fol_Mask").toString(),
                 "0000LOST THE FOLIO MASKS" + QString::number(now + 1));
        QCOMPARE(t.scalar("SELECT FOLIO_DISP FROM Detail").toString(), QString("000000000000000005  "));
        // The placeholder survives a save and a load.
        QVERIFY(Mdb2Csv(t.session(), "", path, t.file("y.bak")).saved);
        QVERIFY(readFile(path).contains("\r\n00000LOST THE FOLIO MASKS\r\n"));
        QVERIFY(readFile(path).startsWith("ZOLT DATA FOR YEAR " + QByteArray::number(now + 1)));
        QVERIFY(Csv2Mdb(t.session(), path).loaded());
        QCOMPARE(t.scalar("SELECT count(*) FROM Fol_Mask").toInt(), 1);

        // Two years ahead, before 2000, garbled or missing: nothing of the
        // file is kept, the tables hold what they held and the year stays unset.
        t.exec("UPDATE ZoltSystem SET Year = ''");
        const QList<std::pair<QString, PaymentLoadResult::Outcome>> refused = {
            {QString::number(now + 2), PaymentLoadResult::Outcome::YearRefused},
            {"1999", PaymentLoadResult::Outcome::YearRefused},
            {"2O26", PaymentLoadResult::Outcome::YearRefused}};
        for (const auto &[year, outcome] : refused) {
            PaymentFileText().year(year).group("1", "0099", {"#1,B,1,101,#6,2"}).write(path);
            const PaymentLoadResult result = Csv2Mdb(t.session(), path);
            QCOMPARE(result.outcome, outcome);
            QCOMPARE(result.fileYear, year);
        }
        PaymentFileText noYear;
        noYear.group("1", "0099", {"#1,B,1,101,#6,2"}).write(path);
        QCOMPARE(Csv2Mdb(t.session(), path).outcome, PaymentLoadResult::Outcome::NoYear);
        QVERIFY(t.ui.messages().isEmpty());
        QCOMPARE(t.scalar("SELECT group_concat(MORTCO || NAME) FROM Detail").toString(), QString("0012A"));
        QCOMPARE(t.scalar("SELECT group_concat(MORTCO) FROM \"Group\"").toString(), QString("0012"));
        QCOMPARE(t.de().rsDetail().recordCount(), 1);
        QCOMPARE(t.scalar("SELECT Year FROM ZoltSystem").toString(), QString());

        // A file with a year but nothing else: loaded, unless refused as empty.
        PaymentFileText().year(QString::number(now)).write(path);
        QCOMPARE(Csv2Mdb(t.session(), path, EmptyFile::Refuse).outcome, PaymentLoadResult::Outcome::NoPayments);
        QCOMPARE(t.scalar("SELECT count(*) FROM Detail").toInt(), 1);
        QVERIFY(Csv2Mdb(t.session(), path).loaded());
        QCOMPARE(t.scalar("SELECT count(*) FROM Detail").toInt(), 0);
    }

    void badFilesAreRefusedAndLoseNothing()
    {
        TestSession t;
        const QString good = t.file("good.csv");
        realisticFile().write(good);
        QVERIFY(Csv2Mdb(t.session(), good).loaded());

        struct Case {
            const char *name;
            QByteArray bytes;
            QString expected;
        };
        const PaymentFileText base = realisticFile();
        auto withLine = [&base](const QString &line) {
            PaymentFileText f = base;
            f.lines.insert(f.lines.indexOf("#A1,MÜLLER,05,101,#12-345-678,100.00,B,150.00,100.00,80.00,0.00,LOT 1") + 1,
                           line);
            return f.bytes();
        };
        // One refused payment line stands for them all: each reason of the
        // line's parser is checked with the parser.
        const QList<Case> cases = {
            {"workbook", QByteArray("PK\x03\x04\x14\0\0\0", 8) + QByteArray(200, 'x'), "binary data"},
            {"text", "just some\nnotes\n", "not a Zolt payment file"},
            {"long line", withLine(QString(100000, 'X')), "Line 27: the line is 100000 characters long"},
            {"cents lost", withLine("#1,N,1,2,3,1,A,12345678901234.56"),
             "Line 27: the (A) - GROSS TAX \"12345678901234.56\" would be saved as 12345678901234.60"},
        };
        for (const Case &c : cases) {
            const QString path = t.file("bad.csv");
            PaymentFileText::WriteBytes(path, c.bytes);
            t.ui.clear();
            QVERIFY2(!Csv2Mdb(t.session(), path).loaded(), c.name);
            QCOMPARE(t.ui.messages().size(), 1);
            QVERIFY2(t.ui.messages().first().section(u'\n', 1).startsWith("Csv2Mdb Unexpected error # "), c.name);
            QVERIFY2(t.ui.messages().first().section(u'\n', 0, 0).contains(path), c.name);
            if (c.expected.startsWith("Line 27: "))
                QVERIFY2(t.ui.messages().first().startsWith("Zolt could not read line 27 of " + path), c.name);
            QVERIFY2(t.ui.messages().first().contains(c.expected), qPrintable(t.ui.messages().first()));
            QCOMPARE(t.ui.said.first().icon, MessageIcon::Critical);
            QCOMPARE(t.scalar("SELECT count(*) FROM Detail").toInt(), 4);
            QCOMPARE(t.scalar("SELECT count(*) FROM \"Group\"").toInt(), 3);
            QCOMPARE(t.de().rsDetail().recordCount(), 4);  // the rows the database kept
        }

        // A file larger than any payment file is refused before it is read.
        {
            QFile huge(t.file("huge.csv"));
            QVERIFY(huge.open(QIODevice::WriteOnly));
            huge.write(base.bytes());
            QVERIFY(huge.resize(TextLineReader::MaxFileSize + 1));  // the rest a hole in the file
        }
        t.ui.clear();
        QVERIFY(!Csv2Mdb(t.session(), t.file("huge.csv")).loaded());
        QVERIFY2(t.ui.messages().value(0).contains(t.file("huge.csv") + " is not a Zolt payment file: it is larger "
                                                   "than 64 MB, the most a payment file may hold."),
                 qPrintable(t.ui.messages().value(0)));
        QCOMPARE(t.scalar("SELECT count(*) FROM Detail").toInt(), 4);

        // A file whose size says nothing (a system file) is read to its end.
        TextLineReader status("/proc/self/status", "payment file");
        QVERIFY(status.lineCount() > 5);
        QVERIFY(status.readLine().startsWith("Name:"));

        // The trap names the stage of the line that failed.
        PaymentFileText::WriteBytes(t.file("bad.csv"), withLine("#1,N,1,2,3,1e309"));
        t.ui.clear();
        QVERIFY(!Csv2Mdb(t.session(), t.file("bad.csv")).loaded());
        QVERIFY2(t.ui.messages().value(0).contains("Debug (  9- 1) occurred: Line 27:"),
                 qPrintable(t.ui.messages().value(0)));

        // Empty, or gone by the time it is read: false; a vanished file is named.
        t.ui.clear();
        PaymentFileText::WriteBytes(t.file("empty.csv"), QByteArray());
        QVERIFY(!Csv2Mdb(t.session(), t.file("empty.csv")).loaded());
        QVERIFY(t.ui.said.isEmpty());
        try {
            PaymentFileParser(t.file("gone.csv"), CurrentYear());
            QFAIL("read a missing file");
        } catch (const ZoltError &e) {
            QCOMPARE(e.number(), ErrorNumber::FileNotFound);
            QVERIFY(e.description().contains("gone.csv"));
        }
        QCOMPARE(t.scalar("SELECT count(*) FROM Detail").toInt(), 4);
    }

    // A load larger than the page cache it runs with writes pages to the
    // database's log before its end: failing at the last line must still
    // keep nothing of it, and the same file mended loads whole.
    void aLargeLoadFailingAtItsEndKeepsThePreviousData()
    {
        TestSession t;
        const QString good = t.file("good.csv");
        realisticFile().write(good);
        QVERIFY(Csv2Mdb(t.session(), good).loaded());

        QStringList details;
        for (int i = 0; i < 40000; ++i)
            details << QStringLiteral("#M%1,OWNER NUMBER %1,05,101,#%2,12.50,A,20.00,5.00,2.50,0.00,"
                                      "LOT %1 BLOCK 7 OF THE SUBDIVISION OF THE OLD MILL ESTATE")
                           .arg(i)
                           .arg(i, 9, 10, QLatin1Char('0'));
        PaymentFileText large;
        large.year(ThisYear()).masks({"10108##-###-###"});
        large.group("0001", "0012", details, QString::number(details.size()), "500000.00");
        PaymentFileText broken = large;
        broken.lines.insert(broken.lines.lastIndexOf(details.last()) + 1, "#1,N,1,2,3,1e309");
        broken.write(t.file("broken.csv"));
        QVERIFY(!Csv2Mdb(t.session(), t.file("broken.csv")).loaded());
        QVERIFY(t.ui.messages().value(0).contains("too large"));
        QCOMPARE(t.scalar("SELECT count(*) FROM Detail").toInt(), 4);
        QCOMPARE(t.scalar("SELECT count(*) FROM \"Group\"").toInt(), 3);
        QCOMPARE(t.scalar("PRAGMA integrity_check").toString(), QString("ok"));

        large.write(t.file("large.csv"));
        const PaymentLoadResult result = Csv2Mdb(t.session(), t.file("large.csv"));
        QVERIFY(result.loaded());
        QCOMPARE(result.payments, qint64(details.size()));
        QCOMPARE(t.scalar("SELECT count(*) FROM Detail").toInt(), details.size());
        QCOMPARE(t.scalar("SELECT NAME FROM Detail ORDER BY rowid DESC LIMIT 1").toString(), "OWNER NUMBER 39999");
    }

    void spreadsheetSavedFileLoadsLikeTheOriginal()
    {
        TestSession t;
        const QString original = t.file("original.csv");
        realisticFile().write(original);
        QVERIFY(Csv2Mdb(t.session(), original).loaded());
        const QString detailSql = "SELECT group_concat(MORTCO || '|' || NUMBER || '|' || NAME || '|' || CD || '|' || "
                                  "JUR || '|' || FOLIO || '|' || FOLIO_DISP || '|' || PAYMENT || '|' || ABC || '|' || "
                                  "GROSS_TAX || '|' || REG_GRANT || '|' || ADD_GRANT || '|' || DELQ || '|' || LEGAL, "
                                  "'/') FROM Detail";
        const QString groupSql = "SELECT group_concat(\"GROUP\" || MORTCO || NAME1 || ADDR1 || FOLIO_CNT || TOT_PAY) "
                                 "FROM \"Group\"";
        const QString maskSql = "SELECT group_concat(JUR_CD || FOLIO_LEN || FOLIO_MASK) FROM Fol_Mask";
        const QString details = t.scalar(detailSql).toString();
        const QString groups = t.scalar(groupSql).toString();
        const QString masks = t.scalar(maskSql).toString();

        // As a spreadsheet program saves it: every row twelve cells wide,
        // empty rows as commas, a cell with a comma in quotes, a heading the
        // user typed above the masks, lines ending in CR alone.
        PaymentFileText sheet;
        for (QString line : realisticFile().lines) {
            if (line.endsWith("LOT 2 BLOCK 9"))
                line.replace("LOT 2 BLOCK 9", "\"LOT 2, BLOCK 9\"");
            const qsizetype cells = line.count(',') + 1 - line.count(", ");
            sheet.lines << line + QString(std::max<qsizetype>(0, 12 - cells), u',');
            if (line == MaskHeader)
                sheet.lines << "CODE,LEN,MASK,,,,,,,,,";
        }
        QVERIFY(sheet.lines.contains(",,,,,,,,,,,"));
        const QString path = t.file("saved-by-a-spreadsheet.csv");
        sheet.write(path, "\r");
        const PaymentLoadResult loaded = Csv2Mdb(t.session(), path);
        QVERIFY(loaded.loaded() && !loaded.duplicates.found);
        QVERIFY(t.ui.said.isEmpty());
        QCOMPARE(t.scalar(detailSql).toString(), details);
        QCOMPARE(t.scalar(groupSql).toString(), groups);
        QCOMPARE(t.scalar(maskSql).toString(), masks);
    }

    // Amounts with words in them load as their leading number and are
    // listed; the rest of the file loads as usual.
    void looseAmountsLoadAndAreListed()
    {
        TestSession t;
        PaymentFileText f = realisticFile();
        const QStringList loose = {"#L1,LOOSE ONE,05,101,#7,125.00 PRIOR YEAR,A,abc,0,0,0,LOT 8",
                                   "#L2,LOOSE TWO,05,101,#8,10,B,10,0,0, -3.5x,LOT 9"};
        const qsizetype at = f.lines.indexOf("#B1,ÅSA ØSTERGÅRD,12,303,#000000000000000042,-5.00,A,-5.00,0.00,0.00,-5.00,");
        f.lines.insert(at + 1, loose[1]);
        f.lines.insert(at + 1, loose[0]);
        const QString path = t.file("Zoltdata.csv");
        f.write(path);
        const PaymentLoadResult result = Csv2Mdb(t.session(), path);
        QVERIFY(result.loaded());
        QVERIFY(t.ui.said.isEmpty());  // telling is the caller's
        QCOMPARE(t.scalar("SELECT group_concat(NUMBER || ':' || PAYMENT || ':' || GROSS_TAX || ':' || DELQ, ' ') "
                          "FROM Detail WHERE NUMBER LIKE 'L%'").toString(),
                 QString("L1:125.0:0.0:0.0 L2:10.0:10.0:-3.5"));
        QCOMPARE(t.scalar("SELECT TOT_PAY FROM \"Group\" WHERE MORTCO = '0056'").toDouble(), 130.0);
        QCOMPARE(result.looseValues.count, 3);
        QStringList listed;
        for (const LooseValue &a : result.looseValues.kept)
            listed << LooseValueLine(a);
        const QString line1 = QString::number(at + 2), line2 = QString::number(at + 3);
        QCOMPARE(listed, QStringList({"Line " + line1 + ": the PAYMENT AMOUNT \"125.00 PRIOR YEAR\" was read as 125.00",
                                      "Line " + line1 + ": the (A) - GROSS TAX \"abc\" was read as 0.00",
                                      "Line " + line2 + ": the DELINQUENT/CREDIT AMOUNT \" -3.5x\" was read as -3.50"}));
        // A clean file lists nothing; the largest amounts a file keeps
        // (15 significant digits) save back as they were read.
        withFirstGroup(realisticFile(), "#L3,LARGE,05,101,#00-000-009,9999999999999.99,A,9999999999999.99,0.00,0.00,"
                                        "-999999999999.99,", "9999999999999.99")
            .write(path);
        const QByteArray original = readFile(path);
        const PaymentLoadResult clean = Csv2Mdb(t.session(), path);
        QVERIFY(clean.loaded());
        QVERIFY(clean.looseValues.isEmpty() && clean.looseValues.kept.empty());
        QVERIFY(Mdb2Csv(t.session(), ThisYear(), path, PaymentBackupPath(path)).saved);
        QCOMPARE(readFile(path), original);
    }

    // A payment file a spreadsheet program saved as UTF-8 loads as the
    // Windows-1252 one, and is saved in Windows-1252.
    void utf8FilesLoadLikeWindows1252()
    {
        TestSession t;
        const QString path = t.file("Zoltdata.csv");
        const PaymentFileText f = realisticFile();
        const QByteArray windows1252 = f.bytes();
        QByteArray utf8 = f.lines.join("\r\n").toUtf8() + "\r\n";
        QVERIFY(utf8.contains("M\xC3\x9CLLER") && utf8.contains("PE\xC3\x91" "A"));
        const QString detailSql = "SELECT group_concat(NUMBER || '|' || NAME || '|' || FOLIO_DISP || '|' || PAYMENT, '/') "
                                  "FROM Detail";
        PaymentFileText::WriteBytes(path, windows1252);
        QVERIFY(Csv2Mdb(t.session(), path).loaded());
        const QString rows = t.scalar(detailSql).toString();
        QVERIFY(rows.contains("|MÜLLER|") && rows.contains("|PEÑA|") && rows.contains("|ÅSA ØSTERGÅRD|"));
        for (const QByteArray &bytes : {"\xEF\xBB\xBF" + utf8, utf8}) {
            t.exec("DELETE FROM Detail");
            PaymentFileText::WriteBytes(path, bytes);
            QVERIFY(Csv2Mdb(t.session(), path).loaded());
            QVERIFY(t.ui.said.isEmpty());
            QCOMPARE(t.scalar(detailSql).toString(), rows);
            QVERIFY(Mdb2Csv(t.session(), ThisYear(), path, PaymentBackupPath(path)).saved);
            QCOMPARE(readFile(path), windows1252);
        }

        // A letter Windows-1252 cannot carry, or bytes that are not UTF-8
        // after the mark: refused, naming the line; the tables keep the file
        // loaded before.
        const qsizetype pena = f.lines.indexOf("#A2,PEÑA,05,202,#12.34.567890,200.25,C,250.00,220.00,200.25,0.00,LOT 2 BLOCK 9");
        const QString line = "Line " + QString::number(pena + 1) + ": ";
        const QList<std::pair<QByteArray, QString>> refused = {
            {QByteArray(utf8).replace("PE\xC3\x91" "A", "PE\xC5\x81" "A"), line + "the character \"Ł\" (U+0141)"},
            {QByteArray(utf8).replace("PE\xC3\x91" "A", "PE\xF0\x9F\x98\x80"), line + "the character \"😀\" (U+1f600)"},
            {"\xEF\xBB\xBF" + QByteArray(utf8).replace("PE\xC3\x91" "A", "PE\xD1" "A"), line + "the line is not UTF-8"}};
        for (const auto &[bytes, expected] : refused) {
            PaymentFileText::WriteBytes(path, bytes);
            t.ui.clear();
            QVERIFY(!Csv2Mdb(t.session(), path).loaded());
            QVERIFY2(t.ui.messages().value(0).contains(expected), qPrintable(t.ui.messages().value(0)));
            QCOMPARE(t.scalar(detailSql).toString(), rows);
        }

        // The longest line is counted in characters, not in bytes.
        const QByteArray longLegal = QByteArray(utf8).replace(",LOT 2 BLOCK 9", "," + QString(4000, u'Ü').toUtf8());
        PaymentFileText::WriteBytes(path, longLegal);
        QVERIFY(Csv2Mdb(t.session(), path).loaded());
        QCOMPARE(t.scalar("SELECT LEGAL FROM Detail WHERE NUMBER = 'A2'").toString(), QString(32, u'Ü'));
        PaymentFileText::WriteBytes(path, QByteArray(longLegal).replace("ÜÜ", "ÜÜÜ"));
        t.ui.clear();
        QVERIFY(!Csv2Mdb(t.session(), path).loaded());
        QVERIFY2(t.ui.messages().value(0).contains(line + "the line is 6"), qPrintable(t.ui.messages().value(0)));

        // Windows-1252 bytes that are UTF-8 in one place ("Ã©") but not in
        // another ("Ü" before a letter): Windows-1252, byte for byte.
        withFirstGroup(f, "#A3,Ã©CLAIR,05,101,#00-000-005,1.00,A,1.00,0.00,0.00,0.00,", "1.00").write(path);
        const QByteArray mixedBytes = readFile(path);
        QVERIFY(mixedBytes.indexOf("\xC3\xA9") < mixedBytes.lastIndexOf("\xDCLLER"));
        QVERIFY(Csv2Mdb(t.session(), path).loaded());
        QCOMPARE(t.scalar("SELECT NAME FROM Detail WHERE NUMBER = 'A3'").toString(), QString("Ã©CLAIR"));
        QVERIFY(Mdb2Csv(t.session(), ThisYear(), path, PaymentBackupPath(path)).saved);
        QCOMPARE(readFile(path), mixedBytes);
    }

    void lineEndsAndTruncatedLastLine()
    {
        TestSession t;
        const QString path = t.file("lf.csv");
        QByteArray bytes = PaymentFileText().year(ThisYear()).group("1", "12", {}).bytes("\n");
        bytes += "#1,LAST,5,101,#9,7.5";  // no line break at the end
        PaymentFileText::WriteBytes(path, bytes);
        QVERIFY(Csv2Mdb(t.session(), path).loaded());
        QCOMPARE(t.scalar("SELECT NAME || PAYMENT FROM Detail").toString(), QString("LAST7.5"));
        QCOMPARE(t.scalar("SELECT count(*) FROM Detail WHERE NAME LIKE '%' || char(13) || '%'").toInt(), 0);
        QCOMPARE(t.scalar("SELECT TOT_PAY FROM \"Group\"").toDouble(), 7.5);
    }

    void saveCleansTextAndKeepsTheDetailsOrder()
    {
        TestSession t;
        const QString path = t.file("Z.CSV");
        realisticFile().write(path);
        QVERIFY(Csv2Mdb(t.session(), path).loaded());
        t.exec("UPDATE Detail SET NAME = 'O''HARA, \"JR\"' WHERE NUMBER = 'A1'");
        // Values stored by other programs: a number for a text, nothing for an amount.
        t.exec("UPDATE Detail SET NUMBER = 77, LEGAL = NULL, DELQ = NULL, GROSS_TAX = '12.5' WHERE NUMBER = 'A2'");
        t.de().rsDetail().open("SELECT * FROM Detail ORDER BY NAME DESC");
        const SaveResult saved = Mdb2Csv(t.session(), "", path, PaymentBackupPath(path));
        QVERIFY(saved.saved);
        const QString text = DecodeWindows1252(readFile(path));
        QVERIFY(text.contains("#77,PEÑA,05,202,#12.34.567890,200.25,C,12.50,220.00,200.25,0.00,\r\n"
                              "#A1,OHARA JR,05,101,"));
        QVERIFY(text.contains("Agency #,0034\r\nPayment Due Date,2026-04-30"));
        QVERIFY(text.contains("Number of Payment records,0\r\nPayment Amount,0.00\r\n\r\nPAYMENT DETAIL INFORMATION\r\n"
                              + ColumnHeading + "\r\n\r\n\r\n"));
        QCOMPARE(t.scalar("SELECT NAME FROM Detail WHERE NUMBER = 'A1'").toString(), QString("O'HARA \"JR\""));
        QVERIFY(QFile::exists(t.file("Z.bak")));
        QCOMPARE(t.de().rsDetail().recordCount(), 4);
    }

    // Text another program stored with line breaks or a NUL (or a
    // legal description pasted in two lines): the save and the export write
    // each value on its line, with blanks in their place, and the saved file
    // loads back whole.
    void controlCharactersNeverSplitALine()
    {
        TestSession t;
        const QString path = t.file("Zoltdata.csv");
        realisticFile().write(path);
        QVERIFY(Csv2Mdb(t.session(), path).loaded());
        const qint64 payments = t.scalar("SELECT count(*) FROM Detail").toLongLong();
        t.exec("UPDATE Detail SET LEGAL = 'LOT 1' || char(13, 10) || 'BLOCK 2', NAME = NAME || char(10) "
               "WHERE NUMBER = 'A1'");
        t.exec("UPDATE Detail SET NAME = 'NUL' || char(0) || 'NAME' || char(9) || 'X' WHERE NUMBER = 'A2'");
        t.exec("UPDATE \"Group\" SET NAME1 = 'FIRST' || char(10) || 'SECOND', ADDR1 = char(13) WHERE MORTCO = '0012'");
        t.de().rsDetail().requery();
        t.de().rsGroup().requery();
        QVERIFY(Mdb2Csv(t.session(), "", path, PaymentBackupPath(path)).saved);
        const QByteArray saved = readFile(path);
        QVERIFY(!saved.contains('\0'));
        QCOMPARE(saved.count('\n'), saved.count("\r\n"));
        QVERIFY(saved.contains(",LOT 1 BLOCK 2\r\n"));
        QVERIFY(saved.contains("Name1:,FIRST SECOND\r\n"));
        QVERIFY(saved.contains("#A2,NUL NAME\tX,"));  // a tab splits nothing: kept

        const PaymentLoadResult again = Csv2Mdb(t.session(), path);
        QVERIFY(again.loaded() && !again.duplicates.found);
        QCOMPARE(t.scalar("SELECT count(*) FROM Detail").toLongLong(), payments);

        t.exec("UPDATE Detail SET LEGAL = 'A' || char(10) || 'B' || char(0) WHERE NUMBER = 'A1'");
        t.de().rsDetail().requery();
        const QString mortco = t.scalar("SELECT MORTCO FROM Detail WHERE NUMBER = 'A1'").toString();
        t.de().rsDetail().setFilter("MORTCO = '" + mortco + "'");
        const qint64 lines = ExportPayments(t.session(), t.de().rsDetail(), mortco, t.file("Export.csv"));
        const QByteArray exported = readFile(t.file("Export.csv"));
        QCOMPARE(exported.count("\r\n"), lines);
        QCOMPARE(exported.count('\n'), lines);
        QVERIFY(exported.contains(",A B \r\n") && !exported.contains('\0'));
    }

    // The export of a long list counts its lines as it writes them.
    void exportReportsItsProgress()
    {
        TestSession t;
        QStringList lines;
        for (int i = 0; i < 1500; ++i)
            lines << QString("#%1,OWNER %1,05,101,#%1,10.00,A,10.00,0,0,0,LOT %1").arg(i);
        const QString path = t.file("Zoltdata.csv");
        PaymentFileText().year(ThisYear()).group("1", "0012", lines).write(path);
        QVERIFY(Csv2Mdb(t.session(), path).loaded());
        t.de().rsDetail().setFilter("MORTCO = '0012'");
        QCOMPARE(ExportPayments(t.session(), t.de().rsDetail(), "0012", t.file("Export.csv")), qint64(1500));
        QStringList counts;
        for (const RecordingDialog::Progress &p : t.ui.progressOf("Exporting the payment list"))
            counts << QString("%1/%2").arg(p.done).arg(p.total);
        QCOMPARE(counts, QStringList({"1000/1500", "1500/1500"}));
    }

    // Only the index of the payment key refusing a payment earns the hint
    // about duplicate payments. A disk that fills up while the payments go
    // in, or another rule of the database, is said as it is; the tables keep
    // the file loaded before.
    void databaseFailuresDuringTheLoadAreSaidAsTheyAre()
    {
        QStringList payments;
        for (int i = 0; i < 20000; ++i)
            payments << QString("#%1,OWNER %1,05,101,#%1,10.00,A,10.00,10.00,10.00,0.00,LOT %1").arg(i);
        auto fileWith = [&payments](const QString &path, int count, const QString &extra = {}) {
            QStringList lines = payments.mid(0, count);
            if (!extra.isEmpty())
                lines << extra;
            PaymentFileText().year(ThisYear()).group("1", "12", lines).write(path);
            return path;
        };

        // A full disk: a file size limit on a child, and a page cache small
        // enough that the payments are written out as they go in, as those
        // of a large file are. (The child comes first, while this process
        // holds no database open.)
        QTemporaryDir dir;
        const QString db = dir.filePath("Zolt.mdb");
        CreateDatabaseFile(db);
        const QString before = fileWith(dir.filePath("before.csv"), 3);
        const QString large = fileWith(dir.filePath("large.csv"), int(payments.size()));
        const int outcome = RunWithFileSizeLimit(QFileInfo(db).size() + 256 * 1024, [&] {
            FileSession child(db);
            if (!Csv2Mdb(child.session, before).loaded())
                return 2;
            child.de->Zolt().database().exec("PRAGMA cache_size = 20");
            if (Csv2Mdb(child.session, large).loaded())
                return 3;
            const QString text = child.ui.messages().last();
            if (!text.contains("occurred: No space left on device for the database " + db) || text.contains("DUPLICATE")) {
                std::fprintf(stderr, "%s\n", qPrintable(text));
                return 4;
            }
            Statement count = child.de->Zolt().database().prepare("SELECT COUNT(*) FROM Detail");
            return count.step() && count.column(0).toInt() == 3 ? 0 : 5;
        });
        QCOMPARE(outcome, 0);
        {
            const auto kept = Database::open(db, Database::Mode::OpenExisting);
            Statement check = kept->prepare("PRAGMA integrity_check");
            QVERIFY(check.step());
            QCOMPARE(check.column(0).toString(), QString("ok"));
        }

        TestSession t;
        QVERIFY(Csv2Mdb(t.session(), before).loaded());
        auto detailCount = [&t] { return t.scalar("SELECT COUNT(*) FROM Detail").toInt(); };
        t.exec("CREATE TRIGGER refuse BEFORE INSERT ON Detail WHEN NEW.NAME = 'REFUSED' "
               "BEGIN SELECT RAISE(ABORT, 'no such owner'); END");
        t.exec("CREATE TRIGGER twin AFTER INSERT ON Detail WHEN NEW.NAME = 'TWIN' BEGIN "
               "INSERT INTO Detail (MORTCO, NAME, CD, JUR, FOLIO) VALUES (NEW.MORTCO, 'twin', NEW.CD, NEW.JUR, "
               "NEW.FOLIO); END");
        QVERIFY(!Csv2Mdb(t.session(), fileWith(t.file("refused.csv"), 40, "#R,REFUSED,05,101,#77,1.00")).loaded());
        QString said = t.ui.messages().last();
        QVERIFY2(said.section(u'\n', 1).startsWith("Csv2Mdb Unexpected error # 1811 Debug (  9-14 FOLIO # = ")
                     && said.endsWith(" & NAME = 'REFUSED') occurred: no such owner"),
                 qPrintable(said));
        QCOMPARE(detailCount(), 3);

        QVERIFY(!Csv2Mdb(t.session(), fileWith(t.file("twin.csv"), 40, "#T,TWIN,05,101,#78,1.00")).loaded());
        said = t.ui.messages().last();
        QVERIFY2(said.contains(" & NAME = 'TWIN' Check for DUPLICATE PAYMENTS."), qPrintable(said));
        QCOMPARE(detailCount(), 3);
    }

    void failedSaveLeavesThePreviousFile()
    {
        TestSession t;
        const QString path = t.file("keep.csv");
        realisticFile().write(path);
        const QByteArray original = readFile(path);
        QVERIFY(Csv2Mdb(t.session(), path).loaded());

        // A name the file's code page cannot carry stops the save midway,
        // naming its line.
        const QString probe = t.file("probe.csv");
        QVERIFY(Mdb2Csv(t.session(), "", probe, t.file("probe.bak")).saved);
        const qsizetype b1Line =
            DecodeWindows1252(readFile(probe)).split("\r\n").indexOf(QRegularExpression("#B1,.*")) + 1;
        QVERIFY(b1Line > 1);
        t.exec("UPDATE Detail SET NAME = 'ΩMEGA' WHERE NUMBER = 'B1'");
        const SaveResult failed = Mdb2Csv(t.session(), "", path, t.file("keep.bak"));
        QVERIFY(!failed.saved);
        QCOMPARE(failed.total, 0.0);
        QVERIFY(t.ui.messages().last().section(u'\n', 1).startsWith(
            QString("Mdb2Csv Unexpected error # 3800 Debug (  7-4) occurred: Line %1: ").arg(b1Line)));
        QVERIFY(t.ui.messages().last().contains("ΩMEGA"));
        QCOMPARE(readFile(path), original);
        // There was no backup before: none is left.
        QCOMPARE(QDir(t.dir()).entryList({"keep*"}, QDir::Files), QStringList("keep.csv"));
        QFile::remove(probe);
        QFile::remove(t.file("probe.bak"));

        // A backup that cannot be made: nothing is written.
        t.exec("UPDATE Detail SET NAME = 'OMEGA' WHERE NUMBER = 'B1'");
        QVERIFY(!Mdb2Csv(t.session(), "", path, t.file("no-folder/keep.bak")).saved);
        QVERIFY(t.ui.messages().last().section(u'\n', 1).startsWith("Mdb2Csv Unexpected error # 70 Debug (  2) occurred: "));
        QCOMPARE(readFile(path), original);

        // A folder that cannot be written to.
        if (geteuid() == 0)
            QSKIP("running as root: a read-only folder can still be written");
        QDir(t.dir()).mkdir("ro");
        const QString roPath = t.file("ro/keep.csv");
        PaymentFileText::WriteBytes(roPath, original);
        QFile::setPermissions(t.file("ro"), QFile::ReadOwner | QFile::ExeOwner);
        QVERIFY(!Mdb2Csv(t.session(), "", roPath, t.file("ro/keep.bak")).saved);
        QFile::setPermissions(t.file("ro"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(readFile(roPath), original);
    }
};

QTEST_GUILESS_MAIN(TestPaymentLoadSave)
#include "test_payment_load_save.moc"
