#pragma once

#include <QDialog>

namespace zolt {
struct Session;
}

namespace zolt::verify_screens {

// The screens that add a folio (Verify_Number_Add), change the current
// folio's mortgage number (Verify_Number_Change) and remove the current
// folio for good (Verify_Number_Delete).
class VerifyEntry : public QDialog {
    Q_OBJECT
public:
    enum class Kind { Add, Change, Delete };

    VerifyEntry(Kind kind, Session &session, QWidget *parent = nullptr);

    void Form_Load();

private:
    Kind m_kind;
    Session &m_session;
};

}  // namespace zolt::verify_screens
