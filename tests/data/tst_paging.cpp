// Datasets read in pages by key: positions and page edges, jumps to any row, locate by the
// engine, pending changes on pages that were dropped, other workstations changing the rows
// between two reads, and the statements that are read from the start instead.
#include "colours.h"
#include "connections.h"
#include "dataset.h"
#include "testsupport.h"
#include "unitDtFalquinas.h"
#include "workstation.h"

#include <QRandomGenerator>
#include <QSet>
#include <QSqlQuery>

using namespace falq;
using falq::test::Workstation;

namespace {
// `count` colours, codes 1..count, designations "Cor <code>".
void fillColours(test::Installation& inst, int count) {
    test::fillColours(inst, count, [](int code) { return QStringLiteral("Cor %1").arg(code); });
}

// `count` colours (fillColours) on a fresh installation, read by workstation "ws1" in pages
// within `budget` rows.
struct ColourPages : test::DatasetOn {
    explicit ColourPages(int count, int budget = 512) : DatasetOn(ds::CORES) {
        if (!d)
            return;
        fillColours(inst, count);
        d->setRowBudget(budget);
    }
};

// `count` movements over few dates (many ties on the order), one in ten without a date.
void fillMovements(test::Installation& inst, int count) {
    QVERIFY(inst.exec("main", "DELETE FROM MOVIMENTOS"));
    QSqlDatabase db = inst.open("main");
    const SqlDialect d = SqlDialect::forDatabase(db);
    QVERIFY(db.transaction());
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO MOVIMENTOS (DESENHONRO, CLICHENRO, NROUTIL, ROTACOES, "
                             "ENCOMENDA, DATA, TIPOREG) VALUES ('', ?, 1, ?, '', ?, 'C')"));
    for (int i = 0; i < count; ++i) {
        q.addBindValue(QStringLiteral("C%1").arg(i % 50));
        q.addBindValue(i);
        q.addBindValue(i % 10 == 3 ? QVariant(QMetaType::fromType<QString>())
                                   : d.bindDate(QDate(2024, 1, 1).addDays(i % 23)));
        FALQ_VERIFY_SQL(q, q.exec());
    }
    QVERIFY(db.commit());
}

QList<int> engineOrder(test::Installation& inst, const QString& sql) {
    QList<int> out;
    QSqlQuery q(inst.open("main", "engine"));
    if (!q.exec(sql))
        qWarning("%s", qPrintable(q.lastError().text()));
    while (q.next())
        out << q.value(0).toInt();
    return out;
}

// 1500 movements (fillMovements); their numbers in the order the engine sorts them, newest
// first.
QList<int> fillMovementsNewestFirst(test::Installation& inst) {
    fillMovements(inst, 1500);
    return engineOrder(inst, "SELECT NRO FROM MOVIMENTOS ORDER BY DATA DESC, NRO DESC");
}

QList<int> column(Dataset* d, const QString& field, const QList<int>& positions) {
    QList<int> out;
    for (int p : positions)
        out << d->value(p, field).toInt();
    return out;
}

QList<int> range(int from, int to, int step = 1) {
    QList<int> out;
    for (int i = from; step > 0 ? i < to : i > to; i += step)
        out << i;
    return out;
}
} // namespace

class TestPaging : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }
    void positionsAndPageEdges_data();
    void positionsAndPageEdges();
    void jumpsFollowTheEngineOrderWithTiesAndNulls();
    void locateAsksTheEngine();
    void pendingChangesSurviveDroppedPages();
    void insertAndDeleteInTheMiddle();
    void otherWorkstationBetweenReads();
    void statementsReadFromTheStart();
    void readingConnectionFollowsItsDatabase();
};

void TestPaging::positionsAndPageEdges_data() {
    QTest::addColumn<int>("rows");
    QTest::newRow("empty") << 0;
    QTest::newRow("one row") << 1;
    QTest::newRow("exactly one page") << 256;
    QTest::newRow("one page and one row") << 257;
    QTest::newRow("several pages") << 2000;
}

void TestPaging::positionsAndPageEdges() {
    QFETCH(int, rows);
    ColourPages t(rows, 600);
    QVERIFY(t.open());
    Dataset* d = t.d;
    QVERIFY2(d->pagingRefusal().isEmpty(), qPrintable(d->pagingRefusal()));
    QCOMPARE(d->rowCount(), rows);
    QCOMPARE(d->isEmpty(), rows == 0);
    QCOMPARE(d->currentRow(), rows == 0 ? -1 : 0);
    if (rows == 0) {
        QVERIFY(!d->locate({"CODIGO"}, {1}));
        QVERIFY(!d->value(0, "CODIGO").isValid());
        return;
    }
    // Last row first, then the page edges, then the first row: each holds its own code.
    QList<int> probe{rows - 1, qMin(255, rows - 1), qMin(256, rows - 1), rows / 2, 0};
    for (int p : probe)
        QCOMPARE(d->value(p, "CODIGO").toInt(), p + 1);
    QVERIFY(d->loadedRowCount() <= 600 + 256);
    QVERIFY(!d->value(rows, "CODIGO").isValid());
    // Backwards over every row: no row missing or twice.
    QCOMPARE(column(d, "CODIGO", range(rows - 1, -1, -1)), range(rows, 0, -1));
    QVERIFY(d->loadedRowCount() <= 600 + 256);
}

void TestPaging::jumpsFollowTheEngineOrderWithTiesAndNulls() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    const QList<int> expected = fillMovementsNewestFirst(inst);
    QCOMPARE(expected.size(), 1500);
    Workstation ws(inst, "ws1");
    Dataset* d = ws(ds::MOVIMENTOS);
    d->setRowBudget(512);
    QVERIFY(d->open());
    QVERIFY2(d->pagingRefusal().isEmpty(), qPrintable(d->pagingRefusal()));
    QCOMPARE(d->rowCount(), 1500);
    // Jump to the end, into the middle and around, as a scroll bar dragged about does.
    QList<int> positions{1499, 700, 1300, 10, 1100, 400, 1498, 0};
    QRandomGenerator rng(11);
    for (int i = 0; i < 200; ++i)
        positions << int(rng.bounded(1500));
    QList<int> want;
    for (int p : positions)
        want << expected[p];
    QCOMPARE(column(d, "NRO", positions), want);
    // And every row in order, from a fresh open (pages read one after the other).
    QVERIFY(d->open());
    QCOMPARE(column(d, "NRO", range(0, 1500)), expected);
    QVERIFY(d->loadedRowCount() <= 512 + 256);
}

void TestPaging::locateAsksTheEngine() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    const QList<int> expected = fillMovementsNewestFirst(inst);
    Workstation ws(inst, "ws1");
    Dataset* d = ws(ds::MOVIMENTOS);
    QVERIFY(d->open());
    // A key far from the first page: its page only is read, and it is at its position.
    const int far = expected[1400];
    QVERIFY(d->locate({"NRO"}, {far}));
    QCOMPARE(d->currentRow(), 1400);
    QCOMPARE(d->fieldValue("NRO").toInt(), far);
    QVERIFY(d->loadedRowCount() < 1000);
    // Counted from either end: near the start, and just past the middle.
    for (int at : {600, 751, 749}) {
        QVERIFY(d->locate({"NRO"}, {expected[at]}));
        QCOMPARE(d->currentRow(), at);
    }
    // A value repeated along the order: the first row holding it in the order.
    const QDateTime day(QDate(2024, 1, 5), QTime(0, 0));
    const QList<int> ofDay = engineOrder(
        inst, QStringLiteral("SELECT NRO FROM MOVIMENTOS WHERE DATA = '%1' ORDER BY NRO DESC")
                  .arg(dateTimeText(day)));
    QVERIFY(!ofDay.isEmpty());
    QVERIFY(d->locate({"DATA"}, {day}));
    QCOMPARE(d->fieldValue("NRO").toInt(), ofDay.first());
    QCOMPARE(d->currentRow(), expected.indexOf(ofDay.first()));
    // A text in another case; a field outside the order.
    QVERIFY(d->locate({"CLICHENRO", "ROTACOES"}, {"c7", 1457}));
    QCOMPARE(d->fieldValue("NRO").toInt(),
             engineOrder(inst, "SELECT NRO FROM MOVIMENTOS WHERE ROTACOES = 1457").value(0));
    QCOMPARE(d->currentRow(), expected.indexOf(d->fieldValue("NRO").toInt()));
    // A value that is not there keeps the row.
    const int before = d->currentRow();
    QVERIFY(!d->locate({"CLICHENRO"}, {"nenhum"}));
    QVERIFY(!d->locate({"NRO"}, {999999}));
    QCOMPARE(d->currentRow(), before);

    // Clichés: the key in another case, on a register of several pages.
    QSqlDatabase db = inst.open("main");
    QVERIFY(db.transaction());
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO CLICHES (CLICHENRO, SIGLACLI) VALUES (?, '')"));
    for (int i = 0; i < 900; ++i) {
        q.addBindValue(QStringLiteral("Ab%1").arg(i, 4, 10, QLatin1Char('0')));
        FALQ_VERIFY_SQL(q, q.exec());
    }
    QVERIFY(db.commit());
    Dataset* c = ws(ds::CLICHES);
    QVERIFY(c->open());
    QVERIFY(c->locate({"CLICHENRO"}, {"aB0812"}));
    QCOMPARE(c->fieldValue("CLICHENRO").toString(), QStringLiteral("Ab0812"));
    QCOMPARE(c->currentRow(), 812 + c->rowCount() - 900);
    QCOMPARE(c->value(c->currentRow() - 1, "CLICHENRO").toString(), QStringLiteral("Ab0811"));
}

void TestPaging::pendingChangesSurviveDroppedPages() {
    ColourPages t(3000);
    QVERIFY(t.open());
    Dataset* d = t.d;
    QVERIFY(d->setValue(5, "DESIGNACAO", "Mudada"));
    // Far away and back: the page of row 5 was dropped and read again.
    QCOMPARE(d->value(2999, "CODIGO").toInt(), 3000);
    QCOMPARE(d->value(1500, "CODIGO").toInt(), 1501);
    QVERIFY(d->loadedRowCount() <= 512 + 256);
    QCOMPARE(d->value(5, "DESIGNACAO").toString(), QStringLiteral("Mudada"));
    QCOMPARE(d->value(4, "CODIGO").toInt(), 5);
    QCOMPARE(d->pendingCount(), 1);
    QVERIFY(d->applyUpdates().ok);
    QCOMPARE(t.inst.scalar("main", "SELECT DESIGNACAO FROM CORES WHERE CODIGO = 6").toString(),
             QStringLiteral("Mudada"));
    // A reopen after the apply keeps the user on the record.
    QVERIFY(d->locate({"CODIGO"}, {2500}));
    QVERIFY(d->reopen());
    QCOMPARE(d->fieldValue("CODIGO").toInt(), 2500);
    QCOMPARE(d->currentRow(), 2499);
}

void TestPaging::insertAndDeleteInTheMiddle() {
    ColourPages t(2000);
    QVERIFY(t.open());
    Dataset* d = t.d;
    QVERIFY(d->locate({"CODIGO"}, {1200}));
    d->deleteCurrent();
    QCOMPARE(d->rowCount(), 1999);
    QCOMPARE(d->fieldValue("CODIGO").toInt(), 1201);
    d->insert(); // before the current row
    QCOMPARE(d->currentRow(), 1199);
    QVERIFY(d->setFieldValue("CODIGO", 5000));
    QVERIFY(d->setFieldValue("DESIGNACAO", "Nova"));
    d->post();
    d->append(); // after the last row, without reading the rows before it
    QVERIFY(d->loadedRowCount() < 1000);
    QCOMPARE(d->currentRow(), 2000);
    QVERIFY(d->setFieldValue("CODIGO", 5001));
    d->post();
    // Scrolling over the whole grid: every row once, the new and deleted ones where they were.
    QList<int> seen = column(d, "CODIGO", range(0, d->rowCount()));
    QCOMPARE(seen.size(), 2001);
    QCOMPARE(seen[1199], 5000);
    QCOMPARE(seen[1200], 1201);
    QCOMPARE(seen.last(), 5001);
    QVERIFY(!seen.contains(1200));
    QCOMPARE(QSet<int>(seen.begin(), seen.end()).size(), 2001);
    QCOMPARE(d->pendingCount(), 3);
    QVERIFY(d->applyUpdates().ok);
    QCOMPARE(t.inst.scalar("main", "SELECT COUNT(*) FROM CORES").toInt(), 2001);
    QCOMPARE(t.inst.scalar("main", "SELECT COUNT(*) FROM CORES WHERE CODIGO = 1200").toInt(), 0);
    QCOMPARE(t.inst.scalar("main", "SELECT DESIGNACAO FROM CORES WHERE CODIGO = 5000").toString(),
             QStringLiteral("Nova"));
}

void TestPaging::otherWorkstationBetweenReads() {
    ColourPages t(3000);
    QVERIFY(t.open());
    Dataset* d = t.d;
    QCOMPARE(d->value(2999, "CODIGO").toInt(), 3000); // the end read once
    // Another workstation deletes rows throughout and adds others between the reads.
    QVERIFY(t.inst.exec("main", "DELETE FROM CORES WHERE CODIGO > 100 AND CODIGO <= 400"));
    QVERIFY(t.inst.exec("main", "DELETE FROM CORES WHERE CODIGO > 2000 AND CODIGO <= 2100"));
    QVERIFY(t.inst.exec(
        "main", "INSERT INTO CORES (CODIGO, DESIGNACAO, NUMERO) VALUES (10001, 'Outra', '1')"));
    QList<int> seen;
    for (int p = 0; p < d->rowCount(); ++p) {
        const QVariant v = d->value(p, "CODIGO");
        if (v.isValid())
            seen << v.toInt();
    }
    QCoreApplication::processEvents(); // rows that vanished leave the grid
    QCOMPARE(QSet<int>(seen.begin(), seen.end()).size(), seen.size()); // none twice
    for (int code : {1, 100, 401, 1500, 2000, 2101, 2999, 3000})
        QVERIFY2(seen.contains(code), qPrintable(QString::number(code))); // none lost
    for (int p = 0; p < d->rowCount(); ++p)
        QVERIFY(d->value(p, "CODIGO").toInt() > 0);
    // Scrolled backwards the same way.
    QVERIFY(d->open());
    QCOMPARE(d->rowCount(), 2601);
    QVERIFY(t.inst.exec("main", "DELETE FROM CORES WHERE CODIGO > 1000 AND CODIGO <= 1300"));
    for (int p = d->rowCount() - 1; p >= 0; --p)
        d->value(p, "CODIGO");
    QCoreApplication::processEvents();
    // What the grid holds afterwards: every remaining row once, in order.
    seen = column(d, "CODIGO", range(0, d->rowCount()));
    QCOMPARE(QSet<int>(seen.begin(), seen.end()).size(), seen.size());
    QVERIFY(!seen.contains(0));
    for (int code : {1, 401, 1000, 1301, 10001})
        QVERIFY2(seen.contains(code), qPrintable(QString::number(code)));
    QVERIFY(std::is_sorted(seen.begin(), seen.end()));
}

void TestPaging::statementsReadFromTheStart() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    fillColours(inst, 600);
    Workstation ws(inst, "ws1");
    Dataset* d = ws(ds::CORES);
    const QStringList statements{
        "SELECT NUMERO, COUNT(*) AS N FROM CORES GROUP BY NUMERO ORDER BY NUMERO",
        "SELECT * FROM CORES",
        "SELECT * FROM CORES WHERE CODIGO <= 300 UNION ALL SELECT * FROM CORES WHERE CODIGO > "
        "300 ORDER BY CODIGO",
        "SELECT * FROM CORES ORDER BY UPPER(DESIGNACAO)"};
    const QList<int> rows{7, 600, 600, 600};
    for (int i = 0; i < statements.size(); ++i) {
        d->setStatement(statements[i]);
        QVERIFY2(d->open(), qPrintable(d->lastError()));
        QVERIFY2(!d->pagingRefusal().isEmpty(), qPrintable(statements[i]));
        d->fetchAll();
        QCOMPARE(d->rowCount(), rows[i]);
    }
    QVERIFY(d->locate({"CODIGO"}, {444}));
    QCOMPARE(d->fieldValue("DESIGNACAO").toString(), QStringLiteral("Cor 444"));
    // A filtered statement with its own bound value pages by key.
    d->setStatement("SELECT * FROM CORES WHERE NUMERO = :num ORDER BY DESIGNACAO DESC");
    d->bindValue(":num", "3");
    QVERIFY(d->open());
    QVERIFY(d->pagingRefusal().isEmpty());
    QCOMPARE(d->rowCount(), 86);
    QVERIFY(d->locate({"CODIGO"}, {3}));
    QCOMPARE(d->fieldValue("DESIGNACAO").toString(), QStringLiteral("Cor 3"));
}

// Statements read from the start share the reading connection kept beside the dataset's:
// one dataset at a time (another meanwhile reads on a copy of its own), always on the database
// the dataset's connection names now, and one that is reading when its source closes reads to
// its end before its connection goes.
void TestPaging::readingConnectionFollowsItsDatabase() {
    const QString grouped = "SELECT NUMERO, COUNT(*) AS N FROM CORES GROUP BY NUMERO";
    auto reading = [] {
        QStringList names;
        for (const QString& name : QSqlDatabase::connectionNames())
            if (name.startsWith(QLatin1String("ws1~read")))
                names << name;
        return names;
    };
    test::Installation first;
    test::Installation second;
    QVERIFY2(first.ok() && second.ok(), qPrintable(first.error() + second.error()));
    // (Each filled on the shared test connection in turn, the plant root pointed at it.)
    auto pointAt = [](test::Installation& inst) {
        closeConnection("test_main");
        qputenv("VELMORA_ROOT", inst.root().toLocal8Bit());
    };
    pointAt(second);
    fillColours(second, 5);
    pointAt(first);
    fillColours(first, 600);
    first.open("main", "ws1");
    Dataset all("ALL", "ws1", "SELECT * FROM CORES", UpdateObject{});
    Dataset sums("SUMS", "ws1", grouped, UpdateObject{});
    for (int round = 0; round < 2; ++round) {
        QVERIFY2(all.open(), qPrintable(all.lastError())); // 600 rows: still reading
        QVERIFY2(sums.open(), qPrintable(sums.lastError()));
        QCOMPARE(sums.rowCount(), 7);
        all.fetchAll();
        QCOMPARE(all.rowCount(), 600);
        all.close();
        sums.close();
        QCOMPARE(reading().size(), 1); // the kept one, the copy gone
    }
    // Another connection changes the table (as a version step does): the kept connection reads
    // it as it is now (on SQLite it held the schema as before, and Qt's driver overran the
    // row it had sized for the old columns).
    QVERIFY(first.exec("main", "ALTER TABLE CORES ADD NOVA INTEGER"));
    QVERIFY(first.exec("main", "UPDATE CORES SET NOVA = 7"));
    QVERIFY2(all.open(), qPrintable(all.lastError()));
    all.fetchAll();
    QCOMPARE(all.rowCount(), 600);
    QCOMPARE(all.value(599, "NOVA").toInt(), 7);
    all.close();
    // Its database closes while a dataset reads: the rows still come, then the connection goes.
    QVERIFY(all.open());
    closeConnection("ws1");
    all.fetchAll();
    QCOMPARE(all.rowCount(), 600);
    all.close();
    QCOMPARE(reading(), QStringList{});
    // The same connection name on another database reads that database.
    pointAt(second);
    second.open("main", "ws1");
    QVERIFY2(sums.open(), qPrintable(sums.lastError()));
    QCOMPARE(sums.rowCount(), 5);
    sums.close();
    closeConnection("ws1");
    QCOMPARE(reading(), QStringList{});
}

QTEST_MAIN(TestPaging)
#include "tst_paging.moc"
