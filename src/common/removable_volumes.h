#pragma once

#include <QStringList>

namespace zolt {

// The removable volumes mounted now (memory sticks, diskettes: what the
// desktop mounts under /media or /run/media), by their folders, in a steady
// order.
QStringList RemovableVolumes();

}  // namespace zolt
