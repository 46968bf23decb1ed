#pragma once

#include "common/loose_values.h"

namespace zolt::payment {

// An amount of a payment file that is not a plain number ("125.00 PRIOR
// YEAR", "abc"), read as `value`, the number it begins with (0 when none).
LooseValue LooseAmount(const QString &column, QStringView text, double value);

// The information after a load that read values otherwise than they stand:
// what was done, the first LooseValuesListed of them, and "... and N more"
// for the rest.
QString LooselyReadValuesMessage(const LooseValues &values);

}  // namespace zolt::payment
