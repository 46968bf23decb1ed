// Times the payment list of one agency holding 100,000 payments (realistic
// names, addresses and amounts, five folio masks): opening it as the groups
// screen's Select does (reading, filter, screen, first paint), sorting it by
// name and back (reopen, filter, repaint) and a search by name, each with the
// longest stretch without a turn of the event loop. Best of three runs each.
// Usage: bench_payment_list [PAYMENTS]

#include "support/measure.h"
#include "support/timed_dialog.h"
#include "common/clock.h"
#include "support/realistic_data.h"

#include "common/session.h"
#include "widgets/data_grid.h"
#include "payment_screens/payment_navigator.h"
#include "common/windows1252.h"
#include "payment/payment_format.h"
#include "payment/payment_load.h"
#include "payment_screens/detail.h"
#include "payment_screens/detail_search.h"
#include "payment_screens/group.h"
#include "store/data_environment.h"
#include "store/sqlite_db.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextStream>

using namespace zolt;

namespace {

// Nothing opens from the list while it is timed.
class NoScreens : public payment_screens::PaymentNavigator {
    void showDuplicateFolios(const payment::DuplicateFolioStore &) override {}
    void showGroup() override {}
    void showGroupAgency() override {}
    void showDetail() override {}
    void showDetailAdd() override {}
    void showDetailChange() override {}
    void showDetailDelete() override {}
    void showDetailSearch() override {}
    void showInformationDialog() override {}
    void showReturnInstructions() override {}
};

void writeFile(const QString &path, int payments)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    QByteArray bytes;
    auto line = [&bytes](const QString &text) {
        EncodeWindows1252(text, bytes);
        bytes += "\r\n";
    };
    line(payment::YearLinePrefix + QString::number(CurrentYear()));
    line(QString());
    line(payment::MaskHeader);
    for (int j = 0; j < 5; ++j)
        line(QStringLiteral("%1%2").arg(101 + j).arg(10) + (j % 2 ? "###-###-####" : "##.##.######"));
    line(QString());
    line(payment::GroupHeader);
    line(QStringLiteral("Group #,0001"));
    line(QStringLiteral("Agency #,0012"));
    line(QStringLiteral("Name1:,ACME MORTGAGE LTD"));
    line(QString());
    line(payment::DetailHeader);
    line(payment::ColumnHeading);
    for (int i = 0; i < payments; ++i)
        line(bench::PaymentDetailLine(i, 5));
    file.write(bytes);
}

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int payments = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 100000;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Zoltdata.csv"));
    writeFile(path, payments);
    const QString db = dir.filePath(QStringLiteral("Zolt.mdb"));
    CreateDatabaseFile(db);
    auto de = DataEnvironment::openFile(db);
    bench::QuietDialog ui;
    SharedValues shared;
    Session session{*de, ui, shared};
    if (!payment::Csv2Mdb(session, path).loaded())
        return 1;
    NoScreens screens;
    bench::TimedDialog timed;
    Session screen{*de, timed, shared};
    bench::TimedFigure open, sort, search;
    qint64 rows = 0;
    for (int run = 0; run < 3; ++run) {
        // Each run starts as a fresh load leaves the details: unread.
        de->rsDetail().close();
        de->rsDetail().open();
        std::unique_ptr<payment_screens::Detail> list;
        open.measure(timed, [&] {
            payment_screens::Group groups(screen, screens);
            groups.Form_Load();
            groups.findChild<QPushButton *>(QStringLiteral("Command_Details"))->click();
            list = std::make_unique<payment_screens::Detail>(screen, screens);
            list->Form_Load();
            list->show();
            QApplication::processEvents();
            list->grid()->viewport()->repaint();
        });
        rows = list->grid()->model()->rowCount();
        sort.measure(timed, [&] {
            list->findChild<QRadioButton *>(QStringLiteral("Option_Sort_Name"))->click();
            list->grid()->viewport()->repaint();
        });
        list->findChild<QRadioButton *>(QStringLiteral("Option_Sort_CD"))->click();
    }
    qint64 found = 0;
    for (int run = 0; run < 3; ++run) {
        payment_screens::Detail_Search finder(screen);
        finder.Form_Load();
        finder.show();
        finder.findChild<QCheckBox *>(QStringLiteral("Check_NAME"))->setChecked(true);
        finder.findChild<QLineEdit *>(QStringLiteral("txtNAME"))->setText(QStringLiteral("SMITH"));
        search.measure(timed, [&] {
            finder.findChild<QPushButton *>(QStringLiteral("Command_Find"))->click();
            QApplication::processEvents();
        });
        found = de->rsDetail2().recordCount();
    }
    QTextStream out(stdout);
    auto print = [&out](const char *name, const bench::TimedFigure &f, int target) {
        out << name << "_ms " << f.timing.wallMs << " (cpu " << f.timing.cpuMs << ", target under " << target
            << ")\n" << name << "_longest_gap_ms " << f.longestGapMs << "\n";
    };
    out << "payments_listed " << rows << "\n";
    print("list_open", open, 500);
    print("list_sort", sort, 1000);
    out << "search_found " << found << "\n";
    print("search", search, 500);
    return rows == payments && found > 0 ? 0 : 1;
}
