// Start-up of the main program: workstation files, general database, company and user,
// session row, null clean-up, working date, and the end of the session.
#include "connections.h"
#include "shellrun.h"

#include <QCalendarWidget>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace falq;

using falq::test::Run;

namespace {
// A session row of the installation's user for company 7, as another run leaves it.
bool insertSessionRow(test::Installation& inst, const QString& company, const QDate& date) {
    const SqlDialect d = SqlDialect::forDatabase(inst.open("main"));
    return inst.exec(
        "main",
        "INSERT INTO PARAMTMP (UTIL, APLICACAO, EMPNRO, EMPNOM, DATA) VALUES (?, ?, ?, ?, ?)",
        {"ADMIN", "FALQUINAS", 7, company, d.bindDate(date)});
}
} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }
    void opensTheSessionAndClosesIt();
    void workstationFiles_data();
    void workstationFiles();
    void sessionFailures_data();
    void sessionFailures();
    void failureKeepsAnotherWorkstationsRow_data();
    void failureKeepsAnotherWorkstationsRow();
    void laterFailuresEndTheProgram_data();
    void laterFailuresEndTheProgram();
    void missingCredentialLibraryEndsTheProgram();
    void undefinedAliasNamesIt();
    void damagedDatabaseFileIsRefused_data();
    void damagedDatabaseFileIsRefused();
    void reactivationOnlyRereadsTheFiles();
    void earlierSessionRowIsKept();
    void nullNumbersAreCleaned();
    void workingDateAndPanelColour();
};

void TestStartup::opensTheSessionAndClosesIt() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    Run run;
    QVERIFY(run.start());
    QVERIFY2(run.messages.shown.isEmpty(), qPrintable(run.messages.shown.join('|')));
    QVERIFY(run.menu.sessionOpen());
    QCOMPARE(run.text("Label_Computador"), inst.settings().computerName);
    QCOMPARE(run.text("Edit_EmpNom"), inst.settings().companyName);
    QCOMPARE(run.text("BotPassord"), inst.settings().userCode);
    const SessionContext& ctx = run.session.context();
    QCOMPARE(ctx.companyNumber, inst.settings().companyNumber);
    QCOMPARE(ctx.mainAlias, inst.settings().mainAlias);
    QCOMPARE(ctx.workingDate, QDate::currentDate());
    QCOMPARE(ctx.companyUserLine.left(10), QStringLiteral("USER NAME="));
    QVERIFY(QSqlDatabase::database(kDbFalquinas, false).isOpen());
    QVERIFY(QSqlDatabase::database(kDbFacturacao, false).isOpen());
    QCOMPARE(inst.scalar("main",
                         "SELECT EMPNOM FROM PARAMTMP WHERE UTIL = ? AND APLICACAO = 'FALQUINAS'",
                         {inst.settings().userCode})
                 .toString(),
             inst.settings().companyName);
    run.menu.close();
    QVERIFY(!run.menu.sessionOpen());
    QCOMPARE(inst.scalar("main", "SELECT COUNT(*) FROM PARAMTMP").toInt(), 0);
    QVERIFY(!QSqlDatabase::contains(kDbFalquinas));
    QVERIFY(!QSqlDatabase::contains(kDbGeral));
}

void TestStartup::workstationFiles_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QString>("paramUtilName");
    QTest::addColumn<QString>("message");
    QTest::newRow("two lines: the second names the workstation")
        << QByteArray("ANTIGO\r\nPOSTO01\r\n") << QByteArray("S\n") << "POSTO01" << QString();
    QTest::newRow("35 characters cut to 30")
        << QByteArray("POSTO-DA-PRE-IMPRESSAO-NUMERO-123\n").left(35) << QByteArray("S")
        << "POSTO-DA-PRE-IMPRESSAO-NUMERO-" << QString();
    QTest::newRow("empty line in Computador.txt")
        << QByteArray("POSTO01\n\n") << QByteArray("S\n") << "POSTO01"
        << "Parâmetros de Pc_Name não definidos ...";
    QTest::newRow("empty line in TipoComputador.txt")
        << QByteArray("POSTO01\n") << QByteArray("\nS\n") << "POSTO01"
        << "Parâmetros de Tipo de Computador inválidos ...";
}

void TestStartup::workstationFiles() {
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, type);
    QFETCH(QString, paramUtilName);
    QFETCH(QString, message);
    test::Installation inst([&](InstallationSettings& s) { s.computerName = paramUtilName; });
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    inst.writeFile("programas/Computador/Computador.txt", name);
    inst.writeFile("programas/Computador/TipoComputador.txt", type);
    Run run;
    QVERIFY(run.start());
    if (message.isEmpty()) {
        QVERIFY2(run.messages.shown.isEmpty(), qPrintable(run.messages.shown.join('|')));
        QVERIFY(run.menu.sessionOpen());
        QCOMPARE(run.session.context().computerName, paramUtilName);
    } else {
        QCOMPARE(run.messages.shown, QStringList{message});
        QCOMPARE(run.messages.beeps, QList<bool>{false});
        QVERIFY(run.menu.programEnded());
        QVERIFY(!run.menu.sessionOpen());
    }
}

void TestStartup::sessionFailures_data() {
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("message");
    QTest::newRow("no PARAMUTIL row") << "geral"
                                      << "DELETE FROM PARAMUTIL"
                                      << "Empresa Inexistente : 0";
    QTest::newRow("company missing") << "geral"
                                     << "UPDATE PARAMUTIL SET EMPNRO = 42"
                                     << "Empresa Inexistente : 42";
    QTest::newRow("no invoicing alias") << "geral"
                                        << "UPDATE EMPRESAS SET BDFACTURA = ''"
                                        << "BASE DE DADOS DE FACTURAÇÃO INEXISTENTE";
    QTest::newRow("no accounting database") << "geral"
                                            << "UPDATE EMPRESAS SET BDCONTAB = NULL"
                                            << "BASE DE DADOS DE CONTABILIDADE INEXISTENTE";
    QTest::newRow("no UTILPASSWORD row")
        << "geral"
        << "DELETE FROM UTILPASSWORD"
        << "Problemas com o acesso à empresa !! Contacte o seu Gestor de Sistema";
    QTest::newRow("empty login name")
        << "geral"
        << "UPDATE UTILPASSWORD SET BDUSERNAME = ''"
        << "Problemas com o acesso à empresa !! Contacte o seu Gestor de Sistema";
    QTest::newRow("user missing") << "main"
                                  << "DELETE FROM UTILIZADORES"
                                  << "Utilizador Inexistente : ADMIN";
    QTest::newRow("wrong password") << "geral"
                                    << "UPDATE PARAMUTIL SET PASSWOR = 'demo'"
                                    << "Palavra-passe Inválida";
}

void TestStartup::sessionFailures() {
    QFETCH(QString, which);
    QFETCH(QString, sql);
    QFETCH(QString, message);
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QVERIFY(inst.exec(which, sql));
    Run run;
    QVERIFY(run.start());
    QCOMPARE(run.messages.shown, QStringList{message});
    QCOMPARE(run.messages.beeps, QList<bool>{true});
    QVERIFY(run.menu.programEnded());
    QVERIFY(!run.menu.sessionOpen());
    QCOMPARE(inst.scalar("main", "SELECT COUNT(*) FROM PARAMTMP").toInt(), 0);
    QVERIFY(!QSqlDatabase::contains(kDbGeral));
}

void TestStartup::failureKeepsAnotherWorkstationsRow_data() {
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<QString>("message");
    QTest::newRow("user missing") << QStringList{"DELETE FROM UTILIZADORES"}
                                  << "Utilizador Inexistente : ADMIN";
    QTest::newRow("wrong password")
        << QStringList{"UPDATE UTILIZADORES SET PASSWOR = 'OUTRA'"} << "Palavra-passe Inválida";
    // The upgrade to 01.002 cannot add its column to a view.
    QTest::newRow("failed upgrade")
        << QStringList{"UPDATE ACTUAL_VERSAO SET VERSAO = '01.001'",
                       "ALTER TABLE UTILIZADORES RENAME TO UTIL_ANTIGOS",
                       "CREATE VIEW UTILIZADORES AS SELECT NRO, PASSWOR, NOM FROM UTIL_ANTIGOS"}
        << "A actualização da base de dados para a versão 01.007 falhou";
}

void TestStartup::failureKeepsAnotherWorkstationsRow() {
    QFETCH(QStringList, statements);
    QFETCH(QString, message);
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    // The same user works at another workstation.
    QVERIFY(insertSessionRow(inst, "Outro Posto", QDate(2024, 1, 8)));
    for (const QString& sql : statements)
        QVERIFY(inst.exec("main", sql));
    Run run;
    QVERIFY(run.start());
    QCOMPARE(run.messages.shown.size(), 1);
    QVERIFY2(run.messages.shown[0].startsWith(message), qPrintable(run.messages.shown[0]));
    QVERIFY(run.menu.programEnded());
    QVERIFY(!run.menu.sessionOpen());
    QCOMPARE(inst.scalar("main", "SELECT COUNT(*) FROM PARAMTMP").toInt(), 1);
    QCOMPARE(inst.scalar("main", "SELECT EMPNOM FROM PARAMTMP").toString(),
             QStringLiteral("Outro Posto"));
}

void TestStartup::laterFailuresEndTheProgram_data() {
    QTest::addColumn<QStringList>("statements");
    const QString dateType = SqlDialect::forDriver(test::usePostgres() ? "QPSQL" : "QSQLITE")
                                 .columnType(ColumnType::DateTime, 0);
    // A cliché whose commercial number may not become empty.
    QTest::newRow("null clean-up") << QStringList{
        "DROP TABLE CLICHES",
        "CREATE TABLE CLICHES (CLICHENRO VARCHAR(12) PRIMARY KEY, PRODNRO VARCHAR(8), "
        "COMERCIALNRO VARCHAR(16) CHECK (COMERCIALNRO <> ''))",
        "INSERT INTO CLICHES (CLICHENRO, PRODNRO) VALUES ('1', '')"};
    // A session row that cannot be written.
    QTest::newRow("session row") << QStringList{
        "DROP TABLE PARAMTMP",
        QStringLiteral("CREATE TABLE PARAMTMP (UTIL VARCHAR(15), APLICACAO VARCHAR(30), EMPNRO "
                       "INTEGER, EMPNOM VARCHAR(40) CHECK (EMPNOM = ''), DATA %1, HORA %1, ANO "
                       "VARCHAR(4), MES VARCHAR(2), DIA VARCHAR(2), PRIMARY KEY (UTIL, "
                       "APLICACAO))")
            .arg(dateType)};
}

void TestStartup::laterFailuresEndTheProgram() {
    QFETCH(QStringList, statements);
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QVERIFY(inst.exec("main", "INSERT INTO DESENHOS (DESENHONRO) VALUES ('D1')"));
    for (const QString& sql : statements)
        QVERIFY(inst.exec("main", sql));
    Run run;
    QVERIFY(run.start());
    QCOMPARE(run.messages.shown.size(), 1);
    QCOMPARE(run.messages.beeps, QList<bool>{true});
    QVERIFY(run.menu.programEnded());
    QVERIFY(!run.menu.sessionOpen());
    QVERIFY(!QSqlDatabase::contains(kDbFalquinas));
    // Nothing after the failure ran, and the clean-up is one batch: every null stays.
    QCOMPARE(inst.scalar("main", "SELECT COUNT(*) FROM DESENHOS WHERE PRODNRO IS NULL").toInt(), 1);
}

void TestStartup::missingCredentialLibraryEndsTheProgram() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    Run run(inst.root() + QStringLiteral("/velmora"));
    QVERIFY(run.start());
    QCOMPARE(run.messages.shown.size(), 1);
    QVERIFY2(run.messages.shown[0].contains(QLatin1String("velmora")),
             qPrintable(run.messages.shown[0]));
    QVERIFY(run.menu.programEnded());
}

void TestStartup::undefinedAliasNamesIt() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QVERIFY(inst.exec("geral", "UPDATE EMPRESAS SET BDESPECIF02 = 'SEMALIAS'"));
    Run run;
    QVERIFY(run.start());
    QCOMPARE(run.messages.shown.size(), 1);
    QVERIFY2(run.messages.shown[0].contains(QLatin1String("SEMALIAS")),
             qPrintable(run.messages.shown[0]));
    QVERIFY(run.menu.programEnded());
    QVERIFY(!QSqlDatabase::contains(kDbFacturacao)); // released with the modules
}

void TestStartup::damagedDatabaseFileIsRefused_data() {
    using K = test::DamagedDatabase;
    test::addDamagedDatabaseRows({K::Empty, K::Text, K::Truncated});
}

void TestStartup::damagedDatabaseFileIsRefused() {
    QFETCH(int, kind);
    QFETCH(QString, reason);
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    // The company's main database alias points at a file that is no sound database.
    const QString alias = inst.settings().mainAlias;
    const QString file = inst.aliasOnDamagedDatabase(alias, test::DamagedDatabase(kind));
    QVERIFY(!file.isEmpty());
    const QByteArray before = test::fileContent(file);
    Run run;
    QVERIFY(run.start());
    QCOMPARE(run.messages.shown.size(), 1);
    const QString shown = run.messages.shown[0];
    QVERIFY2(shown.contains(QLatin1Char('"') + alias + QLatin1Char('"')) &&
                 shown.contains(QDir::toNativeSeparators(file)) && shown.contains(reason),
             qPrintable(shown));
    QVERIFY(run.menu.programEnded());
    QVERIFY(!run.menu.sessionOpen());
    QCOMPARE(test::fileContent(file), before); // an empty file stays empty
}

void TestStartup::reactivationOnlyRereadsTheFiles() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    Run run;
    QVERIFY(run.start());
    QVERIFY(run.menu.sessionOpen());
    // Changes in the databases are not seen by a reactivation, and the session row is not
    // rewritten.
    QVERIFY(inst.exec("geral", "UPDATE EMPRESAS SET NOME = 'Outra Empresa'"));
    QVERIFY(inst.exec("main", "DELETE FROM PARAMTMP"));
    const int activations = run.menu.activationCount();
    run.menu.FormActivate();
    QCOMPARE(run.menu.activationCount(), activations + 1);
    QCOMPARE(run.text("Edit_EmpNom"), inst.settings().companyName);
    QCOMPARE(run.session.context().companyName, inst.settings().companyName);
    QCOMPARE(inst.scalar("main", "SELECT COUNT(*) FROM PARAMTMP").toInt(), 0);
    QVERIFY(run.messages.shown.isEmpty());
    // The workstation files are read again and may still end the program.
    inst.writeFile("programas/Computador/Computador.txt", "POSTO01\n\n");
    run.menu.FormActivate();
    QCOMPARE(run.messages.shown, QStringList{"Parâmetros de Pc_Name não definidos ..."});
    QVERIFY(run.menu.programEnded());
    QVERIFY(!run.menu.sessionOpen());
}

void TestStartup::earlierSessionRowIsKept() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QVERIFY(insertSessionRow(inst, "Empresa Antiga", QDate(2020, 5, 4)));
    Run run;
    QVERIFY(run.start());
    QVERIFY(run.menu.sessionOpen());
    QCOMPARE(inst.scalar("main", "SELECT COUNT(*) FROM PARAMTMP").toInt(), 1);
    QCOMPARE(inst.scalar("main", "SELECT EMPNRO FROM PARAMTMP").toInt(), 7);
    QCOMPARE(parseDateTime(inst.scalar("main", "SELECT DATA FROM PARAMTMP")).date(),
             QDate(2020, 5, 4));
    QCOMPARE(run.text("Edit_EmpNom"), QStringLiteral("Empresa Antiga"));
}

void TestStartup::nullNumbersAreCleaned() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QVERIFY(inst.exec("main", "INSERT INTO CLICHES (CLICHENRO) VALUES ('1'), ('2')"));
    QVERIFY(inst.exec(
        "main", "INSERT INTO DESENHOS (DESENHONRO, PRODNRO) VALUES ('D1', '123'), ('D2', NULL)"));
    Run run;
    QVERIFY(run.start());
    QVERIFY(run.menu.sessionOpen());
    QCOMPARE(
        inst.scalar("main",
                    "SELECT COUNT(*) FROM CLICHES WHERE COMERCIALNRO IS NULL OR PRODNRO IS NULL")
            .toInt(),
        0);
    QCOMPARE(
        inst.scalar("main",
                    "SELECT COUNT(*) FROM DESENHOS WHERE COMERCIALNRO IS NULL OR PRODNRO IS NULL")
            .toInt(),
        0);
    QCOMPARE(inst.scalar("main", "SELECT PRODNRO FROM DESENHOS WHERE DESENHONRO = 'D1'").toString(),
             QStringLiteral("123"));
}

void TestStartup::workingDateAndPanelColour() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    const SqlDialect d = SqlDialect::forDatabase(inst.open("geral"));
    const QDate old(QDate::currentDate().year() - 2, 6, 15);
    QVERIFY(inst.exec("geral", "UPDATE PARAMUTIL SET DATA = ?, ANO = ?",
                      {d.bindDate(old), QString::number(old.year() + 1)}));
    Run run;
    QVERIFY(run.start());
    QVERIFY(run.menu.sessionOpen());
    QCOMPARE(run.session.context().workingDate, old);
    QVERIFY(run.menu.datePanelWarns());
    // The working year follows ANO until the calendar is clicked.
    QCOMPARE(run.session.context().workingYear, QString::number(old.year() + 1));
    auto* calendar = run.menu.findChild<QCalendarWidget*>("Edit_Data");
    QVERIFY(calendar);
    QCOMPARE(calendar->selectedDate(), old);
    calendar->setSelectedDate(QDate::currentDate());
    run.menu.Edit_DataChange();
    QCOMPARE(run.session.context().workingDate, QDate::currentDate());
    QCOMPARE(run.session.context().workingYear, QString::number(QDate::currentDate().year()));
    QVERIFY(!run.menu.datePanelWarns());
    // The session row keeps the date of the session opening.
    QCOMPARE(parseDateTime(inst.scalar("main", "SELECT DATA FROM PARAMTMP")).date(), old);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
