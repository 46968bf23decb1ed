#pragma once

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace zolt {
class Recordset;
}

namespace zolt::payment_screens {

// The fields of one payment as the entry and delete screens show them:
// district, jurisdiction, folio, mortgage number, name, legal description,
// the grant options with their amounts, the credit and the payment amount.
class PaymentFields : public QWidget {
    Q_OBJECT
public:
    explicit PaymentFields(QWidget *parent = nullptr);

    QLineEdit *cd, *jur, *folio, *number, *name, *legal;
    QLineEdit *grossTax, *regGrant, *addGrant, *delq, *payment;
    QRadioButton *optionA, *optionB, *optionC;

    // Every field from the current record of `details`; the option from
    // ABC ("A"/"a" A, "B"/"b" B, "C"/"c" C, anything else A), selected
    // without its click handling.
    void showRecord(const Recordset &details);
    // Empty fields, "0.00" amounts, option A.
    void clear();
    // All text fields locked and grey, as a screen that only shows a payment.
    void setReadOnly();
    // The selected option's payment type.
    QString paymentType() const;

    static const QColor ErrorColour;
    // Marks a field in error or gives it its normal background back.
    static void markError(QLineEdit *field, bool error);
};

// The texts of the amounts as the entry screens show them.
QString ShownAmount(double value);        // "##,###,###,##0.00"
QString ShownPaymentAmount(double value); // "###,###,###,###,##0.00"

}  // namespace zolt::payment_screens
