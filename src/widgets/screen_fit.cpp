#include "screen_fit.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace zolt {

namespace {

QSize FrameExtra(const QWidget *window)
{
    const QSize framed = window->frameGeometry().size() - window->geometry().size();
    if (framed.width() > 0 || framed.height() > 0)
        return framed;
    const QStyle *style = window->style();
    const int border = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, window);
    return {2 * border, style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window) + 2 * border};
}

}  // namespace

QRect AvailableArea(const QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

QSize LargestInsideSize(const QWidget *window)
{
    return (AvailableArea(window).size() - FrameExtra(window)).expandedTo(QSize(1, 1));
}

void PlaceAtTopLeft(QWidget *window, QSize size)
{
    const QSize largest = LargestInsideSize(window);
    window->setMinimumSize(window->minimumSizeHint().boundedTo(largest));
    window->move(AvailableArea(window).topLeft());
    window->resize(size.boundedTo(largest));
}

int FontScaled(const QWidget *widget, int pixels)
{
    constexpr int UsualFontHeight = 17;  // 10-point text at 96 DPI
    return std::max(pixels, pixels * widget->fontMetrics().height() / UsualFontHeight);
}

void FitInAvailableArea(QWidget *window)
{
    window->ensurePolished();
    if (window->layout())
        window->layout()->activate();
    const QSize largest = LargestInsideSize(window);
    if (window->minimumWidth() > largest.width() || window->minimumHeight() > largest.height())
        window->setMinimumSize(window->minimumSize().boundedTo(largest));
    window->resize(window->size().boundedTo(largest));
    if (!window->testAttribute(Qt::WA_Moved))
        return;  // the window system places it, inside the area
    const QRect area = AvailableArea(window);
    const QSize outer = window->size() + FrameExtra(window);
    window->move(std::clamp(window->x(), area.left(), std::max(area.left(), area.right() + 1 - outer.width())),
                 std::clamp(window->y(), area.top(), std::max(area.top(), area.bottom() + 1 - outer.height())));
}

void CentreOver(QWidget *window, const QWidget *owner)
{
    const QRect area = AvailableArea(owner ? owner : window);
    const QRect over = owner ? owner->frameGeometry() : area;
    const QSize outer = window->size() + FrameExtra(window);
    auto within = [](int wanted, int low, int high) { return std::clamp(wanted, low, std::max(low, high)); };
    window->move(within(over.center().x() - outer.width() / 2, area.left(), area.right() + 1 - outer.width()),
                 within(over.center().y() - outer.height() / 2, area.top(), area.bottom() + 1 - outer.height()));
}

}  // namespace zolt
