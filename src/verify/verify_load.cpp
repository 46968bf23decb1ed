#include "verify_load.h"

#include "common/error_trap.h"
#include "common/plain_cause.h"
#include "common/errors.h"
#include "common/progress_count.h"
#include "common/work_aside.h"
#include "common/workbook/open_workbook.h"
#include "store/data_environment.h"
#include "store/sqlite_db.h"
#include "verify_layout.h"
#include "verify_load_context.h"
#include "verify_load_messages.h"
#include "verify_load_mortgage.h"
#include "verify_load_reference.h"

namespace zolt::verify {

using workbook::CloseWorkbook;
using workbook::OpenWorkbook;
using workbook::ReadCurrentWorksheet;
using workbook::SelectWorksheet;
using workbook::SpreadsheetState;
namespace {

using verify::LoadContext;


struct TableToEmpty {
    Recordset &(DataEnvironment::*recordset)();
    const char *table;
    int firstStep;
};

// Each table is emptied and its recordset left open on no rows. Whether a
// table holds rows is asked of the database, not by reading them all.
void emptyTables(LoadContext &context)
{
    static const TableToEmpty tables[] = {
        {&DataEnvironment::rsFol_Mask, "Fol_Mask", 1},
        {&DataEnvironment::rsCollection_District, "Collection_District", 11},
        {&DataEnvironment::rsJurisdiction, "Jurisdiction", 30},
        {&DataEnvironment::rsCD_JUR, "CD_JUR", 50},
        {&DataEnvironment::rsVerify, "VERIFY", 60},
    };
    DataEnvironment &de = context.session.de;
    for (const TableToEmpty &t : tables) {
        auto step = [&](int offset) { context.trace.set(QString::number(t.firstStep + offset)); };
        const QString table = QString::fromLatin1(t.table);
        Recordset &rs = (de.*t.recordset)();
        step(0);
        if (rs.isOpen())
            rs.close();
        step(1);
        if (de.Zolt().tableHasRows(table)) {
            step(3);
            Transaction transaction(de.Zolt());
            step(4);
            de.Zolt().emptyTableToRefill(table);
            step(5);
            transaction.commit();
            context.session.ui.letEventsRun();
        }
        step(6);
        rs.open();
    }
}

// The name the workbook gives the sheet at position, or the one the export
// writes.
QString sheetName(const SpreadsheetState &workbook, const verify::Sheet &sheet)
{
    const QString name = workbook.workbook ? workbook.workbook->sheetName(sheet.position) : QString();
    return name.isEmpty() ? sheet.name : name;
}

void readSheets(LoadContext &context, SpreadsheetState &workbook)
{
    context.trace.set(QStringLiteral("82"));
    SelectWorksheet(workbook, 1);
    SheetRows &mortgage = ReadCurrentWorksheet(workbook, MortgageColumnCount);
    context.trace.set(QStringLiteral("83"));
    verify::MortgageRows(context).read(mortgage, sheetName(workbook, verify::MortgageSheet()));
    for (const verify::Sheet &sheet : verify::ReferenceSheets()) {
        context.trace.set(verify::ReferencePreparationStep(sheet));
        Recordset &rs = verify::SheetRecordset(context.session.de, sheet);
        rs.ensureOpen();
        rs.clearFilter();
        SelectWorksheet(workbook, sheet.position);
        verify::ReadReferenceSheet(context, sheet, ReadCurrentWorksheet(workbook, int(sheet.columns.size())),
                                   sheetName(workbook, sheet));
    }
}

// The recordsets show what the load stored, unfiltered. The window paints
// between them.
void refreshRecordsets(DataEnvironment &de, UserDialog &ui)
{
    de.rsVerify().ensureOpen();
    de.rsVerify().requery();
    for (const verify::Sheet &sheet : verify::ReferenceSheets()) {
        ui.letEventsRun();
        Recordset &rs = verify::SheetRecordset(de, sheet);
        rs.ensureOpen();
        rs.clearFilter();
        rs.requery();
    }
}

void reportSummary(LoadContext &context)
{
    const VerifyLoadResult &c = context.counts;
    UserDialog &ui = context.session.ui;
    if (c.notLoaded > 0 || c.formatWarnings > 0) {
        context.trace.set(QStringLiteral("334"));
        const auto lines = verify::LoadMessage::Summary(c.notLoaded, c.formatWarnings);
        ui.message(QStringList(lines.begin(), lines.end()).join(QStringLiteral("\r\n")), MessageIcon::Information);
        if (context.reportToList()) {
            for (const QString &line : lines)
                context.list->addLine(line);
            context.list->enablePrintErrors();
            ui.letEventsRun();
        }
    }
    if (!c.cutValues.isEmpty()) {
        const QString cut = verify::LoadMessage::CutValues(c.cutValues);
        if (context.reportToList()) {
            for (const QString &line : cut.split(u'\n'))
                context.list->addLine(line);
            context.list->enablePrintErrors();
            ui.letEventsRun();
        } else {
            ui.message(cut, MessageIcon::Information);
        }
    }
    context.trace.set(QStringLiteral("335"));
    if (c.loaded == 0) {
        if (context.reportToList()) {
            context.list->addLine(verify::LoadMessage::Empty);
            context.list->enablePrintErrors();
            ui.letEventsRun();
        }
        ui.message(verify::LoadMessage::Empty, MessageIcon::Critical);
    }
}

// A load that ends early keeps what was stored, unless the workbook turned
// out to be unreadable part way: the sheets are read as the rows are stored,
// and a workbook that cannot be read keeps nothing of it, as if it had been
// refused when it was opened.
void endStored(LoadContext &context, int outerDepth, bool keep)
{
    try {
        Connection &zolt = context.session.de.Zolt();
        while (zolt.transactionDepth() > outerDepth) {
            if (keep)
                zolt.commitTrans();
            else
                zolt.rollbackTrans();
        }
    } catch (const std::exception &) {
    }
}

bool isUnreadableWorkbook(const std::exception &error)
{
    const auto *zoltError = dynamic_cast<const ZoltError *>(&error);
    return zoltError && zoltError->number() == ErrorNumber::WorkbookUnreadable;
}

void closeAndRefresh(LoadContext &context, SpreadsheetState &workbook)
{
    CloseWorkbook(workbook);
    try {
        refreshRecordsets(context.session.de, context.session.ui);
    } catch (const std::exception &) {
    }
}

// The error trap: says what happened and where, keeps what was stored.
void trap(LoadContext &context, SpreadsheetState &workbook, const QString &fileName, int outerDepth,
          const std::exception &error)
{
    context.counts.trapped = true;
    const QString text =
        WithPlainCause(error, fileName, WorkbookTrapMessage(QStringLiteral("Xls2Mdb"), context.trace.text(), error));
    const bool unreadable = isUnreadableWorkbook(error);
    endStored(context, outerDepth, !unreadable);
    if (unreadable)
        context.counts.loaded = 0;
    context.session.ui.message(text, MessageIcon::Critical);
    if (context.reportToList()) {
        context.list->addLine(text);
        context.list->enablePrintErrors();
        context.session.ui.letEventsRun();
    }
    closeAndRefresh(context, workbook);
}

}  // namespace

VerifyLoadResult Xls2Mdb(Session &session, const QString &FileName, VerifyMessageList *ReportToList)
{
    LoadContext context(session, ReportToList);
    SpreadsheetState workbook;
    const int outerDepth = session.de.Zolt().transactionDepth();
    try {
        emptyTables(context);
        context.trace.set(QStringLiteral("70 opening "), FileName);
        // Opening reads the workbook's shared texts: on a thread of its own
        // while the window paints.
        WorkAside([&workbook, &FileName] { OpenWorkbook(workbook, FileName); },
                  [&session] { session.ui.letEventsRun(); });
        context.trace.set(QStringLiteral("80"));
        {
            // One transaction for the whole sheet set; the error trap commits
            // what was stored before the failure.
            Connection &zolt = session.de.Zolt();
            zolt.beginTrans();
            readSheets(context, workbook);
            context.trace.set(QStringLiteral("330"));
            session.ui.letEventsRun();
            zolt.commitTrans();
        }
        session.ui.letEventsRun();
        CloseWorkbook(workbook);
        context.trace.set(QStringLiteral("331"));
        session.ui.letEventsRun();
        refreshRecordsets(session.de, session.ui);
        context.trace.set(QStringLiteral("333"));
        reportSummary(context);
        context.trace.set(QStringLiteral("337"));
    } catch (const WorkStopped &) {
        // The user stopped the program: no summary, no message. A cancelled
        // load keeps none of the sheet's rows: the tables stay empty.
        context.counts.stopped = true;
        const bool cancelled = session.ui.cancelRequested();
        endStored(context, outerDepth, !cancelled);
        if (cancelled)
            context.counts.loaded = 0;
        closeAndRefresh(context, workbook);
    } catch (const std::exception &e) {
        trap(context, workbook, FileName, outerDepth, e);
    }
    return context.counts;
}

}  // namespace zolt::verify
