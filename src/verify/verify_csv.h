#pragma once

#include <QString>
#include <QStringList>
#include <exception>
#include <span>

namespace zolt {
struct Session;
}

namespace zolt::verify {

// Verify.csv: every folio of VERIFY as one comma-separated line, no header,
// no quoting, read and written in the current folder.
inline const QString VerifyCsvFileName = QStringLiteral("Verify.csv");
// Verify.csv in the current folder, where the program reads and writes it.
QString VerifyCsvPath();

// A field of a Verify.csv line, in file order: its VERIFY field, its width
// there, and what it holds (for the export help).
struct CsvField {
    QString name;
    int width;
    QString meaning;
};
// The fourteen fields, ACD first. Without the ACD column a line holds the
// thirteen that follow it.
std::span<const CsvField> VerifyCsvFields();

// Writes every folio of rsVerify, in its order, to path: each value trimmed
// and freed of commas, the line freed of quotes (JoinCsvLine). The file is
// replaced whole or not at all; an empty list gives an empty file. step is
// the trace step, kept up to date for the error trap. rsVerify is left on
// its first folio. Answers the lines written; throws ZoltError.
qint64 ExportVerifyCsv(Session &session, const QString &path, QString &step);

inline const QString ExportWaitText =
    QStringLiteral("Please wait while exporting the Folio Verification data to the Verify.csv file...");
// "Export to the Verify.csv file complete. 12 Records exported".
QString ExportCompleteText(qint64 count);
// The export's trap: the message line, and the box, which ends with what
// went wrong (a full disk, a folder that cannot be written).
QString ExportFailedLine(const QString &step);
QString ExportFailedBox(const QString &step, const std::exception &error);

// The texts of the two help buttons, line by line.
inline const QString ExportHelpTitle = QStringLiteral("Export Information");
inline const QString ImportHelpTitle = QStringLiteral("Import Information");
QString ExportHelpText();
QString ImportHelpText();

}  // namespace zolt::verify
