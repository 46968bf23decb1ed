#include "payment_fields.h"

#include "common/number_format.h"
#include "widgets/screen_controls.h"
#include "widgets/line_text_validator.h"
#include "store/recordset.h"

#include <QApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QRadioButton>

namespace zolt::payment_screens {
namespace {

const QColor ReadOnlyColour(224, 224, 224);

QLineEdit *field(const char *name, int maxLength, QWidget *parent)
{
    auto *edit = Named(new QLineEdit(parent), name);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    edit->setValidator(new LineTextValidator(edit));
    return edit;
}

// A locked, grey amount without a border.
QLineEdit *lockedAmount(const char *name, QWidget *parent)
{
    QLineEdit *edit = field(name, 0, parent);
    edit->setReadOnly(true);
    edit->setFrame(false);
    edit->setAlignment(Qt::AlignRight);
    edit->setFocusPolicy(Qt::NoFocus);
    QPalette grey = edit->palette();
    grey.setColor(QPalette::Base, ReadOnlyColour);
    edit->setPalette(grey);
    return edit;
}

}  // namespace

const QColor PaymentFields::ErrorColour(255, 128, 128);

QString ShownAmount(double value)
{
    return FormatNumber(value, Mask::Amount14);
}

QString ShownPaymentAmount(double value)
{
    return FormatNumber(value, Mask::Amount17);
}

PaymentFields::PaymentFields(QWidget *parent) : QWidget(parent)
{
    cd = field("txtCD", 2, this);
    jur = field("txtJUR", 3, this);
    folio = field("txtFOLIO_DISP", 20, this);
    number = field("txtNUMBER", 12, this);
    name = field("txtNAME", 25, this);
    legal = field("txtLEGAL", 32, this);
    QGroupBox *grant = MakeFrame("Frame1", QStringLiteral("<Grant>"), this);
    optionA = MakeOption("OptionA", QStringLiteral("(&A) NO Grant"), grant);
    optionB = MakeOption("OptionB", QStringLiteral("(&B) Regular Grant"), grant);
    optionC = MakeOption("OptionC", QStringLiteral("(&C) Aditional Grant"), grant);
    grossTax = lockedAmount("txtGROSS_TAX", grant);
    regGrant = lockedAmount("txtREG_GRANT", grant);
    addGrant = lockedAmount("txtADD_GRANT", grant);
    auto *grants = new QGridLayout(grant);
    int row = 0;
    for (auto [option, amount] : {std::pair{optionA, grossTax}, {optionB, regGrant}, {optionC, addGrant}}) {
        grants->addWidget(option, row, 0);
        grants->addWidget(amount, row++, 1);
    }
    delq = lockedAmount("txtDELQ", this);
    payment = field("txtPAYMENT", 0, this);
    payment->setAlignment(Qt::AlignRight);

    auto *form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(QStringLiteral("Collection District:"), cd);
    form->addRow(QStringLiteral("Jurisdiction:"), jur);
    form->addRow(QStringLiteral("Folio Number:"), folio);
    form->addRow(QStringLiteral("Mortgage Number:"), number);
    form->addRow(QStringLiteral("Name:"), name);
    form->addRow(QStringLiteral("Legal Description:"), legal);
    form->addRow(grant);
    form->addRow(QStringLiteral("Delinquent / Credit:"), delq);
    form->addRow(QStringLiteral("Payment Amount:"), payment);
    setTabOrder(cd, jur);
    for (auto [from, to] : {std::pair{jur, folio}, {folio, number}, {number, name}, {name, legal}})
        setTabOrder(from, to);
}

void PaymentFields::showRecord(const Recordset &details)
{
    cd->setText(details.text(QStringLiteral("CD")));
    jur->setText(details.text(QStringLiteral("JUR")));
    folio->setText(details.text(QStringLiteral("FOLIO_DISP")));
    number->setText(details.text(QStringLiteral("NUMBER")));
    name->setText(details.text(QStringLiteral("NAME")));
    legal->setText(details.text(QStringLiteral("LEGAL")));
    grossTax->setText(ShownAmount(details.number(QStringLiteral("GROSS_TAX"))));
    regGrant->setText(ShownAmount(details.number(QStringLiteral("REG_GRANT"))));
    addGrant->setText(ShownAmount(details.number(QStringLiteral("ADD_GRANT"))));
    delq->setText(ShownAmount(details.number(QStringLiteral("DELQ"))));
    const QString type = details.text(QStringLiteral("ABC")).toUpper();
    (type == u"B" ? optionB : type == u"C" ? optionC : optionA)->setChecked(true);
    payment->setText(ShownPaymentAmount(details.number(QStringLiteral("PAYMENT"))));
}

void PaymentFields::clear()
{
    for (QLineEdit *edit : {cd, jur, folio, number, name, legal})
        edit->clear();
    for (QLineEdit *edit : {grossTax, regGrant, addGrant, delq, payment})
        edit->setText(QStringLiteral("0.00"));
    optionA->setChecked(true);
}

void PaymentFields::setReadOnly()
{
    for (QLineEdit *edit : {cd, jur, folio, number, name, legal, payment}) {
        edit->setReadOnly(true);
        edit->setFrame(false);
        QPalette grey = edit->palette();
        grey.setColor(QPalette::Base, ReadOnlyColour);
        edit->setPalette(grey);
    }
}

QString PaymentFields::paymentType() const
{
    return optionA->isChecked() ? QStringLiteral("A") : optionB->isChecked() ? QStringLiteral("B") : QStringLiteral("C");
}

void PaymentFields::markError(QLineEdit *field, bool error)
{
    QPalette colours = field->palette();
    colours.setColor(QPalette::Base, error ? ErrorColour : QApplication::palette(field).color(QPalette::Base));
    field->setPalette(colours);
}

}  // namespace zolt::payment_screens
