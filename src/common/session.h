#pragma once

#include "shared_values.h"
#include "user_dialog.h"

namespace zolt {

class DataEnvironment;

// What every procedure and screen works with: the data environment, the user
// (through dialogs, the terminal or a test recorder) and the shared values.
struct Session {
    DataEnvironment &de;
    UserDialog &ui;
    SharedValues &shared;
};

}  // namespace zolt
