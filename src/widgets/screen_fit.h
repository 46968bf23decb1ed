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

// A size the screen was drawn with, in pixels at the usual font, grown in
// proportion to a larger font (a larger system font, a higher font DPI), so
// that the texts of a window of fixed size still fit in it.
int FontScaled(const QWidget *widget, int pixels);

// The window made to fit the available area before it opens: its size, and
// the smallest size its layout asks for, no larger than the area allows; a
// window placed already is moved back inside. Every top-level window goes
// through here, whatever the scale and font make of its fixed sizes.
void FitInAvailableArea(QWidget *window);

// The window (a box or a progress dialog) centred over its owner's frame, or
// over the available area when it has none, and kept inside that area.
void CentreOver(QWidget *window, const QWidget *owner);

}  // namespace zolt
