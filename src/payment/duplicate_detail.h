#pragma once

namespace zolt {
struct Session;
}

namespace zolt::payment {

struct DuplicateFolioStore;

// Replaces the Detail table's rows by the listed duplicates. Each row's
// FOLIO is its list position, which keeps rows that repeat a folio apart.
// The caller reports failures.
void FillDetailWithDuplicates(Session &session, const DuplicateFolioStore &store);

}  // namespace zolt::payment
