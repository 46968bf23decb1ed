#pragma once

#include <QByteArrayView>
#include <QString>

namespace zolt {

// True when the file exists, is a regular file and is not empty. Never fails:
// anything that cannot be examined answers false. Relative paths are taken
// from the current directory.
bool FileExists(const QString &path);

struct FileAttributeFlags {
    bool recognised = false;
    bool readOnly = false;
    bool archive = false;
    bool compressed = false;
    int attributeValue = -1;
};

// The file's attribute word as the exchange files' home platform knows it:
// a regular file whose owner write bit is set is 32 (archive), one without it
// 33 (read-only, archive). Judged by the permission bits, not by whether this
// process may write (it may run as root).
FileAttributeFlags GetFileAttributeFlags(const QString &path);

QString RepeatText(const QString &text, qint64 count);

// Trimmed, with every double quote and apostrophe removed.
QString StripQuotes(const QString &text);

// Trims the caller's text in place and answers it with inner runs of blanks
// reduced to one blank.
QString CollapseBlanks(QString &text);

// Blanks only, as the exchange files use them (tabs are data).
QString TrimBlanks(const QString &text);
// The same as a view into the text, copying nothing.
QStringView BlankTrimmed(QStringView text);
// The same for bytes (UTF-8 or Windows-1252 alike: a blank is one byte).
QByteArrayView BlankTrimmed(QByteArrayView text);
// Whether every byte is ASCII.
bool IsAscii(QByteArrayView text);

// The text as one line of a text file carries it: a line break (CR LF, CR
// or LF) or a NUL, which would split the line or end the file for its
// readers, becomes a blank. Other characters stay as they are.
QString OneLineText(QStringView text);
// Whether the text holds a line break or a NUL.
bool BreaksLine(QStringView text);
// The text as a field takes it: a line break and every other control
// character (a tab, ...) become a blank.
QString BlankControlCharacters(QStringView text);
bool HasControlCharacters(QStringView text);

// First n characters of text padded with blanks to n: Left(text & Space(n), n).
QString PadCut(const QString &text, int n);
// The same appended to out; with Upper, in upper case as QString::toUpper
// makes it (one pass over the usual ASCII text).
enum class LetterCase { AsIs, Upper };
void AppendPadCut(QStringView text, int n, QString &out, LetterCase letters = LetterCase::AsIs);

// Quotes a user's text for a filter or find criteria literal: apostrophes are
// doubled and the whole is put between apostrophes.
QString QuoteCriteria(const QString &text);
// The same without the outer apostrophes, for criteria texts that carry their
// own ("NAME LIKE '%" + EscapeCriteria(text) + "%'").
QString EscapeCriteria(const QString &text);
// A user's text as a LIKE pattern that matches it character for character:
// the wildcards and the bracket are put in brackets ("5%" is "5[%]"), then
// it is escaped as EscapeCriteria does ("NAME LIKE '%" + LikeLiteral(text) + "%'").
QString LikeLiteral(const QString &text);

}  // namespace zolt
