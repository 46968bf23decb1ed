#pragma once

#include <QString>

namespace zolt::bench {

// Reads every cell of every sheet of a workbook as text, as a reader that
// takes the whole workbook would; answers how many cells hold text.
qint64 ReadEveryCell(const QString &path);

}  // namespace zolt::bench
