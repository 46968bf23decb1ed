#pragma once

#include "common/session.h"

#include <QStringList>

namespace zolt::batch {

// verify-load FILE: loads a verification workbook, printing every message
// and list line in order.
int VerifyLoad(Session &session, const QStringList &args);

// verify-export FILE: writes the verification workbook, keeping a backup.
int VerifyExport(Session &session, const QStringList &args);

}  // namespace zolt::batch
