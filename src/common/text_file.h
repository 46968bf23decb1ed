#pragma once

#include "temporary_target.h"

#include <QByteArray>
#include <QFile>
#include <QString>

namespace zolt {

// The text files the program exchanges (the payment file, Export.csv,
// Verify.csv, the verified-folio file) are Windows-1252 lines.

// Reads such a file line by line: lines ending in CR LF, LF or CR alone, the
// last one with or without a line break. A file with NUL bytes (a workbook,
// a program), with absurdly long lines or larger than MaxFileSize is refused
// with a ZoltError saying so, naming the kind of file expected ("payment
// file"); a file that cannot be opened too. The whole file is held while it
// is read, so that size bounds the memory it takes.
//
// A spreadsheet program may save the file as UTF-8: a file that begins with
// the UTF-8 byte order mark, or that is UTF-8 throughout and holds at least
// one multi-byte sequence, is read as UTF-8 (Windows-1252 bytes above 0x7F
// are almost never valid UTF-8). Its lines must still be Windows-1252 text,
// as the file is written back in it: a character without a Windows-1252
// form (or bytes that are not UTF-8 after the mark) is refused with a
// ZoltError naming the line.
class TextLineReader {
public:
    static constexpr int MaxLineLength = 4096;
    static constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

    TextLineReader(const QString &path, const QString &kind);

    bool atEnd() const { return m_pos >= m_data.size(); }
    // The next line, without its line break.
    QString readLine();
    // The next line checked as readLine() checks it, without making its
    // text: its bytes as the file holds them, without the line break.
    QByteArrayView skipLine();
    // Number of the line last read, from 1.
    qint64 lineNumber() const { return m_lineNumber; }
    // Number of lines in the whole file.
    qint64 lineCount() const;
    // Back to the first line, to read the file once more as it was read.
    void rewind();
    const QString &path() const { return m_path; }
    // The file is read as UTF-8.
    bool isUtf8() const { return m_utf8; }

private:
    QString decodeUtf8(QByteArrayView bytes) const;
    // The bytes of the next line, its length checked; *next gets where the
    // line after it starts.
    QByteArrayView nextLine(qsizetype *next);

    QString m_path;
    QString m_kind;
    QByteArray m_data;
    qsizetype m_pos = 0;
    qint64 m_lineNumber = 0;
    bool m_utf8 = false;
};

// Writes such a file whole or not at all, lines ended by CR LF: the lines go
// to a temporary file beside the target, which replaces the target only at
// commit() (TemporaryTarget: links are written through, a read-only target
// is refused unless readOnly says Replace). A character without a
// Windows-1252 form is refused (ZoltError naming the line), never replaced.
class TextFileWriter {
public:
    TextFileWriter(const QString &path, const QString &kind, ReadOnlyTarget readOnly = ReadOnlyTarget::Refuse);

    // A line break or a NUL inside the line is written as a blank: a line
    // is always one line (OneLineText).
    void writeLine(const QString &line);
    // Lines already in the file's encoding, each ended by CR LF: `count` of them.
    void writeEncodedLines(QByteArrayView lines, qint64 count);
    void commit();

private:
    void flush();
    void write(QByteArrayView bytes);

    QString m_kind;
    TemporaryTarget m_target;
    QFile m_file;
    QByteArray m_buffer;
    qint64 m_lineNumber = 0;
};

// Prefixes a file error with the line it came from.
QString LineContext(qint64 lineNumber, const QString &what);

}  // namespace zolt
