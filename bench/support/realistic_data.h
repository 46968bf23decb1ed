#pragma once

#include <QString>
#include <QStringList>

namespace zolt::bench {

// Realistic values for benchmarks, the same for a given index on every run:
// varied owner names (some with accents), street addresses, towns and legal
// descriptions, as the exchange files carry them.
QString OwnerName(int i);
// Five lines, the last ones sometimes empty; with everyLine none is empty
// (a box number, a parish and a country fill the gaps).
QStringList AddressLines(int i, bool everyLine = false);
QString LegalDescription(int i);
QString MortgageNumber(int i);
// A town or district name, varied.
QString PlaceName(int i);

// A payment file's detail line of payment i: mortgage number, owner, district,
// one of `jurisdictions` jurisdictions (101, 102, ...), folio, the amounts of
// the three payment types with the chosen one, credits now and then, legal.
QString PaymentDetailLine(int i, int jurisdictions);

// A VERIFY row as the workbook load stores it: the 14 fields in table order
// (ACD, MORTCO, NUMBER, NAME, CD, JUR, FOLIO, PID, LEGAL, ADDR1 ... ADDR5),
// names, addresses and legal descriptions blank-padded to their widths.
// With everyColumn every address line is filled.
QStringList VerifyRow(int i, bool everyColumn = false);

}  // namespace zolt::bench
