// Entering, changing, deleting and finding payments, over a database filled
// by the payment load, with the screens opened through the navigator.

#include "payment/payment_fixture.h"
#include "support/fake_task_host.h"
#include "support/test_session.h"
#include "support/screen_actions.h"

#include "widgets/data_grid.h"
#include "payment/payment_load.h"
#include "payment_screens/detail.h"
#include "payment_screens/detail_delete.h"
#include "payment_screens/detail_entry.h"
#include "payment_screens/detail_search.h"
#include "payment_screens/group.h"
#include "payment_screens/payment_fields.h"
#include "store/data_environment.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QCheckBox>
#include <QClipboard>
#include <QRadioButton>
#include <QtTest>

using namespace zolt;
using namespace zolt::test;
using namespace zolt::payment_screens;

namespace {

using Kind = DetailEntry::Kind;

// Agency 0012: SMITH JOHN and MITCHELL ANN on folio 12-345-678, a third
// payment elsewhere; agency 0034 with one payment.
void loadPayments(TestSession &t)
{
    const QString path = t.file("Zoltdata.csv");
    PaymentFileText()
        .year(ThisYear())
        .masks({"10108##-###-###"})
        .group("1", "0012",
               {"#1,SMITH JOHN,05,101,#12-345-678,100.00,A,100,90,80,0,LOT 1",
                "#2,MITCHELL ANN,05,101,#12-345-678,80.00,C,100,0,80,0,LOT 2",
                "#3,BAKER PAT,07,101,#00-000-888,20.00,B,25,0,18,2,LOT 3"})
        .group("2", "0034", {"#4,SMITH JOHN,05,101,#00-000-999,5,A,5,0,0,0,"})
        .write(path);
    QVERIFY(payment::Csv2Mdb(t.session(), path).loaded());
    t.de().rsGroup().moveFirst();
    t.de().rsDetail().clearFilter();
    t.de().rsDetail().setFilter("MORTCO = '0012'");
}

QLineEdit *field(QWidget &screen, const char *name)
{
    return child<QLineEdit>(screen, name);
}

// Makes the agency's payment of that owner the current one.
bool select(Recordset &details, const QString &name)
{
    details.moveFirst();
    return details.find("NAME = '" + name + "'");
}

bool coloured(QLineEdit *edit)
{
    return edit->palette().color(QPalette::Base) == PaymentFields::ErrorColour;
}

}  // namespace

class TestPaymentEntry : public QObject {
    Q_OBJECT

private slots:
    void fieldChecks()
    {
        TestSession t;
        loadPayments(t);
        TestNavigator screens(t.session(), nullptr);
        DetailEntry add(Kind::Add, t.session(), screens);
        add.Form_Load();
        shown(add);
        QCOMPARE(field(add, "txtPAYMENT")->text(), QString("0.00"));
        // A new payment is of type A with no tax amounts: no grant to choose.
        QVERIFY(!child<QRadioButton>(add, "OptionB")->isEnabled() && !child<QRadioButton>(add, "OptionC")->isEnabled());

        // OK runs every field's check first: nothing is stored from a form
        // whose fields are wrong, and the first wrong field gets the focus.
        auto okStoresNothing = [&](const char *focused, const QString &said) {
            QTest::mouseClick(child<QPushButton>(add, "Command_OK"), Qt::LeftButton);
            QCOMPARE(t.scalar("SELECT count(*) FROM Detail").toInt(), 4);
            QVERIFY(add.isVisible());
            QCOMPARE(QApplication::focusWidget(), field(add, focused));
            QCOMPARE(message(add), said);
        };
        okStoresNothing("txtCD", "The Collection District should be entered!");
        field(add, "txtCD")->setText("7");
        okStoresNothing("txtJUR", "The Jurisdiction should be entered!");
        field(add, "txtJUR")->setText("101");
        okStoresNothing("txtNAME", "You must enter a Name!");
        field(add, "txtNAME")->setText("X");
        field(add, "txtPAYMENT")->setText("-1");
        okStoresNothing("txtPAYMENT", "Payment refunds are not allowed!");
        field(add, "txtPAYMENT")->setText("0.00");
        t.ui.beeps = 0;

        QVERIFY(typeAndLeave(add, "txtCD", "  "));
        QCOMPARE(message(add), QString("The Collection District should be entered!"));
        QVERIFY(coloured(field(add, "txtCD")));
        QVERIFY(typeAndLeave(add, "txtCD", "A1"));
        QCOMPARE(message(add), QString("The Collection District should be numeric!"));
        QVERIFY(typeAndLeave(add, "txtCD", "07"));
        QVERIFY(message(add).isEmpty() && !coloured(field(add, "txtCD")));
        QVERIFY(typeAndLeave(add, "txtJUR", "101"));

        // The folio: its digits, padded to 18, in the jurisdiction's form.
        QVERIFY(typeAndLeave(add, "txtFOLIO_DISP", " 12-34 5 "));
        QCOMPARE(field(add, "txtFOLIO_DISP")->text(), QString("00-012-345"));
        QVERIFY(typeAndLeave(add, "txtFOLIO_DISP", ""));
        QCOMPARE(field(add, "txtFOLIO_DISP")->text(), QString());
        QVERIFY(typeAndLeave(add, "txtFOLIO_DISP", "12-34 5"));

        // The name and the payment hold the focus until they are right.
        QVERIFY(!typeAndLeave(add, "txtNAME", "   "));
        QCOMPARE(message(add), QString("You must enter a Name!"));
        QCOMPARE(t.ui.beeps, 1);
        QKeyEvent omega(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("Ωé"));
        QApplication::sendEvent(field(add, "txtNAME"), &omega);  // the payment file cannot carry the Ω
        QCOMPARE(field(add, "txtNAME")->text(), QString());
        // A legal description pasted in two lines, a tab: one line of blanks.
        QLineEdit *legal = field(add, "txtLEGAL");
        QApplication::clipboard()->setText("LOT 1\r\nBLOCK 2");
        legal->paste();
        legal->insert("\tX\x01");
        QCOMPARE(legal->text(), QString("LOT 1 BLOCK 2 X "));
        legal->clear();
        QVERIFY(typeAndLeave(add, "txtNAME", "o'neil pat"));
        QCOMPARE(field(add, "txtNAME")->text(), QString("O'NEIL PAT"));
        for (const auto &[typed, said] :
             {std::pair{"-5", "Payment refunds are not allowed!"},
              std::pair{"abc", "The Payment Amount must be numeric!"},
              std::pair{"", "The Payment Amount must be numeric!"},
              // Amounts the payment file would not carry back as typed.
              std::pair{"12345678901234.56", "The Payment Amount would be saved as 12345678901234.60: the payment "
                                             "file keeps at most 15 significant digits."},
              std::pair{"1e15", "The Payment Amount is too large: the payment file carries amounts below "
                                "1,000,000,000,000,000.00."}}) {
            QVERIFY2(!typeAndLeave(add, "txtPAYMENT", QLatin1String(typed)), typed);
            QCOMPARE(message(add), QLatin1String(said));
            QVERIFY(coloured(field(add, "txtPAYMENT")));
        }
        QTest::mouseClick(child<QPushButton>(add, "Command_OK"), Qt::LeftButton);
        QCOMPARE(t.scalar("SELECT count(*) FROM Detail").toInt(), 4);  // not while a field holds the focus
        QCOMPARE(field(add, "txtPAYMENT")->text(), QString("1000000000000000.00"));
        QVERIFY(typeAndLeave(add, "txtPAYMENT", "9999999999999.99"));  // 15 digits: kept
        QCOMPARE(field(add, "txtPAYMENT")->text(), QString("9999999999999.99"));
        QVERIFY(typeAndLeave(add, "txtPAYMENT", "12.5"));
        QCOMPARE(field(add, "txtPAYMENT")->text(), QString("12.50"));

        QTest::mouseClick(child<QPushButton>(add, "Command_OK"), Qt::LeftButton);
        QCOMPARE(t.scalar("SELECT CD || JUR || FOLIO || '|' || FOLIO_DISP || '|' || ABC || PAYMENT || GROSS_TAX || "
                          "'|' || MORTCO FROM Detail WHERE NAME = 'O''NEIL PAT'")
                     .toString(),
                 QString("07101000000000000012345|00-012-345|A12.50.0|0012"));
        QVERIFY(screens.shown.isEmpty());  // a folio nobody pays for: no dialog
    }

    void grantsOnTheChangeScreen()
    {
        TestSession t;
        loadPayments(t);
        t.exec("UPDATE Detail SET ABC = 'c' WHERE NAME = 'MITCHELL ANN'");
        t.de().rsDetail().requery();
        TestNavigator screens(t.session(), nullptr);
        QVERIFY(select(t.de().rsDetail(), "MITCHELL ANN"));
        DetailEntry change(Kind::Change, t.session(), screens);
        change.Form_Load();
        QVERIFY(child<QRadioButton>(change, "OptionC")->isChecked());
        QCOMPARE(message(change), QString("Additional Grant Selected. Payment Amount Recalculated!"));
        QCOMPARE(field(change, "txtPAYMENT")->text(), QString("80.00"));
        child<QRadioButton>(change, "OptionA")->click();
        QCOMPARE(field(change, "txtPAYMENT")->text(), QString("100.00"));
        QCOMPARE(message(change), QString("No Grant Selected. Payment Amount Recalculated!"));
        child<QRadioButton>(change, "OptionB")->click();  // no regular grant: nothing changes
        QVERIFY(child<QRadioButton>(change, "OptionB")->isChecked());
        QCOMPARE(field(change, "txtPAYMENT")->text(), QString("100.00"));
        QVERIFY(message(change).isEmpty());
    }

    void folioCheckOfNewAndChangedPayments()
    {
        TestSession t;
        loadPayments(t);
        TestNavigator screens(t.session(), nullptr);
        QString infoTitle, infoText;
        screens.play = [&](QDialog &) {
            infoTitle = t.shared.gInfoTitle;
            infoText = t.shared.gInfoText;
        };
        auto addPayment = [&](const QString &name) {
            auto add = std::make_unique<DetailEntry>(Kind::Add, t.session(), screens);
            add->Form_Load();
            for (auto [f, text] : {std::pair{"txtCD", QString("05")}, {"txtJUR", QString("101")},
                                   {"txtFOLIO_DISP", QString("12345678")}, {"txtNAME", name},
                                   {"txtPAYMENT", QString("7")}})
                field(*add, f)->setText(text);
            QTest::mouseClick(child<QPushButton>(*add, "Command_OK"), Qt::LeftButton);
            return add;
        };
        // The same owner, in any mix of capitals, or as the saved file would
        // carry the name (its apostrophes and commas dropped): refused,
        // focus on the name.
        for (const QString &name : {QString("SMITH JOHN"), QString("Smith John"), QString("SMITH, JOHN"),
                                    QString("S'MITH JOHN")}) {
            auto add = addPayment(name);
            QCOMPARE(message(*add), QString("ERROR - Duplicate Folio with 100% EXACT SAME NAME"));
            QVERIFY(coloured(field(*add, "txtNAME")));
            QCOMPARE(add->focusWidget(), field(*add, "txtNAME"));
        }
        QCOMPARE(t.scalar("SELECT count(*) FROM Detail WHERE FOLIO = '000000000012345678'").toInt(), 2);
        // Another owner: told of the payments there, then stored.
        addPayment("JONES AMY");
        QCOMPARE(screens.shown, QStringList{"Form_InformationDialog"});
        QCOMPARE(infoTitle, QString("FOLIO # 05 101 12-345-678"));
        QCOMPARE(infoText, QString("This folio has multiple payments: \r\nMITCHELL ANN 80.00\r\nSMITH JOHN 100.00"
                                   "\r\n\r\nPlus this new payment \r\nJONES AMY 7.00"));
        QCOMPARE(t.scalar("SELECT count(*) FROM Detail WHERE FOLIO = '000000000012345678'").toInt(), 3);

        // Changing the amount only: the payment stays alone on its folio.
        screens.shown.clear();
        Recordset &details = t.de().rsDetail();
        QVERIFY(select(details, "BAKER PAT"));
        {
            DetailEntry change(Kind::Change, t.session(), screens);
            change.Form_Load();
            field(change, "txtPAYMENT")->setText("21");
            QTest::mouseClick(child<QPushButton>(change, "Command_OK"), Qt::LeftButton);
            QVERIFY(screens.shown.isEmpty());
            QCOMPARE(t.scalar("SELECT PAYMENT || ABC FROM Detail WHERE NAME = 'BAKER PAT'").toString(), QString("21.0B"));
        }
        // Moved onto a folio of the agency with one payment of the same owner:
        // refused with the focus on the folio.
        t.exec("UPDATE Detail SET FOLIO = '000000000000000777', FOLIO_DISP = '00-000-777' WHERE NAME = 'MITCHELL ANN'");
        details.requery();
        QVERIFY(select(details, "BAKER PAT"));
        {
            DetailEntry change(Kind::Change, t.session(), screens);
            change.Form_Load();
            field(change, "txtCD")->setText("05");
            field(change, "txtFOLIO_DISP")->setText("777");
            field(change, "txtNAME")->setText("MITCHELL ANN");
            QTest::mouseClick(child<QPushButton>(change, "Command_OK"), Qt::LeftButton);
            QCOMPARE(message(change), QString("ERROR - Duplicate Folio with 100% EXACT SAME NAME"));
            QCOMPARE(change.focusWidget(), field(change, "txtFOLIO_DISP"));
            // Under its own name it moves there after the dialog.
            field(change, "txtNAME")->setText("BAKER PAT");
            QTest::mouseClick(child<QPushButton>(change, "Command_OK"), Qt::LeftButton);
            QVERIFY(infoText.endsWith("MITCHELL ANN 80.00\r\n\r\nPlus this changed payment \r\nBAKER PAT 21.00"));
        }
        // Two or more on the folio: renaming one to another's name is refused.
        QVERIFY(select(details, "JONES AMY"));
        DetailEntry change(Kind::Change, t.session(), screens);
        change.Form_Load();
        field(change, "txtNAME")->setText("smith john");
        QTest::mouseClick(child<QPushButton>(change, "Command_OK"), Qt::LeftButton);
        QCOMPARE(message(change), QString("ERROR - Duplicate Folio with 100% EXACT SAME NAME"));
        QCOMPARE(change.focusWidget(), field(change, "txtNAME"));
    }

    void deleteAndSearch()
    {
        TestSession t;
        loadPayments(t);
        Recordset &details = t.de().rsDetail();
        // Deleting the last row of a longer list makes the first row current.
        details.moveLast();
        {
            Detail_Delete remove(t.session());
            remove.Form_Load();
            // BAKER PAT, type B without a regular grant amount: shown as (A).
            QCOMPARE(field(remove, "txtNAME")->text(), QString("BAKER PAT"));
            QVERIFY(!child<QRadioButton>(remove, "OptionB")->isEnabled());
            QVERIFY(child<QRadioButton>(remove, "OptionA")->isChecked());
            QTest::mouseClick(child<QPushButton>(remove, "Command_OK"), Qt::LeftButton);
        }
        QCOMPARE(details.recordCount(), 2);
        QCOMPARE(details.position(), 0);

        // A payment whose name has an apostrophe, to be found as typed.
        details.addNew();
        for (auto [f, v] : {std::pair{"MORTCO", "0012"}, {"CD", "09"}, {"JUR", "101"}, {"NAME", "O'NEIL PAT"},
                            {"FOLIO", "000000000000000555"}, {"FOLIO_DISP", "00-000-555"}})
            details.setField(QLatin1String(f), QString::fromUtf8(v));
        details.update();
        details.moveFirst();

        Detail_Search search(t.session());
        search.Form_Load();
        QCOMPARE(search.grid()->model()->rowCount(), 0);
        auto find = [&search] { QTest::mouseClick(child<QPushButton>(search, "Command_Find"), Qt::LeftButton); };
        find();
        QCOMPARE(message(search), QString("No Search criteria has been selected!"));
        child<QCheckBox>(search, "Check_NAME")->setChecked(true);
        child<QCheckBox>(search, "Check_JUR")->setChecked(true);
        find();
        QCOMPARE(message(search), QString("Jurisdiction Search has nothing entered to search on!"));
        field(search, "txtJUR")->setText("01");
        find();
        QCOMPARE(message(search), QString("Name Search has nothing entered to search on!"));
        field(search, "txtNAME")->setText("MIT");
        find();
        QCOMPARE(message(search), QString("Multiple payments found that matched the search!"));
        QCOMPARE(search.grid()->model()->rowCount(), 2);  // SMITH and MITCHELL
        field(search, "txtNAME")->setText("o'neil");
        find();
        QCOMPARE(message(search), QString("Payment Found!"));
        QTest::mouseClick(child<QPushButton>(search, "Command_Select"), Qt::LeftButton);
        QCOMPARE(details.text("NAME"), QString("O'NEIL PAT"));
        // Every typed character matches itself: wildcards find nothing here.
        for (const char *typed : {"%", "S%H", "*", "_"}) {
            field(search, "txtNAME")->setText(typed);
            find();
            QCOMPARE(message(search), QString("There are no payments matching the search criteria!"));
        }
        field(search, "txtNAME")->setText("NOBODY");
        find();
        QCOMPARE(message(search), QString("There are no payments matching the search criteria!"));
        QVERIFY(!child<QPushButton>(search, "Command_Select")->isEnabled());
    }

    void groupTotalsAfterEachSave()
    {
        TestSession t;
        loadPayments(t);
        TestNavigator screens(t.session(), nullptr);
        Group group(t.session(), screens);
        group.Form_Load();
        // In the agency's list: a payment added, the first in the list's order
        // (MITCHELL ANN, 80.00) deleted.
        screens.play = [&t, &screens](QDialog &screen) {
            if (screen.objectName() != u"Detail")
                return;
            t.de().rsDetail().moveFirst();
            t.de().rsDetail().deleteCurrent();
            DetailEntry add(Kind::Add, t.session(), screens);
            add.Form_Load();
            for (auto [f, text] : {std::pair{"txtCD", "05"}, {"txtJUR", "101"}, {"txtNAME", "NEW OWNER"},
                                   {"txtPAYMENT", "1000"}})
                field(add, f)->setText(QLatin1String(text));
            QTest::mouseClick(child<QPushButton>(add, "Command_OK"), Qt::LeftButton);
        };
        QTest::mouseClick(child<QPushButton>(group, "Command_Details"), Qt::LeftButton);
        QCOMPARE(t.scalar("SELECT FOLIO_CNT || '|' || TOT_PAY FROM \"Group\" WHERE MORTCO = '0012'").toString(),
                 QString("3|1120.0"));
        QCOMPARE(child<QLabel>(group, "Label_Total")->text(), QString("1,125.00"));
    }
};

QTEST_MAIN(TestPaymentEntry)
#include "test_payment_entry.moc"
