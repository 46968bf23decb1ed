#include "detail_search.h"

#include "common/product.h"
#include "payment_columns.h"
#include "payment/payment_orders.h"
#include "common/session.h"
#include "common/text_utils.h"
#include "widgets/criterion_row.h"
#include "widgets/data_grid.h"
#include "widgets/screen_controls.h"
#include "store/data_environment.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zolt::payment_screens {
Detail_Search::Detail_Search(Session &session, QWidget *parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("Detail_Search"));
    setWindowTitle(ProductName());
    QLabel *heading = MakeHeading("Label1", QStringLiteral("Payment Search"), this);

    QGroupBox *results = MakeFrame("Frame2", QStringLiteral("<Search Result>"), this);
    m_grid = Named(new DataGrid(results), "TDBGrid");
    m_grid->setColumns(PaymentSearchColumns());
    m_commandSelect = MakeButton("Command_Select", QStringLiteral("&Select"),
                                 QStringLiteral("View/Update the Selected  Agency's Payment Records"), results);
    m_commandSelect->setEnabled(false);
    auto *resultLayout = new QVBoxLayout(results);
    resultLayout->addWidget(m_grid, 1);
    resultLayout->addWidget(m_commandSelect, 0, Qt::AlignRight);

    m_textMsg = MakeMessageLine(QStringLiteral("Please set the selection criteria and press the \"Find\" button."), this);
    QPushButton *close = MakeButton("Command_Close", QStringLiteral("Close"), QStringLiteral("Close this window"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_commandSelect, &QPushButton::clicked, this, &Detail_Search::Command_Select_Click);
    connect(m_grid, &DataGrid::rowActivated, this, &Detail_Search::Command_Select_Click);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_textMsg, 1);
    bottom->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(buildCriteria());
    layout->addWidget(results, 1);
    layout->addLayout(bottom);
    resize(1000, 560);
}

QWidget *Detail_Search::buildCriteria()
{
    QGroupBox *frame = MakeFrame("Frame1", QStringLiteral("<Search Criteria>"), this);
    auto *grid = new QGridLayout(frame);
    const std::initializer_list<std::tuple<const char *, const char *, const char *, int, const char *>> criteria = {
        {"Check_CD", "txtCD", "Collection &District", 2, "Collection District Search has nothing entered to search on!"},
        {"Check_JUR", "txtJUR", "&Jurisdiction", 3, "Jurisdiction Search has nothing entered to search on!"},
        {"Check_FOLIO", "txtFOLIO_DISP", "F&olio Number", 20, "Folio Number Search has nothing entered to search on!"},
        {"Check_NUMBER", "txtNUMBER", "&Mortgage Number", 12, "Mortgage Number Search has nothing entered to search on!"},
        {"Check_NAME", "txtNAME", "&Name", 25, "Name Search has nothing entered to search on!"}};
    int row = 0;
    for (const auto &[checkName, textName, caption, length, missing] : criteria) {
        auto *check = Named(new QCheckBox(QLatin1String(caption), frame), checkName);
        auto *text = Named(new QLineEdit(frame), textName);
        text->setMaxLength(length);
        // The box opens the field (grey while shut); a field left is trimmed.
        auto *criterion = new CriterionRow(check, text, nullptr, CriterionRow::Look{});
        connect(criterion, &CriterionRow::left, text, [text] { text->setText(TrimBlanks(text->text())); });
        grid->addWidget(check, row, 0);
        grid->addWidget(text, row++, 1);
        m_criteria.push_back({check, text, QLatin1String(missing)});
    }
    m_commandFind = MakeButton("Command_Find", QStringLiteral("&Find"),
                               QStringLiteral("Find Payments matching the search criteria"), frame);
    // Enter in a criterion runs the search (in the result list it selects).
    m_commandFind->setDefault(true);
    connect(m_commandFind, &QPushButton::clicked, this, &Detail_Search::Command_Find_Click);
    grid->addWidget(m_commandFind, row, 1, Qt::AlignRight);
    return frame;
}

Detail_Search::~Detail_Search()
{
    Recordset &found = m_session.de.rsDetail2();
    if (found.isOpen())
        found.close();
}

QString Detail_Search::agency() const
{
    return m_session.de.rsGroup().text(QStringLiteral("MORTCO"));
}

void Detail_Search::Form_Load()
{
    Recordset &found = m_session.de.rsDetail2();
    if (found.isOpen())
        found.close();
    m_session.shared.gSQL = payment::AgencyPaymentsSource(agency());
    m_session.shared.gFilter = QStringLiteral("MORTCO = 'NONE' ");
    found.open(m_session.shared.gSQL);
    found.clearFilter();
    found.setFilter(m_session.shared.gFilter);
    m_grid->bind(&found);
}

void Detail_Search::Command_Find_Click()
{
    m_commandFind->setEnabled(false);
    const auto checked = [](const Criterion &c) { return c.check->isChecked(); };
    if (std::none_of(m_criteria.begin(), m_criteria.end(), checked)) {
        m_textMsg->setText(QStringLiteral("No Search criteria has been selected!"));
        m_commandFind->setEnabled(true);
        return;
    }
    m_textMsg->clear();
    for (const Criterion &c : m_criteria) {
        if (c.check->isChecked() && TrimBlanks(c.text->text()).isEmpty()) {
            m_textMsg->setText(c.missing);
            m_commandFind->setEnabled(true);
            c.text->setFocus();
            return;
        }
    }
    // Every typed character matches itself: an apostrophe (O'NEIL) and the
    // wildcards ("%" finds a percent sign, not every payment).
    auto like = [](const char *field, const QString &text) {
        return QStringLiteral("AND %1 LIKE '%%2%' ").arg(QLatin1String(field), LikeLiteral(text));
    };
    const Criterion &cd = m_criteria[0], &jur = m_criteria[1], &folio = m_criteria[2], &number = m_criteria[3],
                    &name = m_criteria[4];
    QString filter = QStringLiteral("MORTCO = %1 ").arg(QuoteCriteria(agency()));
    if (cd.check->isChecked())
        filter += like("CD", cd.text->text());
    if (folio.check->isChecked()) {
        folio.text->setText(TrimBlanks(folio.text->text()));
        filter += folio.text->text().isEmpty() ? QStringLiteral("AND FOLIO_DISP = '' ")
                                               : like("FOLIO_DISP", folio.text->text());
    }
    if (jur.check->isChecked())
        filter += like("JUR", jur.text->text());
    if (name.check->isChecked())
        filter += like("NAME", name.text->text());
    if (number.check->isChecked() && !TrimBlanks(number.text->text()).isEmpty())
        filter += like("NUMBER", number.text->text());
    m_session.shared.gFilter = filter;
    Recordset &found = m_session.de.rsDetail2();
    found.setFilterAside(filter, [this] { m_session.ui.letEventsRun(); });
    const qint64 count = found.recordCount();
    m_commandSelect->setEnabled(count > 0);
    if (count > 0)
        found.moveFirst();
    m_textMsg->setText(count == 0   ? QStringLiteral("There are no payments matching the search criteria!")
                       : count == 1 ? QStringLiteral("Payment Found!")
                                    : QStringLiteral("Multiple payments found that matched the search!"));
    m_grid->rebind();
    m_commandFind->setEnabled(true);
}

bool Detail_Search::isChosenPayment() const
{
    const Recordset &details = m_session.de.rsDetail();
    const Recordset &found = m_session.de.rsDetail2();
    for (const char *field : {"MORTCO", "CD", "JUR", "NAME", "FOLIO"}) {
        if (details.text(QLatin1String(field)) != found.text(QLatin1String(field)))
            return false;
    }
    return true;
}

// The chosen payment becomes the current payment of the agency's list; only
// the agency's payments are walked.
void Detail_Search::Command_Select_Click()
{
    Recordset &found = m_session.de.rsDetail2();
    if (!m_commandSelect->isEnabled() || found.position() < 0)
        return;
    m_commandSelect->setEnabled(false);
    Recordset &details = m_session.de.rsDetail();
    if (details.recordCount() > 0)
        details.moveFirst();
    m_session.shared.gFindCriteria = QStringLiteral("FOLIO = %1 ").arg(QuoteCriteria(found.text(QStringLiteral("FOLIO"))));
    for (bool more = details.find(m_session.shared.gFindCriteria); more && !details.eof(); details.moveNext()) {
        if (isChosenPayment()) {
            accept();
            return;
        }
    }
    m_session.ui.beep();
    m_textMsg->setText(QStringLiteral("ERROR could not find the payment"));
    m_commandSelect->setEnabled(true);
}

}  // namespace zolt::payment_screens
