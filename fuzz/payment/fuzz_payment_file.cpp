// Feeds arbitrary bytes to the payment file reader as a whole file, reading
// every item, and writes each payment line it accepted back and reads it
// again: the second reading must give the same row. The save's line from the
// stored bytes, where it takes the row, must be the line of its text, and
// the folio's display form the one of the file's masks. Anything but a
// ZoltError from the reader is a finding.

#include "common/errors.h"
#include "common/number_format.h"
#include "common/windows1252.h"
#include "common/csv_line.h"
#include "payment/detail_line.h"
#include "payment/detail_line_encoder.h"
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
        *text = CommaFree(*text);
    const DetailRow back = ParseDetailLine(RemoveQuotes(DetailLineText(clean, clean.folio)));
    if (back.folio != clean.folio || FormatAmount(back.payment) != FormatAmount(clean.payment))
        std::abort();
}

void checkSavedLine(const DetailItem &detail, const FolioMaskTable &masks)
{
    const DetailRow &row = detail.row;
    if (masks.display(row.jur, row.folio) != detail.folioDisplay)
        std::abort();
    const QByteArray utf8[] = {row.number.toUtf8(), row.name.toUtf8(), row.cd.toUtf8(), row.jur.toUtf8(),
                               row.folio.toUtf8(),  row.abc.toUtf8(),  row.legal.toUtf8()};
    const StoredDetailBytes stored{utf8[0], utf8[1], utf8[2], utf8[3], utf8[4], utf8[5], utf8[6],
                                   row.payment, row.grossTax, row.regGrant, row.addGrant, row.delq};
    DetailLineEncoder encoder(masks);
    QByteArray plain;
    if (!encoder.appendPlain(stored, plain))
        return;
    DetailRow clean = row;
    for (QString *text : {&clean.number, &clean.name, &clean.cd, &clean.jur, &clean.legal})
        *text = CommaFree(*text);
    QByteArray expected;
    if (!EncodeWindows1252(DetailLineText(clean, masks.display(clean.jur, clean.folio)), expected))
        std::abort();
    if (plain != expected + "\r\n")
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
        FolioMaskTable masks;
        parser.readItems([&masks](PaymentItem &&item) {
            if (const auto *mask = std::get_if<MaskLine>(&item))
                masks.add(mask->jurCd, mask->mask, mask->folioLength);
            if (const auto *detail = std::get_if<DetailItem>(&item)) {
                checkRoundTrip(detail->row);
                checkSavedLine(*detail, masks);
            }
        });
    } catch (const ZoltError &) {
    }
    return 0;
}
