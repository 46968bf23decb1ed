#include "verify_load_messages.h"

#include "common/errors.h"
#include "common/text_utils.h"
#include "verify_layout.h"

#include <algorithm>

namespace zolt::verify::LoadMessage {
namespace {

const QString Note = QStringLiteral("NOTE: The program only issues the first 3 warnings.");

QString lines(QStringList parts)
{
    parts << QString() << Note;
    return parts.join(QStringLiteral("\r\n"));
}

QString rowNames(const MortgageCells &c)
{
    return QStringLiteral(" Mort. Co:") + c[ColMortco] + QStringLiteral(" CD:") + c[ColCd]
        + QStringLiteral(" JUR:") + c[ColJur] + QStringLiteral(" FOLIO:") + c[ColFolio];
}

}  // namespace

QString InvalidAcd(const MortgageCells &c)
{
    return lines({QStringLiteral("WARNING ( Invalid value in the Add/Change/Delete column ) :  "),
                  QStringLiteral(" The column A (Add/Change/Delete) content is not valid. :") + c[ColAcd],
                  QStringLiteral(" "),
                  QStringLiteral(" Valid values are 'A', 'C', 'D', or ' ' "),
                  QStringLiteral(" 'A' - Add this mortgage"),
                  QStringLiteral(" 'C' - Change this mortgage"),
                  QStringLiteral(" 'D' - Delete/Remove this mortgage"),
                  QStringLiteral(" ' ' - no change")});
}

QString CompanyMissing()
{
    return lines({QStringLiteral("WARNING ( Mortgage Company # MISSING ) :  "),
                  QStringLiteral(" The Mortgage Company is stored in column B and it is four characters."),
                  QStringLiteral(" The Mortgage Company identifies who pays for the property taxes")});
}

QString NumberTruncated(const MortgageCells &c, const QString &stored)
{
    return lines({QStringLiteral("WARNING ( Mortgage # TRUNCATED ) :  "),
                  QStringLiteral(" Mortgage # on the spreadsheet:") + c[ColNumber],
                  QStringLiteral(" Mortgage # truncated to (12 char. MAX):") + stored});
}

QString DistrictMissing()
{
    return lines({QStringLiteral("WARNING ( Collection District Code 'CD' is MISSING ) :  "),
                  QStringLiteral(" The Collection District Code is stored in column D and it is two digits.")});
}

QString DistrictTooLong(const MortgageCells &c, const QString &stored)
{
    return lines({QStringLiteral("WARNING ( Collection District Code 'CD' is too long ) :  "),
                  QStringLiteral(" Collection District Code on the spreadsheet:") + c[ColCd],
                  QStringLiteral(" Collection District Code truncated to (2 digits):") + stored,
                  QStringLiteral(" The Collection District Code is stored in column D and it is two digits.")});
}

QString JurisdictionMissing()
{
    return lines({QStringLiteral("WARNING ( Jurisdiction Code 'JUR' is MISSING ) :  "),
                  QStringLiteral(" The Jurisdiction Code is stored in column E and it is three digits.")});
}

QString JurisdictionTooLong(const MortgageCells &c, const QString &stored)
{
    return lines({QStringLiteral("WARNING ( Jurisdiction Code 'JUR' is too long ) :  "),
                  QStringLiteral(" Jurisdiction Code on the spreadsheet:") + c[ColJur],
                  QStringLiteral(" Jurisdiction Code truncated to (3 digits):") + stored,
                  QStringLiteral(" The Jurisdiction Code is stored in column E and it is three digits.")});
}

QString FolioTruncated(const MortgageCells &c, const QString &stored)
{
    return lines({QStringLiteral("WARNING ( FOLIO # TRUNCATED ) :  "),
                  QStringLiteral(" FOLIO # on the spreadsheet:") + c[ColFolio],
                  QStringLiteral(" FOLIO # truncated to (18 digits MAX):") + stored});
}

QString PidTruncated(const MortgageCells &c, const QString &stored)
{
    return lines({QStringLiteral("WARNING ( PID # TRUNCATED ) :  "),
                  QStringLiteral(" PID on the spreadsheet:") + c[ColPid],
                  QStringLiteral(" PID truncated to (9 digits MAX):") + stored});
}

QString FolioAndPidMissing(const MortgageCells &c)
{
    const QStringList address{c[ColAddr1], c[ColAddr2], c[ColAddr3], c[ColAddr4], c[ColAddr5]};
    return lines({QStringLiteral("WARNING ( FOLIO # and PID # is MISSING ) :  "),
                  QStringLiteral(" The Folio # or PID # needs to be entered!"),
                  QString(),
                  QStringLiteral(" on the spreadsheet: "),
                  QStringLiteral("   Name(") + c[ColName] + QStringLiteral(") "),
                  QStringLiteral("   Address(") + address.join(u' ') + QStringLiteral(")")});
}

QString DuplicatePid(const MortgageCells &c)
{
    return QStringLiteral("WARNING ( RECORD IGNORED ) DUPLICATE PID NUMBER:  ") + QStringLiteral(" Mort. Co:")
        + c[ColMortco] + QStringLiteral(" PID:") + c[ColPid] + QStringLiteral(" ");
}

QString DuplicateFolio(const MortgageCells &c)
{
    return QStringLiteral("WARNING ( RECORD IGNORED ) DUPLICATE FOLIO NUMBER:  ") + rowNames(c)
        + QStringLiteral(" (Most likely duplicate KEY violation)");
}

QString Rejected(const MortgageCells &c)
{
    QString text = QStringLiteral("RECORD REJECTED, NO Folio or PID!");
    if (const QString company = TrimBlanks(c[ColMortco]); !company.isEmpty())
        text += QStringLiteral(" Mort. Co:") + company;
    QString address;
    for (int col = ColAddr1; col <= ColAddr5; ++col)
        address += TrimBlanks(c[size_t(col)]);
    if (!address.isEmpty())
        text += QStringLiteral(" Addr.:") + address;
    if (const QString legal = TrimBlanks(c[ColLegal]); !legal.isEmpty())
        text += QStringLiteral(" Legal:") + legal;
    return TrimBlanks(text.left(200));
}

QString SavingRow(const MortgageCells &c)
{
    return QStringLiteral("128 ") + rowNames(c) + QStringLiteral(" PID:") + c[ColPid]
        + QStringLiteral(" (Most likely duplicate KEY violation)");
}

std::array<QString, 3> Summary(qint64 notLoaded, qint64 formatWarnings)
{
    std::array<QString, 3> s;
    s[0] = QStringLiteral("INFORMATION: There was a total of") + NumberWithSignPlace(notLoaded + formatWarnings)
        + QStringLiteral(" records NOT loaded.");
    if (notLoaded == 1)
        s[1] = NumberWithSignPlace(1) + QStringLiteral(" record was not loaded because it a duplicate or rejected folio");
    else if (notLoaded > 1)
        s[1] = NumberWithSignPlace(notLoaded)
            + QStringLiteral(" records were not loaded because they were duplicate or rejected folios");
    if (formatWarnings == 1)
        s[2] = NumberWithSignPlace(1) + QStringLiteral(" record was not loaded for formatting reasons");
    else if (formatWarnings > 1)
        s[2] = NumberWithSignPlace(formatWarnings) + QStringLiteral(" records were not loaded for formatting reasons");
    return s;
}

QString RowsNotRead(const QString &sheetName, int position, const SheetEnd &end)
{
    static const char *const Lists[] = {"folio list", "folio mask list", "collection district list",
                                        "jurisdiction list", "list of district and jurisdiction pairs"};
    static const char *const Ordinals[] = {"first", "second", "third"};
    const QString list = QString::fromLatin1(Lists[std::clamp(position, 1, 5) - 1]);
    const QString stop = end.atBlankRow
        ? QStringLiteral("the %1 blank row (row %2)")
              .arg(QString::fromLatin1(Ordinals[std::clamp(end.blankRows, 1, 3) - 1]))
              .arg(end.row)
        : QStringLiteral("a repeated header row (row %1)").arg(end.row);
    const int headers = SheetEnd::Marks - end.blankRows;
    const QString toRemove = headers > 1 ? (end.blankRows > 0 ? QStringLiteral("the blank rows and the repeated "
                                                                                "header rows")
                                                               : QStringLiteral("the repeated header rows"))
                                         : QStringLiteral("the blank rows");
    if (end.rowsLeft == 1)
        return QStringLiteral("Row %1 of the %2 sheet was not read: it holds data but lies below %3, where the %4 "
                              "ends. Remove %5 above it and load the workbook again.")
            .arg(QString::number(end.firstLeft), sheetName, stop, list, toRemove);
    return QStringLiteral("Rows %1 to %2 of the %3 sheet were not read: %4 rows holding data lie below %5, where "
                          "the %6 ends. Remove %7 above them and load the workbook again.")
        .arg(QString::number(end.firstLeft), QString::number(end.lastLeft), sheetName,
             QString::number(end.rowsLeft), stop, list, toRemove);
}

QString CutValues(const LooseValues &values)
{
    const QString head =
        values.count == 1
            ? QStringLiteral("1 value of the Mortgage sheet was longer than its column allows. It was loaded as its "
                             "first characters, and the workbook will be written back so:")
            : QStringLiteral("%1 values of the Mortgage sheet were longer than their columns allow. They were loaded "
                             "as their first characters, and the workbook will be written back so:")
                  .arg(values.count);
    return head + ListedLooseValues(values, QStringLiteral("Row"));
}

}  // namespace zolt::verify::LoadMessage
