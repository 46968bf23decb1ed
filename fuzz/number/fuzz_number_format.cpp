// Feeds arbitrary text to the number test and the numeric values of texts,
// the same text as a display mask, its first eight bytes as a double to every
// format, and the text as the payment amount of a payment line. Findings
// beyond crashes and sanitizer reports:
// - an amount that is not "digits.dd" (with a minus sign at most), or one
//   of the files' amounts (below 1e15) that formats differently read back;
// - a payment amount refused as too large that a double holds below 1e15.

#include "common/errors.h"
#include "common/number_format.h"
#include "payment/detail_line.h"

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace zolt;

namespace {

void check(bool promise)
{
    if (!promise)
        std::abort();
}

bool isAmountText(const QString &text)
{
    qsizetype i = text.startsWith(u'-') ? 1 : 0;
    const qsizetype point = text.size() - 3;
    if (point <= i || text.at(point) != u'.')
        return false;
    for (; i < text.size(); ++i) {
        if (i != point && !text.at(i).isDigit())
            return false;
    }
    return true;
}

const QString *const Masks[] = {&Mask::Amount, &Mask::Total, &Mask::Amount14, &Mask::Amount17,
                                &Mask::Amount20, &Mask::Thousands2, &Mask::Thousands0, &Mask::Count};

void formatText(const QString &text)
{
    if (IsNumeric(text))
        check(std::isfinite(NumericTextValue(text)));
    try {
        check(std::isfinite(NumericValue(text)));
    } catch (const ZoltError &) {
    }
    for (const QString *mask : Masks)
        (void)FormatText(text, *mask);
}

void formatValue(double value, const QString &mask)
{
    for (const QString *m : Masks)
        (void)FormatNumber(value, *m);
    (void)FormatNumber(value, mask);
    (void)FormatStandard(value);
    (void)FormatCurrency(value);
    const QString amount = FormatAmount(value);
    if (!std::isfinite(value))
        return;
    check(isAmountText(amount));
    // Amounts of the files stay below 1e15; a larger one keeps 15
    // significant digits, which may round past the largest double.
    if (std::fabs(value) < 1e15)
        check(FormatAmount(NumericTextValue(amount)) == amount);
}

// The text as the PAYMENT AMOUNT of a payment line.
void paymentAmount(const QString &text)
{
    if (text.contains(u',') || text.contains(u'\n') || text.contains(u'\r'))
        return;
    try {
        (void)payment::ParseDetailLine(QStringLiteral("#1,OWNER,05,101,#9,") + text);
    } catch (const ZoltError &e) {
        if (!e.description().endsWith(QStringLiteral("is too large")))
            return;
        const std::string digits = text.trimmed().toStdString();
        const double value = std::strtod(digits.c_str(), nullptr);
        check(!(std::isfinite(value) && std::fabs(value) < 1e15));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Numbers are read as a program started in the C locale reads them.
    static const bool cLocale = [] {
        QLocale::setDefault(QLocale::c());
        return true;
    }();
    (void)cLocale;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    formatText(text);
    paymentAmount(text);
    if (size >= sizeof(double)) {
        double value = 0;
        std::memcpy(&value, data, sizeof value);
        formatValue(value, QString::fromUtf8(reinterpret_cast<const char *>(data) + sizeof value,
                                             qsizetype(size - sizeof value)));
    }
    return 0;
}
