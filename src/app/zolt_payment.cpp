#include "zolt_payment.h"

#include "app_icon.h"
#include "chosen_file.h"
#include "common/product.h"
#include "payment_task.h"
#include "return_email_menu.h"
#include "screen_navigator.h"
#include "user_guide.h"
#include "verify_task.h"

#include "common/error_trap.h"
#include "common/plain_cause.h"
#include "common/errors.h"
#include "common/progress_count.h"
#include "common/session.h"
#include "common/text_utils.h"
#include "common/file_checks.h"
#include "widgets/file_location_picker.h"
#include "store/zolt_system.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace zolt::app {
namespace {

const QColor LightCyan(192, 255, 255);
const QColor LightBlue(192, 192, 255);

template <typename W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QPushButton *makeButton(const char *name, const QString &caption, const QString &tip, QWidget *parent)
{
    auto *button = named(new QPushButton(caption, parent), name);
    button->setToolTip(tip);
    button->setMinimumWidth(96);
    return button;
}

}  // namespace

ZoltPayment::ZoltPayment(Session &session, QWidget *parent)
    : QMainWindow(parent), m_session(session), m_navigator(std::make_unique<ScreenNavigator>(session, this))
{
    setObjectName(QStringLiteral("ZoltPayment"));
    setWindowTitle(ProductName());
    setWindowIcon(AppIcon());
    buildControls();
    buildMenus();
    resize(660, 500);
    m_optionZolt->setChecked(true);
    m_optionYes->setChecked(true);
    Option_ZOLT_Click();
}

void ZoltPayment::buildControls()
{
    auto *central = new QWidget(this);
    setCentralWidget(central);

    m_frameFileType = named(new QGroupBox(QStringLiteral("<File &Type>"), central), "Frame_File_Type");
    m_optionZolt = named(new QRadioButton(QStringLiteral("Regular &Zolt Usage"), m_frameFileType), "Option_ZOLT");
    m_optionVerify = named(new QRadioButton(QStringLiteral("&Mortgage # Verification File"), m_frameFileType),
                           "Option_VERIFY");
    m_optionVerify->setToolTip(QStringLiteral(
        "Mortgage company option: provides electronic files for folio/mortgage # verification"));
    auto *fileTypeLayout = new QVBoxLayout(m_frameFileType);
    fileTypeLayout->addWidget(m_optionZolt);
    fileTypeLayout->addWidget(m_optionVerify);

    m_frameCurrentYear = named(new QGroupBox(QStringLiteral("<&Use Only Current Year Data>"), central),
                               "Frame_UseOnlyCurrentYearData");
    m_optionYes = named(new QRadioButton(QStringLiteral("&Yes"), m_frameCurrentYear), "Option_Yes");
    m_optionNo = named(new QRadioButton(QStringLiteral("&No"), m_frameCurrentYear), "OptionNo");
    auto *currentYearLayout = new QVBoxLayout(m_frameCurrentYear);
    currentYearLayout->addWidget(m_optionYes);
    currentYearLayout->addWidget(m_optionNo);

    m_labelLocation = named(new QLabel(central), "Label_SelectTheZoltFileLocation");
    QFont bold = m_labelLocation->font();
    bold.setBold(true);
    m_labelLocation->setFont(bold);
    m_labelLocation->setContentsMargins(2, 2, 2, 2);

    m_picker = new FileLocationPicker(central);
    m_textMsg = named(new QLineEdit(central), "Text_Msg");
    m_textMsg->setReadOnly(true);
    m_textMsg->setFocusPolicy(Qt::NoFocus);

    m_commandOk = makeButton("Command_OK", QStringLiteral("&OK"),
                             QStringLiteral("Work with the Zolt File Selected"), central);
    m_commandVerifyOk = makeButton("Command_VERIFY_OK", QStringLiteral("&Verify"),
                                   QStringLiteral("Work with the Mortgage Number Verification File Selected"),
                                   central);
    m_commandExit = makeButton("Command_Exit", QStringLiteral("E&xit"), QStringLiteral("Exit Zolt"), central);
    m_commandBrowse = makeButton("Command_Browse", QStringLiteral("&Browse..."),
                                 QStringLiteral("Choose the file in the file dialog of your desktop"), central);

    m_labelPleaseWait = named(new QLabel(QStringLiteral("Please Wait While Saving the Zolt data!"), central),
                              "Label_PleaseWait");
    QFont big = m_labelPleaseWait->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.6);
    m_labelPleaseWait->setFont(big);
    m_labelPleaseWait->setAlignment(Qt::AlignCenter);
    m_labelPleaseWait->hide();

    auto *frames = new QHBoxLayout;
    frames->setSpacing(12);
    frames->addWidget(m_frameFileType, 3);
    frames->addWidget(m_frameCurrentYear, 2);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_commandBrowse);
    buttons->addStretch(1);
    buttons->addWidget(m_commandOk);
    buttons->addWidget(m_commandVerifyOk);
    buttons->addSpacing(12);
    buttons->addWidget(m_commandExit);

    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(14, 10, 14, 14);
    layout->setSpacing(8);
    layout->addLayout(frames);
    layout->addSpacing(4);
    layout->addWidget(m_labelLocation);
    layout->addWidget(m_picker, 1);
    layout->addWidget(m_textMsg);
    layout->addLayout(buttons);
    layout->addWidget(m_labelPleaseWait, 1);

    connect(m_optionZolt, &QRadioButton::clicked, this, &ZoltPayment::Option_ZOLT_Click);
    connect(m_optionVerify, &QRadioButton::clicked, this, &ZoltPayment::Option_VERIFY_Click);
    connect(m_commandOk, &QPushButton::clicked, this, &ZoltPayment::Command_OK_Click);
    connect(m_commandVerifyOk, &QPushButton::clicked, this, &ZoltPayment::Command_VERIFY_OK_Click);
    connect(m_commandExit, &QPushButton::clicked, this, &QWidget::close);
    connect(m_commandBrowse, &QPushButton::clicked, this, &ZoltPayment::Command_Browse_Click);
    setAcceptDrops(true);
    connect(m_picker, &FileLocationPicker::fileActivated, this, &ZoltPayment::File_Activated);
}

void ZoltPayment::buildMenus()
{
    // The menu bar keeps the desktop's colours whatever the task's scheme.
    QPalette menuPalette = menuBar()->palette();
    menuPalette.setColor(QPalette::Window, QApplication::palette(menuBar()).color(QPalette::Window));
    menuBar()->setPalette(menuPalette);
    QMenu *file = named(menuBar()->addMenu(QStringLiteral("&File")), "mnuFile");
    AddReturnEmailMenuItem(file, m_session);
    QAction *verifyReturn =
        named(file->addAction(QStringLiteral("&Check a Returned Verification File...")), "mnuFileVerifyReturn");
    connect(verifyReturn, &QAction::triggered, this, [this] { m_navigator->showVerifyReturn(); });
    file->addSeparator();
    QAction *exit = named(file->addAction(QStringLiteral("E&xit")), "mnuFileExit");
    connect(exit, &QAction::triggered, this, &QWidget::close);
    QMenu *help = named(menuBar()->addMenu(QStringLiteral("&Help")), "mnuHelp");
    QAction *guide = named(help->addAction(QStringLiteral("&User Guide")), "mnuHelpGuide");
    guide->setShortcut(QKeySequence::HelpContents);
    connect(guide, &QAction::triggered, this,
            [this] { m_navigator->showUserGuide(UserGuidePath(QCoreApplication::applicationDirPath())); });
    QAction *about = named(help->addAction(QStringLiteral("&About")), "mnuHelpAbout");
    connect(about, &QAction::triggered, this, &ZoltPayment::mnuHelpAbout_Click);
}

void ZoltPayment::setScheme(const QColor &colour)
{
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, colour);
    setPalette(windowPalette);
    QList<QLabel *> labels = m_picker->labels();
    labels.append(m_labelLocation);
    for (QLabel *label : labels) {
        QPalette labelPalette = label->palette();
        labelPalette.setColor(QPalette::Window, colour);
        label->setPalette(labelPalette);
        label->setAutoFillBackground(true);
    }
}

void ZoltPayment::Option_ZOLT_Click()
{
    setScheme(LightCyan);
    m_labelLocation->setText(QStringLiteral("Select the Zolt.csv file location"));
    m_textMsg->setText(QStringLiteral("Please select the location of the Zolt file."));
    restoreRememberedLocation();
    m_commandVerifyOk->setEnabled(false);
    m_commandOk->setEnabled(true);
    setFramesVisible(true, true);
}

void ZoltPayment::Option_VERIFY_Click()
{
    setScheme(LightBlue);
    m_labelLocation->setText(QStringLiteral("Select the MortNo*.xlsx file location"));
    m_textMsg->setText(QStringLiteral("Please select the location of the Mortgage Number Verification file."));
    m_picker->setPattern(QStringLiteral("*.xlsx"));
    m_selectedPath = m_picker->selectedPath();
    m_commandVerifyOk->setEnabled(true);
    m_commandOk->setEnabled(false);
    m_frameCurrentYear->hide();
}

void ZoltPayment::restoreRememberedLocation()
{
    std::optional<RememberedFile> location;
    try {
        location = ZoltSystem(m_session.de).rememberedFile();
    } catch (const ZoltError &e) {
        qWarning("ZoltSystem could not be read: %s", qUtf8Printable(e.description()));
    }
    if (location) {
        m_picker->setDrive(location->drive);
        m_picker->setDirectory(location->dir);
        m_picker->setFileName(location->file);
        // From the remembered name, not from the list: a workbook remembered by
        // the verification task is not listed under "*.csv", and its folder is
        // kept all the same.
        m_selectedPath = m_picker->pathOf(location->file);
    }
    // The file list selects the remembered file again once the pattern lists it.
    m_picker->setPattern(QStringLiteral("*.csv"));
    if (!location || !FileExists(m_selectedPath))
        m_picker->setDirectory(m_picker->drive());
}

// Enter or a double-click on a file starts the task of the chosen option.
void ZoltPayment::File_Activated(const QString &name)
{
    m_picker->setFileName(name);
    (m_optionVerify->isChecked() ? m_commandVerifyOk : m_commandOk)->click();
}

void ZoltPayment::Command_Browse_Click()
{
    const bool workbook = m_optionVerify->isChecked();
    const QString path = m_session.ui.chooseFile(
        workbook ? QStringLiteral("Choose the Mortgage Number Verification file")
                 : QStringLiteral("Choose the Zolt file"),
        m_picker->directory(),
        workbook ? QStringLiteral("Mortgage Number Verification files (*.xlsx)") : QStringLiteral("Zolt files (*.csv)"));
    if (!path.isEmpty())
        chooseFile(path);
}

bool ZoltPayment::chooseFile(const QString &path)
{
    const ChosenFile chosen = JudgeChosenFile(path);
    if (!chosen.task) {
        m_session.ui.message(chosen.problem, MessageIcon::Exclamation);
        return false;
    }
    QRadioButton *option = *chosen.task == FileTask::Payment ? m_optionZolt : m_optionVerify;
    if (!option->isChecked()) {
        option->setChecked(true);
        *chosen.task == FileTask::Payment ? Option_ZOLT_Click() : Option_VERIFY_Click();
    }
    const QFileInfo file(path);
    m_picker->setDirectory(file.absolutePath());
    m_picker->setFileName(file.fileName());
    m_selectedPath = m_picker->selectedPath();
    return true;
}

void ZoltPayment::dragEnterEvent(QDragEnterEvent *event)
{
    if (!m_taskRunning && !DroppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void ZoltPayment::dropEvent(QDropEvent *event)
{
    const QString path = DroppedFile(event->mimeData());
    if (m_taskRunning || path.isEmpty())
        return;
    event->setDropAction(Qt::CopyAction);
    event->accept();
    chooseFile(path);
}

void ZoltPayment::Command_OK_Click()
{
    startTask({m_commandOk, QStringLiteral("Plese select the Zoltdata.csv file"),
               QStringLiteral("Zoltdata.csv file not found"), false, &runPaymentTask});
}

void ZoltPayment::Command_VERIFY_OK_Click()
{
    startTask({m_commandVerifyOk,
               QStringLiteral("Plese select the Mortgage Verification file (Hint: has a name like MortNo*.xlsx)"),
               QStringLiteral("Mortgage Verification file not found"), true, &runVerifyTask});
}

void ZoltPayment::startTask(const TaskStart &task)
{
    m_runningButton = task.button;
    QString step = QStringLiteral("0");
    try {
        if (checkAndRememberChoice(task, step)) {
            step = QStringLiteral("6");
            runTask(task);
        }
    } catch (const std::exception &e) {
        reportUnexpectedError(task, step, e);
    } catch (const WorkStopped &) {
        // Work the user stopped: the window closes below.
    }
    if (m_session.ui.stopRequested()) {
        m_session.ui.setBusy(false);
        close();
    }
}

void ZoltPayment::runTask(const TaskStart &task)
{
    const QScopedValueRollback<bool> running(m_taskRunning, true);
    task.run(*this, m_session);
}

void ZoltPayment::reportUnexpectedError(const TaskStart &task, const QString &step, const std::exception &error)
{
    m_session.ui.setBusy(false);
    m_session.ui.message(WithPlainCause(error, QString(), ProcedureTrapMessage(QString(), step, error)),
                         MessageIcon::Critical);
    if (task.closeOnUnexpectedError)
        close();
    else
        enableButtons();
}

bool ZoltPayment::checkAndRememberChoice(const TaskStart &task, QString &step)
{
    step = QStringLiteral("1");
    task.button->setEnabled(false);
    m_commandExit->setEnabled(false);

    step = QStringLiteral("2");
    if (m_picker->fileName().isEmpty()) {
        m_textMsg->setText(task.noFileMessage);
        enableButtons();
        return false;
    }
    step = QStringLiteral("3");
    m_selectedPath = m_picker->selectedPath();
    if (!FileExists(m_selectedPath)) {
        const QString folder = FolderGivenForFile(m_selectedPath, QStringLiteral("file"));
        m_textMsg->setText(folder.isEmpty() ? task.notFoundMessage : folder);
        enableButtons();
        return false;
    }
    step = QStringLiteral("4");
    if (!ConfirmFileAttributes(m_selectedPath, ZoltFileQuestions, m_session.ui)) {
        close();
        return false;
    }
    step = QStringLiteral("5");
    ZoltSystem(m_session.de).rememberFile({m_picker->drive(), m_picker->directory(), m_picker->fileName()});
    return true;
}

QString ZoltPayment::message() const
{
    return m_textMsg->text();
}

void ZoltPayment::setMessage(const QString &text)
{
    m_textMsg->setText(text);
}

void ZoltPayment::enableButtons()
{
    if (m_runningButton)
        m_runningButton->setEnabled(true);
    m_commandExit->setEnabled(true);
}

void ZoltPayment::setFramesVisible(bool fileType, bool currentYear)
{
    m_frameFileType->setVisible(fileType);
    m_frameCurrentYear->setVisible(currentYear);
}

bool ZoltPayment::historicalDataAllowed() const
{
    return m_optionNo->isChecked();
}

void ZoltPayment::hideWindow()
{
    m_savedPosition = pos();
    hide();
}

void ZoltPayment::showWindow()
{
    move(m_savedPosition);
    show();
}

void ZoltPayment::showSaving(bool hideFileType)
{
    for (QWidget *w : std::initializer_list<QWidget *>{m_picker, m_commandBrowse, m_labelLocation, m_frameCurrentYear,
                                                        m_commandOk, m_commandVerifyOk, m_commandExit,
                                                        m_textMsg})
        w->hide();
    if (hideFileType)
        m_frameFileType->hide();
    m_labelPleaseWait->show();
}

void ZoltPayment::closeWindow()
{
    m_taskRunning = false;  // the task's own end
    close();
}

void ZoltPayment::closeEvent(QCloseEvent *event)
{
    if (m_taskRunning) {
        m_session.ui.askToStop();
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void ZoltPayment::mnuHelpAbout_Click()
{
    m_navigator->showAbout();
}

}  // namespace zolt::app
