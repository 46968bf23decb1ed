#include "verify_task.h"

#include "saving_state.h"
#include "task_host.h"

#include "common/session.h"
#include "verify_screens/verify_navigator.h"
#include "store/data_environment.h"
#include "verify/verify_backup.h"
#include "verify/verify_export.h"
#include "verify/verify_load.h"

namespace zolt::app {
namespace {

// Loads the chosen workbook into VERIFY and the reference tables. The load
// reports its own problems; answers false, with the reason on the message
// line, when an unexpected error ended it or the user cancelled it.
bool loadWorkbook(TaskHost &host, Session &session)
{
    host.setMessage(QStringLiteral("Setting up Zolt data, please wait..."));
    session.ui.setBusy(true);
    session.ui.letEventsRun();
    const CancellableWork work(session.ui);
    const verify::VerifyLoadResult result = verify::Xls2Mdb(session, host.selectedPath(), nullptr);
    session.ui.setBusy(false);
    if (work.cancelled())
        host.setMessage(LoadCancelledLine);
    else if (result.trapped)
        host.setMessage(QStringLiteral("The Mortgage Verification file could not be loaded."));
    return !result.trapped && !work.cancelled();
}

// Writes the workbook back after copying it to its backup. The old workbook
// stays in place until the new one is complete; nothing is written once the
// user has asked to stop.
bool writeWorkbook(TaskHost &host, Session &session)
{
    if (!EnterSavingState(host, session, true))
        return false;
    const QString path = host.selectedPath();
    // A failed backup does not stop the export; a failed export puts the
    // previous backup back.
    SaveBackup backup = verify::BackUpBeforeWriting(path, verify::VerifyTaskBackupName(path));
    const bool written = verify::Mdb2Xls(session, path);
    if (written)
        backup.keep();
    return written;
}

}  // namespace

void runVerifyTask(TaskHost &host, Session &session)
{
    const bool loaded = loadWorkbook(host, session);
    if (session.ui.stopRequested())
        return;
    // A workbook that could not be read is not written back: that would
    // replace it with an empty one. The user may pick another file.
    if (!loaded) {
        host.enableButtons();
        return;
    }
    host.hideWindow();
    // Closed asking that nothing be saved: the program ends, the workbook
    // as it was.
    if (!host.verifyScreens().showVerifyNumbers()) {
        host.closeWindow();
        return;
    }
    const bool written = writeWorkbook(host, session);
    if (session.ui.stopRequested())
        return;
    // When the workbook could not be written, the folios stay in VERIFY, so
    // that the work is not lost (zolt-batch verify-export can write them).
    if (written)
        verify::EmptyVerify(session);
    host.hideWindow();
    session.ui.setBusy(false);
    session.ui.letEventsRun();
    if (written) {
        host.verifyScreens().showReturnInstructions2();
    }
    host.closeWindow();
}

}  // namespace zolt::app
