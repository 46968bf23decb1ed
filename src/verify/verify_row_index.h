#pragma once

#include <QHash>
#include <QString>
#include <QStringView>
#include <initializer_list>
#include <vector>

namespace zolt::verify {

// The rows stored under a duplicate key, found by the hash of the key's
// texts. The hash ignores letter case as the filters do (blanks count).
// Only row numbers are kept: the caller confirms a candidate row from its
// own texts, so keys that merely share a hash are never taken for equal.
class RowKeyIndex {
public:
    static quint64 Hash(std::initializer_list<QStringView> parts);

    void reserve(qsizetype rows);
    void insert(quint64 hash, int row);

    // True when matches(row) holds for a row stored under the hash.
    template <typename Match>
    bool contains(quint64 hash, Match matches) const
    {
        for (int e = m_first.value(hash, -1); e >= 0; e = m_entries[size_t(e)].next) {
            if (matches(m_entries[size_t(e)].row))
                return true;
        }
        return false;
    }

private:
    struct Entry {
        int row;
        int next;  // the entry stored before under the same hash, -1 for none
    };
    QHash<quint64, int> m_first;  // hash to its latest entry
    std::vector<Entry> m_entries;
};

// The duplicate-key fields of the rows stored so far (company, jurisdiction,
// folio, PID, as stored), by the order they were stored in, packed into one
// text: what the duplicate look-ups confirm their candidates against.
class StoredKeys {
public:
    enum Field { Company, Jurisdiction, Folio, Pid, FieldCount };

    int count() const { return int(m_ends.size() / FieldCount); }
    QStringView field(int row, Field field) const;
    void add(QStringView company, QStringView jurisdiction, QStringView folio, QStringView pid);
    void reserve(qsizetype rows);

private:
    QString m_text;
    std::vector<qsizetype> m_ends;  // where each field ends in m_text
};

}  // namespace zolt::verify
