#include "verify_numbers.h"

#include "folio_columns.h"
#include "verify_navigator.h"

#include "common/session.h"
#include "store/data_environment.h"
#include "verify/verify_csv.h"
#include "verify/verify_csv_import.h"
#include "verify/verify_folios.h"
#include "verify/verify_orders.h"
#include "widgets/data_grid.h"
#include "widgets/out_of_view.h"
#include "widgets/screen_controls.h"
#include "widgets/screen_fit.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>
#include <functional>

namespace zolt::verify_screens {
namespace {

const QString Title = QStringLiteral("ZOLT (Mortgage Number Verification)");

struct SizeChoice {
    const char *option;
    const char *menuItem;
    const char *caption;
    int gridHeight, gridWidth, formHeight, formWidth;  // twips
};

const SizeChoice SizeChoices[] = {
    {"Option_1024x768LargeSizeFont", "mnuWindowSize1", "1024 X 768 Large Sized Fonts (120 DPI)", 7845, 10405, 8730,
     11836},
    {"Option_1024x768NormalSizeFont", "mnuWindowSize2", "1024 X 768 Normal Sized Fonts (96 DPI)", 9495, 13905, 10380,
     15336},
    {"Option3", "mnuWindowSize3", "1280 X 1024 Normal Sized Fonts (96 DPI)", 12795, 17405, 13680, 18836},
    {"Option4", "mnuWindowSize4", "1600 X 1200 Normal Sized Fonts (96 DPI)", 16095, 20905, 16980, 22336}};

QAction *menuItem(QMenu *menu, const char *name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

}  // namespace

Verify_Numbers::Verify_Numbers(Session &session, VerifyNavigator &navigator, QWidget *parent)
    : QDialog(parent), m_session(session), m_navigator(navigator)
{
    setObjectName(QStringLiteral("Verify_Numbers"));
    setWindowTitle(Title);
    buildControls();
}

void Verify_Numbers::buildControls()
{
    m_grid = Named(new DataGrid(this), "TDBGrid");
    m_grid->setColumns(FolioColumns(m_session, m_session.de.rsVerify()));
    connect(m_grid, &DataGrid::rowColChange, this, &Verify_Numbers::rowChanged);
    connect(m_grid, &DataGrid::rowActivated, this, [this] {
        if (hasCurrentFolio())
            openEntry(&VerifyNavigator::showVerifyNumberChange);
    });
    m_textMsg = MakeMessageLine(QString(), this);
    m_commandClose = MakeButton("Command_Close", QStringLiteral("Close"), QStringLiteral("Close this window"), this);
    connect(m_commandClose, &QPushButton::clicked, this, &Verify_Numbers::Command_Close_Click);

    // The record buttons, the orders, the exchange over the window sizes,
    // side by side: all of it fits a screen of 800 by 600.
    auto *top = new QHBoxLayout;
    top->addWidget(buildRecordFrame());
    top->addWidget(buildSortFrame(), 1);
    auto *right = new QVBoxLayout;
    right->addWidget(buildExchangeFrame());
    right->addWidget(buildSizeFrame());
    top->addLayout(right);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_textMsg, 1);
    bottom->addWidget(m_commandClose);
    auto *layout = new QVBoxLayout(this);
    auto *menus = m_menus = Named(new QMenuBar(this), "MenuBar");
    layout->setMenuBar(menus);
    // The window's least size is set where it is sized (applySize): never
    // more than the screen.
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);
    layout->addLayout(bottom);
    buildMenus(menus);
}

QGroupBox *Verify_Numbers::buildRecordFrame()
{
    QGroupBox *frame = MakeFrame("Frame1", QStringLiteral("<Folio Record>"), this);
    m_commandAdd = MakeButton("Command_AddDetail", QStringLiteral("&Add"), QStringLiteral("Add a new Detail"), frame);
    m_commandChange = MakeButton("Command_ChangeDetail", QStringLiteral("&Change"),
                                 QStringLiteral("Change the selected Detail"), frame);
    m_commandInactivate = MakeButton("Command_Inactivate", QStringLiteral("&Delete"),
                                     QStringLiteral("Delete the selected Active record (mark as deleted)"), frame);
    m_commandActivate = MakeButton("Command_Activate", QStringLiteral("&Undelete"),
                                   QStringLiteral("Undelete the selected Deleted record (undo the marked for deletion)"),
                                   frame);
    m_commandSearch = MakeButton("Command_Search", QStringLiteral("F&ind"), QStringLiteral("Search for a specific payment"),
                                 frame);
    connect(m_commandAdd, &QPushButton::clicked, this, [this] { openEntry(&VerifyNavigator::showVerifyNumberAdd); });
    connect(m_commandChange, &QPushButton::clicked, this,
            [this] { openEntry(&VerifyNavigator::showVerifyNumberChange); });
    connect(m_commandInactivate, &QPushButton::clicked, this, &Verify_Numbers::Command_Inactivate_Click);
    connect(m_commandActivate, &QPushButton::clicked, this, &Verify_Numbers::Command_Activate_Click);
    connect(m_commandSearch, &QPushButton::clicked, this, &Verify_Numbers::Command_Search_Click);
    auto *layout = new QVBoxLayout(frame);
    for (QPushButton *button : {m_commandAdd, m_commandChange, m_commandInactivate, m_commandActivate, m_commandSearch})
        layout->addWidget(button);
    return frame;
}

QGroupBox *Verify_Numbers::buildSortFrame()
{
    m_frameSort = MakeFrame("Frame_Sort", QStringLiteral("<Sort Order>"), this);
    auto *layout = new QGridLayout(m_frameSort);
    layout->addWidget(MakeLabel("Label_SortBy", QStringLiteral("Sort by"), m_frameSort), 0, 0);
    int at = 1;
    for (const verify::VerifyOrder &order : verify::VerifyOrders()) {
        QRadioButton *option = MakeOption(order.option, order.caption, m_frameSort);
        option->setToolTip(order.tip);
        layout->addWidget(option, at / 2, at % 2);
        ++at;
        m_sorts.append({option, &order});
    }
    m_sorts.first().option->setChecked(true);
    // Clicked, not toggled: the option already chosen sorts again when
    // clicked, which brings its order back after a sort from the View menu.
    for (const SortChoice &sort : std::as_const(m_sorts))
        connect(sort.option, &QRadioButton::clicked, this, [this, order = sort.order] { sortBy(*order); });
    // The frame is hidden while the list works; its place stays kept.
    QSizePolicy policy = m_frameSort->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    m_frameSort->setSizePolicy(policy);
    return m_frameSort;
}

// Verify.csv written and read back, each action beside its help.
QGroupBox *Verify_Numbers::buildExchangeFrame()
{
    QGroupBox *frame = m_frameExchange = MakeFrame("FrameExpImp", QStringLiteral("< Data Ex. >"), this);
    auto *layout = new QGridLayout(frame);
    using Handler = std::function<void()>;
    int at = 0;
    for (const auto &[name, caption, tip, handler] :
         std::initializer_list<std::tuple<const char *, const char *, const char *, Handler>>{
             {"Command_Export", "Export", "", [this] { Command_Export_Click(); }},
             {"Command_Import1", "Import 1", "", [this] { importFile(verify::ImportOption1); }},
             {"Command_Import2", "Import 2", "", [this] { importFile(verify::ImportOption2); }},
             {"Command_Exp_Help", "?", "Click for information about the 'Export' process",
              [this] { showHelp(verify::ExportHelpTitle, verify::ExportHelpText()); }},
             {"Command_Imp_Help", "?", "Click for information about the 'Import' process",
              [this] { showHelp(verify::ImportHelpTitle, verify::ImportHelpText()); }}}) {
        QPushButton *button = MakeButton(name, QLatin1String(caption), QLatin1String(tip), frame);
        connect(button, &QPushButton::clicked, this, handler);
        // The three actions in a column, each help beside its action.
        if (at < 3)
            layout->addWidget(button, at, 0);
        else
            layout->addWidget(button, at == 3 ? 0 : 1, 1);
        ++at;
    }
    return frame;
}

QGroupBox *Verify_Numbers::buildSizeFrame()
{
    QGroupBox *frame = MakeFrame("Frame4", QStringLiteral("window/size"), this);
    auto *layout = new QGridLayout(frame);
    for (const SizeChoice &size : SizeChoices) {
        QRadioButton *option = MakeOption(size.option, QLatin1String(size.caption), frame);
        layout->addWidget(option, int(m_sizes.size()), 0);
        m_sizes.append({option, nullptr, size.gridHeight, size.gridWidth, size.formHeight, size.formWidth});
    }
    for (const WindowSize &size : std::as_const(m_sizes))
        connect(size.option, &QRadioButton::clicked, this, [this, size] { applySize(size); });
    return frame;
}

void Verify_Numbers::buildMenus(QMenuBar *menus)
{
    QMenu *file = menus->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    connect(menuItem(file, "mnuClose", QStringLiteral("&Close")), &QAction::triggered, this,
            &Verify_Numbers::Command_Close_Click);
    connect(menuItem(file, "mnuCloseNOW",
                     QStringLiteral("Close and do NOT SAVE ANY DATA CHANGES ( this is to be used when you did "
                                    "something that you do not want saved)")),
            &QAction::triggered, this, [this] { done(ClosedWithoutSaving); });

    QMenu *edit = menus->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    // An item does what its button does, while the button can be used.
    auto asButton = [this](QMenu *menu, const char *name, const QString &caption, QPushButton *button) {
        connect(menuItem(menu, name, caption), &QAction::triggered, this, [button] {
            if (button->isEnabled())
                button->click();
        });
    };
    asButton(edit, "mnuAdd", QStringLiteral("&Add"), m_commandAdd);
    asButton(edit, "mnuChange", QStringLiteral("&Change"), m_commandChange);
    asButton(edit, "mnuDelete", QStringLiteral("&Delete"), m_commandInactivate);
    connect(menuItem(edit, "mnuPermanentDelete", QStringLiteral("PERMANENT DELETE")), &QAction::triggered, this,
            &Verify_Numbers::mnuPermanentDelete_Click);
    asButton(edit, "mnuUndelete", QStringLiteral("&Undelete"), m_commandActivate);
    asButton(edit, "mnuFind", QStringLiteral("F&ind"), m_commandSearch);
    QMenu *marks = edit->addMenu(QStringLiteral("Change Mortgage Number \"Status\""));
    marks->menuAction()->setObjectName(QStringLiteral("mnuACD"));
    for (const auto &[name, caption, mark] : std::initializer_list<std::tuple<const char *, const char *, QString>>{
             {"mnuACD_Added", "Set to \"Added\" status", verify::Mark::Added},
             {"mnuACD_Changed", "Set to \"Changed\" status", verify::Mark::Changed},
             {"mnuACD_Deleted", "Set to \"Deleted\" status", verify::Mark::Deleted},
             {"mnuACD_Blank", "Set to \"No Change\" status", verify::Mark::None}})
        connect(menuItem(marks, name, QLatin1String(caption)), &QAction::triggered, this,
                [this, mark] { markFromMenu(mark); });

    QMenu *exchange = menus->addMenu(QStringLiteral("Da&ta Exchange"));
    exchange->setObjectName(QStringLiteral("mnuDataExchange"));
    for (const auto &[name, caption, button] : std::initializer_list<std::tuple<const char *, const char *, const char *>>{
             {"mnuExportHelp", "Export Help", "Command_Exp_Help"},
             {"mnuExport", "Export to Verify.csv", "Command_Export"},
             {"mnuImportHelp", "Import Help", "Command_Imp_Help"},
             {"mnuImportAppend", "Import from Verify.csv (Leave existing folios and UPDATE all matching import "
                                 "records)", "Command_Import1"},
             {"mnuImportReplace", "Import from Verify.csv (DELETE ALL records then import)", "Command_Import2"}})
        asButton(exchange, name, QLatin1String(caption), m_frameExchange->findChild<QPushButton *>(QLatin1String(button)));

    // A View item sorts as its option does, leaving the option chosen as it was.
    QMenu *view = menus->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("mnuView"));
    for (const verify::VerifyOrder &order : verify::VerifyOrders())
        connect(menuItem(view, order.menuItem, order.menuCaption), &QAction::triggered, this,
                [this, &order] { sortBy(order); });

    QMenu *window = menus->addMenu(QStringLiteral("&Window"));
    window->setObjectName(QStringLiteral("mnuWindow"));
    for (qsizetype i = 0; i < m_sizes.size(); ++i) {
        const SizeChoice &choice = SizeChoices[i];
        m_sizes[i].menuItem = menuItem(window, choice.menuItem, QLatin1String(choice.caption));
        connect(m_sizes[i].menuItem, &QAction::triggered, this, [this, i] { applySize(m_sizes[i]); });
    }
}

void Verify_Numbers::Form_Load()
{
    const QScopedValueRollback<bool> loading(m_loading, true);
    DataEnvironment &de = m_session.de;
    for (Recordset *rs : {&de.rsCollection_District(), &de.rsJurisdiction(), &de.rsCD_JUR()}) {
        rs->ensureOpen();
        if (rs->recordCount() > 0)
            rs->moveFirst();
    }
    // The option shown is the order the list is in.
    const QString source = de.rsVerify().source();
    for (const SortChoice &sort : std::as_const(m_sorts)) {
        if (verify::VerifyListSource(*sort.order) == source)
            sort.option->setChecked(true);
    }
    readFolios(source);
    if (de.rsVerify().recordCount() > 0)
        de.rsVerify().moveFirst();
    EnableCommands(true, true);
    m_grid->setFocus();
}

void Verify_Numbers::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    // The largest size that fits the screen, at its top left corner.
    const QSize largest = LargestInsideSize(this);
    const WindowSize *chosen = &m_sizes.first();
    for (const WindowSize &size : std::as_const(m_sizes)) {
        if (TwipsToPixels(size.formWidth, this) <= largest.width() && TwipsToPixels(size.formHeight, this) <= largest.height())
            chosen = &size;
    }
    chosen->option->setChecked(true);
    applySize(*chosen);
}

bool Verify_Numbers::hasCurrentFolio() const
{
    const Recordset &folios = m_session.de.rsVerify();
    return folios.isOpen() && folios.position() >= 0;
}

void Verify_Numbers::DisableCommands(bool clearMessage, bool showHourglass)
{
    if (clearMessage)
        m_textMsg->clear();
    if (showHourglass)
        m_session.ui.setBusy(true);
    for (QPushButton *button : {m_commandAdd, m_commandChange, m_commandInactivate, m_commandActivate, m_commandSearch})
        button->setEnabled(false);
    m_frameSort->hide();
    m_commandClose->setEnabled(false);
    m_menus->setEnabled(false);
    m_session.ui.letEventsRun();
}

void Verify_Numbers::EnableCommands(bool clearMessage, bool resetPointer)
{
    for (QPushButton *button : {m_commandAdd, m_commandChange, m_commandInactivate, m_commandActivate, m_commandSearch})
        button->setEnabled(true);
    m_frameSort->show();
    m_commandClose->setEnabled(true);
    m_menus->setEnabled(true);
    if (!hasCurrentFolio()) {
        for (QPushButton *button : {m_commandChange, m_commandInactivate, m_commandActivate, m_commandSearch})
            button->setEnabled(false);
    } else if (m_session.de.rsVerify().text(QStringLiteral("ACD")) == verify::Mark::Deleted) {
        m_commandInactivate->setEnabled(false);
        m_commandChange->setEnabled(false);
    } else {
        m_commandActivate->setEnabled(false);
    }
    if (clearMessage)
        m_textMsg->clear();
    if (resetPointer)
        m_session.ui.setBusy(false);
    m_session.ui.letEventsRun();
}

// A row chosen: the buttons that act on a folio follow its mark.
void Verify_Numbers::rowChanged()
{
    m_textMsg->clear();
    const bool current = hasCurrentFolio();
    const bool deleted = current && m_session.de.rsVerify().text(QStringLiteral("ACD")) == verify::Mark::Deleted;
    m_commandInactivate->setEnabled(current && !deleted);
    m_commandActivate->setEnabled(deleted);
    m_commandChange->setEnabled(current && !deleted);
}

void Verify_Numbers::setMark(const QString &mark)
{
    Recordset &folios = m_session.de.rsVerify();
    folios.setField(QStringLiteral("ACD"), mark);
    folios.move(0);
}

void Verify_Numbers::Command_Inactivate_Click()
{
    DisableCommands(true, true);
    if (hasCurrentFolio())
        setMark(verify::Mark::Deleted);
    EnableCommands(true, true);
}

void Verify_Numbers::Command_Activate_Click()
{
    DisableCommands(true, true);
    if (hasCurrentFolio())
        setMark(verify::Mark::None);
    EnableCommands(true, true);
}

// The status items set any mark on any folio.
void Verify_Numbers::markFromMenu(const QString &mark)
{
    DisableCommands(true, true);
    if (hasCurrentFolio())
        setMark(mark);
    EnableCommands(true, true);
}

void Verify_Numbers::openEntry(void (VerifyNavigator::*entry)())
{
    DisableCommands(true, true);
    (m_navigator.*entry)();
    EnableCommands(true, true);
    m_grid->setFocus();
}

void Verify_Numbers::mnuPermanentDelete_Click()
{
    if (hasCurrentFolio())
        m_navigator.showVerifyNumberDelete();
    EnableCommands(true, true);
    m_grid->setFocus();
}

// The list waits out of view while the search runs.
void Verify_Numbers::Command_Search_Click()
{
    DisableCommands(true, true);
    {
        const OutOfView aside(this);
        m_navigator.showVerifyNumbersSearch();
    }
    EnableCommands(true, true);
    m_grid->setFocus();
}

// The list read anew in the order, the user kept on the same folio (the
// first row when no row holds it any more).
void Verify_Numbers::sortBy(const verify::VerifyOrder &order)
{
    if (m_loading)
        return;
    DisableCommands(true, true);
    Recordset &folios = m_session.de.rsVerify();
    const std::optional<verify::RememberedFolio> remembered = verify::RememberedFolio::of(folios);
    readFolios(verify::VerifyListSource(order));
    EnableCommands(true, true);
    if (folios.recordCount() > 0) {
        const qint64 row = remembered ? remembered->rowIn(folios) : -1;
        folios.setCurrentRow(std::max<qint64>(row, 0));
    }
}

// The folios read anew from the source while the window paints, the grid
// showing the rows it had until they are in.
void Verify_Numbers::readFolios(const QString &source)
{
    Recordset &folios = m_session.de.rsVerify();
    folios.openReading(source, [this] { m_session.ui.letEventsRun(); });
    m_grid->bind(&folios);
}

// The form at the screen's top left corner, the list as large as the size
// says; never larger than the screen.
void Verify_Numbers::applySize(const WindowSize &size)
{
    PlaceAtTopLeft(this, QSize(TwipsToPixels(size.formWidth, this), TwipsToPixels(size.formHeight, this)));
}

void Verify_Numbers::Command_Close_Click()
{
    m_session.ui.setBusy(true);
    m_textMsg->setText(QStringLiteral("Closing form..."));
    m_session.ui.letEventsRun();
    m_session.ui.setBusy(false);
    accept();
}

}  // namespace zolt::verify_screens
