#pragma once

#include "common/loose_values.h"

#include <QString>
#include <QStringList>
#include <array>

namespace zolt::verify {

struct SheetEnd;

// The untrimmed cells of one "Mortgage" row, from column A.
using MortgageCells = std::array<QString, 14>;

// The texts the verification load reports. Warnings are several lines joined
// by a carriage return and a line feed.
namespace LoadMessage {

QString InvalidAcd(const MortgageCells &cells);
QString CompanyMissing();
QString NumberTruncated(const MortgageCells &cells, const QString &storedNumber);
QString DistrictMissing();
QString DistrictTooLong(const MortgageCells &cells, const QString &storedCd);
QString JurisdictionMissing();
QString JurisdictionTooLong(const MortgageCells &cells, const QString &storedJur);
QString FolioTruncated(const MortgageCells &cells, const QString &storedFolio);
QString PidTruncated(const MortgageCells &cells, const QString &storedPid);
QString FolioAndPidMissing(const MortgageCells &cells);

QString DuplicatePid(const MortgageCells &cells);
QString DuplicateFolio(const MortgageCells &cells);
QString Rejected(const MortgageCells &cells);
// The trace text of the stage that saves a row: names the row.
QString SavingRow(const MortgageCells &cells);

// The three summary lines; empty lines where a count is 0.
std::array<QString, 3> Summary(qint64 notLoaded, qint64 formatWarnings);
// The cells stored cut to their fields' widths, by row of the Mortgage sheet.
QString CutValues(const LooseValues &values);

// The rows holding data that lie below the end of a sheet and were not
// read: which rows of which sheet (named as the workbook names it), where
// the sheet's list ended, and what to do about it.
QString RowsNotRead(const QString &sheetName, int position, const SheetEnd &end);

inline const QString Empty = QStringLiteral("ERROR - The Verification file is empty");

}  // namespace LoadMessage
}  // namespace zolt::verify
