#include "duplicate_folios.h"

#include "common/errors.h"
#include "common/session.h"
#include "payment/duplicate_detail.h"
#include "payment/duplicate_lines.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zolt::payment_screens {
namespace {

QLabel *label(const char *name, const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

QPushButton *button(const char *name, const QString &text, const QString &tip, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(tip);
    return b;
}

}  // namespace

DuplicateFolios::DuplicateFolios(Session &session, QWidget *parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("DuplicateFolios"));
    setWindowTitle(QStringLiteral("ZOLT - Duplicate Folios"));
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);

    QLabel *intro = label("Label1", QStringLiteral(
        "There are duplicate folios in the ZOLT data file. There is a unique index that prevents duplication of "
        "the exact same { Mortgage/Bulk Company (Agency), Collection District, Jurisdiction, Folio Number, and "
        "Name }. Please examine the input ZOLT file and remove or fix the following duplicate folios. Note this "
        "list only shows the first 200 duplicate folios."), this);
    intro->setWordWrap(true);
    m_folioCount = label("Label_FolioCount", QStringLiteral("There are # Duplicate Folios in the file"), this);
    QLabel *heading = label("Label2", payment::DuplicateListHeading, this);
    heading->setFont(fixed);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List_DuplicateFolios"));
    m_list->setFont(fixed);
    m_list->setToolTip(QStringLiteral("AGENCY NUMBER, COLLECTION DISTRICT, JURISDICTION, FOLIO NUMBER,  NAME OF "
                                      "OWNER, PAYMENT AMOUNT, LEGAL DESCRIPTION"));

    // The list prints through the payment details report, which the program
    // does not have yet: the button stays disabled until it does.
    QPushButton *print = button("Command_Print", QStringLiteral("&Print"), QString(), this);
    print->setEnabled(false);
    QPushButton *close = button("Command_OK", QStringLiteral("&Close"), QStringLiteral("Close this screen"), this);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(print);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_folioCount);
    layout->addWidget(heading);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    const int width = QFontMetrics(fixed).horizontalAdvance(QString(110, u'M'));
    resize(width + 40, 480);
}

void DuplicateFolios::Form_Load()
{
    fillList();
    fillDetailTable();
}

void DuplicateFolios::fillList()
{
    const DuplicateFolioStore &store = m_session.shared.duplicates;
    m_list->clear();
    m_list->addItems(payment::DuplicateListLines(store));
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
    m_folioCount->setText(payment::DuplicateCountLine(store.count));
    m_session.ui.letEventsRun();
}

void DuplicateFolios::fillDetailTable()
{
    try {
        payment::FillDetailWithDuplicates(m_session);
    } catch (const ZoltError &e) {
        m_session.ui.message(QStringLiteral("The duplicate folios could not be put into the Detail table for "
                                            "printing: error #%1 %2")
                                 .arg(NumberWithSignPlace(e.number()), e.description()),
                             MessageIcon::Critical);
    }
    m_session.ui.setBusy(false);
    m_session.ui.letEventsRun();
}

}  // namespace zolt::payment_screens
