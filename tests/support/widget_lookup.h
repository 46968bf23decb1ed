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
#include <functional>
#include <memory>

namespace zolt::test {

// Closes the next modal dialog as soon as it shows; answers what `describe`
// said of it (by default its object name), empty until it was seen. It stops
// looking once the answer is dropped.
inline std::shared_ptr<QString> closeNextModal(
    std::function<QString(QWidget *)> describe = [](QWidget *w) { return w->objectName(); })
{
    auto shown = std::make_shared<QString>();
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer = std::weak_ptr<QString>(shown), describe] {
        const std::shared_ptr<QString> shown = answer.lock();
        if (!shown) {
            poll->deleteLater();
            return;
        }
        if (QWidget *w = QApplication::activeModalWidget()) {
            *shown = describe(w);
            w->close();
            poll->deleteLater();
        }
    });
    poll->start(10);
    return shown;
}

}  // namespace zolt::test
