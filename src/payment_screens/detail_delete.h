#pragma once

#include <QDialog>

namespace zolt {
struct Session;
}

namespace zolt::payment_screens {

class PaymentFields;

// Shows the selected payment, locked, and deletes it on "&OK": the screen
// itself is the confirmation.
class Detail_Delete : public QDialog {
    Q_OBJECT
public:
    explicit Detail_Delete(Session &session, QWidget *parent = nullptr);

    void Form_Load();
    PaymentFields *fields() const { return m_fields; }

private:
    void Command_OK_Click();

    Session &m_session;
    PaymentFields *m_fields;
};

}  // namespace zolt::payment_screens
