#pragma once

#include <QDialog>
#include <QList>

class QLineEdit;
class QPushButton;
class QRadioButton;

#include "payment_navigator.h"

namespace zolt {
struct Session;
class DataGrid;
}

namespace zolt::payment {
struct PaymentOrder;
}

namespace zolt::payment_screens {

// The payments of the agency chosen on the groups screen (rsDetail, filtered
// to it), in one of four orders. From here the user prints the list and
// exports it to Export.csv; adding, changing, deleting and finding payments
// open from here too.
class Detail : public QDialog {
    Q_OBJECT
public:
    Detail(Session &session, PaymentNavigator &navigator, QWidget *parent = nullptr);

    // Selects the order rsDetail is in and shows its first payment.
    void Form_Load();

    DataGrid *grid() const { return m_grid; }
    // Where the export and the report's PDF go: the payment file's folder.
    QString outputFolder() const;

private:
    struct SortOrder {
        QRadioButton *option;
        const payment::PaymentOrder *order;
    };
    void buildControls();
    QWidget *buildSortFrame();
    QWidget *buildPaymentFrame();
    void Option_Sort_Click(const SortOrder &order);
    void updateButtons();
    void openChild(void (PaymentNavigator::*child)());
    void Command_Print_Click();
    void Command_Export_Click();
    void showError(const QString &what, const std::exception &error);

    Session &m_session;
    PaymentNavigator &m_navigator;
    DataGrid *m_grid = nullptr;
    QLineEdit *m_textMsg = nullptr;
    QPushButton *m_commandPrint = nullptr;
    QPushButton *m_commandExport = nullptr;
    QList<SortOrder> m_orders;
    QList<QPushButton *> m_needPayment;  // change and delete
    bool m_loading = false;
};

}  // namespace zolt::payment_screens
