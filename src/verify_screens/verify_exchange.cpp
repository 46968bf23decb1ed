// The list's exchange of Verify.csv: the export, the two imports and their
// help, each run with the other commands at rest.

#include "verify_navigator.h"
#include "verify_numbers.h"

#include "common/progress_count.h"
#include "common/session.h"
#include "store/data_environment.h"
#include "verify/verify_csv.h"
#include "verify/verify_csv_import.h"
#include "widgets/data_grid.h"

#include <QGroupBox>
#include <QLineEdit>

namespace zolt::verify_screens {

void Verify_Numbers::exchangeRunning(bool running)
{
    if (running)
        DisableCommands(true, true);
    m_frameExchange->setEnabled(!running);
}

void Verify_Numbers::Command_Export_Click()
{
    QString step = QStringLiteral("  1");
    exchangeRunning(true);
    m_textMsg->setText(verify::ExportWaitText);
    m_session.ui.letEventsRun();
    bool clearMessage = true;
    try {
        step = QStringLiteral("  2 Remove Verify.csv");
        const QString done = verify::ExportCompleteText(verify::ExportVerifyCsv(m_session, verify::VerifyCsvPath(), step));
        m_textMsg->setText(done);
        step = QStringLiteral(" 65");
        m_session.ui.message(done, MessageIcon::Information);
        step = QStringLiteral(" 68");
    } catch (const WorkStopped &) {
    } catch (const std::exception &e) {
        m_textMsg->setText(verify::ExportFailedLine(step));
        m_session.ui.message(verify::ExportFailedBox(step, e), MessageIcon::Critical);
        clearMessage = false;
    }
    exchangeRunning(false);
    EnableCommands(clearMessage, true);
}

// The list shows what the import left, counted anew, whether it ran to the
// end or not.
void Verify_Numbers::importFile(const QString &mode)
{
    exchangeRunning(true);
    const CancellableWork work(m_session.ui);
    const bool whole = verify::ImportVerifyCsv(m_session, mode, verify::VerifyCsvPath());
    readFolios(m_session.de.rsVerify().source());
    if (m_session.de.rsVerify().recordCount() > 0)
        m_session.de.rsVerify().moveFirst();
    if (work.cancelled()) {
        m_textMsg->setText(verify::ImportCancelledText(mode));
    } else {
        const QString text = whole ? verify::ImportCompleteText(mode) : verify::ImportAbnormalText(mode);
        m_textMsg->setText(text);
        m_session.ui.message(text, whole ? MessageIcon::Information : MessageIcon::Critical);
    }
    exchangeRunning(false);
    EnableCommands(!work.cancelled(), true);
    m_grid->setFocus();
}

void Verify_Numbers::showHelp(const QString &title, const QString &text)
{
    m_session.shared.gInfoKind = QStringLiteral("Informational");
    m_session.shared.gInfoTitle = title;
    m_session.shared.gInfoText = text;
    m_navigator.showInformationDialog();
}

}  // namespace zolt::verify_screens
