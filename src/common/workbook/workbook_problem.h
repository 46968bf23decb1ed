#pragma once

#include "common/errors.h"

#include <QDir>
#include <QString>
#include <new>

namespace zolt::workbook {

// What the reader's parts throw when the file is not a readable workbook. The
// reader turns it into a ZoltError that names the file.
struct WorkbookProblem {
    QString reason;
};

[[noreturn]] inline void Fail(const QString &reason)
{
    throw WorkbookProblem{reason};
}

inline ZoltError Unreadable(const QString &path, const QString &reason)
{
    return ZoltError(ErrorNumber::WorkbookUnreadable,
                     QStringLiteral("The workbook %1 cannot be read: %2.").arg(QDir::toNativeSeparators(path), reason));
}

// Runs work, turning the parts' problems into the reader's one kind of error.
template <typename Work>
decltype(auto) ReportingProblems(const QString &path, Work work)
{
    try {
        return work();
    } catch (const WorkbookProblem &problem) {
        throw Unreadable(path, problem.reason);
    } catch (const std::bad_alloc &) {
        throw Unreadable(path, QStringLiteral("it is too large to read"));
    }
}

}  // namespace zolt::workbook
