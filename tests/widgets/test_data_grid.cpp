#include "support/test_session.h"

#include "widgets/data_grid.h"
#include "widgets/recordset_model.h"
#include "store/data_environment.h"

#include <QSignalSpy>
#include <QtTest>

using namespace zolt;

namespace {

// Five payments; a row per name, in the order of the source.
void fillDetail(test::TestSession &t)
{
    t.exec("INSERT INTO Detail (MORTCO, NAME, CD, JUR, FOLIO, PAYMENT, ABC) VALUES "
           "('0001', 'ADAMS', '05', '101', '000000000000000001', 1234.5, 'A'),"
           "('0001', 'BAKER', '05', '101', '000000000000000002', -20, 'B'),"
           "('0001', 'CLARK', '05', '101', '000000000000000003', 0, 'C'),"
           "('0002', 'DAVIS', '05', '101', '000000000000000004', 7, 'A'),"
           "('0002', 'EVANS', '05', '101', '000000000000000005', 'n/a', 'X')");
}

QList<GridColumn> columns()
{
    using Format = GridColumn::Format;
    return {
        {.caption = "Owner", .field = "NAME", .widthInChars = 25},
        {.caption = "Payment", .field = "PAYMENT", .widthInChars = 12, .format = Format::Standard},
        {.caption = "Amount", .field = "PAYMENT", .widthInChars = 12, .format = Format::Currency},
        {.caption = "Type", .field = "ABC", .widthInChars = 6, .translation = {{"A", "Gross"}, {"B", "Regular"}}},
        {.caption = "Folio", .field = "FOLIO", .widthInChars = 20, .format = Format::Text,
         .displayText = [](const QVariant &value, const QVariant &bookmark) {
             if (value.toString().endsWith('3'))
                 throw std::runtime_error("no mask");
             return "#" + value.toString().right(2) + "@" + bookmark.toString();
         }},
    };
}

QString shown(DataGrid &grid, int row, int column)
{
    return grid.model()->index(row, column).data().toString();
}

}  // namespace

class TestDataGrid : public QObject {
    Q_OBJECT

private slots:
    void showsTheRecordsetsRowsInTheColumnsFormats()
    {
        test::TestSession t;
        fillDetail(t);
        Recordset &rs = t.de().rsDetail();
        rs.open();
        DataGrid grid;
        grid.setColumns(columns());
        grid.bind(&rs);
        QCOMPARE(grid.model()->rowCount(), 5);
        QCOMPARE(grid.model()->columnCount(), 5);
        QCOMPARE(grid.model()->headerData(1, Qt::Horizontal).toString(), QString("Payment"));
        QCOMPARE(shown(grid, 0, 0), QString("ADAMS"));
        QCOMPARE(shown(grid, 0, 1), QString("1,234.50"));
        QVERIFY(shown(grid, 1, 2).startsWith('(') && shown(grid, 1, 2).endsWith("20.00)"));
        QCOMPARE(shown(grid, 4, 1), QString("n/a"));  // not a number: as stored
        QCOMPARE(shown(grid, 0, 3), QString("Gross"));
        QCOMPARE(shown(grid, 2, 3), QString("C"));  // not translated
        QCOMPARE(shown(grid, 1, 4), "#02@" + rs.bookmarkOfRow(1).toString());
        QCOMPARE(shown(grid, 2, 4), QString("000000000000000003"));  // the callback failed
        QVERIFY(grid.columnWidth(0) > grid.columnWidth(3));

        // Changes through another cursor reach the grid.
        auto other = rs.clone();
        other->moveFirst();
        other->setField("NAME", "ABBOTT");
        other->update();
        QCOMPARE(shown(grid, 0, 0), QString("ABBOTT"));
        other->moveLast();
        other->deleteCurrent();
        QCOMPARE(grid.model()->rowCount(), 4);
        other->addNew();
        other->setField("NAME", "FOSTER");
        other->update();
        QCOMPARE(grid.model()->rowCount(), 5);
        QCOMPARE(shown(grid, 4, 0), QString("FOSTER"));
    }

    void currentRowFollowsBothWays()
    {
        test::TestSession t;
        fillDetail(t);
        Recordset &rs = t.de().rsDetail();
        rs.open();
        DataGrid grid;
        grid.setColumns(columns());
        QSignalSpy changes(&grid, &DataGrid::rowColChange);
        grid.bind(&rs);
        QCOMPARE(grid.currentRow(), 0);

        grid.setCurrentIndex(grid.model()->index(3, 1));
        QCOMPARE(rs.position(), 3);
        QCOMPARE(rs.text("NAME"), QString("DAVIS"));
        rs.moveLast();
        QCOMPARE(grid.currentRow(), 4);
        QVERIFY(rs.find("NAME = 'baker'", 0, false));
        QCOMPARE(grid.currentRow(), 1);
        QVERIFY(changes.size() >= 3);

        // A sort reopens the recordset and the screen positions it: the
        // grid shows the new order and that record.
        rs.open("SELECT * FROM Detail ORDER BY NAME DESC");
        QVERIFY(rs.find("NAME = 'CLARK'"));
        grid.rebind();
        QCOMPARE(shown(grid, 0, 0), QString("EVANS"));
        QCOMPARE(grid.currentRow(), 2);
        QCOMPARE(shown(grid, grid.currentRow(), 0), QString("CLARK"));

        // A filter: the grid shows the agency's rows, on the first one.
        rs.setFilter("MORTCO = '0002'");
        QCOMPARE(grid.model()->rowCount(), 2);
        QCOMPARE(grid.currentRow(), 0);
        QCOMPARE(rs.text("NAME"), shown(grid, 0, 0));

        // A deleted row leaves the recordset without a current row until
        // it moves (the grid does not move it), so the next row is the one
        // after the deleted one.
        rs.setFilter(QString());
        rs.moveFirst();
        rs.moveNext();
        QCOMPARE(grid.currentRow(), 1);
        const QString after = shown(grid, 2, 0);
        rs.deleteCurrent();
        QCOMPARE(rs.position(), -1);
        rs.moveNext();
        QCOMPARE(rs.text("NAME"), after);
        QCOMPARE(shown(grid, grid.currentRow(), 0), after);

        // No rows: an empty grid without a current row.
        rs.setFilter("MORTCO = 'NONE'");
        QCOMPARE(grid.model()->rowCount(), 0);
        QCOMPARE(grid.currentRow(), -1);
        rs.close();
        QCOMPARE(grid.model()->rowCount(), 0);
    }

    // A double-click, as the window system delivers it, and Enter each open
    // the screen's main action once (Qt also calls a double-click an
    // activation: two screens opened one after the other).
    void oneGestureOneActivation()
    {
        test::TestSession t;
        fillDetail(t);
        Recordset &rs = t.de().rsDetail();
        rs.open();
        DataGrid grid;
        grid.setColumns(columns());
        grid.bind(&rs);
        grid.resize(600, 300);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QSignalSpy activated(&grid, &DataGrid::rowActivated);
        const QPoint at = grid.visualRect(grid.model()->index(2, 0)).center();
        QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(activated.size(), 1);
        QCOMPARE(rs.text("NAME"), QString("CLARK"));
        QTest::keyClick(&grid, Qt::Key_Return);
        QCOMPARE(activated.size(), 2);
        QTest::keyClick(&grid, Qt::Key_Down);  // the arrows still move
        QCOMPARE(rs.text("NAME"), QString("DAVIS"));
        QCOMPARE(activated.size(), 2);
    }
};

QTEST_MAIN(TestDataGrid)
#include "test_data_grid.moc"
