#include "payment_text_file.h"

#include "common/errors.h"
#include "common/windows1252.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace zolt::payment {
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

PaymentFileReader::PaymentFileReader(const QString &path) : m_path(path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ZoltError(errorNumberOf(file.error(), path),
                        QStringLiteral("Cannot read %1: %2").arg(shown(path), file.errorString()));
    m_data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw ZoltError(ErrorNumber::FileAccess,
                        QStringLiteral("Cannot read %1: %2").arg(shown(path), file.errorString()));
    if (m_data.contains('\0'))
        throw ZoltError(ErrorNumber::BadFileFormat,
                        QStringLiteral("%1 is not a Zolt payment file (it holds binary data).").arg(shown(path)));
}

QString PaymentFileReader::readLine()
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
                        LineContext(m_lineNumber, QStringLiteral("the line is %1 characters long; a payment file "
                                                                 "line has at most %2. Is %3 a payment file?")
                                                      .arg(length)
                                                      .arg(MaxLineLength)
                                                      .arg(shown(m_path))));
    const QString line = DecodeWindows1252(QByteArrayView(from, length));
    m_pos = next;
    return line;
}

qint64 PaymentFileReader::lineCount() const
{
    qint64 lines = 0;
    const qsizetype size = m_data.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char c = m_data.at(i);
        if (c == '\n' || (c == '\r' && (i + 1 == size || m_data.at(i + 1) != '\n')))
            ++lines;
    }
    const char last = size > 0 ? m_data.at(size - 1) : '\n';
    return lines + (last != '\n' && last != '\r' ? 1 : 0);
}

PaymentFileWriter::PaymentFileWriter(const QString &path) : m_file(path)
{
    if (!m_file.open(QIODevice::WriteOnly))
        throw ZoltError(errorNumberOf(m_file.error(), QFileInfo(path).absolutePath()),
                        QStringLiteral("Cannot write %1: %2").arg(shown(path), m_file.errorString()));
}

void PaymentFileWriter::writeLine(const QString &line)
{
    ++m_lineNumber;
    qsizetype bad = 0;
    if (!EncodeWindows1252(line, m_buffer, &bad))
        throw ZoltError(ErrorNumber::CharacterNotEncodable,
                        LineContext(m_lineNumber, QStringLiteral("the character \"%1\" (U+%2) has no form in the "
                                                                 "payment file's code page (Windows-1252): %3")
                                                      .arg(line.at(bad))
                                                      .arg(line.at(bad).unicode(), 4, 16, QLatin1Char('0'))
                                                      .arg(line)));
    m_buffer.append("\r\n");
    if (m_buffer.size() > (1 << 16))
        flush();
}

void PaymentFileWriter::flush()
{
    if (m_file.write(m_buffer) != m_buffer.size())
        throw ZoltError(ErrorNumber::DiskFull,
                        QStringLiteral("Cannot write %1: %2").arg(shown(m_file.fileName()), m_file.errorString()));
    m_buffer.clear();
}

void PaymentFileWriter::commit()
{
    flush();
    if (!m_file.commit())
        throw ZoltError(ErrorNumber::FileAccess,
                        QStringLiteral("Cannot write %1: %2").arg(shown(m_file.fileName()), m_file.errorString()));
}

}  // namespace zolt::payment
