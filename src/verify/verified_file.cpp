#include "verified_file.h"

#include "common/text_file.h"
#include "common/text_utils.h"
#include "store/recordset.h"

#include <array>

namespace zolt::verify {
namespace {

const QString AllZeros(18, u'0');

struct VerifiedField {
    const char *name;
    int width;
};

// The fields of a line in their order; FOLIO takes its own rule.
constexpr std::array<VerifiedField, 14> Fields{{{"ACD", 1},    {"MORTCO", 4},  {"NUMBER", 12}, {"CD", 2},
                                                {"JUR", 3},    {"FOLIO", 18},  {"NAME", 70},   {"ADDR1", 30},
                                                {"ADDR2", 30}, {"ADDR3", 30},  {"ADDR4", 30},  {"ADDR5", 30},
                                                {"LEGAL", 32}, {"PID", 9}}};
constexpr size_t FolioField = 5;

}  // namespace

QString VerifiedFolio(const QString &folio)
{
    QString digits;
    for (QChar c : folio) {
        if (c >= u'0' && c <= u'9')
            digits += c;
    }
    if (digits.isEmpty() || digits == AllZeros)
        return PadCut(folio, 18);
    return digits.right(18).rightJustified(18, u'0');
}

qint64 WriteVerifiedFile(Recordset &folios, const QString &path)
{
    folios.ensureOpen();
    folios.clearFilter();
    std::array<int, Fields.size()> columns{};
    for (size_t i = 0; i < Fields.size(); ++i)
        columns[i] = folios.columnIndex(QLatin1String(Fields[i].name));
    TextFileWriter out(path, QStringLiteral("verified file"));
    const qint64 count = folios.recordCount();
    QString line;
    for (qint64 r = 0; r < count; ++r) {
        line.clear();
        for (size_t i = 0; i < Fields.size(); ++i) {
            const QString value = folios.value(r, columns[i]).toString();
            if (i == FolioField)
                line += VerifiedFolio(value);
            else
                AppendPadCut(value, Fields[i].width, line);
        }
        out.writeLine(line);
    }
    out.commit();
    if (count > 0)
        folios.moveFirst();
    return count;
}

}  // namespace zolt::verify
