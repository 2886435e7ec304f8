// Tool life against a small register whose figures are worked out by hand: wear, uses, wear %,
// last use, the rate over the 365 days up to the working date, the wear-out date, the tools
// without a known life, without recent use, already worn or never used, dormant tools, the
// kinds kept apart, and the warning after a movement.
#include "testsupport.h"
#include "toollife.h"

#include <QSqlQuery>
#include <QTest>

using namespace falq;
using namespace falq::movements;

namespace {

// The working date of every case; never the computer's clock.
const QDate kWork(2026, 12, 7);

QDateTime at(int daysBack, int hour = 10, int minute = 0) {
    return QDateTime(kWork.addDays(-daysBack), QTime(hour, minute));
}

} // namespace

class TestToolLife : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void figures_data();
    void figures();
    void drawingsApart();
    void filters_data();
    void filters();
    void dormantAtExactlyTheMonths();
    void typedTextIsBound();
    void warningAtTheLimitAndAfter();
    void warningForDrawingsAndWornTools();
    void limitsFromTheIni();
    void pagesOfNumbers();
    void statisticsOfTheTools();

private:
    bool cliche(const QString& number, const QVariant& life, const QString& client = "ALFA",
                int machine = 1, const QString& valid = "S");
    bool drawing(const QString& number, const QVariant& life);
    bool movement(const QString& cliche, const QString& drawing, int rotations,
                  const QDateTime& when, int uses = 1);
    bool repair(const QString& cliche, const QString& drawing, double value);
    QList<ToolLife> list(ItemKind kind, const ToolLifeFilter& filter = {});
    ToolLife one(ItemKind kind, const QString& number);

    std::unique_ptr<test::Installation> m_inst;
    SqlDialect m_dialect;
};

void TestToolLife::initTestCase() {
    FALQ_REQUIRE_ENGINE();
}

bool TestToolLife::cliche(const QString& number, const QVariant& life, const QString& client,
                          int machine, const QString& valid) {
    return m_inst->exec("main",
                        "INSERT INTO CLICHES (CLICHENRO, SIGLACLI, REFERENCIA, FORNSIGLA, MAQUINA, "
                        "ROTACOES_PREV, UTILIZA) VALUES (?, ?, ?, 'FLEXO', ?, ?, ?)",
                        {number, client, QStringLiteral("Ref ") + number, machine, life, valid});
}

bool TestToolLife::drawing(const QString& number, const QVariant& life) {
    return m_inst->exec("main",
                        "INSERT INTO DESENHOS (DESENHONRO, SIGLACLI, REFERENCIA, SIGLAFORN, "
                        "MAQUINA, ROTACOES_PREV, UTILIZA) VALUES (?, 'GAMA', 'Caixa', 'CORTEX', "
                        "2, ?, 'S')",
                        {number, life});
}

bool TestToolLife::movement(const QString& cliche, const QString& drawing, int rotations,
                            const QDateTime& when, int uses) {
    return m_inst->exec("main",
                        "INSERT INTO MOVIMENTOS (DESENHONRO, CLICHENRO, NROUTIL, ROTACOES, "
                        "ENCOMENDA, DATA, TIPOREG) VALUES (?, ?, ?, ?, '', ?, ?)",
                        {drawing, cliche, uses, rotations, m_dialect.bindDateTime(when),
                         cliche.isEmpty() ? QStringLiteral("DS") : QStringLiteral("CL")});
}

bool TestToolLife::repair(const QString& cliche, const QString& drawing, double value) {
    return m_inst->exec(
        "main",
        "INSERT INTO REPARACOES (CLICHENRO, DESENHONRO, TIPO, VALOR, TIPOREG) "
        "VALUES (?, ?, 'R', ?, ?)",
        {cliche, drawing, value, cliche.isEmpty() ? QStringLiteral("DS") : QStringLiteral("CL")});
}

// The register (W = 7 December 2026; life / movements as rotations, uses):
//   A1  865000  365000 ×5 uses 364 days back: 1000 a day, 500000 left -> W + 500; cost 80.50
//               + 19.50 (a drawing-row repair numbered A1 does not count)
//   A2  NULL    100 on W: life unknown
//   A3  0       100 on W: life unknown
//   A4  1000    200 400 days back: rate 0, no wear-out date
//   A5  1000    600 10 days back, 500 on W: 110 %, already worn
//   A6  5000    never used
//   A7  10000   365 exactly 365 days back (outside the rate's window), 730 364 days back:
//               wear 1095, rate 730 / 365 = 2, 8905 left -> 4452.5 -> W + 4453
//   A8  1000    100 9 days back (younger than a year: 10 days), 10 a day -> W + 90
//   D9  cliché  5000, never used; the drawing D9 (life 1000) has 700 strokes, 3 uses on W
//               and a repair of 120.
//   B1  BETA, machine 3, 1000: 10 on 7 Dec 2024 (exactly 24 months back)
//   B2  BETA, machine 3, not valid, 1000: 10 on 6 Dec 2024 at 23:59 (dormant)
void TestToolLife::init() {
    m_inst = std::make_unique<test::Installation>();
    QVERIFY2(m_inst->ok(), qPrintable(m_inst->error()));
    m_dialect = SqlDialect::forDatabase(m_inst->open("main"));
    QVERIFY(cliche("A1", 865000));
    QVERIFY(movement("A1", "", 365000, at(364), 5));
    QVERIFY(repair("A1", "", 80.5));
    QVERIFY(repair("A1", "", 19.5));
    QVERIFY(repair("", "A1", 1000));
    QVERIFY(cliche("A2", QVariant()));
    QVERIFY(movement("A2", "", 100, at(0)));
    QVERIFY(cliche("A3", 0));
    QVERIFY(movement("A3", "", 100, at(0)));
    QVERIFY(cliche("A4", 1000));
    QVERIFY(movement("A4", "", 200, at(400)));
    QVERIFY(cliche("A5", 1000));
    QVERIFY(movement("A5", "", 600, at(10)));
    QVERIFY(movement("A5", "", 500, at(0, 23, 59)));
    QVERIFY(cliche("A6", 5000));
    QVERIFY(cliche("A7", 10000));
    QVERIFY(movement("A7", "", 365, at(365, 23, 59)));
    QVERIFY(movement("A7", "", 730, at(364, 0, 0)));
    QVERIFY(cliche("A8", 1000));
    QVERIFY(movement("A8", "", 100, at(9)));
    QVERIFY(cliche("D9", 5000));
    QVERIFY(drawing("D9", 1000));
    QVERIFY(movement("", "D9", 700, at(0), 3));
    QVERIFY(repair("", "D9", 120));
    QVERIFY(cliche("B1", 1000, "BETA", 3));
    QVERIFY(movement("B1", "", 10, QDateTime(QDate(2024, 12, 7), QTime(0, 0))));
    QVERIFY(cliche("B2", 1000, "BETA", 3, "N"));
    QVERIFY(movement("B2", "", 10, QDateTime(QDate(2024, 12, 6), QTime(23, 59))));
}

void TestToolLife::cleanup() {
    m_inst.reset();
}

QList<ToolLife> TestToolLife::list(ItemKind kind, const ToolLifeFilter& filter) {
    QSqlQuery q(m_inst->open("main"));
    QString error;
    QList<ToolLife> out;
    if (!runForward(q, toolLifeStatement(m_dialect, kind, filter, kWork), &error)) {
        qWarning("%s", qPrintable(error));
        return out;
    }
    while (q.next())
        out << toolLifeFromRecord(q);
    return out;
}

ToolLife TestToolLife::one(ItemKind kind, const QString& number) {
    QSqlDatabase db = m_inst->open("main");
    QString error;
    const std::optional<ToolLife> t = readToolLife(db, kind, number, kWork, &error);
    if (!t)
        qWarning("no %s: %s", qPrintable(number), qPrintable(error));
    return t.value_or(ToolLife{});
}

void TestToolLife::figures_data() {
    QTest::addColumn<QString>("number");
    QTest::addColumn<qint64>("wear");
    QTest::addColumn<qint64>("uses");
    QTest::addColumn<QString>("percent");
    QTest::addColumn<QString>("lastUse");
    QTest::addColumn<double>("rate");
    QTest::addColumn<QString>("wearOut");
    QTest::addColumn<double>("cost");

    QTest::newRow("a year at 1000 a day") << "A1" << qint64(365000) << qint64(5) << "42%"
                                          << "08/12/2025" << 1000.0 << "20/04/2028" << 100.0;
    QTest::newRow("life NULL") << "A2" << qint64(100) << qint64(1) << ""
                               << "07/12/2026" << 100.0 << "" << 0.0;
    QTest::newRow("life 0") << "A3" << qint64(100) << qint64(1) << ""
                            << "07/12/2026" << 100.0 << "" << 0.0;
    QTest::newRow("rate 0") << "A4" << qint64(200) << qint64(1) << "20%"
                            << "02/11/2025" << 0.0 << "" << 0.0;
    QTest::newRow("already worn") << "A5" << qint64(1100) << qint64(2) << "110%"
                                  << "07/12/2026" << 1100.0 / 11 << "esgotada" << 0.0;
    QTest::newRow("never used") << "A6" << qint64(0) << qint64(0) << "0%"
                                << "" << 0.0 << "" << 0.0;
    QTest::newRow("365-day edge") << "A7" << qint64(1095) << qint64(2) << "10%"
                                  << "08/12/2025" << 2.0 << "15/02/2039" << 0.0;
    QTest::newRow("younger than a year") << "A8" << qint64(100) << qint64(1) << "10%"
                                         << "28/11/2026" << 10.0 << "07/03/2027" << 0.0;
    QTest::newRow("cliché numbered as a drawing") << "D9" << qint64(0) << qint64(0) << "0%"
                                                  << "" << 0.0 << "" << 0.0;
}

void TestToolLife::figures() {
    QFETCH(QString, number);
    QFETCH(qint64, wear);
    QFETCH(qint64, uses);
    QFETCH(QString, percent);
    QFETCH(QString, lastUse);
    QFETCH(double, rate);
    QFETCH(QString, wearOut);
    QFETCH(double, cost);

    // The same figures from the whole list and from the one tool's statement.
    const QList<ToolLife> all = list(ItemKind::Cliche);
    auto it =
        std::find_if(all.begin(), all.end(), [&](const ToolLife& t) { return t.number == number; });
    QVERIFY(it != all.end());
    for (const ToolLife& t : {*it, one(ItemKind::Cliche, number)}) {
        QCOMPARE(t.number, number);
        QCOMPARE(t.wear, wear);
        QCOMPARE(t.uses, uses);
        QCOMPARE(wearPercentText(t), percent);
        QCOMPARE(t.lastUse.isValid() ? t.lastUse.date().toString("dd/MM/yyyy") : QString(),
                 lastUse);
        QCOMPARE(t.rate(kWork), rate);
        QCOMPARE(wearOutText(t, kWork), wearOut);
        QCOMPARE(t.cost, cost);
    }
}

void TestToolLife::drawingsApart() {
    const QList<ToolLife> drawings = list(ItemKind::Drawing);
    QCOMPARE(drawings.size(), 1);
    const ToolLife& d = drawings.first();
    QCOMPARE(d.number, QStringLiteral("D9"));
    QCOMPARE(d.wear, qint64(700));
    QCOMPARE(d.uses, qint64(3));
    QCOMPARE(wearPercentText(d), QStringLiteral("70%"));
    QCOMPARE(d.rate(kWork), 700.0); // first and only movement on the working date
    QCOMPARE(dateText(d.wearOutDate(kWork)), QStringLiteral("08/12/2026"));
    QCOMPARE(d.cost, 120.0);
    QCOMPARE(d.machine, 2);
}

void TestToolLife::filters_data() {
    QTest::addColumn<QString>("client");
    QTest::addColumn<int>("machine");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QVariant>("from");
    QTest::addColumn<QVariant>("to");
    QTest::addColumn<bool>("dormant");
    QTest::addColumn<bool>("never");
    QTest::addColumn<QString>("expected");

    const QVariant none;
    QTest::newRow("all") << "%" << 0 << false << none << none << false << false
                         << "A1 A2 A3 A4 A5 A6 A7 A8 B1 B2 D9";
    QTest::newRow("client B%") << "b%" << 0 << false << none << none << false << false << "B1 B2";
    QTest::newRow("machine 3 valid") << "%" << 3 << true << none << none << false << false << "B1";
    QTest::newRow("wear from 90 %")
        << "%" << 0 << false << QVariant(90.0) << none << false << false << "A5";
    QTest::newRow("wear 20 % to 42.2 %")
        << "%" << 0 << false << QVariant(20.0) << QVariant(42.2) << false << false << "A1 A4";
    // The whole percent shown: A7 (10.95 %) shows "10%".
    QTest::newRow("wear 10 % to 10 %")
        << "%" << 0 << false << QVariant(10.0) << QVariant(10.0) << false << false << "A7 A8";
    QTest::newRow("wear up to 0 %")
        << "%" << 0 << false << none << QVariant(0.0) << false << false << "A6 D9";
    QTest::newRow("dormant") << "%" << 0 << false << none << none << true << false << "B2";
    QTest::newRow("never used") << "%" << 0 << false << none << none << false << true << "A6 D9";
    QTest::newRow("dormant or never used")
        << "%" << 0 << false << none << none << true << true << "A6 B2 D9";
}

void TestToolLife::filters() {
    QFETCH(QString, client);
    QFETCH(int, machine);
    QFETCH(bool, valid);
    QFETCH(QVariant, from);
    QFETCH(QVariant, to);
    QFETCH(bool, dormant);
    QFETCH(bool, never);
    QFETCH(QString, expected);

    ToolLifeFilter f;
    f.clientPattern = client;
    f.machine = machine;
    f.validOnly = valid;
    if (from.isValid())
        f.wearFrom = from.toDouble();
    if (to.isValid())
        f.wearTo = to.toDouble();
    f.dormant = dormant;
    f.neverUsed = never;
    QStringList numbers;
    for (const ToolLife& t : list(ItemKind::Cliche, f))
        numbers << t.number;
    QCOMPARE(numbers.join(' '), expected);
}

void TestToolLife::dormantAtExactlyTheMonths() {
    // B1's last use is exactly 24 months before the working date: not "more than" 24 months.
    ToolLifeFilter f;
    f.dormant = true;
    f.dormantMonths = 24;
    f.clientPattern = "BETA";
    QCOMPARE(list(ItemKind::Cliche, f).size(), 1);
    QCOMPARE(list(ItemKind::Cliche, f).first().number, QStringLiteral("B2"));
    // One month less: both are dormant.
    f.dormantMonths = 23;
    QCOMPARE(list(ItemKind::Cliche, f).size(), 2);
    // A list already read tells the same tools dormant as the statement.
    for (const int months : {23, 24}) {
        f.dormantMonths = months;
        f.clientPattern = "%";
        QStringList bySql, inMemory;
        for (const ToolLife& t : list(ItemKind::Cliche, f))
            bySql << t.number;
        for (const ToolLife& t : list(ItemKind::Cliche))
            if (t.dormant(kWork, months))
                inMemory << t.number;
        QCOMPARE(inMemory, bySql);
    }
}

void TestToolLife::typedTextIsBound() {
    ToolLifeFilter f;
    f.clientPattern = "A'; DROP TABLE CLICHES; --";
    f.supplierPattern = "FLE%";
    QCOMPARE(list(ItemKind::Cliche, f).size(), 0);
    QCOMPARE(m_inst->scalar("main", "SELECT COUNT(*) FROM CLICHES").toInt(), 11);
    const Statement s = toolLifeStatement(m_dialect, ItemKind::Cliche, f, kWork);
    QVERIFY(!s.sql.contains("DROP"));
    QVERIFY(s.sql.contains("T.CLICHENRO AS NUMERO"));
    QSqlDatabase db = m_inst->open("main");
    QVERIFY(!readToolLife(db, ItemKind::Cliche, "A1' OR '1'='1", kWork));
}

void TestToolLife::warningAtTheLimitAndAfter() {
    const ToolLifeLimits limits; // 90 %
    QVERIFY(cliche("W1", 1000));
    QVERIFY(movement("W1", "", 899, at(1)));
    QCOMPARE(wearWarning(one(ItemKind::Cliche, "W1"), ItemKind::Cliche, kWork, limits), QString());
    // 900 of 1000 rotations: exactly the limit. 900 in 2 days: 450 a day, 100 left: 1 day.
    QVERIFY(movement("W1", "", 1, at(0)));
    QCOMPARE(
        wearWarning(one(ItemKind::Cliche, "W1"), ItemKind::Cliche, kWork, limits),
        QStringLiteral(
            "Atenção: o cliché W1 atingiu 90% da vida prevista (previsão de fim: 08/12/2026)"));
    // A later movement of a tool already past the limit warns again.
    QVERIFY(movement("W1", "", 50, at(0)));
    QCOMPARE(
        wearWarning(one(ItemKind::Cliche, "W1"), ItemKind::Cliche, kWork, limits),
        QStringLiteral(
            "Atenção: o cliché W1 atingiu 95% da vida prevista (previsão de fim: 08/12/2026)"));
    // A higher limit in the settings: not yet.
    ToolLifeLimits strict;
    strict.warningPercent = 96;
    QCOMPARE(wearWarning(one(ItemKind::Cliche, "W1"), ItemKind::Cliche, kWork, strict), QString());
}

void TestToolLife::warningForDrawingsAndWornTools() {
    const ToolLifeLimits limits;
    QCOMPARE(wearWarning(one(ItemKind::Cliche, "A5"), ItemKind::Cliche, kWork, limits),
             QStringLiteral("Atenção: o cliché A5 atingiu 110% da vida prevista (vida prevista "
                            "esgotada)"));
    // A warning limit above 100 %: a worn tool still warns, from exactly 100 % on.
    ToolLifeLimits lenient;
    lenient.warningPercent = 120;
    QVERIFY(cliche("W2", 1000));
    QVERIFY(movement("W2", "", 1000, at(1)));
    QCOMPARE(wearWarning(one(ItemKind::Cliche, "W2"), ItemKind::Cliche, kWork, lenient),
             QStringLiteral("Atenção: o cliché W2 atingiu 100% da vida prevista (vida prevista "
                            "esgotada)"));
    // Unknown life: nothing to say, however much it was used.
    QCOMPARE(wearWarning(one(ItemKind::Cliche, "A2"), ItemKind::Cliche, kWork, limits), QString());
    QVERIFY(movement("", "D9", 250, at(0)));
    QCOMPARE(
        wearWarning(one(ItemKind::Drawing, "D9"), ItemKind::Drawing, kWork, limits),
        QStringLiteral(
            "Atenção: o desenho D9 atingiu 95% da vida prevista (previsão de fim: 08/12/2026)"));
    // The cliché D9 is not touched by the drawing's strokes.
    QCOMPARE(one(ItemKind::Cliche, "D9").wear, qint64(0));
}

void TestToolLife::limitsFromTheIni() {
    QCOMPARE(readToolLifeLimits().warningPercent, 90);
    QCOMPARE(readToolLifeLimits().dormantMonths, 24);
    m_inst->writeFile("falquinas.ini", "[VidaUtil]\nAviso=80\nInactivo=12\n");
    QCOMPARE(readToolLifeLimits().warningPercent, 80);
    QCOMPARE(readToolLifeLimits().dormantMonths, 12);
    m_inst->writeFile("falquinas.ini", "[VidaUtil]\nAviso=abc\nInactivo=-3\n");
    QCOMPARE(readToolLifeLimits().warningPercent, 90);
    QCOMPARE(readToolLifeLimits().dormantMonths, 24);
}

void TestToolLife::pagesOfNumbers() {
    // A range of numbers: the same figures as in the whole list.
    ToolLifeFilter range;
    range.numberAfter = "A2";
    range.numberUpTo = "A5";
    const QList<ToolLife> tools = list(ItemKind::Cliche, range);
    QStringList numbers;
    for (const ToolLife& t : tools)
        numbers << t.number;
    QCOMPARE(numbers.join(' '), QStringLiteral("A3 A4 A5"));
    QCOMPARE(tools.last().wear, qint64(1100));
    QCOMPARE(tools.at(1).rate(kWork), 0.0);
    // The first page: up to a number only.
    ToolLifeFilter first;
    first.numberUpTo = "A3";
    const QList<ToolLife> head = list(ItemKind::Cliche, first);
    QCOMPARE(head.size(), 3);
    QCOMPARE(head.first().wear, qint64(365000));
    // The numbers of a page, after a number, with the tool conditions.
    QVERIFY(pageable(range));
    ToolLifeFilter beta;
    beta.clientPattern = "BETA";
    for (const auto& [after, expected] :
         {std::pair<QString, QString>{"", "B1 B2"}, std::pair<QString, QString>{"B1", "B2"}}) {
        QSqlQuery q(m_inst->open("main"));
        QVERIFY(runForward(q, toolPageStatement(m_dialect, ItemKind::Cliche, beta, after, 5)));
        QStringList page;
        while (q.next())
            page << q.value(0).toString();
        QCOMPARE(page.join(' '), expected);
    }
    QSqlQuery q(m_inst->open("main"));
    QVERIFY(runForward(q, toolPageStatement(m_dialect, ItemKind::Cliche, {}, "A7", 2)));
    QStringList page;
    while (q.next())
        page << q.value(0).toString();
    QCOMPARE(page.join(' '), QStringLiteral("A8 B1"));
    ToolLifeFilter dormant;
    dormant.dormant = true;
    QVERIFY(!pageable(dormant));
}

void TestToolLife::statisticsOfTheTools() {
    // W3 is worn further than A5 (150 % against 110 %), used long ago.
    QVERIFY(cliche("W3", 1000));
    QVERIFY(movement("W3", "", 1500, at(400)));
    const QList<ToolLife> all = list(ItemKind::Cliche);
    const QVector<ToolLife> tools(all.begin(), all.end());
    // The worn tools first, the most worn first; then the wear-out dates: A8 W+90, A1 W+500,
    // A7 W+4453 (B1/B2: rate 0; the rest: no known life or unused).
    QStringList nearest;
    for (const ToolLife& t : nearestEnd(tools, kWork, 4))
        nearest << t.number;
    QCOMPARE(nearest, (QStringList{"W3", "A5", "A8", "A1"}));
    QCOMPARE(nearestEnd(tools, kWork, 20).size(), 5);
    // Dormant tools by client: B2 (BETA) only; never used as well: A6, D9 (ALFA).
    ToolLifeFilter f;
    f.dormant = true;
    f.neverUsed = true;
    const QList<ToolLife> idle = list(ItemKind::Cliche, f);
    const QList<QPair<QString, int>> byClient =
        countByClient(QVector<ToolLife>(idle.begin(), idle.end()));
    QCOMPARE(byClient, (QList<QPair<QString, int>>{{"ALFA", 2}, {"BETA", 1}}));
}

QTEST_MAIN(TestToolLife)
#include "tst_tool_life.moc"
