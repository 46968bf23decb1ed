#include "verify_csv_line.h"

#include "verify_csv.h"
#include "verify_folios.h"

#include "common/csv_line.h"
#include "common/number_format.h"
#include "common/text_utils.h"
#include "store/data_environment.h"

namespace zolt::verify {
namespace {

QString folded(const QString &a, const QString &b)
{
    return (a + QChar(0x1F) + b).toCaseFolded();
}

// Read through a cursor of its own, unfiltered, whatever a screen left on
// the recordset.
void fill(Recordset &source, const QStringList &fields, QSet<QString> &into)
{
    source.ensureOpen();
    const std::unique_ptr<Recordset> cursor = source.clone();
    const Recordset &rs = *cursor;
    const int a = rs.columnIndex(fields.first());
    const int b = fields.size() > 1 ? rs.columnIndex(fields.last()) : -1;
    for (qint64 r = 0; r < rs.recordCount(); ++r) {
        const QString first = rs.value(r, a).toString();
        into.insert(b < 0 ? first.toCaseFolded() : folded(first, rs.value(r, b).toString()));
    }
}

// The values of a line, quotes removed: the status upper-cased (any other
// than A, C and D a blank), the codes trimmed and upper-cased, the texts
// upper-cased.
VerifyCsvValues parse(const QString &line, bool withStatus)
{
    QString clean = line;
    clean.remove(u'"').remove(u'\'');
    const int first = withStatus ? Acd : Mortco;
    const std::vector<QStringView> fields = SplitCsvLine(clean, VerifyCsvFieldCount - first);
    VerifyCsvValues v;
    for (int f = first; f < VerifyCsvFieldCount; ++f)
        v[f] = fields[size_t(f - first)].toString().toUpper();
    if (v[Acd] != Mark::Added && v[Acd] != Mark::Changed && v[Acd] != Mark::Deleted)
        v[Acd] = Mark::None;
    for (int f = Mortco; f <= Pid; ++f)
        v[f] = TrimBlanks(v[f]);
    return v;
}

bool numberIn(const QString &text, double low, double high)
{
    if (!IsNumeric(text))
        return false;
    const double value = NumericTextValue(text);
    return value >= low && value <= high;
}

// What the first failing check says of a line; the district made two digits
// and the folio made eighteen on the way.
std::optional<QString> problemOf(VerifyCsvValues &v, const ReferenceCodes &codes)
{
    if (v[Mortco].isEmpty())
        return QStringLiteral("Mortgage Company ID is MISSING");
    if (v[Mortco].size() != 4)
        return QStringLiteral("Mortgage Company ID is NOT four characters long");
    if (v[Number].isEmpty())
        return QStringLiteral("Mortgage Number is MISSING");
    if (!numberIn(v[Cd], 1, 99))
        return QStringLiteral("Collection District is NOT valid (must be 01-99).");
    v[Cd] = (QStringLiteral("00") + v[Cd]).right(2);
    if (!codes.districts.contains(v[Cd].toCaseFolded()))
        return QStringLiteral("Collection District (%1) is NOT in the list of valid Collection Districts!").arg(v[Cd]);
    if (!numberIn(v[Jur], 701, 799))
        return QStringLiteral("Jurisdiction Code is NOT valid (must be 701-799).");
    if (!codes.jurisdictions.contains(v[Jur].left(3).toCaseFolded()))
        return QStringLiteral("Jurisdiction (%1) is NOT in the list of valid Jurisdictions!").arg(v[Jur]);
    if (!v[Folio].isEmpty() && !IsNumeric(v[Folio]))
        return QStringLiteral("Folio Number is NOT numeric.");
    if (!v[Pid].isEmpty() && !IsNumeric(v[Pid]))
        return QStringLiteral("Property Identifier is NOT numeric.");
    if (v[Folio].isEmpty() && v[Pid].isEmpty())
        return QStringLiteral("NO Folio Number or Property Identifier.");
    if (!codes.pairs.isEmpty() && !codes.pairs.contains(folded(v[Cd], v[Jur])))
        return QStringLiteral("Collection District (%1) and Jurisdiction (%2) is NOT in the list of valid "
                              "combinations!")
            .arg(v[Cd], v[Jur]);
    // VERIFY's fields hold no more than their widths.
    for (int f = Acd; f < VerifyCsvFieldCount; ++f) {
        const CsvField &field = VerifyCsvFields()[size_t(f)];
        if (v[f].size() > field.width)
            return QStringLiteral("%1 is longer than %2 characters (the most the VERIFY field holds).")
                .arg(field.name)
                .arg(field.width);
    }
    if (!v[Folio].isEmpty()) {
        v[Folio] = NormalisedFolio(v[Folio]);
        if (IsNoFolio(v[Folio]))
            return QStringLiteral("Folio Number is MISSING");
    }
    return std::nullopt;
}

}  // namespace

ReferenceCodes::ReferenceCodes(DataEnvironment &de)
{
    const QString cdField = QStringLiteral("Collection_District_Code");
    const QString jurField = QStringLiteral("Jurisdiction_Code");
    fill(de.rsCollection_District(), {cdField}, districts);
    fill(de.rsJurisdiction(), {jurField}, jurisdictions);
    fill(de.rsCD_JUR(), {cdField, jurField}, pairs);
}

bool BeginsWithStatus(QStringView line)
{
    const QString head = line.left(2).toString().toUpper();
    return line.startsWith(u',') || head == u"A," || head == u"C," || head == u"D," || head == u" ,";
}

bool BeginsWithStatus(QByteArrayView line)
{
    // No other character upper-cases to A, C or D, and the second byte of a
    // character of more than one is never a comma.
    if (line.startsWith(','))
        return true;
    if (line.size() < 2 || line[1] != ',')
        return false;
    const char first = line[0];
    return first == 'A' || first == 'a' || first == 'C' || first == 'c' || first == 'D' || first == 'd'
           || first == ' ';
}

void CheckVerifyCsvLine(CheckedVerifyLine &line, bool withStatus, const ReferenceCodes &codes)
{
    VerifyCsvValues &v = line.values;
    v = parse(line.text, withStatus);
    line.problem = problemOf(v, codes);
    if (line.problem)
        return;
    if (!v[Folio].isEmpty())
        line.folioKey = FoldedKeySet::fold({v[Jur], v[Folio]});
    if (!v[Pid].isEmpty())
        line.pidKey = FoldedKeySet::fold({v[Jur], v[Pid]});
}

}  // namespace zolt::verify
