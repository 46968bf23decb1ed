#include "removable_volumes.h"

#include <QStorageInfo>
#include <algorithm>

namespace zolt {

QStringList RemovableVolumes()
{
    QStringList folders;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (volume.isValid() && volume.isReady()
            && (root.startsWith(QStringLiteral("/media/")) || root.startsWith(QStringLiteral("/run/media/"))))
            folders << root;
    }
    std::sort(folders.begin(), folders.end());
    return folders;
}

}  // namespace zolt
