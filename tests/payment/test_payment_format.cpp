#include "common/clock.h"
#include "common/errors.h"
#include "common/number_format.h"
#include "common/windows1252.h"
#include "common/csv_line.h"
#include "payment/detail_line.h"
#include "payment/detail_line_encoder.h"
#include "payment/folio_mask.h"
#include "payment/group_lines.h"
#include "payment/mask_line.h"
#include "payment/payment_format.h"

#include <QtTest>
#include <cmath>
#include <random>

using namespace zolt;
using namespace zolt::payment;

class TestPaymentFormat : public QObject {
    Q_OBJECT

private slots:
    void detailLineReadsBackToTheSameRow()
    {
        DetailRow row;
        row.number = "M-100";
        row.name = "O NEIL MÜLLER";
        row.cd = "05";
        row.jur = "101";
        row.folio = "000000000012345678";
        row.payment = 1234.5;
        row.abc = "C";
        row.grossTax = 2000;
        row.regGrant = 1500.25;
        row.addGrant = 1234.5;
        row.delq = -10.1;
        row.legal = "LOT 7 BLOCK 3";
        const QString display = ApplyFolioMask(FolioMask{"##-###-###", 8}, row.folio);
        QCOMPARE(display, QString("12-345-678"));
        const QString line = DetailLineText(row, display);
        QCOMPARE(line, QString("#M-100,O NEIL MÜLLER,05,101,#12-345-678,1234.50,C,2000.00,1500.25,1234.50,-10.10,"
                               "LOT 7 BLOCK 3"));
        // Every value comes back: written again, the line is the same.
        const DetailRow back = ParseDetailLine(line);
        QCOMPARE(back.folio, row.folio);
        QCOMPARE(DetailLineText(back, display), line);
    }

    void detailLineNormalising()
    {
        // Short line: missing amounts 0, type A, legal empty; case and widths.
        DetailRow r = ParseDetailLine("#abc,smith-jones-abcdefghijklmnopqrstuvwxyz,7,1a,#12.34");
        QCOMPARE(r.number, QString("ABC"));
        QCOMPARE(r.name, QString("SMITH-JONES-ABCDEFGHIJKLM"));
        QCOMPARE(r.cd, QString("07"));
        QCOMPARE(r.jur, QString("1a"));
        QCOMPARE(r.folio, QString("000000000000001234"));
        QCOMPARE(r.payment, 0.0);
        QCOMPARE(r.abc, QString("A"));
        QCOMPARE(r.legal, QString());
        r = ParseDetailLine("N,NAME,,,,,x,,,,,A LEGAL DESCRIPTION LONGER THAN THIRTY-TWO");
        QCOMPARE(r.cd, QString("0"));
        QCOMPARE(r.abc, QString("A"));
        QCOMPARE(r.legal, QString("A LEGAL DESCRIPTION LONGER THAN "));
        QCOMPARE(ParseDetailLine("N,NAME,1,2,3,-0,b").payment, 0.0);
        QVERIFY(!std::signbit(ParseDetailLine("N,NAME,1,2,3,-0,b").payment));
        QCOMPARE(ParseDetailLine("N,NAME,1,2,3,1,b").abc, QString("B"));
        // A spreadsheet pads lines with empty values: still one payment; a
        // legal description with commas is kept whole, without them.
        QCOMPARE(ParseDetailLine("N,NAME,1,2,3,4,A,5,6,7,8,LEGAL,,,,").legal, QString("LEGAL"));
        QCOMPARE(ParseDetailLine("N,NAME,1,2,3,4,A,5,6,7,8,LOT 1, BLOCK 2,,").legal, QString("LOT 1 BLOCK 2"));
        r = ParseDetailLine("N,NAME,1,2,3,4,A,5,6,7,8,L" + QString(",X").repeated(40));
        QCOMPARE(r.legal, "L" + QString(31, 'X'));
        QCOMPARE(r.delq, 8.0);
        // The micro sign has no capital in the file's code page: kept.
        QCOMPARE(ParseDetailLine("N,straße µ").name, QString("STRAßE µ"));
        QCOMPARE(RemoveQuotes("#1,O'NEIL \"JR\""), QString("#1,ONEIL JR"));
    }

    void detailLinesThatWouldLoseDataAreRefused_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("why");
        QTest::newRow("thousands in the payment") << "N,NAME,1,2,3,1,234.50,A,5,6,7,8,L" << "\"234.50\" is a number";
        QTest::newRow("thousands in the gross tax") << "N,NAME,1,2,3,4,A,1,234.50,6,7,8,L" << "more than 12 values";
        QTest::newRow("thousands in the credit") << "N,NAME,1,2,3,4,A,5,6,7,-1,234.50,LOT 1, BLOCK 2"
                                                 << "more than 12 values";
        QTest::newRow("thousands, short line") << "N,NAME,1,2,3,1,234.50" << "TYPE A/B/C \"234.50\" is a number";
        QTest::newRow("40-digit folio") << "N,NAME,1,2," + QString("1").repeated(40) << "more than 18 digits";
        QTest::newRow("1e309") << "N,NAME,1,2,3,1e309" << "too large";
        QTest::newRow("large before words") << "N,NAME,1,2,3,4,A,0,0,0,2e15 DUE" << "AMOUNT \"2e15 DUE\" is too large";
        QTest::newRow("16 digits") << "N,NAME,1,2,3,99999999999999.99"
                                   << "PAYMENT AMOUNT \"99999999999999.99\" would be saved as 100000000000000.00";
        QTest::newRow("cents lost") << "N,NAME,1,2,3,4,A,0,0,12345678901234.56 X"
                                    << "(C) - ADDITIONAL GRANT \"12345678901234.56 X\" would be saved as "
                                       "12345678901234.60";
    }

    void detailLinesThatWouldLoseDataAreRefused()
    {
        QFETCH(QString, line);
        QFETCH(QString, why);
        try {
            ParseDetailLine(line);
            QFAIL("accepted");
        } catch (const ZoltError &e) {
            QCOMPARE(e.number(), ErrorNumber::BadFileFormat);
            QVERIFY2(e.description().contains(why), qPrintable(e.description()));
        }
        // Leading zeros beyond 18 digits carry nothing and are fine.
        QCOMPARE(ParseDetailLine("N,NAME,1,2," + QString(30, '0') + "42").folio, QString("000000000000000042"));
    }

    // An amount is judged by its value, not by the length of its text: a
    // long tiny amount is tiny, leading zeros carry nothing.
    void amountsAreReadByTheirValueWhateverTheirLength()
    {
        auto payment = [](const QString &amount) { return ParseDetailLine("N,NAME,1,2,3," + amount).payment; };
        const QString tiny = "0." + QString(61, '0') + "1";
        QCOMPARE(tiny.size(), 64);
        QCOMPARE(payment(tiny), 1e-62);
        QCOMPARE(payment(QString(70, '0') + "1.50"), 1.5);
        QCOMPARE(payment("1e-400"), 0.0);
        QCOMPARE(payment("0.00000000012345e12"), 123.45);
        QCOMPARE(payment("999999999999999.00"), 999999999999999.0);
        QCOMPARE(payment("-" + QString(80, '0') + "12" + QString(60, '0') + "e-60"), -12.0);
        for (const QString &large : {QString("1000000000000000"), QString("0.1e16"), QString("1e99999999999999999999"),
                                     "1" + QString(70, '0')}) {
            try {
                payment(large);
                QFAIL(qPrintable(large));
            } catch (const ZoltError &e) {
                QVERIFY2(e.description().endsWith("is too large"), qPrintable(e.description()));
            }
        }
    }

    // An amount that is not a plain number is its leading number, 0 when
    // there is none, and is noted with its column and text as it stood.
    void looseAmountsAreReadByTheirLeadingNumber()
    {
        std::vector<LooseValue> loose;
        const DetailRow r = ParseDetailLine("N,NAME,1,2,3,125.00 PRIOR YEAR,B,abc,  -3.5x,2e2y,7e-,LOT 1", &loose);
        QCOMPARE(r.payment, 125.0);
        QCOMPARE(r.abc, QString("B"));
        QCOMPARE(r.grossTax, 0.0);
        QCOMPARE(r.regGrant, -3.5);
        QCOMPARE(r.addGrant, 200.0);
        QCOMPARE(r.delq, 7.0);
        QCOMPARE(r.legal, QString("LOT 1"));
        QStringList noted;
        for (const LooseValue &a : loose)
            noted << a.column + '=' + a.text + '=' + a.readAs;
        QCOMPARE(noted, QStringList({"PAYMENT AMOUNT=125.00 PRIOR YEAR=125.00", "(A) - GROSS TAX=abc=0.00",
                                     "(B) - REGULAR GRANT=  -3.5x=-3.50", "(C) - ADDITIONAL GRANT=2e2y=200.00",
                                     "DELINQUENT/CREDIT AMOUNT=7e-=7.00"}));
        // Plain numbers, blanks around them and empty amounts are not noted.
        loose.clear();
        QCOMPARE(ParseDetailLine("N,NAME,1,2,3, 12.5 ,A,-.5,1e2,,", &loose).regGrant, 100.0);
        QVERIFY(loose.empty());
        for (const char *none : {"-", ".", "+.e5", "e5", "$12"}) {
            QCOMPARE(ParseDetailLine(QString("N,NAME,1,2,3,") + none, &loose).payment, 0.0);
            QCOMPARE(loose.back().text, QString(none));
        }
        QCOMPARE(ParseDetailLine("N,NAME,1,2,3,.5.5").payment, 0.5);

        // Texts longer than their fields are cut, and noted when more than
        // blanks goes; a legal description is judged without its commas.
        loose.clear();
        const DetailRow cut = ParseDetailLine("#M0010001612345678,VAN DER BERG-HOOGENBOOM JOHANNES,123,1011,#1,0,A,"
                                              "0,0,0,0,LOT 1, BLOCK 2, SUNSET ESTATES, EAST WING",
                                              &loose);
        QCOMPARE(cut.number, QString("M00100016123"));
        QCOMPARE(cut.name, QString("VAN DER BERG-HOOGENBOOM J"));
        QCOMPARE(cut.cd, QString("23"));
        QCOMPARE(cut.jur, QString("101"));
        QCOMPARE(cut.legal, QString("LOT 1 BLOCK 2 SUNSET ESTATES EAS"));
        noted.clear();
        for (const LooseValue &a : loose)
            noted << a.column + '=' + a.readAs;
        QCOMPARE(noted, QStringList({"MORTGAGE NUMBER=\"M00100016123\" (its first 12 characters)",
                                     "NAME OF OWNER=\"VAN DER BERG-HOOGENBOOM J\" (its first 25 characters)",
                                     "COLLECTION DISTRICT=\"23\"", "JURISDICTION=\"101\" (its first 3 characters)",
                                     "LEGAL DESCRIPTION=\"LOT 1 BLOCK 2 SUNSET ESTATES EAS\" (its first 32 characters)"}));
        loose.clear();
        ParseDetailLine("#1,SMITH JOHN                    ,05,101,#1", &loose);  // only blanks go
        QVERIFY(loose.empty());

        // The information after a load lists the first of them.
        LooseValues values;
        for (int i = 1; i <= 25; ++i)
            values.add(LooseAmount("PAYMENT AMOUNT", QString::number(i) + " X", double(i)));
        values.kept[19].line = 20;
        const QString message = LooselyReadValuesMessage(values);
        QVERIFY(message.startsWith("25 values of the payment file could not be read as they stand."));
        QVERIFY(message.contains("\nLine 20: the PAYMENT AMOUNT \"20 X\" was read as 20.00\n... and 5 more"));
        QVERIFY(!message.contains("21 X"));
    }

    void lineKindsAndYears()
    {
        QCOMPARE(ClassifyLine("ZOLT DATA FOR YEAR 2026"), LineKind::YearLine);
        QCOMPARE(ClassifyLine("FOLIO MASK INFORMATION,,,"), LineKind::MaskStart);
        QCOMPARE(ClassifyLine("PAYMENT GROUP INFORMATION"), LineKind::GroupStart);
        QCOMPARE(ClassifyLine("PAYMENT DETAIL INFORMATION"), LineKind::DetailStart);
        QCOMPARE(ClassifyLine(ColumnHeading), LineKind::NoData);
        QCOMPARE(ClassifyLine("   "), LineKind::NoData);
        QCOMPARE(ClassifyLine(",,, ,,,"), LineKind::NoData);
        QCOMPARE(ClassifyLine("#1,NAME"), LineKind::Data);
        QCOMPARE(YearOfLine("ZOLT DATA FOR YEAR 2026,,,"), QString("2026"));

        const int now = CurrentYear();
        QVERIFY(IsAcceptedYear("2000", now));
        QVERIFY(IsAcceptedYear(QString::number(now), now));
        QVERIFY(IsAcceptedYear(QString::number(now + 1), now));
        QVERIFY(!IsAcceptedYear(QString::number(now + 2), now));
        QVERIFY(!IsAcceptedYear("1999", now));
        QVERIFY(!IsAcceptedYear("201X", now));
        QVERIFY(IsAcceptedYear("2021", 2026));  // past the old fixed limit
    }

    void groupAndMaskLines()
    {
        auto value = [](const QString &line) {
            const GroupLabel *label = MatchGroupLabel(line);
            return label ? label->field + '=' + GroupLabelValue(*label, line) : QString("none");
        };
        QCOMPARE(value("Group #,12,,,"), QString("GROUP=0012"));
        QCOMPARE(value("Agency #,a7"), QString("MORTCO=00A7"));
        QCOMPARE(value("Name1:,acme, inc,,,"), QString("NAME1=ACME, INC"));
        QCOMPARE(value("Payment Due Date,30/04/2026,,"), QString("DUEDATE=30/04/2026"));
        QCOMPARE(value("Contact Phone Number:,(555) 555-0100 x"), QString("CONT_PHONE=(555) 555-010"));
        QCOMPARE(value("Address6:,po box 1"), QString("ADDR6=PO BOX 1"));
        QCOMPARE(value("Number of Payment records,3"), QString("none"));

        const auto plain = ParseMaskLine("10108##-###-###");
        const auto commas = ParseMaskLine("101,08,##-###-###,,,,");
        QVERIFY(plain && commas);
        QCOMPARE(plain->jurCd, QString("101"));
        QCOMPARE(plain->folioLength, 8);
        QCOMPARE(plain->mask, QString("##-###-###"));
        QCOMPARE(commas->jurCd, plain->jurCd);
        QCOMPARE(commas->folioLength, plain->folioLength);
        QCOMPARE(commas->mask, plain->mask);
        QVERIFY(!ParseMaskLine("10108NO DIGITS"));
        QVERIFY(!ParseMaskLine("00000LOST THE FOLIO MASKS"));
        QVERIFY(!ParseMaskLine("CODE,LEN,MASK"));
        QVERIFY_THROWS_EXCEPTION(ZoltError, ParseMaskLine("2021044##.##.######"));
        QCOMPARE(MaskLineText("202", "8", "##.######"), QString("20208##.######"));
        QCOMPARE(MaskLineText("000", "0", PlaceholderMask), QString("00000LOST THE FOLIO MASKS"));
    }

    void folioMasks()
    {
        const QString folio = "000000001234567890";
        QCOMPARE(ApplyFolioMask({"###.###-####", 10}, folio), QString("123.456-7890"));
        // More places than digits: the surplus stays empty.
        QCOMPARE(ApplyFolioMask({"####-####-##", 8}, folio), QString("3456-7890-"));
        QCOMPARE(ApplyFolioMask({PlaceholderMask, 0}, folio), PlaceholderMask);
        QCOMPARE(ApplyFolioMask(DefaultFolioMask(folio), folio), folio + "  ");

        FolioMaskTable table;
        QCOMPARE(table.display("101", folio), folio + "  ");
        table.add("101", "##-########", 10);
        QVERIFY(!table.add("101", "#", 1));
        table.add("202", "##.##", 4);
        QCOMPARE(table.display("101", folio), QString("12-34567890"));
        QCOMPARE(table.display("202", folio), QString("78.90"));
        QCOMPARE(table.display("999", folio), folio + "  ");
    }

    // The save's two ways to a detail line agree: the one over the stored
    // bytes, where it takes a payment, gives the bytes of DetailLineText.
    void detailLinesFromStoredBytesMatchTheTextPath()
    {
        const QStringList texts = {"", "  ", "SMITH JOHN", " PADDED  ", "MÜLLER JÜRGEN", "O'BRIEN", "SMITH, JOHN",
                                   "SAY \"HI\"", "€URO ŠKODA", "ZHANG 张", "TAB\tX", "TWO\r\nLINES",
                                   QString("NUL") + QChar(0) + "X", "#12", "lower"};
        const QStringList jurs = {"101", "202", "303", "404", "505", "999", "", "1,0", "zz"};
        const QStringList folios = {"000000001234567890", "12 34", " 123 ", "", "ABC", "12345678901234567890123",
                                    "00000000000000Ü123"};
        const double amounts[] = {0, -0.0, 1234.5, 0.005, 1e14, -1.005, 250.25, qInf(), qQNaN()};
        FolioMaskTable masks;
        masks.add("101", "##-########", 10);
        masks.add("202", "##·###.####", 0);    // a character of the code page's upper half
        masks.add("303", "##,###", 6);          // a comma the line loses
        masks.add("404", "##Ω##", 4);           // no Windows-1252 form
        masks.add("ZZ", " ###-### ", 30);       // found by its upper case
        for (const FolioMaskTable *table : {&masks, new FolioMaskTable()}) {
            DetailLineEncoder encoder(*table);
            std::mt19937 random(7);
            auto pick = [&](const QStringList &from) { return from[qsizetype(random() % quint32(from.size()))]; };
            auto amount = [&] { return amounts[random() % std::size(amounts)]; };
            int plain = 0;
            for (int i = 0; i < 4000; ++i) {
                const QString number = pick(texts).left(12), name = pick(texts), cd = pick(texts).left(2),
                              jur = pick(jurs), folio = pick(folios), abc = pick(texts).left(1), legal = pick(texts);
                const double payment = amount(), gross = amount(), reg = amount(), add = amount(), delq = amount();
                const QByteArray utf8[] = {number.toUtf8(), name.toUtf8(), cd.toUtf8(), jur.toUtf8(),
                                           folio.toUtf8(), abc.toUtf8(), legal.toUtf8()};
                StoredDetailBytes stored{utf8[0], utf8[1], utf8[2], utf8[3], utf8[4], utf8[5], utf8[6],
                                         payment, gross, reg, add, delq};
                const DetailRow row{CommaFree(number), CommaFree(name), CommaFree(cd),
                                    CommaFree(jur), folio, payment, abc, gross, reg, add, delq,
                                    CommaFree(legal)};
                const QString line = DetailLineText(row, table->display(row.jur, folio));
                QByteArray expected;
                const bool encodable = EncodeWindows1252(line, expected);
                expected += "\r\n";

                QByteArray out("before");
                if (encoder.appendPlain(stored, out)) {
                    ++plain;
                    QVERIFY2(encodable, qPrintable(line));
                    QCOMPARE(out, "before" + expected);
                    continue;
                }
                QCOMPARE(out, QByteArray("before"));
                const std::optional<QString> refused = encoder.append(row, out);
                QCOMPARE(refused.has_value(), !encodable);
                QCOMPARE(out, encodable ? "before" + expected : QByteArray("before"));
            }
            QVERIFY(plain > 200);  // the plain path takes what it can
            if (table != &masks)
                delete table;
        }
        // A payment of the common kind takes the plain path, accented names too.
        DetailLineEncoder encoder(masks);
        QByteArray out;
        QVERIFY(encoder.appendPlain({"M-1", "PEÑA SANDRA ", "05", "101", "000000001234567890", "B", "LOT 1",
                                     12.5, 1, 2, 3, 0},
                                    out));
        QCOMPARE(DecodeWindows1252(out),
                 QString("#M-1,PEÑA SANDRA,05,101,#12-34567890,12.50,B,1.00,2.00,3.00,0.00,LOT 1\r\n"));
    }

    void windows1252()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString text = DecodeWindows1252(all);
        QCOMPARE(text.at(0x80), QChar(0x20AC));
        QCOMPARE(text.at(0xDC), QChar(u'Ü'));
        QByteArray back;
        QVERIFY(EncodeWindows1252(text, back));
        QCOMPARE(back, all);
        qsizetype bad = -1;
        QByteArray out("x");
        QVERIFY(!EncodeWindows1252(u"PEÑA Ω", out, &bad));
        QCOMPARE(bad, 5);
        QCOMPARE(out, QByteArray("x"));

        // From UTF-8: the same bytes; malformed text and characters
        // without a form refused, the output left as it was.
        std::string direct = "x";
        QVERIFY(AppendUtf8AsWindows1252(text.toUtf8(), direct));
        QCOMPARE(QByteArray::fromStdString(direct), "x" + all);
        for (const char *malformed : {"\xC3", "\xC0\x80", "\xE2\x82", "\x80", "\xED\xA0\x80", "\xF0\x9F\x98\x80",
                                "\xE0\x80\xAF", "A\xCE\xA9"}) {
            std::string kept = "x";
            QVERIFY2(!AppendUtf8AsWindows1252(malformed, kept), malformed);
            QCOMPARE(kept, std::string("x"));
        }
    }
};

QTEST_GUILESS_MAIN(TestPaymentFormat)
#include "test_payment_format.moc"
