#include "loose_values.h"

#include "common/number_format.h"

namespace zolt::payment {

LooseValue LooseAmount(const QString &column, QStringView text, double value)
{
    return {0, column, text.toString(), FormatAmount(value)};
}

QString LooselyReadValuesMessage(const LooseValues &values)
{
    QString text = values.count == 1
                       ? QStringLiteral("1 value of the payment file could not be read as it stands.")
                       : QStringLiteral("%1 values of the payment file could not be read as they stand.")
                             .arg(values.count);
    text += QStringLiteral(" An amount that is not a plain number was read as the number it begins with (0 when "
                           "it begins with none), a text longer than its field as its first characters; the file "
                           "will be saved so:\n");
    return text + ListedLooseValues(values);
}

}  // namespace zolt::payment
