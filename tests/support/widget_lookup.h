#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QRadioButton>
#include <QString>
#include <QTest>
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

// Clicks a control as a person does: a check box or an option on its box,
// a button in its middle.
inline void click(QWidget &window, const char *name)
{
    auto *button = child<QAbstractButton>(window, name);
    const bool boxed = qobject_cast<QCheckBox *>(button) || qobject_cast<QRadioButton *>(button);
    QTest::mouseClick(button, Qt::LeftButton, {}, boxed ? QPoint(6, button->height() / 2) : QPoint());
}

}  // namespace zolt::test
