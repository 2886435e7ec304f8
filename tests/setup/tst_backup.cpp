// Backup, verify and restore of a plant root: a backup taken while another program writes
// restores to a consistent database holding everything committed before it began; a damaged
// archive is refused by verify and restore, naming the file; a restore never writes over an
// installation unless told to; the register starts on what was restored.
#include "../shell/shellrun.h"
#include "backup.h"
#include "dialect.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace falq;

namespace {

QString sqliteFile(const test::Installation& inst) {
    return QDir(inst.root()).filePath(QStringLiteral("dados/falquinas.db"));
}

QVariant queryOn(const QString& file, const QString& sql) {
    QVariant value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "restored");
        db.setDatabaseName(file);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(sql) && q.next())
                value = q.value(0);
        }
    }
    QSqlDatabase::removeDatabase("restored");
    return value;
}

ServerLogin loginOf(const test::Installation& inst) {
    return {inst.settings().engine.user, inst.settings().engine.password};
}

// Re-packs an unpacked archive as it is (after a test changed it).
bool pack(const QString& folder, const QString& archive) {
    return QProcess::execute("tar", {"-czf", archive, "-C", folder, "."}) == 0;
}

} // namespace

class TestBackup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }
    void backupWhileAnotherProgramWrites();
    void damagedArchiveIsRefused_data();
    void damagedArchiveIsRefused();
    void restoreNeverWritesOverAnInstallation();
};

void TestBackup::backupWhileAnotherProgramWrites() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    if (inst.settings().engine.driver != QLatin1String("QSQLITE"))
        QSKIP("PostgreSQL: the copy is pg_dump's own snapshot");
    if (QStandardPaths::findExecutable("sqlite3").isEmpty())
        QSKIP("no sqlite3 program to write with");
    // Another program inserts movements one by one, each committed, all through the backup.
    QString script = ".timeout 10000\n";
    for (int i = 0; i < 4000; ++i)
        script += QStringLiteral("INSERT INTO MOVIMENTOS (DESENHONRO, CLICHENRO, NROUTIL, "
                                 "ROTACOES, ENCOMENDA, DATA, TIPOREG) VALUES ('', 'C%1', 1, 10, "
                                 "'', '2026-12-01 08:00:00', 'CL');\n")
                      .arg(i % 50);
    QProcess writer;
    writer.start("sqlite3", {sqliteFile(inst)});
    QVERIFY(writer.waitForStarted());
    writer.write(script.toUtf8());
    writer.closeWriteChannel();
    QTRY_VERIFY_WITH_TIMEOUT(inst.scalar("main", "SELECT COUNT(*) FROM MOVIMENTOS").toInt() > 50,
                             10000);
    const int maxBefore = inst.scalar("main", "SELECT MAX(NRO) FROM MOVIMENTOS").toInt();
    QTemporaryDir dest;
    QString archive;
    QString error;
    QVERIFY2(backupInstallation(inst.root(), dest.path(), &archive, &error, {}, loginOf(inst)),
             qPrintable(error));
    const bool stillWriting = writer.state() == QProcess::Running;
    QVERIFY(writer.waitForFinished(60000));
    QVERIFY2(QFileInfo(archive).fileName().startsWith("falquinas-"), qPrintable(archive));
    QVERIFY2(verifyArchive(archive, &error), qPrintable(error));

    QTemporaryDir place;
    const QString root = place.filePath("restaurada");
    QVERIFY2(restoreInstallation(archive, root, false, &error), qPrintable(error));
    const QString db = QDir(root).filePath("dados/falquinas.db");
    QCOMPARE(queryOn(db, "PRAGMA integrity_check").toString(), QStringLiteral("ok"));
    QCOMPARE(
        queryOn(db,
                QStringLiteral("SELECT COUNT(*) FROM MOVIMENTOS WHERE NRO <= %1").arg(maxBefore))
            .toInt(),
        maxBefore);
    // The kept sums agree with the movements copied (one snapshot of both).
    QCOMPARE(queryOn(db, "SELECT SUM(NROUTIL) FROM MOVIMENTOS_TOTAL").toInt(),
             queryOn(db, "SELECT COUNT(*) FROM MOVIMENTOS").toInt());
    if (!stillWriting)
        qWarning("the writer ended before the backup did: the test ran without a writer");
    QVERIFY(!QFile::exists(QDir(root).filePath(kManifest)));

    // The register starts on the restored installation.
    QSqlDatabase::database("test_main").close();
    qputenv("VELMORA_ROOT", root.toLocal8Bit());
    test::Run run;
    QVERIFY(run.start());
    QVERIFY(run.menu.sessionOpen());
    QVERIFY(run.session.dataset("MOVIMENTOS")->database().databaseName().contains(db));
}

void TestBackup::damagedArchiveIsRefused_data() {
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("named");
    QTest::newRow("cut short") << "cut"
                               << "falquinas-";
    QTest::newRow("a file changed") << "changed"
                                    << "aliases.ini";
    QTest::newRow("a file added") << "added"
                                  << "intruso.txt";
    QTest::newRow("a file missing") << "missing"
                                    << "aliases.ini";
}

void TestBackup::damagedArchiveIsRefused() {
    QFETCH(QString, damage);
    QFETCH(QString, named);
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QTemporaryDir dest;
    QString archive;
    QString error;
    QVERIFY2(backupInstallation(inst.root(), dest.path(), &archive, &error, {}, loginOf(inst)),
             qPrintable(error));
    if (damage == "cut") {
        QFile f(archive);
        QVERIFY(f.resize(f.size() / 2));
    } else {
        QTemporaryDir unpacked;
        QVERIFY2(unpackAndVerify(archive, unpacked.path(), &error), qPrintable(error));
        const QString aliases = unpacked.filePath("aliases.ini");
        if (damage == "changed") {
            QFile f(aliases);
            QVERIFY(f.open(QIODevice::Append));
            f.write("; changed\n");
        } else if (damage == "added") {
            QFile f(unpacked.filePath("intruso.txt"));
            QVERIFY(f.open(QIODevice::WriteOnly));
        } else {
            QVERIFY(QFile::remove(aliases));
        }
        QVERIFY(QFile::remove(archive));
        QVERIFY(pack(unpacked.path(), archive));
    }
    QVERIFY(!verifyArchive(archive, &error));
    QVERIFY2(error.contains(named), qPrintable(error));
    QTemporaryDir place;
    const QString root = place.filePath("nova");
    error.clear();
    QVERIFY(!restoreInstallation(archive, root, false, &error));
    QVERIFY2(error.contains(named), qPrintable(error));
    QVERIFY(!QFileInfo::exists(root));
    QCOMPARE(QDir(place.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList());
}

void TestBackup::restoreNeverWritesOverAnInstallation() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QTemporaryDir dest;
    QString archive;
    QString error;
    QVERIFY2(backupInstallation(inst.root(), dest.path(), &archive, &error, {}, loginOf(inst)),
             qPrintable(error));
    // Changed after the backup: the restore brings the machines back (PostgreSQL: into the
    // schemas the restored aliases name).
    const int machines = inst.scalar("main", "SELECT COUNT(*) FROM MAQUINAS").toInt();
    QVERIFY(machines > 0);
    QVERIFY(inst.exec("main", "DELETE FROM MAQUINAS"));
    QTemporaryDir place;
    const QString root = place.filePath("existente");
    QVERIFY(QDir().mkpath(root));
    QFile mine(QDir(root).filePath("notas.txt"));
    QVERIFY(mine.open(QIODevice::WriteOnly));
    mine.write("do utilizador");
    mine.close();
    QVERIFY(!restoreInstallation(archive, root, false, &error));
    QVERIFY2(error.contains("--replace"), qPrintable(error));
    QCOMPARE(QDir(root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{"notas.txt"});
    QCOMPARE(QDir(place.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{"existente"});
    // Told to: the installation restored, the one it replaced kept beside it.
    QVERIFY2(restoreInstallation(archive, root, true, &error, {}, loginOf(inst)),
             qPrintable(error));
    QVERIFY(QFileInfo::exists(QDir(root).filePath("aliases.ini")));
    if (inst.settings().engine.driver == QLatin1String("QSQLITE"))
        QCOMPARE(queryOn(QDir(root).filePath("dados/falquinas.db"), "SELECT COUNT(*) FROM MAQUINAS")
                     .toInt(),
                 machines);
    else
        QCOMPARE(inst.scalar("main", "SELECT COUNT(*) FROM MAQUINAS").toInt(), machines);
    const QStringList beside =
        QDir(place.path()).entryList({"existente.anterior-*"}, QDir::Dirs | QDir::NoDotAndDotDot);
    QCOMPARE(beside.size(), 1);
    QVERIFY(QFileInfo::exists(QDir(place.path()).filePath(beside.first() + "/notas.txt")));
}

QTEST_MAIN(TestBackup)
#include "tst_backup.moc"
