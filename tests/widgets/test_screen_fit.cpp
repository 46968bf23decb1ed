// Where boxes and progress dialogs open: over the window at work, never off
// the screen.

#include "widgets/screen_fit.h"

#include <QDialog>
#include <QVBoxLayout>
#include <QScreen>
#include <QStyle>
#include <QtTest>

using namespace zolt;

namespace {

// Before a window is framed its frame is the style's guess; this platform
// draws none. The centres may differ by that much, no more.
bool nearlyOver(const QRect &placed, const QRect &over, const QWidget *window)
{
    const QPoint offset = placed.center() - over.center();
    const int guess = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window) +
                      2 * window->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, window);
    return std::abs(offset.x()) <= guess && std::abs(offset.y()) <= guess;
}

}  // namespace

class TestScreenFit : public QObject {
    Q_OBJECT

private slots:
    void centredOverTheOwnerAndKeptOnTheScreen()
    {
        QWidget owner;
        owner.setGeometry(200, 150, 500, 300);
        owner.show();
        QDialog box(&owner);
        box.resize(220, 90);
        CentreOver(&box, &owner);
        box.show();
        QVERIFY(nearlyOver(box.frameGeometry(), owner.frameGeometry(), &box));

        // An owner hanging over the screen's corner: the box stays inside.
        const QRect area = AvailableArea(&owner);
        owner.move(area.right() - 100, area.bottom() - 50);
        CentreOver(&box, &owner);
        QVERIFY(area.contains(box.frameGeometry().bottomRight()));
        QVERIFY(area.contains(box.frameGeometry().topLeft()));

        // No owner: the middle of the screen.
        QDialog alone;
        alone.resize(220, 90);
        CentreOver(&alone, nullptr);
        alone.show();
        QVERIFY(nearlyOver(alone.frameGeometry(), area, &alone));
    }

    // A window larger than the screen, even one whose content asks for more
    // than the screen has, opens inside the available area; one placed
    // past its edge comes back inside, keeping its size.
    void fittedInsideTheAvailableArea()
    {
        QDialog big;
        auto *content = new QWidget;
        const QRect area = AvailableArea(&big);
        content->setMinimumSize(area.size() * 3);
        (new QVBoxLayout(&big))->addWidget(content);
        big.resize(area.size() * 4);
        FitInAvailableArea(&big);
        big.show();
        QVERIFY(area.contains(big.frameGeometry()));

        QDialog placed;
        placed.resize(300, 200);
        placed.move(area.right() - 50, area.bottom() - 20);
        FitInAvailableArea(&placed);
        placed.show();
        QVERIFY(area.contains(placed.frameGeometry()));
        QCOMPARE(placed.size(), QSize(300, 200));
    }
};

QTEST_MAIN(TestScreenFit)
#include "test_screen_fit.moc"
