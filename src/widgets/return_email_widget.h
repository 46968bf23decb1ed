#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;

namespace zolt {

// The return e-mail address on the return screens: the address itself
// (Label_Email), or "(not set)" with a hint where to set it; and, where the
// desktop offers xdg-email, a button that opens the user's mail program with
// the address, a subject and the file attached.
class ReturnEmailWidget : public QWidget {
    Q_OBJECT
public:
    // Starts a program detached; answers whether it started.
    using Launcher = std::function<bool(const QString &program, const QStringList &arguments)>;

    explicit ReturnEmailWidget(QWidget *parent = nullptr);

    void setAddress(const QString &address);
    QString address() const { return m_address; }
    // What the mail program gets besides the address.
    void setMail(const QString &subject, const QString &attachment);

    // The program the button runs; empty when the desktop has none.
    void setMailProgram(const QString &program);
    void setLauncher(Launcher launcher) { m_launcher = std::move(launcher); }

    static QString DefaultMailProgram();  // xdg-email on the PATH, or empty
    static const QString NotSet;
    static const QString Hint;

private:
    void updateState();
    void openMailProgram();

    QLabel *m_label;
    QLabel *m_hint;
    QPushButton *m_button;
    QString m_address;
    QString m_subject;
    QString m_attachment;
    QString m_program;
    Launcher m_launcher;
};

}  // namespace zolt
