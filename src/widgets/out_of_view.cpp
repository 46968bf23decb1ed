#include "out_of_view.h"

namespace zolt {

OutOfView::OutOfView(QWidget *screen) : m_screen(screen), m_position(screen->pos())
{
    screen->QWidget::setVisible(false);
}

OutOfView::~OutOfView()
{
    if (!m_screen)
        return;
    m_screen->move(m_position);
    m_screen->QWidget::setVisible(true);
    m_screen->raise();
    m_screen->activateWindow();
}

}  // namespace zolt
