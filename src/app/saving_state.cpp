#include "saving_state.h"

#include "task_host.h"

#include "common/session.h"

namespace zolt::app {

bool EnterSavingState(TaskHost &host, Session &session, bool hideFileType)
{
    session.ui.setBusy(true);
    host.showSaving(hideFileType);
    host.showWindow();
    session.ui.letEventsRun();
    return !session.ui.stopRequested();
}

}  // namespace zolt::app
