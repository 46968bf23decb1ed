#include "folded_key_set.h"

#include <QChar>

namespace zolt {

namespace {

constexpr quint64 FnvOffset = 14695981039346656037ull;
constexpr quint64 FnvPrime = 1099511628211ull;
constexpr char16_t Separator = 0x1F;

// Writes the text folded from out on, answering where it ends.
char16_t *appendFolded(QStringView text, char16_t *out)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit < 0x80) {
            *out++ = unit >= u'A' && unit <= u'Z' ? char16_t(unit + (u'a' - u'A')) : unit;
            continue;
        }
        char32_t code = unit;
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            code = QChar::surrogateToUcs4(unit, text[++i].unicode());
        code = QChar::toCaseFolded(code);
        if (QChar::requiresSurrogates(code)) {
            *out++ = QChar::highSurrogate(code);
            *out++ = QChar::lowSurrogate(code);
        } else {
            *out++ = char16_t(code);
        }
    }
    return out;
}

}  // namespace

void FoldedKeySet::reserve(qsizetype keys)
{
    m_ends.reserve(size_t(keys));
    m_earlier.reserve(size_t(keys));
    m_latest.reserve(keys);
    m_text.reserve(size_t(keys) * 32);
}

FoldedKeySet::Folded FoldedKeySet::fold(Key key)
{
    Folded folded;
    fold(key, folded);
    return folded;
}

void FoldedKeySet::fold(Key key, Folded &folded)
{
    size_t size = 0;
    for (QStringView part : key)
        size += 2 * size_t(part.size()) + 1;  // a folded character takes at most two units
    folded.text.resize(size);
    char16_t *out = folded.text.data();
    for (QStringView part : key) {
        out = appendFolded(part, out);
        *out++ = Separator;
    }
    folded.text.resize(size_t(out - folded.text.data()));
    quint64 h = FnvOffset;
    for (const char16_t unit : folded.text)
        h = (h ^ unit) * FnvPrime;
    folded.hash = h;
}

bool FoldedKeySet::contains(Key key) const
{
    fold(key, m_scratch);
    return contains(m_scratch);
}

int FoldedKeySet::indexOf(Key key) const
{
    fold(key, m_scratch);
    return find(m_scratch);
}

bool FoldedKeySet::insert(Key key)
{
    fold(key, m_scratch);
    return insert(m_scratch);
}

std::u16string_view FoldedKeySet::keyAt(int index) const
{
    const size_t start = index == 0 ? 0 : m_ends[size_t(index - 1)];
    return std::u16string_view(m_text).substr(start, m_ends[size_t(index)] - start);
}

int FoldedKeySet::find(const Folded &key) const
{
    for (int k = m_latest.value(key.hash, -1); k >= 0; k = m_earlier[size_t(k)]) {
        if (keyAt(k) == key.text)
            return k;
    }
    return -1;
}

bool FoldedKeySet::insert(const Folded &key)
{
    if (find(key) >= 0)
        return false;
    const int index = int(m_ends.size());
    m_text += key.text;
    m_ends.push_back(m_text.size());
    const auto latest = m_latest.find(key.hash);
    if (latest != m_latest.end()) {
        m_earlier.push_back(*latest);
        *latest = index;
    } else {
        m_earlier.push_back(-1);
        m_latest.insert(key.hash, index);
    }
    return true;
}

}  // namespace zolt
