#include "grid_column.h"

#include "common/number_format.h"

namespace zolt {

QString GridColumn::shown(const QVariant &value, const std::function<QVariant()> &bookmark) const
{
    const QString stored = value.isNull() ? QString() : value.toString();
    switch (format) {
    case Format::None:
        break;
    case Format::Standard:
    case Format::Currency:
        if (!value.isNull() && IsNumeric(stored)) {
            const double number = NumericTextValue(stored);
            return format == Format::Standard ? FormatStandard(number) : FormatCurrency(number);
        }
        break;
    case Format::Text:
        if (displayText) {
            try {
                return displayText(value, bookmark());
            } catch (const std::exception &e) {
                qWarning("Column %s: %s", qUtf8Printable(field), e.what());
            }
        }
        break;
    }
    const auto translated = translation.constFind(stored);
    return translated != translation.cend() ? *translated : stored;
}

}  // namespace zolt
