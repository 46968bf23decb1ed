#include "return_email_widget.h"

#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace zolt {

const QString ReturnEmailWidget::NotSet = QStringLiteral("(not set)");
const QString ReturnEmailWidget::Hint =
    QStringLiteral("Set the return e-mail address in the main window: File > Return E-mail Address...");

ReturnEmailWidget::ReturnEmailWidget(QWidget *parent)
    : QWidget(parent), m_label(new QLabel(this)), m_hint(new QLabel(Hint, this)),
      m_button(new QPushButton(QStringLiteral("Open in &Mail Program"), this)), m_program(DefaultMailProgram()),
      m_launcher([](const QString &program, const QStringList &arguments) {
          return QProcess::startDetached(program, arguments);
      })
{
    m_label->setObjectName(QStringLiteral("Label_Email"));
    m_label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = m_label->font();
    bold.setBold(true);
    m_label->setFont(bold);
    m_hint->setObjectName(QStringLiteral("Label_EmailHint"));
    m_hint->setWordWrap(true);
    m_button->setObjectName(QStringLiteral("Command_Email"));
    m_button->setToolTip(QStringLiteral("Open your mail program with the address, a subject and the file attached"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_label);
    layout->addWidget(m_hint);
    layout->addWidget(m_button, 0, Qt::AlignLeft);
    connect(m_button, &QPushButton::clicked, this, &ReturnEmailWidget::openMailProgram);
    updateState();
}

QString ReturnEmailWidget::DefaultMailProgram()
{
    return QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
}

void ReturnEmailWidget::setAddress(const QString &address)
{
    m_address = address.trimmed();
    updateState();
}

void ReturnEmailWidget::setMail(const QString &subject, const QString &attachment)
{
    m_subject = subject;
    m_attachment = attachment;
}

void ReturnEmailWidget::setMailProgram(const QString &program)
{
    m_program = program;
    updateState();
}

void ReturnEmailWidget::updateState()
{
    m_label->setText(m_address.isEmpty() ? NotSet : m_address);
    m_hint->setText(Hint);
    m_hint->setVisible(m_address.isEmpty());
    m_button->setVisible(!m_address.isEmpty() && !m_program.isEmpty());
}

void ReturnEmailWidget::openMailProgram()
{
    QStringList arguments{QStringLiteral("--subject"), m_subject};
    if (!m_attachment.isEmpty())
        arguments << QStringLiteral("--attach") << m_attachment;
    arguments << m_address;
    if (!m_launcher(m_program, arguments)) {
        m_hint->setText(QStringLiteral("The mail program could not be started: attach the file by hand."));
        m_hint->show();
    }
}

}  // namespace zolt
