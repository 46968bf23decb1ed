#pragma once

namespace zolt {
struct Session;
}

namespace zolt::app {

class TaskHost;

// The verification task after the chosen workbook was checked and remembered:
// load the workbook, run the verification screens, write the workbook back
// (keeping a backup) and give the return instructions; then the main window
// closes.
void runVerifyTask(TaskHost &host, Session &session);

}  // namespace zolt::app
