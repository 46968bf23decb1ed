#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zolt {
struct Session;
}

namespace zolt::payment_screens {

class PaymentFields;
class PaymentNavigator;

// The screens that enter a new payment of the current agency (Detail_Add)
// or change the selected one (Detail_Change): the fields, their checks when
// a field is left, the payment amount worked out again when a grant is
// chosen on the change screen, and "&OK", which looks at the other payments
// on the folio before it writes.
class DetailEntry : public QDialog {
    Q_OBJECT
public:
    enum class Kind { Add, Change };

    DetailEntry(Kind kind, Session &session, PaymentNavigator &navigator, QWidget *parent = nullptr);

    void Form_Load();
    PaymentFields *fields() const { return m_fields; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void grantChosen(const char *option);
    // The checks of a field being left: false when its value is wrong.
    bool checkField(QLineEdit *field);
    bool checkCode(QLineEdit *field, const QString &missing, const QString &notNumeric);
    bool allFieldsPass();
    void normaliseFolio();
    bool checkName();
    bool checkPayment();
    void Command_OK_Click();
    // The folio check; false when the payment is refused as a duplicate.
    bool folioAllowsSave();
    void save();
    void say(const QString &text);

    Kind m_kind;
    Session &m_session;
    PaymentNavigator &m_navigator;
    PaymentFields *m_fields = nullptr;
    QLineEdit *m_textMsg = nullptr;
};

}  // namespace zolt::payment_screens
