// Where every plate and die is: the readings of labels, the moves and their history, the
// refusals that write nothing, and the version step that makes the tables.
#include "UnitDtVersao.h"
#include "locationqueries.h"
#include "locationrules.h"
#include "schema.h"
#include "sqlrun.h"
#include "testsupport.h"
#include "transaction.h"

#include <QSqlQuery>
#include <QThread>
#include <QtTest>
#include <memory>
#include <thread>

using namespace falq;
using namespace falq::locations;

Q_DECLARE_METATYPE(falq::locations::Reading::Type)
Q_DECLARE_METATYPE(falq::locations::ToolKind)
Q_DECLARE_METATYPE(falq::locations::State)

namespace {

// A register with clichés C1..C3 (C1 and C2 of product bar code 5601234000017), drawing D1,
// places A-01-01 (active) and B-09-09 (inactive), machine 901, supplier 9005, and cliché C9
// scrapped.
struct Register {
    Register() {
        if (!inst.ok())
            return;
        ok = inst.exec("main", "INSERT INTO CLICHES (CLICHENRO, CODBARRAS) VALUES ('C1', "
                               "'5601234000017'), ('C2', '5601234000017'), ('C3', ''), "
                               "('C9', '')") &&
             inst.exec("main", "INSERT INTO DESENHOS (DESENHONRO) VALUES ('D1')") &&
             inst.exec("main", "DELETE FROM LOCAIS") &&
             inst.exec("main", "INSERT INTO LOCAIS (CODIGO, DESIGNACAO, ZONA, ACTIVO) VALUES "
                               "('A-01-01', 'Estante A', 'Armazém', 'S'), "
                               "('B-09-09', 'Estante B', 'Armazém', 'N')") &&
             inst.exec("main", "INSERT INTO MAQUINAS (CODIGO, DESIGNACAO) VALUES (901, 'Flexo')") &&
             inst.exec("fact", "INSERT INTO FORNECEDORES (CODIGO, NOME, SIGLA) VALUES "
                               "(9005, 'Gravuras', 'GRAV')");
        main = inst.open("main");
        fact = inst.open("fact");
        QString error;
        ok = ok &&
             moveTools(main, fact, {{ToolKind::Cliche, "C9"}}, {State::Scrapped}, mover(), &error);
    }
    Mover mover(const QString& station = QStringLiteral("Posto 1")) const {
        return {QStringLiteral("ADMIN"), station, QDateTime(QDate(2026, 12, 3), QTime(9, 30)),
                QString()};
    }
    int count(const char* table) {
        return inst.scalar("main", QStringLiteral("SELECT COUNT(*) FROM %1").arg(table)).toInt();
    }
    QString state(const QString& kind, const QString& number) {
        return inst
            .scalar("main",
                    "SELECT ESTADO || COALESCE(LOCAL, '') || COALESCE(CAST(MAQUINA AS VARCHAR(6)), "
                    "'') || COALESCE(CAST(FORNECEDOR AS VARCHAR(9)), '') || ' ' || POSTO "
                    "FROM LOCALIZACAO WHERE TIPOREG = ? AND NRO = ?",
                    {kind, number})
            .toString();
    }
    test::Installation inst;
    QSqlDatabase main;
    QSqlDatabase fact;
    bool ok = false;
};

Destination store(const QString& place) {
    return {State::Store, place, 0, 0};
}

} // namespace

class TestLocations : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }
    void readingsFollowTheGrammar_data();
    void readingsFollowTheGrammar();
    void bareReadingsNameTools();
    void refusalsWriteNothing_data();
    void refusalsWriteNothing();
    void aMoveWaitsForAScrapBeingWritten();
    void movesKeepEveryChange();
    void failureHalfWayWritesNothing();
    void versionStepMakesTheTables();
};

void TestLocations::readingsFollowTheGrammar_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Reading::Type>("type");
    QTest::addColumn<ToolKind>("kind");
    QTest::addColumn<QString>("value");
    using T = Reading::Type;
    QTest::newRow("cliché label") << "CL:10000" << T::Tool << ToolKind::Cliche << "10000";
    QTest::newRow("drawing label, any case, spaces")
        << " ds: D-77 " << T::Tool << ToolKind::Drawing << "D-77";
    QTest::newRow("place") << "L:A-01-03" << T::Place << ToolKind::Cliche << "A-01-03";
    QTest::newRow("machine") << "m:3" << T::Machine << ToolKind::Cliche << "3";
    QTest::newRow("supplier") << "F:12" << T::Supplier << ToolKind::Cliche << "12";
    QTest::newRow("bare number") << "10000" << T::Bare << ToolKind::Cliche << "10000";
    QTest::newRow("a prefix alone") << "CL:" << T::Empty << ToolKind::Cliche << "";
    QTest::newRow("nothing") << "   " << T::Empty << ToolKind::Cliche << "";
}

void TestLocations::readingsFollowTheGrammar() {
    QFETCH(QString, typed);
    const Reading r = parseReading(typed);
    QTEST(r.type, "type");
    if (r.type == Reading::Type::Tool)
        QTEST(r.kind, "kind");
    QTEST(r.value, "value");
}

// A bare reading is a cliché, else a drawing, else a product's clichés.
void TestLocations::bareReadingsNameTools() {
    Register r;
    QVERIFY2(r.ok, qPrintable(r.inst.error()));
    const QList<QPair<QString, QList<Tool>>> cases = {
        {"c1", {{ToolKind::Cliche, "C1"}}},
        {"D1", {{ToolKind::Drawing, "D1"}}},
        {"5601234000017", {{ToolKind::Cliche, "C1"}, {ToolKind::Cliche, "C2"}}},
        {"X0", {}}};
    for (const auto& [text, expected] : cases) {
        QList<Tool> tools;
        QString error;
        QVERIFY2(resolveBare(r.main, text, &tools, &error), qPrintable(error));
        QCOMPARE(tools.size(), expected.size());
        for (int i = 0; i < tools.size(); ++i) {
            QVERIFY(tools[i] == expected[i]);
            QCOMPARE(tools[i].number, expected[i].number); // the register's spelling
        }
    }
}

void TestLocations::refusalsWriteNothing_data() {
    QTest::addColumn<QStringList>("tools"); // "CL:.." / "DS:.."
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("message");
    const int store = int(State::Store), machine = int(State::Machine),
              supplier = int(State::Supplier);
    QTest::newRow("no tools") << QStringList{} << store << "A-01-01" << kNoTools;
    QTest::newRow("read twice") << QStringList{"CL:C1", "CL:c1"} << store << "A-01-01"
                                << kReadTwice.arg("Cliché c1");
    QTest::newRow("unknown tool") << QStringList{"CL:C1", "DS:D5"} << store << "A-01-01"
                                  << kUnknownTool.arg("Desenho D5");
    QTest::newRow("unknown place")
        << QStringList{"CL:C1"} << store << "Z-00" << kUnknownPlace.arg("Z-00");
    QTest::newRow("inactive place")
        << QStringList{"CL:C1"} << store << "B-09-09" << kInactivePlace.arg("B-09-09");
    QTest::newRow("unknown machine")
        << QStringList{"CL:C1"} << machine << "902" << kUnknownMachine.arg(902);
    QTest::newRow("unknown supplier")
        << QStringList{"CL:C1"} << supplier << "9006" << kUnknownSupplier.arg(9006);
    QTest::newRow("scrapped tool to a machine")
        << QStringList{"CL:C1", "CL:C9"} << machine << "901" << kScrapped.arg("Cliché C9");
}

void TestLocations::refusalsWriteNothing() {
    QFETCH(QStringList, tools);
    QFETCH(int, state);
    QFETCH(QString, code);
    Register r;
    QVERIFY2(r.ok, qPrintable(r.inst.error()));
    QList<Tool> list;
    for (const QString& t : tools) {
        const Reading reading = parseReading(t);
        list << Tool{reading.kind, reading.value};
    }
    Destination to{State(state), code, code.toInt(), code.toInt()};
    QString error;
    QVERIFY(!moveTools(r.main, r.fact, list, to, r.mover(), &error));
    QTEST(error, "message");
    QCOMPARE(r.count("LOCALIZACAO"), 1); // the scrapped C9 only
    QCOMPARE(r.count("LOCALIZACAO_HIST"), 1);
}

// Every move writes the present state and a history row per tool; a second workstation's move
// of the same tool is kept too, and its state is the last one written; a scrapped tool goes
// back to the store on purpose.
void TestLocations::movesKeepEveryChange() {
    Register r;
    QVERIFY2(r.ok, qPrintable(r.inst.error()));
    QSqlDatabase other = r.inst.open("main", "second");
    QString error;
    const QList<Tool> three = {
        {ToolKind::Cliche, "c1"}, {ToolKind::Cliche, "C2"}, {ToolKind::Drawing, "D1"}};
    QVERIFY2(moveTools(r.main, r.fact, three, store("A-01-01"), r.mover(), &error),
             qPrintable(error));
    QCOMPARE(r.state("CL", "C1"), QStringLiteral("AA-01-01 Posto 1"));
    QCOMPARE(r.state("DS", "D1"), QStringLiteral("AA-01-01 Posto 1"));
    QVERIFY2(moveTools(r.main, r.fact, {three[0]}, {State::Machine, {}, 901, 0}, r.mover(), &error),
             qPrintable(error));
    // This workstation reads a tool's line (as the window does on a reading) before the other
    // one writes: its next move must not fail on what it read before.
    ToolLine line;
    bool found = false;
    QVERIFY2(readToolLine(r.main, r.fact, three[1], QDate(2026, 12, 3), &line, &found, &error),
             qPrintable(error));
    QVERIFY(found);
    QVERIFY2(moveTools(other, r.fact, {three[0]}, {State::Supplier, {}, 0, 9005},
                       r.mover("Posto 2"), &error),
             qPrintable(error));
    QCOMPARE(r.state("CL", "C1"), QStringLiteral("F9005 Posto 2"));
    QVERIFY2(
        moveTools(r.main, r.fact, {{ToolKind::Cliche, "C9"}}, store("A-01-01"), r.mover(), &error),
        qPrintable(error));
    QCOMPARE(r.state("CL", "C9"), QStringLiteral("AA-01-01 Posto 1"));
    QCOMPARE(r.count("LOCALIZACAO"), 4);
    QCOMPARE(r.count("LOCALIZACAO_HIST"), 1 + 3 + 1 + 1 + 1);
    QCOMPARE(r.inst.scalar("main", "SELECT COUNT(*) FROM LOCALIZACAO_HIST WHERE FERRAMENTA = 'C1'")
                 .toInt(),
             3);
}

void TestLocations::aMoveWaitsForAScrapBeingWritten() {
    // Another workstation is scrapping C1 and has not committed yet; a move of C1 to a machine
    // started meanwhile waits for it and is then refused (it must not overwrite the scrap and
    // report success).
    Register r;
    QVERIFY2(r.ok, qPrintable(r.inst.error()));
    QString error;
    QVERIFY2(
        moveTools(r.main, r.fact, {{ToolKind::Cliche, "C1"}}, store("A-01-01"), r.mover(), &error),
        qPrintable(error));
    QSqlDatabase other = r.inst.open("main", "second");
    auto scrap = std::make_unique<Transaction>(other);
    QVERIFY(scrap->isActive());
    QVERIFY(QSqlQuery(other).exec("UPDATE LOCALIZACAO SET ESTADO = 'X' WHERE NRO = 'C1'"));
    bool moved = true;
    QString refused;
    const QString source = r.main.connectionName();
    std::thread move([&] {
        {
            // A workstation of its own, in the thread that uses it.
            QSqlDatabase own = QSqlDatabase::cloneDatabase(source, "worker");
            moved =
                own.open() && moveTools(own, QSqlDatabase(), {{ToolKind::Cliche, "C1"}},
                                        {State::Machine, {}, 901, 0}, r.mover("Posto 3"), &refused);
            own.close();
        }
        QSqlDatabase::removeDatabase("worker");
    });
    QThread::msleep(400);
    QVERIFY(scrap->commit());
    move.join();
    QVERIFY(!moved);
    QCOMPARE(refused, kScrapped.arg("Cliché C1"));
    QCOMPARE(r.state("CL", "C1").left(1), QStringLiteral("X"));
}

// The server refuses the third tool's history row: the two before it are not written either.
void TestLocations::failureHalfWayWritesNothing() {
    Register r;
    QVERIFY2(r.ok, qPrintable(r.inst.error()));
    if (test::usePostgres()) {
        QVERIFY(r.inst.exec("main",
                            "CREATE FUNCTION REFUSE_C3() RETURNS trigger LANGUAGE plpgsql AS $$ "
                            "BEGIN IF NEW.FERRAMENTA = 'C3' THEN RAISE EXCEPTION 'recusado'; "
                            "END IF; RETURN NEW; END $$"));
        QVERIFY(r.inst.exec("main", "CREATE TRIGGER REFUSE_C3 BEFORE INSERT ON LOCALIZACAO_HIST "
                                    "FOR EACH ROW EXECUTE FUNCTION REFUSE_C3()"));
    } else {
        QVERIFY(r.inst.exec("main", "CREATE TRIGGER REFUSE_C3 BEFORE INSERT ON LOCALIZACAO_HIST "
                                    "WHEN NEW.FERRAMENTA = 'C3' BEGIN SELECT RAISE(ABORT, "
                                    "'recusado'); END"));
    }
    QString error;
    QVERIFY(
        !moveTools(r.main, r.fact,
                   {{ToolKind::Cliche, "C1"}, {ToolKind::Cliche, "C2"}, {ToolKind::Cliche, "C3"}},
                   store("A-01-01"), r.mover(), &error));
    QVERIFY2(error.contains(QLatin1String("recusado")), qPrintable(error));
    QCOMPARE(r.count("LOCALIZACAO"), 1);
    QCOMPARE(r.count("LOCALIZACAO_HIST"), 1);
}

// From 01.006 the step makes the tables and the catalogue's rows; run again on a database
// that has them, it changes nothing.
void TestLocations::versionStepMakesTheTables() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QSqlDatabase db = inst.open("main");
    for (const char* table : {"LOCALIZACAO_HIST", "LOCALIZACAO", "LOCAIS"})
        QVERIFY(inst.exec("main", QStringLiteral("DROP TABLE %1").arg(table)));
    QVERIFY(inst.exec("main", "DELETE FROM APLICACAOMST WHERE PROGRAMA IN ('Localizacao', "
                              "'Etiquetas')"));
    const int catalogue = inst.scalar("main", "SELECT COUNT(*) FROM APLICACAOMST").toInt();
    for (int run = 0; run < 2; ++run) {
        QString error;
        QVERIFY2(dbversion::upgrade(db, 1, "01.006", schema::kProgramVersion, QDate(2026, 12, 9),
                                    {}, &error),
                 qPrintable(error));
        QCOMPARE(inst.scalar("main", "SELECT COUNT(*) FROM APLICACAOMST").toInt(), catalogue + 2);
        QVERIFY(inst.exec("main", "INSERT INTO LOCAIS (CODIGO, ACTIVO) VALUES (?, 'S')",
                          {QStringLiteral("R%1").arg(run)}));
        QCOMPARE(inst.scalar("main", "SELECT COUNT(*) FROM LOCAIS").toInt(), run + 1);
    }
}

QTEST_MAIN(TestLocations)
#include "tst_locations.moc"
