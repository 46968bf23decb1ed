#pragma once

#include <QDialog>
#include <QList>

class QAction;
class QGroupBox;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QRadioButton;

namespace zolt {
struct Session;
class DataGrid;
}

namespace zolt::verify {
struct VerifyOrder;
}

namespace zolt::verify_screens {

class VerifyNavigator;

// The folios of the loaded verification workbook (rsVerify), the hub of the
// workbench: the user marks folios added, changed or deleted, undoes a
// deletion mark, opens the add, change, permanent delete and search
// screens, sorts the list nine ways and sizes the window for four screens.
class Verify_Numbers : public QDialog {
    Q_OBJECT
public:
    // done() with this result: closed asking that nothing be saved.
    static constexpr int ClosedWithoutSaving = 2;

    Verify_Numbers(Session &session, VerifyNavigator &navigator, QWidget *parent = nullptr);

    // Opens the recordsets the screens need and shows rsVerify in the order
    // its source has.
    void Form_Load();

    DataGrid *grid() const { return m_grid; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    // A window-size choice: the grid's and the form's sizes in twips.
    struct WindowSize {
        QRadioButton *option;
        QAction *menuItem;
        int gridHeight, gridWidth, formHeight, formWidth;
    };
    struct SortChoice {
        QRadioButton *option;
        const verify::VerifyOrder *order;
    };

    void buildControls();
    void buildMenus(QMenuBar *menus);
    QGroupBox *buildRecordFrame();
    QGroupBox *buildSortFrame();
    QGroupBox *buildExchangeFrame();
    QGroupBox *buildSizeFrame();

    // Every action runs between these two.
    void DisableCommands(bool clearMessage, bool showHourglass);
    void EnableCommands(bool clearMessage, bool resetPointer);
    void rowChanged();
    bool hasCurrentFolio() const;

    // Marks the current folio and writes it at once.
    void setMark(const QString &mark);
    void Command_Inactivate_Click();
    void Command_Activate_Click();
    void markFromMenu(const QString &mark);
    void openEntry(void (VerifyNavigator::*entry)());
    void mnuPermanentDelete_Click();
    void Command_Search_Click();
    void sortBy(const verify::VerifyOrder &order);
    void readFolios(const QString &source);
    void applySize(const WindowSize &size);
    // The exchange of Verify.csv in the current folder (verify_exchange.cpp).
    void Command_Export_Click();
    void importFile(const QString &mode);
    void showHelp(const QString &title, const QString &text);
    void exchangeRunning(bool running);
    void Command_Close_Click();

    Session &m_session;
    VerifyNavigator &m_navigator;
    DataGrid *m_grid = nullptr;
    QLineEdit *m_textMsg = nullptr;
    QPushButton *m_commandAdd = nullptr, *m_commandChange = nullptr, *m_commandInactivate = nullptr,
                *m_commandActivate = nullptr, *m_commandSearch = nullptr, *m_commandClose = nullptr;
    QGroupBox *m_frameSort = nullptr;
    QGroupBox *m_frameExchange = nullptr;
    QMenuBar *m_menus = nullptr;
    QList<SortChoice> m_sorts;
    QList<WindowSize> m_sizes;
    bool m_loading = false;
    bool m_placed = false;  // put at the screen's corner once shown
};

}  // namespace zolt::verify_screens
