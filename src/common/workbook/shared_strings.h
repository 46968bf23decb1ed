#pragma once

#include <QString>
#include <vector>

namespace zolt::workbook {

class XmlScanner;
class ZipArchive;

using SharedStrings = std::vector<QString>;

// The table of strings that cells refer to by number.
SharedStrings ReadSharedStrings(const ZipArchive &archive, const QString &partName);

// The text of the string item the scanner stands on (a shared <si> or an
// inline <is>): plain <t>, or the <t> of every rich-text run joined. Phonetic
// runs (<rPh>) are not part of the text. Leaves the scanner on the item's end.
QString ReadStringItem(XmlScanner &xml);

}  // namespace zolt::workbook
