#include "zolt_return_instructions.h"

#include "group.h"

#include "common/errors.h"
#include "common/file_backup.h"
#include "common/product.h"
#include "common/removable_volumes.h"
#include "common/session.h"
#include "common/text_utils.h"
#include "widgets/path_label.h"
#include "widgets/return_by_email_frame.h"
#include "widgets/screen_controls.h"
#include "widgets/screen_fit.h"
#include "store/return_email.h"
#include "store/zolt_system.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zolt::payment_screens {
namespace {

const QString CopyName = QStringLiteral("Zoltdata.csv");

QLabel *line(const char *name, const QString &text, QWidget *parent)
{
    QLabel *label = MakeLabel(name, text, parent);
    label->setWordWrap(true);
    return label;
}

bool sameFile(const QString &a, const QString &b)
{
    const QFileInfo left(a), right(b);
    if (left.exists() && right.exists())
        return left.canonicalFilePath() == right.canonicalFilePath();
    return left.absoluteFilePath() == right.absoluteFilePath();
}

}  // namespace

ZOLT_ReturnInstructions::ZOLT_ReturnInstructions(Session &session, QWidget *parent)
    : QDialog(parent), m_session(session), m_volumes(&RemovableVolumes)
{
    setObjectName(QStringLiteral("ZOLT_ReturnInstructions"));
    setWindowTitle(ProductName());
    buildControls();
}

void ZOLT_ReturnInstructions::buildControls()
{
    m_labelPayment = MakeLabel("Label_Payment", QStringLiteral("0.00"), this);
    QFont bold = m_labelPayment->font();
    bold.setBold(true);
    m_labelPayment->setFont(bold);
    auto *payment = new QHBoxLayout;
    payment->addWidget(MakeLabel("Label4", QStringLiteral("Payment Amount"), this));
    payment->addWidget(m_labelPayment);
    payment->addStretch(1);

    m_emailFrame = new ReturnByEmailFrame(
        QStringLiteral("< Return the ZOLT data by Email                                        (Recommended)"),
        QStringLiteral("To return the ZOLT data to the Varnholt"), QStringLiteral("you need to manually attach the"),
        QStringLiteral("file to an Email note and send it to:"), this);
    m_textMsg =
        MakeMessageLine(QStringLiteral("If you are not ready to return the data, exit and continue later..."), this);
    QPushButton *exit = MakeButton("Command_Exit", QStringLiteral("E&xit"), QStringLiteral("Exit ZOLT"), this);
    exit->setDefault(true);
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);
    m_buttons << exit;

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(line("Label2", QStringLiteral("IMPORTANT, before you return the ZOLT data to"), this));
    layout->addWidget(line("Label3", QStringLiteral("Varnholt - Tessaly"), this));
    layout->addWidget(line("Label1", QStringLiteral("1. Compare that cheque amount agrees with payment amount"), this));
    layout->addLayout(payment);
    layout->addWidget(line("Label6", QStringLiteral("2. Return the Data by Email or to the original ZOLT diskette"), this));
    layout->addWidget(m_emailFrame);
    layout->addWidget(buildCopyFrame());
    layout->addWidget(m_textMsg);
    layout->addWidget(exit, 0, Qt::AlignRight);
}

QWidget *ZOLT_ReturnInstructions::buildCopyFrame()
{
    QGroupBox *frame = MakeFrame(
        "Frame3", QStringLiteral("< Return the ZOLT data by the original ZOLT diskette                    (Optional)"),
        this);
    m_labelFileName2 = Named(new PathLabel(frame), "Label_FileName2");
    QPushButton *driveA = MakeButton("Command_DriveA", QStringLiteral("Drive &A"),
                                     QStringLiteral("Ensure that the original ZOLT diskette is in Drive A: (the "
                                                    "first removable drive)"),
                                     frame);
    QPushButton *driveB = MakeButton("Command_DriveB", QStringLiteral("Drive &B"),
                                     QStringLiteral("The second removable drive"), frame);
    QPushButton *folder = MakeButton("Command_CopyToFolder", QStringLiteral("Copy to &Folder..."),
                                     QStringLiteral("Copy the ZOLT data file to a folder of your choice"), frame);
    connect(driveA, &QPushButton::clicked, this, [this] { copyToVolume(0, QStringLiteral("A")); });
    connect(driveB, &QPushButton::clicked, this, [this] { copyToVolume(1, QStringLiteral("B")); });
    connect(folder, &QPushButton::clicked, this, &ZOLT_ReturnInstructions::Command_CopyToFolder_Click);
    m_buttons << driveA << driveB << folder;

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(driveA);
    buttons->addWidget(MakeLabel("Label12", QStringLiteral("or"), frame));
    buttons->addWidget(driveB);
    buttons->addWidget(folder);
    buttons->addWidget(MakeLabel("Label13", QStringLiteral("or you can do the file copy manually!"), frame));
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(frame);
    layout->addWidget(line("Label5", QStringLiteral("Copy the ZOLT data file"), frame));
    layout->addWidget(m_labelFileName2);
    layout->addWidget(line("Label11", QStringLiteral("To Zoltdata.csv"), frame));
    layout->addLayout(buttons);
    return frame;
}

void ZOLT_ReturnInstructions::Form_Load()
{
    m_labelPayment->setText(TotalText(TotalOfAgencies(m_session)));
    const std::optional<RememberedFile> file = ZoltSystem(m_session.de).rememberedFile();
    m_path = file ? file->path() : QString();
    const std::optional<QString> shown = file ? std::optional<QString>(m_path) : std::nullopt;
    m_emailFrame->showFile(shown, ReturnEmail(m_session.de), QStringLiteral("ZOLT data"));
    m_labelFileName2->setText(shown.value_or(ReturnByEmailFrame::Unknown));
    for (const QString &volume : m_volumes()) {
        if (sameFile(QFileInfo(m_path).absolutePath(), volume) && m_path.toUpper().endsWith(CopyName.toUpper()))
            m_textMsg->setText(QStringLiteral("Please NOTE that the zolt data is already on the floppy diskette!"));
    }
    const int width = FontScaled(this, 620);
    resize(width, heightForWidth(width));
}

void ZOLT_ReturnInstructions::setButtonsEnabled(bool enabled)
{
    for (QPushButton *button : std::as_const(m_buttons))
        button->setEnabled(enabled);
}

void ZOLT_ReturnInstructions::copyToVolume(int index, const QString &drive)
{
    const QStringList volumes = m_volumes();
    if (index >= volumes.size()) {
        // Nothing went wrong: there is no drive to copy to.
        const QString said = QStringLiteral("No removable drive is mounted as Drive %1: (the %2 diskette or memory "
                                            "stick). Put the ZOLT diskette in and try again, or use Copy to Folder.")
                                 .arg(drive, index == 0 ? QStringLiteral("first") : QStringLiteral("second"));
        m_session.ui.beep();
        m_textMsg->setText(said);
        m_session.ui.message(said, MessageIcon::Information);
        return;
    }
    copyTo(volumes.at(index), QStringLiteral("Drive %1: (%2)").arg(drive, QDir::toNativeSeparators(volumes.at(index))));
}

void ZOLT_ReturnInstructions::Command_CopyToFolder_Click()
{
    const QString folder = m_session.ui.chooseFolder(QStringLiteral("Copy the ZOLT data file to"),
                                                     QFileInfo(m_path).absolutePath());
    if (!folder.isEmpty())
        copyTo(folder, QDir::toNativeSeparators(folder));
}

void ZOLT_ReturnInstructions::copyTo(const QString &folder, const QString &driveHint)
{
    setButtonsEnabled(false);
    m_textMsg->setText(QStringLiteral("Copying File ... "));
    m_session.ui.letEventsRun();
    const QString target = QDir::toNativeSeparators(QDir(folder).filePath(CopyName));
    if (!FileExists(m_path)) {
        m_session.ui.beep();
        m_textMsg->setText(QStringLiteral("File ") + m_path + QStringLiteral(" is NOT found?. Copy FAILED!"));
    } else if (sameFile(m_path, target)) {
        m_textMsg->setText(QStringLiteral("The ZOLT data file is already at ") + target);
    } else {
        try {
            CopyFileToBackup(m_path, target);
            m_textMsg->setText(QStringLiteral("ZOLT data file is copied to ") + target);
        } catch (const ZoltError &e) {
            m_textMsg->setText(QStringLiteral("Unexpected error occurred! ") + e.description());
            m_session.ui.message(QStringLiteral("Unexpected error occurred: \nEnsure that %1 can be written to. %2")
                                     .arg(driveHint, e.description()),
                                 MessageIcon::Critical);
        }
    }
    setButtonsEnabled(true);
}

}  // namespace zolt::payment_screens
