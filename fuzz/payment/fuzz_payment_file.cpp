// Feeds arbitrary bytes to the payment file reader as a whole file, reading
// every item, and writes each payment line it accepted back and reads it
// again: the second reading must give the same row. Anything but a ZoltError
// from the reader is a finding.

#include "common/errors.h"
#include "common/number_format.h"
#include "payment/detail_line.h"
#include "payment/payment_file_parser.h"
#include "payment/payment_format.h"

#include <QFile>
#include <QTemporaryFile>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace zolt;
using namespace zolt::payment;

namespace {

void checkRoundTrip(const DetailRow &row)
{
    DetailRow clean = row;
    for (QString *text : {&clean.number, &clean.name, &clean.cd, &clean.jur, &clean.legal})
        *text = CleanDetailText(*text);
    const DetailRow back = ParseDetailLine(RemoveQuotes(DetailLineText(clean, clean.folio)));
    if (back.folio != clean.folio || FormatAmount(back.payment) != FormatAmount(clean.payment))
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QTemporaryFile file;
    if (!file.open())
        return 0;
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    file.close();
    try {
        PaymentFileParser parser(file.fileName(), 2026);
        parser.readItems([](PaymentItem &&item) {
            if (const auto *detail = std::get_if<DetailItem>(&item))
                checkRoundTrip(detail->row);
        });
    } catch (const ZoltError &) {
    }
    return 0;
}
