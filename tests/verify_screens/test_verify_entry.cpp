// Adding a folio, changing the current folio's mortgage number and removing
// a folio for good, over folios put into VERIFY, played as a user would.

#include "support/test_session.h"
#include "support/screen_actions.h"

#include "store/data_environment.h"
#include "verify_screens/verify_entry.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace zolt;
using namespace zolt::test;
using zolt::verify_screens::VerifyEntry;
using Kind = VerifyEntry::Kind;

namespace {

const QColor White(255, 255, 255), LightYellow(255, 255, 192), LightRed(255, 192, 192);

// Districts 05 (one jurisdiction), 07 (two) and 09 (none paired); 701 shows
// its folios as ##-###-###. In the order of rsVerify (NUMBER): N050 marked
// for deletion, N100 SMITH, N200 marked for deletion, N300 O'NEIL, N400
// marked for deletion.
void fill(TestSession &t)
{
    t.exec("INSERT INTO Collection_District VALUES ('05', 'NORTH'), ('07', 'SOUTH'), ('09', 'WEST')");
    t.exec("INSERT INTO Jurisdiction VALUES ('701', 'CITY A'), ('702', 'CITY B'), ('799', 'LAST TOWN')");
    t.exec("INSERT INTO CD_JUR VALUES ('05', '701'), ('07', '701'), ('07', '702')");
    t.exec("INSERT INTO Fol_Mask (YEAR, JUR_CD, FOLIO_LEN, FOLIO_MASK) VALUES ('2026', '701', 8, '##-###-###')");
    t.exec("INSERT INTO VERIFY (ACD, MORTCO, NUMBER, NAME, CD, JUR, FOLIO, PID, ADDR1, LEGAL) VALUES "
           "('D', '0012', 'N050', 'FIRST GONE', '05', '701', '000000000000000050', '50', '', ''),"
           "(' ', '0012', 'N100', 'SMITH JOHN', '05', '701', '000000000012345678', '111', '1 HILL', 'LOT 1'),"
           "('D', '0012', 'N200', 'GONE ANN', '05', '701', '000000000000000777', '222', '', ''),"
           "(' ', '0012', 'N300', 'O''NEIL PAT', '07', '702', '000000000000000999', '333', '', ''),"
           "('D', '0012', 'N400', 'LAST GONE', '07', '702', '000000000000000400', '400', '', '')");
    t.de().rsVerify().ensureOpen();
}

int folioCount(TestSession &t)
{
    return t.scalar("SELECT count(*) FROM VERIFY").toInt();
}

QString stored(TestSession &t, const QString &field, const QString &name)
{
    return t.scalar(QStringLiteral("SELECT %1 FROM VERIFY WHERE NAME = '%2'").arg(field, name)).toString();
}

QString label(QWidget &screen, const char *name)
{
    return child<QLabel>(screen, name)->text();
}

QColor background(QWidget &screen, const char *name)
{
    return child<QWidget>(screen, name)->palette().color(QPalette::Base);
}

// Types into a box or combo and leaves it with Tab; answers whether the
// focus left it.
void positionOn(TestSession &t, const QString &number)
{
    Recordset &folios = t.de().rsVerify();
    folios.moveFirst();
    QVERIFY(folios.find(QStringLiteral("NUMBER = '%1'").arg(number)));
}

}  // namespace

class TestVerifyEntry : public QObject {
    Q_OBJECT

private slots:
    // A folio or PID already in VERIFY is refused, active or marked for
    // deletion, a PID whatever its jurisdiction; a folio of zeros is no
    // folio; what passes is stored as typed, marked added.
    void addRefusesFoliosAndPidsInUse()
    {
        TestSession t;
        fill(t);
        VerifyEntry add(Kind::Add, t.session());
        add.Form_Load();
        shown(add);
        QCOMPARE(child<QLineEdit>(add, "txtMORTCO")->text(), QString("0012"));
        QVERIFY(!child<QPushButton>(add, "Command_OK")->isEnabled());

        QVERIFY(!typeAndLeave(add, "txtNUMBER", "  "));
        QCOMPARE(message(add), QString("You must enter a Mortgage Number!"));
        QVERIFY(typeAndLeave(add, "txtNUMBER", "n999"));
        QCOMPARE(child<QLineEdit>(add, "txtNUMBER")->text(), QString("N999"));
        QVERIFY(typeAndLeave(add, "ComboCD", "05"));
        QCOMPARE(child<QComboBox>(add, "ComboJUR")->currentText(), QString("701 CITY A"));

        t.ui.beeps = 0;
        QVERIFY(!typeAndLeave(add, "txtFOLIO", "12-345-678"));
        QCOMPARE(message(add), QString("NOTE - This Folio Number already Exist! see folio 05 701 12345.678 SMITH JOHN"));
        QCOMPARE(label(add, "Label_FOLIO_Red_Required"), QString("Duplicate!"));
        QCOMPARE(background(add, "txtFOLIO"), LightRed);
        QVERIFY(!typeAndLeave(add, "txtFOLIO", "7.77"));
        QCOMPARE(message(add), QString("NOTE - This Folio Number already Exist (BUT it is marked as DELETED)! see "
                                       "folio 05 701 .777 GONE ANN"));
        QVERIFY(!typeAndLeave(add, "txtFOLIO", "00-000-000"));
        QCOMPARE(message(add), QString("You must enter a valid Folio Number!"));
        QCOMPARE(t.ui.beeps, 3);
        QVERIFY(typeAndLeave(add, "txtFOLIO", "44"));
        QCOMPARE(child<QLineEdit>(add, "txtFOLIO")->text(), QString("00-000-044"));
        QCOMPARE(label(add, "Label_FOLIO_Format"), QString("(00-000-044 000000000000000044)"));
        QCOMPARE(label(add, "Label_FOLIO_Red_Required"), QString("Required"));
        QCOMPARE(background(add, "txtFOLIO"), White);

        // SMITH's folio is in 701, O'NEIL's PID in 702.
        QVERIFY(!typeAndLeave(add, "txtPID", "333"));
        QCOMPARE(message(add), QString("NOTE - This Property Identifier (PID) already Exist! see folio 07 702 .999 333 "
                                       "O'NEIL PAT"));
        QCOMPARE(label(add, "Label_PID_Red_Required"), QString("Duplicate!"));
        // A refused PID leaves Save off, though the folio before it was good.
        QVERIFY(!child<QPushButton>(add, "Command_OK")->isEnabled());
        QVERIFY(!typeAndLeave(add, "txtPID", "222"));
        QVERIFY(message(add).startsWith("NOTE - This Property Identifier (PID) already Exist (BUT it is marked as "
                                        "DELETED)! see folio 05 701 .777 222 GONE ANN"));
        QVERIFY(typeAndLeave(add, "txtPID", "4-44"));
        QCOMPARE(child<QLineEdit>(add, "txtPID")->text(), QString("444"));
        QCOMPARE(label(add, "Label_PID_Red_Required"), QString());

        QVERIFY(typeAndLeave(add, "txtNAME", " o'brien kate "));
        child<QLineEdit>(add, "txtADDR2")->setFocus();
        child<QLineEdit>(add, "txtADDR2")->setText("2 hill");
        QVERIFY(child<QPushButton>(add, "Command_OK")->isEnabled());
        click(add, "Command_OK");
        QCOMPARE(add.result(), int(QDialog::Accepted));
        QCOMPARE(folioCount(t), 6);
        QCOMPARE(t.scalar("SELECT ACD || '|' || MORTCO || '|' || NUMBER || '|' || CD || '|' || JUR || '|' || FOLIO "
                          "|| '|' || PID || '|' || ADDR2 FROM VERIFY WHERE NAME = 'O''BRIEN KATE'")
                     .toString(),
                 QString("A|0012|N999|05|701|000000000000000044|444|2 HILL"));
        QCOMPARE(t.de().rsVerify().text("NAME"), QString("O'BRIEN KATE"));
    }

    // Save stays off until the whole form passes; a folio longer than 18
    // digits keeps its last 18; an empty district and jurisdiction are
    // stored blank.
    void addSavesOnlyAWholeFolio()
    {
        TestSession t;
        fill(t);
        VerifyEntry add(Kind::Add, t.session());
        add.Form_Load();
        shown(add);
        auto *save = child<QPushButton>(add, "Command_OK");
        QVERIFY(typeAndLeave(add, "txtNUMBER", "N700"));
        QVERIFY(!typeAndLeave(add, "txtMORTCO", "12"));
        QCOMPARE(message(add), QString("You must enter a valid Mortgage Company ID ! (it is four characters long)"));
        QVERIFY(typeAndLeave(add, "txtMORTCO", "ab'c"));
        QVERIFY(typeAndLeave(add, "txtFOLIO", " "));
        QCOMPARE(message(add), QString("Folio Number (or Property Identifier) must be entered!"));
        QCOMPARE(background(add, "txtFOLIO"), LightYellow);
        QCOMPARE(background(add, "txtPID"), LightYellow);
        QVERIFY(!save->isEnabled());
        QTest::keyClick(&add, Qt::Key_S, Qt::AltModifier);
        QCOMPARE(folioCount(t), 5);

        QVERIFY(typeAndLeave(add, "txtFOLIO", "1234567890123456789"));
        QVERIFY(save->isEnabled());
        click(add, "Command_OK");
        QCOMPARE(add.result(), int(QDialog::Accepted));
        QCOMPARE(t.scalar("SELECT MORTCO || '|' || CD || '|' || JUR || '|' || FOLIO || '|' || ifnull(PID, '') FROM VERIFY "
                          "WHERE NUMBER = 'N700'")
                     .toString(),
                 QString("AB'C|  |   |234567890123456789|"));
    }

    // The jurisdictions offered follow CD_JUR; codes outside 01-99 and
    // 701-799 are refused, "100" included.
    void addDistrictsAndJurisdictions()
    {
        TestSession t;
        fill(t);
        VerifyEntry add(Kind::Add, t.session());
        add.Form_Load();
        shown(add);
        auto *jurs = child<QComboBox>(add, "ComboJUR");
        QCOMPARE(jurs->count(), 1);
        QVERIFY(typeAndLeave(add, "txtNUMBER", "N700"));

        jurs->setEditText("702");
        QVERIFY(typeAndLeave(add, "ComboCD", "07 SOUTH"));
        QCOMPARE(jurs->count(), 2);
        QCOMPARE(jurs->currentText(), QString("702 CITY B"));
        QVERIFY(typeAndLeave(add, "ComboCD", "09"));
        QCOMPARE(jurs->count(), 3);
        QCOMPARE(jurs->currentText(), QString("702 CITY B"));
        QVERIFY(typeAndLeave(add, "ComboCD", "05"));
        QCOMPARE(jurs->count(), 1);
        QCOMPARE(jurs->currentText(), QString("701 CITY A"));
        // Typed keys stay as typed: "0" is not completed to "05 NORTH".
        auto *districts = child<QComboBox>(add, "ComboCD");
        districts->setFocus();
        districts->clearEditText();
        QTest::keyClicks(districts, "0");
        QCOMPARE(districts->currentText(), QString("0"));
        // A district nobody has: every jurisdiction, and an apostrophe is a letter.
        QVERIFY(!typeAndLeave(add, "ComboCD", "0'"));
        QCOMPARE(jurs->count(), 3);

        for (const char *wrong : {"00", "100", "AB"}) {
            t.ui.beeps = 0;
            QVERIFY2(!typeAndLeave(add, "ComboCD", wrong), wrong);
            QCOMPARE(message(add), QString("You must enter a valid Collection District (01-99)"));
            QCOMPARE(t.ui.beeps, 1);
        }
        QVERIFY(typeAndLeave(add, "ComboCD", "09"));
        for (const char *wrong : {"700", "800", "7001"}) {
            QVERIFY2(!typeAndLeave(add, "ComboJUR", wrong), wrong);
            QCOMPARE(message(add), QString("You must enter a valid Jurisdiction Code (701-799)"));
        }
        for (const char *right : {"701", "799 LAST TOWN", ""})
            QVERIFY2(typeAndLeave(add, "ComboJUR", right), right);
    }

    // A number in use is taken, and the note naming its folio stays in view;
    // a number carried only by a folio marked for deletion is free. Typed
    // apostrophes match themselves.
    void addNumberInUse()
    {
        TestSession t;
        fill(t);
        t.exec("INSERT INTO VERIFY (ACD, MORTCO, NUMBER, NAME, CD, JUR, FOLIO, PID) VALUES "
               "(' ', '0012', 'AB''C', 'QUOTE ME', '05', '701', '000000000000000055', '')");
        t.de().rsVerify().requery();
        VerifyEntry add(Kind::Add, t.session());
        add.Form_Load();
        shown(add);
        t.ui.beeps = 0;
        QVERIFY(typeAndLeave(add, "txtNUMBER", "n100"));
        QCOMPARE(t.ui.beeps, 1);
        QCOMPARE(background(add, "txtNUMBER"), LightYellow);
        QCOMPARE(label(add, "Label_NUMBER_Msg"),
                 QString("NOTE that there are one or more folios with this mortgage number!"));
        QCOMPARE(message(add), QString("NOTE - This Mortgage Number already Exist! see folio 05 701 12345.678 SMITH JOHN"));
        QVERIFY(typeAndLeave(add, "txtMORTCO", "0012"));

        QVERIFY(typeAndLeave(add, "txtNUMBER", "N200"));
        QCOMPARE(background(add, "txtNUMBER"), White);
        QCOMPARE(label(add, "Label_NUMBER_Msg"), QString("Required"));
        QCOMPARE(message(add), QString());

        QVERIFY(typeAndLeave(add, "txtNUMBER", "ab'c"));
        QVERIFY(message(add).endsWith(" QUOTE ME"));
        QVERIFY(typeAndLeave(add, "txtNUMBER", "AB''C"));
        QCOMPARE(message(add), QString());
    }

    // A save the database refuses leaves no row, no open transaction and
    // the form open with its message.
    void addFailedSaveRollsBack()
    {
        TestSession t;
        fill(t);
        t.exec("CREATE TRIGGER refuse BEFORE INSERT ON VERIFY BEGIN SELECT RAISE(ABORT, 'refused'); END");
        VerifyEntry add(Kind::Add, t.session());
        add.Form_Load();
        shown(add);
        QVERIFY(typeAndLeave(add, "txtNUMBER", "N700"));
        QVERIFY(typeAndLeave(add, "txtPID", "9"));
        click(add, "Command_OK");
        QCOMPARE(t.ui.messages(), QStringList{"UNKNOWN ERROR - Save Failed!"});
        QCOMPARE(t.ui.said.last().icon, MessageIcon::Critical);
        QCOMPARE(message(add), QString("UNKNOWN ERROR - Save Failed!"));
        QVERIFY(add.isVisible());
        QCOMPARE(folioCount(t), 5);
        QCOMPARE(t.de().rsVerify().recordCount(), 5);
        QCOMPARE(t.de().Zolt().transactionDepth(), 0);
    }

    // Changing the number marks the folio "C" and writes it at once; leaving
    // it as it was marks nothing; the other edits are written on Close.
    void changeMarksARealChange()
    {
        TestSession t;
        fill(t);
        positionOn(t, "N100");
        VerifyEntry change(Kind::Change, t.session());
        change.Form_Load();
        shown(change);
        QCOMPARE(child<QLineEdit>(change, "txtNUMBER")->text(), QString("N100"));
        QCOMPARE(label(change, "Label_Collection_District_Name"), QString("NORTH"));
        QCOMPARE(label(change, "Label_Jurisdiction_Name"), QString("CITY A"));
        QCOMPARE(label(change, "Label_FOLIO_Disp"), QString("12-345-678"));
        QCOMPARE(label(change, "Label_FOLIO"), QString("000000000012345678"));
        QCOMPARE(label(change, "Label_PID"), QString("111"));
        QVERIFY(child<QLineEdit>(change, "TextCD")->isReadOnly());

        QVERIFY(typeAndLeave(change, "txtNUMBER", " n100 "));
        QCOMPARE(stored(t, "ACD", "SMITH JOHN"), QString(" "));
        QVERIFY(!typeAndLeave(change, "txtNUMBER", ""));
        QCOMPARE(message(change), QString("You must enter a Mortgage Number!"));
        QVERIFY(typeAndLeave(change, "txtNUMBER", "N500"));
        QCOMPARE(stored(t, "ACD || NUMBER", "SMITH JOHN"), QString("CN500"));
        QVERIFY(typeAndLeave(change, "txtNUMBER", "N100"));
        QCOMPARE(stored(t, "ACD || NUMBER", "SMITH JOHN"), QString("CN100"));

        child<QLineEdit>(change, "txtADDR1")->setFocus();
        child<QLineEdit>(change, "txtADDR1")->setText("9 dale");
        QCOMPARE(stored(t, "ADDR1", "SMITH JOHN"), QString("1 HILL"));
        click(change, "Command1");
        QCOMPARE(change.result(), int(QDialog::Accepted));
        QCOMPARE(stored(t, "ADDR1", "SMITH JOHN"), QString("9 DALE"));
    }

    // A number other folios carry names one of them, never the folio being
    // changed, even when that folio's name and folio match another's.
    void changeNotesOtherFoliosOfTheNumber()
    {
        TestSession t;
        fill(t);
        t.exec("INSERT INTO VERIFY (ACD, MORTCO, NUMBER, NAME, CD, JUR, FOLIO, PID) VALUES "
               "(' ', '0012', 'N100', 'BROWN AL', '07', '701', '000000000000000088', '')");
        t.de().rsVerify().requery();
        Recordset &folios = t.de().rsVerify();
        for (const auto &[current, other] : {std::pair{"SMITH JOHN", "BROWN AL"}, {"BROWN AL", "SMITH JOHN"}}) {
            folios.moveFirst();
            QVERIFY(folios.find(QStringLiteral("NAME = '%1'").arg(current)));
            VerifyEntry change(Kind::Change, t.session());
            change.Form_Load();
            shown(change);
            QVERIFY(typeAndLeave(change, "txtNUMBER", "N100"));
            QVERIFY2(message(change).endsWith(QLatin1String(other)), qPrintable(message(change)));
            QCOMPARE(label(change, "Label_NUMBER_Msg"),
                     QString("NOTE that there are one or more folios with this mortgage number!"));
        }
        {
            // BROWN AL is current.
            VerifyEntry change(Kind::Change, t.session());
            change.Form_Load();
            shown(change);
            QVERIFY(typeAndLeave(change, "txtNUMBER", "N300"));
            QVERIFY(message(change).endsWith(" O'NEIL PAT"));
            QVERIFY(typeAndLeave(change, "txtNUMBER", "N999"));
            QCOMPARE(label(change, "Label_NUMBER_Msg"), QString());
            QCOMPARE(message(change), QString());
        }
        // Alone on its number, the folio has no note.
        positionOn(t, "N300");
        VerifyEntry change(Kind::Change, t.session());
        change.Form_Load();
        shown(change);
        QVERIFY(typeAndLeave(change, "txtNUMBER", "N300"));
        QCOMPARE(label(change, "Label_NUMBER_Msg"), QString());
        QCOMPARE(message(change), QString("Please make the changes and press the 'Close' button."));
    }

    // Next and Previous pass over folios marked for deletion, write the
    // edits of the folio they leave and say where they stopped.
    void changeWalksActiveFolios()
    {
        TestSession t;
        fill(t);
        positionOn(t, "N100");
        Recordset &folios = t.de().rsVerify();
        VerifyEntry change(Kind::Change, t.session());
        change.Form_Load();
        shown(change);
        auto *number = child<QLineEdit>(change, "txtNUMBER");
        auto step = [&](const char *button, const QString &said, const QString &at) {
            click(change, button);
            QCOMPARE(message(change), said);
            QCOMPARE(folios.text("NUMBER"), at);
            QCOMPARE(number->text(), at);
            QCOMPARE(QApplication::focusWidget(), number);
        };
        child<QLineEdit>(change, "txtNAME")->setFocus();
        child<QLineEdit>(change, "txtNAME")->setText("smith jon");
        step("Command_Next", "Positioned to the next active Detail", "N300");
        QCOMPARE(stored(t, "NUMBER", "SMITH JON"), QString("N100"));
        QCOMPARE(label(change, "Label_Jurisdiction_Name"), QString("CITY B"));
        const QVariant n300 = folios.bookmark();
        step("Command_Next", "End of Detail List", "N300");
        QCOMPARE(t.shared.gBookmark, n300);
        step("Command_Previous", "Positioned to the previous Active Detail", "N100");
        step("Command_Previous", "Begining of Detail List", "N050");

        // A changed number goes with the folio left.
        number->setText("N150");
        step("Command_Next", "Positioned to the next active Detail", "N100");
        QCOMPARE(stored(t, "ACD || NUMBER", "FIRST GONE"), QString("CN150"));
        click(change, "Command1");

        positionOn(t, "N400");
        VerifyEntry atEnd(Kind::Change, t.session());
        atEnd.Form_Load();
        shown(atEnd);
        click(atEnd, "Command_Next");
        QCOMPARE(message(atEnd), QString("End of Details"));
        QCOMPARE(folios.text("NUMBER"), QString("N400"));
        QCOMPARE(stored(t, "ACD", "LAST GONE"), QString("D"));
    }

    // The folio goes from VERIFY; the list is left on the next folio, on the
    // first after the last, and empty after the only one.
    void deleteRemovesForGood()
    {
        TestSession t;
        fill(t);
        Recordset &folios = t.de().rsVerify();
        auto remove = [&] {
            VerifyEntry removal(Kind::Delete, t.session());
            removal.Form_Load();
            shown(removal);
            QVERIFY(child<QLineEdit>(removal, "txtNUMBER")->isReadOnly());
            QCOMPARE(message(removal), QString("Please Select the \"Delete\" button to confirm the permanent removal "
                                               "of the record, or the \"Cancel\" button to quit."));
            click(removal, "Command_Delete");
            QCOMPARE(removal.result(), int(QDialog::Accepted));
        };
        positionOn(t, "N300");
        {
            VerifyEntry removal(Kind::Delete, t.session());
            removal.Form_Load();
            QCOMPARE(child<QLineEdit>(removal, "txtNAME")->text(), QString("O'NEIL PAT"));
            QCOMPARE(label(removal, "Label_Collection_District_Name"), QString("SOUTH"));
            // Enter on the focused Cancel cancels.
            shown(removal);
            auto *cancel = child<QPushButton>(removal, "Command_Cancel");
            cancel->setFocus();
            QTest::keyClick(cancel, Qt::Key_Return);
            QCOMPARE(removal.result(), int(QDialog::Rejected));
            QVERIFY(!removal.isVisible());
            QCOMPARE(folioCount(t), 5);
        }
        remove();
        QCOMPARE(folios.text("NUMBER"), QString("N400"));
        remove();
        QCOMPARE(folioCount(t), 3);
        QCOMPARE(folios.text("NUMBER"), QString("N050"));
        t.exec("DELETE FROM VERIFY WHERE NUMBER <> 'N050'");
        folios.requery();
        remove();
        QCOMPARE(folioCount(t), 0);
        QVERIFY(folios.isOpen());
        QCOMPARE(folios.recordCount(), 0);
    }
};

QTEST_MAIN(TestVerifyEntry)
#include "test_verify_entry.moc"
