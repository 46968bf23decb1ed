#include "text_utils.h"

#include <QFile>
#include <algorithm>
#include <sys/stat.h>

namespace zolt {

bool FileExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    struct stat st {};
    const QByteArray native = QFile::encodeName(path);
    if (::stat(native.constData(), &st) != 0)
        return false;
    return S_ISREG(st.st_mode) && st.st_size > 0;
}

FileAttributeFlags GetFileAttributeFlags(const QString &path)
{
    FileAttributeFlags flags;
    if (!FileExists(path))
        return flags;
    struct stat st {};
    const QByteArray native = QFile::encodeName(path);
    if (::stat(native.constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return flags;
    flags.attributeValue = (st.st_mode & S_IWUSR) ? 32 : 33;
    switch (flags.attributeValue) {
    case 0: flags.recognised = true; break;
    case 1: flags.recognised = flags.readOnly = true; break;
    case 32: flags.recognised = flags.archive = true; break;
    case 33: flags.recognised = flags.readOnly = flags.archive = true; break;
    case 2048: flags.recognised = flags.compressed = true; break;
    case 2049: flags.recognised = flags.readOnly = flags.compressed = true; break;
    case 2080: flags.recognised = flags.archive = flags.compressed = true; break;
    case 2081: flags.recognised = flags.readOnly = flags.archive = flags.compressed = true; break;
    default: break;
    }
    return flags;
}

QString TrimBlanks(const QString &text)
{
    const QStringView trimmed = BlankTrimmed(text);
    return trimmed.size() == text.size() ? text : trimmed.toString();
}

QStringView BlankTrimmed(QStringView text)
{
    while (!text.isEmpty() && text.front() == u' ')
        text = text.sliced(1);
    while (!text.isEmpty() && text.back() == u' ')
        text.chop(1);
    return text;
}

QString RepeatText(const QString &text, qint64 count)
{
    return count > 0 ? text.repeated(count) : QString();
}

QString StripQuotes(const QString &text)
{
    QString s = TrimBlanks(text);
    s.remove(u'"');
    s.remove(u'\'');
    return s;
}

QString CollapseBlanks(QString &text)
{
    text = TrimBlanks(text);
    if (!text.contains(QLatin1String("  ")))
        return text;
    QString out(text.size(), Qt::Uninitialized);
    QChar *to = out.data();
    bool lastBlank = false;
    for (QChar c : std::as_const(text)) {
        if (c == u' ' && lastBlank)
            continue;
        lastBlank = (c == u' ');
        *to++ = c;
    }
    out.truncate(to - out.constData());
    return out;
}

namespace {

// The control characters of ASCII. (The C1 controls stand for the bytes
// Windows-1252 leaves undefined and go back to them unchanged.)
bool isControl(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7F;
}

bool breaksLine(QChar c)
{
    return c == u'\r' || c == u'\n' || c == u'\0';
}

// Each character of the kind, a CR LF counting as one, as a blank.
QString blanked(QStringView text, bool (*kind)(QChar))
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        out.append(kind(text[i]) ? QChar(u' ') : text[i]);
    }
    return out;
}

}  // namespace

bool BreaksLine(QStringView text)
{
    return std::any_of(text.begin(), text.end(), breaksLine);
}

QString OneLineText(QStringView text)
{
    return blanked(text, breaksLine);
}

bool HasControlCharacters(QStringView text)
{
    return std::any_of(text.begin(), text.end(), isControl);
}

QString BlankControlCharacters(QStringView text)
{
    return blanked(text, isControl);
}

QString PadCut(const QString &text, int n)
{
    QString out;
    AppendPadCut(text, n, out);
    return out;
}

void AppendPadCut(QStringView text, int n, QString &out, LetterCase letters)
{
    const bool upper = letters == LetterCase::Upper;
    const qsizetype kept = std::clamp<qsizetype>(n, 0, text.size());
    const qsizetype start = out.size();
    out.resize(start + std::max(n, 0));
    QChar *to = out.data() + start;
    bool ascii = true;
    for (qsizetype i = 0; i < kept; ++i) {
        const char16_t c = text[i].unicode();
        ascii = ascii && c < 0x80;
        to[i] = QChar(upper && c >= u'a' && c <= u'z' ? char16_t(c - (u'a' - u'A')) : c);
    }
    std::fill(to + kept, out.data() + out.size(), QChar(u' '));
    if (upper && !ascii) {
        const QString upperCase = QStringView(out).sliced(start).toString().toUpper();
        out.truncate(start);
        out.append(upperCase);
    }
}

QString EscapeCriteria(const QString &text)
{
    QString s = text;
    s.replace(u'\'', QStringLiteral("''"));
    return s;
}

QString LikeLiteral(const QString &text)
{
    QString s;
    s.reserve(text.size());
    for (QChar c : text) {
        if (c == u'%' || c == u'*' || c == u'[' || c == u'?' || c == u'_' || c == u'#')
            s.append(u'[').append(c).append(u']');
        else
            s.append(c);
    }
    return EscapeCriteria(s);
}

QString QuoteCriteria(const QString &text)
{
    return u'\'' + EscapeCriteria(text) + u'\'';
}

QByteArrayView BlankTrimmed(QByteArrayView text)
{
    while (!text.isEmpty() && text.front() == ' ')
        text = text.sliced(1);
    while (!text.isEmpty() && text.back() == ' ')
        text.chop(1);
    return text;
}

bool IsAscii(QByteArrayView text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace zolt
