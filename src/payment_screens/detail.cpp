#include "detail.h"

#include "detail_report.h"
#include "payment_columns.h"

#include "common/product.h"
#include "common/session.h"
#include "widgets/data_grid.h"
#include "payment_navigator.h"
#include "widgets/screen_controls.h"
#include "payment/payment_export.h"
#include "payment/payment_format.h"
#include "payment/payment_orders.h"
#include "store/data_environment.h"
#include "store/zolt_system.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QScreen>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace zolt::payment_screens {
namespace {

// The smallest the window may be, in twips.
constexpr int MinimumWidthTwips = 9645;
constexpr int MinimumHeightTwips = 6450;

}  // namespace

Detail::Detail(Session &session, PaymentNavigator &navigator, QWidget *parent)
    : QDialog(parent), m_session(session), m_navigator(navigator)
{
    setObjectName(QStringLiteral("Detail"));
    setWindowTitle(ProductName());
    buildControls();
    setMinimumSize(TwipsToPixels(MinimumWidthTwips, this), TwipsToPixels(MinimumHeightTwips, this));
    // Wide enough for every column where the screen allows.
    const int columns = m_grid->horizontalHeader()->length() + 60;
    const QRect screen = this->screen() ? this->screen()->availableGeometry() : QRect(0, 0, 1000, 600);
    resize(std::clamp(columns, minimumWidth(), std::max(minimumWidth(), screen.width() * 9 / 10)),
           std::clamp(screen.height() * 3 / 4, minimumHeight(), std::max(minimumHeight(), 700)));
}

void Detail::buildControls()
{
    m_textMsg = MakeMessageLine(QString(), this);
    m_grid = Named(new DataGrid(this), "TDBGrid");
    m_grid->setColumns(PaymentListColumns());
    QPushButton *close = MakeButton("Command_Close", QStringLiteral("Close"), QStringLiteral("Close this window"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_grid, &DataGrid::rowColChange, this, [this] {
        m_textMsg->clear();
        updateButtons();
    });
    connect(m_grid, &DataGrid::rowActivated, this, [this] { openChild(&PaymentNavigator::showDetailChange); });

    auto *top = new QHBoxLayout;
    top->addWidget(buildSortFrame());
    top->addWidget(buildPaymentFrame(), 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_textMsg, 1);
    bottom->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);
    layout->addLayout(bottom);
}

QWidget *Detail::buildSortFrame()
{
    QGroupBox *frame = MakeFrame("Frame2", QStringLiteral("<Sort Order>"), this);
    auto *layout = new QVBoxLayout(frame);
    for (const payment::PaymentOrder &order : payment::PaymentOrders()) {
        QRadioButton *option = MakeOption(order.option, order.caption, frame);
        layout->addWidget(option);
        m_orders.append({option, &order});
    }
    m_orders.first().option->setChecked(true);
    for (const SortOrder &order : std::as_const(m_orders))
        connect(order.option, &QRadioButton::toggled, this, [this, order](bool on) {
            if (on)
                Option_Sort_Click(order);
        });
    return frame;
}

QWidget *Detail::buildPaymentFrame()
{
    QGroupBox *frame = MakeFrame("Frame1", QStringLiteral("<Payment>"), this);
    auto *layout = new QHBoxLayout(frame);
    // Adding, changing, deleting and finding payments open their own screens.
    using Open = void (PaymentNavigator::*)();
    for (const auto &[name, caption, tip, child] : std::initializer_list<std::tuple<const char *, const char *, const char *, Open>>{
             {"Command_AddDetail", "&Add", "Add a new payment", &PaymentNavigator::showDetailAdd},
             {"Command_ChangeDetail", "&Change", "Change the selected payment", &PaymentNavigator::showDetailChange},
             {"Command_DeleteDetail", "&Delete", "Delete the selected payment", &PaymentNavigator::showDetailDelete},
             {"Command_Search", "&Find", "Search for a specific payment", &PaymentNavigator::showDetailSearch}}) {
        QPushButton *button = MakeButton(name, QLatin1String(caption), QLatin1String(tip), frame);
        layout->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, child] { openChild(child); });
        if (child == &PaymentNavigator::showDetailChange || child == &PaymentNavigator::showDetailDelete)
            m_needPayment << button;
    }
    m_commandPrint = MakeButton("Command_Print", QStringLiteral("&Print"), QStringLiteral("Print the payment list"), frame);
    m_commandExport = MakeButton("Command_Export", QStringLiteral("&Export"),
                                 QStringLiteral("Export the payment list to a comma delimited file"), frame);
    layout->addWidget(m_commandPrint);
    layout->addWidget(m_commandExport);
    connect(m_commandPrint, &QPushButton::clicked, this, &Detail::Command_Print_Click);
    connect(m_commandExport, &QPushButton::clicked, this, &Detail::Command_Export_Click);
    return frame;
}

// Changing and deleting need a current payment: with an empty list (or no
// payment chosen) their buttons, and the double-click, do nothing.
void Detail::updateButtons()
{
    const Recordset &details = m_session.de.rsDetail();
    const bool current = details.isOpen() && details.position() >= 0;
    for (QPushButton *button : std::as_const(m_needPayment))
        button->setEnabled(current);
}

void Detail::openChild(void (PaymentNavigator::*child)())
{
    const bool needsPayment = child == &PaymentNavigator::showDetailChange || child == &PaymentNavigator::showDetailDelete;
    if (needsPayment && m_session.de.rsDetail().position() < 0)
        return;
    m_textMsg->clear();
    (m_navigator.*child)();
    updateButtons();
    m_grid->setFocus();
}

void Detail::Form_Load()
{
    const QScopedValueRollback<bool> loading(m_loading, true);
    Recordset &details = m_session.de.rsDetail();
    if (!details.isOpen()) {
        details.open();
    } else {
        const payment::PaymentOrder &current = payment::OrderOfSource(details.source());
        for (const SortOrder &order : std::as_const(m_orders)) {
            if (order.order == &current)
                order.option->setChecked(true);
        }
    }
    if (details.recordCount() > 0)
        details.moveFirst();
    m_grid->bind(&details);
    updateButtons();
    m_grid->setFocus();
    // Which agency's payments these are.
    setWindowTitle(ProductName() + QStringLiteral(" - ") + AgencyLine(m_session.de.rsGroup()));
}

void Detail::Option_Sort_Click(const SortOrder &order)
{
    m_textMsg->clear();
    if (m_loading)
        return;
    m_session.shared.gSQL = payment::PaymentListSource(*order.order);
    Recordset &details = m_session.de.rsDetail();
    // The list is read anew in its order while the window paints, and
    // shows the same agency's payments.
    const auto paint = [this] { m_session.ui.letEventsRun(); };
    details.openReading(m_session.shared.gSQL, paint);
    details.setFilterAside(payment::AgencyFilter(m_session.de.rsGroup().text(QStringLiteral("MORTCO"))), paint);
    m_grid->rebind();
}

QString Detail::outputFolder() const
{
    const std::optional<RememberedFile> file = ZoltSystem(m_session.de).rememberedFile();
    return file ? QFileInfo(file->path()).absolutePath() : QDir::currentPath();
}

void Detail::showError(const QString &what, const std::exception &error)
{
    m_session.ui.setBusy(false);
    const QString text = what + u' ' + QString::fromLocal8Bit(error.what());
    m_textMsg->setText(text);
    m_session.ui.message(text, MessageIcon::Critical);
}

void Detail::Command_Print_Click()
{
    m_commandPrint->setEnabled(false);
    m_textMsg->setText(QStringLiteral("Printing ..."));
    m_session.ui.letEventsRun();
    Recordset &details = m_session.de.rsDetail();
    try {
        const QString said = PrintDetailReport(details, AgencyLine(m_session.de.rsGroup()), outputFolder());
        if (details.recordCount() > 0)
            details.moveFirst();
        m_textMsg->setText(said);
        m_session.ui.beep();
    } catch (const std::exception &e) {
        showError(QStringLiteral("The report could not be printed."), e);
    }
    m_commandPrint->setEnabled(true);
    m_session.ui.letEventsRun();
}

void Detail::Command_Export_Click()
{
    m_commandExport->setEnabled(false);
    m_textMsg->setText(QStringLiteral("Please wait while exporting..."));
    const QString path = QDir(outputFolder()).filePath(payment::ExportFileName);
    try {
        payment::ExportPayments(m_session, m_session.de.rsDetail(), m_session.de.rsGroup().text(QStringLiteral("MORTCO")),
                                path);
        m_textMsg->setText(QStringLiteral("Export Complete! (Export.csv)"));
        m_textMsg->setToolTip(QDir::toNativeSeparators(path));
        m_session.ui.beep();
    } catch (const std::exception &e) {
        showError(QStringLiteral("Export.csv could not be written."), e);
    }
    m_commandExport->setEnabled(true);
    m_commandExport->setFocus();
}

}  // namespace zolt::payment_screens
