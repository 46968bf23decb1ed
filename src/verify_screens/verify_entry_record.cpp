// The change and permanent delete screens: both show the current folio of
// rsVerify.

#include "verify_entry.h"

#include "verify_entry_texts.h"

#include "common/session.h"
#include "common/text_utils.h"
#include "common/windows1252.h"
#include "payment/folio_mask.h"
#include "store/data_environment.h"
#include "verify/verify_entry_rules.h"
#include "verify/verify_folios.h"
#include "widgets/screen_controls.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace zolt::verify_screens {

using namespace entry_texts;

namespace {

// The editable fields of a folio and the boxes showing them.
const char *const EditedFields[] = {"NAME", "ADDR1", "ADDR2", "ADDR3", "ADDR4", "ADDR5", "LEGAL"};

}  // namespace

void VerifyEntry::showOnly(QLineEdit *edit)
{
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    colour(edit, ReadOnlyGrey);
}

void VerifyEntry::buildRecordControls(QVBoxLayout *layout)
{
    const bool change = m_kind == Kind::Change;
    auto row = [this](QGridLayout *grid, const QString &caption, QWidget *field, QWidget *beside) {
        const int at = grid->rowCount();
        grid->addWidget(new QLabel(caption, this), at, 0);
        grid->addWidget(field, at, 1);
        if (beside)
            grid->addWidget(beside, at, 2);
    };

    m_number = makeField("txtNUMBER", 12);
    m_numberMsg = makeNote("Label_NUMBER_Msg", QString(), true);
    m_numberMsg->setWordWrap(true);
    QGroupBox *identification = MakeFrame(
        "Frame2", QStringLiteral("< Property identification fields. These Fields are NOT updatable >"), this);
    auto *identified = new QGridLayout(identification);
    identified->setColumnStretch(2, 1);
    if (change) {
        QGroupBox *purpose = MakeFrame(
            "Frame1", QStringLiteral("< The Purpose of this screen is to update the \"Mortgage Number\". >"), this);
        auto *numbered = new QGridLayout(purpose);
        numbered->setColumnStretch(2, 1);
        row(numbered, QStringLiteral("Mortgage Number:"), m_number, m_numberMsg);
        layout->addWidget(purpose);
    } else {
        row(identified, QStringLiteral("Mortgage Number:"), m_number, m_numberMsg);
    }
    m_mortco = makeField("txtMORTCO", 4);
    m_textCD = makeField("TextCD", 2);
    m_textJUR = makeField("TextJUR", 3);
    m_districtName = MakeLabel("Label_Collection_District_Name", QString(), this);
    m_jurisdictionName = MakeLabel("Label_Jurisdiction_Name", QString(), this);
    m_folioDisp = MakeLabel("Label_FOLIO_Disp", QString(), this);
    m_folioDigits = MakeLabel("Label_FOLIO", QString(), this);
    m_pidShown = MakeLabel("Label_PID", QString(), this);
    for (QLabel *label : {m_folioDisp, m_folioDigits, m_pidShown})
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    row(identified, QStringLiteral("Mortgage Company ID:"), m_mortco, nullptr);
    row(identified, QStringLiteral("Collection District (CD):"), m_textCD, m_districtName);
    row(identified, QStringLiteral("Jurisdiction (JUR):"), m_textJUR, m_jurisdictionName);
    row(identified, QStringLiteral("Folio Number:"), m_folioDisp, m_folioDigits);
    row(identified, QStringLiteral("Property Identifier (PID):"), m_pidShown, nullptr);
    layout->addWidget(identification);

    QGroupBox *owner = MakeFrame(
        "Frame3",
        change ? QStringLiteral("< These fields may be changed for your own purposes only: official changes are "
                                "made by the assessment authority >")
               : QStringLiteral("< Owner >"),
        this);
    auto *owned = new QGridLayout(owner);
    owned->setColumnStretch(2, 1);
    int at = 0;
    addAddressFields(owned, at);
    layout->addWidget(owner);

    for (QLineEdit *edit : {m_mortco, m_textCD, m_textJUR})
        showOnly(edit);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    if (change) {
        QPushButton *previous =
            makeButton("Command_Previous", QStringLiteral("&Previous Detail"),
                       QStringLiteral("Save current detail change and go to the previous active record"));
        QPushButton *next = makeButton("Command_Next", QStringLiteral("&Next Detail"),
                                       QStringLiteral("Save current detail change and go to the next active record"));
        QPushButton *close = makeButton("Command1", QStringLiteral("&Close"),
                                        QStringLiteral("OK to save the changes to this detail, then exit"));
        connect(previous, &QPushButton::clicked, this, [this] { walk(false); });
        connect(next, &QPushButton::clicked, this, [this] { walk(true); });
        connect(close, &QPushButton::clicked, this, &VerifyEntry::Command1_Click);
        for (QPushButton *button : {previous, next, close})
            buttons->addWidget(button);
        QList<QWidget *> order{m_number, m_name};
        for (QLineEdit *address : std::as_const(m_addresses))
            order << address;
        order << m_legal << previous << next << close;
        for (qsizetype i = 1; i < order.size(); ++i)
            setTabOrder(order[i - 1], order[i]);
    } else {
        for (QLineEdit *edit : findChildren<QLineEdit *>())
            if (edit != m_textMsg)
                showOnly(edit);
        QLabel *note = makeNote(
            "Label_Note",
            QStringLiteral("This function will DELETE from your file a new folio ADDED by MISTAKE. Other folios marked "
                           "as 'DELETE' versus this PERMANENT DELETE function will be processed by the Varnholt as "
                           "removing your bank's interest from the property."),
            false);
        note->setWordWrap(true);
        layout->addWidget(note);
        QPushButton *remove = makeButton("Command_Delete", QStringLiteral("&Delete"),
                                         QStringLiteral("OK to PERMANENTLY Delete the Property Folio Record, then exit"));
        QPushButton *cancel =
            makeButton("Command_Cancel", QStringLiteral("&Cancel"), QStringLiteral("Cancel the Delete and Exit"));
        connect(remove, &QPushButton::clicked, this, &VerifyEntry::Command_Delete_Click);
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
        buttons->addWidget(remove);
        buttons->addWidget(cancel);
        setTabOrder(remove, cancel);
    }
    layout->addWidget(m_textMsg);
    layout->addLayout(buttons);
}

void VerifyEntry::loadRecord()
{
    if (m_kind == Kind::Delete) {
        say(QStringLiteral("Please Select the \"Delete\" button to confirm the permanent removal of the record, or "
                           "the \"Cancel\" button to quit."));
        findChild<QPushButton *>(QStringLiteral("Command_Cancel"))->setFocus();
        ShowCurrentRecord();
        return;
    }
    m_numberMsg->clear();
    say(QStringLiteral("Please make the changes and press the 'Close' button."));
    m_session.ui.letEventsRun();
    Recordset &folios = m_session.de.rsVerify();
    folios.ensureOpen();
    m_clone = folios.clone();
    ShowCurrentRecord();
    enterNumber();
}

// The boxes show the current folio, with the names of its district and
// jurisdiction and its folio in the jurisdiction's layout.
void VerifyEntry::ShowCurrentRecord()
{
    Recordset &folios = m_session.de.rsVerify();
    const bool current = folios.isOpen() && folios.position() >= 0;
    auto text = [&](const QString &field) { return current ? folios.text(field) : QString(); };
    showValue(m_number, text(QStringLiteral("NUMBER")));
    showValue(m_mortco, text(QStringLiteral("MORTCO")));
    showValue(m_textCD, text(QStringLiteral("CD")));
    showValue(m_textJUR, text(QStringLiteral("JUR")));
    QList<QLineEdit *> edited{m_name};
    edited << m_addresses << m_legal;
    for (qsizetype i = 0; i < edited.size(); ++i)
        showValue(edited[i], text(QLatin1String(EditedFields[i])));
    if (m_kind == Kind::Change)
        colour(m_name, White);

    const verify::CodeNames names = verify::NamesOfCodes(m_session, m_textCD->text(), m_textJUR->text());
    m_districtName->setText(names.district);
    m_jurisdictionName->setText(names.jurisdiction);
    const QString folio = text(QStringLiteral("FOLIO"));
    m_folioDisp->setText(payment::FormatFolio(m_session, verify::CodeOf(m_textJUR->text(), 3), folio));
    m_folioDigits->setText(folio);
    m_pidShown->setText(text(QStringLiteral("PID")));
    m_numberBefore = TrimBlanks(m_number->text());
    m_session.ui.letEventsRun();
}

void VerifyEntry::enterNumber()
{
    m_number->setText(TrimBlanks(m_number->text()));
    m_number->selectAll();
    m_numberBefore = m_number->text();
}

// The note names another active folio carrying the number, never the
// folio being changed.
bool VerifyEntry::checkChangedNumber()
{
    m_number->setText(TrimBlanks(ToUpperWindows1252(m_number->text())));
    if (m_number->text().isEmpty()) {
        say(verify::NumberMissingMessage);
        m_session.ui.beep();
        return false;
    }
    const Recordset &folios = m_session.de.rsVerify();
    const QVariant self = folios.position() >= 0 ? folios.bookmark() : QVariant();
    if (const std::optional<QString> note = verify::NumberInUse(m_session, *m_clone, m_number->text(), self)) {
        say(*note);
        m_numberMsg->setText(verify::NumberSharedLabel);
    } else {
        m_numberMsg->clear();
        // What the number's check said before is said no more.
        if (m_textMsg->text().startsWith(verify::NumberSharedLead) || m_textMsg->text() == verify::NumberMissingMessage)
            m_textMsg->clear();
    }
    return true;
}

// A number other than the one the box got the focus with marks the folio
// changed, written at once.
void VerifyEntry::numberLeft()
{
    m_number->setText(TrimBlanks(m_number->text()));
    Recordset &folios = m_session.de.rsVerify();
    if (m_number->text() == m_numberBefore || folios.position() < 0)
        return;
    tried([&] {
        folios.setField(QStringLiteral("NUMBER"), m_number->text());
        folios.setField(QStringLiteral("ACD"), verify::Mark::Changed);
        folios.move(0);
    });
}

// The edits of the name, address and legal boxes reach the folio when the
// screen leaves it.
bool VerifyEntry::writeEdits()
{
    Recordset &folios = m_session.de.rsVerify();
    if (!folios.isOpen() || folios.position() < 0)
        return true;
    QList<QLineEdit *> edited{m_name};
    edited << m_addresses << m_legal;
    return tried([&] {
        for (qsizetype i = 0; i < edited.size(); ++i) {
            const QString field = QLatin1String(EditedFields[i]);
            if (edited[i]->text() != folios.text(field))
                folios.setField(field, edited[i]->text());
        }
        folios.move(0);
    });
}

void VerifyEntry::walk(bool forward)
{
    if (!leaveFocusedField() || !writeEdits())
        return;
    m_textMsg->clear();
    Recordset &folios = m_session.de.rsVerify();
    QString said;
    if (!tried([&] {
            said = forward ? verify::NextActiveFolio(m_session, folios) : verify::PreviousActiveFolio(folios);
        }))
        return;
    say(said);
    ShowCurrentRecord();
    m_numberMsg->clear();
    {
        const QScopedValueRollback<bool> quiet(m_quiet, true);
        m_number->setFocus();
    }
    enterNumber();
    m_session.ui.letEventsRun();
}

void VerifyEntry::Command1_Click()
{
    if (leaveFocusedField() && writeEdits())
        accept();
}

void VerifyEntry::reject()
{
    if (m_kind == Kind::Change)
        Command1_Click();
    else
        QDialog::reject();
}

// The form is the confirmation. The list is left on the folio after the one
// removed, on its first folio when the last went.
void VerifyEntry::Command_Delete_Click()
{
    Recordset &folios = m_session.de.rsVerify();
    if (folios.position() < 0)
        return;
    const bool removed = tried([&] {
        folios.deleteCurrent();
        if (folios.recordCount() > 0) {
            folios.moveNext();
            if (folios.eof())
                folios.moveFirst();
        } else {
            folios.close();
            folios.open();
        }
    });
    if (removed)
        accept();
}

}  // namespace zolt::verify_screens
