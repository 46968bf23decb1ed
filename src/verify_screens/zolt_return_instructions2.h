#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace zolt {
struct Session;
class ReturnByEmailFrame;
class ReturnEmailWidget;
}

namespace zolt::verify_screens {

// Tells the user how to return the verification workbook after it was
// written: the file, the address to send it to, and a way to open the mail
// program with the file attached.
class ZOLT_ReturnInstructions2 : public QDialog {
    Q_OBJECT
public:
    explicit ZOLT_ReturnInstructions2(Session &session, QWidget *parent = nullptr);

    // Shows the workbook last chosen and the return address.
    void Form_Load();

    QString fileName() const;
    ReturnEmailWidget *returnEmail() const;

private:
    Session &m_session;
    ReturnByEmailFrame *m_frame;
};

}  // namespace zolt::verify_screens
