#pragma once

#include "common/user_dialog.h"
#include "verify/verify_load.h"

#include <QTextStream>

namespace zolt::batch {

// A verification load's message list, printed as it fills.
class PrintedList : public verify::VerifyMessageList {
public:
    PrintedList() : m_out(stdout) {}
    void addLine(const QString &line) override;
    void enablePrintErrors() override {}

private:
    QTextStream m_out;
};

// The terminal as it is: a dialog that changes some of its answers.
class TerminalPassage : public UserDialog {
public:
    explicit TerminalPassage(UserDialog &terminal) : m_terminal(terminal) {}
    void message(const QString &text, MessageIcon icon, const QString &title) override
    {
        m_terminal.message(text, icon, title);
    }
    bool askYesNo(const QString &text, const QString &title, MessageIcon icon) override
    {
        return m_terminal.askYesNo(text, title, icon);
    }
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) override
    {
        return m_terminal.inputBox(prompt, title, defaultText);
    }
    void beep() override {}
    void letEventsRun() override {}
    void setBusy(bool) override {}

private:
    UserDialog &m_terminal;
};

// The terminal without its message boxes: a load that reports to a list
// puts every message it shows in a box on the list as well, which prints it.
class ListedMessagesDialog : public TerminalPassage {
public:
    using TerminalPassage::TerminalPassage;
    void message(const QString &, MessageIcon, const QString &) override {}
};

}  // namespace zolt::batch
