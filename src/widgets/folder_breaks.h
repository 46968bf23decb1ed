#pragma once

#include <QString>
#include <QStyledItemDelegate>

class QMessageBox;

namespace zolt {

// Paths in wrapped text break between folders, never inside one: a
// zero-width space after each slash of a path gives the line a place to
// break there, and a word joiner after each hyphen keeps a folder's name
// whole. Only what is shown changes; what is kept and compared stays as it
// was.
QString WithFolderBreaks(const QString &text);

// The longest path the text names, as written (empty when it names none).
QString LongestPath(const QString &text);

// The box shows the text with folder breaks, as wide as its longest path
// needs (up to what the screen allows), so that the path stays on one line
// where it can and breaks between folders where it cannot. Ctrl+C copies the
// text without the breaks.
void ShowPathsWhole(QMessageBox &box, const QString &text);

// A list's lines shown wrapped at words and folders; the items' texts stay
// as they were.
class FolderBreakDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};

}  // namespace zolt
