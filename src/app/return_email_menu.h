#pragma once

class QMenu;
class QWidget;

namespace zolt {
struct Session;
}

namespace zolt::app {

// Adds "Return E-mail Address..." (mnuFileReturnEmail) to the menu: it asks
// for the address the return screens give and keeps it in the database.
void AddReturnEmailMenuItem(QMenu *menu, Session &session);

// What the menu item does: asks with the current address as the default;
// cancelling leaves it unchanged.
void EditReturnEmail(Session &session);

}  // namespace zolt::app
