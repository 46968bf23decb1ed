#pragma once

#include "common/session.h"

#include <QStringList>

namespace zolt::batch {

// payment-load FILE: loads a payment file and lists its agencies.
int PaymentLoad(Session &session, const QStringList &args);

// payment-save FILE [--year YYYY]: writes the payment file back, keeping a backup.
int PaymentSave(Session &session, const QStringList &args);

// payment-export AGENCY: writes Export.csv of the agency's payments in the
// current folder.
int PaymentExport(Session &session, const QStringList &args);

}  // namespace zolt::batch
