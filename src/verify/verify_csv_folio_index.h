#pragma once

#include "verify_csv_line.h"

#include "common/folded_key_set.h"

#include <QString>
#include <QStringView>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zolt {
class Database;
}

namespace zolt::verify {

// A folio of VERIFY a line matches: its row and its mortgage number, blanks
// trimmed.
struct StoredFolio {
    qint64 rowid = 0;
    QStringView number;
};

// The folios of VERIFY by jurisdiction and folio (its 18 digits), and by
// jurisdiction and PID: for each key the first folio in the list's order.
// A hundred thousand folios take a few megabytes: the numbers are held in
// one block of text.
class FolioIndex {
public:
    // No folios.
    FolioIndex() = default;
    // The folios of VERIFY; `listSource` gives the list's order.
    // `meanwhile` (letting the window paint) runs now and then.
    FolioIndex(Database &db, const QString &listSource, const std::function<void()> &meanwhile);

    // Room for this many folios more, added without growing on the way.
    void reserve(qsizetype folios);
    // A folio the import stored: it takes no key another folio holds.
    void add(qint64 rowid, const CheckedVerifyLine &line);
    // The folio a line matches, by folio when it has one, else by PID; valid
    // until the next add().
    std::optional<StoredFolio> match(const CheckedVerifyLine &line) const;

private:
    using Key = std::optional<FoldedKeySet::Folded>;
    struct Row {
        qint64 rowid;
        quint32 numberStart;  // in m_numbers
        quint32 numberSize;
    };
    // A folio that has a key another holds: the key's index, the folio's row.
    struct Rival {
        int key;
        int row;
    };
    // Which of its keys a folio took: the ones no folio held.
    struct Taken {
        bool folio = false;
        bool pid = false;
    };

    void addStored(qint64 rowid, const QString &jur, const QString &folio, const QString &pid, const QString &number);
    Taken add(qint64 rowid, QStringView number, const Key &folioKey, const Key &pidKey);
    void settleRivals(Database &db, const QString &listSource);

    std::vector<Row> m_rows;
    std::u16string m_numbers;
    FoldedKeySet m_folios, m_pids;            // the keys, each once
    std::vector<int> m_folioRows, m_pidRows;  // the row of each key, in m_rows
    std::vector<Rival> m_folioRivals, m_pidRivals;
};

}  // namespace zolt::verify
