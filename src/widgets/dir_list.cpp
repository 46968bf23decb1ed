#include "dir_list.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QStyle>

namespace zolt {
namespace {

constexpr int PathRole = Qt::UserRole;

}  // namespace

DirList::DirList(QWidget *parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("Dir"));
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setIndentation(12);
    setUniformRowHeights(true);
    connect(this, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem *item, int) { setPath(item->data(0, PathRole).toString()); });
    setPath(QDir::rootPath());
}

bool DirList::setPath(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isDir())
        return false;
    const QString clean = QDir::cleanPath(info.absoluteFilePath());
    const bool changed = clean != m_path;
    m_path = clean;
    refresh();
    if (changed)
        emit pathChanged(m_path);
    return true;
}

QTreeWidgetItem *DirList::addFolder(QTreeWidgetItem *parent, const QString &path, const QString &name,
                                    bool open)
{
    auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, name);
    item->setData(0, PathRole, path);
    item->setIcon(0, style()->standardIcon(open ? QStyle::SP_DirOpenIcon : QStyle::SP_DirClosedIcon));
    item->setToolTip(0, QDir::toNativeSeparators(path));
    return item;
}

void DirList::refresh()
{
    clear();
    // The chain from the root down to the current folder.
    QStringList parts = m_path.split(u'/', Qt::SkipEmptyParts);
    QString walked = QDir::rootPath();
    QTreeWidgetItem *current = addFolder(nullptr, walked, walked, true);
    for (const QString &part : parts) {
        walked = QDir(walked).filePath(part);
        current = addFolder(current, walked, part, true);
    }
    const QDir dir(m_path);
    const QStringList children =
        dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString &child : children)
        addFolder(current, dir.filePath(child), child, false);
    expandAll();
    setCurrentItem(current);
    scrollToItem(current, QAbstractItemView::PositionAtTop);
}

}  // namespace zolt
