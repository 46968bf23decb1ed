#include "verify_row_index.h"

namespace zolt::verify {
namespace {

constexpr quint64 FnvOffset = 14695981039346656037ull;
constexpr quint64 FnvPrime = 1099511628211ull;

quint64 mix(quint64 h, char32_t value)
{
    return (h ^ value) * FnvPrime;
}

}  // namespace

quint64 RowKeyIndex::Hash(std::initializer_list<QStringView> parts)
{
    quint64 h = FnvOffset;
    for (QStringView part : parts) {
        // Whole characters, folded as a case-insensitive comparison folds them.
        for (qsizetype i = 0; i < part.size(); ++i) {
            char32_t c = part[i].unicode();
            if (c < 0x80) {
                if (c >= 'A' && c <= 'Z')
                    c += 'a' - 'A';
                h = mix(h, c);
                continue;
            }
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

QStringView StoredKeys::field(int row, Field field) const
{
    const size_t i = size_t(row) * FieldCount + size_t(field);
    const qsizetype start = i == 0 ? 0 : m_ends[i - 1];
    return QStringView(m_text).sliced(start, m_ends[i] - start);
}

void StoredKeys::add(QStringView company, QStringView jurisdiction, QStringView folio, QStringView pid)
{
    for (QStringView value : {company, jurisdiction, folio, pid}) {
        m_text.append(value);
        m_ends.push_back(m_text.size());
    }
}

void StoredKeys::reserve(qsizetype rows)
{
    m_ends.reserve(size_t(rows) * FieldCount);
    m_text.reserve(rows * 24);
}

}  // namespace zolt::verify
