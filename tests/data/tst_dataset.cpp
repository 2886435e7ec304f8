// The cached dataset: apply in one transaction, write errors (retry, ignore, abort), the
// server-message mode of movements, conflicts between workstations, and the write-error
// window itself.
#include "ErrForm.h"
#include "UnitDTEmpr.h"
#include "connections.h"
#include "dataset.h"
#include "testsupport.h"
#include "unitDtFalquinas.h"
#include "workstation.h"

#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTimer>

using namespace falq;
using falq::test::Workstation;

namespace {
int count(test::Installation& inst, const QString& sql, const QVariantList& binds = {}) {
    return inst.scalar(QStringLiteral("main"), sql, binds).toInt();
}
} // namespace

class TestDataset : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }
    void sharedDatasetsPresentTheirColumns();
    void applyWritesEverythingInOneTransaction();
    void retryWithEditedValue();
    void ignoreAppliesTheRest();
    void abortLeavesDatabaseAndCache();
    void secondWorkstationSeesTheConflict();
    void deleteOfVanishedRowIsAnError();
    void movementErrorShowsServerMessage();
    void movementInsertGetsItsNumber();
    void userAndArticleErrorsShowServerMessage();
    void errorWindowRetriesWithEdits();
    void errorWindowAborts();
    void locateLoadsFurtherRows();
    void cancelUpdatesRestoresTheRows();
};

void TestDataset::sharedDatasetsPresentTheirColumns() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    inst.open(QStringLiteral("main"), kDbFalquinas);
    std::unique_ptr<DataModule> module(createDtFalquinas(nullptr));
    Dataset* cliches = module->dataset(ds::CLICHES);
    QCOMPARE(cliches->statement(), QStringLiteral("SELECT * FROM CLICHES Order BY CLICHENRO"));
    QVERIFY(!cliches->isOpen());
    QVERIFY(inst.exec("main",
                      "INSERT INTO CLICHES (CLICHENRO, UTILIZA) VALUES ('2', 'S'), ('1', 'N')"));
    QVERIFY(cliches->open());
    const QStringList titles = {"Cliché (F1)",   "Cortante  (F2)",   "Cliente  (F3)",
                                "Prod.Nº  (F4)", "Referência  (F5)", "Fornecedor  (F6)"};
    for (int c = 0; c < titles.size(); ++c)
        QCOMPARE(cliches->headerData(c, Qt::Horizontal).toString(), titles[c]);
    QVERIFY(cliches->isColumnPresented(5));
    QVERIFY(!cliches->isColumnPresented(6));
    QCOMPARE(cliches->value(0, "CLICHENRO").toString(), QStringLiteral("1"));
    // UTILIZA is a check box storing "S"/"N".
    const int utiliza = [&] {
        for (int c = 0; c < cliches->columnCount(); ++c)
            if (cliches->headerData(c, Qt::Horizontal).toString() == QLatin1String("UTILIZA"))
                return c;
        return -1;
    }();
    QVERIFY(utiliza >= 0);
    QCOMPARE(cliches->data(cliches->index(0, utiliza), Qt::CheckStateRole).toInt(),
             int(Qt::Unchecked));
    QVERIFY(cliches->setData(cliches->index(0, utiliza), Qt::Checked, Qt::CheckStateRole));
    QCOMPARE(cliches->value(0, "UTILIZA").toString(), QStringLiteral("S"));
    cliches->close();

    Dataset* drawings = module->dataset(ds::DESENHOS);
    QVERIFY(inst.exec("main", "INSERT INTO DESENHOS (DESENHONRO, DATA) VALUES ('D1', ?)",
                      {SqlDialect::forDatabase(inst.open("main")).bindDate(QDate(2024, 2, 9))}));
    QVERIFY(drawings->open());
    QCOMPARE(drawings->headerData(6, Qt::Horizontal).toString(), QStringLiteral("VNDNOME"));
    QVERIFY(drawings->isColumnPresented(10));
    QVERIFY(!drawings->isColumnPresented(11));
    const int dataCol = [&] {
        for (int c = 0; c < drawings->columnCount(); ++c)
            if (drawings->headerData(c, Qt::Horizontal).toString() == QLatin1String("DATA"))
                return c;
        return -1;
    }();
    QCOMPARE(drawings->data(drawings->index(0, dataCol)).toString(), QStringLiteral("09/02/2024"));
    QCOMPARE(module->dataset(ds::MOVIMENTOS)->errorMode(), Dataset::ErrorMode::ServerMessage);
    QCOMPARE(module->dataset(ds::CORES)->errorMode(), Dataset::ErrorMode::Dialog);
    closeConnection(kDbFalquinas);
}

void TestDataset::applyWritesEverythingInOneTransaction() {
    test::DatasetOn t(ds::MAQUINAS);
    QVERIFY(t.open());
    Dataset* d = t.d;
    QCOMPARE(d->rowCount(), 6);
    // Change row 1, delete row 2, insert row 7, change the key of row 3.
    QVERIFY(d->setValue(0, "DESIGNACAO", "Flexo 2 Cores Nova"));
    d->setCurrentRow(1);
    d->deleteCurrent();
    d->append();
    d->setFieldValue("CODIGO", 7);
    d->setFieldValue("DESIGNACAO", "Impressora Digital");
    d->post();
    d->setCurrentRow(1); // was row 3
    QCOMPARE(d->fieldValue("CODIGO").toInt(), 3);
    d->setFieldValue("CODIGO", 30);
    QCOMPARE(d->pendingCount(), 4);
    const ApplyResult r = d->applyUpdates();
    QVERIFY2(r.ok, qPrintable(r.error));
    QVERIFY(!d->hasPendingUpdates());
    QCOMPARE(count(t.inst, "SELECT COUNT(*) FROM MAQUINAS"), 6);
    QCOMPARE(t.inst.scalar("main", "SELECT DESIGNACAO FROM MAQUINAS WHERE CODIGO = 1").toString(),
             QStringLiteral("Flexo 2 Cores Nova"));
    QCOMPARE(count(t.inst, "SELECT COUNT(*) FROM MAQUINAS WHERE CODIGO IN (2, 3)"), 0);
    QCOMPARE(count(t.inst, "SELECT COUNT(*) FROM MAQUINAS WHERE CODIGO IN (7, 30)"), 2);

    // A failing row rolls back the rows before it in the same apply.
    QVERIFY(d->setValue(0, "DESIGNACAO", "Outra"));
    d->append();
    d->setFieldValue("CODIGO", 7);                // duplicate
    const ApplyResult failed = d->applyUpdates(); // no handler: abort
    QVERIFY(!failed.ok);
    QCOMPARE(t.inst.scalar("main", "SELECT DESIGNACAO FROM MAQUINAS WHERE CODIGO = 1").toString(),
             QStringLiteral("Flexo 2 Cores Nova"));
    QCOMPARE(d->pendingCount(), 2);
}

void TestDataset::retryWithEditedValue() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    test::ScriptedHandler handler;
    handler.actions = {UpdateAction::Retry};
    handler.edit = [](UpdateError& e) {
        const int i = e.fields.indexOf("CODIGO");
        e.newValues[i] = "9";
        e.edited[i] = true;
    };
    Workstation dws(inst, "ws1", &handler);
    Dataset* d = dws(ds::CARTOES);
    QVERIFY(d->open());
    d->append();
    d->setFieldValue("CODIGO", 1); // exists already
    d->setFieldValue("DESIGNACAO", "Triplo");
    const ApplyResult r = d->applyUpdates();
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(handler.errors.size(), 1);
    QCOMPARE(handler.errors[0].kind, UpdateKind::Inserted);
    QVERIFY(!handler.errors[0].message.isEmpty());
    QCOMPARE(inst.scalar("main", "SELECT DESIGNACAO FROM CARTOES WHERE CODIGO = 9").toString(),
             QStringLiteral("Triplo"));
    QCOMPARE(d->fieldValue("CODIGO").toInt(), 9);
    QVERIFY(!d->hasPendingUpdates());
}

void TestDataset::ignoreAppliesTheRest() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    test::ScriptedHandler handler;
    handler.actions = {UpdateAction::Skip};
    Workstation dws(inst, "ws1", &handler);
    Dataset* d = dws(ds::MODELOS);
    QVERIFY(d->open());
    d->append();
    d->setFieldValue("CODIGO", 2); // duplicate: ignored
    d->setFieldValue("DESIGNACAO", "Repetido");
    d->append();
    d->setFieldValue("CODIGO", 20);
    d->setFieldValue("DESIGNACAO", "Caixa Vinho");
    QVERIFY(d->setValue(0, "DESIGNACAO", "FEFCO 0201 Reforçada"));
    const ApplyResult r = d->applyUpdates();
    QVERIFY(r.ok);
    QCOMPARE(r.skipped, 1);
    QCOMPARE(inst.scalar("main", "SELECT DESIGNACAO FROM MODELOS WHERE CODIGO = 20").toString(),
             QStringLiteral("Caixa Vinho"));
    QCOMPARE(inst.scalar("main", "SELECT DESIGNACAO FROM MODELOS WHERE CODIGO = 1").toString(),
             QStringLiteral("FEFCO 0201 Reforçada"));
    QCOMPARE(inst.scalar("main", "SELECT DESIGNACAO FROM MODELOS WHERE CODIGO = 2").toString(),
             QStringLiteral("FEFCO 0203"));
    QCOMPARE(d->pendingCount(), 1); // the ignored row stays cached
}

void TestDataset::abortLeavesDatabaseAndCache() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QVERIFY(inst.exec(
        "main", "INSERT INTO CLICHES (CLICHENRO, REFERENCIA) VALUES ('100', 'A'), ('200', 'B')"));
    test::ScriptedHandler handler;
    handler.actions = {UpdateAction::Abort};
    Workstation dws(inst, "ws1", &handler);
    Dataset* d = dws(ds::CLICHES);
    QVERIFY(d->open());
    QVERIFY(d->setValue(0, "REFERENCIA", "A2"));
    d->setCurrentRow(1);
    d->deleteCurrent();
    d->append();
    d->setFieldValue("CLICHENRO", "100"); // duplicate key
    const ApplyResult r = d->applyUpdates();
    QVERIFY(r.aborted);
    QVERIFY(!r.ok);
    QCOMPARE(
        inst.scalar("main", "SELECT REFERENCIA FROM CLICHES WHERE CLICHENRO = '100'").toString(),
        QStringLiteral("A"));
    QCOMPARE(count(inst, "SELECT COUNT(*) FROM CLICHES"), 2);
    QCOMPARE(d->pendingCount(), 3);
    QCOMPARE(d->value(0, "REFERENCIA").toString(), QStringLiteral("A2"));
    // Mending the key and applying again writes all three.
    QVERIFY(d->setValue(1, "CLICHENRO", "300"));
    QVERIFY(d->applyUpdates().ok);
    QCOMPARE(count(inst, "SELECT COUNT(*) FROM CLICHES"), 2);
    QCOMPARE(count(inst, "SELECT COUNT(*) FROM CLICHES WHERE CLICHENRO IN ('100', '300')"), 2);
}

void TestDataset::secondWorkstationSeesTheConflict() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    test::ScriptedHandler h1;
    test::ScriptedHandler h2;
    h2.actions = {UpdateAction::Abort};
    Workstation aws(inst, "ws1", &h1);
    Dataset* a = aws(ds::DESENHADORES);
    Workstation bws(inst, "ws2", &h2);
    Dataset* b = bws(ds::DESENHADORES);
    QVERIFY(a->open());
    QVERIFY(b->open());
    QVERIFY(a->setValue(0, "NOME", "Ana F. Ferreira"));
    QVERIFY(b->setValue(0, "NOME", "Ana Ferreira Lopes"));
    QVERIFY(a->applyUpdates().ok);
    const ApplyResult r = b->applyUpdates();
    QVERIFY(!r.ok);
    QCOMPARE(h2.errors.size(), 1);
    QCOMPARE(h2.errors[0].kind, UpdateKind::Modified);
    QCOMPARE(inst.scalar("main", "SELECT NOME FROM DESENHADORES WHERE CODIGO = 1").toString(),
             QStringLiteral("Ana F. Ferreira"));
    // Changes of other fields of the same row do not collide.
    QVERIFY(a->setValue(1, "NOME", "Rui Matos Jr."));
    QVERIFY(a->applyUpdates().ok);
}

void TestDataset::deleteOfVanishedRowIsAnError() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    test::ScriptedHandler handler;
    handler.actions = {UpdateAction::Skip};
    Workstation dws(inst, "ws1", &handler);
    Dataset* d = dws(ds::CORES);
    QVERIFY(d->open());
    QVERIFY(inst.exec("main", "DELETE FROM CORES WHERE CODIGO = 1"));
    d->deleteCurrent();
    const ApplyResult r = d->applyUpdates();
    QCOMPARE(r.skipped, 1);
    QCOMPARE(handler.errors.size(), 1);
    QCOMPARE(handler.errors[0].kind, UpdateKind::Deleted);
}

void TestDataset::movementErrorShowsServerMessage() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    test::ScriptedHandler handler; // never asked in server-message mode
    Workstation dws(inst, "ws1", &handler);
    Dataset* d = dws(ds::MOVIMENTOS);
    QVERIFY(d->open());
    d->append();
    d->setFieldValue("CLICHENRO", "10001");
    d->setFieldValue("DESENHONRO", "");
    d->setFieldValue("TIPOREG", "CL");
    d->setFieldValue("DATA", QDateTime(QDate(2026, 3, 2), QTime(0, 0)));
    d->append();
    d->setFieldValue("CLICHENRO", "10002");
    d->setFieldValue("DESENHONRO", "");
    d->setFieldValue("TIPOREG", "CLX"); // too long for the column
    const ApplyResult r = d->applyUpdates();
    QVERIFY(!r.ok);
    QVERIFY(!r.error.isEmpty());
    QVERIFY(handler.errors.isEmpty());
    QCOMPARE(count(inst, "SELECT COUNT(*) FROM MOVIMENTOS"), 0);
    QCOMPARE(d->pendingCount(), 2);
}

void TestDataset::userAndArticleErrorsShowServerMessage() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    inst.open(QStringLiteral("main"), kDbFalquinas);
    inst.open(QStringLiteral("fact"), kDbFacturacao);
    test::ScriptedHandler handler; // the write-error window: never asked for these two
    QString error;
    std::unique_ptr<DataModule> empresas(createDtEmpresas(&handler, nullptr, &error));
    QVERIFY2(empresas, qPrintable(error));
    std::unique_ptr<DataModule> files(createDtFiles(nullptr));
    Dataset* users = empresas->dataset(ds::UTIL);
    QVERIFY(users->open());
    QVERIFY(users->locate({"NRO"}, {inst.settings().userCode}));
    users->edit();
    users->setFieldValue("PASSWOR", "SEIS-SETE-OITO-NOVE"); // longer than the column
    users->post();
    Dataset* articles = files->dataset(ds::ARTIGOSCLS);
    QVERIFY(articles->open());
    articles->append();
    articles->setFieldValue("CODIGO", "CLI-0000000000001"); // 17 characters, the key holds 16
    articles->post();
    for (Dataset* d : {users, articles}) {
        QCOMPARE(d->errorMode(), Dataset::ErrorMode::ServerMessage);
        const ApplyResult r = d->applyUpdates();
        QVERIFY(!r.ok);
        QVERIFY(!r.aborted);
        QVERIFY(!r.error.isEmpty());
        QCOMPARE(d->pendingCount(), 1);
    }
    QVERIFY(handler.errors.isEmpty());
    QCOMPARE(inst.scalar("main", "SELECT PASSWOR FROM UTILIZADORES").toString(),
             inst.settings().userPassword);
    QCOMPARE(inst.scalar("fact", "SELECT COUNT(*) FROM ARTIGOSCLS").toInt(), 0);
    users->close();
    articles->close();
    empresas.reset();
    files.reset();
    closeConnection(kDbFalquinas);
    closeConnection(kDbFacturacao);
}

void TestDataset::movementInsertGetsItsNumber() {
    test::DatasetOn t(ds::MOVIMENTOS);
    QVERIFY(t.open());
    Dataset* d = t.d;
    d->append();
    d->setFieldValue("DESENHONRO", "24-00001");
    d->setFieldValue("CLICHENRO", "");
    d->setFieldValue("TIPOREG", "DS");
    d->setFieldValue("NROUTIL", 2);
    d->setFieldValue("DATA", QDateTime(QDate(2026, 3, 2), QTime(0, 0)));
    QVERIFY(d->applyUpdates().ok);
    const int nro = d->fieldValue("NRO").toInt();
    QVERIFY(nro > 0);
    QCOMPARE(count(t.inst, "SELECT NROUTIL FROM MOVIMENTOS WHERE NRO = ?", {nro}), 2);
    // The number names the row of a later change.
    d->setFieldValue("NROUTIL", 3);
    QVERIFY(d->applyUpdates().ok);
    QCOMPARE(count(t.inst, "SELECT NROUTIL FROM MOVIMENTOS WHERE NRO = ?", {nro}), 3);
}

void TestDataset::errorWindowRetriesWithEdits() {
    TUpdateErrorForm form;
    test::DatasetOn t(ds::CARTOES, &form);
    QVERIFY(t.open());
    Dataset* d = t.d;
    d->append();
    d->setFieldValue("CODIGO", 1);
    d->setFieldValue("DESIGNACAO", "Duplicado");
    bool seen = false;
    QTimer::singleShot(0, &form, [&] {
        seen = true;
        auto* grid = form.findChild<QTableWidget*>("UpdateData");
        QCOMPARE(form.windowTitle(), QStringLiteral("Erro de actualização no Servidor"));
        QCOMPARE(form.findChild<QLabel*>("UpdateType")->text(), QStringLiteral("Inserted"));
        QCOMPARE(grid->horizontalHeaderItem(0)->text(), QStringLiteral("New Value"));
        QCOMPARE(grid->horizontalHeaderItem(1)->text(), QStringLiteral("Old Value"));
        QCOMPARE(grid->rowCount(), 2);
        QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("1"));
        grid->item(0, 0)->setText(QStringLiteral("12"));
        QVERIFY(grid->verticalHeaderItem(0)->text().startsWith('*'));
        form.findChild<QPushButton*>("RetryButton")->click();
    });
    const ApplyResult r = d->applyUpdates();
    QVERIFY(seen);
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(t.inst.scalar("main", "SELECT DESIGNACAO FROM CARTOES WHERE CODIGO = 12").toString(),
             QStringLiteral("Duplicado"));
}

void TestDataset::errorWindowAborts() {
    TUpdateErrorForm form;
    test::DatasetOn t(ds::CARTOES, &form);
    QVERIFY(t.open());
    Dataset* d = t.d;
    QVERIFY(d->setValue(1, "DESIGNACAO", "Alterado"));
    d->append();
    d->setFieldValue("CODIGO", 1);
    QTimer::singleShot(0, &form, [&] { form.findChild<QPushButton*>("AbortButton")->click(); });
    const ApplyResult r = d->applyUpdates();
    QVERIFY(r.aborted);
    QCOMPARE(t.inst.scalar("main", "SELECT DESIGNACAO FROM CARTOES WHERE CODIGO = 2").toString(),
             QStringLiteral("Simples C"));
    QCOMPARE(d->pendingCount(), 2);
}

void TestDataset::locateLoadsFurtherRows() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QVERIFY(inst.exec("main", "DELETE FROM CORES"));
    QSqlDatabase db = inst.open("main");
    QVERIFY(db.transaction());
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO CORES (CODIGO, DESIGNACAO, NUMERO) VALUES (?, ?, ?)"));
    for (int i = 1; i <= 1000; ++i) {
        q.addBindValue(i);
        q.addBindValue(QStringLiteral("Cor %1").arg(i));
        q.addBindValue(QString::number(i));
        FALQ_VERIFY_SQL(q, q.exec());
    }
    QVERIFY(db.commit());
    Workstation ws(inst, "ws1");
    Dataset* d = ws(ds::CORES);
    QVERIFY(d->open());
    QCOMPARE(d->rowCount(), 1000);       // counted by the engine ...
    QVERIFY(d->loadedRowCount() < 1000); // ... and read when needed
    // Statements run meanwhile on the dataset's connection do not cut the rows short.
    QSqlQuery other(QSqlDatabase::database("ws1"));
    FALQ_VERIFY_SQL(other,
                    other.exec(QStringLiteral("UPDATE CORES SET NUMERO = 'X' WHERE CODIGO = 999")));
    FALQ_VERIFY_SQL(other, other.exec(QStringLiteral("SELECT COUNT(*) FROM MAQUINAS")));
    QVERIFY(d->locate({"DESIGNACAO"}, {"COR 950"})); // text compares without case
    QCOMPARE(d->fieldValue("CODIGO").toInt(), 950);
    QVERIFY(!d->locate({"CODIGO"}, {5000}));
    QCOMPARE(d->fieldValue("CODIGO").toInt(), 950); // a failed locate keeps the row
    QVERIFY(d->setFieldValue("DESIGNACAO", "Verde Musgo"));
    QVERIFY(d->applyUpdates().ok);
    QCOMPARE(inst.scalar("main", "SELECT DESIGNACAO FROM CORES WHERE CODIGO = 950").toString(),
             QStringLiteral("Verde Musgo"));
    QCOMPARE(d->rowCount(), 1000);
}

void TestDataset::cancelUpdatesRestoresTheRows() {
    test::DatasetOn t(ds::MAQUINAS);
    QVERIFY(t.open());
    Dataset* d = t.d;
    QVERIFY(d->setValue(0, "DESIGNACAO", "Mudada"));
    d->setCurrentRow(2);
    d->deleteCurrent();
    d->append();
    d->setFieldValue("CODIGO", 50);
    // Cancelling the row being inserted drops only that row.
    d->cancel();
    QCOMPARE(d->pendingCount(), 2);
    d->cancelUpdates();
    QCOMPARE(d->pendingCount(), 0);
    QCOMPARE(d->rowCount(), 6);
    QCOMPARE(d->value(0, "DESIGNACAO").toString(), QStringLiteral("Flexo 2 Cores"));
    QVERIFY(d->applyUpdates().ok);
    QCOMPARE(t.inst.scalar("main", "SELECT COUNT(*) FROM MAQUINAS").toInt(), 6);
    QCOMPARE(t.inst.scalar("main", "SELECT DESIGNACAO FROM MAQUINAS WHERE CODIGO = 1").toString(),
             QStringLiteral("Flexo 2 Cores"));
}

QTEST_MAIN(TestDataset)
#include "tst_dataset.moc"
