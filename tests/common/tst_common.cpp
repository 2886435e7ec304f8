// Plant root, workstation files, aliases, the credential library, dialects and the schema.
#include "aliases.h"
#include "codenames.h"
#include "connections.h"
#include "credentials.h"
#include "dialect.h"
#include "imagefiles.h"
#include "plantconfig.h"
#include "plantroot.h"
#include "rights.h"
#include "schema.h"
#include "testsupport.h"
#include "wholefile.h"
#include "workstation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>

using namespace falq;

class TestCommon : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }

    void workstationFileRules_data();
    void workstationFileRules();
    void workstationFileMissing();
    void pathsMatchWithoutCase();
    void settingWrittenKeepsTheFile_data();
    void settingWrittenKeepsTheFile();
    void aliasErrorsNameTheAlias();
    void damagedDatabaseFilesAreRefused_data();
    void damagedDatabaseFilesAreRefused();
    void onlyTheInstallerCreatesDatabases();
    void anotherConnectionKeepsTheFileLocked();
    void wholeFileOrNothing();
    void failedReadsSayWhy();
    void rightsOfTheCompanyWithExactKeys();
    void credentialLibrary();
    void credentialLibraryMissing();
    void credentialLibraryOfTwoEntries();
    void schemaCreatesEveryTable();
    void keysAndComparisonsIgnoreCase();
    void textLengthsAreEnforced();
    void upgradeFlagDefaultsToN();
    void dayRangesAreInclusive();
    void datesReadFromText_data();
    void datesReadFromText();
    void catalogueRows();
    void numbersAsThePlantWritesThem_data();
    void numbersAsThePlantWritesThem();
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

void TestCommon::settingWrittenKeepsTheFile_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("no file") << QString() << "[Etiquetas]\nFormato=Rolo-62x29\n";
    QTest::newRow("other sections and comments")
        << "; da fábrica\n[VidaUtil]\nAviso=80 ; mais cedo\n"
        << "; da fábrica\n[VidaUtil]\nAviso=80 ; mais cedo\n[Etiquetas]\nFormato=Rolo-62x29\n";
    QTest::newRow("section without the key, before another")
        << "[Etiquetas]\nOutra=1\n\n[Geral]\nSite=x\n"
        << "[Etiquetas]\nOutra=1\nFormato=Rolo-62x29\n\n[Geral]\nSite=x\n";
    QTest::newRow("value replaced, its comment kept")
        << "[Etiquetas]\nformato = A4-3x8 ; escolhido\n[Geral]\nFormato=fica\n"
        << "[Etiquetas]\nFormato=Rolo-62x29                    ; escolhido\n[Geral]\n"
           "Formato=fica\n";
}

void TestCommon::settingWrittenKeepsTheFile() {
    QFETCH(QString, before);
    QFETCH(QString, after);
    QTemporaryDir dir;
    qputenv("VELMORA_ROOT", dir.path().toLocal8Bit());
    const QString path = dir.filePath(QStringLiteral("falquinas.ini"));
    if (!before.isNull()) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(before.toUtf8());
    }
    QVERIFY(PlantConfig::write(QStringLiteral("Etiquetas/Formato"), QStringLiteral("Rolo-62x29")));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(f.readAll()), after);
    QCOMPARE(PlantConfig::read().labelFormat, QStringLiteral("Rolo-62x29"));
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

void TestCommon::damagedDatabaseFilesAreRefused_data() {
    using K = test::DamagedDatabase;
    test::addDamagedDatabaseRows({K::Missing, K::Empty, K::Text, K::Truncated, K::BrokenSchema});
}

void TestCommon::damagedDatabaseFilesAreRefused() {
    QFETCH(int, kind);
    QFETCH(QString, reason);
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    const QString file =
        inst.aliasOnDamagedDatabase(QStringLiteral("DANIFICADA"), test::DamagedDatabase(kind));
    QVERIFY(!file.isEmpty());
    const QByteArray before = test::fileContent(file);
    QString error;
    QVERIFY(!openAlias(QStringLiteral("test_x"), QStringLiteral("danificada"), {}, {}, &error));
    QVERIFY2(error.contains(QLatin1String("\"DANIFICADA\"")) &&
                 error.contains(QDir::toNativeSeparators(file)) && error.contains(reason),
             qPrintable(error));
    QVERIFY(!QSqlDatabase::contains(QStringLiteral("test_x")));
    // The file is left exactly as it was (a missing one is not created).
    QCOMPARE(QFileInfo::exists(file), kind != int(test::DamagedDatabase::Missing));
    QCOMPARE(test::fileContent(file), before);
}

void TestCommon::onlyTheInstallerCreatesDatabases() {
    QTemporaryDir dir;
    // Any characters of a folder name reach the engine intact.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("dados #1 ?%20")));
    const QString file = dir.filePath(QStringLiteral("dados #1 ?%20/nova.db"));
    QString error;
    {
        test::FileSizeLimit limit(1024); // less than the first page
        QVERIFY(limit.active());
        QVERIFY(!createSqliteDatabase(file, &error));
    }
    QVERIFY2(error.contains(QLatin1String("nova.db")), qPrintable(error));
    QCOMPARE(QDir(QFileInfo(file).path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    QVERIFY2(createSqliteDatabase(file, &error), qPrintable(error));
    QVERIFY(test::fileContent(file).startsWith(QByteArray("SQLite format 3\0", 16)));
    QVERIFY(!createSqliteDatabase(file, &error)); // never over an existing file
    QVERIFY2(error.contains(QStringLiteral("já existe")), qPrintable(error));
    AliasDef def;
    def.name = QStringLiteral("NOVA");
    def.driver = QStringLiteral("QSQLITE");
    def.database = file;
    QVERIFY2(openConnection(QStringLiteral("test_x"), def, {}, {}, &error), qPrintable(error));
    {
        QSqlQuery q(QSqlDatabase::database(QStringLiteral("test_x")));
        FALQ_VERIFY_SQL(q, q.exec(QStringLiteral("CREATE TABLE T (A INTEGER)")));
        FALQ_VERIFY_SQL(q, q.exec(QStringLiteral("PRAGMA journal_mode")) && q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("wal"));
    }
    closeConnection(QStringLiteral("test_x"));
    // An alias may ask for reading only.
    def.options = QStringLiteral("QSQLITE_OPEN_READONLY");
    QVERIFY2(openConnection(QStringLiteral("test_x"), def, {}, {}, &error), qPrintable(error));
    {
        QSqlQuery q(QSqlDatabase::database(QStringLiteral("test_x")));
        FALQ_VERIFY_SQL(q, q.exec(QStringLiteral("SELECT COUNT(*) FROM T")));
        QVERIFY(!q.exec(QStringLiteral("CREATE TABLE U (A INTEGER)")));
    }
    closeConnection(QStringLiteral("test_x"));
}

namespace {

// Runs `sql` on the database file in a process of its own (the engine's command-line tool,
// which waits for no lock); its output, or "erro: ..." when it failed.
QString otherProcess(const QString& file, const QString& sql) {
    QProcess p;
    p.start(QStringLiteral("sqlite3"), {QStringLiteral("-batch"), file, sql});
    if (!p.waitForFinished(10000))
        return QStringLiteral("erro: ") + p.errorString();
    const QString out = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QStringLiteral("erro: ") + QString::fromUtf8(p.readAllStandardError()).trimmed();
    return out;
}

} // namespace

void TestCommon::anotherConnectionKeepsTheFileLocked() {
    if (QStandardPaths::findExecutable(QStringLiteral("sqlite3")).isEmpty())
        QSKIP("the sqlite3 command-line tool is not installed");
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("partilhada.db"));
    QString error;
    QVERIFY2(createSqliteDatabase(file, &error), qPrintable(error));
    AliasDef def;
    def.name = QStringLiteral("PARTILHADA");
    def.driver = QStringLiteral("QSQLITE");
    def.database = file;
    QVERIFY2(openConnection(QStringLiteral("test_a"), def, {}, {}, &error), qPrintable(error));
    {
        QSqlQuery q(QSqlDatabase::database(QStringLiteral("test_a")));
        FALQ_VERIFY_SQL(q, q.exec(QStringLiteral("CREATE TABLE T (A INTEGER PRIMARY KEY)")));
        FALQ_VERIFY_SQL(q, q.exec(QStringLiteral("INSERT INTO T VALUES (1)")));
    }
    // Another program may not take the file for itself while this one has it open, before
    // and after a second connection of this process to the same file.
    const QString takeAll =
        QStringLiteral("PRAGMA locking_mode=EXCLUSIVE; SELECT COUNT(*) FROM T;");
    QVERIFY(otherProcess(file, takeAll).contains(QLatin1String("locked")));
    QVERIFY2(openConnection(QStringLiteral("test_b"), def, {}, {}, &error), qPrintable(error));
    const QString taken = otherProcess(file, takeAll);
    QVERIFY2(taken.contains(QLatin1String("locked")), qPrintable(taken));
    // Writes of both programs in turn: the one that ends last never folds its log into the
    // file over the other's rows.
    QCOMPARE(otherProcess(file, QStringLiteral("INSERT INTO T VALUES (2);")), QString());
    {
        QSqlQuery q(QSqlDatabase::database(QStringLiteral("test_a")));
        FALQ_VERIFY_SQL(q, q.exec(QStringLiteral("INSERT INTO T VALUES (3)")));
    }
    QCOMPARE(otherProcess(file, QStringLiteral("INSERT INTO T VALUES (4);")), QString());
    closeConnection(QStringLiteral("test_b"));
    closeConnection(QStringLiteral("test_a"));
    QCOMPARE(otherProcess(file, QStringLiteral("PRAGMA integrity_check; "
                                               "SELECT group_concat(A) FROM (SELECT A FROM T "
                                               "ORDER BY A);")),
             QStringLiteral("ok\n1,2,3,4"));
}

void TestCommon::wholeFileOrNothing() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("relatorio.pdf"));
    const QByteArray first(3000, 'a');
    QString error;
    QVERIFY2(writeWholeFile(path, first, ExistingFile::Refuse, &error), qPrintable(error));
    QVERIFY(!writeWholeFile(path, "outro", ExistingFile::Refuse, &error));
    QVERIFY2(error.contains(QStringLiteral("já existe")), qPrintable(error));
    // A replacement cut short keeps the earlier file whole.
    for (const int size : {6000, 100000}) { // held back until the close; refused at once
        test::FileSizeLimit limit(4096);
        QVERIFY(limit.active());
        QVERIFY(!writeWholeFile(path, QByteArray(size, 'b'), ExistingFile::Replace, &error));
        QVERIFY2(error.contains(path) &&
                     error.contains(QStringLiteral("Ficheiro maior do que o sistema permite")),
                 qPrintable(error));
    }
    QCOMPARE(test::fileContent(path), first);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("relatorio.pdf")});
    // With room it is replaced; permissions hold from the first byte.
    QVERIFY2(writeWholeFile(path, "novo", ExistingFile::Replace, &error,
                            QFileDevice::ReadOwner | QFileDevice::WriteOwner),
             qPrintable(error));
    QCOMPARE(test::fileContent(path), QByteArray("novo"));
    QCOMPARE(QFile::permissions(path) & (0x7000 | 0x0070 | 0x0007),
             QFileDevice::ReadOwner | QFileDevice::WriteOwner); // owner, group, others
    // A writer dropped before its commit leaves nothing, not even the name it held.
    {
        WholeFileWriter writer(dir.filePath(QStringLiteral("meio.txt")), ExistingFile::Refuse);
        QVERIFY(writer.create());
        QCOMPARE(writer.write("metade"), 6);
    }
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("meio.txt"))));
}

void TestCommon::failedReadsSayWhy() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QVERIFY(inst.exec("main", "DROP TABLE APLICACAODET"));
    QVERIFY(inst.exec("main", "DROP TABLE PARGER"));
    // The statement itself fails, and the engine's reason comes back rather than a
    // complaint about the values bound to a statement that never existed.
    QString error;
    const AccessRights rights =
        lookupRights(inst.open("main"), QStringLiteral("FALQUINAS"), QStringLiteral("1"),
                     QStringLiteral("CORTP010"), inst.settings().userCode,
                     inst.settings().companyNumber, &error);
    QVERIFY(!rights.found);
    QVERIFY2(error.contains(QLatin1String("aplicacaodet"), Qt::CaseInsensitive), qPrintable(error));
    error.clear();
    const ImageParameters p = readImageParameters(inst.open("main"), &error);
    QVERIFY(p.clicheFolder.isEmpty());
    QVERIFY2(error.contains(QLatin1String("parger"), Qt::CaseInsensitive), qPrintable(error));
}

void TestCommon::rightsOfTheCompanyWithExactKeys() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    const QString user = inst.settings().userCode;
    // Company 2 shares the main database; its row of the same program forbids.
    QVERIFY(inst.exec("main",
                      "INSERT INTO APLICACAODET (APLICACAO, CAPITULO, PROGRAMA, EMPNRO, "
                      "UTIL, ACEDER) VALUES (?, 'Cliches', 'Consulta', 2, ?, 'N')",
                      {schema::kModuleCode, user}));
    auto aceder = [&](int company) {
        QString error;
        const AccessRights r =
            lookupRights(inst.open("main"), schema::kModuleCode, QStringLiteral("Cliches"),
                         QStringLiteral("Consulta"), user, company, &error);
        return error.isEmpty() && r.found && r.aceder;
    };
    QVERIFY(aceder(1)); // the signed-in company's own row decides
    QVERIFY(!aceder(2));
    // Company 1's row no longer matches exactly: the row of company 2 counts.
    QVERIFY(inst.exec("main", "UPDATE APLICACAODET SET PROGRAMA = 'CONSULTA' WHERE EMPNRO = 1 AND "
                              "CAPITULO = 'Cliches' AND PROGRAMA = 'Consulta'"));
    QVERIFY(!aceder(1));
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
    // "%" is no condition, so it keeps rows whose text is NULL; any other pattern compares
    // the column itself.
    QVERIFY(SqlDialect::matchesEverything("%"));
    QVERIFY(SqlDialect::matchesEverything("%%"));
    QVERIFY(!SqlDialect::matchesEverything(""));
    QVERIFY(!SqlDialect::matchesEverything("%A%"));
    QVERIFY(inst.exec("main", "INSERT INTO DESENHOS (DESENHONRO) VALUES ('AB-2')"));
    QCOMPARE(inst.scalar("main", "SELECT COUNT(*) FROM DESENHOS WHERE " + d.like("SIGLACLI", "?"),
                         {"S%"})
                 .toInt(),
             1);
    // A backslash is a plain character, also at the end of a pattern; "_" and "%" stay wildcards.
    QVERIFY(
        inst.exec("main", "INSERT INTO DESENHOS (DESENHONRO, SIGLACLI) VALUES ('AB-3', 'a\\b_c')"));
    const auto count = [&](const QString& pattern) {
        return inst
            .scalar("main", "SELECT COUNT(*) FROM DESENHOS WHERE " + d.like("SIGLACLI", "?"),
                    {pattern})
            .toInt();
    };
    QCOMPARE(count("A\\B%"), 1);
    QCOMPARE(count("%\\"), 0);
    QCOMPARE(count("a_b%"), 1);
    QCOMPARE(count("a_c%"), 0);
    QCOMPARE(count("a\\b_c"), 1);
    QCOMPARE(count("a\\_%"), 1);
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

void TestCommon::datesReadFromText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDateTime>("expected");
    const QDateTime at(QDate(2024, 3, 5), QTime(7, 8, 9));
    QTest::newRow("as written") << "2024-03-05 07:08:09" << at;
    QTest::newRow("fraction ignored") << "2024-03-05 07:08:09.750" << at;
    QTest::newRow("blanks around") << "  2024-03-05 07:08:09 " << at;
    QTest::newRow("ISO with T") << "2024-03-05T07:08:09" << at;
    QTest::newRow("ISO in UTC") << "2024-03-05T07:08:09Z"
                                << QDateTime(QDate(2024, 3, 5), QTime(7, 8, 9), Qt::UTC);
    QTest::newRow("date only") << "2024-03-05" << QDateTime(QDate(2024, 3, 5), QTime(0, 0));
    QTest::newRow("month 13") << "2024-13-05 07:08:09" << QDateTime();
    QTest::newRow("hour 24") << "2024-03-05 24:08:09" << QDateTime(QDate(2024, 3, 5), QTime(0, 0));
    QTest::newRow("29 February") << "2023-02-29 10:00:00" << QDateTime();
    QTest::newRow("29 February, leap year")
        << "2024-02-29 23:59:59" << QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59));
    QTest::newRow("year 1") << "0001-01-01 00:00:00" << QDateTime(QDate(1, 1, 1), QTime(0, 0));
    QTest::newRow("letters") << "2024-O3-05 07:08:09" << QDateTime();
    QTest::newRow("empty") << "" << QDateTime();
}

void TestCommon::datesReadFromText() {
    QFETCH(QString, text);
    QFETCH(QDateTime, expected);
    const QDateTime read = parseDateTime(text);
    QCOMPARE(read.isValid(), expected.isValid());
    if (expected.isValid()) {
        QCOMPARE(read, expected);
        QCOMPARE(read.timeSpec(), expected.timeSpec());
    }
    // Whatever the layout, the same as Qt's own parser of the register's layout where that
    // one reads it.
    const QDateTime general =
        QDateTime::fromString(text.trimmed().left(19), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (general.isValid())
        QCOMPARE(read, general);
}

void TestCommon::catalogueRows() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QCOMPARE(inst.scalar("main", "SELECT COUNT(*) FROM APLICACAOCAP WHERE APLICACAO = 'FALQUINAS'")
                 .toInt(),
             5);
    QCOMPARE(inst.scalar("main", "SELECT COUNT(*) FROM APLICACAOMST WHERE APLICACAO = 'FALQUINAS'")
                 .toInt(),
             20);
    QCOMPARE(inst.scalar("main",
                         "SELECT COUNT(*) FROM APLICACAOMST WHERE CAPITULO = 'Movimentos' AND "
                         "PROGRAMA = 'Utiliz.Cliches e Desenhos'")
                 .toInt(),
             1);
}

void TestCommon::numbersAsThePlantWritesThem_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("read");
    QTest::addColumn<double>("value");
    QTest::newRow("points between thousands") << "1.500" << true << 1500.0;
    QTest::newRow("thousands and cents") << "1.234.567,89" << true << 1234567.89;
    QTest::newRow("blanks between thousands") << " 12 000,5 " << true << 12000.5;
    QTest::newRow("plain with comma") << "1500,25" << true << 1500.25;
    QTest::newRow("negative") << "-3,5" << true << -3.5;
    QTest::newRow("zero with cents") << "0,00" << true << 0.0;
    QTest::newRow("a point as decimal") << "1.5" << false << 0.0;
    QTest::newRow("group of two") << "1.50,0" << false << 0.0;
    QTest::newRow("two commas") << "1,5,0" << false << 0.0;
    QTest::newRow("words") << "doze" << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
}

void TestCommon::numbersAsThePlantWritesThem() {
    QFETCH(QString, typed);
    QFETCH(bool, read);
    QFETCH(double, value);
    double got = -1;
    QCOMPARE(parseDecimal(typed, &got), read);
    if (!read)
        return;
    QCOMPARE(got, value);
    // What is shown again reads back the same.
    double again = -1;
    QVERIFY(parseDecimal(decimalText(got), &again));
    QCOMPARE(again, value);
}

QTEST_MAIN(TestCommon)
#include "tst_common.moc"
