#pragma once

#include <QTreeWidget>

namespace zolt {

// The directory list: the chain of folders from the root of the file system
// down to the current folder, each one indented below its parent, followed by
// the current folder's subfolders (hidden folders left out). Double-clicking
// a folder (or Enter) makes it the current one.
class DirList : public QTreeWidget {
    Q_OBJECT
public:
    explicit DirList(QWidget *parent = nullptr);

    // The current folder, an absolute path without a trailing "/" (except "/").
    QString path() const { return m_path; }
    // Makes path the current folder; false (nothing changes) when it is not an
    // existing folder. Emits pathChanged when the folder changes.
    bool setPath(const QString &path);
    // Reads the current folder's subfolders again.
    void refresh();

signals:
    void pathChanged(const QString &path);

protected:
    // The chain is always open: no expand/collapse marks.
    void drawBranches(QPainter *, const QRect &, const QModelIndex &) const override {}

private:
    QTreeWidgetItem *addFolder(QTreeWidgetItem *parent, const QString &path, const QString &name,
                               bool open);

    QString m_path;
};

}  // namespace zolt
