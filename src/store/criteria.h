#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <vector>

namespace zolt {

// A filter or find criteria text, parsed: comparisons joined by AND, such as
// MORTCO = '0012' AND NAME LIKE '%O''NEIL%'. Literals are quoted with
// apostrophes (doubled inside) or are plain numbers; LIKE takes % or * as
// "any run of characters". Text compares without regard to letter case.
// The text is never handed to the database.
class Criteria {
public:
    enum class Op { Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual, Like, IsNull, IsNotNull };

    struct Term {
        QString field;
        int column = -1;     // resolved by bind()
        Op op = Op::Equal;
        QVariant literal;    // QString, double, or null for NULL
    };

    // Throws ZoltError(BadCriteria) when the text cannot be parsed.
    static Criteria parse(const QString &text);

    // Resolves field names against the columns (upper-case names); throws
    // ZoltError(BadCriteria) for a field the row does not have.
    void bind(const std::function<int(const QString &)> &columnOf);

    // Whether a row passes; valueAt(column) gives its value of a bound column.
    template <typename ValueAt>
    bool matches(const ValueAt &valueAt) const
    {
        for (const Term &t : m_terms) {
            if (!termMatches(t, valueAt(t.column)))
                return false;
        }
        return true;
    }
    bool matches(const std::vector<QVariant> &row) const
    {
        return matches([&row](int column) -> const QVariant & { return row[size_t(column)]; });
    }
    bool isEmpty() const { return m_terms.empty(); }
    const std::vector<Term> &terms() const { return m_terms; }

private:
    static bool termMatches(const Term &t, const QVariant &value);

    std::vector<Term> m_terms;
};

// Case-insensitive LIKE: % and * for any run of characters, a set in
// brackets for one character of the set ("[abc]", "[a-z]", "[!0-9]"), so
// that "[%]" is a percent sign itself (LikeLiteral).
bool LikeMatch(const QString &value, const QString &pattern);

}  // namespace zolt
