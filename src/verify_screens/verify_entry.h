#pragma once

#include <QDialog>
#include <QHash>
#include <QList>
#include <functional>
#include <memory>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace zolt {
class Recordset;
struct Session;
}

namespace zolt::verify {
struct TypedFolio;
}

namespace zolt::verify_screens {

// The screens that add a folio (Verify_Number_Add), change the current
// folio's mortgage number (Verify_Number_Change) and remove the current
// folio for good (Verify_Number_Delete).
//
// Each field is checked as it is left: a check that refuses the value beeps
// and keeps the focus in the field, and the buttons that act on the form do
// not act until the field holding the focus can be left.
class VerifyEntry : public QDialog {
    Q_OBJECT
public:
    enum class Kind { Add, Change, Delete };

    VerifyEntry(Kind kind, Session &session, QWidget *parent = nullptr);
    ~VerifyEntry() override;

    void Form_Load();

    // Escape and the window's close button: the change screen keeps the
    // edits as Close does; the others write nothing.
    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // Building.
    QLineEdit *makeField(const char *name, int maxLength);
    QPushButton *makeButton(const char *name, const QString &caption, const QString &tip);
    QLabel *makeNote(const char *name, const QString &text, bool red);
    void buildAddControls(QVBoxLayout *layout);
    void buildRecordControls(QVBoxLayout *layout);
    void addAddressFields(QGridLayout *grid, int &row);
    void showOnly(QLineEdit *edit);
    // A value shown whole, however long; typing keeps to the box's length.
    void showValue(QLineEdit *edit, const QString &text);

    // Leaving and entering fields.
    bool leaveField(QWidget *field);
    bool leaveFocusedField();
    void enterField(QWidget *field);
    bool checkName();
    void say(const QString &text);
    static void colour(QWidget *field, const QColor &colour);
    // Runs work on the folios; a failure is said on the message line.
    bool tried(const std::function<void()> &work);

    // The add screen.
    void loadAdd();
    bool leaveAddField(QWidget *field);
    void FillJurisdictionList();
    verify::TypedFolio typed() const;
    bool CheckAllFields(bool setSave);
    void refreshSave();
    bool checkCode(QComboBox *combo, int length, bool (*valid)(const QString &), const QString &message);
    bool checkNumber();
    bool checkCompany();
    bool checkFolio();
    bool checkPid();
    void showFolio(bool withFormatLabel);
    void Command_OK_Click();

    // The change and delete screens.
    void loadRecord();
    void ShowCurrentRecord();
    void enterNumber();
    bool checkChangedNumber();
    void numberLeft();
    bool writeEdits();
    void walk(bool forward);
    void Command1_Click();
    void Command_Delete_Click();

    Kind m_kind;
    Session &m_session;
    std::unique_ptr<Recordset> m_clone;  // duplicate look-ups, leaving rsVerify where it is
    QString m_numberBefore;              // the change screen's number when its box got the focus
    bool m_quiet = false;                // focus moved by the screen itself: no field is left or entered

    QLineEdit *m_textMsg = nullptr;
    QLineEdit *m_number = nullptr, *m_mortco = nullptr, *m_folio = nullptr, *m_pid = nullptr, *m_name = nullptr,
              *m_legal = nullptr;
    QList<QLineEdit *> m_addresses;
    QComboBox *m_comboCD = nullptr, *m_comboJUR = nullptr;
    QLineEdit *m_textCD = nullptr, *m_textJUR = nullptr;
    QLabel *m_numberMsg = nullptr, *m_folioRequired = nullptr, *m_folioFormat = nullptr, *m_pidRequired = nullptr;
    QLabel *m_districtName = nullptr, *m_jurisdictionName = nullptr, *m_folioDisp = nullptr, *m_folioDigits = nullptr,
           *m_pidShown = nullptr;
    QPushButton *m_commandOK = nullptr;
    QHash<QLineEdit *, int> m_typedLength;
};

}  // namespace zolt::verify_screens
