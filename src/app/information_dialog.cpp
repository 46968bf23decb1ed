#include "information_dialog.h"

#include "common/product.h"

#include "common/shared_values.h"
#include "widgets/folder_breaks.h"
#include "widgets/screen_fit.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace zolt::app {
namespace {

QLabel *picture(const char *name, QStyle::StandardPixmap icon, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    const int size = parent->style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, parent);
    label->setPixmap(parent->style()->standardIcon(icon, nullptr, parent).pixmap(size, size));
    label->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    return label;
}

}  // namespace

Form_InformationDialog::Form_InformationDialog(SharedValues &shared, QWidget *parent)
    : QDialog(parent), m_shared(shared)
{
    setObjectName(QStringLiteral("Form_InformationDialog"));
    setWindowTitle(ProductName());

    auto *labelTitle = new QLabel(m_shared.gInfoTitle, this);
    labelTitle->setObjectName(QStringLiteral("Label_Title"));
    labelTitle->setWordWrap(true);
    QFont bold = labelTitle->font();
    bold.setBold(true);
    labelTitle->setFont(bold);

    // Long lines wrap at words and between folders rather than scroll sideways.
    auto *textMsg = new QPlainTextEdit(WithFolderBreaks(m_shared.gInfoText), this);
    textMsg->setObjectName(QStringLiteral("Text_Msg"));
    textMsg->setReadOnly(true);
    textMsg->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    textMsg->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);

    QLabel *informational = picture("Picture_Informational", QStyle::SP_MessageBoxInformation, this);
    QLabel *critical = picture("Picture_Critical", QStyle::SP_MessageBoxCritical, this);
    const bool isCritical = m_shared.gInfoKind.trimmed().toUpper() == u"CRITICAL";
    informational->setVisible(!isCritical);
    critical->setVisible(isCritical);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *pictures = new QVBoxLayout;
    pictures->addWidget(informational);
    pictures->addWidget(critical);
    pictures->addStretch(1);
    auto *text = new QVBoxLayout;
    text->addWidget(labelTitle);
    text->addWidget(textMsg, 1);
    auto *body = new QHBoxLayout;
    body->setSpacing(14);
    body->addLayout(pictures);
    body->addLayout(text, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
    resize(FontScaled(this, 620), FontScaled(this, 340));
}

Form_InformationDialog::~Form_InformationDialog()
{
    unload();
}

void Form_InformationDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The normal pointer over whatever pointer the caller had set.
    if (!m_pointerPushed && !m_unloaded) {
        QApplication::setOverrideCursor(Qt::ArrowCursor);
        m_pointerPushed = true;
    }
    QApplication::processEvents();
}

void Form_InformationDialog::done(int result)
{
    unload();
    QDialog::done(result);
}

void Form_InformationDialog::unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_shared.gInfoKind.clear();
    m_shared.gInfoText.clear();
    m_shared.gInfoTitle.clear();
    if (m_pointerPushed)
        QApplication::restoreOverrideCursor();
    m_pointerPushed = false;
}

}  // namespace zolt::app
