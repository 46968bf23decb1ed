#include "folder_breaks.h"

#include "screen_fit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStyle>

#include <algorithm>

namespace zolt {
namespace {

constexpr QChar ZeroWidthSpace(0x200B);
constexpr QChar WordJoiner(0x2060);
constexpr QChar NoBreakSpace(0x00A0);

// A path begins at a slash (after a blank, a quote or a bracket, or at the
// start), or at "~/" or a drive letter, and runs to the next blank or quote;
// a blank between words of a folder's name (a slash follows) belongs to it.
const QRegularExpression &pathPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral(R"((?:^|(?<=[\s"'(\[=]))(?:~|[A-Za-z]:)?[/\\](?:[^\s"'<>|()\[\]]|(?<=[\w-])[ ](?=[\w .-]*[/\\]))+)"),
        QRegularExpression::UseUnicodePropertiesOption);
    return pattern;
}

QString brokenPath(QStringView path)
{
    QString shown;
    shown.reserve(path.size() * 2);
    for (qsizetype i = 0; i < path.size(); ++i) {
        const QChar c = path[i];
        shown += c;
        if (i + 1 == path.size())
            break;
        if (c == u' ')
            shown.back() = NoBreakSpace;
        else if (c == u'/' || c == u'\\')
            shown += ZeroWidthSpace;
        else if (c == u'-')
            shown += WordJoiner;
    }
    return shown;
}

// Ctrl+C on a box copies the text as it was given: the marks that let the
// lines break would otherwise go with a pasted path and spoil it.
class CopiesPlainText : public QObject {
public:
    CopiesPlainText(const QString &text, QObject *box) : QObject(box), m_text(text) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
        if (key && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)) {
            if (event->type() == QEvent::KeyPress)
                QGuiApplication::clipboard()->setText(m_text);
            event->accept();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QString m_text;
};

}  // namespace

QString WithFolderBreaks(const QString &text)
{
    QString shown;
    qsizetype done = 0;
    for (const QRegularExpressionMatch &m : pathPattern().globalMatch(text)) {
        shown += QStringView(text).mid(done, m.capturedStart() - done);
        shown += brokenPath(m.capturedView());
        done = m.capturedEnd();
    }
    shown += QStringView(text).mid(done);
    return shown;
}

QString LongestPath(const QString &text)
{
    QString longest;
    for (const QRegularExpressionMatch &m : pathPattern().globalMatch(text)) {
        if (m.capturedLength() > longest.size())
            longest = m.captured();
    }
    return longest;
}

void ShowPathsWhole(QMessageBox &box, const QString &text)
{
    box.setText(WithFolderBreaks(text));
    box.installEventFilter(new CopiesPlainText(text, &box));
    auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    const QString longest = LongestPath(text);
    if (!label || longest.isEmpty())
        return;
    // The box wraps its text at about half the screen (500 pixels at most)
    // and may grow to the screen's width less a margin; a label wider than
    // that would be broken anywhere. Only a path the wrapped box is too
    // narrow for widens it: a smaller minimum would hide the box's own.
    const int screenWidth = AvailableArea(&box).width();
    const int wrapWidth = std::min(screenWidth / 2, 500);
    const int boxLimit = screenWidth <= 1024 ? screenWidth : std::min(screenWidth - 480, 1000);
    const int iconSpace = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box)
                          + 4 * box.style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing, nullptr, &box) + 48;
    const int wanted = label->fontMetrics().horizontalAdvance(longest) + 4;
    if (wanted > wrapWidth - iconSpace)
        label->setMinimumWidth(std::max(0, std::min(wanted, boxLimit - iconSpace)));
}

void FolderBreakDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->text = WithFolderBreaks(option->text);
}

}  // namespace zolt
