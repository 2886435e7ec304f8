// Plant root, workstation files, aliases, the credential library, dialects and the schema.
#include "aliases.h"
#include "connections.h"
#include "credentials.h"
#include "dialect.h"
#include "plantroot.h"
#include "schema.h"
#include "testsupport.h"
#include "workstation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>

using namespace falq;

class TestCommon : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }

    void workstationFileRules_data();
    void workstationFileRules();
    void workstationFileMissing();
    void pathsMatchWithoutCase();
    void aliasErrorsNameTheAlias();
    void credentialLibrary();
    void credentialLibraryMissing();
    void credentialLibraryOfTwoEntries();
    void schemaCreatesEveryTable();
    void keysAndComparisonsIgnoreCase();
    void textLengthsAreEnforced();
    void upgradeFlagDefaultsToN();
    void dayRangesAreInclusive();
    void catalogueRows();
};

void TestCommon::workstationFileRules_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("value");
    using S = WorkstationFile::Status;
    QTest::newRow("one line") << QByteArray("POSTO7\r\n") << 30 << int(S::Ok) << "POSTO7";
    QTest::newRow("second line wins") << QByteArray("VELHO\nNOVO\n") << 30 << int(S::Ok) << "NOVO";
    QTest::newRow("cut to 30") << QByteArray(35, 'A') << 30 << int(S::Ok)
                               << QString(30, QLatin1Char('A'));
    QTest::newRow("type is one character") << QByteArray("SX\n") << 1 << int(S::Ok) << "S";
    QTest::newRow("empty file keeps previous") << QByteArray() << 30 << int(S::Ok) << "ANTES";
    QTest::newRow("empty line") << QByteArray("POSTO\n\nOUTRO\n") << 30 << int(S::EmptyLine)
                                << "POSTO";
    QTest::newRow("8-bit text") << QByteArray("ESTA\xc7\xc3O\n") << 30 << int(S::Ok)
                                << QStringLiteral("ESTAÇÃO");
}

void TestCommon::workstationFileRules() {
    QFETCH(QByteArray, content);
    QFETCH(int, width);
    QFETCH(int, status);
    QFETCH(QString, value);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Computador.txt"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();
    const WorkstationFile r = readWorkstationFile(path, width, QStringLiteral("ANTES"));
    QCOMPARE(int(r.status), status);
    QCOMPARE(r.value, value);
}

void TestCommon::workstationFileMissing() {
    QTemporaryDir dir;
    const WorkstationFile r = readWorkstationFile(dir.filePath(QStringLiteral("nada.txt")), 30);
    QCOMPARE(r.status, WorkstationFile::Status::Missing);
}

void TestCommon::pathsMatchWithoutCase() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("programas/Computador")));
    QFile f(dir.filePath(QStringLiteral("programas/Computador/TipoComputador.txt")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    qputenv("VELMORA_ROOT", dir.path().toLocal8Bit());
    QCOMPARE(computerTypePath(),
             dir.filePath(QStringLiteral("programas/Computador/TipoComputador.txt")));
    QCOMPARE(resolveInRoot(QStringLiteral("PROGRAMAS\\computador\\Novo.txt")),
             dir.filePath(QStringLiteral("programas/Computador/Novo.txt")));
}

void TestCommon::aliasErrorsNameTheAlias() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QString error;
    QVERIFY(!openAlias(QStringLiteral("test_x"), QStringLiteral("NAOEXISTE"), {}, {}, &error));
    QVERIFY2(error.contains(QLatin1String("NAOEXISTE")), qPrintable(error));
    // A defined alias whose database cannot be opened names the alias and the reason.
    AliasDef broken;
    broken.name = QStringLiteral("PARTIDO");
    broken.driver = QStringLiteral("QSQLITE");
    broken.database = QStringLiteral("dados/naoexiste.db");
    QVERIFY(writeAlias(aliasesPath(), broken, &error));
    QVERIFY(!openAlias(QStringLiteral("test_x"), QStringLiteral("partido"), {}, {}, &error));
    QVERIFY2(error.contains(QLatin1String("PARTIDO")) &&
                 error.contains(QLatin1String("naoexiste.db")),
             qPrintable(error));
    QVERIFY(!QSqlDatabase::contains(QStringLiteral("test_x")));
    // The real aliases open.
    QVERIFY2(openAlias(QStringLiteral("test_x"), inst.settings().mainAlias,
                       inst.settings().engine.user, inst.settings().engine.password, &error),
             qPrintable(error));
    closeConnection(QStringLiteral("test_x"));
}

void TestCommon::credentialLibrary() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    Credentials c = readCredentials(inst.credentialLibrary());
    QVERIFY2(c.ok, qPrintable(c.error));
    QCOMPARE(c.userLine, QStringLiteral("USER NAME=") + inst.settings().engine.user);
    QCOMPARE(c.passwordLine, QStringLiteral("PASSWORD=") + inst.settings().engine.password);

    // A credentials file that others can read is refused with a message.
    QFile cred(QDir(inst.root()).filePath(QStringLiteral("velmora.cred")));
    QVERIFY(cred.setPermissions(cred.permissions() | QFileDevice::ReadOther));
    c = readCredentials(inst.credentialLibrary());
    QVERIFY(!c.ok);
    QVERIFY2(c.error.contains(QLatin1String("chmod 600")), qPrintable(c.error));
    QVERIFY(c.userLine.isEmpty());

    QVERIFY(cred.remove());
    c = readCredentials(inst.credentialLibrary());
    QVERIFY(!c.ok);
    QVERIFY2(c.error.contains(QLatin1String("velmora.cred")), qPrintable(c.error));
}

void TestCommon::credentialLibraryMissing() {
    QTemporaryDir dir;
    const Credentials c = readCredentials(dir.filePath(QStringLiteral("velmora")));
    QVERIFY(!c.ok);
    QVERIFY2(c.error.contains(QLatin1String("velmora")), qPrintable(c.error));
}

void TestCommon::credentialLibraryOfTwoEntries() {
    // Nothing but entry points 1 and 2: the values are read, a null result is empty.
    const Credentials c = readCredentials(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("twoentries")));
    QVERIFY2(c.ok, qPrintable(c.error));
    QCOMPARE(c.userLine, QStringLiteral("USER NAME=ZEL_FORNECEDOR"));
    QCOMPARE(c.passwordLine, QStringLiteral("PASSWORD="));
}

void TestCommon::schemaCreatesEveryTable() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    const struct {
        const char* which;
        DatabaseKind kind;
    } dbs[] = {{"geral", DatabaseKind::General},
               {"main", DatabaseKind::Main},
               {"fact", DatabaseKind::Invoicing}};
    for (const auto& d : dbs) {
        QSqlDatabase db = inst.open(QString::fromLatin1(d.which));
        const SqlDialect dialect = SqlDialect::forDatabase(db);
        for (const TableDef& t : schema::tables(d.kind)) {
            QSqlQuery q(db);
            FALQ_VERIFY_SQL(q, q.exec(dialect.tableExists(t.name)));
            QVERIFY2(q.next(), qPrintable(t.name));
            FALQ_VERIFY_SQL(q, q.exec(QStringLiteral("SELECT * FROM %1 WHERE 1 = 0").arg(t.name)));
            const QSqlRecord rec = q.record();
            QCOMPARE(rec.count(), t.columns.size());
            for (int i = 0; i < t.columns.size(); ++i)
                QCOMPARE(rec.fieldName(i).toUpper(), t.columns[i].name);
        }
    }
    // The SQL Server text comes from the same definitions.
    const QStringList mssql =
        schema::databaseScript(DatabaseKind::Main, SqlDialect(SqlDialect::Engine::SqlServer));
    QVERIFY(mssql.first().contains(QLatin1String("COLLATE SQL_Latin1_General_CP1_CI_AS")));
    QVERIFY(mssql.join(' ').contains(QLatin1String("NRO INT IDENTITY(1,1) PRIMARY KEY")));
}

void TestCommon::keysAndComparisonsIgnoreCase() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QVERIFY(
        inst.exec("main", "INSERT INTO DESENHOS (DESENHONRO, SIGLACLI) VALUES ('ab-1', 'Sumos')"));
    // The same key in other letters is a duplicate.
    QSqlQuery dup(inst.open("main"));
    QVERIFY(!dup.exec(QStringLiteral("INSERT INTO DESENHOS (DESENHONRO) VALUES ('AB-1')")));
    QCOMPARE(
        inst.scalar("main", "SELECT COUNT(*) FROM DESENHOS WHERE DESENHONRO = ?", {"AB-1"}).toInt(),
        1);
    const SqlDialect d = SqlDialect::forDatabase(inst.open("main"));
    QCOMPARE(inst.scalar("main", "SELECT COUNT(*) FROM DESENHOS WHERE " + d.like("SIGLACLI", "?"),
                         {"sUM%"})
                 .toInt(),
             1);
    // "%" keeps rows whose text is NULL.
    QVERIFY(inst.exec("main", "INSERT INTO DESENHOS (DESENHONRO) VALUES ('AB-2')"));
    QCOMPARE(
        inst.scalar("main", "SELECT COUNT(*) FROM DESENHOS WHERE " + d.like("SIGLACLI", "?"), {"%"})
            .toInt(),
        2);
}

void TestCommon::textLengthsAreEnforced() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QSqlQuery q(inst.open("main"));
    q.prepare(QStringLiteral("INSERT INTO CLICHES (CLICHENRO) VALUES (?)"));
    q.addBindValue(QStringLiteral("1234567890123")); // 13 characters, the column holds 12
    QVERIFY(!q.exec());
    q.addBindValue(QStringLiteral("123456789012"));
    FALQ_VERIFY_SQL(q, q.exec());
}

void TestCommon::upgradeFlagDefaultsToN() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QVERIFY(inst.exec("main", "INSERT INTO UTILIZADORES (NRO, PASSWOR) VALUES ('NOVO', 'X')"));
    QCOMPARE(inst.scalar("main", "SELECT UPGRADE_LICENSE FROM UTILIZADORES WHERE NRO = 'NOVO'")
                 .toString(),
             QStringLiteral("N"));
}

void TestCommon::dayRangesAreInclusive() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QSqlDatabase db = inst.open("main");
    const SqlDialect d = SqlDialect::forDatabase(db);
    const QDate day(2025, 3, 31);
    const QList<QDateTime> stamps = {QDateTime(day, QTime(0, 0)), QDateTime(day, QTime(23, 59, 59)),
                                     QDateTime(day.addDays(1), QTime(0, 0)),
                                     QDateTime(day.addDays(-1), QTime(23, 59))};
    for (const QDateTime& dt : stamps)
        QVERIFY(inst.exec("main",
                          "INSERT INTO MOVIMENTOS (CLICHENRO, DESENHONRO, DATA, TIPOREG) VALUES "
                          "('1', '', ?, 'CL')",
                          {d.bindDateTime(dt)}));
    const QString sql = "SELECT COUNT(*) FROM MOVIMENTOS WHERE " + d.dayRange("DATA", "?", "?");
    QCOMPARE(inst.scalar("main", sql, {d.dayStart(day), d.dayAfter(day)}).toInt(), 2);
    QCOMPARE(inst.scalar("main", "SELECT COUNT(*) FROM MOVIMENTOS WHERE " + d.year("DATA") +
                                     " = 2025 AND " + d.month("DATA") + " = 3")
                 .toInt(),
             3);
    // Dates come back as the same instant whatever the engine stores.
    QCOMPARE(parseDateTime(inst.scalar("main", "SELECT MAX(DATA) FROM MOVIMENTOS")), stamps[2]);
}

void TestCommon::catalogueRows() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QCOMPARE(inst.scalar("main", "SELECT COUNT(*) FROM APLICACAOCAP WHERE APLICACAO = 'FALQUINAS'")
                 .toInt(),
             5);
    QCOMPARE(inst.scalar("main", "SELECT COUNT(*) FROM APLICACAOMST WHERE APLICACAO = 'FALQUINAS'")
                 .toInt(),
             18);
    QCOMPARE(inst.scalar("main",
                         "SELECT COUNT(*) FROM APLICACAOMST WHERE CAPITULO = 'Movimentos' AND "
                         "PROGRAMA = 'Utiliz.Cliches e Desenhos'")
                 .toInt(),
             1);
}

QTEST_MAIN(TestCommon)
#include "tst_common.moc"
