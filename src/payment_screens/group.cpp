#include "group.h"

#include "common/clock.h"
#include "common/number_format.h"
#include "common/product.h"
#include "common/session.h"
#include "common/text_utils.h"
#include "widgets/data_grid.h"
#include "payment_navigator.h"
#include "widgets/out_of_view.h"
#include "widgets/screen_controls.h"
#include "payment/agency_total.h"
#include "payment/payment_format.h"
#include "store/data_environment.h"
#include "store/zolt_system.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zolt::payment_screens {
namespace {

QList<GridColumn> agencyColumns()
{
    using Format = GridColumn::Format;
    QList<GridColumn> columns = {
        {.caption = QStringLiteral("Agency"), .field = QStringLiteral("MORTCO"), .widthInChars = 7},
        {.caption = QStringLiteral("Name"), .field = QStringLiteral("NAME1"), .widthInChars = 28},
        {.caption = QStringLiteral("Name"), .field = QStringLiteral("NAME2"), .widthInChars = 20},
        {.caption = QStringLiteral("Folios"), .field = QStringLiteral("FOLIO_CNT"), .widthInChars = 9,
         .format = Format::Standard},
        {.caption = QStringLiteral("Payment Amount"), .field = QStringLiteral("TOT_PAY"), .widthInChars = 15,
         .format = Format::Currency},
        {.caption = QStringLiteral("Contact Person"), .field = QStringLiteral("CONTACT"), .widthInChars = 20},
        {.caption = QStringLiteral("Phone Number"), .field = QStringLiteral("CONT_PHONE"), .widthInChars = 13}};
    for (int i = 1; i <= 6; ++i)
        columns.append({.caption = QStringLiteral("Address"), .field = QStringLiteral("ADDR%1").arg(i),
                        .widthInChars = 22});
    columns.append({.caption = QStringLiteral("Due Date"), .field = QStringLiteral("DUEDATE"), .widthInChars = 11});
    return columns;
}

}  // namespace

QString TotalText(double total)
{
    return FormatNumber(total, Mask::Total);
}

double TotalOfAgencies(Session &session)
{
    Recordset &groups = session.de.rsGroup();
    groups.ensureOpen();
    const std::unique_ptr<Recordset> all = groups.clone();
    const int totPay = all->columnIndex(QStringLiteral("TOT_PAY"));
    double total = 0;
    for (qint64 row = 0; row < all->recordCount(); ++row)
        total += all->value(row, totPay).toDouble();
    return total;
}

Group::Group(Session &session, PaymentNavigator &navigator, QWidget *parent)
    : QDialog(parent), m_session(session), m_navigator(navigator)
{
    setObjectName(QStringLiteral("Group"));
    setWindowTitle(ProductName());
    buildControls();
    resize(900, 560);
}

void Group::buildControls()
{
    QGroupBox *frame4 = MakeFrame("Frame4", QStringLiteral("<Paying Agency>"), this);
    m_labelGroup = MakeLabel("Label_Group", QStringLiteral("0000"), frame4);
    (new QHBoxLayout(frame4))->addWidget(m_labelGroup);

    m_frameHistorical = MakeFrame("Frame_Historical", QStringLiteral("<Historical Year>"), this);
    m_labelHistoricalYear = MakeLabel("Label_Historical_Year", QStringLiteral("2020"), m_frameHistorical);
    m_labelHistoricalYear->setToolTip(QStringLiteral(
        "This ZOLT data is only for historical puposes. Please do not submit these payments as the current year "
        "ZOLT payments!"));
    (new QHBoxLayout(m_frameHistorical))->addWidget(m_labelHistoricalYear);
    m_frameHistorical->hide();

    QGroupBox *frame2 = MakeFrame("Frame2", QStringLiteral("<Agency Details>"), this);
    m_commandDetails = MakeButton("Command_Details", QStringLiteral("&Select"),
                                  QStringLiteral("View/Update the Selected  Agency's Payment Records"), frame2);
    (new QHBoxLayout(frame2))->addWidget(m_commandDetails);
    QGroupBox *frame1 = MakeFrame("Frame1", QStringLiteral("<Agency Info>"), this);
    m_commandAgencyInformation = MakeButton("Command_AgencyInformation", QStringLiteral("&Change"),
                                            QStringLiteral("View/Update the Selected Agency's Information"), frame1);
    (new QHBoxLayout(frame1))->addWidget(m_commandAgencyInformation);

    m_grid = Named(new DataGrid(this), "TDBGrid");
    m_grid->setColumns(agencyColumns());
    m_textMsg = MakeMessageLine(QStringLiteral("Please select the Agency and press the desired button."), this);
    QLabel *totalCaption = MakeLabel("Label1", QStringLiteral("Total Bulk Payment Amount"), this);
    m_labelTotal = MakeLabel("Label_Total", QStringLiteral("0.00"), this);
    QFont bold = m_labelTotal->font();
    bold.setBold(true);
    m_labelTotal->setFont(bold);
    // Alt+C is the agency's Change; the screen closes with Alt+L (or Escape).
    QPushButton *close = MakeButton("Command1", QStringLiteral("C&lose"), QStringLiteral("Close this window"), this);

    auto *top = new QHBoxLayout;
    for (QWidget *w : std::initializer_list<QWidget *>{frame4, m_frameHistorical, frame2, frame1})
        top->addWidget(w);
    top->addStretch(1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(totalCaption);
    bottom->addWidget(m_labelTotal);
    bottom->addStretch(1);
    bottom->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_textMsg);
    layout->addLayout(bottom);

    connect(m_commandDetails, &QPushButton::clicked, this, &Group::Command_Details_Click);
    connect(m_commandAgencyInformation, &QPushButton::clicked, this, &Group::Command_AgencyInformation_Click);
    connect(m_grid, &DataGrid::rowActivated, this, &Group::Command_Details_Click);
    connect(m_grid, &DataGrid::rowColChange, this, &Group::rowChanged);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void Group::Form_Load()
{
    m_labelTotal->setText(TotalText(0));
    const QString year = ZoltSystem(m_session.de).dataYear();
    if (TrimBlanks(year) != QString::number(CurrentYear())) {
        m_labelHistoricalYear->setText(year);
        m_frameHistorical->show();
    }
    Recordset &groups = m_session.de.rsGroup();
    groups.ensureOpen();
    if (groups.recordCount() > 0)
        groups.moveFirst();
    m_grid->bind(&groups);
    showGrandTotal();
    // The payments are read while the window paints.
    Recordset &details = m_session.de.rsDetail();
    if (!details.rowsRead())
        details.openReading(details.source(), [this] { m_session.ui.letEventsRun(); });
    if (details.recordCount() > 0)
        details.moveFirst();
    rowChanged();
    m_grid->setFocus();  // Enter opens the agency, the arrows choose another
}

void Group::rowChanged()
{
    Recordset &groups = m_session.de.rsGroup();
    const bool current = groups.isOpen() && groups.position() >= 0;
    m_labelGroup->setText(current ? groups.text(QStringLiteral("GROUP")) : QString());
    m_commandDetails->setEnabled(current);
    m_commandAgencyInformation->setEnabled(current);
}

void Group::showGrandTotal()
{
    m_labelTotal->setText(TotalText(TotalOfAgencies(m_session)));
}

void Group::Command_Details_Click()
{
    Recordset &groups = m_session.de.rsGroup();
    if (groups.position() < 0)
        return;  // no agency: nothing to open
    m_commandDetails->setEnabled(false);
    m_textMsg->clear();
    m_session.shared.gFilter = payment::AgencyFilter(groups.text(QStringLiteral("MORTCO")));
    // The payments are read and the agency's found while the window paints.
    Recordset &details = m_session.de.rsDetail();
    const auto paint = [this] { m_session.ui.letEventsRun(); };
    if (!details.rowsRead())
        details.openReading(details.source(), paint);
    details.setFilterAside(m_session.shared.gFilter, paint);
    {
        const OutOfView aside(this);
        m_navigator.showDetail();
    }
    m_session.ui.letEventsRun();
    m_textMsg->setText(QStringLiteral("Recalculating total payment amounts..."));
    m_session.ui.letEventsRun();
    recountAgency();
    details.clearFilter();
    showGrandTotal();
    m_textMsg->clear();
    m_commandDetails->setEnabled(true);
    m_grid->setFocus();
}

void Group::recountAgency()
{
    Recordset &details = m_session.de.rsDetail();
    const payment::AgencyTotal total = payment::TotalOfPayments(details);
    if (total.count > 0)
        details.moveFirst();
    Recordset &groups = m_session.de.rsGroup();
    groups.setField(QStringLiteral("FOLIO_CNT"), total.count);
    groups.setField(QStringLiteral("TOT_PAY"), total.sum);
    groups.update();
}

void Group::Command_AgencyInformation_Click()
{
    if (m_session.de.rsGroup().position() < 0)
        return;
    m_commandAgencyInformation->setEnabled(false);
    m_textMsg->clear();
    {
        const OutOfView aside(this);
        m_navigator.showGroupAgency();
        m_session.ui.letEventsRun();
    }
    m_commandAgencyInformation->setEnabled(true);
    m_grid->setFocus();
}

}  // namespace zolt::payment_screens
