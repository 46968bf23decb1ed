#pragma once

#include <QString>
#include <QWidget>
#include <QtGlobal>

namespace zolt::test {

// A control of a window by its object name; a missing one ends the test.
template <typename W>
W *child(QWidget &window, const char *name)
{
    W *w = window.findChild<W *>(QString::fromLatin1(name));
    if (!w)
        qFatal("no control %s", name);
    return w;
}

}  // namespace zolt::test
