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
class TextLineReader {
public:
    static constexpr int MaxLineLength = 4096;
    static constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

    TextLineReader(const QString &path, const QString &kind);

    bool atEnd() const { return m_pos >= m_data.size(); }
    // The next line, without its line break.
    QString readLine();
    // Number of the line last read, from 1.
    qint64 lineNumber() const { return m_lineNumber; }
    // Number of lines in the whole file.
    qint64 lineCount() const;
    const QString &path() const { return m_path; }

private:
    QString m_path;
    QString m_kind;
    QByteArray m_data;
    qsizetype m_pos = 0;
    qint64 m_lineNumber = 0;
};

// Writes such a file whole or not at all, lines ended by CR LF: the lines go
// to a temporary file beside the target, which replaces the target only at
// commit() (TemporaryTarget: links are written through, a read-only target
// is refused unless readOnly says Replace). A character without a
// Windows-1252 form is refused (ZoltError naming the line), never replaced.
class TextFileWriter {
public:
    TextFileWriter(const QString &path, const QString &kind, ReadOnlyTarget readOnly = ReadOnlyTarget::Refuse);

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
