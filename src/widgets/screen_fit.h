#pragma once

#include <QRect>

class QWidget;

namespace zolt {

// The part of the window's screen that windows may take (the desktop less
// its panels).
QRect AvailableArea(const QWidget *window);

// The largest size of the window's inside whose outer frame (title bar and
// borders) still fits the available area. Before the window manager has
// framed the window, the style's title bar and borders stand in for it.
QSize LargestInsideSize(const QWidget *window);

// The window put at the available area's top left corner with the size asked
// for, made smaller where its frame would run off the screen.
void PlaceAtTopLeft(QWidget *window, QSize size);

// The window (a box or a progress dialog) centred over its owner's frame, or
// over the available area when it has none, and kept inside that area.
void CentreOver(QWidget *window, const QWidget *owner);

}  // namespace zolt
