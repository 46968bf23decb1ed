#pragma once

#include <QString>

namespace zolt {

// Makes backup a copy of the file at source. The copy is written beside
// backup under a temporary name, checked to hold every byte of source,
// flushed to disk, and only then renamed over backup: a previous backup stays
// as it was until a complete new one takes its place. On failure no
// temporary file is left behind and ZoltError names both files and what
// went wrong (DiskFull when the copy could not be written whole).
void CopyFileToBackup(const QString &source, const QString &backup);

}  // namespace zolt
