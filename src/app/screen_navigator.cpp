#include "screen_navigator.h"

#include "about.h"

#include "common/session.h"
#include "information_dialog.h"
#include "payment_screens/detail.h"
#include "payment_screens/detail_delete.h"
#include "payment_screens/detail_entry.h"
#include "payment_screens/detail_search.h"
#include "payment_screens/duplicate_folios.h"
#include "payment_screens/group.h"
#include "payment_screens/group_agency.h"
#include "payment_screens/zolt_return_instructions.h"
#include "verify_screens/zolt_return_instructions2.h"

namespace zolt::app {

int ScreenNavigator::run(QDialog &screen)
{
    return screen.exec();
}

void ScreenNavigator::showDuplicateFolios()
{
    payment_screens::DuplicateFolios screen(m_session, m_parent);
    screen.Form_Load();
    run(screen);
}

void ScreenNavigator::showGroup()
{
    payment_screens::Group screen(m_session, *this, m_parent);
    screen.Form_Load();
    run(screen);
}

void ScreenNavigator::showGroupAgency()
{
    payment_screens::Group_Agency screen(m_session, m_parent);
    screen.Form_Load();
    run(screen);
}

void ScreenNavigator::showDetail()
{
    payment_screens::Detail screen(m_session, *this, m_parent);
    screen.Form_Load();
    run(screen);
}

void ScreenNavigator::showReturnInstructions()
{
    payment_screens::ZOLT_ReturnInstructions screen(m_session, m_parent);
    screen.Form_Load();
    run(screen);
}

void ScreenNavigator::showDetailAdd()
{
    payment_screens::DetailEntry screen(payment_screens::DetailEntry::Kind::Add, m_session, *this, m_parent);
    screen.Form_Load();
    run(screen);
}

void ScreenNavigator::showDetailChange()
{
    payment_screens::DetailEntry screen(payment_screens::DetailEntry::Kind::Change, m_session, *this, m_parent);
    screen.Form_Load();
    run(screen);
}

void ScreenNavigator::showDetailDelete()
{
    payment_screens::Detail_Delete screen(m_session, m_parent);
    screen.Form_Load();
    run(screen);
}

void ScreenNavigator::showDetailSearch()
{
    payment_screens::Detail_Search screen(m_session, m_parent);
    screen.Form_Load();
    run(screen);
}

void ScreenNavigator::showInformationDialog()
{
    Form_InformationDialog screen(m_session.shared, m_parent);
    run(screen);
}

void ScreenNavigator::showReturnInstructions2()
{
    verify_screens::ZOLT_ReturnInstructions2 screen(m_session, m_parent);
    screen.Form_Load();
    run(screen);
}

void ScreenNavigator::showAbout()
{
    About screen(m_session.ui, m_parent);
    run(screen);
}

}  // namespace zolt::app
