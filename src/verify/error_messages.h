#pragma once

#include <QString>
#include <QStringList>

namespace zolt {
struct Session;
}

namespace zolt::verify {

constexpr int ErrorMessageWidth = 200;

// A line of the message list as the ErrorMessage table keeps it: every
// carriage return and line feed removed, its first 200 characters.
QString ErrorMessageText(const QString &line);

// Empties ErrorMessage and stores one row per line of the message list,
// ErrorNumber counting from 1, in one transaction; rsErrorMessage is left
// open on them. Throws ZoltError.
void StoreErrorMessages(Session &session, const QStringList &lines);

}  // namespace zolt::verify
