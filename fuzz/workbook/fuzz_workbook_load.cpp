// Feeds arbitrary bytes to the verification load, over a working database
// that lives as long as the fuzzer. A crash, a sanitizer report, a hang or
// memory past the limit is a finding; a workbook refused is not.
//
// The input becomes the workbook as WriteVerifyWorkbookInput makes it.

#include "support/fuzz_workplace.h"
#include "verify/verify_load.h"
#include "verify_input.h"

#include <QByteArray>
#include <QStringList>
#include <cstddef>
#include <cstdint>

using namespace zolt;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = fuzz::WorkbookOfInput(data, size);
    if (path.isEmpty())
        return 0;
    fuzz::DiscardedList list;
    const verify::VerifyLoadResult result = verify::Xls2Mdb(*fuzz::TheWorkplace().session, path, &list);
    fuzz::Check(result.loaded >= 0 && result.notLoaded >= 0);
    return 0;
}
