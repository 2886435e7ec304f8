// The cliché and drawing searches without any window: which records a search finds, in which
// order, with every kind of criterion; typed patterns that must never raise a server error;
// the consultation lists; the text order of the number bounds.
#include "clichesearch.h"
#include "drawingsearch.h"
#include "editorrun.h"
#include "installer.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>

using namespace falq;

namespace {

// The numbers (first column) a statement lists, in its order; fails the test on error.
QStringList run(QSqlDatabase db, const SearchStatement& s) {
    QSqlQuery q(db);
    QStringList numbers;
    if (!q.prepare(s.sql)) {
        qWarning("%s\n%s", qPrintable(q.lastError().text()), qPrintable(s.sql));
        return {QStringLiteral("<error>")};
    }
    for (const auto& [name, value] : s.binds)
        q.bindValue(name, value);
    if (!q.exec()) {
        qWarning("%s\n%s", qPrintable(q.lastError().text()), qPrintable(s.sql));
        return {QStringLiteral("<error>")};
    }
    while (q.next())
        numbers << q.value(0).toString();
    return numbers;
}

QStringList run(QSqlDatabase db, const QString& sql) {
    return run(db, SearchStatement{sql, {}});
}

} // namespace

class SearchBuilders : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::Installation> inst;
    QSqlDatabase db;
    SqlDialect dialect;

    QStringList cliches(const cliches::SearchCriteria& c) {
        return run(db, cliches::searchStatement(c, dialect));
    }
    QStringList drawings(const drawings::SearchCriteria& c) {
        return run(db, drawings::searchStatement(c, dialect));
    }

private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }

    void init() {
        inst = std::make_unique<test::Installation>();
        QVERIFY2(inst->ok(), qPrintable(inst->error()));
        test::addCodes(*inst);
        db = inst->open("main");
        dialect = SqlDialect::forDatabase(db);
    }

    void cleanup() {
        db = QSqlDatabase();
        inst.reset();
    }

    void clicheDefaultsListValidWithExistingCodes() {
        test::addCliche(*inst, "C-3");
        test::addCliche(*inst, "C-1");
        test::addCliche(*inst, "C-2", {{"UTILIZA", "N"}});
        test::addCliche(*inst, "C-4", {{"MODELO", 99}});  // no model 99
        test::addCliche(*inst, "C-5", {{"MAQUINA", 77}}); // no machine 77
        test::addCliche(*inst, "C-6", {{"SIGLACLI", QVariant(QMetaType(QMetaType::QString))}});
        QCOMPARE(cliches({}), QStringList({"C-1", "C-3", "C-6"}));
        // The consultation lists every valid cliché, whatever its codes.
        QCOMPARE(run(db, cliches::consultationStatement("CLICHENRO")),
                 QStringList({"C-1", "C-3", "C-4", "C-5", "C-6"}));
    }

    void clicheRanges() {
        test::addCliche(*inst, "A1", {{"CORTANTENRO", "b-7"}, {"FICHASETUP", 5}, {"CLINRO", 2}});
        test::addCliche(*inst, "a2", {{"CORTANTENRO", "B-9"}, {"FICHASETUP", 10}});
        test::addCliche(*inst, "B1", {{"CORTANTENRO", "C-1"}, {"FORNECEDOR", 6}, {"MODELO", 3}});
        cliches::SearchCriteria c;
        c.clicheFrom = "a";
        c.clicheTo = "a9"; // without regard to case
        QCOMPARE(cliches(c), QStringList({"A1", "a2"}));
        c = {};
        c.dieFrom = "B";
        c.dieTo = "b-8";
        QCOMPARE(cliches(c), QStringList({"A1"}));
        c = {};
        c.setupFrom = 5;
        c.setupTo = 5;
        QCOMPARE(cliches(c), QStringList({"A1"}));
        c = {};
        c.clientFrom = 2;
        QCOMPARE(cliches(c), QStringList({"A1"}));
        c = {};
        c.supplierTo = 5;
        QCOMPARE(cliches(c), QStringList({"A1", "a2"}));
        c = {};
        c.modelFrom = 3;
        c.modelTo = 3;
        QCOMPARE(cliches(c), QStringList({"B1"}));
        c = {};
        c.machineFrom = 3;
        QVERIFY(cliches(c).isEmpty());
    }

    void clichePatterns() {
        test::addCliche(*inst, "P1", {{"SIGLACLI", "ABC"}, {"REFER_FORN", "x'y"}});
        test::addCliche(*inst, "P2", {{"SIGLACLI", "abcd"}, {"FORNSIGLA", "a\\b"}});
        test::addCliche(*inst, "P3", {{"SIGLACLI", "XABC"}, {"FORNSIGLA", "A_B"}});
        cliches::SearchCriteria c;
        c.clientPattern = "ab%";
        QCOMPARE(cliches(c), QStringList({"P1", "P2"}));
        c.clientPattern = "abc";
        QCOMPARE(cliches(c), QStringList({"P1"}));
        c = {};
        c.supplierPattern = "a\\b";
        QCOMPARE(cliches(c), QStringList({"P2"}));
        c.supplierPattern = "a\\";
        QCOMPARE(cliches(c), QStringList());
        c.supplierPattern = "A_B";
        QCOMPARE(cliches(c), QStringList({"P2", "P3"})); // "_" is any one character
        c = {};
        c.supplierRefPattern = "%'%";
        QCOMPARE(cliches(c), QStringList({"P1"}));
        c = {};
        c.modelPattern = "fefco 0201";
        c.machinePattern = "FLEXO 4%";
        QCOMPARE(cliches(c), QStringList({"P1", "P2", "P3"}));
        c.machinePattern = "Rot%";
        QCOMPARE(cliches(c), QStringList());
    }

    void clicheSorts_data() {
        QTest::addColumn<int>("sort");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("Cliché") << int(cliches::SearchSort::Cliche)
                                << QStringList({"K1", "K2", "K3", "K4"});
        QTest::newRow("Cortante") << int(cliches::SearchSort::Die)
                                  << QStringList({"K3", "K1", "K4", "K2"});
        QTest::newRow("Setup") << int(cliches::SearchSort::Setup)
                               << QStringList({"K2", "K4", "K1", "K3"});
        QTest::newRow("Produto") << int(cliches::SearchSort::Product)
                                 << QStringList({"K2", "K4", "K1", "K3"});
        QTest::newRow("Cliente") << int(cliches::SearchSort::Client)
                                 << QStringList({"K1", "K3", "K2", "K4"});
        QTest::newRow("Fornecedor")
            << int(cliches::SearchSort::Supplier) << QStringList({"K2", "K3", "K4", "K1"});
    }

    void clicheSorts() {
        QFETCH(int, sort);
        QFETCH(QStringList, expected);
        // Equal values list by number (K1 before K3 for the client "AA", ...).
        test::addCliche(*inst, "K4",
                        {{"CORTANTENRO", "D2"},
                         {"FICHASETUP", 1},
                         {"PRODNRO", "B"},
                         {"SIGLACLI", "bb"},
                         {"FORNSIGLA", "F1"}});
        test::addCliche(*inst, "K3",
                        {{"CORTANTENRO", "D0"},
                         {"FICHASETUP", 9},
                         {"PRODNRO", "c"},
                         {"SIGLACLI", "AA"},
                         {"FORNSIGLA", "f1"}});
        test::addCliche(*inst, "K2",
                        {{"CORTANTENRO", "D3"},
                         {"FICHASETUP", 1},
                         {"PRODNRO", "a"},
                         {"SIGLACLI", "BB"},
                         {"FORNSIGLA", "E"}});
        test::addCliche(*inst, "K1",
                        {{"CORTANTENRO", "D1"},
                         {"FICHASETUP", 3},
                         {"PRODNRO", "C"},
                         {"SIGLACLI", "aa"},
                         {"FORNSIGLA", "G"}});
        cliches::SearchCriteria c;
        c.sort = cliches::SearchSort(sort);
        QCOMPARE(cliches(c), expected);
    }

    void consultationSorts() {
        test::addCliche(*inst, "S2", {{"SIGLACLI", "X"}});
        test::addCliche(*inst, "S1", {{"SIGLACLI", "x"}});
        test::addCliche(*inst, "S0", {{"SIGLACLI", "Y"}, {"UTILIZA", "N"}});
        QCOMPARE(run(db, cliches::consultationStatement("SIGLACLI")), QStringList({"S1", "S2"}));
        test::addDrawing(*inst, "D2", {{"REFERENCIA", "r"}});
        test::addDrawing(*inst, "D1", {{"REFERENCIA", "R"}});
        test::addDrawing(*inst, "D0", {{"UTILIZA", "N"}});
        QCOMPARE(run(db, drawings::consultationStatement("REFERENCIA")), QStringList({"D1", "D2"}));
    }

    void drawingDefaults() {
        test::addDrawing(*inst, "D-3");
        test::addDrawing(*inst, "D-1");
        test::addDrawing(*inst, "D-2", {{"UTILIZA", "N"}});
        test::addDrawing(*inst, "D-4", {{"DESENHADOR", 0}}); // no designer 0
        test::addDrawing(*inst, "D-5", {{"CARTAO", 50}});
        test::addDrawing(*inst, "D-6", {{"MAQUINA", 60}});
        test::addDrawing(*inst, "D-7", {{"VNDNOME", QVariant(QMetaType(QMetaType::QString))}});
        QCOMPARE(drawings({}), QStringList({"D-1", "D-3", "D-7"}));
        QCOMPARE(run(db, drawings::consultationStatement("DESENHONRO")),
                 QStringList({"D-1", "D-3", "D-4", "D-5", "D-6", "D-7"}));
    }

    void drawingRanges() {
        test::addDrawing(*inst, "100", {{"LARG_PLACA", 700}, {"CLIENTE", 2}, {"VNDNRO", 3}});
        test::addDrawing(*inst, "99", {{"COMP_PLACA", 900}, {"DESENHADOR", 4}, {"CARTAO", 2}});
        test::addDrawing(*inst, "A5", {{"LARGURA", 10}, {"COMPRIM", 20}, {"ALTURA", 30}});
        drawings::SearchCriteria c;
        c.drawingFrom = "1";
        c.drawingTo = "99"; // as text: "100" lies between
        QCOMPARE(drawings(c), QStringList({"100", "99"}));
        c = {};
        c.boardWidthFrom = 700;
        c.boardWidthTo = 700;
        QCOMPARE(drawings(c), QStringList({"100"}));
        c = {};
        c.boardLengthTo = 900;
        QCOMPARE(drawings(c), QStringList({"99"}));
        c = {};
        c.widthTo = 10;
        c.lengthTo = 20;
        c.heightFrom = 30;
        c.heightTo = 30;
        QCOMPARE(drawings(c), QStringList({"A5"}));
        c = {};
        c.clientFrom = 2;
        c.salesmanFrom = 3;
        QCOMPARE(drawings(c), QStringList({"100"}));
        c = {};
        c.designerFrom = 4;
        c.boardFrom = 2;
        c.boardTo = 2;
        QCOMPARE(drawings(c), QStringList({"99"}));
        c = {};
        c.machineFrom = 3;
        c.supplierFrom = 6;
        QVERIFY(drawings(c).isEmpty());
        c = {};
        c.dieFrom = "ct-a";
        c.dieTo = "CT-A9";
        QCOMPARE(drawings(c), QStringList({"A5"}));
    }

    void drawingPatternsAndChoices() {
        test::addDrawing(*inst, "E1",
                         {{"REFERENCIA", "Caixa ABC"},
                          {"SIGLACLI", "ABCD"},
                          {"DIR_CANAL", "H"},
                          {"VISTA", "I"},
                          {"DESENHADOR", 1}});
        test::addDrawing(*inst, "E2",
                         {{"SIGLAFORN", "ab\\"},
                          {"VNDNOME", "O'Neil"},
                          {"DIR_CANAL", "V"},
                          {"VISTA", "I"},
                          {"CARTAO", 4}});
        test::addDrawing(*inst, "E3",
                         {{"SIGLACLI", "abc"}, {"DIR_CANAL", "V"}, {"VISTA", "E"}, {"MAQUINA", 5}});
        drawings::SearchCriteria c;
        c.clientPattern = "AB%";
        QCOMPARE(drawings(c), QStringList({"E1", "E3"}));
        c.clientPattern = "ABC";
        QCOMPARE(drawings(c), QStringList({"E3"}));
        c = {};
        c.referencePattern = "%abc";
        QCOMPARE(drawings(c), QStringList({"E1"}));
        c = {};
        c.supplierPattern = "AB\\";
        QCOMPARE(drawings(c), QStringList({"E2"}));
        c.supplierPattern = "_b_";
        QCOMPARE(drawings(c), QStringList({"E2"}));
        c = {};
        c.salesmanPattern = "o'%";
        QCOMPARE(drawings(c), QStringList({"E2"}));
        c = {};
        c.boardPattern = "duplo%";
        QCOMPARE(drawings(c), QStringList({"E2"}));
        c = {};
        c.machinePattern = "platina bobst";
        QCOMPARE(drawings(c), QStringList({"E3"}));
        c = {};
        c.designerPattern = "ana%"; // the designer's name
        QCOMPARE(drawings(c), QStringList({"E1"}));
        c = {};
        c.direction = drawings::Direction::Vertical;
        QCOMPARE(drawings(c), QStringList({"E2", "E3"}));
        c.direction = drawings::Direction::Horizontal;
        QCOMPARE(drawings(c), QStringList({"E1"}));
        c = {};
        c.view = drawings::View::Interior;
        QCOMPARE(drawings(c), QStringList({"E1", "E2"}));
        c.view = drawings::View::Exterior;
        c.direction = drawings::Direction::Vertical;
        QCOMPARE(drawings(c), QStringList({"E3"}));
    }

    void drawingSorts_data() {
        QTest::addColumn<int>("sort");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("Desenho") << int(drawings::SearchSort::Drawing)
                                 << QStringList({"G1", "G2", "G3"});
        QTest::newRow("Cortante") << int(drawings::SearchSort::Die)
                                  << QStringList({"G2", "G3", "G1"});
        QTest::newRow("Referência")
            << int(drawings::SearchSort::Reference) << QStringList({"G1", "G3", "G2"});
        QTest::newRow("Cliente") << int(drawings::SearchSort::Client)
                                 << QStringList({"G3", "G1", "G2"});
        QTest::newRow("Fornecedor")
            << int(drawings::SearchSort::Supplier) << QStringList({"G1", "G2", "G3"});
    }

    void drawingSorts() {
        QFETCH(int, sort);
        QFETCH(QStringList, expected);
        test::addDrawing(
            *inst, "G3",
            {{"CORTANTENRO", "c2"}, {"REFERENCIA", "m"}, {"SIGLACLI", "A"}, {"SIGLAFORN", "s"}});
        test::addDrawing(
            *inst, "G1",
            {{"CORTANTENRO", "C3"}, {"REFERENCIA", "M"}, {"SIGLACLI", "b"}, {"SIGLAFORN", "S"}});
        test::addDrawing(
            *inst, "G2",
            {{"CORTANTENRO", "C1"}, {"REFERENCIA", "z"}, {"SIGLACLI", "B"}, {"SIGLAFORN", "S"}});
        drawings::SearchCriteria c;
        c.sort = drawings::SearchSort(sort);
        QCOMPARE(drawings(c), expected);
    }

    void defaultsFindEveryNumber_data() {
        QTest::addColumn<bool>("cliche");
        QTest::newRow("clichés") << true;
        QTest::newRow("drawings") << false;
    }

    void defaultsFindEveryNumber() {
        // Numbers and die numbers that sort after "ZZZ..." without regard to case (and after
        // it byte by byte), and codes and measures above the upper defaults of the boxes.
        QFETCH(bool, cliche);
        const QStringList numbers = {"A-1", "Ç-1", "É2", "_X", "~9"};
        for (int i = 0; i < numbers.size(); ++i) {
            const QString& n = numbers[i];
            if (cliche)
                test::addCliche(*inst, n, {{"CORTANTENRO", n}, {"FICHASETUP", 150000 * i}});
            else
                test::addDrawing(*inst, n,
                                 {{"CORTANTENRO", n},
                                  {"VNDNRO", 150000 * i},
                                  {"LARGURA", 12000 * (i % 2)},
                                  {"COMP_PLACA", 12000 * (i % 2)}});
        }
        QStringList found = cliche ? cliches({}) : drawings({});
        found.sort();
        QStringList all = numbers;
        all.sort();
        QCOMPARE(found, all);
    }

    void boundsAboveTheirDefaults() {
        test::addCliche(*inst, "S-1", {{"FICHASETUP", 99999}});
        test::addCliche(*inst, "S-2", {{"FICHASETUP", 150000}});
        cliches::SearchCriteria c;
        c.setupFrom = c.setupTo = 150000;
        QCOMPARE(cliches(c), QStringList({"S-2"}));
        c = {};
        c.setupFrom = 100000; // up to the default upper bound: no upper limit
        QCOMPARE(cliches(c), QStringList({"S-2"}));
        test::addDrawing(*inst, "D-1", {{"VNDNRO", 150000}, {"ALTURA", 12000}});
        test::addDrawing(*inst, "D-2", {{"VNDNRO", 5}, {"ALTURA", 9999}});
        drawings::SearchCriteria d;
        d.salesmanFrom = d.salesmanTo = 150000;
        QCOMPARE(drawings(d), QStringList({"D-1"}));
        d = {};
        d.heightFrom = 10000;
        d.heightTo = 12000;
        QCOMPARE(drawings(d), QStringList({"D-1"}));
    }

    void generatedRegisterHoldsWhatSearchesLeaveOut() {
        // The generator writes clichés and drawings whose codes their tables lack: the pickers'
        // searches leave them out, the consultation lists them.
        RegisterSize size = test::smallRegister(120);
        size.images = false;
        size.documents = false;
        QVERIFY(inst->exec("fact", "DELETE FROM CLIENTES"));
        QVERIFY(inst->exec("fact", "DELETE FROM FORNECEDORES"));
        QString error;
        QVERIFY2(generateRegister(inst->settings(), size, &error), qPrintable(error));
        const auto count = [this](const QString& sql) { return run(db, sql).size(); };
        const int validCliches = count("SELECT CLICHENRO FROM CLICHES WHERE UTILIZA = 'S'");
        const int allCliches = count("SELECT CLICHENRO FROM CLICHES");
        QCOMPARE(run(db, cliches::consultationStatement("CLICHENRO")).size(), validCliches);
        QVERIFY(cliches({}).size() < validCliches);
        QVERIFY(cliches({}).size() > 0);
        QVERIFY(validCliches <= allCliches);
        const int validDrawings = count("SELECT DESENHONRO FROM DESENHOS WHERE UTILIZA = 'S'");
        QCOMPARE(run(db, drawings::consultationStatement("DESENHONRO")).size(), validDrawings);
        QVERIFY(drawings({}).size() < validDrawings);
        QVERIFY(drawings({}).size() > 0);
        // Some are not valid.
        QVERIFY(count("SELECT CLICHENRO FROM CLICHES WHERE UTILIZA = 'N'") +
                    count("SELECT DESENHONRO FROM DESENHOS WHERE UTILIZA = 'N'") >
                0);
    }

    void narrowedBoundsUseTheirIndex_data() {
        QTest::addColumn<bool>("cliche");
        QTest::addColumn<QString>("narrowed");
        QTest::addColumn<QString>("index");
        QTest::newRow("cliché client") << true << "client"
                                       << "IX_CLICHES_CLINRO";
        QTest::newRow("cliché die") << true << "die"
                                    << "IX_CLICHES_CORTANTENRO";
        QTest::newRow("drawing client") << false << "client"
                                        << "IX_DESENHOS_CLIENTE";
        QTest::newRow("board size") << false << "board"
                                    << "IX_DESENHOS_PLACA";
    }

    void narrowedBoundsUseTheirIndex() {
        // A search narrowed to one client, die or board size reads through the column's index,
        // whatever the other ranges left at their defaults.
        QFETCH(bool, cliche);
        QFETCH(QString, narrowed);
        QFETCH(QString, index);
        SearchStatement st;
        if (cliche) {
            cliches::SearchCriteria c;
            if (narrowed == "client")
                c.clientFrom = c.clientTo = 7;
            else
                c.dieFrom = c.dieTo = "CT-7";
            st = cliches::searchStatement(c, dialect);
        } else {
            drawings::SearchCriteria c;
            if (narrowed == "client") {
                c.clientFrom = c.clientTo = 7;
            } else {
                c.boardWidthFrom = c.boardWidthTo = 700;
                c.boardLengthFrom = c.boardLengthTo = 1100;
            }
            st = drawings::searchStatement(c, dialect);
        }
        QSqlQuery q(db);
        if (dialect.isPostgres()) {
            // The plan of the statement with its values, on a register large enough for the
            // planner to weigh the indexes.
            QVERIFY(inst->exec(
                "main", "INSERT INTO CLICHES (CLICHENRO, CLINRO, CORTANTENRO, FICHASETUP, "
                        "FORNECEDOR, MODELO, MAQUINA, UTILIZA) SELECT 'N' || i, i % 500, 'CT-' || "
                        "i, 0, 5, 1, 2, 'S' FROM generate_series(1, 20000) i"));
            QVERIFY(inst->exec(
                "main", "INSERT INTO DESENHOS (DESENHONRO, CLIENTE, CORTANTENRO, LARG_PLACA, "
                        "COMP_PLACA, DESENHADOR, CARTAO, FORNECEDOR, VNDNRO, MAQUINA, LARGURA, "
                        "COMPRIM, ALTURA, UTILIZA) SELECT 'N' || i, i % 500, 'CT-' || i, i % 900, "
                        "i % 1300, 1, 1, 5, 0, 2, 100, 100, 100, 'S' FROM generate_series(1, "
                        "20000) i"));
            QVERIFY(q.exec("ANALYZE"));
            QVERIFY(q.exec("SET enable_seqscan = off"));
            QString sql = st.sql;
            std::sort(st.binds.begin(), st.binds.end(),
                      [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });
            for (const auto& [name, value] : st.binds)
                sql.replace(name, value.typeId() == QMetaType::QString
                                      ? "'" + value.toString() + "'"
                                      : value.toString());
            FALQ_VERIFY_SQL(q, q.exec("EXPLAIN " + sql));
        } else {
            QVERIFY(q.prepare("EXPLAIN QUERY PLAN " + st.sql));
            for (const auto& [name, value] : st.binds)
                q.bindValue(name, value);
            FALQ_VERIFY_SQL(q, q.exec());
        }
        QString plan;
        while (q.next())
            for (int i = 0; i < q.record().count(); ++i)
                plan += q.value(i).toString() + ' ';
        if (dialect.isPostgres())
            QVERIFY(q.exec("SET enable_seqscan = on"));
        QVERIFY2(plan.contains(index, Qt::CaseInsensitive), qPrintable(plan));
    }

    void textBoundsOrder_data() {
        QTest::addColumn<QString>("low");
        QTest::addColumn<QString>("high");
        QTest::addColumn<bool>("inverted");
        QTest::newRow("B to A") << "B"
                                << "A" << true;
        QTest::newRow("b to A") << "b"
                                << "A" << true;
        QTest::newRow("A to b") << "A"
                                << "b" << false;
        QTest::newRow("a to A") << "a"
                                << "A" << false;
        QTest::newRow("100 to 99") << "100"
                                   << "99" << false;
        QTest::newRow("99 to 100") << "99"
                                   << "100" << true;
        QTest::newRow("empty to Z") << ""
                                    << "ZZZ" << false;
        QTest::newRow("backslash") << "a\\"
                                   << "a" << true;
    }

    void textBoundsOrder() {
        QFETCH(QString, low);
        QFETCH(QString, high);
        QFETCH(bool, inverted);
        bool answer = !inverted;
        QString error;
        QVERIFY2(textBoundsInverted(db, low, high, &answer, &error), qPrintable(error));
        QCOMPARE(answer, inverted);
    }
};

QTEST_MAIN(SearchBuilders)
#include "tst_search_builders.moc"
