#pragma once

#include <QString>
#include <stdexcept>

namespace zolt {

// The program's own error numbers. They appear in the messages of the error
// traps, so a user can quote them; keep them stable.
namespace ErrorNumber {
constexpr int Overflow = 6;
constexpr int TypeMismatch = 13;
constexpr int FileNotFound = 53;
constexpr int DiskFull = 61;
constexpr int PermissionDenied = 70;
constexpr int FileAccess = 75;
constexpr int PathNotFound = 76;
constexpr int BadFileFormat = 321;
constexpr int WorkbookUnreadable = 1004;
constexpr int BadCriteria = 3001;          // a filter or find text that cannot be parsed
constexpr int NoCurrentRecord = 3021;      // BOF or EOF, or the row was deleted
constexpr int FieldNotFound = 3265;
constexpr int RecordsetClosed = 3704;
constexpr int NotUpdatable = 3251;        // the source is not a single table
constexpr int CharacterNotEncodable = 3800; // text has no form in the file's code page
constexpr int Unexpected = 51;             // a failure the program did not foresee
// Database errors carry SQLite's extended result code as their number.
}  // namespace ErrorNumber

// Who refused: the program's own checks and files, or the database (whose
// numbers are SQLite's and may equal the program's own).
enum class ErrorSource { Program, Database };

// What a procedure with an error trap catches at its top. Everything below
// such a procedure reports a failure by throwing one of these. The line is
// the line of the file being read when the error is about one (0: none).
class ZoltError : public std::runtime_error {
public:
    ZoltError(int number, const QString &description, ErrorSource source = ErrorSource::Program,
              qint64 line = 0);

    int number() const { return m_number; }
    QString description() const { return m_description; }
    ErrorSource source() const { return m_source; }
    qint64 line() const { return m_line; }

private:
    int m_number;
    QString m_description;
    ErrorSource m_source;
    qint64 m_line;
};

// The number as the trap messages write it: with a leading blank for the sign
// place ("# 53" reads "# " + " 53" in the messages that want it).
QString NumberWithSignPlace(qint64 n);

}  // namespace zolt
