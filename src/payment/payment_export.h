#pragma once

#include <QString>

namespace zolt {
struct Session;
class Recordset;
}

namespace zolt::payment {

// The name of the export file.
inline const QString ExportFileName = QStringLiteral("Export.csv");

// Writes the payments of one agency as Export.csv lines at path, in the
// order of `details` (a recordset of Detail): twelve values per line,
// quotes and commas removed from the values so that every line keeps its
// twelve fields, amounts as "##########0.00", the folio in its display form.
// The file is replaced whole or not at all; an agency without payments gives
// an empty file. Leaves gFilter holding the agency filter (with its trailing
// blank). Answers the number of lines written; throws ZoltError.
qint64 ExportPayments(Session &session, const Recordset &details, const QString &mortco, const QString &path);

}  // namespace zolt::payment
