#include "group_agency.h"

#include "common/number_format.h"
#include "common/product.h"
#include "common/session.h"
#include "widgets/screen_controls.h"
#include "widgets/line_text_validator.h"
#include "common/windows1252.h"
#include "payment/group_lines.h"
#include "store/data_environment.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zolt::payment_screens {
namespace {

// How many characters of a field the payment file's reader takes back: a
// longer value would be cut the next time the file is loaded.
int lengthOf(const QString &field)
{
    for (const payment::GroupLabel &label : payment::GroupLabels()) {
        if (label.field == field)
            return label.length;
    }
    return 35;
}

// The read-only values as the agencies screen shows them: the count as a
// whole number, the amount with two decimals.
QString shownValue(const Recordset &groups, const QString &field)
{
    if (field == QLatin1String("FOLIO_CNT"))
        return FormatNumber(groups.number(field), Mask::Count);
    if (field == QLatin1String("TOT_PAY"))
        return FormatNumber(groups.number(field), Mask::Total);
    return groups.text(field);
}

}  // namespace

Group_Agency::Group_Agency(Session &session, QWidget *parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("Group_Agency"));
    setWindowTitle(ProductName());
    buildControls();
}

void Group_Agency::buildControls()
{
    auto addEdits = [this](QGroupBox *frame, const std::vector<std::pair<const char *, QString>> &edits) {
        auto *form = new QFormLayout(frame);
        for (const auto &[name, field] : edits) {
            auto *edit = Named(new QLineEdit(frame), name);
            edit->setMaxLength(lengthOf(field));
            edit->setValidator(new LineTextValidator(edit));
            form->addRow(edit);
            m_edits.push_back({edit, field});
        }
    };
    QGroupBox *frame2 = MakeFrame("Frame2", QStringLiteral("<Name>"), this);
    addEdits(frame2, {{"Text1", QStringLiteral("NAME1")}, {"Text2", QStringLiteral("NAME2")}});
    QGroupBox *frame3 = MakeFrame("Frame3", QStringLiteral("<Contact Person/Phone Number>"), this);
    addEdits(frame3, {{"Text3", QStringLiteral("CONTACT")}, {"Text4", QStringLiteral("CONT_PHONE")}});
    QGroupBox *frame4 = MakeFrame("Frame4", QStringLiteral("<Address>"), this);
    addEdits(frame4, {{"Text5", QStringLiteral("ADDR1")}, {"Text6", QStringLiteral("ADDR2")},
                      {"Text7", QStringLiteral("ADDR3")}, {"Text8", QStringLiteral("ADDR4")},
                      {"Text9", QStringLiteral("ADDR5")}, {"Text10", QStringLiteral("ADDR6")}});

    QGroupBox *frame1 = MakeFrame("Frame1", QStringLiteral("<Controls>"), this);
    auto *controls = new QFormLayout(frame1);
    const std::vector<std::tuple<const char *, QString, const char *, QString>> shown = {
        {"Label1", QStringLiteral("Agency"), "Label5", QStringLiteral("MORTCO")},
        {"Label2", QStringLiteral("No. of Records"), "Label6", QStringLiteral("FOLIO_CNT")},
        {"Label3", QStringLiteral("Payment Amount"), "Label7", QStringLiteral("TOT_PAY")},
        {"Label4", QStringLiteral("Due Date"), "Label8", QStringLiteral("DUEDATE")}};
    for (const auto &[captionName, caption, valueName, field] : shown) {
        QLabel *value = MakeLabel(valueName, QString(), frame1);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        controls->addRow(MakeLabel(captionName, caption, frame1), value);
        m_shown.emplace_back(value, field);
    }

    QLineEdit *message = MakeMessageLine(QStringLiteral("Please make any necessary changes."), this);
    QPushButton *ok = MakeButton("Command1", QStringLiteral("&OK"), QStringLiteral("Close this window"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    for (QWidget *w : std::initializer_list<QWidget *>{frame1, frame2, frame3, frame4, message})
        layout->addWidget(w);
    layout->addWidget(ok, 0, Qt::AlignRight);
    for (const EditedField &f : m_edits)
        connect(f.edit, &QLineEdit::editingFinished, this, [this, f] { fieldLeft(f); });
}

void Group_Agency::Form_Load()
{
    Recordset &groups = m_session.de.rsGroup();
    groups.ensureOpen();
    if (groups.position() < 0)
        return;
    for (const EditedField &f : m_edits)
        f.edit->setText(groups.text(f.field));
    for (const auto &[label, field] : m_shown)
        label->setText(shownValue(groups, field));
}

// Text entered into a field is upper-cased when the field is left, and goes
// to the agency's row (written when the editor closes).
void Group_Agency::fieldLeft(const EditedField &field)
{
    Recordset &groups = m_session.de.rsGroup();
    if (!groups.isOpen() || groups.position() < 0)
        return;
    const QString text = ToUpperWindows1252(field.edit->text());
    if (text != field.edit->text())
        field.edit->setText(text);
    if (text != groups.text(field.field))
        groups.setField(field.field, text);
}

// However the editor closes (OK, Escape, the window's close box), what was
// typed is stored.
void Group_Agency::done(int result)
{
    for (const EditedField &f : m_edits)
        fieldLeft(f);
    Recordset &groups = m_session.de.rsGroup();
    try {
        if (groups.isOpen() && groups.recordCount() > 0)
            groups.move(0);
    } catch (const std::exception &e) {
        m_session.ui.message(QStringLiteral("The agency's changes could not be stored: %1")
                                 .arg(QString::fromLocal8Bit(e.what())),
                             MessageIcon::Critical);
    }
    QDialog::done(result);
}

}  // namespace zolt::payment_screens
