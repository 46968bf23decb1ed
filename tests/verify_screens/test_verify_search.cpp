// The search of the verification list over folios put into VERIFY, played
// as a user would: ticking criteria, typing, leaving fields, Find, Select.

#include "support/test_session.h"
#include "support/widget_lookup.h"

#include "store/data_environment.h"
#include "verify_screens/verify_numbers_search.h"
#include "widgets/data_grid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace zolt;
using namespace zolt::test;
using zolt::verify_screens::Verify_Numbers_Search;

namespace {

const QColor Yellow(255, 255, 192), Grey(224, 224, 224);

// Eight folios, each mark at least once; the two V-7 differ in JUR and FOLIO.
void fillVerify(TestSession &t)
{
    t.exec("INSERT INTO Collection_District VALUES ('05', 'NORTH'), ('12', 'SOUTH')");
    t.exec("INSERT INTO Jurisdiction VALUES ('701', 'CITY'), ('702', 'TOWN'), ('799', 'EDGE')");
    t.exec("INSERT INTO VERIFY (ACD, MORTCO, NUMBER, CD, JUR, FOLIO, PID, NAME, ADDR1, LEGAL) VALUES "
           "(' ', 'M001', 'V-1', '05', '701', '000000000000012345', '111222333', 'SMITH JOHN', '1 MAIN ST', 'LOT 1'),"
           "('A', 'M001', 'V-2', '05', '702', '000000000001234567', '', 'O''NEIL MARY', '2 ELM ST', 'LOT 2'),"
           "('C', 'M002', 'V-3', '12', '701', '000000000099912345', '444555666', 'PEREZ ANA', '100% CORNER', 'LOT 3'),"
           "('D', 'M002', 'V-4', '12', '799', '000000000000000777', '', 'BROWN TOM', '4 OAK', 'LOT 4'),"
           "(' ', 'M003', 'V-5', '05', '701', '000000000000055555', '', 'ONEIL JAMES', '1000 X ROAD', 'LOT 5'),"
           "('A', 'M003', 'V-6', '12', '702', '000000000000001234', '', 'O_NEIL RAY', '6 PINE', 'LOT 6'),"
           "(' ', 'M004', 'V-7', '05', '701', '000000000000000070', '', 'TWIN ANN', '7 BAY', 'LOT 7'),"
           "(' ', 'M004', 'V-7', '05', '702', '000000000000000080', '', 'TWIN ANN', '7 BAY', 'LOT 7')");
}

// The numbers of the folios found, in the list's order.
QStringList found(TestSession &t)
{
    Recordset &rs = t.de().rsVerify2();
    QStringList numbers;
    for (qint64 row = 0; row < rs.recordCount(); ++row)
        numbers << rs.value(row, rs.columnIndex("NUMBER")).toString();
    return numbers;
}

// The screen loaded, shown and active, so that its fields take the focus.
struct Screen {
    explicit Screen(TestSession &t) : dialog(t.session())
    {
        dialog.Form_Load();
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
    }
    template <typename W>
    W *at(const char *name) { return child<W>(dialog, name); }
    QString message() { return at<QLineEdit>("Text_Msg")->text(); }
    // Ticks the criterion (which puts the focus in its field) and types.
    void type(const char *check, const QString &text)
    {
        if (!at<QCheckBox>(check)->isChecked())
            at<QCheckBox>(check)->click();
        QTest::keyClicks(QApplication::focusWidget(), text);
    }
    // The focus goes on to the result list, as a click there takes it.
    void leave() { dialog.grid()->setFocus(Qt::MouseFocusReason); }
    void find() { at<QPushButton>("Command_Find")->click(); }

    Verify_Numbers_Search dialog;
};

}  // namespace

class TestVerifySearch : public QObject {
    Q_OBJECT

private slots:
    // Each mark choice finds its folios, the deleted ones only when asked
    // for; one, many and no folios found are said so.
    void marksChooseTheFolios()
    {
        TestSession t;
        fillVerify(t);
        Screen s(t);
        QVERIFY(found(t).isEmpty());
        QCOMPARE(s.message(), QStringLiteral("Please set the selection criteria and press the \"Find\" button."));
        auto *select = s.at<QPushButton>("Command_Select");
        QVERIFY(!select->isEnabled());

        s.find();
        QCOMPARE(found(t), QStringList({"V-1", "V-2", "V-3", "V-5", "V-6", "V-7", "V-7"}));
        QCOMPARE(s.message(), QStringLiteral("Multiple Folio Records found that matched the search!"));
        QVERIFY(select->isEnabled());
        QCOMPARE(t.de().rsVerify2().position(), 0);
        auto *deleted = s.at<QCheckBox>("Check_ACD_Deleted");
        deleted->click();
        QVERIFY(deleted->font().bold());
        s.find();
        QCOMPARE(found(t).size(), 8);

        const std::pair<const char *, QStringList> choices[] = {{"Option_ACD_A", {"V-2", "V-6"}},
                                                                {"Option_ACD_C", {"V-3"}},
                                                                {"Option_ACD_No_Change", {"V-1", "V-5", "V-7", "V-7"}},
                                                                {"Option_ACD_D", {"V-4"}}};
        for (const auto &[option, numbers] : choices) {
            s.at<QRadioButton>(option)->click();
            QVERIFY(s.at<QRadioButton>(option)->font().bold());
            QVERIFY(!s.at<QRadioButton>("Option_ACD_ALL")->font().bold());
            QVERIFY(deleted->isHidden());
            s.find();
            QCOMPARE(found(t), numbers);
        }
        QCOMPARE(s.message(), QStringLiteral("Folio Record Found!"));
        s.at<QRadioButton>("Option_ACD_ALL")->click();
        QVERIFY(!deleted->isHidden());

        // The mark and a criterion together.
        s.at<QRadioButton>("Option_ACD_A")->click();
        s.type("Check_MORTCO", "m003");
        s.find();
        QCOMPARE(found(t), QStringList{"V-6"});
        QCOMPARE(t.shared.gFilter, QStringLiteral("ACD = 'A' AND MORTCO LIKE '%m003%' "));
        s.at<QRadioButton>("Option_ACD_C")->click();
        s.find();
        QVERIFY(found(t).isEmpty());
        QCOMPARE(s.message(), QStringLiteral("There are no Folio Records matching the search criteria!"));
        QVERIFY(!select->isEnabled());
    }

    // A ticked criterion's field is open in yellow, its label bold; leaving
    // a field puts its text right, and an empty one is unticked and left out.
    void fieldsAsTheyAreLeft()
    {
        TestSession t;
        fillVerify(t);
        Screen s(t);
        auto *check = s.at<QCheckBox>("Check_FOLIO");
        auto *folio = s.at<QLineEdit>("txtFOLIO");
        QVERIFY(!folio->isEnabled());
        QCOMPARE(folio->palette().color(QPalette::Base), Grey);
        check->click();
        QVERIFY(folio->isEnabled() && folio->hasFocus());
        QCOMPARE(folio->palette().color(QPalette::Base), Yellow);
        QVERIFY(s.at<QLabel>("Label_FOLIO")->font().bold());
        QTest::keyClicks(folio, " 0012-345 ");
        s.leave();
        QCOMPARE(folio->text(), QStringLiteral("12345"));
        s.find();
        QCOMPARE(found(t), QStringList({"V-1", "V-2", "V-3"}));

        // Zeros alone are no folio: the criterion goes.
        folio->setFocus();
        QTest::keyClicks(folio, "000");
        s.leave();
        QVERIFY(!check->isChecked() && !folio->isEnabled());
        QCOMPARE(folio->palette().color(QPalette::Base), Grey);
        QVERIFY(!s.at<QLabel>("Label_FOLIO")->font().bold());

        s.type("Check_NAME", "   ");
        s.leave();
        QVERIFY(!s.at<QCheckBox>("Check_NAME")->isChecked());
        s.type("Check_PID", " 444-555 ");
        s.leave();
        QCOMPARE(s.at<QLineEdit>("txtPID")->text(), QStringLiteral("444555"));
        // Enter in a field searches, the field put right first.
        s.type("Check_ADDR1", "  corner ");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(s.at<QLineEdit>("txtADDR1")->text(), QStringLiteral("corner"));
        QCOMPARE(found(t), QStringList{"V-3"});
        QCOMPARE(t.shared.gFilter, QStringLiteral("ACD <> 'D' AND PID LIKE '%444555%' AND ADDR1 LIKE '%corner%' "));

        // An emptied PID stays ticked but adds nothing; so does a field
        // emptied and searched from with Enter, which is unticked.
        s.at<QLineEdit>("txtPID")->setFocus();
        s.at<QLineEdit>("txtPID")->clear();
        s.leave();
        QVERIFY(s.at<QCheckBox>("Check_PID")->isChecked());
        s.at<QLineEdit>("txtADDR1")->setFocus();
        s.at<QLineEdit>("txtADDR1")->clear();
        QTest::keyClick(s.at<QLineEdit>("txtADDR1"), Qt::Key_Return);
        QVERIFY(!s.at<QCheckBox>("Check_ADDR1")->isChecked());
        QCOMPARE(found(t).size(), 7);
    }

    // Districts 01 to 99 and jurisdictions 701 to 799 only: a wrong code
    // keeps the focus, with a beep. A list entry searches by its code.
    void districtAndJurisdictionChecked()
    {
        TestSession t;
        fillVerify(t);
        Screen s(t);
        auto *cd = s.at<QComboBox>("ComboCD");
        auto *jur = s.at<QComboBox>("ComboJUR");
        QCOMPARE(cd->count(), 2);
        QCOMPARE(cd->itemText(0), QStringLiteral("05 NORTH"));
        QVERIFY(cd->currentText().isEmpty());
        s.at<QCheckBox>("Check_CD")->click();
        QCOMPARE(cd->palette().color(QPalette::Base), Yellow);
        const QString districtRefused = QStringLiteral("You must enter a valid Collection District (01-99)");
        const QString jurisdictionRefused = QStringLiteral("You must enter a valid Jurisdiction Code (701-799)");
        const QString accepted = QStringLiteral("Please set the selection criteria and press the 'Find' button.");
        const std::tuple<QComboBox *, const char *, QString> tries[] = {
            {cd, "00", districtRefused},   {cd, "100", districtRefused},     {cd, "AB", districtRefused},
            {cd, "7", accepted},           {jur, "700", jurisdictionRefused}, {jur, "800", jurisdictionRefused},
            {jur, "701", accepted},        {jur, "799", accepted}};
        for (const auto &[combo, code, said] : tries) {
            if (QCheckBox *box = s.at<QCheckBox>(combo == cd ? "Check_CD" : "Check_JUR"); !box->isChecked())
                box->click();
            combo->setFocus();
            combo->lineEdit()->selectAll();
            QTest::keyClicks(combo, code);
            t.ui.beeps = 0;
            s.leave();
            QCOMPARE(s.message(), said);
            QCOMPARE(combo->hasFocus(), said != accepted);
            QCOMPARE(t.ui.beeps, said != accepted ? 1 : 0);
        }
        // Nor does a wrong code reach the search.
        cd->setFocus();
        cd->lineEdit()->selectAll();
        QTest::keyClicks(cd, "AB");
        s.find();
        QCOMPARE(s.message(), districtRefused);
        QVERIFY(found(t).isEmpty());

        cd->setCurrentIndex(0);
        s.leave();
        s.find();
        QCOMPARE(t.shared.gFilter, QStringLiteral("ACD <> 'D' AND CD LIKE '%05%' AND JUR LIKE '%799%' "));
        QVERIFY(found(t).isEmpty());
        jur->setCurrentIndex(0);
        QTest::keyClick(jur, Qt::Key_Return);
        QCOMPARE(found(t), QStringList({"V-1", "V-5", "V-7"}));

        jur->setFocus();
        jur->clearEditText();
        s.leave();
        QVERIFY(!s.at<QCheckBox>("Check_JUR")->isChecked());
    }

    // What is typed matches itself: an apostrophe, a percent sign and an
    // underscore are no wildcards and break nothing.
    void typedTextMatchesLiterally()
    {
        TestSession t;
        fillVerify(t);
        Screen s(t);
        const std::pair<QString, QStringList> names[] = {
            {"O'NEIL", {"V-2"}}, {"O_NEIL", {"V-6"}}, {"ONEIL", {"V-5"}}, {"o%n", {}}};
        s.type("Check_NAME", "x");
        for (const auto &[name, numbers] : names) {
            auto *text = s.at<QLineEdit>("txtNAME");
            text->setFocus();
            text->selectAll();
            QTest::keyClicks(text, name);
            s.find();
            QCOMPARE(found(t), numbers);
        }
        QVERIFY(t.ui.messages().isEmpty());
        s.at<QCheckBox>("Check_NAME")->click();
        s.type("Check_ADDR1", "100%");
        s.find();
        QCOMPARE(found(t), QStringList{"V-3"});
    }

    // Select makes the chosen folio the list's current one, among folios
    // of the same number too; Close leaves the list where it was.
    void selectPositionsTheList()
    {
        TestSession t;
        fillVerify(t);
        Recordset &list = t.de().rsVerify();
        list.open();
        const QVariant first = list.bookmark();
        {
            Screen s(t);
            s.type("Check_NUMBER", "v-7");
            s.find();
            s.at<QPushButton>("Command_Close")->click();
            QCOMPARE(s.dialog.result(), int(QDialog::Rejected));
        }
        QCOMPARE(list.bookmark(), first);
        QVERIFY(!t.de().rsVerify2().isOpen());

        // The button for the one, Enter in the list for the other.
        for (const QString jur : {"702", "701"}) {
            Screen s(t);
            s.type("Check_NUMBER", "V-7");
            s.find();
            Recordset &results = t.de().rsVerify2();
            DataGrid *grid = s.dialog.grid();
            for (int row = 0; row < results.recordCount(); ++row) {
                if (results.value(row, results.columnIndex("JUR")).toString() == jur)
                    grid->setCurrentIndex(grid->model()->index(row, 1));
            }
            QCOMPARE(results.text("JUR"), jur);
            if (jur == u"702")
                s.at<QPushButton>("Command_Select")->click();
            else
                QTest::keyClick(grid, Qt::Key_Return);
            QCOMPARE(s.dialog.result(), int(QDialog::Accepted));
            QCOMPARE(list.text("JUR"), jur);
            QCOMPARE(list.text("FOLIO"), jur == u"702" ? QStringLiteral("000000000000000080")
                                                       : QStringLiteral("000000000000000070"));
        }
    }
};

QTEST_MAIN(TestVerifySearch)
#include "test_verify_search.moc"
