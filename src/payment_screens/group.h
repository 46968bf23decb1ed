#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zolt {
struct Session;
class DataGrid;
}

namespace zolt::payment_screens {

class PaymentNavigator;

// The paying agencies of the loaded payment file, with each agency's number
// of payments and their amount and the total of all of them. From here the
// user opens an agency's payment list and its information editor; closing
// the screen hands the data back to the main window for saving.
class Group : public QDialog {
    Q_OBJECT
public:
    Group(Session &session, PaymentNavigator &navigator, QWidget *parent = nullptr);

    // Shows the grand total and, for data of another year, that year.
    void Form_Load();

    DataGrid *grid() const { return m_grid; }

private:
    void buildControls();
    void Command_Details_Click();
    void Command_AgencyInformation_Click();
    void rowChanged();
    // Counts the current agency's payments (rsDetail filtered to it) into
    // its FOLIO_CNT and TOT_PAY.
    void recountAgency();
    void showGrandTotal();

    Session &m_session;
    PaymentNavigator &m_navigator;
    DataGrid *m_grid = nullptr;
    QLabel *m_labelGroup = nullptr;
    QGroupBox *m_frameHistorical = nullptr;
    QLabel *m_labelHistoricalYear = nullptr;
    QPushButton *m_commandDetails = nullptr;
    QPushButton *m_commandAgencyInformation = nullptr;
    QLineEdit *m_textMsg = nullptr;
    QLabel *m_labelTotal = nullptr;
};

// The grand total as the groups screen and the return instructions show it.
QString TotalText(double total);

// The sum of TOT_PAY over every agency, read through a cursor of its own.
double TotalOfAgencies(Session &session);

}  // namespace zolt::payment_screens
