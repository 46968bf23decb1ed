#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace zolt::fuzz {

// Writes a workbook of the given worksheet parts (sheet1.xml, sheet2.xml, ...
// in that order) and shared strings, every part stored uncompressed, so that
// a fuzzer's bytes reach the XML reading instead of dying in the zip's
// checksums. Answers whether the file could be written.
bool WriteWorkbookAround(const QString &path, const QList<QByteArray> &sheets, const QByteArray &sharedStrings);

}  // namespace zolt::fuzz
