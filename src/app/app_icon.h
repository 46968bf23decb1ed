#pragma once

#include <QIcon>
#include <QPixmap>

namespace zolt::app {

// The program's picture: a "Z" on a cyan-to-blue tile.
QPixmap AppPixmap(int size);
QIcon AppIcon();

// A small printer, the About box's "print this form" picture.
QPixmap PrinterPixmap(int size);

}  // namespace zolt::app
