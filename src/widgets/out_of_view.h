#pragma once

#include <QPoint>
#include <QPointer>
#include <QWidget>

namespace zolt {

// Takes a screen out of view while a child screen it opened runs, and puts
// it back where it was when the child closes. A dialog's own hide ends its
// modal loop, which would throw the user out of the screen; moving it off
// the monitors is not enough either, as window managers keep part of a
// window on screen. So the window is hidden as a plain widget would be,
// its modal loop running on.
class OutOfView {
public:
    explicit OutOfView(QWidget *screen);
    ~OutOfView();
    OutOfView(const OutOfView &) = delete;
    OutOfView &operator=(const OutOfView &) = delete;

private:
    QPointer<QWidget> m_screen;
    QPoint m_position;
};

}  // namespace zolt
