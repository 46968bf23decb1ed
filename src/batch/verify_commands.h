#pragma once

#include "common/session.h"

#include <QStringList>

namespace zolt::batch {

// verify-load FILE: loads a verification workbook, printing every message
// and list line in order.
int VerifyLoad(Session &session, const QStringList &args);

// verify-export FILE: writes the verification workbook, keeping a backup.
int VerifyExport(Session &session, const QStringList &args);

// verify-csv-export: writes Verify.csv in the current folder.
int VerifyCsvExport(Session &session, const QStringList &args);

// verify-csv-import 1|2 [--stop-after-errors]: reads Verify.csv of the
// current folder in option 1 or 2, printing every error report; the question
// after six reports is answered Yes unless --stop-after-errors is given.
int VerifyCsvImport(Session &session, const QStringList &args);

}  // namespace zolt::batch
