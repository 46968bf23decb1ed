#pragma once

namespace zolt {
struct Session;
}

namespace zolt::app {

class TaskHost;

// The payment task after the chosen file was checked and remembered: load the
// payment file, check its year, run the payment screens, save the file back
// and give the return instructions. Until the payment load exists it stops
// after the choice was remembered and gives the buttons back.
void runPaymentTask(TaskHost &host, Session &session);

}  // namespace zolt::app
