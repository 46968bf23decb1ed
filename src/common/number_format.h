#pragma once

#include <QString>
#include <string>

namespace zolt {

// The display masks the program uses. '#' is an optional digit, '0' a digit
// that is always shown, ',' asks for thousands separators, '.' the point.
namespace Mask {
inline const QString Amount = QStringLiteral("##########0.00");          // files
inline const QString Total = QStringLiteral("###,###,###,##0.00");       // screen totals
inline const QString Amount14 = QStringLiteral("##,###,###,##0.00");
inline const QString Amount17 = QStringLiteral("###,###,###,###,##0.00");
inline const QString Amount20 = QStringLiteral("###################0.00");
inline const QString Thousands2 = QStringLiteral("#,##0.00");
inline const QString Thousands0 = QStringLiteral("#,##0");
inline const QString Count = QStringLiteral("###,###,###,##0");
}  // namespace Mask

// Formats a number with one of the masks above. Rounds half away from zero on
// the decimal value (1.005 gives 1.01), never shows "-0.00", and shows every
// integer digit even when the mask has fewer places.
QString FormatNumber(double value, const QString &mask);

// FormatNumber with Mask::Amount, the amounts of the exchange files: at least
// one digit before the point, two after it, no thousands separator. Any
// double, however tiny or huge, formats within fixed bounds.
QString FormatAmount(double value);
// The same text, as the ASCII it is, added to out: for files that write
// amounts by the hundred thousand.
void AppendAmount(double value, std::string &out);

// Whether FormatAmount writes the value back: its text, read again, is the
// value rounded to the cent (within half a cent of it; an amount halfway
// between two cents may go either way). False for an amount of more than 15
// significant digits that lose a cent or more (99999999999999.99 is written
// 100000000000000.00, 12345678901234.56 is written 12345678901234.60), and
// for infinity and NaN. A file or screen takes only amounts that pass, so
// that a save never changes one.
bool FormatAmountKeepsValue(double value);

// Format applied to a text: a numeric text is formatted, any other text is
// answered unchanged.
QString FormatText(const QString &text, const QString &mask);

// The grid display formats.
QString FormatStandard(double value);   // 1,234.50
QString FormatCurrency(double value);   // $1,234.50, negatives in parentheses

// The platform number test: optional blanks, a sign, digits with thousands
// separators, a decimal point, an exponent. Empty is not numeric.
bool IsNumeric(const QString &text);

// The number a numeric text stands for (as IsNumeric accepts it); 0 otherwise.
double NumericTextValue(const QString &text);

// The value of the text's leading number, 0 when there is none ("12abc" is
// 12, "abc" is 0, "1,234.50" is 1). Throws ZoltError(Overflow) for a number
// too large for a double.
double NumericValue(const QString &text);

}  // namespace zolt
