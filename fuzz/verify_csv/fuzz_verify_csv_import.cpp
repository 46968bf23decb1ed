// Feeds arbitrary bytes to the Verify.csv import as a whole file, in option 2
// then option 1, over a working database that lives as long as the fuzzer.
// Whatever the file holds, every folio stored keeps the rules the import
// checks: a four-character company, a number, a listed district of two
// characters and jurisdiction of three, a folio of 18 digits (not all zeros)
// or a PID, and no value wider than its field. A crash, a sanitizer report or
// a broken rule is a finding.

#include "common/session.h"
#include "store/data_environment.h"
#include "store/sqlite_db.h"
#include "support/fuzz_workplace.h"
#include "verify/verify_csv.h"
#include "verify/verify_csv_import.h"

#include <QFile>
#include <cstddef>
#include <cstdint>

using namespace zolt;
using fuzz::Check;

namespace {

void fillCodes(DataEnvironment &de)
{
    de.Zolt().execute(QStringLiteral("DELETE FROM Collection_District; DELETE FROM Jurisdiction; DELETE FROM CD_JUR;"
                                     "INSERT INTO Collection_District VALUES ('01', 'A'), ('05', 'B'), ('99', 'C');"
                                     "INSERT INTO Jurisdiction VALUES ('701', 'X'), ('799', 'Y');"
                                     "INSERT INTO CD_JUR VALUES ('01', '701'), ('05', '701'), ('05', '799'), "
                                     "('99', '799')"));
}

void checkStoredFolios(DataEnvironment &de)
{
    Statement st = de.Zolt().database().prepare(
        QStringLiteral("SELECT ACD, MORTCO, NUMBER, CD, JUR, FOLIO, PID, NAME, ADDR1, ADDR2, ADDR3, ADDR4, ADDR5, "
                       "LEGAL FROM VERIFY"));
    const auto fields = verify::VerifyCsvFields();
    while (st.step()) {
        for (int c = 0; c < 14; ++c)
            Check(st.column(c).toString().size() <= fields[size_t(c)].width);
        Check(st.column(1).toString().size() == 4 && !st.column(2).toString().isEmpty());
        const QString cd = st.column(3).toString(), jur = st.column(4).toString();
        Check(cd == u"01" || cd == u"05" || cd == u"99");
        Check(jur == u"701" || jur == u"799");
        const QString folio = st.column(5).toString();
        if (folio.isEmpty())
            Check(!st.column(6).toString().isEmpty());
        else
            Check(folio.size() == 18 && folio != QString(18, u'0')
                  && std::all_of(folio.begin(), folio.end(), [](QChar c) { return c.isDigit(); }));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::Workplace &w = fuzz::TheWorkplace();
    static const bool filled = (fillCodes(*w.de), true);
    (void)filled;
    const QString input = w.file("Verify.csv");
    {
        QFile file(input);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    for (const QString &mode : {verify::ImportOption2, verify::ImportOption1}) {
        verify::ImportVerifyCsv(*w.session, mode, input);
        Check(w.de->Zolt().transactionDepth() == 0);
        checkStoredFolios(*w.de);
    }
    return 0;
}
