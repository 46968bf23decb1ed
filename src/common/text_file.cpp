#include "text_file.h"

#include "text_utils.h"

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

constexpr char Utf8Mark[] = "\xEF\xBB\xBF";

// The length of the UTF-8 sequence at p (its first byte above 0x7F): 0 when
// it is not one (a stray or missing continuation byte, an overlong form, a
// surrogate, a code point beyond U+10FFFF).
int utf8SequenceLength(const unsigned char *p, const unsigned char *end)
{
    auto follows = [&](qsizetype i, unsigned char low, unsigned char high) {
        return end - p > i && p[i] >= low && p[i] <= high;
    };
    const unsigned char b = *p;
    if (b >= 0xC2 && b <= 0xDF)
        return follows(1, 0x80, 0xBF) ? 2 : 0;
    if (b >= 0xE0 && b <= 0xEF) {
        const unsigned char low = b == 0xE0 ? 0xA0 : 0x80;
        const unsigned char high = b == 0xED ? 0x9F : 0xBF;
        return follows(1, low, high) && follows(2, 0x80, 0xBF) ? 3 : 0;
    }
    if (b >= 0xF0 && b <= 0xF4) {
        const unsigned char low = b == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = b == 0xF4 ? 0x8F : 0xBF;
        return follows(1, low, high) && follows(2, 0x80, 0xBF) && follows(3, 0x80, 0xBF) ? 4 : 0;
    }
    return 0;
}

// Whether the bytes are UTF-8 with at least one multi-byte sequence: one
// pass, runs of ASCII taken 32 bytes at a time, and the first byte that is
// not UTF-8 ends it. (A Windows-1252 letter such as 0xDC followed by a
// plain letter is not UTF-8.)
bool isMultiByteUtf8(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *end = p + bytes.size();
    constexpr quint64 High = 0x8080808080808080ULL;
    auto word = [](const unsigned char *at) {
        quint64 w;
        std::memcpy(&w, at, sizeof w);
        return w;
    };
    bool multiByte = false;
    while (p < end) {
        while (end - p >= 32 && ((word(p) | word(p + 8) | word(p + 16) | word(p + 24)) & High) == 0)
            p += 32;
        while (end - p >= 8 && (word(p) & High) == 0)
            p += 8;
        while (p < end && *p < 0x80)
            ++p;
        if (p == end)
            break;
        const int length = utf8SequenceLength(p, end);
        if (length == 0)
            return false;
        multiByte = true;
        p += length;
    }
    return multiByte;
}

}  // namespace

QString LineContext(qint64 lineNumber, const QString &what)
{
    return QStringLiteral("Line %1: %2").arg(lineNumber).arg(what);
}

namespace {

// An error about one line of the file, which it names.
ZoltError lineError(int number, qint64 lineNumber, const QString &what)
{
    return ZoltError(number, LineContext(lineNumber, what), ErrorSource::Program, lineNumber);
}

}  // namespace

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
    if (m_data.startsWith(Utf8Mark)) {
        m_utf8 = true;
        m_pos = 3;
    } else {
        m_utf8 = isMultiByteUtf8(m_data);
    }
}

QByteArrayView TextLineReader::nextLine(qsizetype *next)
{
    // A line ends at CR LF, LF or a CR alone.
    const char *data = m_data.constData();
    const char *from = data + m_pos;
    const char *stop = data + m_data.size();
    const char *end = std::find_if(from, stop, [](char c) { return c == '\n' || c == '\r'; });
    *next = end - data;
    if (end != stop)
        *next += (*end == '\r' && end + 1 != stop && end[1] == '\n') ? 2 : 1;
    ++m_lineNumber;
    auto tooLong = [&](qsizetype characters) {
        return lineError(ErrorNumber::BadFileFormat, m_lineNumber,
                         QStringLiteral("the line is %1 characters long; a %2 line has at "
                                        "most %3. Is %4 a %2?")
                             .arg(characters)
                             .arg(m_kind)
                             .arg(MaxLineLength)
                             .arg(shown(m_path)));
    };
    qsizetype length = end - from;
    if (m_utf8 && length > MaxLineLength)  // in characters: the bytes that begin one
        length = std::count_if(from, end, [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
    if (length > MaxLineLength)
        throw tooLong(length);
    return QByteArrayView(from, end - from);
}

QString TextLineReader::readLine()
{
    qsizetype next = 0;
    const QByteArrayView bytes = nextLine(&next);
    const QString line = m_utf8 ? decodeUtf8(bytes) : DecodeWindows1252(bytes);
    m_pos = next;
    return line;
}

QByteArrayView TextLineReader::skipLine()
{
    qsizetype next = 0;
    const QByteArrayView bytes = nextLine(&next);
    if (m_utf8)
        decodeUtf8(bytes);
    m_pos = next;
    return bytes;
}

QString TextLineReader::decodeUtf8(QByteArrayView bytes) const
{
    QString line = QString::fromUtf8(bytes);
    const auto bad = std::find_if(line.cbegin(), line.cend(), [](QChar c) { return !IsWindows1252(c); });
    if (bad == line.cend())
        return line;
    const qsizetype at = bad - line.cbegin();
    // Bytes that are not UTF-8 come out as U+FFFD; a genuine U+FFFD is EF BF BD.
    if (*bad == QChar::ReplacementCharacter && !bytes.contains(QByteArrayView("\xEF\xBF\xBD")))
        throw lineError(ErrorNumber::BadFileFormat, m_lineNumber,
                        QStringLiteral("the line is not UTF-8 text, though the %1 begins "
                                       "with the UTF-8 byte order mark")
                            .arg(m_kind));
    const bool pair = bad->isHighSurrogate() && at + 1 < line.size() && line.at(at + 1).isLowSurrogate();
    const char32_t code = pair ? QChar::surrogateToUcs4(*bad, line.at(at + 1)) : bad->unicode();
    throw lineError(ErrorNumber::CharacterNotEncodable, m_lineNumber,
                    QStringLiteral("the character \"%1\" (U+%2) has no form in the %3's "
                                   "code page (Windows-1252), in which the %3 is saved: %4")
                        .arg(line.mid(at, pair ? 2 : 1))
                        .arg(uint(code), 4, 16, QLatin1Char('0'))
                        .arg(m_kind, line));
}

void TextLineReader::rewind()
{
    m_pos = m_data.startsWith(Utf8Mark) ? qsizetype(sizeof Utf8Mark - 1) : 0;
    m_lineNumber = 0;
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

void TextFileWriter::writeLine(const QString &text)
{
    ++m_lineNumber;
    // A value holding a line break or a NUL (stored by another program)
    // would split the line or end the file for its readers.
    const QString line = BreaksLine(text) ? OneLineText(text) : text;
    qsizetype bad = 0;
    if (!EncodeWindows1252(line, m_buffer, &bad))
        throw lineError(ErrorNumber::CharacterNotEncodable, m_lineNumber,
                        QStringLiteral("the character \"%1\" (U+%2) has no form in the "
                                       "%3's code page (Windows-1252): %4")
                            .arg(line.at(bad))
                            .arg(line.at(bad).unicode(), 4, 16, QLatin1Char('0'))
                            .arg(m_kind, line));
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
