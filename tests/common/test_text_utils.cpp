#include "common/csv_line.h"
#include "common/text_utils.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace zolt;

class TestTextUtils : public QObject {
    Q_OBJECT

private slots:
    // Values keep their places whatever they hold: commas are removed from
    // values, quotes from the line; splitting gives empty missing values.
    void csvLines()
    {
        const QString line = JoinCsvLine({"", "0012", "O'NEIL, \"JR\"", " LOT 1, BLOCK 2 ", "", ""});
        QCOMPARE(line, QString(",0012,ONEIL JR, LOT 1 BLOCK 2 ,,"));
        QStringView rest;
        const std::vector<QStringView> values = SplitCsvLine(line, 4, &rest);
        QCOMPARE(values.size(), size_t(4));
        QCOMPARE(values[2].toString(), QString("ONEIL JR"));
        QCOMPARE(rest.toString(), QString(","));
        const std::vector<QStringView> short_ = SplitCsvLine(u"A,B", 4);
        QCOMPARE(short_[1].toString(), QString("B"));
        QVERIFY(short_[2].isEmpty() && short_[3].isEmpty());
    }

    void fileTests()
    {
        QTemporaryDir dir;
        const QString empty = dir.filePath("empty.csv");
        const QString full = dir.filePath("full.csv");
        QFile(empty).open(QIODevice::WriteOnly);
        QFile f(full);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("x");
        f.close();

        QVERIFY(!FileExists(empty));
        QVERIFY(FileExists(full));
        QVERIFY(!FileExists(dir.filePath("missing.csv")));
        QVERIFY(!FileExists(dir.path()));  // a folder is not a file
        QVERIFY(!FileExists(QString()));

        FileAttributeFlags flags = GetFileAttributeFlags(full);
        QCOMPARE(flags.attributeValue, 32);
        QVERIFY(flags.recognised && flags.archive && !flags.readOnly && !flags.compressed);

        // Judged by the permission bits, so the answer holds for root too.
        QVERIFY(QFile::setPermissions(full, QFile::ReadOwner | QFile::ReadGroup));
        flags = GetFileAttributeFlags(full);
        QCOMPARE(flags.attributeValue, 33);
        QVERIFY(flags.recognised && flags.readOnly && flags.archive);

        for (const QString &path : {empty, dir.path(), QStringLiteral("/dev/null")}) {
            flags = GetFileAttributeFlags(path);
            QVERIFY2(!flags.recognised && !flags.readOnly, qPrintable(path));
            QCOMPARE(flags.attributeValue, -1);
        }
    }

    // The small text helpers the screens and the files use.
    void textHelpers()
    {
        QCOMPARE(TrimBlanks("\tA "), QString("\tA"));  // only blanks are trimmed: a tab is data
        QCOMPARE(RepeatText("0", 5), QString("00000"));
        QCOMPARE(RepeatText("ab", 0), QString());
        QCOMPARE(RepeatText("ab", -3), QString());
        QCOMPARE(StripQuotes("  O'NEIL \"JR\" "), QString("ONEIL JR"));
        QCOMPARE(StripQuotes("'"), QString());
        QString text = "   SMITH    JOHN  A   ";
        QCOMPARE(CollapseBlanks(text), QString("SMITH JOHN A"));
        QCOMPARE(text, QString("SMITH    JOHN  A"));  // the caller keeps the trimmed text
        QString none;
        QCOMPARE(CollapseBlanks(none), QString());
        QCOMPARE(QuoteCriteria("O'NEIL"), QString("'O''NEIL'"));
        QCOMPARE(EscapeCriteria("a''b"), QString("a''''b"));
        QCOMPARE(PadCut("AB", 4), QString("AB  "));
        QCOMPARE(PadCut("ABCDEF", 4), QString("ABCD"));
    }
};

QTEST_GUILESS_MAIN(TestTextUtils)
#include "test_text_utils.moc"
