#pragma once

namespace zolt {
struct Session;
}

namespace zolt::app {

class TaskHost;

// The payment task after the chosen file was checked and remembered: load the
// payment file (showing the duplicate folios when it has some), check its
// year, save the file back with its backup, asking for another name while the
// save fails, and end the program. A load that cannot go on gives the buttons
// back so that another file can be chosen.
void runPaymentTask(TaskHost &host, Session &session);

}  // namespace zolt::app
