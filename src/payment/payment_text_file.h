#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

namespace zolt::payment {

// Reads a payment file line by line: Windows-1252, lines ending in CR LF, LF
// or CR alone, the last one with or without a line break. A file with NUL bytes (a
// workbook, a program) or with absurdly long lines is refused with a
// ZoltError saying so; a file that cannot be opened too.
class PaymentFileReader {
public:
    static constexpr int MaxLineLength = 4096;

    explicit PaymentFileReader(const QString &path);

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
    QByteArray m_data;
    qsizetype m_pos = 0;
    qint64 m_lineNumber = 0;
};

// Writes a payment file whole or not at all: the lines go to a temporary file
// beside the target, which replaces the target only at commit(). A character
// without a Windows-1252 form is refused (ZoltError), never replaced.
class PaymentFileWriter {
public:
    explicit PaymentFileWriter(const QString &path);

    void writeLine(const QString &line);
    void commit();

private:
    void flush();

    QSaveFile m_file;
    QByteArray m_buffer;
    qint64 m_lineNumber = 0;
};

// Prefixes a file error with the line it came from.
QString LineContext(qint64 lineNumber, const QString &what);

}  // namespace zolt::payment
