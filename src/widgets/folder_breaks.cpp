#include "folder_breaks.h"

#include "screen_fit.h"

#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStyle>

#include <algorithm>

namespace zolt {
namespace {

constexpr QChar ZeroWidthSpace(0x200B);
constexpr QChar WordJoiner(0x2060);

// A path begins at a slash (after a blank, a quote or a bracket, or at the
// start), or at "~/" or a drive letter, and runs to the next blank or quote.
const QRegularExpression &pathPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral(R"((?:^|(?<=[\s"'(\[=]))(?:~|[A-Za-z]:)?[/\\][^\s"'<>|()\[\]]+)"));
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
        if (c == u'/' || c == u'\\')
            shown += ZeroWidthSpace;
        else if (c == u'-')
            shown += WordJoiner;
    }
    return shown;
}

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
    auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    const QString longest = LongestPath(text);
    if (!label || longest.isEmpty())
        return;
    // The box may take the screen's width less its icon and margins; a label
    // wider than the box allows would be broken anywhere.
    const int screenWidth = AvailableArea(&box).width();
    const int boxLimit = screenWidth <= 1024 ? screenWidth : std::min(screenWidth - 480, 1000);
    const int iconSpace = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box)
                          + 4 * box.style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing, nullptr, &box) + 48;
    const int wanted = label->fontMetrics().horizontalAdvance(longest) + 4;
    label->setMinimumWidth(std::max(0, std::min(wanted, boxLimit - iconSpace)));
}

void FolderBreakDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->text = WithFolderBreaks(option->text);
}

}  // namespace zolt
