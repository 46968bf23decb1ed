#pragma once

#include "common/user_dialog.h"

#include <QTextStream>

namespace zolt::batch {

// The user dialog of zolt-batch: messages go to standard output, one block
// each, in the program's own words; questions are answered from the command
// line (--yes, --answer) and noted on standard error.
class TerminalDialog : public UserDialog {
public:
    TerminalDialog(bool answerYes, const QString &inputAnswer);

    void message(const QString &text, MessageIcon icon, const QString &title) override;
    bool askYesNo(const QString &text, const QString &title, MessageIcon icon) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) override;
    void beep() override {}
    void letEventsRun() override {}
    void setBusy(bool) override {}

    // A plain line of output that is not a message (listings, totals).
    void line(const QString &text);

private:
    bool m_answerYes;
    QString m_inputAnswer;
    QTextStream m_out;
    QTextStream m_err;
};

}  // namespace zolt::batch
