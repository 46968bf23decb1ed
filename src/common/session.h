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

// Fills gInfoKind, gInfoTitle and gInfoText and shows the information
// dialog through the user dialog.
inline void ShowInformation(Session &session, const QString &kind, const QString &title, const QString &text)
{
    session.shared.gInfoKind = kind;
    session.shared.gInfoTitle = title;
    session.shared.gInfoText = text;
    session.ui.informationDialog(session.shared);
}

}  // namespace zolt
