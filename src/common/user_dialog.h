#pragma once

#include "shared_values.h"
#include "temporary_target.h"

#include <QFileInfo>
#include <QSet>
#include <QString>

namespace zolt {

// The question put when the user closes the program while it works on a file.
inline const QString StopQuestion =
    QStringLiteral("Zolt is still working on the file. Stop now and close Zolt? The file is left as it was.");
inline const QString StopTitle = QStringLiteral("Stop Zolt");

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
    // The standard folder dialog, starting at `start`; the empty text when
    // the user cancels. Without windows there is none: the default cancels.
    virtual QString chooseFolder(const QString &title, const QString &start) { return QString(); }
    // The platform's file dialog, starting in the folder `start` and listing
    // the files `filter` names ("Workbooks (*.xlsx)"); the empty text when
    // the user cancels. The default cancels.
    virtual QString chooseFile(const QString &title, const QString &start, const QString &filter)
    {
        return QString();
    }
    // The information dialog, modal: gInfoText under gInfoTitle, with the
    // critical picture when gInfoKind is "CRITICAL" (any case). It empties
    // the three when it closes. The default says the text in a message box.
    virtual void informationDialog(SharedValues &shared)
    {
        const bool critical = shared.gInfoKind.trimmed().compare(QStringLiteral("CRITICAL"), Qt::CaseInsensitive) == 0;
        const QString text = shared.gInfoText, title = shared.gInfoTitle;
        shared.gInfoKind.clear();
        shared.gInfoTitle.clear();
        shared.gInfoText.clear();
        message(text, critical ? MessageIcon::Critical : MessageIcon::Information, title);
    }

    // Closing the program while long work runs asks whether to stop it; Yes
    // stands from then on. The work looks at stopRequested() where it reports
    // progress (ProgressCount) and ends there without writing anything.
    // Answers whether the work is to stop.
    bool askToStop()
    {
        if (!m_stopRequested)
            m_stopRequested = askYesNo(StopQuestion, StopTitle);
        return m_stopRequested;
    }
    bool stopRequested() const { return m_stopRequested; }

    // Work that can end early without harm (a load, an import) runs in a
    // CancellableWork: its progress dialog offers Cancel, which asks the
    // work to stop at its next report as closing the program would, while
    // the program goes on. Other work (a save, an export) cannot be
    // cancelled halfway, and its progress dialog says so.
    bool cancellable() const { return m_cancellable; }
    bool cancelRequested() const { return m_cancelRequested; }
    void requestCancel() { m_cancelRequested = m_cancellable; }
    // Where long work looks whether to end early: a stop or a cancel.
    bool workToEnd() const { return m_stopRequested || m_cancelRequested; }

    // The user answered Yes to the read-only question about a file: the
    // program may replace it all the same. Any other read-only file it is
    // asked to write is refused (TemporaryTarget).
    void allowReplacingReadOnly(const QString &path) { m_readOnlyAllowed.insert(QFileInfo(path).absoluteFilePath()); }
    ReadOnlyTarget readOnlyTarget(const QString &path) const
    {
        return m_readOnlyAllowed.contains(QFileInfo(path).absoluteFilePath()) ? ReadOnlyTarget::Replace
                                                                             : ReadOnlyTarget::Refuse;
    }

private:
    friend class CancellableWork;
    bool m_stopRequested = false;
    bool m_cancellable = false;
    bool m_cancelRequested = false;
    QSet<QString> m_readOnlyAllowed;
};

// The span of work the user may cancel (UserDialog::cancellable).
class CancellableWork {
public:
    explicit CancellableWork(UserDialog &ui) : m_ui(ui)
    {
        m_ui.m_cancellable = true;
        m_ui.m_cancelRequested = false;
    }
    ~CancellableWork()
    {
        m_ui.m_cancellable = false;
        m_ui.m_cancelRequested = false;
    }
    CancellableWork(const CancellableWork &) = delete;
    CancellableWork &operator=(const CancellableWork &) = delete;

    // Whether the user cancelled it.
    bool cancelled() const { return m_ui.m_cancelRequested; }

private:
    UserDialog &m_ui;
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
