#pragma once

#include <QColor>
#include <QObject>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace zolt {

// One criterion of a search screen: a check box, the field it switches on
// (a line edit or an editable combo box) and, where the screen has one, a
// label naming it. Ticking the box enables the field in the ticked colour
// and shows the label in bold; unticking disables the field in the
// unticked colour, the label plain. The field selects its whole text when
// it gets the focus and tells when it is left (not when its own list or
// another window takes the focus for a while).
class CriterionRow : public QObject {
    Q_OBJECT
public:
    struct Look {
        std::optional<QColor> ticked;           // none: the style's own background
        QColor unticked = QColor(224, 224, 224);
        bool focusWhenTicked = false;           // ticking puts the focus in the field
    };

    // The row belongs to the check box.
    CriterionRow(QCheckBox *check, QWidget *field, QLabel *label, const Look &look);

    QCheckBox *check() const { return m_check; }
    QWidget *field() const { return m_field; }
    QLabel *label() const { return m_label; }
    QLineEdit *lineEdit() const;  // the field's, or the combo box's
    QComboBox *comboBox() const;  // null for a line edit

    bool isTicked() const;
    void setTicked(bool on);
    QString text() const;
    void setText(const QString &text);

signals:
    // The field lost the focus.
    void left();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showTicked(bool on);

    QCheckBox *m_check;
    QWidget *m_field;
    QLabel *m_label;
    Look m_look;
};

}  // namespace zolt
