#pragma once

#include <QString>
#include <optional>

namespace zolt::payment {

// The mask row written when a file brings no folio masks.
inline const QString PlaceholderJurisdiction = QStringLiteral("000");
inline const QString PlaceholderMask = QStringLiteral("LOST THE FOLIO MASKS");

// A folio mask line: jurisdiction (3), folio length (2 digits), mask.
struct MaskLine {
    QString jurCd;
    int folioLength = 0;
    QString mask;
};

// Reads a line of the mask section. The first 30 characters count, with
// their commas removed (a spreadsheet may have put commas between the parts).
// A line without any "#" digit place (the placeholder row, a heading a user
// added) is not a mask: nullopt. A mask holding digits is refused
// (ZoltError): folios are read back from their display form by their digits.
std::optional<MaskLine> ParseMaskLine(const QString &line);

QString MaskLineText(const QString &jurCd, const QString &folioLength, const QString &mask);

}  // namespace zolt::payment
