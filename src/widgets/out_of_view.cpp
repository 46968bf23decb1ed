#include "out_of_view.h"

#include "screen_controls.h"

#include <QGuiApplication>
#include <QScreen>

namespace zolt {
namespace {

// The screen moves this far left, and at least far enough to clear every
// monitor: a wide window could still show its right edge otherwise.
constexpr int ShiftTwips = 20000;

int shiftFor(const QWidget &screen)
{
    int left = screen.x();
    if (const QScreen *primary = QGuiApplication::primaryScreen())
        left = std::min(left, primary->virtualGeometry().left());
    const int clear = screen.x() - left + screen.frameGeometry().width() + 100;
    return std::max(TwipsToPixels(ShiftTwips, &screen), clear);
}

}  // namespace

OutOfView::OutOfView(QWidget *screen) : m_screen(screen), m_position(screen->pos())
{
    screen->move(m_position.x() - shiftFor(*screen), m_position.y());
}

OutOfView::~OutOfView()
{
    if (!m_screen)
        return;
    m_screen->move(m_position);
    m_screen->raise();
    m_screen->activateWindow();
}

}  // namespace zolt
