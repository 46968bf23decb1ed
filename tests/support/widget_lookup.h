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

#include <QApplication>
#include <QTimer>
#include <memory>

namespace zolt::test {

// Closes the next modal dialog as soon as it shows; answers the dialog's
// object name once it was seen (empty until then).
inline std::shared_ptr<QString> closeNextModal()
{
    auto shown = std::make_shared<QString>();
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, shown] {
        if (QWidget *w = QApplication::activeModalWidget()) {
            *shown = w->objectName();
            w->close();
            poll->deleteLater();
        }
    });
    poll->start(10);
    return shown;
}

}  // namespace zolt::test
