#include "verify_numbers_search.h"

#include "code_combos.h"
#include "folio_columns.h"

#include "common/errors.h"
#include "common/product.h"
#include "common/session.h"
#include "common/text_utils.h"
#include "store/data_environment.h"
#include "verify/verify_folios.h"
#include "verify/verify_search_filter.h"
#include "widgets/criterion_row.h"
#include "widgets/data_grid.h"
#include "widgets/screen_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

namespace zolt::verify_screens {
namespace {

const QString FindPrompt = QStringLiteral("Please set the selection criteria and press the 'Find' button.");
const QString TooComplex =
    QStringLiteral("Error - Search Criteria is too complex. Please change the search criteria and try again");

// The fields that tell the chosen folio in the list.
const char *const FolioFields[] = {"MORTCO", "NUMBER", "CD", "JUR", "FOLIO", "PID"};

void setBold(QWidget *widget, bool bold)
{
    QFont font = widget->font();
    font.setBold(bold);
    widget->setFont(font);
}

struct CriterionField {
    const char *column;
    const char *caption;
    int maxLength;  // 0 for a district or jurisdiction box
};

const CriterionField CriterionFields[] = {
    {"MORTCO", "Mortgage &Company ID:", 4}, {"NUMBER", "Mortgage &Number:", 18},
    {"CD", "Collection &District (CD):", 0}, {"JUR", "&Jurisdiction (JUR):", 0},
    {"FOLIO", "F&olio Number:", 19},        {"PID", "&PID:", 9},
    {"NAME", "Na&me:", 70},                 {"ADDR1", "Address Line &1:", 30},
    {"ADDR2", "Address Line &2:", 30},      {"ADDR3", "Address Line &3:", 30},
    {"ADDR4", "Address Line &4:", 30},      {"ADDR5", "Address Line &5:", 30},
    {"LEGAL", "&Legal Description:", 32}};

}  // namespace

Verify_Numbers_Search::Verify_Numbers_Search(Session &session, QWidget *parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("Verify_Numbers_Search"));
    setWindowTitle(QStringLiteral("ZOLT (Mortgage Number Verification)"));

    // Built in the order Tab goes through them.
    auto *top = new QHBoxLayout;
    top->addWidget(buildCriteria(), 1);
    auto *side = new QVBoxLayout;
    side->addWidget(buildMarks());
    m_commandFind = MakeButton("Command_Find", QStringLiteral("&Find"),
                               QStringLiteral("Search for matching records based on the search criteria"), this);
    // Enter in a criterion runs the search (in the result list it selects).
    m_commandFind->setDefault(true);
    connect(m_commandFind, &QPushButton::clicked, this, &Verify_Numbers_Search::Command_Find_Click);
    side->addStretch(1);
    side->addWidget(m_commandFind, 0, Qt::AlignRight);
    top->addLayout(side);
    QGroupBox *results = buildResults();
    m_textMsg = MakeMessageLine(QStringLiteral("Please set the selection criteria and press the \"Find\" button."), this);
    QPushButton *close = MakeButton("Command_Close", QStringLiteral("Close"), QStringLiteral("Close this window"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_textMsg, 1);
    bottom->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(results, 1);
    layout->addLayout(bottom);
    // Never larger than the screen it opens on.
    resize(QSize(1100, 720).boundedTo(screen()->availableGeometry().size()));
}

QGroupBox *Verify_Numbers_Search::buildCriteria()
{
    QGroupBox *frame = MakeFrame("Frame1", QStringLiteral("<Search Criteria>"), this);
    auto *grid = new QGridLayout(frame);
    const CriterionRow::Look look{.ticked = QColor(255, 255, 192), .focusWhenTicked = true};
    int at = 0;
    for (const CriterionField &entry : CriterionFields) {
        const QString column = QLatin1String(entry.column);
        auto *check = new QCheckBox(frame);
        check->setObjectName(QStringLiteral("Check_") + column);
        auto *label = new QLabel(QLatin1String(entry.caption), frame);
        label->setObjectName(QStringLiteral("Label_") + column);
        QWidget *field = nullptr;
        if (entry.maxLength == 0) {
            field = MakeCodeCombo(column == u"CD" ? "ComboCD" : "ComboJUR", frame);
        } else {
            auto *text = new QLineEdit(frame);
            text->setObjectName(QStringLiteral("txt") + column);
            text->setMaxLength(entry.maxLength);
            field = text;
        }
        // The label's Alt letter ticks the criterion, which opens its field.
        label->setBuddy(check);
        // Two columns of criteria: the folio's keys, then its name and address.
        const int row = at < 7 ? at : at - 7, col = at < 7 ? 0 : 3;
        grid->addWidget(check, row, col);
        grid->addWidget(label, row, col + 1);
        grid->addWidget(field, row, col + 2);
        ++at;
        auto *criterion = new CriterionRow(check, field, label, look);
        m_criteria.push_back({column, criterion});
    }
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(5, 1);
    for (const Criterion &c : m_criteria)
        connect(c.row, &CriterionRow::left, this, [this, c] { fieldLeft(c); });
    return frame;
}

QGroupBox *Verify_Numbers_Search::buildMarks()
{
    QGroupBox *frame = MakeFrame("Frame_ACD", QStringLiteral("< Mortgage Number \"Status\" >"), this);
    auto *layout = new QVBoxLayout(frame);
    for (const auto &[name, caption] : std::initializer_list<std::pair<const char *, const char *>>{
             {"Option_ACD_ALL", "All Records"},
             {"Option_ACD_A", "Added"},
             {"Option_ACD_C", "Changed"},
             {"Option_ACD_No_Change", "Not Changed"},
             {"Option_ACD_D", "Deleted (Marked for Deletion)"}}) {
        QRadioButton *option = MakeOption(name, QLatin1String(caption), frame);
        layout->addWidget(option);
        m_marks.push_back(option);
        if (m_marks.size() == 1) {
            m_checkDeleted = Named(new QCheckBox(QStringLiteral("Include Deleted (Marked for Deletion)"), frame),
                                   "Check_ACD_Deleted");
            layout->addWidget(m_checkDeleted);
        }
    }
    for (QRadioButton *option : m_marks)
        connect(option, &QRadioButton::toggled, this, &Verify_Numbers_Search::marksChosen);
    connect(m_checkDeleted, &QCheckBox::toggled, this, [this](bool on) { setBold(m_checkDeleted, on); });
    return frame;
}

QGroupBox *Verify_Numbers_Search::buildResults()
{
    QGroupBox *frame = MakeFrame("Frame2", QStringLiteral("<Search Result>"), this);
    m_grid = Named(new DataGrid(frame), "TDBGrid");
    m_grid->setColumns(FolioColumns(m_session, m_session.de.rsVerify2()));
    m_commandSelect = MakeButton("Command_Select", QStringLiteral("&Select"),
                                 QStringLiteral("Select current record and Close this window"), frame);
    m_commandSelect->setEnabled(false);
    connect(m_commandSelect, &QPushButton::clicked, this, &Verify_Numbers_Search::Command_Select_Click);
    connect(m_grid, &DataGrid::rowActivated, this, &Verify_Numbers_Search::Command_Select_Click);
    auto *layout = new QVBoxLayout(frame);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_commandSelect, 0, Qt::AlignRight);
    return frame;
}

Verify_Numbers_Search::~Verify_Numbers_Search()
{
    m_folios.reset();
    Recordset &found = m_session.de.rsVerify2();
    if (found.isOpen())
        found.close();
}

const Verify_Numbers_Search::Criterion &Verify_Numbers_Search::criterion(const char *column) const
{
    for (const Criterion &c : m_criteria) {
        if (c.column == QLatin1String(column))
            return c;
    }
    qFatal("no criterion %s", column);
}

void Verify_Numbers_Search::Form_Load()
{
    DataEnvironment &de = m_session.de;
    de.rsVerify().ensureOpen();
    m_folios = de.rsVerify().clone();

    Recordset &found = de.rsVerify2();
    if (found.isOpen())
        found.close();
    m_session.shared.gSQL = VerifySourceOrderedBy(DataEnvironment::VerifyOrderBy);
    m_session.shared.gFilter = QStringLiteral("MORTCO = 'NONE' ");
    found.open(m_session.shared.gSQL);
    found.setFilter(m_session.shared.gFilter);
    m_grid->bind(&found);

    m_marks.front()->setChecked(true);
    marksChosen();
    m_checkDeleted->setChecked(false);
    setBold(m_checkDeleted, false);

    for (const Criterion &c : m_criteria) {
        c.row->setTicked(false);
        c.row->setText(QString());
    }
    FillCodes(criterion("CD").row->comboBox(), de.rsCollection_District(), QStringLiteral("Collection_District_Code"),
              QStringLiteral("Collection_District_Name"));
    FillCodes(criterion("JUR").row->comboBox(), de.rsJurisdiction(), QStringLiteral("Jurisdiction_Code"),
              QStringLiteral("Jurisdiction_Name"));
}

void Verify_Numbers_Search::marksChosen()
{
    for (QRadioButton *option : m_marks)
        setBold(option, option->isChecked());
    m_checkDeleted->setVisible(m_marks.front()->isChecked());
}

// Leaving a field trims it; a criterion left empty is unticked (the PID
// stays ticked, and is ignored while empty). The folio keeps its digits
// without leading zeros, the PID its digits.
bool Verify_Numbers_Search::fieldLeft(const Criterion &criterion)
{
    CriterionRow &row = *criterion.row;
    if (row.comboBox())
        return codeLeft(criterion);
    QString text = TrimBlanks(row.text());
    if (criterion.column == u"FOLIO")
        text = verify::SearchedFolio(text);
    else if (criterion.column == u"PID")
        text = verify::SearchedPid(text);
    if (text != row.text())
        row.setText(text);
    if (text.isEmpty() && criterion.column != u"PID")
        row.setTicked(false);
    return true;
}

// A district from 01 to 99, a jurisdiction from 701 to 799, or nothing; the
// box cannot be left holding another code.
bool Verify_Numbers_Search::codeLeft(const Criterion &criterion)
{
    CriterionRow &row = *criterion.row;
    const QString text = TrimBlanks(row.text());
    if (text != row.text())
        row.setText(text);
    if (!text.isEmpty()) {
        const bool district = criterion.column == u"CD";
        const QString code = verify::TypedCode(text);
        if (district ? !verify::IsValidDistrict(code) : !verify::IsValidJurisdiction(code)) {
            m_textMsg->setText(district ? verify::DistrictMessage : verify::JurisdictionMessage);
            m_session.ui.beep();
            row.field()->setFocus();
            m_session.ui.setBusy(false);
            return false;
        }
        m_textMsg->setText(FindPrompt);
    }
    if (text.isEmpty())
        row.setTicked(false);
    return true;
}

void Verify_Numbers_Search::ClearEmptyCriteria()
{
    for (const char *column :
         {"NUMBER", "MORTCO", "CD", "JUR", "FOLIO", "NAME", "ADDR1", "ADDR2", "ADDR3", "ADDR4", "ADDR5", "LEGAL"}) {
        CriterionRow &row = *criterion(column).row;
        if (row.isTicked() && TrimBlanks(row.text()).isEmpty())
            row.setTicked(false);
    }
}

verify::FolioSearch Verify_Numbers_Search::search() const
{
    verify::FolioSearch search;
    // The options stand in the order of the marks.
    const auto chosen = std::find_if(m_marks.begin(), m_marks.end(), [](QRadioButton *o) { return o->isChecked(); });
    if (chosen != m_marks.end())
        search.marks = static_cast<verify::SearchMarks>(chosen - m_marks.begin());
    search.includeDeleted = m_checkDeleted->isChecked();
    for (const Criterion &c : m_criteria) {
        if (c.row->isTicked())
            search.ticked.insert(c.column, c.row->text());
    }
    return search;
}

void Verify_Numbers_Search::Command_Find_Click()
{
    m_commandFind->setEnabled(false);
    m_session.ui.setBusy(true);
    m_textMsg->clear();
    m_session.ui.letEventsRun();
    auto done = [this] {
        m_commandFind->setEnabled(true);
        m_session.ui.setBusy(false);
    };
    // Enter runs the search from inside a field: what leaving the ticked
    // fields would do comes first, and a wrong code stops it.
    for (const Criterion &c : m_criteria) {
        if (c.row->isTicked() && !fieldLeft(c)) {
            done();
            return;
        }
    }
    ClearEmptyCriteria();
    m_session.shared.gFilter = verify::SearchFilter(search());
    Recordset &found = m_session.de.rsVerify2();
    try {
        found.setFilterAside(m_session.shared.gFilter, [this] { m_session.ui.letEventsRun(); });
    } catch (const ZoltError &e) {
        qWarning("Verify_Numbers_Search: %s", qUtf8Printable(e.description()));
        m_session.ui.message(TooComplex, MessageIcon::Critical, ProductName());
        m_textMsg->setText(TooComplex);
        done();
        return;
    }
    const qint64 count = found.recordCount();
    if (count > 0) {
        found.moveFirst();
        m_commandSelect->setEnabled(true);
        m_textMsg->setText(count == 1 ? QStringLiteral("Folio Record Found!")
                                      : QStringLiteral("Multiple Folio Records found that matched the search!"));
    } else {
        m_commandSelect->setEnabled(false);
        m_textMsg->setText(QStringLiteral("There are no Folio Records matching the search criteria!"));
    }
    m_grid->rebind();
    done();
    m_session.ui.letEventsRun();
}

qint64 Verify_Numbers_Search::chosenFolioRow() const
{
    const Recordset &found = m_session.de.rsVerify2();
    QStringList wanted;
    std::vector<int> columns;
    for (const char *field : FolioFields) {
        wanted << found.text(QLatin1String(field));
        columns.push_back(m_folios->columnIndex(QLatin1String(field)));
    }
    for (qint64 row = 0; row < m_folios->recordCount(); ++row) {
        bool same = true;
        for (size_t f = 0; f < columns.size() && same; ++f)
            same = m_folios->value(row, columns[f]).toString() == wanted[qsizetype(f)];
        if (same)
            return row;
    }
    return -1;
}

// The chosen folio becomes the list's current folio; the screen closes
// (the list stays where it was when the folio is no longer in it).
void Verify_Numbers_Search::Command_Select_Click()
{
    m_commandSelect->setEnabled(false);
    m_session.ui.setBusy(true);
    m_session.ui.letEventsRun();
    const Recordset &found = m_session.de.rsVerify2();
    if (found.isOpen() && found.position() >= 0) {
        if (const qint64 row = chosenFolioRow(); row >= 0) {
            try {
                m_session.de.rsVerify().setBookmark(m_folios->bookmarkOfRow(row));
            } catch (const ZoltError &e) {
                qWarning("Verify_Numbers_Search: %s", qUtf8Printable(e.description()));
            }
        }
        m_session.ui.setBusy(false);
        accept();
        return;
    }
    m_session.ui.beep();
    m_textMsg->setText(QStringLiteral("ERROR could not find the payment"));
    m_commandSelect->setEnabled(true);
    m_session.ui.setBusy(false);
}

}  // namespace zolt::verify_screens
