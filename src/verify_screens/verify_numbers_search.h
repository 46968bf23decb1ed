#pragma once

#include <QDialog>

namespace zolt {
struct Session;
}

namespace zolt::verify_screens {

// The search of the verification list: folios found by any of twelve
// criteria and their mark; Select makes the chosen one the list's current
// folio.
class Verify_Numbers_Search : public QDialog {
    Q_OBJECT
public:
    explicit Verify_Numbers_Search(Session &session, QWidget *parent = nullptr);

    void Form_Load();

private:
    Session &m_session;
};

}  // namespace zolt::verify_screens
