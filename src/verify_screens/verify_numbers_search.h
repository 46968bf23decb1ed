#pragma once

#include <QDialog>
#include <memory>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zolt {
struct Session;
class CriterionRow;
class DataGrid;
class Recordset;
}

namespace zolt::verify {
struct FolioSearch;
}

namespace zolt::verify_screens {

// The search of the verification list: folios found by any of thirteen
// criteria, each matched as a part of its field, and by their mark; the
// matches are listed (rsVerify2), and Select makes the chosen one the
// list's current folio.
class Verify_Numbers_Search : public QDialog {
    Q_OBJECT
public:
    explicit Verify_Numbers_Search(Session &session, QWidget *parent = nullptr);
    ~Verify_Numbers_Search() override;

    // Keeps a cursor over the list's folios and opens rsVerify2, showing
    // none yet; every criterion unticked and empty, all marks chosen.
    void Form_Load();
    DataGrid *grid() const { return m_grid; }

private:
    struct Criterion {
        QString column;  // of VERIFY
        CriterionRow *row;
    };
    QGroupBox *buildCriteria();
    QGroupBox *buildMarks();
    QGroupBox *buildResults();
    const Criterion &criterion(const char *column) const;
    // What leaving a field does to it; false when it cannot be left.
    bool fieldLeft(const Criterion &criterion);
    bool codeLeft(const Criterion &criterion);
    void ClearEmptyCriteria();
    void marksChosen();
    verify::FolioSearch search() const;
    void Command_Find_Click();
    void Command_Select_Click();
    // The row of the list's cursor holding the folio chosen in rsVerify2;
    // -1 when none does.
    qint64 chosenFolioRow() const;

    Session &m_session;
    std::vector<Criterion> m_criteria;  // in the order the filter takes them
    std::vector<QRadioButton *> m_marks;  // all, added, changed, not changed, deleted
    QCheckBox *m_checkDeleted = nullptr;
    DataGrid *m_grid = nullptr;
    QLineEdit *m_textMsg = nullptr;
    QPushButton *m_commandFind = nullptr;
    QPushButton *m_commandSelect = nullptr;
    std::unique_ptr<Recordset> m_folios;  // the list's folios as the screen opened
};

}  // namespace zolt::verify_screens
