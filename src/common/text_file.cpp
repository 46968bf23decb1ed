#include "text_file.h"

#include "errors.h"
#include "whole_write.h"
#include "windows1252.h"

#include <QFileInfo>
#include <algorithm>
#include <cstring>

namespace zolt {
namespace {

QString shown(const QString &path)
{
    return QFileInfo(path).absoluteFilePath();
}

int errorNumberOf(QFileDevice::FileError error, const QString &path)
{
    if (!QFileInfo::exists(path))
        return ErrorNumber::FileNotFound;
    return error == QFileDevice::PermissionsError ? ErrorNumber::PermissionDenied : ErrorNumber::FileAccess;
}

}  // namespace

QString LineContext(qint64 lineNumber, const QString &what)
{
    return QStringLiteral("Line %1: %2").arg(lineNumber).arg(what);
}

TextLineReader::TextLineReader(const QString &path, const QString &kind) : m_path(path), m_kind(kind)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ZoltError(errorNumberOf(file.error(), path),
                        QStringLiteral("Cannot read %1: %2").arg(shown(path), file.errorString()));
    // Read no further than the limit, whatever the file claims to hold.
    auto tooLarge = [&] {
        return ZoltError(ErrorNumber::BadFileFormat, QStringLiteral("%1 is not a Zolt %2: it is larger than %3 MB, "
                                                                    "the most a %2 may hold.")
                                                         .arg(shown(path), m_kind)
                                                         .arg(MaxFileSize / (1024 * 1024)));
    };
    if (file.size() > MaxFileSize)
        throw tooLarge();
    // The file's size is a hint only (it may grow meanwhile): the reading
    // goes on to its end, or past the limit.
    m_data = file.read(std::min(file.size(), MaxFileSize) + 1);
    constexpr qint64 Chunk = 1 << 20;
    while (m_data.size() <= MaxFileSize && file.error() == QFileDevice::NoError) {
        const QByteArray more = file.read(std::min(Chunk, MaxFileSize + 1 - m_data.size()));
        if (more.isEmpty())
            break;
        m_data += more;
    }
    if (file.error() != QFileDevice::NoError)
        throw ZoltError(ErrorNumber::FileAccess,
                        QStringLiteral("Cannot read %1: %2").arg(shown(path), file.errorString()));
    if (m_data.size() > MaxFileSize)
        throw tooLarge();
    if (m_data.contains('\0'))
        throw ZoltError(ErrorNumber::BadFileFormat,
                        QStringLiteral("%1 is not a Zolt %2 (it holds binary data).").arg(shown(path), m_kind));
}

QString TextLineReader::readLine()
{
    // A line ends at CR LF, LF or a CR alone.
    const char *data = m_data.constData();
    const char *from = data + m_pos;
    const char *stop = data + m_data.size();
    const char *end = std::find_if(from, stop, [](char c) { return c == '\n' || c == '\r'; });
    qsizetype next = end - data;
    if (end != stop)
        next += (*end == '\r' && end + 1 != stop && end[1] == '\n') ? 2 : 1;
    ++m_lineNumber;
    const qsizetype length = end - from;
    if (length > MaxLineLength)
        throw ZoltError(ErrorNumber::BadFileFormat,
                        LineContext(m_lineNumber, QStringLiteral("the line is %1 characters long; a %2 line has at "
                                                                 "most %3. Is %4 a %2?")
                                                      .arg(length)
                                                      .arg(m_kind)
                                                      .arg(MaxLineLength)
                                                      .arg(shown(m_path))));
    const QString line = DecodeWindows1252(QByteArrayView(from, length));
    m_pos = next;
    return line;
}

qint64 TextLineReader::lineCount() const
{
    const char *data = m_data.constData();
    const char *end = data + m_data.size();
    // Every LF ends a line, and so does a CR that no LF follows.
    qint64 lines = 0;
    for (const char *p = data; (p = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)))); ++p)
        ++lines;
    for (const char *p = data; (p = static_cast<const char *>(std::memchr(p, '\r', size_t(end - p)))); ++p) {
        if (p + 1 == end || p[1] != '\n')
            ++lines;
    }
    const char last = data != end ? end[-1] : '\n';
    return lines + (last != '\n' && last != '\r' ? 1 : 0);
}

TextFileWriter::TextFileWriter(const QString &path, const QString &kind, ReadOnlyTarget readOnly)
    : m_kind(kind), m_target(path, readOnly), m_file(m_target.path())
{
    // The lines are buffered here: the file writes them as they come, so
    // that a failed write carries the system's reason.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        throw ZoltError(errorNumberOf(m_file.error(), QFileInfo(path).absolutePath()),
                        QStringLiteral("Cannot write %1: %2").arg(shown(path), m_file.errorString()));
}

void TextFileWriter::writeLine(const QString &line)
{
    ++m_lineNumber;
    qsizetype bad = 0;
    if (!EncodeWindows1252(line, m_buffer, &bad))
        throw ZoltError(ErrorNumber::CharacterNotEncodable,
                        LineContext(m_lineNumber, QStringLiteral("the character \"%1\" (U+%2) has no form in the "
                                                                 "%3's code page (Windows-1252): %4")
                                                      .arg(line.at(bad))
                                                      .arg(line.at(bad).unicode(), 4, 16, QLatin1Char('0'))
                                                      .arg(m_kind, line)));
    m_buffer.append("\r\n");
    if (m_buffer.size() > (1 << 16))
        flush();
}

void TextFileWriter::writeEncodedLines(QByteArrayView lines, qint64 count)
{
    m_lineNumber += count;
    constexpr qsizetype Buffered = 1 << 16;
    if (m_buffer.size() + lines.size() <= Buffered) {
        m_buffer.append(lines);
        return;
    }
    // Many lines go to the file as they are, after those buffered.
    flush();
    if (lines.size() < Buffered / 4) {
        m_buffer.append(lines);
        return;
    }
    write(lines);
}

void TextFileWriter::flush()
{
    write(m_buffer);
    m_buffer.clear();
}

void TextFileWriter::write(QByteArrayView bytes)
{
    if (!WriteWhole(m_file, bytes))
        throw ZoltError(ErrorNumber::DiskFull,
                        QStringLiteral("Cannot write %1: %2").arg(shown(m_target.target()), m_file.errorString()));
}

void TextFileWriter::commit()
{
    flush();
    m_file.close();
    m_target.commit();
}

}  // namespace zolt
