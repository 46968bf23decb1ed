#pragma once

#include "common/session.h"

#include <QStringList>

namespace zolt::batch {

// verify-return FILE: the return check of a verification workbook: loaded in
// list mode, its folios written to ZOLTP040_VERIFIED.zolt beside it, the
// message list printed. Fails when nothing was loaded or the verified file
// could not be written.
int VerifyReturn(Session &session, const QStringList &args);

}  // namespace zolt::batch
