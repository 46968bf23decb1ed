#pragma once

#include <QString>

namespace zolt {
struct Session;
}

namespace zolt::payment {

// Loads a payment file into Group, Detail and Fol_Mask (emptied first) and the
// data year into ZoltSystem. Answers false for a missing file (nothing said)
// and after an error it has reported; duplicate payments are refused, counted
// and kept in shared.duplicates, and the load still answers true.
bool Csv2Mdb(Session &session, const QString &path);

}  // namespace zolt::payment
