// MOVIMENTOS_MES, the movements summed per tool and month: kept exact by the triggers on
// MOVIMENTOS whatever writes the movements, and filled by the version step that makes it.
#include "UnitDtVersao.h"
#include "dashboardqueries.h"
#include "dialect.h"
#include "movementqueries.h"
#include "sqlrun.h"
#include "testsupport.h"
#include "toollife.h"

#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

using namespace falq;

namespace {

// The monthly and the total sums, and the same sums grouped from MOVIMENTOS, as comparable
// lines.
QStringList rowsOf(QSqlDatabase db, const QString& sql) {
    QSqlQuery q(db);
    if (!q.exec(sql))
        return {QStringLiteral("failed: ") + q.lastError().text()};
    QStringList rows;
    while (q.next()) {
        QStringList row;
        for (int i = 0; i < q.record().count(); ++i) {
            const QVariant v = q.value(i);
            const QString name = q.record().fieldName(i).toUpper();
            row << (v.isNull() ? QStringLiteral("NULL")
                    : name == QLatin1String("PRIMEIRA") || name == QLatin1String("ULTIMA")
                        ? parseDateTime(v).toString(Qt::ISODate)
                        : v.toString().toUpper());
        }
        rows << row.join(QLatin1Char('|'));
    }
    return rows;
}

QStringList summary(QSqlDatabase db) {
    return rowsOf(db, QStringLiteral("SELECT DESENHONRO, CLICHENRO, ANO, MES, NROUTIL, ROTACOES, "
                                     "MOVIMENTOS, PRIMEIRA, ULTIMA FROM MOVIMENTOS_MES "
                                     "ORDER BY DESENHONRO, CLICHENRO, ANO, MES")) +
           rowsOf(db, QStringLiteral("SELECT DESENHONRO, CLICHENRO, NROUTIL, ROTACOES, "
                                     "MOVIMENTOS, PRIMEIRA, ULTIMA FROM MOVIMENTOS_TOTAL "
                                     "ORDER BY DESENHONRO, CLICHENRO"));
}

QStringList grouped(QSqlDatabase db) {
    const SqlDialect d = SqlDialect::forDatabase(db);
    const QString dated = QStringLiteral(
        "FROM MOVIMENTOS WHERE DESENHONRO IS NOT NULL AND CLICHENRO IS NOT NULL AND DATA IS NOT "
        "NULL");
    const QString sums = QStringLiteral("SUM(NROUTIL), SUM(ROTACOES), COUNT(*), MIN(DATA) AS "
                                        "PRIMEIRA, MAX(DATA) AS ULTIMA ");
    const QString y = d.year(QStringLiteral("DATA"));
    const QString m = d.month(QStringLiteral("DATA"));
    return rowsOf(db, QStringLiteral("SELECT DESENHONRO, CLICHENRO, %1, %2, ").arg(y, m) + sums +
                          dated +
                          QStringLiteral(" GROUP BY DESENHONRO, CLICHENRO, %1, %2 ORDER BY "
                                         "DESENHONRO, CLICHENRO, %1, %2")
                              .arg(y, m)) +
           rowsOf(db, QStringLiteral("SELECT DESENHONRO, CLICHENRO, ") + sums +
                          QStringLiteral("FROM MOVIMENTOS WHERE DESENHONRO IS NOT NULL AND "
                                         "CLICHENRO IS NOT NULL GROUP BY DESENHONRO, CLICHENRO "
                                         "ORDER BY DESENHONRO, CLICHENRO"));
}

} // namespace

class TestMovementSummary : public QObject {
    Q_OBJECT
private slots:
    void triggersKeepTheSumsExact();
    void versionStepFillsTheSums_data();
    void versionStepFillsTheSums();
    void periodsSplitIntoWholeMonths_data();
    void periodsSplitIntoWholeMonths();
    void readersAnswerAsTheMovements_data();
    void readersAnswerAsTheMovements();
};

// A randomized run of inserts, updates (amounts, a date across a month's and a year's edge, the
// number, the kind) and deletes, every tenth from a second connection; after each step the
// summary is what MOVIMENTOS grouped by tool and month says.
void TestMovementSummary::triggersKeepTheSumsExact() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QSqlDatabase one = inst.open("main");
    QSqlDatabase two = inst.open("main", QStringLiteral("second"));
    const SqlDialect d = SqlDialect::forDatabase(one);
    QRandomGenerator random(20261208);
    const QStringList drawings = {"D1", "D2", "d1"}; // "d1" is D1: keys ignore case
    const QStringList cliches = {"C1", "C2"};
    const QList<QDate> days = {QDate(2024, 1, 31),  QDate(2024, 2, 1), QDate(2024, 2, 29),
                               QDate(2024, 12, 31), QDate(2025, 1, 1), QDate(2025, 1, 15)};
    auto pick = [&](const auto& list) { return list.at(random.bounded(int(list.size()))); };
    QList<qint64> rows;
    for (int step = 0; step < 120; ++step) {
        QSqlQuery q(step % 10 == 9 ? two : one);
        const int action = rows.isEmpty() ? 0 : random.bounded(6);
        bool ok = true;
        if (action <= 1) {
            const bool drawing = random.bounded(2) == 0;
            q.prepare(QStringLiteral("INSERT INTO MOVIMENTOS (DESENHONRO, CLICHENRO, NROUTIL, "
                                     "ROTACOES, DATA, TIPOREG) VALUES (?, ?, ?, ?, ?, ?)"));
            q.addBindValue(drawing ? pick(drawings) : QString(""));
            q.addBindValue(drawing ? QString("") : pick(cliches));
            q.addBindValue(random.bounded(2) ? QVariant(random.bounded(1, 4))
                                             : QVariant(QMetaType::fromType<int>()));
            q.addBindValue(random.bounded(1, 100000));
            q.addBindValue(d.bindDateTime(QDateTime(pick(days), QTime(random.bounded(24), 0))));
            q.addBindValue(drawing ? "DS" : "CL");
            ok = q.exec();
            if (ok)
                rows << q.lastInsertId().toLongLong();
        } else if (action == 2) {
            q.prepare(
                QStringLiteral("UPDATE MOVIMENTOS SET ROTACOES = ?, NROUTIL = ? WHERE NRO = ?"));
            q.addBindValue(random.bounded(1, 100000));
            q.addBindValue(random.bounded(1, 4));
            q.addBindValue(pick(rows));
            ok = q.exec();
        } else if (action == 3) {
            // Across a month's or a year's edge.
            q.prepare(QStringLiteral("UPDATE MOVIMENTOS SET DATA = ? WHERE NRO = ?"));
            q.addBindValue(d.bindDate(pick(days)));
            q.addBindValue(pick(rows));
            ok = q.exec();
        } else if (action == 4) {
            // Another number, or the other kind: a drawing row made a cliché row and back.
            const bool drawing = random.bounded(2) == 0;
            q.prepare(QStringLiteral("UPDATE MOVIMENTOS SET DESENHONRO = ?, CLICHENRO = ?, "
                                     "TIPOREG = ? WHERE NRO = ?"));
            q.addBindValue(drawing ? pick(drawings) : QString(""));
            q.addBindValue(drawing ? QString("") : pick(cliches));
            q.addBindValue(drawing ? "DS" : "CL");
            q.addBindValue(pick(rows));
            ok = q.exec();
        } else {
            const qint64 nro = rows.takeAt(random.bounded(int(rows.size())));
            q.prepare(QStringLiteral("DELETE FROM MOVIMENTOS WHERE NRO = ?"));
            q.addBindValue(nro);
            ok = q.exec();
        }
        QVERIFY2(ok, qPrintable(q.lastError().text()));
        QCOMPARE(summary(one), grouped(one));
    }
    // A movement without a number or a date is not summed, and changes nothing when it is
    // given one later except the month it then joins.
    QVERIFY(inst.exec("main",
                      "INSERT INTO MOVIMENTOS (DESENHONRO, CLICHENRO, ROTACOES, DATA) "
                      "VALUES (NULL, '', 5, ?)",
                      {d.bindDate(QDate(2024, 3, 3))}));
    QVERIFY(inst.exec("main", "UPDATE MOVIMENTOS SET DESENHONRO = 'D9' WHERE DESENHONRO IS NULL"));
    QCOMPARE(summary(one), grouped(one));
    // One without a date counts in its tool's total only, until it is given one.
    QVERIFY(inst.exec("main", "INSERT INTO MOVIMENTOS (DESENHONRO, CLICHENRO, ROTACOES) VALUES "
                              "('D9', '', 6)"));
    QCOMPARE(summary(one), grouped(one));
    QVERIFY(inst.exec("main", "UPDATE MOVIMENTOS SET DATA = ? WHERE DATA IS NULL",
                      {d.bindDate(QDate(2024, 3, 9))}));
    QCOMPARE(summary(one), grouped(one));
    QVERIFY(inst.exec("main", "DELETE FROM MOVIMENTOS"));
    QCOMPARE(summary(one), QStringList{});
}

void TestMovementSummary::versionStepFillsTheSums_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("movements");
    QTest::addColumn<QStringList>("reached");
    QTest::newRow("01.004 with movements")
        << "01.004" << 40
        << QStringList{"01.005 (movimentos por mês: ", "01.006 (totais por ferramenta: "};
    QTest::newRow("01.004 without")
        << "01.004" << 0
        << QStringList{"01.005 (movimentos por mês: ", "01.006 (totais por ferramenta: "};
    QTest::newRow("01.005 with movements")
        << "01.005" << 40 << QStringList{"01.006 (totais por ferramenta: "};
}

// A 01.004 database has no sums, a 01.005 one only the monthly sums (and triggers that keep
// only them): the steps make what is missing, fill it, and the triggers keep both.
void TestMovementSummary::versionStepFillsTheSums() {
    QFETCH(QString, stored);
    QFETCH(int, movements);
    QFETCH(QStringList, reached);
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QSqlDatabase db = inst.open("main");
    const SqlDialect d = SqlDialect::forDatabase(db);
    for (const QString& sql : d.dropMovementSummaryTriggers())
        QVERIFY(inst.exec("main", sql));
    QVERIFY(inst.exec("main", "DROP TABLE MOVIMENTOS_TOTAL"));
    if (stored == QLatin1String("01.004"))
        QVERIFY(inst.exec("main", "DROP TABLE MOVIMENTOS_MES"));
    for (int i = 0; i < movements; ++i)
        QVERIFY(inst.exec("main",
                          "INSERT INTO MOVIMENTOS (DESENHONRO, CLICHENRO, NROUTIL, ROTACOES, DATA) "
                          "VALUES (?, ?, 1, ?, ?)",
                          {i % 3 ? QString("D%1").arg(i % 4) : QString(""),
                           i % 3 ? QString("") : QString("C%1").arg(i % 5), 100 * i,
                           d.bindDate(QDate(2023, 11, 1).addDays(9 * i))}));
    if (movements) // and one without a date: in its tool's total only
        QVERIFY(inst.exec("main", "INSERT INTO MOVIMENTOS (DESENHONRO, CLICHENRO, NROUTIL, "
                                  "ROTACOES) VALUES ('D1', '', 4, 333)"));
    if (stored == QLatin1String("01.005"))
        QVERIFY(inst.exec("main", d.movementSummaryFill().constFirst()));
    QVERIFY(inst.exec("main", "UPDATE ACTUAL_VERSAO SET VERSAO = ?", {stored}));
    QStringList said;
    QString error;
    QVERIFY2(dbversion::upgrade(
                 db, 1, stored, QStringLiteral("01.006"), QDate(2026, 12, 8),
                 [&](const QString& version) { said << version; }, &error),
             qPrintable(error));
    QCOMPARE(said.size(), reached.size());
    for (int i = 0; i < said.size(); ++i)
        QVERIFY2(said[i].startsWith(reached[i]), qPrintable(said[i]));
    QCOMPARE(summary(db).size(), movements ? grouped(db).size() : 0);
    QCOMPARE(summary(db), grouped(db));
    QVERIFY(inst.exec("main",
                      "INSERT INTO MOVIMENTOS (DESENHONRO, CLICHENRO, ROTACOES, DATA) "
                      "VALUES ('D1', '', 7, ?)",
                      {d.bindDate(QDate(2024, 5, 5))}));
    QCOMPARE(summary(db), grouped(db));
}

void TestMovementSummary::periodsSplitIntoWholeMonths_data() {
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<QString>("days");
    QTest::newRow("middle to middle") << QDate(2024, 1, 15) << QDate(2024, 4, 10) << 202402
                                      << 202403 << "2024-01-15..2024-02-01 2024-04-01..2024-04-11";
    QTest::newRow("first to last day")
        << QDate(2024, 2, 1) << QDate(2024, 3, 31) << 202402 << 202403 << "";
    QTest::newRow("a leap February")
        << QDate(2024, 2, 1) << QDate(2024, 2, 29) << 202402 << 202402 << "";
    QTest::newRow("inside one month")
        << QDate(2024, 2, 3) << QDate(2024, 2, 20) << 0 << -1 << "2024-02-03..2024-02-21";
    QTest::newRow("last day to first day")
        << QDate(2024, 1, 31) << QDate(2024, 3, 1) << 202402 << 202402
        << "2024-01-31..2024-02-01 2024-03-01..2024-03-02";
    QTest::newRow("across a year")
        << QDate(2023, 12, 1) << QDate(2024, 1, 31) << 202312 << 202401 << "";
    QTest::newRow("one day") << QDate(2024, 5, 1) << QDate(2024, 5, 1) << 0 << -1
                             << "2024-05-01..2024-05-02";
}

// A period's whole months come from the summary, its other days from the movements.
void TestMovementSummary::periodsSplitIntoWholeMonths() {
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    const movements::PeriodMonths p = movements::periodMonths(from, to);
    QTEST(p.firstMonth, "first");
    QTEST(p.lastMonth, "last");
    QStringList days;
    for (const auto& [a, b] : p.days)
        days << a.toString(Qt::ISODate) + ".." + b.toString(Qt::ISODate);
    QTEST(days.join(' '), "days");
}

// Every reader of the sums (the rankings, the tool life, the dashboard's usage grid) lists the
// same rows in the same order with the same sums as its statement over every movement, on a
// generated register, for periods on and off the months' edges.
void TestMovementSummary::readersAnswerAsTheMovements_data() {
    QTest::addColumn<bool>("undated");
    QTest::newRow("every movement dated") << false;     // a whole period: the totals
    QTest::newRow("a movement without a date") << true; // its months and days
}

void TestMovementSummary::readersAnswerAsTheMovements() {
    QFETCH(bool, undated);
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    RegisterSize size = test::smallRegister(150, 28);
    size.years = 3;
    size.images = false;
    size.documents = false;
    QString error;
    QVERIFY2(generateRegister(inst.settings(), size, &error), qPrintable(error));
    QSqlDatabase db = inst.open("main");
    const SqlDialect d = SqlDialect::forDatabase(db);
    // What other writers may leave: a movement without a date, one naming both kinds, one
    // whose number differs from its tool's only in case.
    const QString drawing = inst.scalar("main", "SELECT MIN(DESENHONRO) FROM DESENHOS").toString();
    const QString cliche = inst.scalar("main", "SELECT MIN(CLICHENRO) FROM CLICHES").toString();
    if (undated)
        QVERIFY(inst.exec("main",
                          "INSERT INTO MOVIMENTOS (DESENHONRO, CLICHENRO, NROUTIL, ROTACOES) "
                          "VALUES (?, '', 2, 900)",
                          {drawing}));
    QVERIFY(inst.exec("main",
                      "INSERT INTO MOVIMENTOS (DESENHONRO, CLICHENRO, NROUTIL, ROTACOES, DATA) "
                      "VALUES (?, ?, 1, 100, ?), (?, '', 1, 50, ?)",
                      {drawing, cliche, d.bindDate(QDate::currentDate()), drawing.toLower(),
                       d.bindDate(QDate::currentDate())}));

    auto rows = [&](const Statement& s) {
        QSqlQuery q(db);
        if (!runStatement(q, s))
            return QStringList{q.lastError().text()};
        QStringList out;
        while (q.next()) {
            QStringList row;
            for (int i = 0; i < q.record().count(); ++i)
                row << (q.value(i).isNull() ? QStringLiteral("NULL")
                                            : q.value(i).toString().toUpper());
            out << row.join('|');
        }
        return out;
    };
    int compared = 0;
    auto same = [&](const Statement& summed, const Statement& raw, const QString& what) {
        const QStringList expected = rows(raw);
        const QStringList got = rows(summed);
        if (got != expected) {
            qWarning() << what << "summed" << got.mid(0, 5) << "raw" << expected.mid(0, 5);
            return false;
        }
        compared += int(expected.size());
        return true;
    };
    const QDate first =
        parseDateTime(inst.scalar("main", "SELECT MIN(DATA) FROM MOVIMENTOS")).date();
    const QDate last =
        parseDateTime(inst.scalar("main", "SELECT MAX(DATA) FROM MOVIMENTOS")).date();
    const QDate middle = first.addDays(first.daysTo(last) / 2);
    const QDate monthStart(middle.year(), middle.month(), 1);
    const QList<QPair<QDate, QDate>> periods = {
        {QDate(1900, 1, 1), QDate(2100, 12, 31)},
        {first, last},
        {middle, middle.addDays(100)},                     // mid-month to mid-month
        {monthStart, monthStart.addMonths(3).addDays(-1)}, // whole months
        {monthStart.addDays(-1), monthStart.addMonths(2)}, // last day to first day
        {monthStart.addDays(2), monthStart.addDays(20)},   // inside one month
        {QDate(last.year(), 1, 1), last},                  // the newest year
        {last.addDays(1), last.addDays(40)}};              // no movements
    using namespace movements;
    for (const auto& [from, to] : periods) {
        const QString period = from.toString(Qt::ISODate) + ".." + to.toString(Qt::ISODate);
        for (const ItemKind kind : {ItemKind::Drawing, ItemKind::Cliche}) {
            for (const Measure measure : {Measure::Uses, Measure::Rotations})
                for (const QString& client : {QStringLiteral("%"), QStringLiteral("A%")}) {
                    MovementFilter f;
                    f.from = from;
                    f.to = to;
                    f.clientPattern = client;
                    QVERIFY2(same(rankingStatement(d, kind, measure, f),
                                  rankingStatement(d, kind, measure, f, SumsFrom::Movements),
                                  "ranking " + period),
                             qPrintable(period));
                }
            const dashboard::DayRange days{from, to};
            QVERIFY2(same(dashboard::itemUsage(d, kind, days),
                          dashboard::itemUsage(d, kind, days, SumsFrom::Movements),
                          "usage " + period),
                     qPrintable(period));
        }
    }
    // The tool life on a working date in the middle of a month and on a month's first day, for
    // every tool, one, a range, and the filters on the figures.
    const QString someCliche =
        inst.scalar("main", "SELECT MAX(CLICHENRO) FROM MOVIMENTOS WHERE DESENHONRO = ''")
            .toString();
    QList<ToolLifeFilter> filters(6);
    filters[1].number = someCliche;
    filters[2].numberAfter = "";
    filters[2].numberUpTo = someCliche;
    filters[3].wearFrom = 10;
    filters[3].wearTo = 90;
    filters[4].dormant = true;
    filters[4].dormantMonths = 6;
    filters[5].neverUsed = true;
    for (const QDate& working : {middle, monthStart, last})
        for (const ItemKind kind : {ItemKind::Drawing, ItemKind::Cliche})
            for (const ToolLifeFilter& f : std::as_const(filters))
                QVERIFY2(same(toolLifeStatement(d, kind, f, working),
                              toolLifeStatement(d, kind, f, working, SumsFrom::Movements),
                              "tool life " + working.toString(Qt::ISODate)),
                         qPrintable(working.toString(Qt::ISODate)));
    QVERIFY(compared > 2000); // the readers are not all empty
}

QTEST_MAIN(TestMovementSummary)
#include "tst_movement_summary.moc"
