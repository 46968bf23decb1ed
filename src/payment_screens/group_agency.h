#pragma once

#include <QDialog>
#include <vector>

class QLabel;
class QLineEdit;

namespace zolt {
struct Session;
}

namespace zolt::payment_screens {

// Edits the current agency's names, contact, phone and address lines; its
// number, payment count and amount and due date are shown only. What the
// user types is stored when the editor closes, however it is closed.
class Group_Agency : public QDialog {
    Q_OBJECT
public:
    explicit Group_Agency(Session &session, QWidget *parent = nullptr);

    // Fills the fields from the current agency.
    void Form_Load();

    void done(int result) override;

private:
    struct EditedField {
        QLineEdit *edit;
        QString field;
    };
    void buildControls();
    void fieldLeft(const EditedField &field);

    Session &m_session;
    std::vector<EditedField> m_edits;
    std::vector<std::pair<QLabel *, QString>> m_shown;  // read-only labels and their fields
};

}  // namespace zolt::payment_screens
