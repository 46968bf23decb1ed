#pragma once

#include <QDialog>
#include <vector>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace zolt {
struct Session;
class DataGrid;
}

namespace zolt::payment_screens {

// Finds payments of the current agency by any of five criteria, each
// matched as a part of the field, lists them (rsDetail2), and on "&Select"
// makes the chosen one the current payment of the agency's list.
class Detail_Search : public QDialog {
    Q_OBJECT
public:
    explicit Detail_Search(Session &session, QWidget *parent = nullptr);
    ~Detail_Search() override;

    // Opens rsDetail2 over the agency's payments, showing none yet.
    void Form_Load();
    DataGrid *grid() const { return m_grid; }

private:
    struct Criterion {
        QCheckBox *check;
        QLineEdit *text;
        QString missing;  // said when it is checked with nothing in it
    };
    QWidget *buildCriteria();
    void Command_Find_Click();
    void Command_Select_Click();
    // Whether the current payment of rsDetail is the one chosen in rsDetail2.
    bool isChosenPayment() const;
    QString agency() const;

    Session &m_session;
    std::vector<Criterion> m_criteria;  // district, jurisdiction, folio, mortgage number, name
    DataGrid *m_grid = nullptr;
    QLineEdit *m_textMsg = nullptr;
    QPushButton *m_commandFind = nullptr;
    QPushButton *m_commandSelect = nullptr;
};

}  // namespace zolt::payment_screens
