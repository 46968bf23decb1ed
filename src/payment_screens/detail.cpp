#include "detail.h"

#include "detail_report.h"

#include "common/product.h"
#include "common/session.h"
#include "widgets/data_grid.h"
#include "payment_navigator.h"
#include "widgets/screen_controls.h"
#include "payment/payment_export.h"
#include "payment/payment_format.h"
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

QList<GridColumn> paymentColumns()
{
    using Format = GridColumn::Format;
    auto text = [](const char *caption, const char *field, int width) {
        return GridColumn{.caption = QLatin1String(caption), .field = QLatin1String(field), .widthInChars = width};
    };
    auto money = [](const char *caption, const char *field) {
        return GridColumn{.caption = QLatin1String(caption), .field = QLatin1String(field), .widthInChars = 13,
                          .format = Format::Currency};
    };
    return {text("Collection District", "CD", 4),
            text("Jurisdiction", "JUR", 5),
            text("Folio Number", "FOLIO_DISP", 20),
            text("Mortgage Number", "NUMBER", 13),
            text("Name", "NAME", 25),
            text("Legal Description", "LEGAL", 28),
            text("A B C", "ABC", 4),
            money("Payment Amount", "PAYMENT"),
            money("NO Grant (A)", "GROSS_TAX"),
            money("Regular Grant (B)", "REG_GRANT"),
            money("Aditional Grant (C)", "ADD_GRANT"),
            money("Delinquent / Credit", "DELQ")};
}

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
    m_grid->setColumns(paymentColumns());
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
    const std::initializer_list<std::tuple<const char *, const char *, const char *>> orders = {
        {"Option_Sort_CD", "Collection District / Jurisdiction / Folio Number",
         "SELECT * FROM Detail ORDER BY MORTCO, CD, JUR, FOLIO"},
        {"Option_Sort_Jur", "Jurisdiction / Folio Number", "SELECT * FROM Detail ORDER BY MORTCO, JUR, FOLIO"},
        {"Option_Sort_Mortgage", "Mortgage Number", "SELECT * FROM Detail ORDER BY MORTCO, NUMBER"},
        {"Option_Sort_Name", "Name", "SELECT * FROM Detail ORDER BY MORTCO, NAME"}};
    for (const auto &[name, caption, sql] : orders) {
        QRadioButton *option = MakeOption(name, QLatin1String(caption), frame);
        layout->addWidget(option);
        m_orders.append({option, QLatin1String(sql)});
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
}

void Detail::Form_Load()
{
    const QScopedValueRollback<bool> loading(m_loading, true);
    Recordset &details = m_session.de.rsDetail();
    if (!details.isOpen()) {
        details.open();
    } else {
        for (const SortOrder &order : std::as_const(m_orders)) {
            if (order.sql == details.source())
                order.option->setChecked(true);
        }
    }
    if (details.recordCount() > 0)
        details.moveFirst();
    m_grid->bind(&details);
    updateButtons();
}

void Detail::Option_Sort_Click(const SortOrder &order)
{
    m_textMsg->clear();
    if (m_loading)
        return;
    m_session.shared.gSQL = order.sql;
    Recordset &details = m_session.de.rsDetail();
    details.close();
    details.setSource(m_session.shared.gSQL);
    details.open();
    // The reopened list shows the same agency's payments.
    details.setFilter(payment::AgencyFilter(m_session.de.rsGroup().text(QStringLiteral("MORTCO"))));
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
