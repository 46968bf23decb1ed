#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <vector>

class QWidget;

namespace zolt::test {

// Plays a person on the program's real screens, modal loops and all. Each
// step names the screen it expects: once that screen is the one the user
// faces (the active modal window, its exec() running), the step acts on it
// from a timer, as a click or a key would arrive. A step whose screen does
// not come up in time, or a screen left up after the last step, fails the
// script, which then closes every screen that comes up, so that a broken
// flow ends the test instead of hanging it.
class ScreenScript : public QObject {
public:
    using Act = std::function<void(QWidget &screen)>;

    ScreenScript();

    // The next step: when `screen` is up, `act` on it.
    ScreenScript &on(const QString &screen, Act act);
    // Starts watching; steps run from the event loops the program runs.
    void start();

    bool finished() const { return m_steps.empty() && m_failure.isEmpty(); }
    // Why the script stopped early; empty when it did not.
    QString failure() const { return m_failure; }
    // The screens acted on, in order.
    const QStringList &visited() const { return m_visited; }

private:
    struct Step {
        QString screen;
        Act act;
    };
    void tick();
    void fail(const QString &why);

    std::vector<Step> m_steps;
    QTimer m_timer;
    QElapsedTimer m_waiting;
    QStringList m_visited;
    QString m_failure;
};

// The screen the user faces: the active modal window, else the active window.
QWidget *FacedScreen();

}  // namespace zolt::test
