// The verification list over 100,000 folios with every column filled:
// opening it, each of the nine sorts (keeping the current folio) and a
// search, each timed, with the longest stretch in which the window could
// not paint.
//
//   bench_verify_list [FOLIOS]

#include "support/measure.h"
#include "support/realistic_data.h"
#include "support/timed_dialog.h"

#include "common/session.h"
#include "store/batch_insert.h"
#include "store/data_environment.h"
#include "store/sqlite_db.h"
#include "verify/verify_orders.h"
#include "verify_screens/verify_navigator.h"
#include "verify_screens/verify_numbers.h"
#include "verify_screens/verify_numbers_search.h"
#include "widgets/data_grid.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextStream>

using namespace zolt;

namespace {

// Nothing opens from the list while it is timed.
class NoScreens : public verify_screens::VerifyNavigator {
    bool showVerifyNumbers() override { return true; }
    void showVerifyNumberAdd() override {}
    void showVerifyNumberChange() override {}
    void showVerifyNumberDelete() override {}
    void showVerifyNumbersSearch() override {}
    void showReturnInstructions2() override {}
    void showInformationDialog() override {}
};

// The folios as a workbook load stores them, every column filled; a folio
// in twenty marked for deletion, one in fifty added, one in thirty changed.
void fillVerify(Database &db, int folios)
{
    db.exec(QStringLiteral("BEGIN"));
    BatchInsert insert(db, QStringLiteral("VERIFY"),
                       {"ACD", "MORTCO", "NUMBER", "NAME", "CD", "JUR", "FOLIO", "PID", "LEGAL", "ADDR1", "ADDR2",
                        "ADDR3", "ADDR4", "ADDR5"},
                       64);
    for (int i = 0; i < folios; ++i) {
        QStringList row = bench::VerifyRow(i, true);
        row[0] = i % 20 == 0 ? "D" : i % 50 == 1 ? "A" : i % 30 == 2 ? "C" : " ";
        for (const QString &value : std::as_const(row))
            insert.text(value);
        insert.addRow();
    }
    insert.flush();
    for (int j = 0; j < 5; ++j)
        db.exec(QStringLiteral("INSERT INTO Fol_Mask (YEAR, JUR_CD, FOLIO_LEN, FOLIO_MASK) VALUES ('2026', '%1', 10, "
                               "'%2')")
                    .arg(101 + j)
                    .arg(j % 2 ? QStringLiteral("###-###-####") : QStringLiteral("##.##.######")));
    db.exec(QStringLiteral("COMMIT"));
}

using Figure = bench::TimedFigure;

void print(QTextStream &out, const QString &name, const Figure &f, int target)
{
    out << name << "_ms " << f.timing.wallMs << " (cpu " << f.timing.cpuMs << ", target under " << target
        << "), longest unpainted " << f.longestGapMs << " ms (target under 100)\n";
}

QString currentFolio(Recordset &folios)
{
    return folios.text(QStringLiteral("NUMBER")) + u'|' + folios.text(QStringLiteral("NAME")) + u'|'
           + folios.text(QStringLiteral("FOLIO"));
}

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 100000;
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("Zolt.mdb"));
    CreateDatabaseFile(db);
    auto de = DataEnvironment::openFile(db);
    fillVerify(de->Zolt().database(), count);
    bench::TimedDialog ui;
    SharedValues shared;
    Session session{*de, ui, shared};
    NoScreens screens;
    QTextStream out(stdout);

    Figure open;
    std::vector<Figure> sorts(verify::VerifyOrders().size());
    bool keptFolio = true;
    qint64 rows = 0;
    for (int run = 0; run < 3; ++run) {
        Recordset &folios = de->rsVerify();
        if (folios.isOpen())
            folios.close();
        folios.setSource(verify::VerifyListSource(verify::VerifyOrders().front()));
        std::unique_ptr<verify_screens::Verify_Numbers> list;
        open.measure(ui, [&] {
            list = std::make_unique<verify_screens::Verify_Numbers>(session, screens);
            list->Form_Load();
            list->show();
            QApplication::processEvents();
            list->grid()->viewport()->repaint();
        });
        rows = list->grid()->model()->rowCount();
        // A folio in the middle of the list is the current one throughout.
        folios.setCurrentRow(rows / 2 + 7);
        const QString chosen = currentFolio(folios);
        // From the last order round to the first, so that every sort changes it.
        for (size_t s = 0; s < sorts.size(); ++s) {
            const verify::VerifyOrder &order = verify::VerifyOrders()[(s + 1) % sorts.size()];
            sorts[s].measure(ui, [&] {
                list->findChild<QRadioButton *>(QLatin1String(order.option))->click();
                list->grid()->viewport()->repaint();
            });
            keptFolio = keptFolio && currentFolio(folios) == chosen;
        }
    }
    out << "folios_listed " << rows << "\n";
    print(out, QStringLiteral("list_open"), open, 300);
    for (size_t s = 0; s < sorts.size(); ++s)
        print(out, QStringLiteral("sort_") + QLatin1String(verify::VerifyOrders()[(s + 1) % sorts.size()].option),
              sorts[s], 300);
    out << "current_folio_kept_by_every_sort " << (keptFolio ? "yes" : "NO") << "\n";

    // A search by name over every folio, marked or not.
    Figure search;
    qint64 found = 0;
    for (int run = 0; run < 3; ++run) {
        verify_screens::Verify_Numbers_Search screen(session);
        screen.Form_Load();
        auto *check = screen.findChild<QCheckBox *>(QStringLiteral("Check_NAME"));
        auto *name = screen.findChild<QLineEdit *>(QStringLiteral("txtNAME"));
        auto *find = screen.findChild<QPushButton *>(QStringLiteral("Command_Find"));
        if (!check || !name || !find) {
            out << "search: the search screen has no name criterion to time\n";
            return 1;
        }
        check->setChecked(true);
        name->setText(QStringLiteral("SMITH"));
        screen.show();
        search.measure(ui, [&] {
            find->click();
            QApplication::processEvents();
        });
        found = de->rsVerify2().recordCount();
    }
    out << "search_found " << found << "\n";
    print(out, QStringLiteral("search"), search, 200);
    return rows == count && keptFolio ? 0 : 1;
}
