#include "common/errors.h"
#include "common/number_format.h"

#include <QtTest>

using namespace zolt;

class TestNumberFormat : public QObject {
    Q_OBJECT

private slots:
    void masks_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("expected");
        QTest::newRow("file amount") << 1234.5 << Mask::Amount << "1234.50";
        QTest::newRow("zero") << 0.0 << Mask::Amount << "0.00";
        QTest::newRow("negative") << -5.0 << Mask::Amount << "-5.00";
        QTest::newRow("negative zero") << -0.0 << Mask::Amount << "0.00";
        QTest::newRow("rounds to zero") << -0.001 << Mask::Amount << "0.00";
        QTest::newRow("half away from zero") << 1.005 << Mask::Amount << "1.01";
        QTest::newRow("half negative") << -2.675 << Mask::Amount << "-2.68";
        QTest::newRow("carry") << 9.999 << Mask::Amount << "10.00";
        QTest::newRow("wider than the mask") << 123456789012345.0 << Mask::Amount << "123456789012345.00";
        QTest::newRow("total") << 1234567.5 << Mask::Total << "1,234,567.50";
        QTest::newRow("total zero") << 0.0 << Mask::Total << "0.00";
        QTest::newRow("small total") << 12.0 << Mask::Total << "12.00";
        QTest::newRow("negative total") << -1234.0 << Mask::Amount17 << "-1,234.00";
        QTest::newRow("count") << 350.0 << Mask::Count << "350";
        QTest::newRow("count thousands") << 1000000.0 << Mask::Count << "1,000,000";
        QTest::newRow("thousands") << 999.5 << Mask::Thousands0 << "1,000";
        QTest::newRow("wide") << 0.5 << Mask::Amount20 << "0.50";
        QTest::newRow("tiny") << 0.004 << Mask::Thousands2 << "0.00";
    }

    void masks()
    {
        QFETCH(double, value);
        QFETCH(QString, mask);
        QFETCH(QString, expected);
        QCOMPARE(FormatNumber(value, mask), expected);
    }

    void gridFormats()
    {
        QCOMPARE(FormatStandard(1234.5), QString("1,234.50"));
        QVERIFY(FormatCurrency(1234.5).endsWith("1,234.50"));
        QVERIFY(FormatCurrency(-3).startsWith('('));
        QVERIFY(!FormatCurrency(-0.001).startsWith('('));
    }

    void numericTest()
    {
        for (const char *yes : {"12.5", " -5 ", "+3", "1,234.50", "1e5", ".5", "5."})
            QVERIFY2(IsNumeric(QString::fromLatin1(yes)), yes);
        for (const char *no : {"", "   ", "abc", "12a", "1e", "-", ",5", "1.2.3", "1e309"})
            QVERIFY2(!IsNumeric(QString::fromLatin1(no)), no);
        QCOMPARE(NumericTextValue("1,234.50"), 1234.5);
        QCOMPARE(FormatText("12.5", Mask::Amount), QString("12.50"));
        QCOMPARE(FormatText("abc", Mask::Amount), QString("abc"));
    }

    void leadingNumber()
    {
        QCOMPARE(NumericValue("12abc"), 12.0);
        QCOMPARE(NumericValue("  -3.25 "), -3.25);
        QCOMPARE(NumericValue("abc"), 0.0);
        QCOMPARE(NumericValue(""), 0.0);
        QCOMPARE(NumericValue("1,234.50"), 1.0);
        QCOMPARE(NumericValue("2e3x"), 2000.0);
        QCOMPARE(NumericValue("7e"), 7.0);
        QVERIFY(!std::signbit(NumericValue("-0")));
        QVERIFY_THROWS_EXCEPTION(ZoltError, NumericValue("1e309"));
        try {
            NumericValue("-1e400");
        } catch (const ZoltError &e) {
            QCOMPARE(e.number(), ErrorNumber::Overflow);
        }
    }
};

QTEST_GUILESS_MAIN(TestNumberFormat)
#include "test_number_format.moc"
