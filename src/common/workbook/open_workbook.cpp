#include "open_workbook.h"

#include "common/errors.h"

#include <new>

namespace zolt::workbook {

namespace {

WorkbookReader &openWorkbook(const SpreadsheetState &state)
{
    if (state.workbook)
        return *state.workbook;
    if (state.failureNumber != 0)
        throw ZoltError(state.failureNumber, state.failureText);
    throw ZoltError(ErrorNumber::WorkbookUnreadable, QStringLiteral("No workbook is open."));
}

}  // namespace

void OpenWorkbook(SpreadsheetState &state, const QString &path)
{
    CloseWorkbook(state);
    state.fileName = path;
    try {
        state.workbook = WorkbookReader::open(path);
        if (state.workbook->sheetCount() == 0)
            throw ZoltError(ErrorNumber::WorkbookUnreadable,
                            QStringLiteral("The workbook %1 has no worksheet.").arg(path));
        state.currentSheet = 1;
    } catch (const ZoltError &error) {
        state.workbook.reset();
        state.failureNumber = error.number();
        state.failureText = error.description();
    } catch (const std::bad_alloc &) {
        state.workbook.reset();
        state.failureNumber = ErrorNumber::WorkbookUnreadable;
        state.failureText = QStringLiteral("The workbook %1 is too large to open.").arg(path);
    }
}

void CloseWorkbook(SpreadsheetState &state)
{
    state = SpreadsheetState();
}

void SelectWorksheet(SpreadsheetState &state, int position)
{
    WorkbookReader &workbook = openWorkbook(state);
    workbook.sheet(position);  // throws for a sheet that does not exist
    state.currentSheet = position;
}

const SheetCells &CurrentWorksheet(SpreadsheetState &state)
{
    return openWorkbook(state).sheet(state.currentSheet);
}

}  // namespace zolt::workbook
