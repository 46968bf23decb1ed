#pragma once

#include <QString>

namespace zolt {

enum class MessageIcon { None, Information, Exclamation, Critical, Question };

// Everything the core and the screens say to the user, and every question
// they ask, goes through this interface. The program answers with real dialogs,
// zolt-batch with the terminal, tests with a recorder.
class UserDialog {
public:
    virtual ~UserDialog() = default;

    // A message box with an OK button.
    virtual void message(const QString &text, MessageIcon icon = MessageIcon::None,
                         const QString &title = QString()) = 0;
    // A Yes/No question; true for Yes.
    virtual bool askYesNo(const QString &text, const QString &title,
                          MessageIcon icon = MessageIcon::Question) = 0;
    // An input box; the empty text when the user cancels.
    virtual QString inputBox(const QString &prompt, const QString &title,
                             const QString &defaultText = QString()) = 0;
    virtual void beep() = 0;
    // Lets pending window events run (repaints, clicks on a cancel button).
    virtual void letEventsRun() = 0;
    // The hourglass pointer while long work runs.
    virtual void setBusy(bool busy) = 0;
    // Progress of long work: done of total steps (total 0 when unknown).
    // The default does nothing.
    virtual void progress(const QString &text, qint64 done, qint64 total) {}
};

// Sets the busy pointer for a scope.
class BusyScope {
public:
    explicit BusyScope(UserDialog &ui) : m_ui(ui) { m_ui.setBusy(true); }
    ~BusyScope() { m_ui.setBusy(false); }
    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;

private:
    UserDialog &m_ui;
};

}  // namespace zolt
