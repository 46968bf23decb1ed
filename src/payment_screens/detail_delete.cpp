#include "detail_delete.h"

#include "payment_fields.h"

#include "common/product.h"
#include "common/session.h"
#include "widgets/screen_controls.h"
#include "widgets/screen_fit.h"
#include "store/data_environment.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

namespace zolt::payment_screens {

Detail_Delete::Detail_Delete(Session &session, QWidget *parent)
    : QDialog(parent), m_session(session), m_fields(new PaymentFields(this))
{
    setObjectName(QStringLiteral("Detail_Delete"));
    setWindowTitle(ProductName());
    m_fields->setReadOnly();
    setMinimumWidth(FontScaled(this, 560));
    QLabel *heading = MakeHeading("Label1", QStringLiteral("Delete Payment"), this);
    QLabel *warning = MakeLabel("Picture1", QString(), this);
    warning->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(48, 48));
    warning->setToolTip(QStringLiteral("Make sure that this is the correct payment to delete!"));
    QPushButton *ok = MakeButton("Command_OK", QStringLiteral("&OK"), QStringLiteral("Delete this payment"), this);
    QPushButton *cancel = MakeButton("Command_Cancel", QStringLiteral("Cancel"),
                                     QStringLiteral("Cancel the delete. Leave the payment alone."), this);
    connect(ok, &QPushButton::clicked, this, &Detail_Delete::Command_OK_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *top = new QHBoxLayout;
    top->addWidget(heading, 1);
    top->addWidget(warning);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_fields);
    layout->addWidget(MakeMessageLine(QStringLiteral("Confirm the DELETE of this Payment"), this));
    layout->addLayout(buttons);
}

void Detail_Delete::Form_Load()
{
    const Recordset &details = m_session.de.rsDetail();
    m_fields->showRecord(details);
    // A grant the payment has no amount for cannot be its type here.
    for (auto [option, field] : {std::pair{m_fields->optionB, "REG_GRANT"}, {m_fields->optionC, "ADD_GRANT"}}) {
        if (details.number(QLatin1String(field)) <= 0) {
            if (option->isChecked())
                m_fields->optionA->setChecked(true);
            option->setEnabled(false);
        }
    }
}

void Detail_Delete::Command_OK_Click()
{
    Recordset &details = m_session.de.rsDetail();
    details.deleteCurrent();
    if (details.recordCount() > 0) {
        details.moveNext();
        if (details.eof())
            details.moveFirst();
    }
    accept();
}

}  // namespace zolt::payment_screens
