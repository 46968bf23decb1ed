#include "screen_script.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QWidget>

namespace zolt::test {
namespace {

// How long a step waits for its screen.
constexpr qint64 PatienceMs = 15000;

}  // namespace

QWidget *FacedScreen()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

ScreenScript::ScreenScript()
{
    m_timer.setInterval(20);
    connect(&m_timer, &QTimer::timeout, this, &ScreenScript::tick);
}

ScreenScript &ScreenScript::on(const QString &screen, Act act)
{
    m_steps.push_back({screen, std::move(act)});
    return *this;
}

void ScreenScript::start()
{
    m_waiting.start();
    m_timer.start();
}

void ScreenScript::tick()
{
    QWidget *faced = FacedScreen();
    if (!m_failure.isEmpty()) {
        // A failed script closes every screen that comes up, so that the
        // flow under test returns.
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            dialog->reject();
        return;
    }
    const bool expected = !m_steps.empty() && faced && faced->isVisible()
                          && faced->objectName() == m_steps.front().screen;
    if (!expected) {
        if (m_waiting.elapsed() > PatienceMs && (!m_steps.empty() || QApplication::activeModalWidget()))
            fail(m_steps.empty() ? QStringLiteral("the script is done, the program still shows %1")
                                       .arg(QApplication::activeModalWidget()->objectName())
                                 : QStringLiteral("waited for %1, the user faces %2")
                                       .arg(m_steps.front().screen,
                                            faced ? faced->objectName() : QStringLiteral("no screen")));
        return;
    }
    Step step = std::move(m_steps.front());
    m_steps.erase(m_steps.begin());
    m_visited << step.screen;
    m_waiting.restart();
    // Acting may open a screen whose modal loop runs inside the act: it runs
    // from a timer of its own, so that this one goes on ticking from there.
    // The window system gives the keyboard back to the screen a closed one
    // was opened over; the offscreen platform does not.
    QTimer::singleShot(0, faced, [act = std::move(step.act), faced] {
        if (!faced->isActiveWindow()) {
            faced->activateWindow();
            (void)QTest::qWaitForWindowActive(faced);
        }
        act(*faced);
    });
}

void ScreenScript::fail(const QString &why)
{
    m_failure = why;
    m_steps.clear();
}

}  // namespace zolt::test
