#pragma once

#include <QString>

namespace zolt {
class Recordset;
}

namespace zolt::verify {

// The fixed-width file of checked folios for the authority's central system.
inline const QString VerifiedFileName = QStringLiteral("ZOLTP040_VERIFIED.zolt");
constexpr int VerifiedLineLength = 301;

// The folio as the verified file carries it: its digits right-aligned and
// zero-padded to 18 (the last 18 when longer); a folio without digits, or
// of eighteen zeros, as it is, blank-padded or cut to 18.
QString VerifiedFolio(const QString &folio);

// Writes one line per row of the folios (a recordset over VERIFY, its
// filter cleared first), each exactly VerifiedLineLength characters of
// fields blank-padded or cut to their widths, in Windows-1252. The file
// replaces the one at path whole or not at all; a character without a
// Windows-1252 form is refused, naming the line. Leaves the folios on their
// first row. Answers the number of lines; throws ZoltError.
qint64 WriteVerifiedFile(Recordset &folios, const QString &path);

}  // namespace zolt::verify
