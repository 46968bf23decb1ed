#include "user_guide.h"

#include "common/product.h"
#include "widgets/screen_controls.h"
#include "widgets/screen_fit.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QPushButton>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QUrl>
#include <QVBoxLayout>

namespace zolt::app {
namespace {

// The name a web page gives a heading: "Using the keyboard" is
// "using-the-keyboard", "1. Choose Zoltdata.csv" "1-choose-zoltdatacsv".
QString AnchorName(const QString &heading)
{
    QString name;
    for (const QChar c : heading.trimmed().toLower()) {
        if (c.isLetterOrNumber() || c == u'-' || c == u'_')
            name += c;
        else if (c == u' ')
            name += u'-';
    }
    return name;
}

// Markdown headings come without anchors; the guide's contents link to them
// by those names.
void AnchorHeadings(QTextDocument *document)
{
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 0)
            continue;
        QTextCursor heading(block);
        heading.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        QTextCharFormat anchor;
        anchor.setAnchor(true);
        anchor.setAnchorNames({AnchorName(block.text())});
        heading.mergeCharFormat(anchor);
    }
}

}  // namespace

QString UserGuidePath(const QString &programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("doc/guide.md"));
}

UserGuide::UserGuide(const QString &guidePath, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("UserGuide"));
    setWindowTitle(ProductName() + QStringLiteral(" User Guide"));
    auto *text = Named(new QTextBrowser(this), "Text_Guide");
    text->setSource(QUrl::fromLocalFile(guidePath), QTextDocument::MarkdownResource);
    AnchorHeadings(text->document());
    // A link within the guide scrolls to its heading (the browser would load
    // the guide again, without the anchors); any other opens in the desktop's
    // program for it.
    text->setOpenLinks(false);
    connect(text, &QTextBrowser::anchorClicked, this, [text, guidePath](const QUrl &link) {
        const QUrl target = text->source().resolved(link);
        if (target.adjusted(QUrl::RemoveFragment) == QUrl::fromLocalFile(guidePath))
            text->scrollToAnchor(target.fragment());
        else
            QDesktopServices::openUrl(target);
    });
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
