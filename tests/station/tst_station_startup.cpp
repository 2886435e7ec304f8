// Start-up of the validation station (the station file, the company, the user's login, the
// main database) and its read-only connections.
#include "dataset.h"
#include "schema.h"
#include "stationrun.h"
#include "stationsignin.h"

#include <QSqlQuery>
#include <QSqlRecord>

using namespace falq;

using falq::test::StationRun;

namespace {

const QString kStationFile = QStringLiteral("programas/clivalida/Falquinas_Empre.dat");

// A second company of the same main database, with a user of its own.
bool addSecondCompany(test::Installation& inst) {
    return inst.exec("geral",
                     "INSERT INTO EMPRESAS (EMPNRO, NOME, BDESPECIF02, BDFACTURA, BDCONTAB) "
                     "VALUES (2, 'Embalagens do Norte, SA', ?, ?, 'CONTAB02')",
                     {inst.settings().mainAlias, inst.settings().invoicingAlias}) &&
           inst.exec("geral",
                     "INSERT INTO UTILPASSWORD (UTIL, EMPRESA, BDUSERNAME, BDPASSWORD) "
                     "VALUES ('OPERADOR', 2, ?, ?)",
                     {inst.settings().engine.user.isEmpty() ? QStringLiteral("falquinas")
                                                            : inst.settings().engine.user,
                      inst.settings().engine.password});
}

// Every row of every table of a database, as text, to tell whether anything changed.
QStringList contentOf(test::Installation& inst, const QString& which, DatabaseKind kind) {
    QStringList rows;
    const QSqlDatabase db = inst.open(which);
    for (const TableDef& table : schema::tables(kind)) {
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("SELECT * FROM ") + table.name)) {
            rows << table.name + QStringLiteral(": ") + q.lastError().text();
            continue;
        }
        QStringList tableRows;
        while (q.next()) {
            QStringList values;
            for (int c = 0; c < q.record().count(); ++c)
                values << q.value(c).toString();
            tableRows << table.name + QLatin1Char('|') + values.join(QLatin1Char('|'));
        }
        tableRows.sort();
        rows << tableRows;
    }
    return rows;
}

// True when a statement that writes fails on the connection.
bool writeRefused(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery q(db);
    return !q.exec(sql);
}

} // namespace

class TestStationStartup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }
    void init() { qunsetenv(kStationFolderVariable); }
    void startsOnTheInstallationsFile();
    void secondLineDecides();
    void paddedUserIsFound_data();
    void paddedUserIsFound();
    void failuresEndTheProgram_data();
    void failuresEndTheProgram();
    void damagedMainDatabaseIsNamed();
    void noCredentialLibraryEndsTheProgram();
    void stationFolderIsConfigurable();
    void writesThroughItsConnectionsFail();
    void databaseUnchangedAfterChecks();
    void readsWhileAnotherConnectionWrites();
};

void TestStationStartup::startsOnTheInstallationsFile() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    // The installer wrote the station file: the user in columns 1-15, the company in 16-17.
    QCOMPARE(test::fileContent(QDir(inst.root()).filePath(kStationFile)),
             QByteArray("ADMIN          01\r\n"));
    StationRun run;
    QVERIFY(run.start());
    QVERIFY2(run.messages.shown.isEmpty(), qPrintable(run.messages.shown.join('|')));
    QVERIFY(!run.window.programEnded());
    QCOMPARE(run.window.windowTitle(), QStringLiteral("Validação de Clichés"));
    QCOMPARE(run.text("Label_Empresa"), inst.settings().companyName);
    QCOMPARE(run.text("Label_Util"), QStringLiteral("ADMIN          "));
    QCOMPARE(run.text("Label_Data"), QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
    QTRY_COMPARE(QApplication::focusWidget(), run.box("Edit_Cliche"));
    QCOMPARE(run.window.statusText(), QStringLiteral("Tecla <Insert> para localizar Cliché ..."));
    QVERIFY(QSqlDatabase::database(kDbGeral, false).isOpen());
    QVERIFY(QSqlDatabase::database(kDbFalquinas, false).isOpen());
    // Closing the window ends the session: both connections go.
    run.window.close();
    QVERIFY(!QSqlDatabase::contains(kDbFalquinas));
    QVERIFY(!QSqlDatabase::contains(kDbGeral));
}

void TestStationStartup::secondLineDecides() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QVERIFY(addSecondCompany(inst));
    inst.writeFile(kStationFile, "ADMIN          01\r\nOPERADOR       02\r\n");
    StationRun run;
    QVERIFY(run.start());
    QVERIFY2(run.messages.shown.isEmpty(), qPrintable(run.messages.shown.join('|')));
    QCOMPARE(run.text("Label_Empresa"), QStringLiteral("Embalagens do Norte, SA"));
    QCOMPARE(run.text("Label_Util"), QStringLiteral("OPERADOR       "));
    // And the other way round.
    run.window.close();
    inst.writeFile(kStationFile, "OPERADOR       02\nADMIN          01\n");
    StationRun again;
    QVERIFY(again.start());
    QVERIFY2(again.messages.shown.isEmpty(), qPrintable(again.messages.shown.join('|')));
    QCOMPARE(again.text("Label_Empresa"), inst.settings().companyName);
    QCOMPARE(again.text("Label_Util"), QStringLiteral("ADMIN          "));
}

void TestStationStartup::paddedUserIsFound_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("storedUser");
    // The user matches UTIL without trailing blanks and without regard to case, as the plant's
    // server compared them.
    QTest::newRow("padded to 15") << QByteArray("ADMIN          01") << "ADMIN";
    QTest::newRow("stored with blanks") << QByteArray("ADMIN          01\n") << "ADMIN   ";
    QTest::newRow("other case") << QByteArray("admin          01\n") << "ADMIN";
    QTest::newRow("company with a leading blank") << QByteArray("ADMIN           1") << "ADMIN";
    QTest::newRow("8-bit text") << QByteArray("JO\xc3O           01\r\n") << "JOÃO";
}

void TestStationStartup::paddedUserIsFound() {
    QFETCH(QByteArray, file);
    QFETCH(QString, storedUser);
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QVERIFY(inst.exec("geral", "UPDATE UTILPASSWORD SET UTIL = ?", {storedUser}));
    inst.writeFile(kStationFile, file);
    StationRun run;
    QVERIFY(run.start());
    QVERIFY2(run.messages.shown.isEmpty(), qPrintable(run.messages.shown.join('|')));
    QVERIFY(!run.window.programEnded());
    QCOMPARE(run.text("Label_Empresa"), inst.settings().companyName);
}

void TestStationStartup::failuresEndTheProgram_data() {
    QTest::addColumn<QByteArray>("file"); // "-" for no file at all
    QTest::addColumn<QString>("geralSql");
    QTest::addColumn<QStringList>("expected"); // the message, or words it must hold
    QTest::addColumn<bool>("exact");
    QTest::addColumn<bool>("beep");
    const QString bad = kMsgBadStationFile;
    QTest::newRow("blank user") << QByteArray("               01\r\n") << QString()
                                << QStringList{bad} << true << false;
    QTest::newRow("company AB") << QByteArray("ADMIN          AB\r\n") << QString()
                                << QStringList{bad} << true << false;
    QTest::newRow("no company") << QByteArray("ADMIN\r\n") << QString() << QStringList{bad} << true
                                << false;
    QTest::newRow("empty file") << QByteArray() << QString() << QStringList{bad} << true << false;
    QTest::newRow("empty line after a good one") << QByteArray("ADMIN          01\r\n\r\n")
                                                 << QString() << QStringList{bad} << true << false;
    QTest::newRow("missing file") << QByteArray("-") << QString()
                                  << QStringList{"Falquinas_Empre.dat", "programas"} << false
                                  << true;
    QTest::newRow("unknown company")
        << QByteArray("ADMIN          07\r\n") << QString()
        << QStringList{QStringLiteral("Empresa nº 07 Inexistente !!")} << true << true;
    QTest::newRow("unknown company on an earlier line")
        << QByteArray("ADMIN          07\r\nADMIN          01\r\n") << QString()
        << QStringList{QStringLiteral("Empresa nº 07 Inexistente !!")} << true << true;
    QTest::newRow("no UTILPASSWORD row")
        << QByteArray("NINGUEM        01\r\n") << QString()
        << QStringList{QStringLiteral("Problemas com o acesso à empresa : 01")} << true << true;
    QTest::newRow("empty BDUSERNAME")
        << QByteArray("ADMIN          01\r\n")
        << QStringLiteral("UPDATE UTILPASSWORD SET BDUSERNAME = ''")
        << QStringList{QStringLiteral("Problemas com o acesso à empresa  : 01")} << true << true;
    QTest::newRow("unknown alias")
        << QByteArray("ADMIN          01\r\n")
        << QStringLiteral("UPDATE EMPRESAS SET BDESPECIF02 = 'NAOEXISTE'")
        << QStringList{"NAOEXISTE"} << false << true;
}

void TestStationStartup::failuresEndTheProgram() {
    QFETCH(QByteArray, file);
    QFETCH(QString, geralSql);
    QFETCH(QStringList, expected);
    QFETCH(bool, exact);
    QFETCH(bool, beep);
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    const QString path = QDir(inst.root()).filePath(kStationFile);
    if (file == "-")
        QVERIFY(QFile::remove(path));
    else
        inst.writeFile(kStationFile, file);
    if (!geralSql.isEmpty())
        QVERIFY(inst.exec("geral", geralSql));
    StationRun run;
    QVERIFY(run.start());
    // One message, then the end.
    QCOMPARE(run.messages.shown.size(), 1);
    if (exact)
        QCOMPARE(run.messages.shown.first(), expected.first());
    for (const QString& word : std::as_const(expected))
        QVERIFY2(run.messages.shown.first().contains(word), qPrintable(run.messages.shown.first()));
    QCOMPARE(run.messages.beeps.first(), beep);
    QVERIFY(run.window.programEnded());
    QVERIFY(!run.window.isVisible());
    QVERIFY(!QSqlDatabase::contains(kDbGeral));
    QVERIFY(!QSqlDatabase::contains(kDbFalquinas));
}

void TestStationStartup::damagedMainDatabaseIsNamed() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    const QString file = inst.aliasOnDamagedDatabase("ESTRAGADA", test::DamagedDatabase::Text);
    QVERIFY(!file.isEmpty());
    QVERIFY(inst.exec("geral", "UPDATE EMPRESAS SET BDESPECIF02 = 'ESTRAGADA'"));
    const QByteArray before = test::fileContent(file);
    StationRun run;
    QVERIFY(run.start());
    QCOMPARE(run.messages.shown.size(), 1);
    for (const QString& word : {QStringLiteral("ESTRAGADA"), QStringLiteral("ESTRAGADA.db"),
                                QStringLiteral("não é uma base de dados")})
        QVERIFY2(run.messages.shown.first().contains(word), qPrintable(run.messages.shown.first()));
    QVERIFY(run.window.programEnded());
    QCOMPARE(test::fileContent(file), before);
}

void TestStationStartup::noCredentialLibraryEndsTheProgram() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    StationRun run;
    run.window.setCredentialLibraryPath(QDir(inst.root()).filePath("naoexiste.so"));
    QVERIFY(run.start());
    QCOMPARE(run.messages.shown.size(), 1);
    QVERIFY2(run.messages.shown.first().contains("naoexiste"),
             qPrintable(run.messages.shown.first()));
    QVERIFY(run.window.programEnded());
    QVERIFY(!QSqlDatabase::contains(kDbGeral));
}

void TestStationStartup::stationFolderIsConfigurable() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QVERIFY(addSecondCompany(inst));
    inst.writeFile("posto/clivalida/Falquinas_Empre.dat", "OPERADOR       02\r\n");
    qputenv(kStationFolderVariable, "posto/clivalida"); // in the plant root
    StationRun run;
    QVERIFY(run.start());
    QVERIFY2(run.messages.shown.isEmpty(), qPrintable(run.messages.shown.join('|')));
    QCOMPARE(run.text("Label_Empresa"), QStringLiteral("Embalagens do Norte, SA"));
    run.window.close();
    qputenv(kStationFolderVariable, QDir(inst.root()).filePath("nada").toLocal8Bit());
    StationRun absent;
    QVERIFY(absent.start());
    QCOMPARE(absent.messages.shown.size(), 1);
    QVERIFY2(absent.messages.shown.first().contains(QDir(inst.root()).filePath("nada")),
             qPrintable(absent.messages.shown.first()));
    qunsetenv(kStationFolderVariable);
}

void TestStationStartup::writesThroughItsConnectionsFail() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QVERIFY(test::insertCliche(inst, "12"));
    StationRun run;
    QVERIFY(run.start());
    QVERIFY2(run.messages.shown.isEmpty(), qPrintable(run.messages.shown.join('|')));
    // The engines refuse every write on both connections, and on a copy of them as a dataset
    // makes to read.
    const QString cloneName = QStringLiteral("station_clone");
    {
        const QSqlDatabase main = QSqlDatabase::database(kDbFalquinas, false);
        const QSqlDatabase general = QSqlDatabase::database(kDbGeral, false);
        QSqlDatabase clone = QSqlDatabase::cloneDatabase(main, cloneName);
        QVERIFY2(clone.open(), qPrintable(clone.lastError().text()));
        for (const QSqlDatabase& db : {main, clone}) {
            QSqlQuery read(db);
            FALQ_VERIFY_SQL(read, read.exec("SELECT COUNT(*) FROM CLICHES") && read.next());
            QCOMPARE(read.value(0).toInt(), 1);
            QVERIFY(writeRefused(db, "UPDATE CLICHES SET UTILIZA = 'N'"));
            QVERIFY(writeRefused(db, "DELETE FROM CLICHES"));
            QVERIFY(writeRefused(db, "INSERT INTO MODELOS (CODIGO, DESIGNACAO) VALUES (90, 'X')"));
            QVERIFY(writeRefused(db, "CREATE TABLE NOVA (A INTEGER)"));
        }
        QVERIFY(writeRefused(general, "UPDATE EMPRESAS SET NOME = 'Outra'"));
        QVERIFY(writeRefused(general, "DELETE FROM UTILPASSWORD"));
    }
    closeConnection(cloneName);
    QCOMPARE(inst.scalar("main", "SELECT UTILIZA FROM CLICHES").toString(), QStringLiteral("S"));
    QCOMPARE(inst.scalar("main", "SELECT COUNT(*) FROM MODELOS WHERE CODIGO = 90").toInt(), 0);
    QCOMPARE(inst.scalar("geral", "SELECT NOME FROM EMPRESAS").toString(),
             inst.settings().companyName);
    QCOMPARE(inst.scalar("geral", "SELECT COUNT(*) FROM UTILPASSWORD").toInt(), 1);
    // The same connection opened for writing (as the main program does) writes: the refusal
    // above is the read-only opening's.
    QString error;
    QVERIFY2(openAlias(QStringLiteral("station_rw"), inst.settings().mainAlias,
                       inst.settings().engine.user, inst.settings().engine.password, &error),
             qPrintable(error));
    {
        QSqlQuery q(QSqlDatabase::database(QStringLiteral("station_rw")));
        FALQ_VERIFY_SQL(q, q.exec("UPDATE CLICHES SET OBSERV2 = 'escrito'"));
    }
    closeConnection(QStringLiteral("station_rw"));
}

void TestStationStartup::databaseUnchangedAfterChecks() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QVERIFY(test::insertCliche(inst, "12"));
    QVERIFY(test::insertCliche(inst, "13", "N"));
    QVERIFY(test::insertDrawing(inst, "24-00001"));
    const ImageParameters params = test::imageParameters(inst);
    QVERIFY(!test::writeImage(clicheImagePath(params, "12")).isEmpty());
    test::writeDocument(params.clicheFolder, "12.pdf");
    const QStringList main = contentOf(inst, "main", DatabaseKind::Main);
    const QStringList general = contentOf(inst, "geral", DatabaseKind::General);
    const QStringList files = QDir(params.clicheFolder).entryList(QDir::Files);
    {
        StationRun run;
        QVERIFY(run.start());
        QVERIFY(run.check("Edit_Cliche", "12"));
        QTRY_VERIFY(!run.window.preview()->isEmpty());
        QString seen;
        test::onNextModal([](QWidget*) {}, &seen);
        QTest::mouseClick(run.window.preview()->viewport(), Qt::LeftButton, {},
                          run.window.preview()->viewport()->rect().center());
        QCOMPARE(seen, QStringLiteral("TCORTF999CLICHE"));
        QVERIFY(run.reactivate());
        QVERIFY(!run.check("Edit_Cliche", "13"));
        run.window.findChild<QTabWidget*>("NB")->setCurrentIndex(1);
        QVERIFY(run.check("Edit_Desenho", "24-00001"));
        QVERIFY(!run.check("Edit_Desenho", "nada"));
        // The documents page changes no file even when asked.
        QVERIFY(!run.window.documents()->attach());
        QVERIFY(!run.window.documents()->deleteSelected());
        run.window.close();
    }
    QCOMPARE(contentOf(inst, "main", DatabaseKind::Main), main);
    QCOMPARE(contentOf(inst, "geral", DatabaseKind::General), general);
    QCOMPARE(QDir(params.clicheFolder).entryList(QDir::Files), files);
}

void TestStationStartup::readsWhileAnotherConnectionWrites() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QVERIFY(test::insertCliche(inst, "12"));
    StationRun run;
    QVERIFY(run.start());
    // Another workstation writes and holds its transaction open.
    QSqlDatabase writer = inst.open("main", QStringLiteral("test_writer"));
    QVERIFY(writer.transaction());
    {
        QSqlQuery q(writer);
        FALQ_VERIFY_SQL(q, q.exec("UPDATE CLICHES SET OBSERV2 = 'a mudar'"));
        FALQ_VERIFY_SQL(q, q.exec("INSERT INTO CLICHES (CLICHENRO, UTILIZA, SIGLACLI) VALUES "
                                  "('NOVO', 'S', 'NOVA')"));
    }
    // The station still reads what was committed.
    QVERIFY(run.check("Edit_Cliche", "12"));
    QVERIFY2(run.messages.shown.isEmpty(), qPrintable(run.messages.shown.join('|')));
    QCOMPARE(run.window.clicheSet()->fieldValue("OBSERV2").toString(),
             QStringLiteral("Tinta base"));
    QVERIFY(!run.check("Edit_Cliche", "NOVO"));
    QCOMPARE(run.messages.shown, QStringList{QStringLiteral("Cliché Inexistente ...")});
    QVERIFY(writer.commit());
    // Committed: the next check reads it.
    QVERIFY(run.check("Edit_Cliche", "NOVO"));
    QCOMPARE(run.window.clicheSet()->fieldValue("SIGLACLI").toString(), QStringLiteral("NOVA"));
}

QTEST_MAIN(TestStationStartup)
#include "tst_station_startup.moc"
