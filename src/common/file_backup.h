#pragma once

#include <QString>
#include <memory>

namespace zolt {

class TemporaryTarget;

// Makes backup a copy of the file at source. The copy is written beside
// backup under a temporary name, checked to hold every byte of source,
// flushed to disk, and only then renamed over backup: a previous backup stays
// as it was until a complete new one takes its place. On failure no
// temporary file is left behind and ZoltError names both files and what
// went wrong (DiskFull when the copy could not be written whole).
void CopyFileToBackup(const QString &source, const QString &backup);

// The backup a save makes of the file it is about to replace, undone when
// the save fails: the backup is replaced at once (as CopyFileToBackup
// replaces it), while the previous backup is kept aside until the save is
// over. keep() once the new file is in place lets the previous backup go; a
// save that fails or is stopped never calls it, and the end of the object
// puts the previous backup back, or removes the new one when there was none,
// so that the backup is as it was before the save.
//
// The previous backup waits under a temporary name of the backup
// (BACKUP.XXXXXX.tmp), as a second link to the same file where the file
// system allows one, else as a copy. A save killed meanwhile leaves the
// backup whole (the previous one, or a complete copy of the file, which is
// still the old one), and the waiting file, which the next save removes.
class SaveBackup {
public:
    // No backup made: nothing to undo.
    SaveBackup();
    // Makes backup a copy of source. Throws ZoltError as CopyFileToBackup;
    // the backup is then as it was.
    SaveBackup(const QString &source, const QString &backup);
    // Takes the backup out of the way when there is no file to back up (the
    // backup of that name belongs to another file). Throws ZoltError when it
    // cannot be moved.
    static SaveBackup Cleared(const QString &backup);
    SaveBackup(SaveBackup &&other) noexcept;
    SaveBackup &operator=(SaveBackup &&other) noexcept;
    SaveBackup(const SaveBackup &) = delete;
    SaveBackup &operator=(const SaveBackup &) = delete;
    // Unless kept: putBack().
    ~SaveBackup();

    // Whether a new backup was made.
    bool made() const { return m_made; }
    // The save is done: the previous backup goes.
    void keep();
    // The save failed: the backup becomes again what it was. A backup that
    // cannot be put back is said on standard error.
    void putBack();

private:
    QString m_place;                             // the backup file, its links followed
    std::unique_ptr<TemporaryTarget> m_previous;  // the previous backup, waiting
    bool m_made = false;                         // a new copy is in place
};

}  // namespace zolt
