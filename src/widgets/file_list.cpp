#include "file_list.h"

#include <QDir>

namespace zolt {

FileList::FileList(QWidget *parent) : QListWidget(parent)
{
    setObjectName(QStringLiteral("File"));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    // Taking the focus makes the first file current without selecting it;
    // the arrow keys would then skip it and Enter would start on no file.
    connect(this, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *current) {
        if (!current)
            return;
        current->setSelected(true);
        m_chosen = current->text();
    });
}

void FileList::setPath(const QString &path)
{
    if (path != m_path)
        m_chosen.clear();
    m_path = path;
    refresh();
}

void FileList::setPattern(const QString &pattern)
{
    m_pattern = pattern;
    refresh();
}

QString FileList::fileName() const
{
    const QList<QListWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void FileList::setFileName(const QString &name)
{
    m_chosen = name;
    selectChosen();
}

void FileList::selectChosen()
{
    clearSelection();
    setCurrentItem(nullptr);  // leaves the choice as it is
    const QList<QListWidgetItem *> found = findItems(m_chosen, Qt::MatchExactly);
    if (!m_chosen.isEmpty() && !found.isEmpty()) {
        setCurrentItem(found.first());
        scrollToItem(found.first());
    }
}

void FileList::refresh()
{
    clear();
    if (!m_path.isEmpty()) {
        // Without QDir::System, QDir::Hidden or QDir::CaseSensitive: regular
        // files (and links to them), no hidden ones, patterns matched in any case.
        const QDir dir(m_path);
        addItems(dir.entryList(m_pattern.split(u';', Qt::SkipEmptyParts), QDir::Files | QDir::NoDotAndDotDot,
                               QDir::Name | QDir::IgnoreCase));
    }
    selectChosen();
}

}  // namespace zolt
