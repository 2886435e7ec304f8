// The movement statements against a small register whose sums are worked out by hand: uses
// summed (not counted), rotations, the period's first and last day, patterns, items missing
// from their table, ties, and the kinds kept apart.
#include "movementqueries.h"
#include "movementregister.h"
#include "testsupport.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

using namespace falq;
using namespace falq::movements;

namespace {

const QDate kFirst(2026, 3, 1);
const QDate kLast(2026, 3, 31);

MovementFilter march(const QString& client = QStringLiteral("%"),
                     const QString& supplier = QStringLiteral("%")) {
    MovementFilter f;
    f.from = kFirst;
    f.to = kLast;
    f.clientPattern = client;
    f.supplierPattern = supplier;
    return f;
}

} // namespace

class TestMovementQueries : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void rankings_data();
    void rankings();
    void periodWithoutMovements();
    void rankedMovementsFollowTheRanking();
    void movementListsNewestFirst();
    void itemMovements();
    void typedTextIsBound();

private:
    // Rows of a statement as "column|column|..." texts.
    QStringList rows(const Statement& statement, int columns);

    std::unique_ptr<test::Installation> m_inst;
    SqlDialect m_dialect;
};

void TestMovementQueries::initTestCase() {
    FALQ_REQUIRE_ENGINE();
}

void TestMovementQueries::init() {
    m_inst = std::make_unique<test::Installation>();
    QVERIFY2(m_inst->ok(), qPrintable(m_inst->error()));
    QVERIFY(test::writeMovementRegister(*m_inst));
    m_dialect = SqlDialect::forDatabase(m_inst->open("main"));
}

void TestMovementQueries::cleanup() {
    m_inst.reset();
}

QStringList TestMovementQueries::rows(const Statement& statement, int columns) {
    QSqlQuery q(m_inst->open("main"));
    QString error;
    if (!runForward(q, statement, &error)) {
        qWarning("%s: %s", qPrintable(statement.sql), qPrintable(error));
        return {QStringLiteral("error")};
    }
    QStringList out;
    while (q.next()) {
        QStringList cells;
        for (int i = 0; i < columns; ++i) {
            const QVariant v = q.value(i);
            cells << (q.record().fieldName(i).compare(QLatin1String("DATA"), Qt::CaseInsensitive) ==
                              0
                          ? falq::parseDateTime(v).toString(QStringLiteral("dd/MM hh:mm"))
                          : v.toString());
        }
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

void TestMovementQueries::rankings_data() {
    QTest::addColumn<ItemKind>("kind");
    QTest::addColumn<Measure>("measure");
    QTest::addColumn<QString>("client");
    QTest::addColumn<QString>("supplier");
    QTest::addColumn<QStringList>("expected");

    // D3 has two movements worth 5 uses; D1 and D2 tie on 3 and come by number; DX is not a
    // drawing; the cliché numbered D2 never counts for the drawing D2; D4's NULL client and
    // D3's NULL supplier are kept by "%".
    QTest::newRow("drawings by uses")
        << ItemKind::Drawing << Measure::Uses << "%"
        << "%"
        << QStringList{"D3|5|Caixa de vinho|BETA|", "D1|3|Caixa de fruta|ALFA|CORTEX",
                       "D2|3|Tabuleiro|ALFA|DIEMAX", "D4|1|Divisória||CORTEX"};
    QTest::newRow("drawings by strokes")
        << ItemKind::Drawing << Measure::Rotations << "%"
        << "%"
        << QStringList{"D3|510|Caixa de vinho|BETA|", "D1|150|Caixa de fruta|ALFA|CORTEX",
                       "D2|40|Tabuleiro|ALFA|DIEMAX", "D4|5|Divisória||CORTEX"};
    QTest::newRow("drawings of clients a%")
        << ItemKind::Drawing << Measure::Uses << "a%"
        << "%" << QStringList{"D1|3|Caixa de fruta|ALFA|CORTEX", "D2|3|Tabuleiro|ALFA|DIEMAX"};
    QTest::newRow("drawings of supplier CORTEX")
        << ItemKind::Drawing << Measure::Uses << "%"
        << "CORTEX" << QStringList{"D1|3|Caixa de fruta|ALFA|CORTEX", "D4|1|Divisória||CORTEX"};
    QTest::newRow("drawings of both patterns")
        << ItemKind::Drawing << Measure::Rotations << "%FA"
        << "%MAX" << QStringList{"D2|40|Tabuleiro|ALFA|DIEMAX"};
    QTest::newRow("clichés by uses")
        << ItemKind::Cliche << Measure::Uses << "%"
        << "%"
        << QStringList{"D2|10|Marca|GAMA|FLEXO", "C1|6|Logótipo|ALFA|FLEXO",
                       "C2|2|Texto lateral|BETA|FLEXO", "C3|2|Código de barras|AMARO|"};
    QTest::newRow("clichés by rotations")
        << ItemKind::Cliche << Measure::Rotations << "%"
        << "%"
        << QStringList{"C1|600|Logótipo|ALFA|FLEXO", "C2|300|Texto lateral|BETA|FLEXO",
                       "C3|300|Código de barras|AMARO|", "D2|1|Marca|GAMA|FLEXO"};
    QTest::newRow("clichés of clients A%")
        << ItemKind::Cliche << Measure::Uses << "A%"
        << "%" << QStringList{"C1|6|Logótipo|ALFA|FLEXO", "C3|2|Código de barras|AMARO|"};
    QTest::newRow("no supplier matches") << ItemKind::Cliche << Measure::Uses << "%"
                                         << "NINGUEM" << QStringList{};
}

void TestMovementQueries::rankings() {
    QFETCH(ItemKind, kind);
    QFETCH(Measure, measure);
    QFETCH(QString, client);
    QFETCH(QString, supplier);
    QFETCH(QStringList, expected);
    const Statement s = rankingStatement(m_dialect, kind, measure, march(client, supplier));
    QCOMPARE(rows(s, 5), expected);
    // The columns are named as the windows and reports read them.
    QSqlQuery q(m_inst->open("main"));
    QVERIFY(runForward(q, s));
    QCOMPARE(q.record().indexOf(numberColumn(kind)), 0);
    QCOMPARE(q.record().indexOf(measureColumn(measure)), 1);
    QCOMPARE(q.record().indexOf(supplierColumn(kind)), 4);
}

void TestMovementQueries::periodWithoutMovements() {
    MovementFilter may = march();
    may.from = QDate(2026, 5, 1);
    may.to = QDate(2026, 5, 31);
    QCOMPARE(rows(rankingStatement(m_dialect, ItemKind::Drawing, Measure::Uses, may), 5),
             QStringList{});
    QCOMPARE(rows(movementListStatement(m_dialect, ItemKind::Cliche, may), 8), QStringList{});
    // One day: the first day's movement at midnight is in, the day before at 23:59 is not.
    MovementFilter first = march();
    first.to = kFirst;
    QCOMPARE(rows(rankingStatement(m_dialect, ItemKind::Drawing, Measure::Uses, first), 2),
             QStringList{"D1|2"});
    MovementFilter lastDay = march();
    lastDay.from = kLast;
    QCOMPARE(rows(rankingStatement(m_dialect, ItemKind::Drawing, Measure::Rotations, lastDay), 2),
             QStringList{"D1|50"});
}

void TestMovementQueries::rankedMovementsFollowTheRanking() {
    QCOMPARE(rows(rankedMovementsStatement(m_dialect, ItemKind::Drawing, march()), 5),
             (QStringList{"D1|1|50|E-102|31/03 23:59", "D1|2|100|E-101|01/03 00:00",
                          "D2|3|40|E-201|10/03 10:00", "D3|1|10|E-302|16/03 10:00",
                          "D3|4|500|E-301|15/03 10:00", "D4|1|5|E-401|20/03 10:00"}));
    QCOMPARE(rows(rankedMovementsStatement(m_dialect, ItemKind::Cliche, march("%", "FLEXO")), 5),
             (QStringList{"C1|6|600|E-501|02/03 10:00", "C2|2|300|E-601|03/03 10:00",
                          "D2|10|1|E-801|06/03 10:00"}));
}

void TestMovementQueries::movementListsNewestFirst() {
    QCOMPARE(rows(movementListStatement(m_dialect, ItemKind::Drawing, march()), 8),
             (QStringList{"D1|1|Caixa de fruta|ALFA|CORTEX|50|E-102|31/03 23:59",
                          "D4|1|Divisória||CORTEX|5|E-401|20/03 10:00",
                          "D3|1|Caixa de vinho|BETA||10|E-302|16/03 10:00",
                          "D3|4|Caixa de vinho|BETA||500|E-301|15/03 10:00",
                          "D2|3|Tabuleiro|ALFA|DIEMAX|40|E-201|10/03 10:00",
                          "D1|2|Caixa de fruta|ALFA|CORTEX|100|E-101|01/03 00:00"}));
    QCOMPARE(rows(movementListStatement(m_dialect, ItemKind::Cliche, march("b%")), 8),
             QStringList{"C2|2|Texto lateral|BETA|FLEXO|300|E-601|03/03 10:00"});
}

void TestMovementQueries::itemMovements() {
    const Statement s =
        itemMovementsStatement(m_dialect, ItemKind::Drawing, QStringLiteral("d1"), kFirst, kLast);
    QSqlQuery q(m_inst->open("main"));
    QVERIFY(runForward(q, s));
    QStringList orders;
    while (q.next())
        orders << q.value(q.record().indexOf(QStringLiteral("ENCOMENDA"))).toString();
    QCOMPARE(orders, (QStringList{"E-102", "E-101"}));
    // The cliché D2's movement is not the drawing D2's.
    const Statement cliche =
        itemMovementsStatement(m_dialect, ItemKind::Cliche, QStringLiteral("D2"), kFirst, kLast);
    QVERIFY(runForward(q, cliche));
    QVERIFY(q.next());
    QCOMPARE(q.value(q.record().indexOf(QStringLiteral("ENCOMENDA"))).toString(),
             QStringLiteral("E-801"));
    QVERIFY(!q.next());
}

void TestMovementQueries::typedTextIsBound() {
    // Quotes and backslashes in a pattern are plain characters, never SQL.
    const QString hostile = QStringLiteral("A' OR '1'='1\\");
    const Statement s =
        rankingStatement(m_dialect, ItemKind::Drawing, Measure::Uses, march(hostile, hostile));
    QVERIFY(!s.sql.contains(hostile));
    QVERIFY(s.values().contains(hostile));
    QCOMPARE(rows(s, 5), QStringList{});
    // "%" adds no condition: it is not bound, and the statement names no pattern.
    const Statement all =
        rankingStatement(m_dialect, ItemKind::Cliche, Measure::Rotations, march());
    QVERIFY(!all.values().contains(QStringLiteral("%")));
    QVERIFY(!all.sql.contains(QStringLiteral("LIKE")));
}

QTEST_MAIN(TestMovementQueries)
#include "tst_movement_queries.moc"
