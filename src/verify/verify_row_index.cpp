#include "verify_row_index.h"

namespace zolt::verify {
namespace {

constexpr quint64 FnvOffset = 14695981039346656037ull;
constexpr quint64 FnvPrime = 1099511628211ull;

quint64 mix(quint64 h, char32_t value)
{
    for (int shift = 0; shift < 32; shift += 8) {
        h ^= (value >> shift) & 0xff;
        h *= FnvPrime;
    }
    return h;
}

}  // namespace

quint64 RowKeyIndex::Hash(std::initializer_list<QStringView> parts)
{
    quint64 h = FnvOffset;
    for (QStringView part : parts) {
        // Whole characters, folded as a case-insensitive comparison folds them.
        for (qsizetype i = 0; i < part.size(); ++i) {
            char32_t c = part[i].unicode();
            if (QChar::isHighSurrogate(c) && i + 1 < part.size() && part[i + 1].isLowSurrogate())
                c = QChar::surrogateToUcs4(part[i], part[i + 1]), ++i;
            h = mix(h, QChar::toCaseFolded(c));
        }
        h = mix(h, 0x1f);  // parts "AB"+"C" and "A"+"BC" differ
    }
    return h;
}

void RowKeyIndex::reserve(qsizetype rows)
{
    m_first.reserve(rows);
    m_entries.reserve(size_t(rows));
}

void RowKeyIndex::insert(quint64 hash, int row)
{
    const int entry = int(m_entries.size());
    const auto found = m_first.find(hash);
    const bool known = found != m_first.end();
    m_entries.push_back({row, known ? *found : -1});
    if (known)
        *found = entry;
    else
        m_first.insert(hash, entry);
}

}  // namespace zolt::verify
