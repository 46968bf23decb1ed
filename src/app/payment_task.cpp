#include "payment_task.h"
#include "common/clock.h"

#include "saving_state.h"
#include "task_host.h"

#include "common/session.h"
#include "payment_screens/payment_navigator.h"
#include "payment/payment_format.h"
#include "payment/payment_load.h"
#include "payment/payment_task_rules.h"
#include "store/zolt_system.h"

#include <optional>

namespace zolt::app {
namespace {

// Back to the choice of a file after a load that cannot go on.
void giveBackTheChoice(TaskHost &host, Session &session, const QString &message, const QString &line)
{
    session.ui.setBusy(false);
    session.ui.message(message, MessageIcon::Critical, payment::ZoltDataTitle);
    host.setMessage(line);
    host.enableButtons();
}

// Loads the chosen file; answers whether the payment data may be worked on.
bool loadPaymentFile(TaskHost &host, Session &session)
{
    host.setMessage(QStringLiteral("Setting up Zolt data, please wait..."));
    session.ui.setBusy(true);
    session.ui.letEventsRun();
    const CancellableWork work(session.ui);
    const payment::PaymentLoadResult loaded = payment::Csv2Mdb(session, host.selectedPath());
    session.ui.setBusy(false);
    if (session.ui.stopRequested())
        return false;
    if (work.cancelled()) {
        host.setMessage(LoadCancelledLine);
        host.setFramesVisible(true, true);
        host.enableButtons();
        return false;
    }
    using Outcome = payment::PaymentLoadResult::Outcome;
    if (loaded.outcome == Outcome::YearRefused || loaded.outcome == Outcome::NoYear) {
        // Without a year the data could be written back under a wrong one.
        giveBackTheChoice(host, session, payment::FutureYearMessage(loaded.fileYear),
                          payment::FutureYearLine(loaded.fileYear));
        return false;
    }
    if (!loaded.loaded()) {
        giveBackTheChoice(host, session, payment::LoadFailedMessage, payment::LoadFailedMessage);
        host.setFramesVisible(true, true);
        return false;
    }
    if (loaded.duplicates.found) {
        giveBackTheChoice(host, session, payment::DuplicatesMessage, payment::LoadFailedMessage);
        host.setFramesVisible(true, true);
        host.paymentScreens().showDuplicateFolios(loaded.duplicates);
        host.setMessage(payment::DuplicatesMessage);
        session.ui.setBusy(false);
        return false;
    }
    if (!loaded.looseValues.isEmpty())
        session.ui.message(payment::LooselyReadValuesMessage(loaded.looseValues), MessageIcon::Information,
                           payment::ZoltDataTitle);
    return true;
}

// The year check: answers whether the data is another year's (historical),
// or nothing when the data is refused.
std::optional<bool> acceptDataYear(TaskHost &host, Session &session, const QString &dataYear)
{
    switch (payment::CheckDataYear(dataYear, CurrentYear(), host.historicalDataAllowed())) {
    case payment::DataYearCheck::Current:
        return false;
    case payment::DataYearCheck::Historical:
        return true;
    case payment::DataYearCheck::NotCurrent:
        giveBackTheChoice(host, session, payment::NotCurrentYearMessage(dataYear, CurrentYear()),
                          payment::NotCurrentYearLine(dataYear));
        return std::nullopt;
    case payment::DataYearCheck::Future:
        giveBackTheChoice(host, session, payment::FutureYearMessage(dataYear), payment::FutureYearLine(dataYear));
        return std::nullopt;
    }
    return std::nullopt;
}

// Writes the payment data back over the loaded file (or where the user says
// after a failure); answers whether it went to the loaded file. Nothing is
// written once the user has asked to stop.
bool savePaymentFile(TaskHost &host, Session &session, const QString &dataYear, bool historical)
{
    if (!EnterSavingState(host, session, historical))
        return false;
    const QString path = host.selectedPath();
    const payment::SaveOutcome outcome =
        payment::SavePaymentFile(session, dataYear, path, payment::PaymentBackupPath(path), historical);
    host.setSelectedPath(outcome.path);
    if (outcome.saved)
        host.hideWindow();
    session.ui.setBusy(false);
    return outcome.saved && !outcome.savedElsewhere;
}

}  // namespace

void runPaymentTask(TaskHost &host, Session &session)
{
    if (!loadPaymentFile(host, session))
        return;
    const QString dataYear = ZoltSystem(session.de).dataYear();
    const std::optional<bool> historical = acceptDataYear(host, session, dataYear);
    if (!historical)
        return;
    host.hideWindow();
    host.paymentScreens().showGroup();
    // The return instructions follow a save to the file that was loaded.
    if (savePaymentFile(host, session, dataYear, *historical))
        host.paymentScreens().showReturnInstructions();
    host.closeWindow();
}

}  // namespace zolt::app
