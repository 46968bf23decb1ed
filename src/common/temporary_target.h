#pragma once

#include <QString>

namespace zolt {

// A temporary file beside a target path, for files that must replace the
// target whole or not at all: write to path(), then commit() puts the file
// at the target in one rename, flushed to disk (MoveIntoPlace). Without
// commit() the temporary file is removed. Failures throw ZoltError naming
// the target.
class TemporaryTarget {
public:
    explicit TemporaryTarget(const QString &target);
    ~TemporaryTarget();
    TemporaryTarget(const TemporaryTarget &) = delete;
    TemporaryTarget &operator=(const TemporaryTarget &) = delete;

    QString path() const { return m_path; }
    QString target() const { return m_target; }
    // The new file keeps the permissions of the file it replaces, or gets
    // the usual ones of a new document.
    void commit();
    void discard();

private:
    QString m_target;
    QString m_path;
};

}  // namespace zolt
