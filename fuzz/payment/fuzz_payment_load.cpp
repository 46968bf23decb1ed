// Feeds arbitrary bytes to the payment load as a whole file, over a working
// database that lives as long as the fuzzer. A file that loads must save, and
// the saved file must load again (see the end for the one exception). A crash, a sanitizer report or a broken
// promise is a finding. (The payments themselves need not come back alike:
// a payment before any group is not saved, an agency with two groups is saved
// under both, as the file's format has it.)

#include "common/text_file.h"
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
    if (payment::Csv2Mdb(*w.session, saved).loaded())
        return 0;
    // The save writes Windows-1252, whose bytes may happen to be UTF-8 as a
    // whole ("Å" and the control character 0x81 make "Ł"): read as such, a
    // letter without a Windows-1252 form is refused. Any other failure is a
    // finding.
    Check(TextLineReader(saved, QStringLiteral("payment file")).isUtf8());
    return 0;
}
