#include "duplicate_folios.h"

#include "common/errors.h"
#include "common/session.h"
#include "widgets/screen_controls.h"
#include "widgets/table_report.h"
#include "store/data_environment.h"
#include "store/zolt_system.h"
#include "payment/duplicate_detail.h"
#include "payment/duplicate_lines.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace zolt::payment_screens {
DuplicateFolios::DuplicateFolios(Session &session, const payment::DuplicateFolioStore &duplicates, QWidget *parent)
    : QDialog(parent), m_session(session), m_duplicates(duplicates)
{
    setObjectName(QStringLiteral("DuplicateFolios"));
    setWindowTitle(QStringLiteral("ZOLT - Duplicate Folios"));
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);

    QLabel *intro = MakeLabel("Label1", QStringLiteral(
        "There are duplicate folios in the ZOLT data file. There is a unique index that prevents duplication of "
        "the exact same { Mortgage/Bulk Company (Agency), Collection District, Jurisdiction, Folio Number, and "
        "Name }. Please examine the input ZOLT file and remove or fix the following duplicate folios. Note this "
        "list only shows the first 200 duplicate folios."), this);
    intro->setWordWrap(true);
    m_folioCount = MakeLabel("Label_FolioCount", QStringLiteral("There are # Duplicate Folios in the file"), this);
    QLabel *heading = MakeLabel("Label2", payment::DuplicateListHeading(duplicates), this);
    heading->setFont(fixed);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List_DuplicateFolios"));
    m_list->setFont(fixed);
    // The heading starts where the list's texts do: past its frame and the
    // margin the style keeps before an item's text.
    heading->setIndent(m_list->frameWidth()
                       + m_list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_list) + 1);
    m_list->setToolTip(QStringLiteral("AGENCY NUMBER, COLLECTION DISTRICT, JURISDICTION, FOLIO NUMBER,  NAME OF "
                                      "OWNER, PAYMENT AMOUNT, LEGAL DESCRIPTION"));

    m_commandPrint = MakeButton("Command_Print", QStringLiteral("&Print"), QString(), this);
    connect(m_commandPrint, &QPushButton::clicked, this, &DuplicateFolios::Command_Print_Click);
    QPushButton *close = MakeButton("Command_OK", QStringLiteral("&Close"), QStringLiteral("Close this screen"), this);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_commandPrint);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_folioCount);
    layout->addWidget(heading);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    const int width = QFontMetrics(fixed).horizontalAdvance(heading->text() + u'M');
    resize(width + 40, 480);
}

void DuplicateFolios::Form_Load()
{
    fillList();
    fillDetailTable();
}

void DuplicateFolios::fillList()
{
    const payment::DuplicateFolioStore &store = m_duplicates;
    m_list->clear();
    m_list->addItems(payment::DuplicateListLines(store));
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
    m_folioCount->setText(payment::DuplicateCountLine(store.count));
    m_session.ui.letEventsRun();
}

void DuplicateFolios::fillDetailTable()
{
    try {
        payment::FillDetailWithDuplicates(m_session, m_duplicates);
    } catch (const ZoltError &e) {
        m_session.ui.message(QStringLiteral("The duplicate folios could not be put into the Detail table for "
                                            "printing: error #%1 %2")
                                 .arg(NumberWithSignPlace(e.number()), e.description()),
                             MessageIcon::Critical);
    }
    m_session.ui.setBusy(false);
    m_session.ui.letEventsRun();
}

TableReport DuplicateFoliosReport(const payment::DuplicateFolioStore &store)
{
    QList<ReportColumn> columns;
    const std::vector<int> widths = payment::DuplicateColumnWidths(store);
    for (size_t c = 0; c < widths.size(); ++c) {
        const payment::DuplicateColumn &column = payment::DuplicateColumns()[c];
        columns.append({column.heading, widths[c], column.alignRight});
    }
    TableReport report(QStringLiteral("Duplicate Folios"), columns);
    report.setSubtitle(payment::DuplicateCountLine(store.count));
    const int rows = payment::DuplicateListedRows(store);
    for (int i = 0; i < rows; ++i)
        report.addRow(payment::DuplicateCells(store.rows[size_t(i)]));
    report.setClosingLine(QStringLiteral("******************* END OF REPORT ********************"));
    return report;
}

// Prints the listed duplicates, as the list shows them.
void DuplicateFolios::Command_Print_Click()
{
    m_commandPrint->setEnabled(false);
    const BusyScope busy(m_session.ui);
    m_folioCount->setText(QStringLiteral("Printing ..."));
    m_session.ui.letEventsRun();
    Recordset &details = m_session.de.rsDetail();
    try {
        details.ensureOpen();
        const std::optional<RememberedFile> file = ZoltSystem(m_session.de).rememberedFile();
        const QString said = PrintReport(DuplicateFoliosReport(m_duplicates),
                                         QStringLiteral("DuplicateFolios"),
                                         file ? QFileInfo(file->path()).absolutePath() : QString());
        if (details.recordCount() > 0)
            details.moveFirst();
        m_folioCount->setText(said);
    } catch (const std::exception &e) {
        m_folioCount->setText(QStringLiteral("The list could not be printed."));
        m_session.ui.message(QStringLiteral("The list could not be printed. %1").arg(QString::fromLocal8Bit(e.what())),
                             MessageIcon::Critical);
    }
    m_commandPrint->setEnabled(true);
}

}  // namespace zolt::payment_screens
