#pragma once

#include "common/folded_key_set.h"

#include <QByteArrayView>
#include <QSet>
#include <QString>
#include <array>
#include <optional>

namespace zolt {
class DataEnvironment;
}

namespace zolt::verify {

// The fields of a Verify.csv line, in the order of the file.
enum VerifyCsvField { Acd, Mortco, Number, Cd, Jur, Folio, Pid, Name, Addr1, Legal = 13, VerifyCsvFieldCount };

// The values of a line by field.
struct VerifyCsvValues {
    std::array<QString, VerifyCsvFieldCount> values;
    QString &operator[](int f) { return values[size_t(f)]; }
    const QString &operator[](int f) const { return values[size_t(f)]; }
};

// The codes of the reference tables, folded as the filters compare them.
// Read once on the thread that owns the database; looked up from any.
struct ReferenceCodes {
    QSet<QString> districts, jurisdictions, pairs;
    explicit ReferenceCodes(DataEnvironment &de);
};

// A line of Verify.csv read and checked: its values as they are stored, what
// the first failing check says of it, and its keys folded for matching
// (jurisdiction and the folio's 18 digits; jurisdiction and PID), each when
// the line has that number. Checking needs no database, so lines are checked
// on a thread of their own while the ones before are stored.
struct CheckedVerifyLine {
    qint64 number = 0;  // from 1
    QString text;
    VerifyCsvValues values;
    std::optional<QString> problem;
    std::optional<FoldedKeySet::Folded> folioKey, pidKey;
};

// Whether a line begins with the status column: a status and a comma, a
// blank and a comma, or a comma.
bool BeginsWithStatus(QStringView line);
// The same of a line's bytes, in Windows-1252 or UTF-8.
bool BeginsWithStatus(QByteArrayView line);

void CheckVerifyCsvLine(CheckedVerifyLine &line, bool withStatus, const ReferenceCodes &codes);

}  // namespace zolt::verify
