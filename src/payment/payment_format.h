#pragma once

#include <QString>
#include <exception>

namespace zolt::payment {

// The fixed lines of a payment file.
inline const QString YearLinePrefix = QStringLiteral("ZOLT DATA FOR YEAR ");
inline const QString MaskHeader = QStringLiteral("FOLIO MASK INFORMATION");
inline const QString GroupHeader = QStringLiteral("PAYMENT GROUP INFORMATION");
inline const QString DetailHeader = QStringLiteral("PAYMENT DETAIL INFORMATION");
inline const QString ColumnHeading = QStringLiteral(
    "MORTGAGE NUMBER,NAME OF OWNER,COLLECTION DISTRICT,JURISDICTION,FOLIO NUMBER,PAYMENT AMOUNT,"
    "PAYMENT TYPE A/B/C,(A) - GROSS TAX,(B) - REGULAR GRANT,(C) - ADDITIONAL GRANT,"
    "DELINQUENT/CREDIT AMOUNT,LEGAL DESCRIPTION");
inline const QString ColumnHeadingStart = QStringLiteral("MORTGAGE NUMBER");

enum class LineKind {
    YearLine,      // "ZOLT DATA FOR YEAR 2026"
    MaskStart,     // the section headers
    GroupStart,
    DetailStart,
    NoData,        // the column heading, or blank (blanks and commas only)
    Data           // a line of the current section
};

// Every double quote and apostrophe deleted: the file has no quoting.
QString RemoveQuotes(const QString &line);

// What a line (quotes already removed) is.
LineKind ClassifyLine(const QString &line);

// Characters 20 to 23 of a year line.
QString YearOfLine(const QString &line);

// A year is accepted from "2000" up to the year after currentYear: four
// digits, compared as text.
bool IsAcceptedYear(const QString &year, int currentYear);

// "MORTCO = '0012'": the filter of one agency's payments.
QString AgencyFilter(const QString &mortco);

}  // namespace zolt::payment
