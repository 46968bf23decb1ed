#include "detail_entry.h"

#include "payment_fields.h"

#include "common/number_format.h"
#include "common/product.h"
#include "common/session.h"
#include "common/text_utils.h"
#include "common/windows1252.h"
#include "payment_navigator.h"
#include "widgets/screen_controls.h"
#include "widgets/screen_fit.h"
#include "payment/folio_mask.h"
#include "payment/payment_entry.h"
#include "payment/payment_record.h"
#include "store/data_environment.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zolt::payment_screens {
namespace {

const QString DuplicateMessage = QStringLiteral("ERROR - Duplicate Folio with 100% EXACT SAME NAME");

struct KindTexts {
    const char *objectName;
    QString heading, message, okTip, cancelTip;
};

KindTexts textsOf(DetailEntry::Kind kind)
{
    if (kind == DetailEntry::Kind::Add)
        return {"Detail_Add", QStringLiteral("Add a New Payment"),
                QStringLiteral("Please enter the new payment information and press the \"OK\" button."),
                QStringLiteral("OK to create the new payment"), QStringLiteral("Cancel the creation of this payment")};
    return {"Detail_Change", QStringLiteral("Change Payment"),
            QStringLiteral("Please make the changes and press the \"OK\" or \"Cancel\" button."),
            QStringLiteral("OK to save the changes to this payment"),
            QStringLiteral("Cancel the changes and leave the payment alone.")};
}

}  // namespace

DetailEntry::DetailEntry(Kind kind, Session &session, PaymentNavigator &navigator, QWidget *parent)
    : QDialog(parent), m_kind(kind), m_session(session), m_navigator(navigator)
{
    setObjectName(QLatin1String(textsOf(kind).objectName));
    setWindowTitle(ProductName());
    buildControls();
    setMinimumWidth(FontScaled(this, 560));
}

void DetailEntry::buildControls()
{
    const KindTexts texts = textsOf(m_kind);
    QLabel *heading = MakeHeading("Label1", texts.heading, this);
    m_fields = new PaymentFields(this);
    m_textMsg = MakeMessageLine(texts.message, this);
    QPushButton *ok = MakeButton("Command_OK", QStringLiteral("&OK"), texts.okTip, this);
    QPushButton *cancel = MakeButton("Command_Cancel", QStringLiteral("Cancel"), texts.cancelTip, this);
    connect(ok, &QPushButton::clicked, this, &DetailEntry::Command_OK_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_fields);
    layout->addWidget(m_textMsg);
    layout->addLayout(buttons);

    for (QLineEdit *field : {m_fields->cd, m_fields->jur, m_fields->folio, m_fields->number, m_fields->name,
                             m_fields->legal, m_fields->payment})
        field->installEventFilter(this);
    if (m_kind == Kind::Change) {
        connect(m_fields->optionA, &QRadioButton::clicked, this, [this] { grantChosen("A"); });
        connect(m_fields->optionB, &QRadioButton::clicked, this, [this] { grantChosen("B"); });
        connect(m_fields->optionC, &QRadioButton::clicked, this, [this] { grantChosen("C"); });
    }
}

void DetailEntry::Form_Load()
{
    if (m_kind == Kind::Add) {
        m_fields->clear();
        // A new payment is stored as type A with no grant amounts: the
        // grants have nothing to choose from.
        m_fields->optionB->setEnabled(false);
        m_fields->optionC->setEnabled(false);
        return;
    }
    const Recordset &details = m_session.de.rsDetail();
    m_fields->showRecord(details);
    grantChosen(m_fields->optionB->isChecked() ? "B" : m_fields->optionC->isChecked() ? "C" : "A");
    // The stored amount, not one worked out again.
    m_fields->payment->setText(ShownPaymentAmount(details.number(QStringLiteral("PAYMENT"))));
}

void DetailEntry::say(const QString &text)
{
    m_textMsg->setText(text);
}

// A grant chosen on the change screen: the payment amount from the stored
// amounts of the payment, when that grant has one.
void DetailEntry::grantChosen(const char *option)
{
    const Recordset &details = m_session.de.rsDetail();
    const double delq = details.number(QStringLiteral("DELQ"));
    struct Grant {
        const char *field;
        QString message;
        bool always;
    };
    static const std::map<QString, Grant> grants = {
        {QStringLiteral("A"), {"GROSS_TAX", QStringLiteral("No Grant Selected. Payment Amount Recalculated!"), true}},
        {QStringLiteral("B"), {"REG_GRANT", QStringLiteral("Regular Grant Selected. Payment Amount Recalculated!"), false}},
        {QStringLiteral("C"),
         {"ADD_GRANT", QStringLiteral("Additional Grant Selected. Payment Amount Recalculated!"), false}}};
    const Grant &grant = grants.at(QLatin1String(option));
    const double amount = details.number(QLatin1String(grant.field));
    if (!grant.always && amount <= 0) {
        m_textMsg->clear();
        return;
    }
    m_fields->payment->setText(ShownAmount(amount + delq));
    say(grant.message);
}

bool DetailEntry::eventFilter(QObject *watched, QEvent *event)
{
    auto *field = qobject_cast<QLineEdit *>(watched);
    if (field && event->type() == QEvent::FocusIn && field == m_fields->folio)
        normaliseFolio();
    // The name and the payment amount cannot be left until they are right;
    // a wrong district or jurisdiction only shows its message.
    const bool holdsFocus = field == m_fields->name || field == m_fields->payment;
    if (field && event->type() == QEvent::FocusOut && !checkField(field) && holdsFocus)
        field->setFocus();
    return QDialog::eventFilter(watched, event);
}

bool DetailEntry::checkField(QLineEdit *field)
{
    if (field == m_fields->cd)
        return checkCode(field, QStringLiteral("The Collection District should be entered!"),
                         QStringLiteral("The Collection District should be numeric!"));
    if (field == m_fields->jur)
        return checkCode(field, QStringLiteral("The Jurisdiction should be entered!"),
                         QStringLiteral("The Jurisdiction should be numeric!"));
    if (field == m_fields->name)
        return checkName();
    if (field == m_fields->payment)
        return checkPayment();
    if (field == m_fields->folio) {
        normaliseFolio();
        if (m_kind == Kind::Add)
            PaymentFields::markError(field, false);
    } else {
        field->setText(TrimBlanks(ToUpperWindows1252(field->text())));
    }
    return true;
}

// What is typed is upper-cased and trimmed; the code must be there and be
// a number.
bool DetailEntry::checkCode(QLineEdit *field, const QString &missing, const QString &notNumeric)
{
    m_textMsg->clear();
    field->setText(TrimBlanks(ToUpperWindows1252(field->text())));
    const QString problem = field->text().isEmpty() ? missing : !IsNumeric(field->text()) ? notNumeric : QString();
    PaymentFields::markError(field, !problem.isEmpty());
    say(problem);
    return problem.isEmpty();
}

// OK runs every field's check, as leaving each would, in the fields' order:
// the first field that is wrong gets the focus, and nothing is stored.
bool DetailEntry::allFieldsPass()
{
    for (QLineEdit *field : {m_fields->cd, m_fields->jur, m_fields->folio, m_fields->number, m_fields->name,
                             m_fields->legal, m_fields->payment}) {
        if (!checkField(field)) {
            field->setFocus();
            return false;
        }
    }
    return true;
}

void DetailEntry::normaliseFolio()
{
    QLineEdit *folio = m_fields->folio;
    folio->setText(TrimBlanks(folio->text()));
    if (folio->text().isEmpty())
        return;
    const QString key = payment::TypedFolioKey(folio->text());
    folio->setText(payment::FormatFolio(m_session, m_fields->jur->text(), key));
}

bool DetailEntry::checkName()
{
    QLineEdit *name = m_fields->name;
    name->setText(TrimBlanks(ToUpperWindows1252(name->text())));
    if (name->text().isEmpty()) {
        say(QStringLiteral("You must enter a Name!"));
        m_session.ui.beep();
        PaymentFields::markError(name, true);
        return false;
    }
    PaymentFields::markError(name, false);
    m_textMsg->clear();
    return true;
}

bool DetailEntry::checkPayment()
{
    QLineEdit *payment = m_fields->payment;
    // Judged as typed, and shown as the amount format writes it unless that
    // would change the amount (a digit too many rounded away).
    const QString typed = TrimBlanks(payment->text());
    const QString problem = payment::PaymentAmountProblem(typed);
    payment->setText(FormatAmountKeepsValue(NumericTextValue(typed)) ? FormatText(typed, Mask::Amount) : typed);
    PaymentFields::markError(payment, !problem.isEmpty());
    if (!problem.isEmpty()) {
        say(problem);
        return false;
    }
    m_textMsg->clear();
    return true;
}

void DetailEntry::Command_OK_Click()
{
    if (!allFieldsPass() || !folioAllowsSave())
        return;
    save();
    accept();
}

bool DetailEntry::folioAllowsSave()
{
    const Recordset &details = m_session.de.rsDetail();
    const payment::PaymentKey key{m_session.de.rsGroup().text(QStringLiteral("MORTCO")), m_fields->cd->text(),
                                  m_fields->jur->text(), payment::TypedFolioKey(m_fields->folio->text()),
                                  m_fields->name->text()};
    const QVariant changing = m_kind == Kind::Change ? details.bookmark() : QVariant();
    const payment::FolioCheck check = payment::CheckFolio(m_session, details, key, changing);
    if (check.sameOwner) {
        // The field to correct: the name, or the folio of a payment moved
        // onto another owner's payment.
        QLineEdit *field = check.onOthersFolio ? m_fields->folio : m_fields->name;
        say(DuplicateMessage);
        m_session.ui.beep();
        PaymentFields::markError(field, true);
        field->setFocus();
        return false;
    }
    if (check.tellUser) {
        const payment::FolioInfo info =
            payment::FolioPaymentsInfo(m_session, key, check, m_kind == Kind::Add, m_fields->payment->text());
        m_session.shared.gInfoKind = QStringLiteral("Informational");
        m_session.shared.gInfoTitle = info.title;
        m_session.shared.gInfoText = info.text;
        m_session.ui.letEventsRun();
        m_navigator.showInformationDialog();
        m_session.ui.letEventsRun();
    }
    return true;
}

// A new payment is of the current agency, type A without tax amounts; a
// changed one keeps its agency and tax amounts and takes the chosen type.
void DetailEntry::save()
{
    Recordset &details = m_session.de.rsDetail();
    payment::PaymentRecord record;
    if (m_kind == Kind::Add)
        record.mortco = m_session.de.rsGroup().text(QStringLiteral("MORTCO"));
    else
        record = payment::CurrentPayment(details);
    payment::DetailRow &row = record.row;
    row.abc = m_kind == Kind::Add ? QStringLiteral("A") : m_fields->paymentType();
    row.cd = m_fields->cd->text();
    row.jur = m_fields->jur->text();
    row.folio = payment::TypedFolioKey(m_fields->folio->text());
    row.number = m_fields->number->text();
    row.name = m_fields->name->text();
    row.legal = m_fields->legal->text();
    row.payment = payment::StoredPaymentAmount(m_fields->payment->text());
    record.folioDisplay = payment::FormatFolio(m_session, row.jur, row.folio);
    if (m_kind == Kind::Add)
        details.addNew();
    payment::WritePayment(details, record);
    details.move(0);
}

}  // namespace zolt::payment_screens
