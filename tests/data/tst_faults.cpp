// The data layer under faults: a delete or a change that would discard another workstation's
// change (also one of case only), a server connection that dies under cached changes, and the
// statements that go with a dataset's changes in its transaction.
#include "connections.h"
#include "dataset.h"
#include "liveconnection.h"
#include "testsupport.h"
#include "unitDtFalquinas.h"
#include "workstation.h"

#include <QSqlError>
#include <QSqlQuery>

using namespace falq;
using falq::test::Workstation;

namespace {
void fillCards(test::Installation& inst, int count) {
    QVERIFY(inst.exec("main", "DELETE FROM CARTOES"));
    for (int i = 1; i <= count; ++i)
        QVERIFY(inst.exec("main", "INSERT INTO CARTOES (CODIGO, DESIGNACAO) VALUES (?, ?)",
                          {i, QStringLiteral("abc %1").arg(i)}));
}

int count(test::Installation& inst, const QString& sql, const QVariantList& binds = {}) {
    return inst.scalar(QStringLiteral("main"), sql, binds).toInt();
}

// `count` cards (fillCards) on a fresh installation and workstation "wsA"'s cards.
struct CardsOn : test::DatasetOn {
    explicit CardsOn(int count) : DatasetOn(ds::CARTOES, nullptr, QStringLiteral("wsA")) {
        if (d)
            fillCards(inst, count);
    }
    // Ends the server process of the workstation's connection, as a server restart does.
    bool endBackend() {
        QSqlQuery pid(QSqlDatabase::database(QStringLiteral("wsA"), false));
        return pid.exec("SELECT pg_backend_pid()") && pid.next() &&
               inst.exec("main", "SELECT pg_terminate_backend(?)", {pid.value(0)});
    }
};
} // namespace

class TestFaults : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }
    void deleteNeverDiscardsAnotherChange();
    void changeOfCaseIsAChange();
    void workSurvivesAServerRestart();
    void stepGoesWithTheRows();
    void stepRunsAgainOnANewAttempt();
};

void TestFaults::deleteNeverDiscardsAnotherChange() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    fillCards(inst, 20);
    Workstation a(inst, "wsA");
    test::ScriptedHandler handler; // answers Abort
    Workstation b(inst, "wsB", &handler);
    QVERIFY(a(ds::CARTOES)->open());
    QVERIFY(b(ds::CARTOES)->open());
    int lost = 0;
    for (int i = 1; i <= 20; ++i) {
        Dataset* da = a(ds::CARTOES);
        Dataset* db = b(ds::CARTOES);
        QVERIFY(da->locate({"CODIGO"}, {i}));
        QVERIFY(da->setFieldValue("DESIGNACAO", QStringLiteral("mudada %1").arg(i)));
        QVERIFY(da->applyUpdates().ok);
        QVERIFY(db->locate({"CODIGO"}, {i})); // read before A's change
        db->deleteCurrent();
        const ApplyResult r = db->applyUpdates();
        QVERIFY(!r.ok);
        QVERIFY(r.aborted); // the write-error window decided
        QCOMPARE(handler.errors.last().kind, UpdateKind::Deleted);
        db->cancelUpdates();
        lost += count(inst, "SELECT COUNT(*) FROM CARTOES WHERE CODIGO = ?", {i}) == 0;
    }
    QCOMPARE(lost, 0);
    // A row nobody changed is deleted as before, also when a column holds NULL.
    QVERIFY(inst.exec("main", "UPDATE CARTOES SET DESIGNACAO = NULL WHERE CODIGO = 3"));
    Dataset* db = b(ds::CARTOES);
    QVERIFY(db->reopen());
    QVERIFY(db->locate({"CODIGO"}, {3}));
    db->deleteCurrent();
    QVERIFY(db->applyUpdates().ok);
    QCOMPARE(count(inst, "SELECT COUNT(*) FROM CARTOES WHERE CODIGO = 3"), 0);
}

void TestFaults::changeOfCaseIsAChange() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    fillCards(inst, 2);
    Workstation a(inst, "wsA");
    Workstation b(inst, "wsB");
    Dataset* da = a(ds::CARTOES);
    Dataset* db = b(ds::CARTOES);
    QVERIFY(da->open());
    QVERIFY(db->open());
    // A writes "ABC 1" over "abc 1"; B, which read "abc 1", is refused.
    QVERIFY(da->setValue(0, "DESIGNACAO", "ABC 1"));
    QVERIFY(da->applyUpdates().ok);
    QVERIFY(db->setValue(0, "DESIGNACAO", "xyz"));
    ApplyResult r = db->applyUpdates();
    QVERIFY(!r.ok);
    QVERIFY(!r.error.isEmpty());
    QCOMPARE(inst.scalar("main", "SELECT DESIGNACAO FROM CARTOES WHERE CODIGO = 1").toString(),
             QStringLiteral("ABC 1"));
    // The same for a delete.
    QVERIFY(da->setValue(1, "DESIGNACAO", "Abc 2"));
    QVERIFY(da->applyUpdates().ok);
    db->cancelUpdates();
    QVERIFY(db->locate({"CODIGO"}, {2}));
    QCOMPARE(db->fieldValue("DESIGNACAO").toString(), QStringLiteral("Abc 2")); // read anew
    QVERIFY(da->setValue(1, "DESIGNACAO", "ABC 2"));
    QVERIFY(da->applyUpdates().ok);
    db->deleteCurrent();
    QVERIFY(!db->applyUpdates().ok);
    QCOMPARE(count(inst, "SELECT COUNT(*) FROM CARTOES WHERE CODIGO = 2"), 1);
    // Keys and searches still ignore case.
    QVERIFY(db->locate({"DESIGNACAO"}, {"abc 1"}));
}

void TestFaults::workSurvivesAServerRestart() {
    if (!test::usePostgres())
        QSKIP("a server connection: PostgreSQL only");
    CardsOn t(3);
    QVERIFY(t.open());
    QSqlDatabase conn = QSqlDatabase::database("wsA");
    Dataset* cards = t.d;
    Dataset* moves = (*t.ws)(ds::MOVIMENTOS);
    QVERIFY(moves->open());
    auto terminate = [&t] { QVERIFY(t.endBackend()); };
    auto cacheWork = [&](const QString& text) {
        QVERIFY(cards->setValue(0, "DESIGNACAO", text));
        moves->append();
        moves->setFieldValue("CLICHENRO", text);
        moves->setFieldValue("DESENHONRO", "");
        moves->setFieldValue("NROUTIL", 1);
        moves->setFieldValue("DATA", QDateTime(QDate(2026, 12, 7), QTime(0, 0)));
        moves->post();
    };

    // The backend ends under cached changes: reconnected, written once.
    cacheWork("restart");
    terminate();
    QVERIFY2(cards->applyUpdates().ok, qPrintable(cards->lastError()));
    const ApplyResult written = moves->applyUpdates();
    QVERIFY2(written.ok, qPrintable(written.error));
    QCOMPARE(count(t.inst, "SELECT COUNT(*) FROM MOVIMENTOS WHERE CLICHENRO = 'restart'"), 1);
    QCOMPARE(t.inst.scalar("main", "SELECT DESIGNACAO FROM CARTOES WHERE CODIGO = 1").toString(),
             QStringLiteral("restart"));
    QVERIFY(moves->value(moves->rowCount() - 1, "NRO").toInt() > 0);

    // Reads reconnect too.
    terminate();
    QVERIFY2(cards->locate({"CODIGO"}, {3}), qPrintable(cards->lastError()));
    QCOMPARE(cards->fieldValue("DESIGNACAO").toString(), QStringLiteral("abc 3"));

    // The server does not answer: a message with the reason, nothing written, nothing lost.
    cacheWork("down");
    const QString host = conn.hostName();
    conn.setHostName(QStringLiteral("/nonexistent-socket-folder"));
    terminate();
    ApplyResult r = moves->applyUpdates();
    QVERIFY(!r.ok);
    QVERIFY(r.connectionLost);
    QVERIFY2(r.error.startsWith("Sem ligação ao servidor de base de dados: ") &&
                 r.error.size() > 45,
             qPrintable(r.error));
    QCOMPARE(moves->pendingCount(), 1);
    QCOMPARE(cards->pendingCount(), 1);
    r = cards->applyUpdates();
    QVERIFY(!r.ok && !r.error.isEmpty());
    // Reads say so too, and keep the rows shown.
    QVERIFY(!cards->locate({"CODIGO"}, {2}) || cards->fieldValue("CODIGO").toInt() == 2);
    // Back: both applies go through, once.
    conn.setHostName(host);
    QVERIFY(moves->applyUpdates().ok);
    QVERIFY(cards->applyUpdates().ok);
    QVERIFY(moves->applyUpdates().ok); // nothing left: nothing written again
    QCOMPARE(count(t.inst, "SELECT COUNT(*) FROM MOVIMENTOS WHERE CLICHENRO = 'down'"), 1);
    QCOMPARE(t.inst.scalar("main", "SELECT DESIGNACAO FROM CARTOES WHERE CODIGO = 1").toString(),
             QStringLiteral("down"));

    // A statement read from the start goes on the reading connection kept from the read before;
    // when that one's server process has ended meanwhile, on a new one.
    cards->close();
    cards->setStatement("SELECT DESIGNACAO, COUNT(*) AS N FROM CARTOES GROUP BY DESIGNACAO");
    QVERIFY2(cards->open(), qPrintable(cards->lastError()));
    QCOMPARE(cards->rowCount(), 3);
    cards->close();
    QStringList kept;
    for (const QString& name : QSqlDatabase::connectionNames())
        if (name.startsWith(QLatin1String("wsA~reading~")))
            kept << name;
    QCOMPARE(kept.size(), 1);
    QSqlQuery pid(QSqlDatabase::database(kept[0], false));
    QVERIFY(pid.exec("SELECT pg_backend_pid()") && pid.next());
    QVERIFY(t.inst.exec("main", "SELECT pg_terminate_backend(?)", {pid.value(0)}));
    pid.finish();
    QVERIFY2(cards->open(), qPrintable(cards->lastError()));
    QCOMPARE(cards->rowCount(), 3);
}

void TestFaults::stepGoesWithTheRows() {
    CardsOn t(2);
    QVERIFY(t.open());
    Dataset* cards = t.d;
    // A step that fails takes the rows back with it: nothing written, the change still cached.
    QVERIFY(cards->setValue(0, "DESIGNACAO", "com passo"));
    auto insert = [](QSqlDatabase& db, const char* sql, QString* error) {
        QSqlQuery q(db);
        if (q.exec(QString::fromLatin1(sql)))
            return true;
        *error = q.lastError().text();
        return false;
    };
    ApplyResult r = cards->applyUpdates([&](QSqlDatabase& db, QString* error) {
        return insert(db, "INSERT INTO CARTOES (CODIGO, DESIGNACAO) VALUES (98, 'passo')", error) &&
               insert(db, "INSERT INTO CARTOES (CODIGO, DESIGNACAO) VALUES (98, 'outra vez')",
                      error);
    });
    QVERIFY(!r.ok);
    QVERIFY(!r.error.isEmpty());
    QCOMPARE(cards->pendingCount(), 1);
    QCOMPARE(count(t.inst, "SELECT COUNT(*) FROM CARTOES WHERE CODIGO = 98"), 0);
    QCOMPARE(t.inst.scalar("main", "SELECT DESIGNACAO FROM CARTOES WHERE CODIGO = 1").toString(),
             QStringLiteral("abc 1"));
    // A step that succeeds is written with the rows.
    r = cards->applyUpdates([&](QSqlDatabase& db, QString* error) {
        return insert(db, "INSERT INTO CARTOES (CODIGO, DESIGNACAO) VALUES (98, 'passo')", error);
    });
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(count(t.inst, "SELECT COUNT(*) FROM CARTOES WHERE CODIGO = 98"), 1);
    QCOMPARE(t.inst.scalar("main", "SELECT DESIGNACAO FROM CARTOES WHERE CODIGO = 1").toString(),
             QStringLiteral("com passo"));
}

void TestFaults::stepRunsAgainOnANewAttempt() {
    if (!test::usePostgres())
        QSKIP("a server connection: PostgreSQL only");
    CardsOn t(2);
    QVERIFY(t.open());
    Dataset* cards = t.d;
    QVERIFY(cards->setValue(0, "DESIGNACAO", "nova tentativa"));
    // The first run of the step loses the connection: the transaction dies with it, and the
    // new attempt writes the rows and runs the step again, once.
    int runs = 0;
    const ApplyResult r = cards->applyUpdates([&](QSqlDatabase& db, QString* error) {
        if (++runs == 1 && !t.endBackend())
            return false;
        QSqlQuery q(db);
        if (q.exec("INSERT INTO CARTOES (CODIGO, DESIGNACAO) VALUES (97, 'passo')"))
            return true;
        *error = q.lastError().text();
        return false;
    });
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(runs, 2);
    QCOMPARE(count(t.inst, "SELECT COUNT(*) FROM CARTOES WHERE CODIGO = 97"), 1);
    QCOMPARE(t.inst.scalar("main", "SELECT DESIGNACAO FROM CARTOES WHERE CODIGO = 1").toString(),
             QStringLiteral("nova tentativa"));
    QCOMPARE(cards->pendingCount(), 0);
}

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
