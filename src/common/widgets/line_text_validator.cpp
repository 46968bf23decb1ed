#include "windows1252_validator.h"

#include "common/windows1252.h"

#include <algorithm>

namespace zolt {

QValidator::State Windows1252Validator::validate(QString &input, int &) const
{
    return std::all_of(input.begin(), input.end(), IsWindows1252) ? Acceptable : Invalid;
}

}  // namespace zolt
