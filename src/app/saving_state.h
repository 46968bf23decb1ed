#pragma once

namespace zolt {
struct Session;
}

namespace zolt::app {

class TaskHost;

// The window shows that the task saves its file (hourglass, "Please Wait While
// Saving the Zolt data!", the file type frame hidden when asked) and paints.
// Answers false when the user has asked to stop: nothing is to be written.
bool EnterSavingState(TaskHost &host, Session &session, bool hideFileType);

}  // namespace zolt::app
