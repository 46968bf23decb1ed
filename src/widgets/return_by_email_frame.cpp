#include "return_by_email_frame.h"

#include "path_label.h"
#include "return_email_widget.h"
#include "screen_controls.h"

#include <QLabel>
#include <QVBoxLayout>

namespace zolt {

const QString ReturnByEmailFrame::Unknown = QStringLiteral("??? UNKNOWN ???");

ReturnByEmailFrame::ReturnByEmailFrame(const QString &caption, const QString &label7, const QString &label8,
                                       const QString &label10, QWidget *parent)
    : QGroupBox(caption, parent), m_fileName(Named(new PathLabel(this), "Label_FileName")),
      m_email(new ReturnEmailWidget(this))
{
    setObjectName(QStringLiteral("Frame2"));
    QFont bold = m_fileName->font();
    bold.setBold(true);
    m_fileName->setFont(bold);
    auto *layout = new QVBoxLayout(this);
    for (const auto &[name, text] : {std::pair{"Label7", label7}, std::pair{"Label8", label8}}) {
        QLabel *line = MakeLabel(name, text, this);
        line->setWordWrap(true);
        layout->addWidget(line);
    }
    layout->addWidget(m_fileName);
    layout->addWidget(MakeLabel("Label10", label10, this));
    layout->addWidget(m_email);
}

void ReturnByEmailFrame::showFile(const std::optional<QString> &path, const QString &address, const QString &subject)
{
    m_fileName->setText(path.value_or(Unknown));
    m_email->setAddress(address);
    m_email->setMail(subject, path.value_or(QString()));
}

}  // namespace zolt
