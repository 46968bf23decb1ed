#include "screen_navigator.h"

#include "about.h"

#include "common/session.h"
#include "information_dialog.h"
#include "user_guide.h"
#include "payment_screens/detail.h"
#include "payment_screens/detail_delete.h"
#include "payment_screens/detail_entry.h"
#include "payment_screens/detail_search.h"
#include "payment_screens/duplicate_folios.h"
#include "payment_screens/group.h"
#include "payment_screens/group_agency.h"
#include "payment_screens/zolt_return_instructions.h"
#include "verify_screens/verify_entry.h"
#include "verify_screens/verify_numbers.h"
#include "verify_screens/verify_numbers_search.h"
#include "verify_screens/verify_return.h"
#include "verify_screens/zolt_return_instructions2.h"
#include "widgets/screen_fit.h"

#include <QDir>
#include <QFileInfo>

namespace zolt::app {
namespace {

namespace ps = payment_screens;
namespace vs = verify_screens;

}  // namespace

int ScreenNavigator::run(QDialog &screen)
{
    return screen.exec();
}

// Builds the screen over the parent, lets it load its data and runs it.
template <typename Screen, typename... Arguments>
int ScreenNavigator::open(Arguments &&...arguments)
{
    Screen screen(std::forward<Arguments>(arguments)..., m_parent);
    screen.Form_Load();
    FitInAvailableArea(&screen);
    return run(screen);
}

void ScreenNavigator::showDuplicateFolios(const payment::DuplicateFolioStore &duplicates)
{
    open<ps::DuplicateFolios>(m_session, duplicates);
}

void ScreenNavigator::showGroup() { open<ps::Group>(m_session, *this); }
void ScreenNavigator::showGroupAgency() { open<ps::Group_Agency>(m_session); }
void ScreenNavigator::showDetail() { open<ps::Detail>(m_session, *this); }
void ScreenNavigator::showReturnInstructions() { open<ps::ZOLT_ReturnInstructions>(m_session); }
void ScreenNavigator::showDetailAdd() { open<ps::DetailEntry>(ps::DetailEntry::Kind::Add, m_session, *this); }
void ScreenNavigator::showDetailChange() { open<ps::DetailEntry>(ps::DetailEntry::Kind::Change, m_session, *this); }
void ScreenNavigator::showDetailDelete() { open<ps::Detail_Delete>(m_session); }
void ScreenNavigator::showDetailSearch() { open<ps::Detail_Search>(m_session); }
void ScreenNavigator::showReturnInstructions2() { open<vs::ZOLT_ReturnInstructions2>(m_session); }

bool ScreenNavigator::showVerifyNumbers()
{
    return open<vs::Verify_Numbers>(m_session, *this) != vs::Verify_Numbers::ClosedWithoutSaving;
}

void ScreenNavigator::showVerifyNumberAdd() { open<vs::VerifyEntry>(vs::VerifyEntry::Kind::Add, m_session); }
void ScreenNavigator::showVerifyNumberChange() { open<vs::VerifyEntry>(vs::VerifyEntry::Kind::Change, m_session); }
void ScreenNavigator::showVerifyNumberDelete() { open<vs::VerifyEntry>(vs::VerifyEntry::Kind::Delete, m_session); }
void ScreenNavigator::showVerifyNumbersSearch() { open<vs::Verify_Numbers_Search>(m_session); }
void ScreenNavigator::showVerifyReturn() { open<vs::Verify_Return>(m_session); }

void ScreenNavigator::showInformationDialog()
{
    Form_InformationDialog screen(m_session.shared, m_parent);
    FitInAvailableArea(&screen);
    run(screen);
}

void ScreenNavigator::showUserGuide(const QString &guidePath)
{
    if (!QFileInfo::exists(guidePath)) {
        m_session.ui.message(QStringLiteral("The user guide was not found at %1. Install Zolt again to restore it.")
                                 .arg(QDir::toNativeSeparators(guidePath)),
                             MessageIcon::Exclamation);
        return;
    }
    UserGuide screen(guidePath, m_parent);
    run(screen);
}

void ScreenNavigator::showAbout()
{
    About screen(m_session.ui, m_parent);
    FitInAvailableArea(&screen);
    run(screen);
}

}  // namespace zolt::app
