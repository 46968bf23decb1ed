#include "user_guide.h"

#include "common/product.h"
#include "widgets/screen_controls.h"
#include "widgets/screen_fit.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace zolt::app {

QString UserGuidePath(const QString &programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("doc/guide.md"));
}

UserGuide::UserGuide(const QString &guidePath, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("UserGuide"));
    setWindowTitle(ProductName() + QStringLiteral(" User Guide"));
    auto *text = Named(new QTextBrowser(this), "Text_Guide");
    text->setOpenExternalLinks(true);
    text->setSource(QUrl::fromLocalFile(guidePath), QTextDocument::MarkdownResource);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    Named(buttons->button(QDialogButtonBox::Close), "Command_Close");
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text, 1);
    layout->addWidget(buttons);
    // Wide enough for the guide's pictures, never larger than the screen.
    resize(QSize(TwipsToPixels(12600, this), TwipsToPixels(10800, this)).boundedTo(LargestInsideSize(this)));
}

}  // namespace zolt::app
