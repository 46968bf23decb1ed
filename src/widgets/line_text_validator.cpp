#include "line_text_validator.h"

#include "common/text_utils.h"
#include "common/windows1252.h"

#include <algorithm>

namespace zolt {

QValidator::State LineTextValidator::validate(QString &input, int &pos) const
{
    if (HasControlCharacters(input)) {
        const qsizetype before = input.size();
        input = BlankControlCharacters(input);
        pos = std::max(0, pos - int(before - input.size()));  // a CR LF became one blank
    }
    return std::all_of(input.begin(), input.end(), IsWindows1252) ? Acceptable : Invalid;
}

}  // namespace zolt
