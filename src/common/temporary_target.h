#pragma once

#include <QString>

namespace zolt {

// Whether a file the user made read-only may be replaced: only once the user
// answered Yes to the read-only question about it (UserDialog).
enum class ReadOnlyTarget { Refuse, Replace };

// A temporary file beside a target path, for files that must replace the
// target whole or not at all: write to path(), then commit() puts the file
// at the target in one rename, flushed to disk (MoveIntoPlace). Without
// commit() the temporary file is removed. Failures throw ZoltError naming
// the target.
//
// A target that is a symbolic link is written through: the file it leads to
// is replaced and the link stays. Links that lead round in a circle are
// refused (too many levels of symbolic links). A read-only target is refused
// unless readOnly says Replace.
//
// The temporary file (target.XXXXXX.tmp) is locked while its writer lives. A
// writer that was killed leaves its file unlocked, and the next writer of the
// same target removes it.
class TemporaryTarget {
public:
    explicit TemporaryTarget(const QString &target, ReadOnlyTarget readOnly = ReadOnlyTarget::Refuse);
    ~TemporaryTarget();
    TemporaryTarget(const TemporaryTarget &) = delete;
    TemporaryTarget &operator=(const TemporaryTarget &) = delete;

    QString path() const { return m_path; }
    QString target() const { return m_target; }
    // The file the target leads to, its links followed: the one replaced.
    QString place() const { return m_place; }
    // Makes the temporary file a second link to the file now in place, so
    // that it keeps that file whatever takes the place, and a commit() puts
    // it back. False when there is no file in place, or the file system
    // cannot give a file a second link (a memory stick): then the caller
    // copies it instead.
    bool linkToPlace();
    // The new file keeps the permissions of the file it replaces, or gets
    // the usual ones of a new document.
    void commit();
    void discard();

private:
    // Creates the temporary file and locks it; false when a writer of the
    // same target that cleaned up took it away in the moment between.
    bool reserve();
    void release();

    QString m_target;  // as the caller names it
    QString m_place;   // the file replaced: the target with its links followed
    QString m_path;
    int m_lock = -1;   // open on the temporary file, holding its lock
};

}  // namespace zolt
