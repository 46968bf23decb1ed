#include "common/errors.h"
#include "common/number_format.h"

#include <QtTest>
#include <bit>
#include <cfloat>
#include <cinttypes>
#include <cmath>
#include <random>

using namespace zolt;

class TestNumberFormat : public QObject {
    Q_OBJECT

private slots:
    // Each mask once; the rounding of amounts, shared by every mask, is
    // checked over the whole range of doubles below.
    void masks_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("expected");
        QTest::newRow("file amount") << 1234.5 << Mask::Amount << "1234.50";
        QTest::newRow("negative") << -5.0 << Mask::Amount << "-5.00";
        QTest::newRow("total") << 1234567.5 << Mask::Total << "1,234,567.50";
        QTest::newRow("small total") << 12.0 << Mask::Total << "12.00";
        QTest::newRow("negative total") << -1234.0 << Mask::Amount17 << "-1,234.00";
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

    // The file amount worked out another way: the 15 significant digits that
    // printf gives, as an integer, scaled to cents with half rounded up.
    static QString referenceAmount(double value)
    {
        char sci[40];
        std::snprintf(sci, sizeof sci, "%.14e", std::fabs(value));
        const QString text = QString::fromLatin1(sci);
        const qint64 mantissa = QString(text.left(16)).remove(u'.').toLongLong();
        const int shift = text.mid(17).toInt() - 12;  // cents = mantissa * 10^shift
        qint64 cents = 0;
        if (shift >= 0) {
            cents = mantissa;
            for (int i = 0; i < shift; ++i)
                cents *= 10;
        } else if (shift > -18) {
            qint64 scale = 1;
            for (int i = 0; i < -shift; ++i)
                scale *= 10;
            cents = (mantissa + scale / 2) / scale;
        }
        const QString sign = value < 0 && cents != 0 ? QStringLiteral("-") : QString();
        return sign + QString::number(cents / 100) + u'.' + QString::number(cents % 100).rightJustified(2, u'0');
    }

    void amountsOverTheWholeRangeOfDoubles()
    {
        const QList<double> edges = {0.0, -0.0, 1e-300, -1e-300, 1e-50, 5e-324, DBL_MIN, 0.004999999999999,
                                     0.005, -0.005, 0.015, 0.125, 2.675, -2.675, 1.005, 9.995, 99.995, 0.1 + 0.2,
                                     0.5, 1.5, 2.5, 999999999999.995, 999999999999999.0, 123456789012.34,
                                     0.0049999999999999999, 0.01 - 1e-17, 42.0};
        for (double v : edges)
            QCOMPARE(FormatAmount(v), referenceAmount(v));
        QCOMPARE(FormatAmount(1e-300), QString("0.00"));
        QCOMPARE(FormatAmount(-0.0), QString("0.00"));
        QCOMPARE(FormatAmount(2.675), QString("2.68"));
        QCOMPARE(FormatAmount(9.995), QString("10.00"));

        // Random values of every magnitude, and random bit patterns: every
        // finite double formats, and below 1e15 to the reference's digits.
        std::mt19937_64 random(20261206);
        for (int i = 0; i < 200000; ++i) {
            const double scaled = double(qint64(random() % 2000000001) - 1000000000) * std::pow(10.0, int(random() % 30) - 20);
            const double bits = std::bit_cast<double>(quint64(random()));
            for (double v : {scaled, bits}) {
                if (!std::isfinite(v))
                    continue;
                const QString text = FormatAmount(v);
                if (std::fabs(v) < 1e15)
                    QCOMPARE(text, referenceAmount(v));
                else
                    QVERIFY2(text.endsWith(QStringLiteral(".00")) && text.size() <= 313, qPrintable(text));
            }
        }
        QCOMPARE(FormatAmount(DBL_MAX).size(), 312);
        QCOMPARE(FormatAmount(-1e300).left(4), QString("-100"));
    }

    // An amount the files keep is one whose written text is the amount to
    // the cent; beyond 15 significant digits a cent or more may be lost.
    void amountsTheFormatKeeps()
    {
        for (double kept : {0.0, -0.0, 1.005, -2.675, 0.1 + 0.2, 1e-300, 9999999999999.99, -9999999999999.99,
                            12345678901234.5, 1234567890123.455, 1.0000000000000002, 123456789012345.0,
                            999999999999999.0, 0.0049999999999999999, 1e300})
            QVERIFY2(FormatAmountKeepsValue(kept), qPrintable(QString::number(kept, 'g', 17)));
        for (double lost : {99999999999999.99, 12345678901234.56, -12345678901234.56, 1234567890123456.0,
                            qInf(), -qInf(), qQNaN()})
            QVERIFY2(!FormatAmountKeepsValue(lost), qPrintable(QString::number(lost, 'g', 17)));
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
        // Plain digits, as codes and folios come, read to the same value as a
        // library parser reads them, up to and past the 19 digits of the
        // short way; with a blank or a sign they still count as numbers.
        QString digits;
        for (int n = 1; n <= 22; ++n) {
            digits += QChar(u'0' + (n * 7) % 10);
            QCOMPARE(NumericTextValue(digits), digits.toDouble());
            QCOMPARE(NumericTextValue(u'9' + digits), (u'9' + digits).toDouble());
        }
        QCOMPARE(NumericTextValue("000000000000000042"), 42.0);
        QVERIFY(IsNumeric(" 701") && IsNumeric("+05") && !IsNumeric("0701a"));
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
