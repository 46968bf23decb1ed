#include "open_workbook.h"

#include "common/errors.h"
#include "workbook_problem.h"

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
    const WorkbookReader &workbook = openWorkbook(state);
    if (position < 1 || position > workbook.sheetCount())
        throw Unreadable(state.fileName,
                         QStringLiteral("it has no sheet %1 (it has %2)").arg(position).arg(workbook.sheetCount()));
    state.currentSheet = position;
}

SheetRows &ReadCurrentWorksheet(SpreadsheetState &state, int lastColumn)
{
    return openWorkbook(state).rows(state.currentSheet, lastColumn);
}

}  // namespace zolt::workbook
