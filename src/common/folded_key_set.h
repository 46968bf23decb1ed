#pragma once

#include <QHash>
#include <QStringView>
#include <initializer_list>
#include <string>
#include <vector>

namespace zolt {

// A set of keys, each made of a few texts, that compares keys without regard
// to letter case as the program's filters compare text (each character case
// folded; blanks count). The keys are held folded in one block of text with
// an index of their hashes, so that a set of a hundred thousand keys makes
// no allocation per key.
class FoldedKeySet {
public:
    using Key = std::initializer_list<QStringView>;
    // A key folded and hashed, ready to be looked up. Folding takes most of
    // the work, and it may be done on any thread.
    struct Folded {
        std::u16string text;  // the texts folded, each ended by U+001F
        quint64 hash = 0;
    };
    static Folded fold(Key key);
    // The same into `out`, reusing its room.
    static void fold(Key key, Folded &out);

    void reserve(qsizetype keys);
    qsizetype size() const { return qsizetype(m_ends.size()); }
    bool contains(const Folded &key) const { return find(key) >= 0; }
    bool contains(Key key) const;
    // The key's place in the order the keys were added, from 0; -1 when
    // the set does not hold it.
    int indexOf(Key key) const;
    int indexOf(const Folded &key) const { return find(key); }
    // Adds the key unless the set holds it; answers whether it was added.
    bool insert(const Folded &key);
    bool insert(Key key);

private:
    // The key's index in the set, -1 when it is missing.
    int find(const Folded &key) const;
    std::u16string_view keyAt(int index) const;

    mutable Folded m_scratch;       // the key looked up last
    std::u16string m_text;          // the keys, folded, one after another
    std::vector<size_t> m_ends;     // where each key ends in m_text
    std::vector<int> m_earlier;     // the key added before under the same hash, -1 for none
    QHash<quint64, int> m_latest;   // hash to the latest key added under it
};

}  // namespace zolt
