#include "common/errors.h"
#include "common/text_utils.h"
#include "store/criteria.h"
#include "store/rows_ahead.h"
#include "store/sqlite_db.h"
#include "support/test_session.h"

#include <QSignalSpy>
#include <algorithm>
#include <QtTest>

using namespace zolt;

namespace {

void addDetail(Recordset &rs, const QString &mortco, const QString &name, const QString &folio, double payment)
{
    rs.addNew();
    rs.setField("MORTCO", mortco);
    rs.setField("NAME", name);
    rs.setField("CD", "01");
    rs.setField("JUR", "701");
    rs.setField("FOLIO", folio);
    rs.setField("PAYMENT", payment);
    rs.update();
}

int errorNumberOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const ZoltError &e) {
        return e.number();
    }
    return 0;
}

}  // namespace

class TestRecordset : public QObject {
    Q_OBJECT

private slots:
    // Rows read ahead come whole and in order, their cells outliving the
    // step, the columns asked for in the order asked; an error of the
    // statement comes after the rows read before it.
    void rowsReadAhead()
    {
        auto db = Database::openInMemory();
        db->exec("CREATE TABLE t (n INTEGER, word TEXT, amount REAL, raw BLOB)");
        db->exec("WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c WHERE n < 1300) "
                 "INSERT INTO t SELECT n, CASE WHEN n % 5 THEN 'wörd ' || n END, n / 4.0, x'00ff' FROM c");
        Statement all = db->prepare("SELECT n, word, amount, raw FROM t ORDER BY n DESC");
        RowsAhead rows(all, {3, 1, 0});
        qint64 expected = 1300;
        while (const RowsAhead::Batch *batch = rows.next()) {
            qint64 count = 0;
            rows.whileReadingPaused([&] {
                Statement other = db->prepare("SELECT count(*) FROM t");
                other.step();
                count = other.column(0).toLongLong();
            });
            QCOMPARE(count, 1300);
            for (qsizetype r = 0; r < batch->rows(); ++r, --expected) {
                const Cell *row = batch->row(r);
                QCOMPARE(row[0].bytes, QByteArrayView("\0\xff", 2));
                QCOMPARE(row[1].value(), expected % 5 ? QVariant(QString("wörd %1").arg(expected)) : QVariant());
                QCOMPARE(row[2].integer, expected);
            }
        }
        QCOMPARE(expected, 0);

        Statement failing =
            db->prepare("SELECT n, abs(CASE WHEN n = 700 THEN -9223372036854775807 - 1 ELSE n END) FROM t");
        RowsAhead failingRows(failing);
        qint64 read = 0;
        QVERIFY(errorNumberOf([&] {
                    while (const RowsAhead::Batch *batch = failingRows.next()) {
                        for (qsizetype r = 0; r < batch->rows(); ++r)
                            QCOMPARE(batch->row(r)[0].integer, ++read);
                    }
                }) != 0);
        QCOMPARE(read, 699);
    }

    void criteriaParsing()
    {
        const std::vector<QVariant> row = {QString("O'Neil"), 12.5, QVariant()};
        auto matches = [&row](const QString &text) {
            Criteria c = Criteria::parse(text);
            c.bind([](const QString &f) { return QStringList{"NAME", "PAYMENT", "LEGAL"}.indexOf(f.toUpper()); });
            return c.matches(row);
        };
        QVERIFY(matches("NAME = 'o''neil'"));                       // doubled apostrophe, any case
        QVERIFY(matches("name LIKE '%NEI%' AND PAYMENT > 12"));
        QVERIFY(matches("PAYMENT = '12.50' AND PAYMENT <= 12.5 AND PAYMENT <> 3"));
        QVERIFY(matches("NAME LIKE 'o*'  AND  LEGAL = NULL "));     // trailing blanks, * wildcard
        QVERIFY(!matches("NAME LIKE 'NEI%'"));
        QVERIFY(!matches("LEGAL = ''"));                            // a null is never equal to text
        QVERIFY(matches("[NAME] >= 'N' AND NAME < 'P'"));

        for (const char *bad : {"NAME = 'unclosed", "NAME 'x'", "NAME = 'a' OR NAME = 'b'", "= 'x'",
                                "NAME = 'a' AND", "NAME = x", "NAME > NULL"}) {
            QCOMPARE(errorNumberOf([bad] { Criteria::parse(QString::fromLatin1(bad)); }),
                     ErrorNumber::BadCriteria);
        }
        QVERIFY(LikeMatch("SMITH", "%MIT%") && LikeMatch("MITCHELL", "%MIT%") && !LikeMatch("SMYTH", "%MIT%"));
        QVERIFY(LikeMatch("", "%") && LikeMatch("a%b", "a%b") && !LikeMatch("ab", "a_"));
        // Sets in brackets: a wildcard in brackets is itself.
        QVERIFY(LikeMatch("5% OFF", "%[%]%") && !LikeMatch("SINGH", "%[%]%") && LikeMatch("a*b", "a[*]b")
                && !LikeMatch("axb", "a[*]b") && LikeMatch("[x]", "[[]x]") && LikeMatch("lot 7", "LOT [0-9]")
                && !LikeMatch("LOT A", "LOT [!A-Z]") && LikeMatch("a[", "a["));
        // A typed text made a pattern matches itself only.
        for (const QString typed : {"%", "S%H", "*", "_", "[A]", "O'NEIL"}) {
            const QString pattern = "%" + LikeLiteral(typed).replace("''", "'") + "%";
            QVERIFY2(LikeMatch("X" + typed + "Y", pattern), qPrintable(typed));
            QVERIFY2(!LikeMatch("SINGH SMITH A", pattern), qPrintable(typed));
        }
    }

    void filterFindCloneBookmark()
    {
        test::TestSession t;
        Recordset &rs = t.de().rsDetail();
        rs.open();
        QVERIFY(rs.bof() && rs.eof());
        addDetail(rs, "0002", "SMITH", "000000000000000002", 20);
        addDetail(rs, "0001", "O'NEIL", "000000000000000001", 10);
        addDetail(rs, "0001", "BROWN", "000000000000000003", 30);
        QCOMPARE(rs.recordCount(), 3);
        QCOMPARE(rs.text("NAME"), QString("BROWN"));  // the added row is current

        // A static cursor: rows added stay at the end until a requery sorts them.
        rs.requery();
        QCOMPARE(rs.text("MORTCO"), QString("0001"));

        rs.setFilter("MORTCO = '0001' ");
        QCOMPARE(rs.recordCount(), 2);
        QVERIFY(rs.find("NAME = 'o''neil'"));
        QCOMPARE(rs.number("PAYMENT"), 10.0);
        const QVariant oneil = rs.bookmark();
        QVERIFY(!rs.find("NAME = 'SMITH'"));  // filtered away
        QVERIFY(rs.eof());

        // A clone sees rows added through the original, and bookmarks are shared.
        auto clone = rs.clone();
        QCOMPARE(clone->recordCount(), 3);
        QVERIFY(clone->filter().isEmpty());
        addDetail(rs, "0001", "GREEN", "000000000000000004", 40);
        QCOMPARE(clone->recordCount(), 4);
        clone->setBookmark(oneil);
        QCOMPARE(clone->text("NAME"), QString("O'NEIL"));
        clone->setFilter("MORTCO = '0001' AND PAYMENT >= 30");
        QCOMPARE(clone->recordCount(), 2);
        QCOMPARE(errorNumberOf([&] { clone->setBookmark(oneil); }), ErrorNumber::NoCurrentRecord);

        // Deleting through the clone: the other cursor stops counting the row.
        clone->moveFirst();
        clone->deleteCurrent();
        QCOMPARE(errorNumberOf([&] { clone->field("NAME"); }), ErrorNumber::NoCurrentRecord);
        clone->moveNext();
        QCOMPARE(clone->text("NAME"), QString("GREEN"));
        QCOMPARE(rs.recordCount(), 2);
        QCOMPARE(t.scalar("SELECT COUNT(*) FROM Detail").toInt(), 3);

        // Walk to the ends.
        rs.moveLast();
        QCOMPARE(rs.text("NAME"), QString("GREEN"));
        rs.moveNext();
        QVERIFY(rs.eof());
        QCOMPARE(errorNumberOf([&] { rs.moveNext(); }), ErrorNumber::NoCurrentRecord);
        rs.movePrevious();
        rs.movePrevious();
        QCOMPARE(rs.text("NAME"), QString("O'NEIL"));
        rs.movePrevious();
        QVERIFY(rs.bof());
    }

    void writesThrough()
    {
        test::TestSession t;
        Recordset &rs = t.de().rsGroup();
        rs.open();
        rs.addNew();
        rs.setField("GROUP", "0001");
        rs.setField("FOLIO_CNT", "12");
        rs.setField("TOT_PAY", 1.5);
        rs.move(0);
        QCOMPARE(rs.field("FOLIO_CNT").toLongLong(), 12);  // read back as the table stores it
        rs.setField("NAME1", "ACME");
        QCOMPARE(t.scalar("SELECT NAME1 FROM \"Group\"").toString(), QString());  // pending
        rs.move(0);
        QCOMPARE(t.scalar("SELECT NAME1 FROM \"Group\"").toString(), QString("ACME"));

        // Unknown fields, closed recordsets and bad filters are errors to trap.
        QCOMPARE(errorNumberOf([&] { rs.field("NOPE"); }), ErrorNumber::FieldNotFound);
        QCOMPARE(errorNumberOf([&] { rs.setFilter("NOPE = 1"); }), ErrorNumber::BadCriteria);
        QCOMPARE(rs.recordCount(), 1);  // the refused filter changed nothing
        rs.close();
        QCOMPARE(errorNumberOf([&] { rs.moveFirst(); }), ErrorNumber::RecordsetClosed);

        // SQL text with the file's home dialect, and a new source on open.
        t.de().Zolt().execute("DELETE * FROM \"Group\" ");
        rs.open("SELECT * FROM \"Group\" ORDER BY MORTCO");
        QCOMPARE(rs.recordCount(), 0);
    }

    void uniquePaymentAndTransactions()
    {
        test::TestSession t;
        Connection &zolt = t.de().Zolt();
        Recordset &rs = t.de().rsDetail();
        rs.open();
        zolt.beginTrans();
        addDetail(rs, "0001", "SMITH", "000000000000000001", 10);
        zolt.beginTrans();  // nested
        addDetail(rs, "0001", "SMITH JR", "000000000000000001", 10);
        zolt.rollbackTrans();
        zolt.commitTrans();
        QCOMPARE(t.scalar("SELECT COUNT(*) FROM Detail").toInt(), 1);
        // Names compare without regard to case, as the load compares them:
        // a file saved from these rows always loads back.
        QCOMPARE(errorNumberOf([&] { addDetail(rs, "0001", "Smith", "000000000000000001", 10); }), 2067);

        addDetail(rs, "0002", "SMITH", "000000000000000001", 10);  // other agency
        const int refused = errorNumberOf([&] { addDetail(rs, "0001", "SMITH", "000000000000000001", 99); });
        QCOMPARE(refused, 2067);  // the database's unique-constraint code
        QCOMPARE(t.scalar("SELECT COUNT(*) FROM Detail").toInt(), 2);
    }

    // What a grid relies on: rows by index, column handles, bookmarks, a view
    // without deleted rows, and a word about every change in every cursor.
    void rowsByIndexAndNotifications()
    {
        test::TestSession t;
        Recordset &rs = t.de().rsDetail();
        rs.open("SELECT * FROM Detail ORDER BY FOLIO");
        const QString padded = "PEÑA" + QString(66, ' ');
        addDetail(rs, "0001", padded, "000000000000000001", 10);
        addDetail(rs, "0001", "", "000000000000000002", 20);
        addDetail(rs, "0002", "SMITH", "000000000000000003", 30.25);
        rs.requery();
        const int name = rs.columnIndex("name"), payment = rs.columnIndex("PAYMENT");
        QVERIFY(name >= 0 && payment >= 0 && rs.columnIndex("NOPE") == -1);
        QCOMPARE(rs.value(0, name).toString(), padded);  // trailing blanks and accents kept
        QVERIFY(!rs.value(1, name).isNull() && rs.value(1, name).toString().isEmpty());
        QVERIFY(rs.value(0, rs.columnIndex("LEGAL")).isNull());
        QCOMPARE(rs.value(2, payment).toDouble(), 30.25);
        QVERIFY(rs.value(3, name).isNull() && rs.value(0, 99).isNull());  // out of range: nothing
        // A row's cells over the stored bytes: texts without their trailing
        // blanks, which are counted; a row out of range is refused.
        const int legal = rs.columnIndex("LEGAL");
        std::vector<Cell> cells(size_t(std::max({name, payment, legal}) + 1));
        std::vector<qsizetype> trailing(cells.size(), -1);
        rs.trimmedCells(0, cells, trailing);
        QCOMPARE(cells[size_t(name)].bytes, QByteArrayView("PEÑA"));
        QCOMPARE(trailing[size_t(name)], 66);
        QVERIFY(cells[size_t(legal)].kind == Cell::Kind::Null && trailing[size_t(legal)] == 0);
        rs.trimmedCells(2, cells, trailing);
        QVERIFY(cells[size_t(payment)].kind == Cell::Kind::Real && cells[size_t(payment)].real == 30.25);
        QVERIFY(cells[size_t(name)].bytes == QByteArrayView("SMITH") && trailing[size_t(name)] == 0);
        QVERIFY_THROWS_EXCEPTION(ZoltError, rs.trimmedCells(3, cells));
        rs.setCurrentRow(2);
        QCOMPARE(rs.position(), 2);
        QCOMPARE(rs.text("NAME"), QString("SMITH"));
        QCOMPARE(rs.rowOfBookmark(rs.bookmark()), 2);
        QCOMPARE(rs.rowOfBookmark(rs.bookmarkOfRow(1)), 1);

        // A filtered clone and a plain one hear of the changes made through rs.
        auto agency = rs.clone();
        agency->setFilter("MORTCO = '0001'");
        auto all = rs.clone();
        all->moveLast();
        QCOMPARE(agency->recordCount(), 2);
        QSignalSpy agencyInserted(agency.get(), &Recordset::rowsInserted);
        QSignalSpy allInserted(all.get(), &Recordset::rowsInserted);
        QSignalSpy allChanged(all.get(), &Recordset::rowChanged);
        QSignalSpy allRemoved(all.get(), &Recordset::rowsRemoved);
        QSignalSpy rsCurrent(&rs, &Recordset::currentRowChanged);

        addDetail(rs, "0002", "JONES", "000000000000000004", 40);
        QCOMPARE(allInserted.size(), 1);
        QCOMPARE(allInserted.first(), QVariantList({3, 3}));
        QCOMPARE(agencyInserted.size(), 0);  // another agency: not in the filtered view
        QCOMPARE(rsCurrent.last().first().toLongLong(), 3);  // the added row is current

        rs.setCurrentRow(0);
        rs.setField("NAME", "PEREZ");
        rs.update();
        QCOMPARE(allChanged.size(), 1);
        QCOMPARE(allChanged.first().first().toLongLong(), 0);
        QCOMPARE(agency->value(0, name).toString(), QString("PEREZ"));

        // Deleting the first row: the views drop it, and a cursor further on
        // stays on its own row.
        QCOMPARE(all->text("NAME"), QString("SMITH"));
        rs.deleteCurrent();
        QCOMPARE(allRemoved.size(), 1);
        QCOMPARE(allRemoved.first(), QVariantList({0, 0}));
        QCOMPARE(all->recordCount(), 3);
        QCOMPARE(all->position(), 1);
        QCOMPARE(all->text("NAME"), QString("SMITH"));
        QCOMPARE(agency->recordCount(), 1);
        QCOMPARE(agency->value(0, name).toString(), QString());
        QCOMPARE(rs.position(), -1);  // on the deleted row until the next move
        QVERIFY(!rs.eof() && !rs.bof());
        rs.moveNext();
        QCOMPARE(rs.position(), 0);
        QCOMPARE(rs.value(0, name).toString(), QString());

        // Deleting the last row: the next move reaches the end.
        rs.moveLast();
        rs.deleteCurrent();
        QVERIFY(!rs.eof());
        rs.moveNext();
        QVERIFY(rs.eof());
        QCOMPARE(rs.recordCount(), 2);
        QCOMPARE(t.scalar("SELECT count(*) FROM Detail").toInt(), 2);
    }

    // A recordset read on a thread of its own: the rows shown before stay
    // while the window paints, and a reading that fails, or a wait that is
    // stopped, leaves them too.
    void rowsReadWhileTheWindowPaints()
    {
        test::TestSession t;
        Database &db = t.de().Zolt().database();
        db.exec("BEGIN");
        Statement insert = db.prepare("INSERT INTO VERIFY (NUMBER, NAME) VALUES (?1, ?2)");
        for (int i = 0; i < 60000; ++i) {
            insert.bind(1, QString::number(i).rightJustified(6, u'0'));
            insert.bind(2, QString::number(59999 - i).rightJustified(6, u'0'));
            insert.run();
            insert.reset();
        }
        db.exec("COMMIT");
        Recordset &rs = t.de().rsVerify();
        rs.open("SELECT * FROM VERIFY ORDER BY NUMBER");
        QCOMPARE(rs.text("NUMBER"), QString("000000"));
        int calls = 0;
        rs.openReading("SELECT * FROM VERIFY ORDER BY NAME DESC, NUMBER", [&] {
            ++calls;
            QCOMPARE(rs.recordCount(), 60000);
            QCOMPARE(rs.value(0, rs.columnIndex("NUMBER")).toString(), QString("000000"));
        });
        QCOMPARE(rs.recordCount(), 60000);
        QCOMPARE(rs.text("NUMBER"), QString("000000"));  // NAME 059999 first
        QCOMPARE(rs.value(1, rs.columnIndex("NAME")).toString(), QString("059998"));
        qInfo("painted %d times while reading", calls);

        QVERIFY_THROWS_EXCEPTION(ZoltError, rs.openReading("SELECT * FROM NOWHERE", [] {}));
        QCOMPARE(rs.value(1, rs.columnIndex("NAME")).toString(), QString("059998"));
        bool thrown = false;
        try {
            rs.openReading("SELECT * FROM VERIFY ORDER BY NUMBER", [] { throw std::runtime_error("stop"); });
        } catch (const std::runtime_error &) {
            thrown = true;
        }
        QVERIFY(thrown);
        QCOMPARE(rs.value(1, rs.columnIndex("NAME")).toString(), QString("059998"));

        // A filter worked out while the window paints finds what the plain
        // filter finds, in order, in both halves of the rows and without a
        // deleted one; the view stays as it was until then.
        rs.setCurrentRow(40000);
        rs.deleteCurrent();
        const QString wanted = "NAME LIKE '%7%' AND NUMBER <> '000100'";
        auto plain = rs.clone();
        plain->setFilter(wanted);
        rs.setFilterAside(wanted, [&] { QCOMPARE(rs.recordCount(), 59999); });
        QCOMPARE(rs.filter(), wanted);
        QCOMPARE(rs.recordCount(), plain->recordCount());
        QVERIFY(rs.recordCount() > 1000);
        const int number = rs.columnIndex("NUMBER");
        for (qint64 row = 0; row < rs.recordCount(); ++row)
            QCOMPARE(rs.value(row, number), plain->value(row, number));
        QVERIFY(errorNumberOf([&] { rs.setFilterAside("NAME = 'unended", [] {}); }) != 0);
        QCOMPARE(rs.filter(), wanted);
    }
};

QTEST_GUILESS_MAIN(TestRecordset)
#include "test_recordset.moc"
