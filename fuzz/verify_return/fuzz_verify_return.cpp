// Feeds arbitrary bytes to the return check: the verification load in list
// mode, then the verified file, over a working database that lives as long
// as the fuzzer. A crash, a sanitizer report, a hang or memory past the
// limit is a finding, and so is a verified file that is not one line of 301
// characters per folio; a workbook refused, or a file refused for a
// character without a Windows-1252 form, is not.
//
// The input becomes the workbook as WriteVerifyWorkbookInput makes it.

#include "support/fuzz_workplace.h"
#include "verify/return_check.h"
#include "verify/verified_file.h"
#include "workbook/verify_input.h"

#include <QFile>
#include <cstddef>
#include <cstdint>

using namespace zolt;

namespace {

// Every line of the file 301 characters and a CR LF, one per folio.
bool wholeVerifiedFile(const QString &path, qint64 folios)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    const qsizetype lineSize = verify::VerifiedLineLength + 2;
    if (bytes.size() != folios * lineSize)
        return false;
    for (qsizetype at = lineSize; at <= bytes.size(); at += lineSize) {
        if (bytes[at - 2] != '\r' || bytes[at - 1] != '\n' || bytes.mid(at - lineSize, lineSize - 2).contains('\n'))
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = fuzz::WorkbookOfInput(data, size);
    if (path.isEmpty())
        return 0;
    fuzz::DiscardedList list;
    const verify::ReturnCheckResult result = verify::CheckReturnedWorkbook(*fuzz::TheWorkplace().session, path, list);
    const QString verified = verify::VerifiedFilePath(path);
    if (result.verifiedPath.isEmpty())
        fuzz::Check(!QFile::exists(verified));
    else
        fuzz::Check(result.verifiedPath == verified && wholeVerifiedFile(verified, result.folios));
    return 0;
}
