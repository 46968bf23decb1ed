#pragma once

#include <QString>

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

}  // namespace zolt::workbook
