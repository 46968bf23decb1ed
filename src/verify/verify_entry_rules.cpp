#include "verify_entry_rules.h"

#include "verify_folios.h"

#include "common/number_format.h"
#include "common/session.h"
#include "common/text_utils.h"
#include "store/data_environment.h"
#include "store/recordset.h"

namespace zolt::verify {
namespace {

const QString Acd = QStringLiteral("ACD");

bool markedDeleted(const Recordset &folios)
{
    return folios.text(Acd) == Mark::Deleted;
}

// The first problem of a district or jurisdiction code: blank passes.
std::optional<QString> codeProblem(const QString &code, bool (*valid)(const QString &), const QString &notNumeric,
                                   const QString &outOfRange)
{
    const QString trimmed = TrimBlanks(code);
    if (trimmed.isEmpty())
        return std::nullopt;
    if (!IsNumeric(trimmed))
        return notNumeric;
    if (!valid(trimmed))
        return outOfRange;
    return std::nullopt;
}

// The name of the code's row of a reference recordset, which is left on
// that row (at its end when no row has the code).
QString nameOf(Session &session, Recordset &codes, const QString &codeField, const QString &code,
               const QString &nameField)
{
    codes.ensureOpen();
    codes.moveFirst();
    session.shared.gFindCriteria = codeField + QStringLiteral(" = ") + QuoteCriteria(code);
    return codes.find(session.shared.gFindCriteria) ? codes.text(nameField) : QString();
}

}  // namespace

QString JudgedCode(const QString &comboText, int length)
{
    const QString word = TrimBlanks(comboText).section(u' ', 0, 0);
    return word.size() > length ? word : CodeOf(comboText, length);
}

std::optional<QString> CompanyProblem(const QString &mortco)
{
    const QString text = TrimBlanks(mortco);
    if (text.isEmpty())
        return QStringLiteral("You must enter a Mortgage Company ID! (it is four characters long)");
    if (text.size() != 4)
        return QStringLiteral("You must enter a valid Mortgage Company ID ! (it is four characters long)");
    return std::nullopt;
}

std::optional<QString> NewFolioProblem(Session &session, Recordset &clone, const TypedFolio &typed)
{
    if (TrimBlanks(typed.number).isEmpty())
        return NumberMissingMessage;
    const QString mortco = TrimBlanks(typed.mortco);
    if (mortco.isEmpty())
        return QStringLiteral("You must enter a Mortgage Company ID!");
    if (mortco.size() != 4)
        return QStringLiteral("You must enter a VALID Mortgage Company ID! (must be four characters long)");
    if (auto problem = codeProblem(JudgedCode(typed.cdText, 2), IsValidDistrict,
                                   QStringLiteral("Collection District must be two digits long!"),
                                   QStringLiteral("Collection District must be two digit and be from 01 to 99")))
        return problem;
    if (auto problem = codeProblem(JudgedCode(typed.jurText, 3), IsValidJurisdiction,
                                   QStringLiteral("Jurisdiction must be entered!"),
                                   QStringLiteral("Jurisdiction must be from 701 to 799")))
        return problem;
    const QString folio = TrimBlanks(typed.folio), pid = TrimBlanks(typed.pid);
    if (folio.isEmpty() && pid.isEmpty())
        return QStringLiteral("Folio Number (or Property Identifier) must be entered!");
    if (!folio.isEmpty()) {
        const QString digits = NormalisedFolio(folio);
        if (IsNoFolio(digits))
            return QStringLiteral("A VALID Folio Number must be entered!");
        if (FindFolio(session, clone, FolioCriteria(CodeOf(typed.jurText, 3), digits, false), QString()))
            return QStringLiteral("The Jurisdiction and Folio Number ALREADY exist!");
    }
    if (!pid.isEmpty() && FindFolio(session, clone, PidCriteria(pid, false), QString()))
        return QStringLiteral("The Property Identifier (PID) ALREADY exist!");
    return std::nullopt;
}

std::optional<QString> FolioInUse(Session &session, Recordset &clone, const QString &jur, const QString &folio)
{
    if (auto note = FindFolio(session, clone, FolioCriteria(jur, folio, false),
                              QStringLiteral("NOTE - This Folio Number already Exist! see folio ")))
        return note;
    return FindFolio(session, clone, FolioCriteria(jur, folio, true),
                     QStringLiteral("NOTE - This Folio Number already Exist (BUT it is marked as DELETED)! see folio "));
}

std::optional<QString> PidInUse(Session &session, Recordset &clone, const QString &pid)
{
    if (auto note = FindFolio(session, clone, PidCriteria(pid, false),
                              QStringLiteral("NOTE - This Property Identifier (PID) already Exist! see folio "), true))
        return note;
    return FindFolio(
        session, clone, PidCriteria(pid, true),
        QStringLiteral("NOTE - This Property Identifier (PID) already Exist (BUT it is marked as DELETED)! see folio "),
        true);
}

std::optional<QString> NumberInUse(Session &session, Recordset &clone, const QString &number, const QVariant &self)
{
    session.shared.gFilter = ActiveNumberCriteria(number);
    clone.setFilter(session.shared.gFilter);
    std::optional<QString> note;
    for (; !clone.eof(); clone.moveNext()) {
        if (!self.isValid() || clone.bookmark() != self) {
            note = SeeFolioNote(NumberSharedLead, clone, false);
            break;
        }
    }
    clone.clearFilter();
    return note;
}

JurisdictionChoice JurisdictionsOfDistrict(Session &session, const QString &cd, const QString &typedJur)
{
    Recordset &jurisdictions = session.de.rsJurisdiction();
    Recordset &pairs = session.de.rsCD_JUR();
    jurisdictions.ensureOpen();
    pairs.ensureOpen();
    session.shared.gFilter = QStringLiteral("Collection_District_Code = %1 ").arg(QuoteCriteria(cd));
    pairs.setFilter(session.shared.gFilter);

    JurisdictionChoice choice;
    if (pairs.recordCount() == 0) {
        choice.everyJurisdiction = true;
        return choice;
    }
    const QString typedCode = typedJur.left(3);
    for (pairs.moveFirst(); !pairs.eof(); pairs.moveNext()) {
        const QString code = pairs.text(QStringLiteral("Jurisdiction_Code"));
        jurisdictions.moveFirst();
        session.shared.gFindCriteria = QStringLiteral("Jurisdiction_Code = ") + QuoteCriteria(code);
        const QString name = jurisdictions.find(session.shared.gFindCriteria)
                                 ? jurisdictions.text(QStringLiteral("Jurisdiction_Name"))
                                 : QString();
        if (code == typedCode)
            choice.selected = int(choice.entries.size());
        choice.entries.append({code, name});
    }
    if (choice.entries.size() == 1)
        choice.selected = 0;
    pairs.moveFirst();
    return choice;
}

CodeNames NamesOfCodes(Session &session, const QString &cdField, const QString &jurField)
{
    DataEnvironment &de = session.de;
    return {nameOf(session, de.rsCollection_District(), QStringLiteral("Collection_District_Code"), CodeOf(cdField, 2),
                   QStringLiteral("Collection_District_Name")),
            nameOf(session, de.rsJurisdiction(), QStringLiteral("Jurisdiction_Code"), CodeOf(jurField, 3),
                   QStringLiteral("Jurisdiction_Name"))};
}

QString NextActiveFolio(Session &session, Recordset &folios)
{
    if (folios.recordCount() == 0)
        return QString();
    const QString end = QStringLiteral("End of Details");
    if (folios.eof()) {
        folios.moveLast();
        return end;
    }
    const QVariant left = folios.position() >= 0 ? folios.bookmark() : QVariant();
    session.shared.gBookmark = left;
    folios.moveNext();
    if (folios.eof()) {
        folios.movePrevious();
        return end;
    }
    while (!folios.eof() && markedDeleted(folios))
        folios.moveNext();
    if (folios.eof()) {
        if (left.isValid())
            folios.setBookmark(left);
        else
            folios.moveFirst();
        return QStringLiteral("End of Detail List");
    }
    return QStringLiteral("Positioned to the next active Detail");
}

QString PreviousActiveFolio(Recordset &folios)
{
    if (folios.recordCount() == 0)
        return QString();
    const QString beginning = QStringLiteral("Begining of Detail List");
    if (folios.bof()) {
        folios.moveFirst();
        return beginning;
    }
    folios.movePrevious();
    while (!folios.bof() && markedDeleted(folios))
        folios.movePrevious();
    if (folios.bof()) {
        folios.moveFirst();
        return beginning;
    }
    return QStringLiteral("Positioned to the previous Active Detail");
}

}  // namespace zolt::verify
