#pragma once

namespace zolt {
struct Session;
}

namespace zolt::payment {

// Replaces the Detail table's rows by the listed duplicates, so the details
// report prints them. Each row's FOLIO is its list position, which keeps rows
// that repeat a folio apart. The caller reports failures.
void FillDetailWithDuplicates(Session &session);

}  // namespace zolt::payment
