#pragma once

#include <QPoint>
#include <QPointer>
#include <QWidget>

namespace zolt {

// Takes a screen out of view while a child screen it opened runs, and puts
// it back where it was when the child closes. The screen stays shown: a
// dialog that hides itself ends its own modal loop, and the user would be
// thrown out of the screen. It is moved left of every monitor instead (on
// a platform that does not let a program place windows, it simply stays
// behind the child).
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
