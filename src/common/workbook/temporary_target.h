#pragma once

#include <QString>

namespace zolt::workbook {

// A temporary file beside a target path, for writers that need a file name
// (not a QIODevice): write to path(), then commit() puts the file at the
// target in one rename. Without commit() the temporary file is removed.
// Failures throw ZoltError naming the target.
class TemporaryTarget {
public:
    explicit TemporaryTarget(const QString &target);
    ~TemporaryTarget();
    TemporaryTarget(const TemporaryTarget &) = delete;
    TemporaryTarget &operator=(const TemporaryTarget &) = delete;

    QString path() const { return m_path; }
    void commit();
    void discard();

private:
    QString m_target;
    QString m_path;
};

}  // namespace zolt::workbook
