// Feeds arbitrary bytes to the payment load as a whole file, over a working
// database that lives as long as the fuzzer. A file that loads must save, and
// the saved file must load again. A crash, a sanitizer report or a broken
// promise is a finding. (The payments themselves need not come back alike:
// a payment before any group is not saved, an agency with two groups is saved
// under both, as the file's format has it.)

#include "payment/payment_load.h"
#include "payment/payment_save.h"
#include "store/zolt_system.h"
#include "support/fuzz_workplace.h"

#include <QFile>
#include <cstddef>
#include <cstdint>

using namespace zolt;
using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::Workplace &w = fuzz::TheWorkplace();
    const QString input = w.file("Zoltdata.csv");
    {
        QFile file(input);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    const payment::PaymentLoadResult first = payment::Csv2Mdb(*w.session, input);
    if (!first.loaded())
        return 0;
    const QString saved = w.file("Saved.csv");
    const payment::SaveResult save =
        payment::Mdb2Csv(*w.session, ZoltSystem(*w.de).dataYear(), saved, w.file("Saved.bak"));
    Check(save.saved);
    Check(payment::Csv2Mdb(*w.session, saved).loaded());
    return 0;
}
