#include "zolt_return_instructions2.h"

#include "common/session.h"
#include "common/widgets/path_label.h"
#include "common/widgets/return_email_widget.h"
#include "store/data_environment.h"
#include "store/return_email.h"
#include "store/zolt_system.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zolt::verify_screens {
namespace {

QLabel *label(const char *name, const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setWordWrap(true);
    return l;
}

}  // namespace

ZOLT_ReturnInstructions2::ZOLT_ReturnInstructions2(Session &session, QWidget *parent)
    : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("ZOLT_ReturnInstructions2"));
    setWindowTitle(QStringLiteral("ZOLT (Mortgage Number Verification)"));
    setModal(true);

    auto *frame = new QGroupBox(QStringLiteral("< Return the Folio Verification File by Email >"), this);
    frame->setObjectName(QStringLiteral("Frame2"));
    m_labelFileName = new PathLabel(frame);
    m_labelFileName->setObjectName(QStringLiteral("Label_FileName"));
    QFont bold = m_labelFileName->font();
    bold.setBold(true);
    m_labelFileName->setFont(bold);
    m_email = new ReturnEmailWidget(frame);
    auto *frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(label("Label7",
                                 QStringLiteral("When you are finished verifying the folio mortgage numbers please "
                                                "return the Folio Verification File back to"),
                                 frame));
    frameLayout->addWidget(label("Label8", QStringLiteral("the Varnholt - Tessaly by manually attaching the"), frame));
    frameLayout->addWidget(m_labelFileName);
    frameLayout->addWidget(label("Label10", QStringLiteral("file to an Email note and send it to:"), frame));
    frameLayout->addWidget(m_email);

    auto *textMsg = new QLineEdit(
        QStringLiteral("If you are not ready to return the data, exit and continue later..."), this);
    textMsg->setObjectName(QStringLiteral("Text_Msg"));
    textMsg->setReadOnly(true);
    textMsg->setFocusPolicy(Qt::NoFocus);
    auto *exit = new QPushButton(QStringLiteral("E&xit"), this);
    exit->setObjectName(QStringLiteral("Command_Exit"));
    exit->setToolTip(QStringLiteral("Exit ZOLT"));
    exit->setDefault(true);
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(textMsg);
    layout->addWidget(exit, 0, Qt::AlignRight);
}

QString ZOLT_ReturnInstructions2::fileName() const
{
    return m_labelFileName->text();
}

void ZOLT_ReturnInstructions2::Form_Load()
{
    std::optional<QString> path;
    if (const auto file = ZoltSystem(m_session.de).rememberedFile())
        path = file->path();
    m_labelFileName->setText(path.value_or(QStringLiteral("??? UNKNOWN ???")));
    m_email->setAddress(ReturnEmail(m_session.de));
    m_email->setMail(QStringLiteral("Folio Verification File"), path.value_or(QString()));
    resize(560, heightForWidth(560));
}

}  // namespace zolt::verify_screens
