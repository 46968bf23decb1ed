#pragma once

#include <QByteArray>
#include <QString>
#include <map>
#include <utility>
#include <vector>

namespace zolt::test {

// Writes a zip file holding the given parts (name -> bytes), for workbooks
// that no writer library produces.
void WriteZip(const QString &path, const std::map<QString, QByteArray> &parts);

// One part of a zip file, empty when it is missing.
QByteArray ReadZipPart(const QString &path, const QString &name);

// The parts of a minimal transitional workbook with the given sheets
// (name -> worksheet XML), listed in this order. Shared strings are added
// when sharedStrings is not empty.
std::map<QString, QByteArray> MinimalWorkbook(const std::vector<std::pair<QString, QByteArray>> &sheets,
                                              const QByteArray &sharedStrings = QByteArray());

// A worksheet part holding the given <sheetData> content.
QByteArray WorksheetXml(const QByteArray &sheetData);

}  // namespace zolt::test
