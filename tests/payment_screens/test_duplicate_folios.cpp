#include "payment/payment_fixture.h"
#include "support/test_session.h"

#include "payment/payment_load.h"
#include "payment_screens/duplicate_folios.h"

#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace zolt;
using namespace zolt::test;

class TestDuplicateFolios : public QObject {
    Q_OBJECT

private slots:
    void listsTheDuplicatesOfTheLoad()
    {
        TestSession t;
        QStringList details;
        for (int i = 0; i < 351; ++i)
            details << "#7,SMITH,05,101,#42,12.5,A,0,0,0,0,LEGAL " + QString::number(i);
        const QString path = t.file("d.csv");
        PaymentFileText().year(ThisYear()).group("1", "12", details).write(path);
        QVERIFY(payment::Csv2Mdb(t.session(), path).loaded());

        payment_screens::DuplicateFolios screen(t.session());
        QCOMPARE(t.scalar("SELECT count(*) FROM Detail").toInt(), 1);  // building the screen touches no data
        screen.Form_Load();
        QCOMPARE(screen.windowTitle(), QString("ZOLT - Duplicate Folios"));
        auto *list = screen.findChild<QListWidget *>("List_DuplicateFolios");
        QVERIFY(list);
        QCOMPARE(list->count(), 200);
        QCOMPARE(list->currentRow(), 0);
        QVERIFY(list->item(0)->text().startsWith("0012 05 101 000000000000000042   SMITH "));
        QCOMPARE(list->font().family(), QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
        QCOMPARE(screen.findChild<QLabel *>("Label_FolioCount")->text(),
                 QString("There are 350 Duplicate Folios in the file"));
        QVERIFY(screen.findChild<QPushButton *>("Command_Print")->isEnabled());
        QCOMPARE(t.scalar("SELECT count(*) FROM Detail").toInt(), 200);
        QVERIFY(t.ui.messages().isEmpty());

        screen.show();
        QTest::mouseClick(screen.findChild<QPushButton *>("Command_OK"), Qt::LeftButton);
        QVERIFY(!screen.isVisible());
    }
};

QTEST_MAIN(TestDuplicateFolios)
#include "test_duplicate_folios.moc"
