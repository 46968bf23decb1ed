#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace zolt {
struct DuplicateFolioStore;
struct Session;
class TableReport;
}

namespace zolt::payment_screens {

// Lists the duplicate payments a load refused (the first 200 of them, with
// the full count) and puts them into the Detail table for the printed list.
class DuplicateFolios : public QDialog {
    Q_OBJECT
public:
    explicit DuplicateFolios(Session &session, QWidget *parent = nullptr);

    // Lists the duplicates and fills the Detail table with them.
    void Form_Load();

private:
    void Command_Print_Click();
    void fillList();
    void fillDetailTable();

    Session &m_session;
    QLabel *m_folioCount;
    QListWidget *m_list;
    QPushButton *m_commandPrint;
};

// The printout of the listed duplicates, "Duplicate Folios": the list's
// columns, the full count on every page.
TableReport DuplicateFoliosReport(const DuplicateFolioStore &store);

}  // namespace zolt::payment_screens
