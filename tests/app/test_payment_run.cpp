// A whole payment run in the real program: the main window with its own
// navigator, every screen in its real modal loop, played as a person would
// from timers (mouse and keyboard), from the choice of the file to the return
// instructions, and the file written back with what was done.

#include "app/zolt_payment.h"
#include "widgets/data_grid.h"
#include "widgets/file_location_picker.h"
#include "payment/payment_fixture.h"
#include "support/screen_script.h"
#include "support/test_session.h"
#include "support/screen_actions.h"
#include "store/data_environment.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace zolt;
using namespace zolt::test;

namespace {

// Types into a field as a person does: click into it, select what is there,
// type over it.
void type(QWidget &screen, const char *name, const QString &text)
{
    auto *edit = child<QLineEdit>(screen, name);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

QStringList column(QWidget &screen, int c)
{
    DataGrid &g = grid(screen);
    QStringList out;
    for (int row = 0; row < g.model()->rowCount(); ++row)
        out << g.model()->index(row, c).data().toString();
    return out;
}

constexpr int NameColumn = 4;

}  // namespace

class TestPaymentRun : public QObject {
    Q_OBJECT

private slots:
    void aWholeRunThroughTheRealScreens()
    {
        TestSession ts;
        const QString path = ts.file("Zoltdata.csv");
        PaymentFileText()
            .year(ThisYear())
            .masks({"10108##-###-###"})
            .group("1", "0012",
                   {"#3,ZED PAT,07,101,#00-000-003,30.00,A,30,0,0,0,LOT 3",
                    "#1,SMITH JOHN,05,101,#00-000-001,10.00,A,10,0,0,0,LOT 1",
                    "#2,ADAMS AL,05,101,#00-000-002,20.00,A,20,0,0,0,LOT 2"})
            .group("2", "0034",
                   {"#8,MITCHELL ANN,05,101,#00-000-008,80.00,B,100,80,0,0,LOT 8",
                    "#9,OLD OWNER,05,101,#00-000-009,90.00,A,90,0,0,0,LOT 9"})
            .write(path);

        app::ZoltPayment window(ts.session());
        window.show();
        QVERIFY(window.picker()->setDirectory(ts.dir()));
        window.picker()->setFileName("Zoltdata.csv");

        // What the person saw on the way, compared once the run is over.
        QStringList firstList, firstOrderChecked, secondList;
        bool blankAddRefused = false;
        QString blankAddMessage;
        QString foundName;

        ScreenScript script;
        script
            // The first agency's payments, closed with the button.
            .on("Group", [](QWidget &s) { clickRow(s, 0); click(s, "Command_Details"); })
            .on("Detail", [&](QWidget &s) {
                firstList = column(s, NameColumn);
                if (child<QRadioButton>(s, "Option_Sort_CD")->isChecked())
                    firstOrderChecked << "Option_Sort_CD";
                click(s, "Command_Close");
            })
            // Back on the agencies: the second agency opened by a double-click.
            .on("Group", [](QWidget &s) { doubleClickRow(s, 1); })
            .on("Detail", [](QWidget &s) { click(s, "Command_AddDetail"); })
            .on("Detail_Add", [&](QWidget &s) {
                // OK on the untouched form stores nothing.
                click(s, "Command_OK");
                blankAddRefused = s.isVisible();
                blankAddMessage = child<QLineEdit>(s, "Text_Msg")->text();
                type(s, "txtCD", "05");
                type(s, "txtJUR", "101");
                type(s, "txtFOLIO_DISP", "5");
                type(s, "txtNAME", "new owner");
                type(s, "txtPAYMENT", "12.5");
                click(s, "Command_OK");
            })
            // A double-click opens the change screen once.
            .on("Detail", [](QWidget &s) {
                const int row = int(column(s, NameColumn).indexOf("OLD OWNER"));
                doubleClickRow(s, row);
            })
            .on("Detail_Change", [](QWidget &s) {
                type(s, "txtNAME", "NEW NAME");
                click(s, "Command_OK");
            })
            .on("Detail", [](QWidget &s) {
                clickRow(s, int(column(s, NameColumn).indexOf("NEW OWNER")));
                click(s, "Command_DeleteDetail");
            })
            .on("Detail_Delete", [](QWidget &s) { click(s, "Command_OK"); })
            .on("Detail", [](QWidget &s) { click(s, "Command_Search"); })
            .on("Detail_Search", [](QWidget &s) {
                click(s, "Check_NAME");
                type(s, "txtNAME", "MIT");
                // Enter in the criterion runs the search.
                QTest::keyClick(child<QLineEdit>(s, "txtNAME"), Qt::Key_Return);
                click(s, "Command_Select");
            })
            .on("Detail", [&](QWidget &s) {
                secondList = column(s, NameColumn);
                const QModelIndex current = grid(s).currentIndex();
                foundName = current.siblingAtColumn(NameColumn).data().toString();
                QTest::keyClick(&s, Qt::Key_Escape);
            })
            // The agency editor, left with Escape: what was typed is kept.
            .on("Group", [](QWidget &s) { click(s, "Command_AgencyInformation"); })
            .on("Group_Agency", [](QWidget &s) {
                type(s, "Text2", "second line");
                QTest::keyClick(&s, Qt::Key_Escape);
            })
            .on("Group", [](QWidget &s) { click(s, "Command1"); })
            .on("ZOLT_ReturnInstructions", [](QWidget &s) { click(s, "Command_Exit"); });
        script.start();
        QTest::mouseClick(child<QPushButton>(window, "Command_OK"), Qt::LeftButton);

        QVERIFY2(script.finished(), qPrintable(script.failure() + " after " + script.visited().join(", ")));
        QVERIFY(!window.isVisible());
        QCOMPARE(ts.ui.messages(), QStringList());

        // The list opens in the order its option shows.
        QCOMPARE(firstList, QStringList({"SMITH JOHN", "ADAMS AL", "ZED PAT"}));
        QCOMPARE(firstOrderChecked, QStringList({"Option_Sort_CD"}));
        QVERIFY(blankAddRefused);
        QCOMPARE(blankAddMessage, QStringLiteral("The Collection District should be entered!"));
        QCOMPARE(secondList, QStringList({"MITCHELL ANN", "NEW NAME"}));
        QCOMPARE(foundName, QStringLiteral("MITCHELL ANN"));

        const QString written = QString::fromLatin1(readFile(path));
        QVERIFY2(written.contains("Name2:,SECOND LINE\r\n"), qPrintable(written));
        QVERIFY(written.contains("#9,NEW NAME,05,101,#00-000-009,90.00,A,90.00,0.00,0.00,0.00,LOT 9\r\n"));
        QVERIFY(!written.contains("NEW OWNER"));
        QVERIFY(written.contains("Number of Payment records,2\r\nPayment Amount,170.00\r\n"));
        QVERIFY(!readFile(ts.file("Zoltdata.bak")).isEmpty());
    }
};

QTEST_MAIN(TestPaymentRun)
#include "test_payment_run.moc"
