#pragma once

#include "task_host.h"

#include "screen_navigator.h"

#include <QMainWindow>
#include <QPoint>
#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zolt {
struct Session;
class FileLocationPicker;
}

namespace zolt::app {

// The main window: the user picks the task (payment file or mortgage number
// verification workbook) and the input file, and starts the task. The chosen
// drive, folder and file are remembered in ZoltSystem. Closing it ends the
// program; every other window is modal and owned by it.
class ZoltPayment : public QMainWindow, public TaskHost {
    Q_OBJECT
public:
    explicit ZoltPayment(Session &session, QWidget *parent = nullptr);

    FileLocationPicker *picker() const { return m_picker; }
    // Chooses a file from outside the lists (the file dialog, the command
    // line, a drop) as the lists would, with the task of its kind; a file of
    // another kind, a folder or a missing file is said in a box and nothing
    // changes. Answers whether the file was chosen.
    bool chooseFile(const QString &path);

    // TaskHost
    QString selectedPath() const override { return m_selectedPath; }
    void setSelectedPath(const QString &path) override { m_selectedPath = path; }
    QString message() const override;
    void setMessage(const QString &text) override;
    void enableButtons() override;
    void setFramesVisible(bool fileType, bool currentYear) override;
    bool historicalDataAllowed() const override;
    void hideWindow() override;
    void showWindow() override;
    void showSaving(bool hideFileType) override;
    QWidget *dialogParent() override { return this; }
    payment_screens::PaymentNavigator &paymentScreens() override { return *m_navigator; }
    verify_screens::VerifyNavigator &verifyScreens() override { return *m_navigator; }
    // Tests open the screens through a navigator of their own.
    void setNavigator(std::unique_ptr<ScreenNavigator> navigator) { m_navigator = std::move(navigator); }
    void closeWindow() override;

protected:
    // While a task runs, closing asks whether to stop it; the window closes
    // once the task has stopped.
    void closeEvent(QCloseEvent *event) override;
    // A file dropped on the window is chosen as by chooseFile().
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // What differs between the two tasks in the shared first steps.
    struct TaskStart {
        QPushButton *button;
        QString noFileMessage;
        QString notFoundMessage;
        bool closeOnUnexpectedError;
        void (*run)(TaskHost &, Session &);
    };

    void buildControls();
    void buildMenus();
    void Option_ZOLT_Click();
    void Option_VERIFY_Click();
    void Command_OK_Click();
    void Command_VERIFY_OK_Click();
    void File_Activated(const QString &name);
    void Command_Browse_Click();
    void mnuHelpAbout_Click();

    void setScheme(const QColor &colour);
    // Drive, folder and file from ZoltSystem, the folder falling back to the
    // drive's root when the remembered file is gone.
    void restoreRememberedLocation();
    void startTask(const TaskStart &task);
    void runTask(const TaskStart &task);
    void reportUnexpectedError(const TaskStart &task, const QString &step, const std::exception &error);
    // File chosen, present and usable, choice remembered; false when the task stops.
    bool checkAndRememberChoice(const TaskStart &task, QString &step);

    Session &m_session;
    std::unique_ptr<ScreenNavigator> m_navigator;
    QString m_selectedPath;
    QPoint m_savedPosition;
    QPushButton *m_runningButton = nullptr;
    bool m_taskRunning = false;

    QGroupBox *m_frameFileType = nullptr;
    QRadioButton *m_optionZolt = nullptr;
    QRadioButton *m_optionVerify = nullptr;
    QGroupBox *m_frameCurrentYear = nullptr;
    QRadioButton *m_optionYes = nullptr;
    QRadioButton *m_optionNo = nullptr;
    QLabel *m_labelLocation = nullptr;
    FileLocationPicker *m_picker = nullptr;
    QLineEdit *m_textMsg = nullptr;
    QPushButton *m_commandOk = nullptr;
    QPushButton *m_commandVerifyOk = nullptr;
    QPushButton *m_commandExit = nullptr;
    QPushButton *m_commandBrowse = nullptr;
    QLabel *m_labelPleaseWait = nullptr;
};

}  // namespace zolt::app
