#include "verify_task.h"

#include "task_host.h"

#include "common/session.h"

namespace zolt::app {

void runVerifyTask(TaskHost &host, Session &)
{
    host.enableButtons();
}

}  // namespace zolt::app
