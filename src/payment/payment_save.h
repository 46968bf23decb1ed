#pragma once

#include <QString>

namespace zolt {
struct Session;
}

namespace zolt::payment {

struct SaveResult {
    bool saved = false;
    double total = 0;      // sum of the payments written
    bool stopped = false;  // the user stopped the program while it saved
};

// Writes Fol_Mask, Group and Detail as a payment file at path, after copying
// the file there to backupPath. The file is replaced whole or not at all. The
// year line carries dataYear when it is four characters, else the masks' year
// or the current year. Reports its own failures. Reports its progress, and
// gives up there when the user asks to stop, leaving the file as it was.
SaveResult Mdb2Csv(Session &session, const QString &dataYear, const QString &path, const QString &backupPath);

}  // namespace zolt::payment
