#pragma once

#include <QString>

namespace zolt {
struct Session;
}

namespace zolt::payment {

// What the payment task says about a load.
inline const QString LoadFailedMessage = QStringLiteral("Zolt Data Load FAILED");
inline const QString DuplicatesMessage = QStringLiteral("Zolt Data Load FAILED (Duplicate Folios in the input file)");
inline const QString ZoltDataTitle = QStringLiteral("Zolt Data");

// The backup of a payment file: "bak" in place of a ".csv" ending (any case),
// otherwise ".BAK" appended.
QString PaymentBackupPath(const QString &path);


// How a loaded data year is taken.
enum class DataYearCheck {
    Current,     // this year's payments
    Historical,  // another year, and the user allows other years
    NotCurrent,  // another year, refused
    Future       // a year after this one, or none that is accepted: never worked on
};

DataYearCheck CheckDataYear(const QString &dataYear, int currentYear, bool historicalAllowed);

// The message box and message line for a refused year.
QString NotCurrentYearMessage(const QString &dataYear, int currentYear);
QString NotCurrentYearLine(const QString &dataYear);
QString FutureYearMessage(const QString &dataYear);
QString FutureYearLine(const QString &dataYear);

struct SaveOutcome {
    bool saved = false;
    bool savedElsewhere = false;  // under another name the user gave after a failure
    QString path;                 // where it went, or was last tried
    double total = 0;
};

// Saves the payment file, and while that fails asks for another file name;
// an empty answer gives up with a message, a save the user stopped gives up
// at once. historical selects the wording of the run on another year's data.
SaveOutcome SavePaymentFile(Session &session, const QString &dataYear, const QString &path,
                            const QString &backupPath, bool historical);

}  // namespace zolt::payment
