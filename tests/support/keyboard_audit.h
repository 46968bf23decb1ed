#pragma once

#include <QStringList>

class QWidget;

namespace zolt::test {

// What a person working without a mouse meets on a window.

// The Alt letters that two visible controls of the window (buttons, options,
// frames, labels of a field, the menu bar's menus) both claim, one line per
// letter: "Alt+D: Command_Inactivate, mnuData".
QStringList MnemonicClashes(QWidget &window);

// The controls Tab visits from the one with the focus until the focus comes
// back to it, by object name (class name when unnamed). The chain ends with
// "STUCK" when a Tab left the focus where it was, and with "LOST" when no
// control had it.
QStringList TabChain(QWidget &window);

// The controls a person can reach with Tab (visible, enabled, taking the
// focus from Tab; of a group of options the checked one) that the chain
// given misses.
QStringList UnreachedByTab(QWidget &window, const QStringList &chain);

}  // namespace zolt::test
