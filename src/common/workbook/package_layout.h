#pragma once

#include <QString>
#include <vector>

namespace zolt::workbook {

class ZipArchive;

struct SheetEntry {
    QString name;
    QString partName;  // inside the package, without a leading slash
};

// Where a workbook package keeps its sheets and shared strings, found through
// the package relationships, the workbook part and its relationships. Sheets
// are in the order the workbook part lists them.
struct PackageLayout {
    std::vector<SheetEntry> sheets;
    QString sharedStringsPart;  // empty when the workbook has none
};

// Throws WorkbookProblem when the package holds no workbook part.
PackageLayout ReadPackageLayout(const ZipArchive &archive);

}  // namespace zolt::workbook
