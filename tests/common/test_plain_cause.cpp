#include "common/error_trap.h"
#include "common/errors.h"
#include "common/plain_cause.h"

#include <QtTest>

using namespace zolt;

class TestPlainCause : public QObject {
    Q_OBJECT

private slots:
    // Each kind of error gets its own first line, naming the file (and the
    // line when one is known) and what to do; the trap's text follows it
    // unchanged.
    void causeThenTrap()
    {
        const QString file = QStringLiteral("/home/clerk/tax files/Zoltdata.csv");
        struct Case {
            ZoltError error;
            QString cause;
        };
        const Case cases[] = {
            {ZoltError(ErrorNumber::FileNotFound, "Cannot read"), "Zolt could not find " + file + "."},
            {ZoltError(ErrorNumber::PathNotFound, "no folder"), "Zolt could not find " + file + "."},
            {ZoltError(ErrorNumber::PermissionDenied, "denied"), "Zolt may not read or write " + file + "."},
            {ZoltError(ErrorNumber::FileAccess, "busy"), "Zolt could not read or write " + file + "."},
            {ZoltError(ErrorNumber::DiskFull, "short write"), "Zolt could not write " + file + " completely: the disk is full."},
            {ZoltError(ErrorNumber::BadFileFormat, "Line 12: the line has 3 values", ErrorSource::Program, 12),
             "Zolt could not read line 12 of " + file + ": the line has 3 values. Correct the line"},
            {ZoltError(ErrorNumber::BadFileFormat, "binary"), "Zolt could not read " + file + ": it is not a file"},
            {ZoltError(ErrorNumber::WorkbookUnreadable, "damaged"), "Zolt could not use the workbook " + file + ":"},
            {ZoltError(ErrorNumber::CharacterNotEncodable, "Omega"), "Zolt could not write " + file + ": some text"},
            // The database's numbers are SQLite's: 13 is a full disk there.
            {ZoltError(13, "No space", ErrorSource::Database), "Zolt could not write to its database: the disk is full."},
            {ZoltError(13, "Type mismatch"), "Zolt could not use a value in " + file + ":"},
            {ZoltError(5, "locked", ErrorSource::Database), "Zolt's database is in use by another program."},
            {ZoltError(26, "not a database", ErrorSource::Database), "Zolt's database is damaged."},
            {ZoltError(2067, "UNIQUE", ErrorSource::Database), "Zolt's database refused a record:"},
            {ZoltError(3704, "closed"), "Zolt met an error it did not expect."},
        };
        for (const Case &c : cases) {
            const QString trap = ProcedureTrapMessage("Csv2Mdb", "  1-19", c.error);
            const QString box = WithPlainCause(c.error, file, trap);
            const QString first = box.section(u'\n', 0, 0);
            QVERIFY2(first.startsWith(c.cause), qPrintable(box));
            QCOMPARE(box.section(u'\n', 1), trap);
        }
        // A cause that asks keeps its question mark.
        const ZoltError asks(ErrorNumber::BadFileFormat, "Line 7: is it a payment file?", ErrorSource::Program, 7);
        QVERIFY(PlainCause(asks, file).startsWith("Zolt could not read line 7 of " + file + ": is it a payment file? "));
        // Anything but a ZoltError, and work on no named file.
        const std::runtime_error odd("bad_alloc");
        QVERIFY(PlainCause(odd, file).startsWith("Zolt met an error it did not expect."));
        QVERIFY(PlainCause(ZoltError(ErrorNumber::FileNotFound, "x"), QString()).startsWith("Zolt could not find the file."));
        // The startup trap's own second line stays where it was.
        const QString startup = StartupTrapMessage("(019)", ZoltError(26, "damaged", ErrorSource::Database));
        QCOMPARE(WithPlainCause(ZoltError(26, "damaged", ErrorSource::Database), "/a/Zolt.mdb", startup).section(u'\n', 1),
                 startup);
    }
};

QTEST_APPLESS_MAIN(TestPlainCause)
#include "test_plain_cause.moc"
