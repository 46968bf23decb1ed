#pragma once

#include "common/user_dialog.h"

#include <QPointer>

class QProgressDialog;
class QWidget;

namespace zolt::app {

// The user dialog of the desktop program: message boxes, the input box, the
// busy pointer and a progress dialog with counts. Boxes are owned by the
// window that is active when they are shown.
class QtUserDialog : public UserDialog {
public:
    QtUserDialog() = default;
    ~QtUserDialog() override;

    void message(const QString &text, MessageIcon icon, const QString &title) override;
    bool askYesNo(const QString &text, const QString &title, MessageIcon icon) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) override;
    void beep() override;
    void letEventsRun() override;
    // The hourglass while busy. Ending the busy state also closes the
    // progress dialog, as the long work is over.
    void setBusy(bool busy) override;
    // Shows "text" and "done of total" in a progress dialog; the dialog goes
    // away when done reaches a known total. Closing the dialog asks whether
    // to stop the work (askToStop).
    void progress(const QString &text, qint64 done, qint64 total) override;
    QString chooseFolder(const QString &title, const QString &start) override;
    QString chooseFile(const QString &title, const QString &start, const QString &filter) override;
    // Form_InformationDialog over the window boxes are shown over.
    void informationDialog(SharedValues &shared) override;

private:
    void openProgress();
    void closeProgress();

    bool m_busy = false;
    QPointer<QProgressDialog> m_progress;
};

// The window boxes are shown over: the active modal dialog, else the active window.
QWidget *DialogOwner();

// The title of a box: the given one, or the product's name.
QString BoxTitle(const QString &title);

}  // namespace zolt::app
