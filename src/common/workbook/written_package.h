#pragma once

#include <QString>

namespace zolt::workbook {

// Checks a zip package just written, before it replaces anything: the zip's
// directory agrees with its parts, every part unpacks to the size and
// checksum the directory gives, and every XML part (.xml, .rels) is one
// complete, well-formed document. A writer that lost bytes on the way (a
// full disk under its own temporary files) is caught here even when it
// reported success. Throws WorkbookProblem saying what is wrong.
void CheckWrittenPackage(const QString &path);

}  // namespace zolt::workbook
