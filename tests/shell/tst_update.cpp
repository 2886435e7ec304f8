// The update check against a real HTTP server on the loopback: information files newer,
// equal, older, missing and malformed, both modes, the download and start of the setup
// program, and the start-up's choice of file and mode.
#include "schema.h"
#include "shellrun.h"
#include "upgrader.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>

using namespace falq;
using falq::test::Run;

namespace {

QByteArray info(const QString& version) {
    return QStringLiteral(
               "; update information\n[Falquinas]\nVersao=%1\nData=2026-11-30\n"
               "Setup=/downloads/SetupFalquinas.exe\nNotas=Mapa de custos por cliente.\n")
        .arg(version)
        .toUtf8();
}

const QString kInfoPath = QStringLiteral("/Downloads/AppControls/UFalquinas.txt");
const QString kInfoPathMP = QStringLiteral("/Downloads/AppControls/UFalquinas_MP.txt");

struct Fixture {
    Fixture() {
        upgrader.setServer(server.url());
        upgrader.setInfoPath(kInfoPath);
        upgrader.setVersion(QStringLiteral("01.003"));
        upgrader.setLauncher([this](const QString& program, const QStringList& args) {
            launched = program;
            launchArgs = args;
            QFile f(program);
            launchedContent = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
            return true;
        });
    }
    bool finishFull() {
        QSignalSpy done(&upgrader, &Upgrader::checkFinished);
        upgrader.checkFull();
        return done.count() > 0 || done.wait(10000);
    }
    test::HttpServer server;
    test::RecordingMessages messages;
    Upgrader upgrader{messages};
    QString launched;
    QStringList launchArgs;
    QByteArray launchedContent;
};

} // namespace

class TestUpdate : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }
    void versionsCompareByNumber();
    void informationFileFormat();
    void checkOnlyAnswersQuietly_data();
    void checkOnlyAnswersQuietly();
    void fullCheckDownloadsAndStartsTheSetup();
    void fullCheckDeclinedDownloadsNothing();
    void setupCutShortIsNeverStarted();
    void fullCheckTellsFailures_data();
    void fullCheckTellsFailures();
    void startUpChoosesFileAndMode_data();
    void startUpChoosesFileAndMode();
};

void TestUpdate::versionsCompareByNumber() {
    bool ok = false;
    QCOMPARE(compareVersions("01.004", "01.003", &ok), 1);
    QVERIFY(ok);
    QCOMPARE(compareVersions("01.003", "01.003", &ok), 0);
    QCOMPARE(compareVersions("1.10", "1.9", &ok), 1); // numbers, not text
    QCOMPARE(compareVersions("01.002", "01.003", &ok), -1);
    compareVersions("AB.CDE", "01.003", &ok);
    QVERIFY(!ok);
}

void TestUpdate::informationFileFormat() {
    UpdateInfo i;
    QString error;
    QVERIFY2(parseUpdateInfo(info("01.004"), &i, &error), qPrintable(error));
    QCOMPARE(i.version, QStringLiteral("01.004"));
    QCOMPARE(i.date, QDate(2026, 11, 30));
    QCOMPARE(i.setupPath, QStringLiteral("/downloads/SetupFalquinas.exe"));
    QVERIFY(parseUpdateInfo("[Falquinas]\nVersao=2.0\n", &i, &error));
    QCOMPARE(i.setupPath, kDefaultSetupPath);
    QVERIFY(!parseUpdateInfo("<html>Not here</html>", &i, &error));
    QVERIFY(!parseUpdateInfo("[Falquinas]\nVersao=nova\n", &i, &error));
    QVERIFY(!parseUpdateInfo(QByteArray(100000, 'x'), &i, &error));
}

void TestUpdate::checkOnlyAnswersQuietly_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("newer");
    QTest::newRow("newer") << info("01.004") << 200 << true;
    QTest::newRow("equal") << info("01.003") << 200 << false;
    QTest::newRow("older") << info("01.001") << 200 << false;
    QTest::newRow("404") << QByteArray("missing") << 404 << false;
    QTest::newRow("malformed") << QByteArray("\x01\x02garbage") << 200 << false;
}

void TestUpdate::checkOnlyAnswersQuietly() {
    QFETCH(QByteArray, body);
    QFETCH(int, status);
    QFETCH(bool, newer);
    Fixture f;
    f.server.route(kInfoPath, body, status);
    QCOMPARE(f.upgrader.checkOnly(10000), newer);
    QCOMPARE(f.server.requested, QStringList{kInfoPath});
    QVERIFY(f.messages.shown.isEmpty());
    QVERIFY(f.messages.asked.isEmpty());
    QVERIFY(f.launched.isEmpty());
}

void TestUpdate::fullCheckDownloadsAndStartsTheSetup() {
    Fixture f;
    const QByteArray setup("MZ fake setup program");
    f.server.route(kInfoPath, info("01.004"));
    f.server.route("/downloads/SetupFalquinas.exe", setup);
    f.messages.answers = {true};
    QSignalSpy ended(&f.upgrader, &Upgrader::upgradeEnded);
    QVERIFY(f.finishFull());
    QCOMPARE(f.messages.asked.size(), 1);
    QVERIFY(f.messages.asked[0].contains("01.004"));
    QCOMPARE(f.server.requested, (QStringList{kInfoPath, "/downloads/SetupFalquinas.exe"}));
    QVERIFY(f.launched.endsWith("SetupFalquinas.exe"));
    QCOMPARE(f.launchedContent, setup);
    QCOMPARE(f.launchArgs, QStringList{"/verysilent"});
    QCOMPARE(ended.count(), 1);
    QCOMPARE(f.messages.shown.size(), 1); // the end is reported
    QFile::remove(f.launched);
}

void TestUpdate::fullCheckDeclinedDownloadsNothing() {
    Fixture f;
    f.server.route(kInfoPath, info("01.010"));
    f.messages.answers = {false};
    QVERIFY(f.finishFull());
    QCOMPARE(f.messages.asked.size(), 1);
    QCOMPARE(f.server.requested, QStringList{kInfoPath});
    QVERIFY(f.launched.isEmpty());
    // Equal or older versions ask nothing.
    for (const char* v : {"01.003", "01.002"}) {
        Fixture g;
        g.server.route(kInfoPath, info(v));
        QVERIFY(g.finishFull());
        QVERIFY(g.messages.asked.isEmpty());
        QVERIFY(g.messages.shown.isEmpty());
    }
}

void TestUpdate::setupCutShortIsNeverStarted() {
    QTemporaryDir temp; // the downloads' folder, to see what is left in it
    const QByteArray previousTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", temp.path().toLocal8Bit());
    Fixture f;
    QByteArray setup(12000, 'x'); // smaller than the write buffer: held back until the close
    setup.prepend("MZ");
    f.server.route(kInfoPath, info("01.004"));
    f.server.route("/downloads/SetupFalquinas.exe", setup);
    f.messages.answers = {true};
    QSignalSpy ended(&f.upgrader, &Upgrader::upgradeEnded);
    bool finished = false;
    {
        test::FileSizeLimit limit(4096);
        QVERIFY(limit.active());
        finished = f.finishFull();
    }
    qputenv("TMPDIR", previousTemp);
    QVERIFY(finished);
    QVERIFY2(f.launched.isEmpty(), qPrintable(f.launched));
    QCOMPARE(ended.count(), 0);
    QCOMPARE(f.messages.shown.size(), 1);
    QVERIFY2(
        f.messages.shown[0].contains("SetupFalquinas.exe") &&
            f.messages.shown[0].contains(QStringLiteral("Ficheiro maior do que o sistema permite")),
        qPrintable(f.messages.shown[0]));
    QCOMPARE(QDir(temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList());
}

void TestUpdate::fullCheckTellsFailures_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("serverDown");
    QTest::newRow("404") << QByteArray() << 404 << false;
    QTest::newRow("garbage") << QByteArray("garbage") << 200 << false;
    QTest::newRow("no server") << QByteArray() << 200 << true;
}

void TestUpdate::fullCheckTellsFailures() {
    QFETCH(QByteArray, body);
    QFETCH(int, status);
    QFETCH(bool, serverDown);
    Fixture f;
    if (serverDown)
        f.server.close(); // nothing listens on that port any more
    else
        f.server.route(kInfoPath, body, status);
    QVERIFY(f.finishFull());
    QCOMPARE(f.messages.shown.size(), 1);
    QVERIFY2(f.messages.shown[0].startsWith("Não foi possível procurar actualizações"),
             qPrintable(f.messages.shown[0]));
    QVERIFY(f.messages.asked.isEmpty());
    QVERIFY(f.launched.isEmpty());
}

void TestUpdate::startUpChoosesFileAndMode_data() {
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QString>("licence");
    QTest::addColumn<QString>("path");
    QTest::newRow("type S, licence N") << QByteArray("S\n") << "N" << kInfoPath;
    QTest::newRow("type M, licence N") << QByteArray("M\n") << "N" << kInfoPathMP;
    QTest::newRow("type S, licence empty") << QByteArray("S\n") << "" << kInfoPath;
    QTest::newRow("type X, licence S") << QByteArray("X\n") << "S" << kInfoPathMP;
}

void TestUpdate::startUpChoosesFileAndMode() {
    QFETCH(QByteArray, type);
    QFETCH(QString, licence);
    QFETCH(QString, path);
    test::HttpServer server;
    server.route(kInfoPath, info("01.009"));
    server.route(kInfoPathMP, info("01.009"));
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    inst.writeFile("programas/Computador/TipoComputador.txt", type);
    inst.writeFile("falquinas.ini",
                   "[Actualizacao]\nServidor=" + server.url().toString().toUtf8() + "\n");
    QVERIFY(inst.exec("main", "UPDATE UTILIZADORES SET UPGRADE_LICENSE = ?", {licence}));
    Run run;
    run.messages.answers = {false};
    QVERIFY(run.start());
    QVERIFY(run.menu.sessionOpen());
    QCOMPARE(run.menu.upgrader()->version(), schema::kProgramVersion);
    const bool licensed = licence == QLatin1String("S");
    QCOMPARE(run.menu.findChild<QPushButton*>("BotBusca")->isHidden(), !licensed);
    if (licensed)
        QTRY_COMPARE(run.messages.asked.size(), 1);
    else
        QTest::qWait(50);
    QCOMPARE(server.requested, QStringList{path});
    QCOMPARE(run.messages.asked.size(),
             licensed ? 1 : 0); // a user without the licence is never asked
    QVERIFY(run.messages.shown.isEmpty());
}

QTEST_MAIN(TestUpdate)
#include "tst_update.moc"
