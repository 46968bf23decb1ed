#include "zolt_return_instructions2.h"

#include "common/session.h"
#include "widgets/path_label.h"
#include "widgets/return_by_email_frame.h"
#include "widgets/screen_controls.h"
#include "widgets/screen_fit.h"
#include "store/data_environment.h"
#include "store/return_email.h"
#include "store/zolt_system.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zolt::verify_screens {

ZOLT_ReturnInstructions2::ZOLT_ReturnInstructions2(Session &session, QWidget *parent)
    : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("ZOLT_ReturnInstructions2"));
    setWindowTitle(QStringLiteral("ZOLT (Mortgage Number Verification)"));
    setModal(true);
    m_frame = new ReturnByEmailFrame(
        QStringLiteral("< Return the Folio Verification File by Email >"),
        QStringLiteral("When you are finished verifying the folio mortgage numbers please return the Folio "
                       "Verification File back to"),
        QStringLiteral("the Varnholt - Tessaly by manually attaching the"),
        QStringLiteral("file to an Email note and send it to:"), this);
    QLineEdit *textMsg =
        MakeMessageLine(QStringLiteral("If you are not ready to return the data, exit and continue later..."), this);
    QPushButton *exit = MakeButton("Command_Exit", QStringLiteral("E&xit"), QStringLiteral("Exit ZOLT"), this);
    exit->setDefault(true);
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_frame);
    layout->addWidget(textMsg);
    layout->addWidget(exit, 0, Qt::AlignRight);
}

QString ZOLT_ReturnInstructions2::fileName() const
{
    return m_frame->fileLabel()->text();
}

ReturnEmailWidget *ZOLT_ReturnInstructions2::returnEmail() const
{
    return m_frame->email();
}

void ZOLT_ReturnInstructions2::Form_Load()
{
    std::optional<QString> path;
    if (const auto file = ZoltSystem(m_session.de).rememberedFile())
        path = file->path();
    m_frame->showFile(path, ReturnEmail(m_session.de), QStringLiteral("Folio Verification File"));
    const int width = FontScaled(this, 560);
    resize(width, heightForWidth(width));
}

}  // namespace zolt::verify_screens
