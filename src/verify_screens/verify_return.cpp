#include "verify_return.h"

#include "error_report.h"
#include "folio_columns.h"

#include "common/file_checks.h"
#include "common/session.h"
#include "common/text_utils.h"
#include "store/data_environment.h"
#include "verify/error_messages.h"
#include "verify/return_check.h"
#include "widgets/data_grid.h"
#include "widgets/file_location_picker.h"
#include "widgets/folder_breaks.h"
#include "widgets/screen_controls.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace zolt::verify_screens {
namespace {

// The questions about a read-only workbook, or one whose attributes cannot be read.
const AttributeQuestionTexts ReturnFileQuestions{QStringLiteral("Checking the file Attributes"),
                                                 QStringLiteral(" ZOLT data file"),
                                                 QStringLiteral("ZOLT data File is READONLY")};

}  // namespace

Verify_Return::Verify_Return(Session &session, QWidget *parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("Verify_Return"));
    setWindowTitle(QStringLiteral("ZOLT (Verify Mortgage Number - Receive folios from Mortgage Company)"));
    setModal(true);
    buildControls();
}

void Verify_Return::buildControls()
{
    m_listMsg = Named(new QListWidget(this), "List_Msg");
    // Long messages wrap at words and between folders rather than scroll sideways.
    m_listMsg->setWordWrap(true);
    m_listMsg->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_listMsg->setResizeMode(QListView::Adjust);
    m_listMsg->setItemDelegate(new FolderBreakDelegate(m_listMsg));
    m_listMsg->addItem(QStringLiteral("Please select the location of the Mortgage Number Verification file.!"));
    m_commandPrintErrors = MakeButton("Command_PrintErrors", QStringLiteral("Print Errors"), QString(), this);
    connect(m_commandPrintErrors, &QPushButton::clicked, this, &Verify_Return::Command_PrintErrors_Click);
    QPushButton *close = MakeButton("Command_Close", QStringLiteral("&Close"), QString(), this);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    // A strip in the highlight colour over the folios, shown once a check
    // has loaded some.
    m_shapeVerificationFile = Named(new QFrame(this), "Shape_VerificationFile");
    m_shapeVerificationFile->setFixedHeight(4);
    m_shapeVerificationFile->setAutoFillBackground(true);
    m_shapeVerificationFile->setBackgroundRole(QPalette::Highlight);

    auto *top = new QHBoxLayout;
    top->addWidget(buildSelectFrame());
    auto *messages = new QVBoxLayout;
    messages->addWidget(m_listMsg, 1);
    messages->addWidget(m_commandPrintErrors, 0, Qt::AlignRight);
    top->addLayout(messages, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_shapeVerificationFile);
    layout->addWidget(buildVerificationFrame(), 1);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(900, 640);
}

QGroupBox *Verify_Return::buildSelectFrame()
{
    QGroupBox *frame = MakeFrame("Frame_Select", QStringLiteral("< Select the Mortgage Number Verification File >"), this);
    m_picker = new FileLocationPicker(frame);
    m_commandOk = MakeButton("Command_OK", QStringLiteral("&OK"), QStringLiteral("Work with the ZOLT File Selected"), frame);
    connect(m_commandOk, &QPushButton::clicked, this, &Verify_Return::Command_OK_Click);
    connect(m_picker, &FileLocationPicker::fileClicked, this, &Verify_Return::Command_OK_Click);
    auto *layout = new QVBoxLayout(frame);
    layout->addWidget(m_picker, 1);
    layout->addWidget(m_commandOk, 0, Qt::AlignRight);
    return frame;
}

QGroupBox *Verify_Return::buildVerificationFrame()
{
    m_frameVerificationFile = MakeFrame("Frame_VerificationFile", QStringLiteral("< Selected Verification File >"), this);
    m_grid = Named(new DataGrid(m_frameVerificationFile), "TDBGrid_Verify");
    QList<GridColumn> columns = FolioColumns(m_session, m_session.de.rsVerify());
    columns.move(1, 0);  // the company before the mark
    m_grid->setColumns(columns);
    m_commandUpload = MakeButton("Command_Upload",
                                 QStringLiteral("&Upload this Mortgage Number Verification File to the VORM system"),
                                 QString(), m_frameVerificationFile);
    connect(m_commandUpload, &QPushButton::clicked, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(m_frameVerificationFile);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_commandUpload, 0, Qt::AlignLeft);
    return m_frameVerificationFile;
}

void Verify_Return::Form_Load()
{
    m_picker->setPattern(QStringLiteral("*.xlsx"));
    m_picker->setDirectory(QDir::homePath());
    m_listMsg->clear();
    showLoaded(false);
    m_commandPrintErrors->setEnabled(false);
    // VERIFY is left as it is until a check loads a workbook (the load
    // empties it): folios a failed workbook export left there stay for
    // zolt-batch verify-export when the window is only looked at.
    m_session.ui.setBusy(false);
    m_session.ui.letEventsRun();
}

void Verify_Return::showLoaded(bool loaded)
{
    m_frameVerificationFile->setEnabled(loaded);
    m_shapeVerificationFile->setVisible(loaded);
    m_commandUpload->setEnabled(loaded);
    if (!loaded)
        m_grid->bind(nullptr);
}

void Verify_Return::Command_OK_Click()
{
    if (m_checking)
        return;
    QScopedValueRollback checking(m_checking, true);
    m_listMsg->clear();
    m_commandPrintErrors->setEnabled(false);
    m_session.ui.letEventsRun();
    showLoaded(false);
    if (m_picker->fileName().isEmpty()) {
        addLine(QStringLiteral("Plese select the Mortgage Number Verification file"));
        return;
    }
    m_selectedPath = m_picker->selectedPath();
    if (!FileExists(m_selectedPath)) {
        addLine(QStringLiteral("File not found"));
        return;
    }
    if (!ConfirmFileAttributes(m_selectedPath, ReturnFileQuestions, m_session.ui)) {
        reject();
        return;
    }
    addLine(QStringLiteral("please wait..."));
    verify::ReturnCheckResult result;
    {
        BusyScope busy(m_session.ui);
        const CancellableWork work(m_session.ui);
        m_session.ui.letEventsRun();
        result = verify::CheckReturnedWorkbook(m_session, m_selectedPath, *this);
        if (work.cancelled())
            addLine(QStringLiteral("The check was cancelled: click the workbook to check it again."));
    }
    m_frameVerificationFile->setEnabled(true);
    if (result.folios > 0) {
        m_grid->bind(&m_session.de.rsVerify());
        m_shapeVerificationFile->setVisible(true);
        m_commandUpload->setEnabled(true);
    }
    m_session.ui.letEventsRun();
}

void Verify_Return::Command_PrintErrors_Click()
{
    m_commandPrintErrors->setEnabled(false);
    m_session.ui.letEventsRun();
    try {
        verify::StoreErrorMessages(m_session, messages());
        Recordset &errors = m_session.de.rsErrorMessage();
        const QString folder = m_selectedPath.isEmpty() ? QString() : QFileInfo(m_selectedPath).absolutePath();
        const QString said = PrintErrorReport(errors, m_selectedPath, folder);
        errors.close();
        m_session.ui.message(said, MessageIcon::Information);
    } catch (const std::exception &e) {
        m_session.ui.message(QStringLiteral("The error report could not be printed. ") + QString::fromUtf8(e.what()),
                             MessageIcon::Critical);
    }
    m_commandPrintErrors->setEnabled(true);
    m_session.ui.letEventsRun();
}

void Verify_Return::addLine(const QString &line)
{
    m_listMsg->addItem(line);
    m_listMsg->scrollToBottom();
}

void Verify_Return::enablePrintErrors()
{
    m_commandPrintErrors->setEnabled(true);
}

QStringList Verify_Return::messages() const
{
    QStringList lines;
    for (int i = 0; i < m_listMsg->count(); ++i)
        lines << m_listMsg->item(i)->text();
    return lines;
}

}  // namespace zolt::verify_screens
