#include "verify_csv_folio_index.h"

#include "verify_folios.h"

#include "common/text_utils.h"
#include "store/table_rows.h"

#include <QHash>
#include <array>

namespace zolt::verify {

// The table is read in its own order, which is quick; only the folios that
// share a key are put in the list's order, to find the first.
FolioIndex::FolioIndex(Database &db, const QString &listSource, const std::function<void()> &meanwhile)
{
    ReadRows(
        db, QStringLiteral("VERIFY"),
        {QStringLiteral("JUR"), QStringLiteral("FOLIO"), QStringLiteral("PID"), QStringLiteral("NUMBER")},
        [this](qint64 rowid, const QStringList &v) { addStored(rowid, v[0], v[1], v[2], v[3]); }, meanwhile);
    if (!m_folioRivals.empty() || !m_pidRivals.empty())
        settleRivals(db, listSource);
}

void FolioIndex::reserve(qsizetype folios)
{
    const size_t more = size_t(folios);
    m_rows.reserve(m_rows.size() + more);
    m_numbers.reserve(m_numbers.size() + more * 12);
    m_folioRows.reserve(m_folioRows.size() + more);
    m_pidRows.reserve(m_pidRows.size() + more);
    m_folios.reserve(m_folios.size() + folios);
    m_pids.reserve(m_pids.size() + folios);
}

void FolioIndex::add(qint64 rowid, const CheckedVerifyLine &line)
{
    add(rowid, line.values[Number], line.folioKey, line.pidKey);
}

std::optional<StoredFolio> FolioIndex::match(const CheckedVerifyLine &line) const
{
    const bool byPid = !line.folioKey;
    const int key = byPid ? m_pids.indexOf(*line.pidKey) : m_folios.indexOf(*line.folioKey);
    if (key < 0)
        return std::nullopt;
    const Row &row = m_rows[size_t((byPid ? m_pidRows : m_folioRows)[size_t(key)])];
    return StoredFolio{row.rowid, QStringView(m_numbers).mid(row.numberStart, row.numberSize)};
}

void FolioIndex::addStored(qint64 rowid, const QString &jur, const QString &folio, const QString &pid,
                           const QString &number)
{
    // A folio stored as the workbook gave it ("12345678") is found by its 18
    // digits, as the lines give it.
    const QString digits = folio.isEmpty() ? folio : NormalisedFolio(folio);
    const Key folioKey = digits.isEmpty() || IsNoFolio(digits) ? Key() : FoldedKeySet::fold({jur, digits});
    const Key pidKey = pid.isEmpty() ? Key() : FoldedKeySet::fold({jur, pid});
    const int row = int(m_rows.size());
    const Taken taken = add(rowid, TrimBlanks(number), folioKey, pidKey);
    if (folioKey && !taken.folio)
        m_folioRivals.push_back({m_folios.indexOf(*folioKey), row});
    if (pidKey && !taken.pid)
        m_pidRivals.push_back({m_pids.indexOf(*pidKey), row});
}

FolioIndex::Taken FolioIndex::add(qint64 rowid, QStringView number, const Key &folioKey, const Key &pidKey)
{
    const int row = int(m_rows.size());
    m_rows.push_back({rowid, quint32(m_numbers.size()), quint32(number.size())});
    m_numbers.append(reinterpret_cast<const char16_t *>(number.utf16()), size_t(number.size()));
    Taken taken;
    if (folioKey && (taken.folio = m_folios.insert(*folioKey)))
        m_folioRows.push_back(row);
    if (pidKey && (taken.pid = m_pids.insert(*pidKey)))
        m_pidRows.push_back(row);
    return taken;
}

// Gives each shared key to the first of its folios in the list's order.
void FolioIndex::settleRivals(Database &db, const QString &listSource)
{
    const std::array<std::pair<std::vector<Rival> *, std::vector<int> *>, 2> kinds = {
        std::pair{&m_folioRivals, &m_folioRows}, std::pair{&m_pidRivals, &m_pidRows}};
    auto rowidOf = [this](int row) { return m_rows[size_t(row)].rowid; };
    std::vector<qint64> rowids;
    for (const auto &[rivals, holders] : kinds)
        for (const Rival &rival : *rivals)
            rowids.insert(rowids.end(), {rowidOf(rival.row), rowidOf((*holders)[size_t(rival.key)])});
    QHash<qint64, qsizetype> place;
    const std::vector<qint64> ordered = RowsInSourceOrder(db, QStringLiteral("VERIFY"), listSource, rowids);
    for (size_t i = 0; i < ordered.size(); ++i)
        place.insert(ordered[i], qsizetype(i));
    for (const auto &[rivals, holders] : kinds) {
        for (const Rival &rival : *rivals) {
            int &holder = (*holders)[size_t(rival.key)];
            if (place.value(rowidOf(rival.row)) < place.value(rowidOf(holder)))
                holder = rival.row;
        }
    }
    m_folioRivals.clear();
    m_pidRivals.clear();
}

}  // namespace zolt::verify
