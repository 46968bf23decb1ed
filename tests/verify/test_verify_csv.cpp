// Verify.csv: the export, the two imports with every check, and the file
// promises under a full disk and a read-only folder.

#include "support/broken_disk.h"
#include "support/test_files.h"
#include "verify_test_support.h"

#include "common/session.h"
#include "store/data_environment.h"
#include "verify/verify_csv.h"
#include "verify/verify_csv_import.h"

#include <QtTest>

using namespace zolt;
using namespace zolt::test;
using namespace zolt::verify;

namespace {

// Districts 01, 05 and 06; jurisdictions 701 and 702; every pair but 05-702.
void fillCodes(TestSession &t)
{
    t.exec("INSERT INTO Collection_District VALUES ('01', 'ONE'), ('05', 'NORTH'), ('06', 'SOUTH')");
    t.exec("INSERT INTO Jurisdiction VALUES ('701', 'HILLTOWN'), ('702', 'DALE')");
    t.exec("INSERT INTO CD_JUR VALUES ('01', '701'), ('05', '701'), ('06', '701'), ('06', '702')");
}

// Four folios, one of each status, every field filled; one known by PID only.
void fillFolios(TestSession &t)
{
    t.exec("INSERT INTO VERIFY (ACD, MORTCO, NUMBER, CD, JUR, FOLIO, PID, NAME, ADDR1, ADDR2, ADDR3, ADDR4, ADDR5, "
           "LEGAL) VALUES "
           "('A', '0012', 'N-1', '05', '701', '000000000000000011', '111', 'ADAMS, ANN', '1 HILL', 'A2', 'A3', 'A4', "
           "'A5', 'LOT 1'),"
           "('C', '0012', 'N-2', '06', '702', '000000000000000022', '222', 'BAKER', 'O''NEIL ROAD', 'B2', 'B3', 'B4', "
           "'B5', 'LOT 2'),"
           "('D', '0012', 'N-3', '06', '701', '000000000000000033', '333', 'CARTER', '3 HILL', 'C2', 'C3', 'C4', 'C5', "
           "'LOT 3'),"
           "(' ', '0012', 'N-4', '01', '701', '', '444', 'DAVIS', '4 HILL', 'D2', 'D3', 'D4', 'D5', 'LOT 4')");
}

QStringList folios(TestSession &t)
{
    QStringList rows = TableRows(t, "SELECT ACD, MORTCO, NUMBER, CD, JUR, FOLIO, PID, NAME, ADDR1, ADDR2, ADDR3, "
                                    "ADDR4, ADDR5, LEGAL FROM VERIFY");
    rows.sort();
    return rows;
}

QStringList lines(const QString &path)
{
    QStringList all = QString::fromLatin1(readFile(path)).split(QStringLiteral("\r\n"));
    if (all.last().isEmpty())
        all.removeLast();
    return all;
}

// The reasons of the error reports, in order.
QStringList reasons(const RecordingDialog &ui)
{
    QStringList found;
    for (const RecordingDialog::Said &s : ui.said) {
        if (s.title == "Import ERROR") {
            const QStringList parts = s.text.split("\r\n");
            if (parts.size() != 5 || parts[0] != "Record is NOT imported!" || parts[2] != " " || parts[3] != "Record:")
                return {"malformed report: " + s.text};
            found << parts[1] + " <" + parts[4] + ">";
        }
    }
    return found;
}

bool import(TestSession &t, const QString &mode, const QByteArray &content)
{
    writeFile(t.file("Verify.csv"), content);
    return ImportVerifyCsv(t.session(), mode, t.file("Verify.csv"));
}

}  // namespace

class TestVerifyCsv : public QObject {
    Q_OBJECT

private slots:
    // Exported and imported straight back, in either mode, every folio and
    // its status come back; the comma inside a name no longer shifts fields.
    void exportThenImportKeepsEveryFolio()
    {
        TestSession t;
        fillCodes(t);
        fillFolios(t);
        QString step;
        QCOMPARE(ExportVerifyCsv(t.session(), t.file("Verify.csv"), step), qint64(4));
        const QStringList written = lines(t.file("Verify.csv"));
        QCOMPARE(written.size(), 4);
        QVERIFY(written.contains("A,0012,N-1,05,701,000000000000000011,111,ADAMS ANN,1 HILL,A2,A3,A4,A5,LOT 1"));
        QVERIFY(written.contains(",0012,N-4,01,701,,444,DAVIS,4 HILL,D2,D3,D4,D5,LOT 4"));
        QVERIFY(written.contains("C,0012,N-2,06,702,000000000000000022,222,BAKER,ONEIL ROAD,B2,B3,B4,B5,LOT 2"));
        QCOMPARE(t.de().rsVerify().position(), qint64(0));

        QStringList expected = folios(t);
        expected.replaceInStrings("ADAMS, ANN", "ADAMS ANN").replaceInStrings("O'NEIL", "ONEIL");
        for (const QString &mode : {ImportOption1, ImportOption2}) {
            QVERIFY(ImportVerifyCsv(t.session(), mode, t.file("Verify.csv")));
            QCOMPARE(folios(t), expected);
            QCOMPARE(reasons(t.ui), QStringList());
        }
        QCOMPARE(t.de().rsVerify().recordCount(), qint64(4));

        // An empty list gives an empty file.
        t.exec("DELETE FROM VERIFY");
        t.de().rsVerify().close();
        QCOMPARE(ExportVerifyCsv(t.session(), t.file("Verify.csv"), step), qint64(0));
        QCOMPARE(readFile(t.file("Verify.csv")), QByteArray());
        QCOMPARE(ExportCompleteText(0), QString("Export to the Verify.csv file complete. 0 Records exported"));
    }

    // Without the status column a matched folio loses its status unless its
    // number changed, when it becomes "C" and keeps its number; a PID-only
    // line matches by jurisdiction and PID; a new folio is added.
    void withoutStatusColumn()
    {
        TestSession t;
        fillCodes(t);
        fillFolios(t);
        QVERIFY(import(t, ImportOption1,
                       "0012,N-1,05,701,11,,adams new,,,,,,\r\n"
                       "0012,N-99,06,702,22,,baker new,,,,,,L2\r\n"
                       "0012,N-4,1,701,,444,davis new,X1,,,,,\r\n"
                       "0099,N-5,1,701,55,,EVANS,,,,,,\r\n"));
        QCOMPARE(reasons(t.ui), QStringList());
        QCOMPARE(folios(t), QStringList({" |0012|N-1|05|701|000000000000000011|111|ADAMS NEW||||||",
                                         " |0012|N-4|01|701||444|DAVIS NEW|X1|||||",
                                         " |0099|N-5|01|701|000000000000000055||EVANS||||||",
                                         "C|0012|N-2|06|702|000000000000000022|222|BAKER NEW||||||L2",
                                         "D|0012|N-3|06|701|000000000000000033|333|CARTER|3 HILL|C2|C3|C4|C5|LOT 3"}));
    }

    // Two folios with one key: the line updates the first in the list's
    // order, not the first stored; a change of letter case alone is stored.
    void sharedKeyGoesToTheFirstInTheList()
    {
        TestSession t;
        fillCodes(t);
        t.exec("INSERT INTO VERIFY (ACD, MORTCO, NUMBER, CD, JUR, FOLIO, PID, NAME) VALUES "
               "(' ', '0012', 'N-9', '05', '701', '11', '', 'LATER FOLIO'),"
               "(' ', '0012', 'N-1', '05', '701', '000000000000000011', '', 'FIRST FOLIO'),"
               "(' ', '0012', 'N-8', '01', '701', '', '777', 'LATER PID'),"
               "(' ', '0012', 'N-2', '01', '701', '', '777', 'FIRST PID')");
        t.exec("INSERT INTO VERIFY VALUES ('A', '0012', 'N-3', 'carter', '05', '701', '33', '', 'L', 'A1', 'A2', "
               "'A3', 'A4', 'A5')");
        QVERIFY(import(t, ImportOption1,
                       ",0012,N-1,05,701,11,,NEW FOLIO,,,,,,\r\n"
                       ",0012,N-2,01,701,,777,NEW PID,,,,,,\r\n"
                       "A,0012,N-3,05,701,33,,CARTER,A1,A2,A3,A4,A5,L\r\n"));
        QCOMPARE(reasons(t.ui).join("\n"), QString());
        QCOMPARE(TableRows(t, "SELECT NUMBER, NAME FROM VERIFY ORDER BY rowid"),
                 QStringList({"N-9|LATER FOLIO", "N-1|NEW FOLIO", "N-8|LATER PID", "N-2|NEW PID", "N-3|CARTER"}));
    }

    // Every check refuses its line with its own words and the line as read;
    // the lines between are stored; a folio twice in the file with option 2
    // is stored once.
    void eachCheckRefusesItsLine()
    {
        TestSession t;
        fillCodes(t);
        fillFolios(t);
        t.ui.yesNoAnswers = {true, true};
        const QString longName(71, u'N');
        QVERIFY(import(t, ImportOption2,
                       "A,0012,N-1,0,701,11\r\n"
                       " ,0012,N-2,100,701,12\r\n"
                       ",0012,N-3,05,701,123-456\r\n"
                       ",0012,N-4,05,701,000000000000000000\r\n"
                       ",0012,N-5,05,701,15,,"
                           + longName.toLatin1()
                           + "\r\n"
                             ",0012,N-6,05,701,16\r\n"
                             ",0012,N-7,05,701,0016\r\n"
                             ",,N-8,05,701,17\r\n"
                             ",001,N-9,05,701,17\r\n"
                             ",0012,,05,701,17\r\n"
                             ",0012,N-10,07,701,17\r\n"
                             ",0012,N-11,05,800,17\r\n"
                             ",0012,N-12,05,703,17\r\n"
                             ",0012,N-13,05,701,,X1\r\n"
                             ",0012,N-14,05,701,,\r\n"
                             ",0012,N-15,05,702,17\r\n"
                             "x,0012,N-16,01,701,,9\r\n"));
        QCOMPARE(reasons(t.ui),
                 QStringList({"Collection District is NOT valid (must be 01-99). <A,0012,N-1,0,701,11>",
                              "Collection District is NOT valid (must be 01-99). < ,0012,N-2,100,701,12>",
                              "Folio Number is NOT numeric. <,0012,N-3,05,701,123-456>",
                              "Folio Number is MISSING <,0012,N-4,05,701,000000000000000000>",
                              "NAME is longer than 70 characters (the most the VERIFY field holds). <,0012,N-5,05,701,15,,"
                                  + longName + ">",
                              "Duplicate Jurisdiction and (Folio Number or Property Identifier). <,0012,N-7,05,701,0016>",
                              "Mortgage Company ID is MISSING <,,N-8,05,701,17>",
                              "Mortgage Company ID is NOT four characters long <,001,N-9,05,701,17>",
                              "Mortgage Number is MISSING <,0012,,05,701,17>",
                              "Collection District (07) is NOT in the list of valid Collection Districts! <,0012,N-10,07,"
                              "701,17>",
                              "Jurisdiction Code is NOT valid (must be 701-799). <,0012,N-11,05,800,17>",
                              "Jurisdiction (703) is NOT in the list of valid Jurisdictions! <,0012,N-12,05,703,17>",
                              "Property Identifier is NOT numeric. <,0012,N-13,05,701,,X1>",
                              "NO Folio Number or Property Identifier. <,0012,N-14,05,701,,>",
                              "Collection District (05) and Jurisdiction (702) is NOT in the list of valid "
                              "combinations! <,0012,N-15,05,702,17>"}));
        QCOMPARE(t.ui.questions(), QStringList({"There has been a number of errors... do you want to Continue ?",
                                               "There has been a number of errors... do you want to Continue ?"}));
        QCOMPARE(folios(t), QStringList({" |0012|N-16|01|701||9|||||||",
                                         " |0012|N-6|05|701|000000000000000016||||||||"}));
    }

    // Answered No after the sixth report, the import ends there: the lines
    // stored before stay, those after are not read.
    void stoppedAfterSixReports()
    {
        TestSession t;
        fillCodes(t);
        fillFolios(t);
        QByteArray content = ",0012,N-1,05,701,51\r\n";
        for (int i = 0; i < 6; ++i)
            content += ",0012,BAD,05,701,\r\n";
        content += ",0012,N-2,05,701,52\r\n";
        QVERIFY(!import(t, ImportOption2, content));
        QCOMPARE(reasons(t.ui).size(), 6);
        QCOMPARE(t.ui.questions().size(), 1);
        QCOMPARE(folios(t), QStringList({" |0012|N-1|05|701|000000000000000051||||||||"}));
        QCOMPARE(t.de().rsVerify().recordCount(), qint64(1));
        QCOMPARE(ImportAbnormalText(ImportOption2),
                 QString("ABNORMAL TERMINATION OR ERROR. Import from the Verify.csv file (option #2) is NOT complete. "));
    }

    // Cancelled from its progress, an import ends at once, keeps the lines
    // read before the Cancel and says nothing more.
    void cancelledKeepsTheLinesReadBefore()
    {
        TestSession t;
        fillCodes(t);
        QByteArray content;
        for (int i = 1; i <= 2500; ++i)
            content += QStringLiteral("A,0012,N-%1,05,701,%1\r\n").arg(i).toLatin1();
        const CancellableWork work(t.ui);
        t.ui.onProgress = [&](const RecordingDialog::Progress &p) {
            if (p.done == 1000)
                t.ui.requestCancel();
        };
        QVERIFY(!import(t, ImportOption2, content));
        QVERIFY(work.cancelled());
        QCOMPARE(t.ui.said.size(), 0);
        QCOMPARE(t.scalar("SELECT count(*) FROM VERIFY").toInt(), 1000);
        QCOMPARE(t.scalar("SELECT max(CAST(substr(NUMBER, 3) AS INTEGER)) FROM VERIFY").toInt(), 1000);
        QCOMPARE(t.de().rsVerify().recordCount(), qint64(1000));
    }

    // A missing file, or one that is no Verify.csv, is reported and changes
    // nothing, even in the mode that deletes every folio first.
    void missingOrDamagedFileChangesNothing()
    {
        TestSession t;
        fillCodes(t);
        fillFolios(t);
        const QStringList before = folios(t);
        QVERIFY(!ImportVerifyCsv(t.session(), ImportOption2, t.file("Verify.csv")));
        QCOMPARE(t.ui.said.last().text, QString("Verify.csv file is NOT found in the working directory"));
        QCOMPARE(t.ui.said.last().title, QString("Verify.csv file is missing"));
        QVERIFY(!import(t, ImportOption2, QByteArray(",0012,N-1,05,701,51\r\nPK\x03\x04\0\0binary", 30)));
        QVERIFY(t.ui.said.last().text.contains("binary data"));
        QVERIFY(!import(t, ImportOption2, ",0012,N-1,05,701,51\r\n" + QByteArray(5000, 'x') + "\r\n"));
        QVERIFY2(t.ui.said.last().text.startsWith("Line 2: the line is 5000 characters long"),
                 qPrintable(t.ui.said.last().text));
        QCOMPARE(folios(t), before);
    }

    // Values out of the ordinary: letters beyond ASCII in Windows-1252, a
    // line break inside a value blanked, a number stored as one, blanks
    // before a comma; a character without a Windows-1252 form fails the
    // export naming its line, the file there before left whole.
    void exportOfUnusualValues()
    {
        TestSession t;
        fillCodes(t);
        t.exec("INSERT INTO VERIFY (ACD, MORTCO, NUMBER, CD, JUR, FOLIO, PID, NAME, ADDR1, LEGAL) VALUES "
               "('A', '0012', 'N-1', '05', '701', '11', 555, 'JOSÉ PEÑA  ', '  Ø ' || char(13, 10) || 'X', "
               "'L,2'),"
               "(' ', '0012', 'N-2', '05', '701', '12', NULL, '\"QUOTED\" ', '€ 5', 'LOT 1 ,')");
        QString step;
        const QString path = t.file("Verify.csv");
        QCOMPARE(ExportVerifyCsv(t.session(), path, step), qint64(2));
        QCOMPARE(readFile(path), QByteArray("A,0012,N-1,05,701,11,555,JOS\xC9 PE\xD1" "A,\xD8  X,,,,,L2\r\n"
                                            ",0012,N-2,05,701,12,,QUOTED,\x80 5,,,,,LOT 1\r\n"));

        t.exec("INSERT INTO VERIFY (ACD, MORTCO, NUMBER, CD, JUR, FOLIO, NAME) VALUES "
               "(' ', '0012', 'N-3', '05', '701', '13', 'ĀDAMS')");
        t.de().rsVerify().close();
        try {
            ExportVerifyCsv(t.session(), path, step);
            QFAIL("a character without a Windows-1252 form was written");
        } catch (const ZoltError &e) {
            QVERIFY2(e.description().startsWith("Line 3: the character \"Ā\""), qPrintable(e.description()));
        }
        QCOMPARE(readFile(path).count('\n'), 2);
    }

    // A file saved as UTF-8 is read as such; one with a character that
    // Windows-1252 lacks is refused before option 2 deletes anything.
    void utf8File()
    {
        TestSession t;
        fillCodes(t);
        fillFolios(t);
        const QStringList before = folios(t);
        QVERIFY(!import(t, ImportOption2, ",0012,N-1,05,701,51,,JOSÉ\r\n,0012,N-2,05,701,52,,ĀDAMS\r\n"));
        QVERIFY2(t.ui.said.last().text.startsWith("Line 2: the character"), qPrintable(t.ui.said.last().text));
        QCOMPARE(folios(t), before);
        QVERIFY(import(t, ImportOption2, "\xEF\xBB\xBF,0012,N-1,05,701,51,,JOSÉ\r\n"));
        QCOMPARE(folios(t), QStringList({" |0012|N-1|05|701|000000000000000051||JOSÉ||||||"}));
    }

    // A full disk or a folder that cannot be written fails the export with
    // its real cause, and the Verify.csv there before is left whole.
    void failedExportKeepsThePreviousFile()
    {
        TestSession t;
        fillCodes(t);
        for (int i = 0; i < 200; ++i)
            t.exec(QString("INSERT INTO VERIFY (ACD, MORTCO, NUMBER, CD, JUR, FOLIO, NAME) VALUES "
                           "(' ', '0012', 'N-%1', '05', '701', '%2', 'A LONG ENOUGH NAME FOR THE LIMIT')")
                       .arg(i)
                       .arg(i, 18, 10, QChar('0')));
        const QString path = t.file("Verify.csv");
        writeFile(path, "old\r\n");
        const QString db = t.dbPath();
        const int outcome = RunWithFileSizeLimit(4096, [&] {
            FileSession child(db);
            QString step;
            try {
                ExportVerifyCsv(child.session, path, step);
            } catch (const std::exception &e) {
                const QString box = ExportFailedBox(step, e);
                std::fprintf(stderr, "%s\n", qPrintable(box));
                return box.startsWith("Unexpected error occurred: (")
                               && box.contains(")\r\nEnsure that the Zolt.mdb is not open.\r\n")
                               && box.contains("File too large")
                           ? 0
                           : 2;
            }
            return 1;
        });
        QCOMPARE(outcome, 0);
        QCOMPARE(readFile(path), QByteArray("old\r\n"));

        if (ReadOnlyFoldersAreWritable())
            QSKIP("root writes into read-only folders");
        const ReadOnlyFolder readOnly(t.dir());
        QString step;
        try {
            ExportVerifyCsv(t.session(), path, step);
            QFAIL("the export was written into a read-only folder");
        } catch (const std::exception &e) {
            QVERIFY2(ExportFailedBox(step, e).contains("Permission denied"), qPrintable(ExportFailedBox(step, e)));
            QCOMPARE(ExportFailedLine(step),
                     QString("Unexpected error occurred (  2 Open Verify.csv). Ensure that the Zolt.mdb is not open. "
                             "Check diskspace... then try again"));
        }
        QCOMPARE(readFile(path), QByteArray("old\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestVerifyCsv)
#include "test_verify_csv.moc"
