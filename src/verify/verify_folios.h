#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

namespace zolt {
class Recordset;
struct Session;
}

namespace zolt::verify {

// The marks a folio carries in VERIFY's ACD field.
namespace Mark {
inline const QString Added = QStringLiteral("A");
inline const QString Changed = QStringLiteral("C");
inline const QString Deleted = QStringLiteral("D");
inline const QString None = QStringLiteral(" ");
}  // namespace Mark

// How the lists show a mark: "Add", "Change", "Delete", a blank.
const QHash<QString, QString> &MarkWords();

// How many folios carry each mark; a mark other than the four counts as
// unchanged.
struct MarkCounts {
    qint64 added = 0, changed = 0, deleted = 0, unchanged = 0;
    qint64 total() const { return added + changed + deleted + unchanged; }
};
MarkCounts CountMarks(const Recordset &folios);
// "1,234 folios loaded: 10 added, 5 changed, 3 marked for deletion, 1,216
// without a mark".
QString LoadedFoliosLine(const MarkCounts &counts);

// A typed folio as VERIFY holds it: its digits in order after eighteen
// zeros, the rightmost eighteen kept. Eighteen zeros mean no folio.
QString NormalisedFolio(QStringView typed);
bool IsNoFolio(const QString &folio);

// A folio shown where no jurisdiction's mask applies: its 18 digits laid
// into "###############.###", the leading zeros dropped ("12345.678").
QString FixedFolioDisplay(const QString &folio);

// How the lists show a folio value of a row of a recordset over VERIFY: in
// its jurisdiction's mask (FormatFolio) when the row holds that folio,
// else (the row gone, or changed since) in the fixed display.
QString ListedFolio(Session &session, const Recordset &folios, qint64 row, const QString &folio);

// The code part of a district or jurisdiction combo's text: the first
// `length` characters of the trimmed text, padded with blanks.
QString CodeOf(const QString &comboText, int length);

// A district code is a number from 1 to 99, a jurisdiction code one from
// 701 to 799. A blank code passes (the screens accept a folio without one).
bool IsValidDistrict(const QString &code);
bool IsValidJurisdiction(const QString &code);
inline const QString DistrictMessage = QStringLiteral("You must enter a valid Collection District (01-99)");
inline const QString JurisdictionMessage = QStringLiteral("You must enter a valid Jurisdiction Code (701-799)");

// The criteria that find the folios holding a value, among those marked
// for deletion or the others: "JUR = '701' AND FOLIO = '...' AND ACD <> 'D' ".
// Typed text is quoted.
QString FolioCriteria(const QString &jur, const QString &folio, bool deleted);
QString PidCriteria(const QString &pid, bool deleted);
QString ActiveNumberCriteria(const QString &number);

// "NOTE - ... see folio 05 701 12345.678 SMITH JOHN": the lead text and the
// current row's CD, JUR, fixed folio display (with its PID when withPid)
// and name.
QString SeeFolioNote(const QString &lead, const Recordset &folios, bool withPid);

// The first folio of a private cursor over VERIFY that the criteria find,
// as a see-folio note with the lead text; none when no folio matches. The
// criteria are left in gFilter, the cursor's filter cleared again.
std::optional<QString> FindFolio(Session &session, Recordset &clone, const QString &criteria, const QString &lead,
                                 bool withPid = false);

// The fields that tell a folio again after the list is sorted anew: all
// but PID, as text.
class RememberedFolio {
public:
    // The current row of the list; nothing when it has none.
    static std::optional<RememberedFolio> of(const Recordset &folios);
    // The first row of the list holding the same fields, -1 for none.
    qint64 rowIn(const Recordset &folios) const;

private:
    QStringList m_values;
};

}  // namespace zolt::verify
