#include "drive_list.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QStyle>

#include <algorithm>

namespace zolt {
namespace {

bool isUserVolume(const QStorageInfo &volume)
{
    if (!volume.isValid() || !volume.isReady() || !QFileInfo(volume.rootPath()).isDir())
        return false;
    const QString root = volume.rootPath();
    for (const char *system : {"/proc", "/sys", "/dev", "/snap"}) {
        const QString prefix = QString::fromLatin1(system);
        if (root == prefix || root.startsWith(prefix + u'/'))
            return false;
    }
    if (root.startsWith(QStringLiteral("/run/")) && !root.startsWith(QStringLiteral("/run/media/")))
        return false;
    // Memory and image file systems are not drives, except a container's root.
    const QByteArray type = volume.fileSystemType();
    const bool virtualFs = type == "tmpfs" || type == "devtmpfs" || type == "squashfs" || type == "overlay";
    return !virtualFs || root == u"/";
}

}  // namespace

DriveList::DriveList(QWidget *parent) : QComboBox(parent)
{
    setObjectName(QStringLiteral("Drive"));
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(16);
    refresh();
    connect(this, &QComboBox::activated, this, [this](int) { emit driveChosen(drive()); });
}

QString DriveList::drive() const
{
    return currentData().toString();
}

int DriveList::addVolume(const QString &root, const QString &label)
{
    const int existing = findData(root);
    if (existing >= 0)
        return existing;
    const QString text = label.isEmpty() ? root : QStringLiteral("%1  [%2]").arg(root, label);
    addItem(style()->standardIcon(QStyle::SP_DriveHDIcon), text, root);
    return count() - 1;
}

void DriveList::refresh()
{
    const QString chosen = drive();
    const QSignalBlocker blocker(this);
    clear();
    QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
    std::sort(volumes.begin(), volumes.end(),
              [](const QStorageInfo &a, const QStorageInfo &b) { return a.rootPath() < b.rootPath(); });
    for (const QStorageInfo &volume : volumes) {
        if (isUserVolume(volume))
            addVolume(volume.rootPath(), volume.name());
    }
    if (findData(QDir::rootPath()) < 0)
        insertItem(0, style()->standardIcon(QStyle::SP_DriveHDIcon), QDir::rootPath(), QDir::rootPath());
    setDrive(chosen.isEmpty() ? QDir::rootPath() : chosen);
}

void DriveList::showPopup()
{
    refresh();
    QComboBox::showPopup();
}

void DriveList::setDrive(const QString &path)
{
    const QSignalBlocker blocker(this);
    int index = path.isEmpty() ? -1 : findData(QDir::cleanPath(path));
    if (index < 0) {
        const QStorageInfo volume(path.isEmpty() ? QDir::rootPath() : path);
        const QString root = volume.isValid() ? volume.rootPath() : QDir::rootPath();
        index = addVolume(root, volume.isValid() ? volume.name() : QString());
    }
    setCurrentIndex(index);
}

}  // namespace zolt
