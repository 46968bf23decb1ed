#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <optional>

namespace zolt {
class Recordset;
struct Session;
}

namespace zolt::verify {

inline const QString NumberMissingMessage = QStringLiteral("You must enter a Mortgage Number!");
inline const QString NumberSharedLabel =
    QStringLiteral("NOTE that there are one or more folios with this mortgage number!");
inline const QString NumberSharedLead = QStringLiteral("NOTE - This Mortgage Number already Exist! see folio ");
inline const QString NameMissingNote = QStringLiteral("NOTE - The Client Name should be entered");

// The code a district or jurisdiction box's text stands for, as the checks
// judge it: its code part (CodeOf), or its whole first word when that is
// longer than a code, so that "100" is refused as district 100 rather than
// taken for district "10".
QString JudgedCode(const QString &comboText, int length);

// The add screen's company check: the message refusing the typed company,
// none when it is four characters.
std::optional<QString> CompanyProblem(const QString &mortco);

// The values of a new folio as its boxes hold them.
struct TypedFolio {
    QString number, mortco, cdText, jurText, folio, pid;
};

// The whole check of a new folio: the message of the first thing wrong,
// none when the folio may be saved. Duplicates are looked up in `clone`, a
// private cursor over VERIFY.
std::optional<QString> NewFolioProblem(Session &session, Recordset &clone, const TypedFolio &typed);

// A folio of the jurisdiction (18 digits) or a PID already in VERIFY: the
// see-folio note naming an active one, else one marked for deletion; none
// when VERIFY holds neither.
std::optional<QString> FolioInUse(Session &session, Recordset &clone, const QString &jur, const QString &folio);
std::optional<QString> PidInUse(Session &session, Recordset &clone, const QString &pid);

// The first active folio carrying the mortgage number, as the see-folio
// note; none when no folio carries it. The folio at the bookmark `self` (the
// one being changed) never counts.
std::optional<QString> NumberInUse(Session &session, Recordset &clone, const QString &number,
                                   const QVariant &self = QVariant());

// What the jurisdiction box offers for a district: every jurisdiction when
// CD_JUR pairs none with it, else the paired codes with their names (a null
// name for a code the Jurisdiction table lacks) and the one to select (a
// single pair, or the pair of the code typed before), -1 for none. The
// criteria are left in gFilter and on rsCD_JUR.
struct JurisdictionChoice {
    struct Entry {
        QString code, name;
    };
    bool everyJurisdiction = false;
    QList<Entry> entries;
    int selected = -1;
};
JurisdictionChoice JurisdictionsOfDistrict(Session &session, const QString &cd, const QString &typedJur);

// The names of a folio's district and jurisdiction, with rsCollection_District
// and rsJurisdiction left on their rows (empty names when a code is missing).
struct CodeNames {
    QString district, jurisdiction;
};
CodeNames NamesOfCodes(Session &session, const QString &cdField, const QString &jurField);

// The change screen's walk over rsVerify to the next or previous folio not
// marked for deletion; answers the message telling where it went. Next
// keeps the position it left in gBookmark.
QString NextActiveFolio(Session &session, Recordset &folios);
QString PreviousActiveFolio(Recordset &folios);

}  // namespace zolt::verify
