// MOVIMENTOS_MES, the movements summed per tool and month: kept exact by the triggers on
// MOVIMENTOS whatever writes the movements, and filled by the version step that makes it.
#include "UnitDtVersao.h"
#include "dialect.h"
#include "movementqueries.h"
#include "sqlrun.h"
#include "testsupport.h"

#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

using namespace falq;

namespace {

// The summary's rows, and the same sums grouped from MOVIMENTOS, as comparable lines.
QStringList rowsOf(QSqlDatabase db, const QString& sql) {
    QSqlQuery q(db);
    if (!q.exec(sql))
        return {QStringLiteral("failed: ") + q.lastError().text()};
    QStringList rows;
    while (q.next()) {
        QStringList row;
        for (int i = 0; i < q.record().count(); ++i) {
            const QVariant v = q.value(i);
            row << (v.isNull() ? QStringLiteral("NULL")
                    : i >= 7   ? parseDateTime(v).toString(Qt::ISODate)
                               : v.toString().toUpper());
        }
        rows << row.join(QLatin1Char('|'));
    }
    return rows;
}

QStringList summary(QSqlDatabase db) {
    return rowsOf(db, QStringLiteral("SELECT DESENHONRO, CLICHENRO, ANO, MES, NROUTIL, ROTACOES, "
                                     "MOVIMENTOS, PRIMEIRA, ULTIMA FROM MOVIMENTOS_MES "
                                     "ORDER BY DESENHONRO, CLICHENRO, ANO, MES"));
}

QStringList grouped(QSqlDatabase db) {
    const SqlDialect d = SqlDialect::forDatabase(db);
    const QString y = d.year(QStringLiteral("DATA"));
    const QString m = d.month(QStringLiteral("DATA"));
    return rowsOf(db,
                  QStringLiteral("SELECT DESENHONRO, CLICHENRO, %1, %2, SUM(NROUTIL), "
                                 "SUM(ROTACOES), COUNT(*), MIN(DATA), MAX(DATA) FROM MOVIMENTOS "
                                 "WHERE DESENHONRO IS NOT NULL AND CLICHENRO IS NOT NULL AND "
                                 "DATA IS NOT NULL GROUP BY DESENHONRO, CLICHENRO, %1, %2 "
                                 "ORDER BY DESENHONRO, CLICHENRO, %1, %2")
                      .arg(y, m));
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
    void rankingsAnswerAsTheMovements();
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
    QVERIFY(inst.exec("main", "DELETE FROM MOVIMENTOS"));
    QCOMPARE(summary(one), QStringList{});
}

void TestMovementSummary::versionStepFillsTheSums_data() {
    QTest::addColumn<int>("movements");
    QTest::newRow("a register with movements") << 40;
    QTest::newRow("a register without") << 0;
}

// A 01.004 database has no summary: the step makes it, fills it and its triggers keep it.
void TestMovementSummary::versionStepFillsTheSums() {
    QFETCH(int, movements);
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QSqlDatabase db = inst.open("main");
    const SqlDialect d = SqlDialect::forDatabase(db);
    for (const char* sql : {"DROP TRIGGER MOVIMENTOS_MES_INS", "DROP TRIGGER MOVIMENTOS_MES_UPD",
                            "DROP TRIGGER MOVIMENTOS_MES_DEL"})
        if (!d.isPostgres())
            QVERIFY(inst.exec("main", sql));
    if (d.isPostgres())
        QVERIFY(inst.exec("main", "DROP TRIGGER MOVIMENTOS_MES_CHANGED ON MOVIMENTOS"));
    QVERIFY(inst.exec("main", "DROP TABLE MOVIMENTOS_MES"));
    for (int i = 0; i < movements; ++i)
        QVERIFY(inst.exec("main",
                          "INSERT INTO MOVIMENTOS (DESENHONRO, CLICHENRO, NROUTIL, ROTACOES, DATA) "
                          "VALUES (?, ?, 1, ?, ?)",
                          {i % 3 ? QString("D%1").arg(i % 4) : QString(""),
                           i % 3 ? QString("") : QString("C%1").arg(i % 5), 100 * i,
                           d.bindDate(QDate(2023, 11, 1).addDays(9 * i))}));
    QVERIFY(inst.exec("main", "UPDATE ACTUAL_VERSAO SET VERSAO = '01.004'"));
    QStringList reached;
    QString error;
    QVERIFY2(dbversion::upgrade(
                 db, 1, QStringLiteral("01.004"), QStringLiteral("01.005"), QDate(2026, 12, 8),
                 [&](const QString& version) { reached << version; }, &error),
             qPrintable(error));
    QCOMPARE(reached.size(), 1);
    QVERIFY2(reached[0].startsWith(QStringLiteral("01.005 (movimentos por mês: ")),
             qPrintable(reached[0]));
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

// Every ranking (kind, measure, patterns, periods on and off the months' edges) lists the same
// rows in the same order with the same sums as the movements grouped.
void TestMovementSummary::rankingsAnswerAsTheMovements() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QSqlDatabase db = inst.open("main");
    const SqlDialect d = SqlDialect::forDatabase(db);
    for (int i = 1; i <= 6; ++i) {
        QVERIFY(inst.exec("main",
                          "INSERT INTO DESENHOS (DESENHONRO, SIGLACLI, SIGLAFORN) VALUES "
                          "(?, ?, ?)",
                          {QString("D%1").arg(i), i % 2 ? "ALFA" : "BETA", "FORN"}));
        QVERIFY(inst.exec("main",
                          "INSERT INTO CLICHES (CLICHENRO, SIGLACLI, FORNSIGLA) VALUES "
                          "(?, ?, ?)",
                          {QString("C%1").arg(i), i % 3 ? "ALFA" : "GAMA", "FORN"}));
    }
    QRandomGenerator random(8122026);
    for (int i = 0; i < 400; ++i) {
        const bool drawing = random.bounded(2) == 0;
        const QString number = QString(drawing ? "D%1" : "C%1").arg(random.bounded(1, 8));
        QVERIFY(inst.exec(
            "main",
            "INSERT INTO MOVIMENTOS (DESENHONRO, CLICHENRO, NROUTIL, ROTACOES, DATA) VALUES "
            "(?, ?, ?, ?, ?)",
            {drawing ? number : QString(""), drawing ? QString("") : number,
             random.bounded(5) ? QVariant(random.bounded(1, 4))
                               : QVariant(QMetaType::fromType<int>()),
             random.bounded(1, 50000),
             d.bindDateTime(QDateTime(QDate(2023, 10, 1).addDays(random.bounded(500)),
                                      QTime(random.bounded(24), 30)))}));
    }
    const QList<QPair<QDate, QDate>> periods = {
        {QDate(2023, 10, 1), QDate(2025, 2, 12)}, {QDate(2024, 1, 15), QDate(2024, 4, 10)},
        {QDate(2024, 2, 1), QDate(2024, 3, 31)},  {QDate(2024, 2, 3), QDate(2024, 2, 20)},
        {QDate(2024, 1, 31), QDate(2024, 3, 1)},  {QDate(2024, 1, 1), QDate(2024, 12, 31)},
        {QDate(2030, 1, 1), QDate(2030, 1, 31)}};
    auto rows = [&](const Statement& s) {
        QSqlQuery q(db);
        if (!runStatement(q, s))
            return QStringList{q.lastError().text()};
        QStringList out;
        while (q.next()) {
            QStringList row;
            for (int i = 0; i < q.record().count(); ++i)
                row << (q.value(i).isNull() ? QStringLiteral("NULL") : q.value(i).toString());
            out << row.join('|');
        }
        return out;
    };
    int compared = 0;
    for (const auto& [from, to] : periods)
        for (const auto kind : {movements::ItemKind::Drawing, movements::ItemKind::Cliche})
            for (const auto measure : {movements::Measure::Uses, movements::Measure::Rotations})
                for (const QString& client : {QStringLiteral("%"), QStringLiteral("AL%")}) {
                    movements::MovementFilter f;
                    f.from = from;
                    f.to = to;
                    f.clientPattern = client;
                    const QStringList raw =
                        rows(movements::movementRankingStatement(d, kind, measure, f));
                    QCOMPARE(rows(movements::rankingStatement(d, kind, measure, f)), raw);
                    compared += int(raw.size());
                }
    QVERIFY(compared > 100); // the rankings are not all empty
}

QTEST_MAIN(TestMovementSummary)
#include "tst_movement_summary.moc"
