#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace zolt {
struct Session;
class TableReport;
}

namespace zolt::payment {
struct DuplicateFolioStore;
}

namespace zolt::payment_screens {

// Lists the duplicate payments a load refused (the first 200 of them, with
// the full count) and puts them into the Detail table for the printed list.
class DuplicateFolios : public QDialog {
    Q_OBJECT
public:
    DuplicateFolios(Session &session, const payment::DuplicateFolioStore &duplicates, QWidget *parent = nullptr);

    // Lists the duplicates and fills the Detail table with them.
    void Form_Load();

private:
    void Command_Print_Click();
    void fillList();
    void fillDetailTable();

    Session &m_session;
    const payment::DuplicateFolioStore &m_duplicates;
    QLabel *m_folioCount;
    QListWidget *m_list;
    QPushButton *m_commandPrint;
};

// The printout of the listed duplicates, "Duplicate Folios": the list's
// columns, the full count on every page.
TableReport DuplicateFoliosReport(const payment::DuplicateFolioStore &store);

}  // namespace zolt::payment_screens
