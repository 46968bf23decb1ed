#include "verify_entry.h"

#include "code_combos.h"
#include "verify_entry_texts.h"

#include "common/session.h"
#include "common/text_utils.h"
#include "common/windows1252.h"
#include "payment/folio_mask.h"
#include "store/data_environment.h"
#include "verify/verify_entry_rules.h"
#include "verify/verify_folios.h"
#include "widgets/line_text_validator.h"
#include "widgets/screen_controls.h"
#include "widgets/screen_fit.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace zolt::verify_screens {

using namespace entry_texts;

VerifyEntry::VerifyEntry(Kind kind, Session &session, QWidget *parent)
    : QDialog(parent), m_kind(kind), m_session(session)
{
    setObjectName(kind == Kind::Add      ? QStringLiteral("Verify_Number_Add")
                  : kind == Kind::Change ? QStringLiteral("Verify_Number_Change")
                                         : QStringLiteral("Verify_Number_Delete"));
    setWindowTitle(Title);
    m_textMsg = MakeMessageLine(QString(), this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(MakeHeading("Label1",
                                  kind == Kind::Add      ? QStringLiteral("Add New Mortgage")
                                  : kind == Kind::Change ? QStringLiteral("Change Mortgage Number")
                                                         : QStringLiteral("Permanent Delete"),
                                  this));
    if (kind == Kind::Add)
        buildAddControls(layout);
    else
        buildRecordControls(layout);
    setMinimumWidth(FontScaled(this, 780));
}

VerifyEntry::~VerifyEntry() = default;

QLineEdit *VerifyEntry::makeField(const char *name, int maxLength)
{
    auto *edit = Named(new QLineEdit(this), name);
    edit->setMaxLength(maxLength);
    m_typedLength.insert(edit, maxLength);
    edit->setValidator(new LineTextValidator(edit));
    // Short codes get a box their size; names and addresses take the width.
    if (maxLength < 20)
        edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QString(maxLength + 3, u'W')));
    edit->installEventFilter(this);
    return edit;
}

void VerifyEntry::showValue(QLineEdit *edit, const QString &text)
{
    edit->setMaxLength(std::max(m_typedLength.value(edit, 32767), int(text.size())));
    edit->setText(text);
}

QPushButton *VerifyEntry::makeButton(const char *name, const QString &caption, const QString &tip)
{
    QPushButton *button = MakeButton(name, caption, tip, this);
    // A click does not take the focus: its handler leaves the field holding
    // it, and stops when that field cannot be left. Enter in a field clicks
    // nothing; Enter on a button clicks it (eventFilter).
    button->setFocusPolicy(Qt::TabFocus);
    button->setAutoDefault(false);
    button->installEventFilter(this);
    return button;
}

QLabel *VerifyEntry::makeNote(const char *name, const QString &text, bool red)
{
    QLabel *label = MakeLabel(name, text, this);
    if (red) {
        QPalette colours = label->palette();
        colours.setColor(QPalette::WindowText, Qt::red);
        label->setPalette(colours);
    }
    return label;
}

void VerifyEntry::addAddressFields(QGridLayout *grid, int &row)
{
    m_name = makeField("txtNAME", 70);
    grid->addWidget(new QLabel(QStringLiteral("Name:"), this), row, 0);
    grid->addWidget(m_name, row++, 1, 1, 2);
    for (int line = 1; line <= 5; ++line) {
        const QByteArray name = "txtADDR" + QByteArray::number(line);
        QLineEdit *address = makeField(name.constData(), 30);
        m_addresses.append(address);
        grid->addWidget(new QLabel(QStringLiteral("Address Line %1:").arg(line), this), row, 0);
        grid->addWidget(address, row++, 1, 1, 2);
    }
    m_legal = makeField("txtLEGAL", 32);
    grid->addWidget(new QLabel(QStringLiteral("Legal Description:"), this), row, 0);
    grid->addWidget(m_legal, row++, 1, 1, 2);
}

void VerifyEntry::buildAddControls(QVBoxLayout *layout)
{
    auto *grid = new QGridLayout;
    grid->setColumnStretch(2, 1);
    int row = 0;
    auto addRow = [&](const QString &caption, QWidget *field, QWidget *note) {
        grid->addWidget(new QLabel(caption, this), row, 0);
        grid->addWidget(field, row, 1);
        if (note)
            grid->addWidget(note, row, 2);
        ++row;
    };
    m_number = makeField("txtNUMBER", 12);
    m_numberMsg = makeNote("Label_NUMBER_Msg", QString(), true);
    m_numberMsg->setWordWrap(true);
    addRow(QStringLiteral("Mortgage Number:"), m_number, m_numberMsg);
    m_mortco = makeField("txtMORTCO", 4);
    addRow(QStringLiteral("Mortgage Company ID:"), m_mortco, makeNote("Label_MORTCO_Msg", Required, true));

    m_comboCD = MakeCodeCombo("ComboCD", this);
    m_comboJUR = MakeCodeCombo("ComboJUR", this);
    for (QComboBox *combo : {m_comboCD, m_comboJUR}) {
        combo->setMinimumContentsLength(24);
        combo->installEventFilter(this);
    }
    grid->addWidget(new QLabel(QStringLiteral("Collection District (CD):"), this), row, 0);
    grid->addWidget(m_comboCD, row, 1);
    grid->addWidget(makeNote("Label_CD_JUR_Required", QStringLiteral("Required when entering folio number"), false),
                    row, 2, 2, 1);
    ++row;
    addRow(QStringLiteral("Jurisdiction (JUR):"), m_comboJUR, nullptr);
    connect(m_comboCD, &QComboBox::editTextChanged, this, [this] {
        FillJurisdictionList();
        refreshSave();
    });

    m_folio = makeField("txtFOLIO", FolioLength);
    m_folioRequired = makeNote("Label_FOLIO_Red_Required", Required, true);
    addRow(QStringLiteral("Folio Number:"), m_folio, m_folioRequired);
    m_folioFormat = makeNote("Label_FOLIO_Format", QString(), false);
    grid->addWidget(m_folioFormat, row++, 1, 1, 2);
    QLabel *pidHint = makeNote(
        "Label_PID_Note",
        QStringLiteral("( If you do NOT know the Folio Number please enter the Property Identifier (PID)"), false);
    grid->addWidget(pidHint, row++, 0, 1, 3);
    m_pid = makeField("txtPID", 9);
    m_pidRequired = makeNote("Label_PID_Red_Required", QString(), true);
    addRow(QStringLiteral("Property Identifier (PID):"), m_pid, m_pidRequired);
    addAddressFields(grid, row);

    QLabel *oneNumber = makeNote("Label_OneNumber",
                                 QStringLiteral("The Jurisdiction and (Folio Number or Property Identifier) "
                                                "combination can only have one associated Mortgage Number ( If you "
                                                "have multiple mortgage numbers for a folio number please enter only "
                                                "one Mortgage Number)."),
                                 false);
    oneNumber->setWordWrap(true);

    QPushButton *cancel = makeButton("Command_Cancel", QStringLiteral("&Cancel"), QStringLiteral("Cancel and exit"));
    m_commandOK = makeButton("Command_OK", QStringLiteral("&Save"), QStringLiteral("Save the new folio, then exit"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_commandOK, &QPushButton::clicked, this, &VerifyEntry::Command_OK_Click);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_commandOK);
    buttons->addWidget(cancel);

    layout->addLayout(grid);
    layout->addWidget(oneNumber);
    layout->addWidget(m_textMsg);
    layout->addLayout(buttons);

    QList<QWidget *> order{m_number, m_mortco, m_comboCD, m_comboJUR, m_folio, m_pid, m_name};
    for (QLineEdit *address : std::as_const(m_addresses))
        order << address;
    order << m_legal << cancel << m_commandOK;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void VerifyEntry::Form_Load()
{
    if (m_kind == Kind::Add)
        loadAdd();
    else
        loadRecord();
}

void VerifyEntry::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_session.ui.setBusy(false);
}

void VerifyEntry::say(const QString &text)
{
    m_textMsg->setText(text);
}

void VerifyEntry::colour(QWidget *field, const QColor &colour)
{
    QPalette colours = field->palette();
    colours.setColor(QPalette::Base, colour);
    field->setPalette(colours);
}

// A field is left when the focus moves elsewhere (not to a popup or another
// window) and entered when it comes back; the screen's own moves of the
// focus do neither.
bool VerifyEntry::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (auto *button = qobject_cast<QPushButton *>(watched); button && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            button->click();
            return true;
        }
    }
    if ((type == QEvent::FocusIn || type == QEvent::FocusOut) && !m_quiet) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        auto *field = qobject_cast<QWidget *>(watched);
        if (field && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (type == QEvent::FocusIn)
                enterField(field);
            else
                leaveField(field);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void VerifyEntry::enterField(QWidget *field)
{
    if (field == m_folio && m_kind == Kind::Add)
        showFolio(false);
    if (field == m_number && m_kind == Kind::Change)
        enterNumber();
    // After the click that brought the focus has placed the cursor.
    if (auto *edit = qobject_cast<QLineEdit *>(field))
        QMetaObject::invokeMethod(edit, &QLineEdit::selectAll, Qt::QueuedConnection);
    else if (auto *combo = qobject_cast<QComboBox *>(field))
        QMetaObject::invokeMethod(combo->lineEdit(), &QLineEdit::selectAll, Qt::QueuedConnection);
}

// The field's check, then what leaving it does. A refused value keeps the
// focus in its field.
bool VerifyEntry::leaveField(QWidget *field)
{
    if (m_kind == Kind::Delete)
        return true;
    auto *edit = qobject_cast<QLineEdit *>(field);
    bool accepted = true;
    if (field == m_name) {
        accepted = checkName();
    } else if (m_addresses.contains(edit) || field == m_legal) {
        edit->setText(ToUpperWindows1252(edit->text()));
        if (m_kind == Kind::Add)
            m_textMsg->clear();
    } else if (m_kind == Kind::Change && field == m_number) {
        accepted = checkChangedNumber();
        if (accepted)
            numberLeft();
    } else if (m_kind == Kind::Add) {
        accepted = leaveAddField(field);
    }
    // Save follows the fields, a refused one included (a duplicate folio
    // leaves it off).
    if (m_kind == Kind::Add)
        refreshSave();
    if (!accepted) {
        const QScopedValueRollback<bool> quiet(m_quiet, true);
        field->setFocus();
    }
    return accepted;
}

bool VerifyEntry::leaveFocusedField()
{
    QWidget *focused = focusWidget();
    return !focused || leaveField(focused);
}

bool VerifyEntry::tried(const std::function<void()> &work)
{
    try {
        work();
        return true;
    } catch (const std::exception &e) {
        qWarning("%s: %s", qUtf8Printable(objectName()), e.what());
        say(QString::fromUtf8(e.what()));
        return false;
    }
}

bool VerifyEntry::checkName()
{
    try {
        m_name->setText(TrimBlanks(ToUpperWindows1252(m_name->text())));
        const bool missing = m_name->text().isEmpty();
        say(missing ? verify::NameMissingNote : QString());
        colour(m_name, missing ? LightYellow : White);
        return true;
    } catch (const std::exception &) {
        m_session.ui.message(QStringLiteral("Please Correct the Client Name, It is not a Valid Entry"),
                             MessageIcon::Critical);
        say(QStringLiteral("Error - The Client Name is Not Valid"));
        return false;
    }
}

// --- The add screen ---

void VerifyEntry::loadAdd()
{
    for (QLineEdit *edit : findChildren<QLineEdit *>())
        if (edit != m_textMsg)
            edit->clear();
    for (QLineEdit *edit : {m_number, m_folio, m_pid})
        colour(edit, White);
    m_numberMsg->setText(Required);
    m_folioRequired->setText(Required);
    m_folioFormat->clear();
    m_pidRequired->clear();
    say(QStringLiteral("Please Enter the new information and press the 'Save' or 'Cancel' button."));
    m_commandOK->setEnabled(false);
    m_session.ui.letEventsRun();

    Recordset &folios = m_session.de.rsVerify();
    folios.ensureOpen();
    m_clone = folios.clone();
    if (m_clone->recordCount() > 0)
        m_mortco->setText(m_clone->text(QStringLiteral("MORTCO")));

    const QSignalBlocker quietDistricts(m_comboCD);
    FillCodes(m_comboCD, m_session.de.rsCollection_District(), QStringLiteral("Collection_District_Code"),
              QStringLiteral("Collection_District_Name"));
    m_comboJUR->clear();
    m_session.de.rsJurisdiction().ensureOpen();
    m_comboJUR->addItem(QStringLiteral("Please Select the Collection District first !"));
    m_comboJUR->setEditText(QString());
}

bool VerifyEntry::leaveAddField(QWidget *field)
{
    if (field == m_number)
        return checkNumber();
    if (field == m_mortco)
        return checkCompany();
    if (field == m_comboCD) {
        if (!checkCode(m_comboCD, 2, verify::IsValidDistrict, verify::DistrictMessage))
            return false;
        FillJurisdictionList();
        return true;
    }
    if (field == m_comboJUR)
        return checkCode(m_comboJUR, 3, verify::IsValidJurisdiction, verify::JurisdictionMessage);
    if (field == m_folio) {
        if (!checkFolio())
            return false;
        showFolio(true);
        return true;
    }
    if (field == m_pid)
        return checkPid();
    return true;
}

void VerifyEntry::FillJurisdictionList()
{
    const QString remembered = m_comboJUR->currentText();
    m_comboJUR->clear();
    const verify::JurisdictionChoice choice =
        verify::JurisdictionsOfDistrict(m_session, verify::CodeOf(m_comboCD->currentText(), 2), remembered);
    if (choice.everyJurisdiction) {
        FillCodes(m_comboJUR, m_session.de.rsJurisdiction(), QStringLiteral("Jurisdiction_Code"),
                  QStringLiteral("Jurisdiction_Name"));
        m_comboJUR->setEditText(remembered);
        return;
    }
    for (const verify::JurisdictionChoice::Entry &entry : choice.entries)
        m_comboJUR->addItem(entry.name.isNull() ? entry.code : CodeEntry(entry.code, entry.name));
    if (choice.selected >= 0)
        m_comboJUR->setCurrentIndex(choice.selected);
    m_comboJUR->setEditText(choice.selected >= 0 ? m_comboJUR->itemText(choice.selected) : QString());
}

verify::TypedFolio VerifyEntry::typed() const
{
    return {m_number->text(), m_mortco->text(), m_comboCD->currentText(), m_comboJUR->currentText(),
            m_folio->text(),  m_pid->text()};
}

bool VerifyEntry::CheckAllFields(bool setSave)
{
    if (setSave)
        m_commandOK->setEnabled(false);
    if (const std::optional<QString> problem = verify::NewFolioProblem(m_session, *m_clone, typed())) {
        say(*problem);
        return false;
    }
    if (setSave)
        m_commandOK->setEnabled(true);
    return true;
}

// Save follows the fields as they stand; the message line keeps what the
// field checks said.
void VerifyEntry::refreshSave()
{
    if (!m_clone)
        return;
    const QString said = m_textMsg->text();
    CheckAllFields(true);
    say(said);
}

bool VerifyEntry::checkCode(QComboBox *combo, int length, bool (*valid)(const QString &), const QString &message)
{
    const QString trimmed = TrimBlanks(combo->currentText());
    if (trimmed != combo->currentText())
        combo->setEditText(trimmed);
    if (!valid(verify::JudgedCode(trimmed, length))) {
        say(message);
        m_session.ui.beep();
        return false;
    }
    m_textMsg->clear();
    return true;
}

// One mortgage number may cover several folios: a number in use is taken,
// with a note naming a folio that carries it.
bool VerifyEntry::checkNumber()
{
    m_number->setText(TrimBlanks(ToUpperWindows1252(m_number->text())));
    if (m_number->text().isEmpty()) {
        say(verify::NumberMissingMessage);
        m_session.ui.beep();
        return false;
    }
    const std::optional<QString> note = verify::NumberInUse(m_session, *m_clone, m_number->text());
    if (note)
        m_session.ui.beep();
    colour(m_number, note ? LightYellow : White);
    m_numberMsg->setText(note ? verify::NumberSharedLabel : Required);
    say(note.value_or(QString()));
    return true;
}

bool VerifyEntry::checkCompany()
{
    m_mortco->setText(TrimBlanks(ToUpperWindows1252(m_mortco->text())));
    if (const std::optional<QString> problem = verify::CompanyProblem(m_mortco->text())) {
        say(*problem);
        m_session.ui.beep();
        return false;
    }
    m_textMsg->clear();
    return true;
}

bool VerifyEntry::checkFolio()
{
    colour(m_folio, White);
    m_folio->setText(TrimBlanks(m_folio->text()));
    const bool noPid = TrimBlanks(m_pid->text()).isEmpty();
    if (noPid)
        colour(m_pid, White);
    if (m_folio->text().isEmpty()) {
        if (noPid) {
            say(FolioOrPidMessage);
            colour(m_folio, LightYellow);
            colour(m_pid, LightYellow);
        }
        return true;
    }
    const QString folio = verify::NormalisedFolio(m_folio->text());
    if (verify::IsNoFolio(folio)) {
        say(QStringLiteral("You must enter a valid Folio Number!"));
        m_session.ui.beep();
        return false;
    }
    if (const std::optional<QString> note =
            verify::FolioInUse(m_session, *m_clone, verify::CodeOf(m_comboJUR->currentText(), 3), folio)) {
        say(*note);
        m_session.ui.beep();
        colour(m_folio, LightRed);
        m_folioRequired->setText(Duplicate);
        return false;
    }
    m_folioRequired->setText(Required);
    m_textMsg->clear();
    return true;
}

// A PID is its digits as typed: neither padded nor judged by its value.
bool VerifyEntry::checkPid()
{
    QString digits;
    for (QChar c : m_pid->text())
        if (c >= u'0' && c <= u'9')
            digits.append(c);
    m_pid->setText(digits);
    colour(m_pid, White);
    const bool noFolio = TrimBlanks(m_folio->text()).isEmpty();
    if (noFolio)
        colour(m_folio, White);
    if (digits.isEmpty()) {
        if (noFolio) {
            say(FolioOrPidMessage);
            m_session.ui.beep();
            colour(m_folio, LightYellow);
            colour(m_pid, LightYellow);
        }
        return true;
    }
    if (const std::optional<QString> note = verify::PidInUse(m_session, *m_clone, digits)) {
        say(*note);
        m_session.ui.beep();
        colour(m_pid, LightRed);
        m_pidRequired->setText(Duplicate);
        return false;
    }
    m_pidRequired->clear();
    m_textMsg->clear();
    return true;
}

// The folio in its jurisdiction's layout; leaving the box also shows the
// layout beside the 18 digits it stands for.
void VerifyEntry::showFolio(bool withFormatLabel)
{
    const QString text = TrimBlanks(m_folio->text());
    if (text.isEmpty()) {
        m_folio->clear();
        if (withFormatLabel)
            m_folioFormat->clear();
        return;
    }
    const QString folio = verify::NormalisedFolio(text);
    const QString shown =
        TrimBlanks(payment::FormatFolio(m_session, verify::CodeOf(m_comboJUR->currentText(), 3), folio));
    showValue(m_folio, shown);
    if (withFormatLabel)
        m_folioFormat->setText(u'(' + shown + u' ' + folio + u')');
}

void VerifyEntry::Command_OK_Click()
{
    if (!leaveFocusedField())
        return;
    m_commandOK->setEnabled(false);
    m_session.ui.setBusy(true);
    say(QStringLiteral("Saving, Please Wait..."));
    m_session.ui.letEventsRun();
    if (!CheckAllFields(false)) {
        m_session.ui.setBusy(false);
        return;
    }
    Recordset &folios = m_session.de.rsVerify();
    bool added = false;
    try {
        Transaction transaction(m_session.de.Zolt());
        const QString folio = verify::NormalisedFolio(m_folio->text());
        folios.addNew();
        folios.setField(QStringLiteral("ACD"), verify::Mark::Added);
        folios.setField(QStringLiteral("MORTCO"), m_mortco->text());
        folios.setField(QStringLiteral("NUMBER"), m_number->text());
        folios.setField(QStringLiteral("CD"), verify::CodeOf(m_comboCD->currentText(), 2));
        folios.setField(QStringLiteral("JUR"), verify::CodeOf(m_comboJUR->currentText(), 3));
        folios.setField(QStringLiteral("FOLIO"), verify::IsNoFolio(folio) ? QString() : folio);
        folios.setField(QStringLiteral("PID"), m_pid->text());
        folios.setField(QStringLiteral("NAME"), m_name->text());
        for (int line = 0; line < 5; ++line)
            folios.setField(QStringLiteral("ADDR%1").arg(line + 1), m_addresses[line]->text());
        folios.setField(QStringLiteral("LEGAL"), m_legal->text());
        folios.move(0);
        added = true;
        transaction.commit();
    } catch (const std::exception &e) {
        qWarning("The new folio was not saved: %s", e.what());
        // A row the commit lost leaves the list too.
        if (added) {
            try {
                folios.deleteCurrent();
            } catch (const std::exception &) {
            }
        }
        m_session.ui.setBusy(false);
        m_session.ui.message(SaveFailed, MessageIcon::Critical);
        say(SaveFailed);
        m_commandOK->setEnabled(true);
        return;
    }
    m_session.ui.setBusy(false);
    accept();
}

}  // namespace zolt::verify_screens
