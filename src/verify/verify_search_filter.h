#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace zolt::verify {

// The folios a search of the verification list looks at, by their mark.
enum class SearchMarks { All, Added, Changed, NotChanged, Deleted };

// What the search was asked: the marks, and the field text of each ticked
// criterion by the VERIFY column it searches.
struct FolioSearch {
    SearchMarks marks = SearchMarks::All;
    bool includeDeleted = false;  // with All: the folios marked for deletion too
    QHash<QString, QString> ticked;
};

// The columns a search looks in, in the order its filter takes them.
const QStringList &SearchColumns();

// The filter of a search: the marks ("ACD <> 'D' "), then a clause for each
// ticked criterion in the columns' order ("AND NAME LIKE '%SMITH%' "). A text
// criterion left empty adds nothing; the district and the jurisdiction add
// their code part (CodeOf) whenever they are ticked. Every typed character
// matches itself, apostrophes and wildcards included.
QString SearchFilter(const FolioSearch &search);

// A typed folio as the search looks for it: its digits, leading zeros
// dropped ("0012-345" is "12345").
QString SearchedFolio(QStringView typed);
// A typed PID as the search looks for it: its digits.
QString SearchedPid(QStringView typed);

// The code typed into or chosen in a district or jurisdiction box: its
// trimmed text up to the first blank ("05" of "05 NORTH END"). A typed code
// longer than a code ("100" for a district) is kept whole, so that the
// district and jurisdiction checks refuse it.
QString TypedCode(const QString &comboText);

}  // namespace zolt::verify
