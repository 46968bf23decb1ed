// Both yearly tasks done with the keyboard alone in the real program: the
// main window with its own navigator, every screen in its real modal loop,
// reached and left with Alt letters, Tab, the arrows, Enter and Escape. On
// each screen the person meets, no two controls claim one Alt letter and Tab
// reaches every control without getting stuck.

#include "app/zolt_payment.h"
#include "payment/payment_fixture.h"
#include "support/keyboard_audit.h"
#include "support/screen_script.h"
#include "support/test_session.h"
#include "support/widget_lookup.h"
#include "verify/xlsx_fixture.h"
#include "widgets/data_grid.h"
#include "widgets/file_location_picker.h"

#include <QApplication>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QtTest>

using namespace zolt;
using namespace zolt::test;

namespace {

// Where a key goes: the control with the focus, else the active window.
QWidget *focused()
{
    if (QWidget *widget = QApplication::focusWidget())
        return widget;
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(focused(), k, modifiers);
}

void alt(char letter)
{
    key(Qt::Key(Qt::Key_A + (letter - 'A')), Qt::AltModifier);
}

[[maybe_unused]] void typeText(const QString &text)
{
    QTest::keyClicks(focused(), text);
}

// Types into the field with the focus and leaves it with Tab.
void fill(const QString &text)
{
    if (auto *edit = qobject_cast<QLineEdit *>(focused()))
        edit->selectAll();
    typeText(text);
    key(Qt::Key_Tab);
}

// Tab until the focus is on the control named, at most round the window once.
[[maybe_unused]] void tabTo(const char *name)
{
    for (int i = 0; i < 60 && focused() && focused()->objectName() != QLatin1String(name); ++i)
        key(Qt::Key_Tab);
}

// What the person found wrong on the screens, one line per screen and fault.
struct Audit {
    QStringList faults;
    QMap<QString, QStringList> chains;  // each screen's Tab chain, from its first field

    // The chain of a screen from the control named.
    QStringList from(const QString &screen, const QString &first) const
    {
        QStringList chain = chains.value(screen);
        const qsizetype at = chain.indexOf(first);
        return at < 0 ? chain : chain.mid(at) + chain.first(at);
    }

    void operator()(QWidget &screen)
    {
        const QString name = screen.objectName();
        for (const QString &clash : MnemonicClashes(screen)) {
            faults << name + QStringLiteral(" shares ") + clash;
            qInfo("%s", qPrintable(faults.last()));
        }
        const QStringList chain = TabChain(screen);
        chains[name] = chain;
        if (chain.endsWith(QStringLiteral("STUCK")) || chain.endsWith(QStringLiteral("LOST"))
            || chain.endsWith(QStringLiteral("NO END")))
            faults << name + QStringLiteral(" Tab: ") + chain.join(u' ');
        const QStringList missed = UnreachedByTab(screen, chain);
        if (!missed.isEmpty())
            faults << name + QStringLiteral(" Tab never reaches ") + missed.join(QStringLiteral(", "));
    }
};

}  // namespace

class TestKeyboardRun : public QObject {
    Q_OBJECT

private slots:
    void thePaymentTaskByKeyboard()
    {
        TestSession ts;
        const QString path = ts.file("Zoltdata.csv");
        const auto writeFile = [&](bool withDuplicate) {
            QStringList first = {"#1,SMITH JOHN,05,101,#00-000-001,10.00,A,10,0,0,0,LOT 1",
                                 "#2,ADAMS AL,05,101,#00-000-002,20.00,A,20,0,0,0,LOT 2"};
            if (withDuplicate)
                first << "#7,ADAMS AL,05,101,#00-000-002,20.00,A,20,0,0,0,LOT 2";
            PaymentFileText()
                .year(ThisYear())
                .masks({"10108##-###-###"})
                .group("1", "0012", first)
                .group("2", "0034", {"#8,MITCHELL ANN,05,101,#00-000-008,80.00,B,100,80,0,0,LOT 8"})
                .write(path);
        };
        writeFile(true);

        app::ZoltPayment window(ts.session());
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(window.picker()->setDirectory(ts.dir()));
        window.picker()->setFileName("Zoltdata.csv");
        Audit audit;
        audit(window);

        // A file with a duplicate payment: the list of duplicates, left with Escape.
        ScreenScript duplicates;
        duplicates.on("DuplicateFolios", [&](QWidget &s) { audit(s); key(Qt::Key_Escape); });
        duplicates.start();
        alt('O');
        QTRY_VERIFY_WITH_TIMEOUT(duplicates.finished() || !duplicates.failure().isEmpty(), 30000);
        QVERIFY2(duplicates.finished(), qPrintable(duplicates.failure()));

        writeFile(false);
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        ScreenScript script;
        script
            .on("Group", [&](QWidget &s) { audit(s); key(Qt::Key_Down); key(Qt::Key_Up); key(Qt::Key_Return); })
            // A new payment typed field by field.
            .on("Detail", [&](QWidget &s) { audit(s); alt('A'); })
            .on("Detail_Add", [&](QWidget &s) {
                for (const char *text : {"05", "101", "5", "M-5", "NEW OWNER", "LOT 5"})
                    fill(QLatin1String(text));
                tabTo("txtPAYMENT");
                fill("12.50");
                audit(s);
                alt('O');
            })
            // Enter on a row changes it.
            .on("Detail", [&](QWidget &) { tabTo("TDBGrid"); key(Qt::Key_Home, Qt::ControlModifier); key(Qt::Key_Return); })
            .on("Detail_Change", [&](QWidget &s) {
                audit(s);
                tabTo("txtNAME");
                fill("CHANGED OWNER");
                alt('O');
            })
            .on("Detail", [&](QWidget &) { alt('D'); })
            .on("Detail_Delete", [&](QWidget &s) { audit(s); key(Qt::Key_Escape); })
            .on("Detail", [&](QWidget &) { alt('F'); })
            .on("Detail_Search", [&](QWidget &s) {
                alt('N');
                key(Qt::Key_Space);
                key(Qt::Key_Tab);
                typeText("ADA");
                key(Qt::Key_Return);
                audit(s);
                tabTo("TDBGrid");
                key(Qt::Key_Return);
            })
            .on("Detail", [&](QWidget &) { key(Qt::Key_Escape); })
            .on("Group", [&](QWidget &) { alt('C'); })
            .on("Group_Agency", [&](QWidget &s) { audit(s); key(Qt::Key_Escape); })
            .on("Group", [&](QWidget &) { key(Qt::Key_Escape); })
            .on("ZOLT_ReturnInstructions", [&](QWidget &s) { audit(s); key(Qt::Key_Escape); });
        script.start();
        alt('O');
        QTRY_VERIFY_WITH_TIMEOUT(script.finished() || !script.failure().isEmpty(), 30000);
        QVERIFY2(script.finished(), qPrintable(script.failure() + " after " + script.visited().join(", ")));
        QCOMPARE(audit.faults, QStringList());
        QCOMPARE(audit.from("Detail_Add", "txtCD"),
                 QStringList({"txtCD", "txtJUR", "txtFOLIO_DISP", "txtNUMBER", "txtNAME", "txtLEGAL", "OptionA",
                              "txtPAYMENT", "Command_OK", "Command_Cancel"}));
    }

    void theVerificationTaskByKeyboard()
    {
        TestSession ts;
        WriteThreeFolioWorkbook(ts.file("MortNo1.xlsx"));
        app::ZoltPayment window(ts.session());
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        alt('M');
        QTRY_VERIFY(child<QPushButton>(window, "Command_VERIFY_OK")->isEnabled());
        QVERIFY(window.picker()->setDirectory(ts.dir()));
        window.picker()->setFileName("MortNo1.xlsx");
        Audit audit;
        audit(window);

        QString found;
        ScreenScript script;
        script
            .on("Verify_Numbers", [&](QWidget &s) { audit(s); alt('A'); })
            .on("Verify_Number_Add", [&](QWidget &s) {
                fill("M-400");
                fill("0012");
                audit(s);
                key(Qt::Key_Escape);
            })
            // Enter on a row changes it.
            .on("Verify_Numbers", [&](QWidget &) { tabTo("TDBGrid"); key(Qt::Key_Down); key(Qt::Key_Return); })
            .on("Verify_Number_Change", [&](QWidget &s) { audit(s); key(Qt::Key_Escape); })
            .on("Verify_Numbers", [&](QWidget &) { alt('I'); })
            .on("Verify_Numbers_Search", [&](QWidget &s) {
                alt('M');
                QTRY_COMPARE(focused()->objectName(), QStringLiteral("txtNAME"));
                typeText("MITCH");
                key(Qt::Key_Return);
                found = child<QLineEdit>(s, "Text_Msg")->text();
                audit(s);
                tabTo("TDBGrid");
                key(Qt::Key_Return);
            })
            .on("Verify_Numbers", [&](QWidget &) { key(Qt::Key_Escape); })
            .on("ZOLT_ReturnInstructions2", [&](QWidget &s) { audit(s); key(Qt::Key_Escape); });
        script.start();
        alt('V');
        QTRY_VERIFY_WITH_TIMEOUT(script.finished() || !script.failure().isEmpty(), 30000);
        QVERIFY2(script.finished(), qPrintable(script.failure() + " after " + script.visited().join(", ")));
        QCOMPARE(found, QStringLiteral("Folio Record Found!"));
        QCOMPARE(audit.faults, QStringList());
        QCOMPARE(audit.from("Verify_Number_Add", "txtNUMBER"),
                 QStringList({"txtNUMBER", "txtMORTCO", "ComboCD", "ComboJUR", "txtFOLIO", "txtPID", "txtNAME", "txtADDR1",
                              "txtADDR2", "txtADDR3", "txtADDR4", "txtADDR5", "txtLEGAL", "Command_Cancel"}));
    }
};

QTEST_MAIN(TestKeyboardRun)
#include "test_keyboard_run.moc"
