#include "criterion_row.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>

namespace zolt {

CriterionRow::CriterionRow(QCheckBox *check, QWidget *field, QLabel *label, const Look &look)
    : QObject(check), m_check(check), m_field(field), m_label(label), m_look(look)
{
    m_field->installEventFilter(this);
    connect(m_check, &QCheckBox::toggled, this, [this](bool on) {
        showTicked(on);
        if (on && m_look.focusWhenTicked)
            m_field->setFocus();
    });
    showTicked(m_check->isChecked());
}

QLineEdit *CriterionRow::lineEdit() const
{
    if (QComboBox *combo = comboBox())
        return combo->lineEdit();
    return qobject_cast<QLineEdit *>(m_field);
}

QComboBox *CriterionRow::comboBox() const
{
    return qobject_cast<QComboBox *>(m_field);
}

bool CriterionRow::isTicked() const
{
    return m_check->isChecked();
}

void CriterionRow::setTicked(bool on)
{
    m_check->setChecked(on);
}

QString CriterionRow::text() const
{
    return lineEdit() ? lineEdit()->text() : QString();
}

void CriterionRow::setText(const QString &text)
{
    if (QComboBox *combo = comboBox())
        combo->setEditText(text);
    else if (QLineEdit *edit = lineEdit())
        edit->setText(text);
}

void CriterionRow::showTicked(bool on)
{
    m_field->setEnabled(on);
    const QColor background =
        on ? m_look.ticked.value_or(m_field->style()->standardPalette().color(QPalette::Base)) : m_look.unticked;
    for (QWidget *painted : {m_field, static_cast<QWidget *>(lineEdit())}) {
        if (!painted)
            continue;
        QPalette colours = painted->palette();
        colours.setColor(QPalette::Base, background);
        painted->setPalette(colours);
    }
    if (m_label) {
        QFont font = m_label->font();
        font.setBold(on);
        m_label->setFont(font);
    }
}

bool CriterionRow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_field && event->type() == QEvent::FocusIn) {
        if (QLineEdit *edit = lineEdit())
            edit->selectAll();
    }
    // A combo box's own list opening, or another window, does not leave it.
    if (watched == m_field && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            emit left();
    }
    return false;
}

}  // namespace zolt
