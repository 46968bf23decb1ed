#include "criteria.h"

#include "common/errors.h"
#include "common/number_format.h"

namespace zolt {
namespace {

[[noreturn]] void bad(const QString &text, const QString &why)
{
    throw ZoltError(ErrorNumber::BadCriteria,
                    QStringLiteral("The criteria \"%1\" cannot be used: %2").arg(text, why));
}

class Parser {
public:
    explicit Parser(const QString &text) : m_text(text) {}

    std::vector<Criteria::Term> terms()
    {
        std::vector<Criteria::Term> out;
        skipBlanks();
        if (atEnd())
            return out;
        for (;;) {
            out.push_back(term());
            skipBlanks();
            if (atEnd())
                return out;
            if (!takeWord(QStringLiteral("AND")))
                bad(m_text, QStringLiteral("expected AND at position %1").arg(m_pos + 1));
        }
    }

private:
    Criteria::Term term()
    {
        Criteria::Term t;
        t.field = fieldName();
        skipBlanks();
        if (takeWord(QStringLiteral("LIKE"))) {
            t.op = Criteria::Op::Like;
        } else if (takeWord(QStringLiteral("IS"))) {
            const bool negated = takeWord(QStringLiteral("NOT"));
            if (!takeWord(QStringLiteral("NULL")))
                bad(m_text, QStringLiteral("expected NULL after IS"));
            t.op = negated ? Criteria::Op::IsNotNull : Criteria::Op::IsNull;
            return t;
        } else {
            t.op = comparison();
        }
        skipBlanks();
        t.literal = literal();
        if (t.literal.isNull()) {
            if (t.op == Criteria::Op::Equal)
                t.op = Criteria::Op::IsNull;
            else if (t.op == Criteria::Op::NotEqual)
                t.op = Criteria::Op::IsNotNull;
            else
                bad(m_text, QStringLiteral("NULL can only be compared with = or <>"));
        } else if (t.op == Criteria::Op::Like && t.literal.typeId() != QMetaType::QString) {
            t.literal = t.literal.toString();
        }
        return t;
    }

    QString fieldName()
    {
        if (peek() == u'[') {
            const qsizetype end = m_text.indexOf(u']', m_pos);
            if (end < 0)
                bad(m_text, QStringLiteral("unclosed ["));
            const QString name = m_text.mid(m_pos + 1, end - m_pos - 1).trimmed();
            m_pos = end + 1;
            if (name.isEmpty())
                bad(m_text, QStringLiteral("empty field name"));
            return name;
        }
        const qsizetype start = m_pos;
        while (!atEnd() && (m_text[m_pos].isLetterOrNumber() || m_text[m_pos] == u'_'))
            ++m_pos;
        if (m_pos == start)
            bad(m_text, QStringLiteral("expected a field name at position %1").arg(start + 1));
        return m_text.mid(start, m_pos - start);
    }

    Criteria::Op comparison()
    {
        static const std::pair<const char16_t *, Criteria::Op> ops[] = {
            {u"<=", Criteria::Op::LessEqual}, {u">=", Criteria::Op::GreaterEqual},
            {u"<>", Criteria::Op::NotEqual},  {u"=", Criteria::Op::Equal},
            {u"<", Criteria::Op::Less},       {u">", Criteria::Op::Greater},
        };
        for (const auto &[symbol, op] : ops) {
            const QString s = QString::fromUtf16(symbol);
            if (m_text.mid(m_pos, s.size()) == s) {
                m_pos += s.size();
                return op;
            }
        }
        bad(m_text, QStringLiteral("expected a comparison at position %1").arg(m_pos + 1));
    }

    QVariant literal()
    {
        if (peek() == u'\'')
            return quoted();
        if (takeWord(QStringLiteral("NULL")))
            return QVariant();
        const qsizetype start = m_pos;
        while (!atEnd() && !m_text[m_pos].isSpace())
            ++m_pos;
        const QString number = m_text.mid(start, m_pos - start);
        bool ok = false;
        const double v = number.toDouble(&ok);
        if (!ok)
            bad(m_text, QStringLiteral("expected a quoted text or a number at position %1").arg(start + 1));
        return v;
    }

    QString quoted()
    {
        QString out;
        ++m_pos;  // opening apostrophe
        for (;;) {
            if (atEnd())
                bad(m_text, QStringLiteral("a quoted text is not closed"));
            const QChar c = m_text[m_pos++];
            if (c != u'\'') {
                out.append(c);
            } else if (peek() == u'\'') {
                out.append(u'\'');
                ++m_pos;
            } else {
                return out;
            }
        }
    }

    bool takeWord(const QString &word)
    {
        skipBlanks();
        if (m_text.mid(m_pos, word.size()).compare(word, Qt::CaseInsensitive) != 0)
            return false;
        const qsizetype after = m_pos + word.size();
        if (after < m_text.size() && (m_text[after].isLetterOrNumber() || m_text[after] == u'_'))
            return false;
        m_pos = after;
        skipBlanks();
        return true;
    }

    void skipBlanks()
    {
        while (!atEnd() && m_text[m_pos].isSpace())
            ++m_pos;
    }
    bool atEnd() const { return m_pos >= m_text.size(); }
    QChar peek() const { return atEnd() ? QChar() : m_text[m_pos]; }

    const QString &m_text;
    qsizetype m_pos = 0;
};

bool isNumber(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

// Three-way comparison of a field value with a literal: numbers as numbers
// when both sides can be, otherwise text without regard to case.
int compareValues(const QVariant &value, const QVariant &literal)
{
    const bool valueNumber = isNumber(value);
    const bool literalNumber = isNumber(literal);
    if (valueNumber || literalNumber) {
        const QString otherText = valueNumber ? literal.toString() : value.toString();
        if ((valueNumber && literalNumber) || IsNumeric(otherText)) {
            const double a = valueNumber ? value.toDouble() : NumericTextValue(value.toString());
            const double b = literalNumber ? literal.toDouble() : NumericTextValue(literal.toString());
            return a < b ? -1 : (a > b ? 1 : 0);
        }
    }
    return QString::compare(value.toString(), literal.toString(), Qt::CaseInsensitive);
}

}  // namespace

Criteria Criteria::parse(const QString &text)
{
    Criteria c;
    c.m_terms = Parser(text).terms();
    return c;
}

void Criteria::bind(const std::function<int(const QString &)> &columnOf)
{
    for (Term &t : m_terms) {
        t.column = columnOf(t.field);
        if (t.column < 0)
            throw ZoltError(ErrorNumber::BadCriteria,
                            QStringLiteral("The criteria name a field that does not exist: %1").arg(t.field));
    }
}

bool Criteria::termMatches(const Term &t, const QVariant &value)
{
    switch (t.op) {
    case Op::IsNull:
        return value.isNull();
    case Op::IsNotNull:
        return !value.isNull();
    default:
        break;
    }
    if (value.isNull())
        return false;
    if (t.op == Op::Like)
        return LikeMatch(value.toString(), t.literal.toString());
    const int c = compareValues(value, t.literal);
    switch (t.op) {
    case Op::Equal: return c == 0;
    case Op::NotEqual: return c != 0;
    case Op::Less: return c < 0;
    case Op::Greater: return c > 0;
    case Op::LessEqual: return c <= 0;
    case Op::GreaterEqual: return c >= 0;
    default: return false;
    }
}

namespace {

// Where the pattern element at pi ends when it matches c, or -1 when it does
// not: a character, or a set in brackets ("[%]" is a percent sign, "[!0-9]"
// any character but a digit). A "[" without its "]" is the character itself.
qsizetype matchOne(const QString &p, qsizetype pi, QChar c)
{
    if (p[pi] != u'[')
        return p[pi] == c ? pi + 1 : -1;
    const qsizetype close = p.indexOf(u']', pi + 2);
    if (close < 0)
        return c == u'[' ? pi + 1 : -1;
    qsizetype i = pi + 1;
    const bool negated = p[i] == u'!' && i + 1 < close;
    if (negated)
        ++i;
    bool inSet = false;
    for (; i < close; ++i) {
        if (i + 2 < close && p[i + 1] == u'-') {
            inSet = inSet || (c >= p[i] && c <= p[i + 2]);
            i += 2;
        } else {
            inSet = inSet || c == p[i];
        }
    }
    return inSet != negated ? close + 1 : -1;
}

bool isAnyRun(QChar c)
{
    return c == u'%' || c == u'*';
}

}  // namespace

bool LikeMatch(const QString &value, const QString &pattern)
{
    const QString v = value.toCaseFolded();
    const QString p = pattern.toCaseFolded();
    qsizetype vi = 0, pi = 0, starP = -1, starV = 0;
    while (vi < v.size()) {
        if (pi < p.size() && isAnyRun(p[pi])) {
            starP = pi++;
            starV = vi;
        } else if (const qsizetype next = pi < p.size() ? matchOne(p, pi, v[vi]) : -1; next >= 0) {
            pi = next;
            ++vi;
        } else if (starP >= 0) {
            pi = starP + 1;
            vi = ++starV;
        } else {
            return false;
        }
    }
    while (pi < p.size() && isAnyRun(p[pi]))
        ++pi;
    return pi == p.size();
}

}  // namespace zolt
