#include "file_list.h"

#include <QDir>

namespace zolt {

FileList::FileList(QWidget *parent) : QListWidget(parent)
{
    setObjectName(QStringLiteral("File"));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
}

void FileList::setPath(const QString &path)
{
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
    clearSelection();
    setCurrentItem(nullptr);
    if (name.isEmpty())
        return;
    const QList<QListWidgetItem *> found = findItems(name, Qt::MatchExactly);
    if (!found.isEmpty()) {
        setCurrentItem(found.first());
        found.first()->setSelected(true);
        scrollToItem(found.first());
    }
}

void FileList::refresh()
{
    const QString selected = fileName();
    clear();
    if (m_path.isEmpty())
        return;
    // Without QDir::System, QDir::Hidden or QDir::CaseSensitive: regular
    // files (and links to them), no hidden ones, patterns matched in any case.
    const QDir dir(m_path);
    const QStringList names = dir.entryList(m_pattern.split(u';', Qt::SkipEmptyParts),
                                            QDir::Files | QDir::NoDotAndDotDot,
                                            QDir::Name | QDir::IgnoreCase);
    addItems(names);
    setFileName(selected);
}

}  // namespace zolt
