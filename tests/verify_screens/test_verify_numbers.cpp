// The verification list over folios put into VERIFY, its screens opened
// through a navigator that plays the user on them.

#include "support/fake_task_host.h"
#include "support/test_session.h"
#include "support/widget_lookup.h"

#include "store/data_environment.h"
#include "verify/verify_orders.h"
#include "verify_screens/verify_numbers.h"
#include "widgets/data_grid.h"

#include <QAction>
#include <QGroupBox>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QtTest>

using namespace zolt;
using namespace zolt::test;
using zolt::verify_screens::Verify_Numbers;

namespace {

// Five folios: N-2 marked for deletion, two alike but for their names, one
// known by its PID alone.
void fillVerify(TestSession &t)
{
    t.exec("INSERT INTO Fol_Mask (YEAR, JUR_CD, FOLIO_LEN, FOLIO_MASK) VALUES ('2026', '701', 8, '###-#####')");
    t.exec("INSERT INTO VERIFY (ACD, MORTCO, NUMBER, NAME, CD, JUR, FOLIO, PID, LEGAL, ADDR1) VALUES "
           "(' ', '0012', 'N-3', 'CARTER', '05', '701', '000000000012345678', '', 'LOT 3', '3 HILL'),"
           "('D', '0012', 'N-2', 'BAKER', '05', '702', '000000000000000002', '', 'LOT 2', '2 HILL'),"
           "('A', '0012', 'N-1', 'ADAMS', '06', '701', '000000000000000001', '77', 'LOT 1', '1 HILL'),"
           "(' ', '0012', 'N-1', 'ABLE', '06', '701', '000000000000000001', '78', 'LOT 1', '1 HILL'),"
           "(' ', '0012', 'N-4', 'DAVIS', '06', '701', '', '99', 'LOT 4', '4 HILL')");
}

QStringList enabled(QWidget &screen)
{
    QStringList on;
    for (const char *name : {"Command_AddDetail", "Command_ChangeDetail", "Command_Inactivate", "Command_Activate",
                             "Command_Search"})
        if (child<QPushButton>(screen, name)->isEnabled())
            on << QLatin1String(name).mid(8);
    return on;
}

QAction *action(QWidget &screen, const char *name)
{
    auto *a = screen.findChild<QAction *>(QLatin1String(name));
    if (!a)
        qFatal("no menu item %s", name);
    return a;
}

QString shown(DataGrid *grid, int row, int column)
{
    return grid->model()->index(row, column).data().toString();
}

}  // namespace

class TestVerifyNumbers : public QObject {
    Q_OBJECT

private slots:
    // The record buttons follow the current folio's mark; an empty list
    // leaves only Add, and the status items do nothing there.
    void buttonsFollowTheMark()
    {
        TestSession t;
        TestNavigator screens(t.session(), nullptr);
        {
            Verify_Numbers empty(t.session(), screens);
            empty.Form_Load();
            QCOMPARE(enabled(empty), QStringList{"AddDetail"});
            action(empty, "mnuACD_Deleted")->trigger();
            action(empty, "mnuPermanentDelete")->trigger();
            QVERIFY(screens.shown.isEmpty());
            QCOMPARE(enabled(empty), QStringList{"AddDetail"});
        }
        fillVerify(t);
        t.de().rsVerify().requery();
        Verify_Numbers list(t.session(), screens);
        list.Form_Load();
        Recordset &folios = t.de().rsVerify();
        // In mortgage number order: ABLE or ADAMS first (N-1), BAKER (D), CARTER.
        QCOMPARE(folios.text("NUMBER"), QString("N-1"));
        QCOMPARE(enabled(list), QStringList({"AddDetail", "ChangeDetail", "Inactivate", "Search"}));
        list.grid()->setCurrentIndex(list.grid()->model()->index(2, 1));
        QCOMPARE(folios.text("NAME"), QString("BAKER"));
        QCOMPARE(enabled(list), QStringList({"AddDetail", "Activate", "Search"}));
        // A marked folio still opens its change screen on a double-click.
        emit list.grid()->rowActivated();
        QCOMPARE(screens.shown, QStringList{"Verify_Number_Change"});

        // Undelete and Delete write the mark at once; the grid shows its word.
        QTest::mouseClick(child<QPushButton>(list, "Command_Activate"), Qt::LeftButton);
        QCOMPARE(t.scalar("SELECT ACD FROM VERIFY WHERE NAME = 'BAKER'").toString(), QString(" "));
        QCOMPARE(enabled(list), QStringList({"AddDetail", "ChangeDetail", "Inactivate", "Search"}));
        QTest::mouseClick(child<QPushButton>(list, "Command_Inactivate"), Qt::LeftButton);
        QCOMPARE(t.scalar("SELECT ACD FROM VERIFY WHERE NAME = 'BAKER'").toString(), QString("D"));
        QCOMPARE(shown(list.grid(), 2, 0), QString("Delete"));
        // The status items set any mark, whatever the folio had.
        for (const auto &[item, mark, word] : {std::tuple{"mnuACD_Added", "A", "Add"}, {"mnuACD_Changed", "C", "Change"},
                                               {"mnuACD_Blank", " ", " "}, {"mnuACD_Deleted", "D", "Delete"}}) {
            action(list, item)->trigger();
            QCOMPARE(t.scalar("SELECT ACD FROM VERIFY WHERE NAME = 'BAKER'").toString(), QLatin1String(mark));
            QCOMPARE(shown(list.grid(), 2, 0), QLatin1String(word));
        }
        // The menu's Change does nothing while its button is off.
        action(list, "mnuChange")->trigger();
        QCOMPARE(screens.shown, QStringList{"Verify_Number_Change"});
        // The folio in its jurisdiction's mask (the default one where the
        // jurisdiction has none).
        QCOMPARE(shown(list.grid(), 3, 5), QString("123-45678"));
        QCOMPARE(shown(list.grid(), 2, 5), QString("000000000000000002  "));
        QCOMPARE(shown(list.grid(), 4, 5), QString());
    }

    // The exchange items: Verify.csv written in the current folder and read
    // back, a missing file said; the helps in the information dialog.
    void exchangeOfVerifyCsv()
    {
        TestSession t;
        fillVerify(t);
        t.exec("INSERT INTO Collection_District VALUES ('05', 'NORTH'), ('06', 'SOUTH')");
        t.exec("INSERT INTO Jurisdiction VALUES ('701', 'HILLTOWN'), ('702', 'DALE')");
        const QString before = QDir::currentPath();
        QDir::setCurrent(t.dir());
        TestNavigator screens(t.session(), nullptr);
        QStringList helps;
        screens.play = [&](QDialog &) { helps << t.shared.gInfoTitle + ": " + t.shared.gInfoText.section("\r\n", 0, 0); };
        Verify_Numbers list(t.session(), screens);
        list.Form_Load();
        // The buttons are played through the program in test_verify_run; the
        // menu items and a missing file here.
        action(list, "mnuExport")->trigger();
        QCOMPARE(t.ui.messages().last(), QString("Export to the Verify.csv file complete. 5 Records exported"));
        action(list, "mnuImportAppend")->trigger();
        QCOMPARE(t.ui.messages().last(), QString("Import from the Verify.csv file (option #1) complete. "));
        QCOMPARE(t.scalar("SELECT count(*) FROM VERIFY").toInt(), 5);
        QFile::remove(t.file("Verify.csv"));
        child<QPushButton>(list, "Command_Import1")->click();
        QCOMPARE(t.ui.messages().mid(t.ui.messages().size() - 2),
                 QStringList({"Verify.csv file is NOT found in the working directory",
                              "ABNORMAL TERMINATION OR ERROR. Import from the Verify.csv file (option #1) is NOT "
                              "complete. "}));
        QCOMPARE(list.grid()->model()->rowCount(), 5);

        child<QPushButton>(list, "Command_Exp_Help")->click();
        action(list, "mnuImportHelp")->trigger();
        QCOMPARE(helps, QStringList({"Export Information: The Mortgage Number Verification can be export by two methods:",
                                     "Import Information: If you choose to import the verification folios from the "
                                     "Verify.csv file"}));
        QDir::setCurrent(before);
    }

    // A sort keeps the user on the same folio, also when another row is
    // alike but for a field; a View item sorts without choosing the option.
    void sortsKeepTheCurrentFolio()
    {
        TestSession t;
        fillVerify(t);
        TestNavigator screens(t.session(), nullptr);
        Verify_Numbers list(t.session(), screens);
        list.Form_Load();
        Recordset &folios = t.de().rsVerify();
        QVERIFY(folios.find("NAME = 'ADAMS'"));
        child<QRadioButton>(list, "Option_Sort_Name")->click();
        QCOMPARE(folios.source(), QString("SELECT * FROM VERIFY ORDER BY NAME"));
        QCOMPARE(shown(list.grid(), 0, 7), QString("ABLE"));
        QCOMPARE(folios.text("NAME"), QString("ADAMS"));
        QCOMPARE(list.grid()->currentRow(), 1);
        QVERIFY(!list.findChild<QGroupBox *>("Frame_Sort")->isHidden());  // hidden while sorting only

        action(list, "mnuSortByLegal")->trigger();
        QCOMPARE(folios.source(), QString("SELECT * FROM VERIFY ORDER BY LEGAL"));
        QCOMPARE(folios.text("NAME"), QString("ADAMS"));
        QVERIFY(child<QRadioButton>(list, "Option_Sort_Name")->isChecked());
        // The chosen option, clicked again, brings its order back.
        child<QRadioButton>(list, "Option_Sort_Name")->click();
        QCOMPARE(folios.source(), QString("SELECT * FROM VERIFY ORDER BY NAME"));
        QCOMPARE(folios.text("NAME"), QString("ADAMS"));

        // The folio changed by another hand meanwhile: the first row.
        t.exec("UPDATE VERIFY SET LEGAL = 'LOT 9' WHERE NAME = 'ADAMS'");
        child<QRadioButton>(list, "Option_Sort_JUR")->click();
        QCOMPARE(folios.position(), 0);

        // Opened again in another order, the option shown is that order.
        Verify_Numbers again(t.session(), screens);
        again.Form_Load();
        QVERIFY(child<QRadioButton>(again, "Option_Sort_JUR")->isChecked());
    }

    // The window sizes put the list at the screen's corner, never larger
    // than the screen; Close and the close that keeps nothing end apart.
    void sizesAndClosing()
    {
        TestSession t;
        fillVerify(t);
        TestNavigator screens(t.session(), nullptr);
        Verify_Numbers list(t.session(), screens);
        list.Form_Load();
        list.show();
        const QRect area = list.screen()->availableGeometry();
        auto *close = child<QPushButton>(list, "Command_Close");
        for (const char *item : {"mnuWindowSize1", "mnuWindowSize2", "mnuWindowSize3", "mnuWindowSize4"}) {
            action(list, item)->trigger();
            QVERIFY2(list.width() <= area.width() && list.height() <= area.height(), item);
            QCOMPARE(list.pos(), area.topLeft());
            // The frame, and Close inside it, stay on the screen.
            QVERIFY2(area.contains(list.frameGeometry()), item);
            QVERIFY2(area.contains(close->mapToGlobal(close->rect().bottomRight())), item);
        }
        // While the list works its sort frame is hidden: the other frames
        // keep their places.
        auto *records = list.findChild<QGroupBox *>("Frame1");
        const QRect before = records->geometry();
        list.findChild<QGroupBox *>("Frame_Sort")->hide();
        list.layout()->activate();
        QCOMPARE(records->geometry(), before);
        list.findChild<QGroupBox *>("Frame_Sort")->show();
        action(list, "mnuCloseNOW")->trigger();
        QCOMPARE(list.result(), Verify_Numbers::ClosedWithoutSaving);
        list.show();
        QTest::mouseClick(child<QPushButton>(list, "Command_Close"), Qt::LeftButton);
        QCOMPARE(list.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(TestVerifyNumbers)
#include "test_verify_numbers.moc"
