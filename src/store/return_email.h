#pragma once

#include <QString>

namespace zolt {

class DataEnvironment;

// The address the return screens give for sending files back to the
// authority. It is this installation's setting, kept in the one row of
// ZoltSettings; the empty text when it was never set.
QString ReturnEmail(DataEnvironment &de);

// Whether the text reads like an e-mail address (name@example.com): one @,
// no blanks, and a domain of dotted names ending in one of letters.
bool LooksLikeEmailAddress(const QString &text);

// Stores the address, trimmed (the empty text clears it). Throws ZoltError
// when the database refuses it.
void SetReturnEmail(DataEnvironment &de, const QString &address);

}  // namespace zolt
