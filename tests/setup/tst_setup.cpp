// Installations and generated registers: what a demo holds, reproducibility and skew.
#include "aliases.h"
#include "connections.h"
#include "engineclient.h"
#include "entertab.h"
#include "imagefiles.h"
#include "installer.h"
#include "plantroot.h"
#include "testsupport.h"

#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <QLineEdit>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>
#include <QVBoxLayout>

using namespace falq;

namespace {
RegisterSize small(quint32 seed) {
    return test::smallRegister(60, seed);
}

QStringList firstRows(test::Installation& inst, const QString& sql) {
    QStringList rows;
    QSqlQuery q(inst.open("main"));
    if (!q.exec(sql))
        return rows;
    while (q.next()) {
        QStringList cols;
        for (int i = 0; i < q.record().count(); ++i)
            cols << q.value(i).toString();
        rows << cols.join('|');
    }
    return rows;
}

// Every file and folder below `root`, relative to it.
QStringList treeOf(const QString& root) {
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        entries << QDir(root).relativeFilePath(it.next());
    entries.sort();
    return entries;
}

// A plant root whose path is longer than 90 characters.
QString longRoot(const QString& base) {
    return base + QStringLiteral("/instalacao-da-fabrica-de-embalagens-de-cartao-canelado/") +
           QStringLiteral("posto-da-pre-impressao");
}
} // namespace

class TestSetup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }
    void generatedRegister();
    void sameSeedSameRegister();
    void existingInstallationIsRefused();
    void installationInALongFolder();
    void valueThatDoesNotFitWritesNothing();
    void failedInstallationRemovesWhatItCreated();
    void imageThatCannotBeWrittenStopsTheGenerator();
    void enterMovesToTheNextBox();
    void clientTimesAreRead();
};

void TestSetup::generatedRegister() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QString error;
    const RegisterSize size = small(7);
    QVERIFY2(generateRegister(inst.settings(), size, &error), qPrintable(error));
    QCOMPARE(inst.scalar("main", "SELECT COUNT(*) FROM CLICHES").toInt(), size.cliches);
    QCOMPARE(inst.scalar("main", "SELECT COUNT(*) FROM DESENHOS").toInt(), size.drawings);
    QCOMPARE(inst.scalar("main", "SELECT COUNT(*) FROM MOVIMENTOS").toInt(), size.movements);
    QCOMPARE(inst.scalar("main", "SELECT COUNT(*) FROM REPARACOES").toInt(), size.repairs);
    QCOMPARE(inst.scalar("fact", "SELECT COUNT(*) FROM CLIENTES").toInt(), size.clients);
    // The other number of a movement or repair is empty, never NULL, and the kind matches.
    QCOMPARE(
        inst.scalar("main",
                    "SELECT COUNT(*) FROM MOVIMENTOS WHERE (TIPOREG = 'CL' AND DESENHONRO <> '') "
                    "OR (TIPOREG = 'DS' AND CLICHENRO <> '') OR CLICHENRO IS NULL OR DESENHONRO IS "
                    "NULL")
            .toInt(),
        0);
    QCOMPARE(
        inst.scalar("main",
                    "SELECT COUNT(*) FROM REPARACOES WHERE (TIPOREG = 'CL' AND DESENHONRO <> '') "
                    "OR (TIPOREG = 'DS' AND CLICHENRO <> '')")
            .toInt(),
        0);
    // Movements point at existing clichés and drawings.
    QCOMPARE(inst.scalar("main",
                         "SELECT COUNT(*) FROM MOVIMENTOS M WHERE M.TIPOREG = 'CL' AND NOT EXISTS "
                         "(SELECT 1 FROM CLICHES C WHERE C.CLICHENRO = M.CLICHENRO)")
                 .toInt(),
             0);
    QCOMPARE(inst.scalar("main",
                         "SELECT COUNT(*) FROM MOVIMENTOS M WHERE M.TIPOREG = 'DS' AND NOT EXISTS "
                         "(SELECT 1 FROM DESENHOS D WHERE D.DESENHONRO = M.DESENHONRO)")
                 .toInt(),
             0);
    // The forecast lives put the tools where a plant's are: most between 10 % and 80 % of
    // their life, about one in ten in warning (90 % to 99 %), a few worn.
    {
        int tools = 0, middle = 0, warning = 0, worn = 0;
        for (const char* sql :
             {"SELECT T.ROTACOES_PREV, SUM(M.ROTACOES) FROM CLICHES T JOIN MOVIMENTOS M ON "
              "M.CLICHENRO = T.CLICHENRO AND M.DESENHONRO = '' GROUP BY T.CLICHENRO, "
              "T.ROTACOES_PREV",
              "SELECT T.ROTACOES_PREV, SUM(M.ROTACOES) FROM DESENHOS T JOIN MOVIMENTOS M ON "
              "M.DESENHONRO = T.DESENHONRO AND M.CLICHENRO = '' GROUP BY T.DESENHONRO, "
              "T.ROTACOES_PREV"}) {
            QSqlQuery q(inst.open("main"));
            QVERIFY2(q.exec(QString::fromLatin1(sql)), qPrintable(q.lastError().text()));
            while (q.next()) {
                ++tools;
                const qint64 life = q.value(0).toLongLong();
                if (life <= 0)
                    continue;
                const qint64 percent = q.value(1).toLongLong() * 100 / life;
                middle += percent >= 10 && percent <= 80;
                warning += percent >= 90 && percent < 100;
                worn += percent >= 100;
            }
        }
        const QString shares = QStringLiteral("%1 tools: %2 middle, %3 warning, %4 worn")
                                   .arg(tools)
                                   .arg(middle)
                                   .arg(warning)
                                   .arg(worn);
        QVERIFY2(tools >= size.cliches, qPrintable(shares));
        QVERIFY2(middle >= tools * 6 / 10, qPrintable(shares));
        QVERIFY2(warning >= tools / 20 && warning <= tools / 5, qPrintable(shares));
        QVERIFY2(worn >= 1 && worn <= tools / 10, qPrintable(shares));
    }
    // Skewed: the busiest client has several times the clichés of an average one.
    const int top =
        inst.scalar("main",
                    "SELECT MAX(N) FROM (SELECT COUNT(*) AS N FROM CLICHES GROUP BY SIGLACLI) T")
            .toInt();
    QVERIFY2(top >= 3 * size.cliches / size.clients, qPrintable(QString::number(top)));
    // Images and documents, named by number in the folders of the parameters; every
    // document is one of its drawing's own files.
    const ImageParameters params = readImageParameters(inst.open("main"));
    QVERIFY(!QImage(clicheImagePath(params, QStringLiteral("10000"))).isNull());
    const QString firstDrawing =
        inst.scalar("main", "SELECT MIN(DESENHONRO) FROM DESENHOS").toString();
    QVERIFY(QFileInfo::exists(drawingImagePath(params, firstDrawing)));
    const QStringList documents = QDir(params.drawingFolder).entryList({QStringLiteral("*.pdf")});
    QVERIFY(!documents.isEmpty());
    for (const QString& document : documents) {
        const QString number = document.section(QLatin1Char('_'), 0, 0);
        QCOMPARE(inst.scalar("main", "SELECT COUNT(*) FROM DESENHOS WHERE DESENHONRO = ?", {number})
                     .toInt(),
                 1);
        QVERIFY2(listRecordFiles(params.drawingFolder, number).contains(document),
                 qPrintable(document));
    }
}

void TestSetup::sameSeedSameRegister() {
    const QString sql =
        QStringLiteral("SELECT CLICHENRO, SIGLACLI, REFERENCIA, COR_01, DATA FROM CLICHES "
                       "ORDER BY CLICHENRO");
    QStringList first;
    for (int run = 0; run < 2; ++run) {
        test::Installation inst;
        QVERIFY2(inst.ok(), qPrintable(inst.error()));
        RegisterSize size = small(99);
        size.images = size.documents = false;
        QString error;
        QVERIFY2(generateRegister(inst.settings(), size, &error), qPrintable(error));
        const QStringList rows = firstRows(inst, sql);
        QCOMPARE(rows.size(), size.cliches);
        if (run == 0)
            first = rows;
        else
            QCOMPARE(rows, first);
    }
}

void TestSetup::imageThatCannotBeWrittenStopsTheGenerator() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    // A folder stands where the first cliché's image goes: that image cannot be written.
    const QString blocked = QDir(inst.root()).filePath(QStringLiteral("imagens/cliches/10000.JPG"));
    inst.writeFile(QStringLiteral("imagens/cliches/10000.JPG/kept.txt"), "kept");
    QString error;
    QVERIFY(!generateRegister(inst.settings(), test::smallRegister(3), &error));
    QVERIFY2(error.contains(blocked), qPrintable(error));
    QCOMPARE(test::fileContent(QDir(blocked).filePath(QStringLiteral("kept.txt"))),
             QByteArray("kept"));
}

void TestSetup::existingInstallationIsRefused() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    InstallationSettings again = inst.settings();
    again.engine.schemaPrefix += QStringLiteral("b_");
    QString error;
    QVERIFY(!createInstallation(again, &error));
    QVERIFY2(error.contains(inst.root()), qPrintable(error));
}

void TestSetup::installationInALongFolder() {
    test::Installation inst([](InstallationSettings& s) { s.root = longRoot(s.root); });
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QVERIFY(inst.root().size() > 90);
    // The installation's own folders are stored relative to the plant root and found there.
    const QString logos = inst.scalar("geral", "SELECT PATHFOTOSLOGO FROM EMPRESAS").toString();
    QCOMPARE(QDir::fromNativeSeparators(logos), QStringLiteral("logos/"));
    QCOMPARE(QDir::fromNativeSeparators(resolveFolder(logos)),
             QDir(inst.root()).filePath(QStringLiteral("logos")));
    QCOMPARE(
        QDir::fromNativeSeparators(inst.scalar("fact", "SELECT PATHFOTO FROM PARGER").toString()),
        QStringLiteral("fotos/"));
    const ImageParameters params = readImageParameters(inst.open("main"));
    QCOMPARE(QDir::fromNativeSeparators(params.clicheFolder),
             QDir(inst.root()).filePath(QStringLiteral("imagens/cliches")));
    QString error;
    RegisterSize size = test::smallRegister(5);
    size.documents = false;
    QVERIFY2(generateRegister(inst.settings(), size, &error), qPrintable(error));
    QVERIFY(QFileInfo::exists(clicheImagePath(params, QStringLiteral("10000"))));
    // An absolute folder is used as it is.
    QCOMPARE(resolveFolder(QStringLiteral("/srv/imagens/")), QStringLiteral("/srv/imagens/"));
    QCOMPARE(resolveFolder(QStringLiteral("C:\\Imagens\\")), QStringLiteral("C:\\Imagens\\"));
    QCOMPARE(resolveFolder(QString()), QString());
}

void TestSetup::valueThatDoesNotFitWritesNothing() {
    const QString name = QStringLiteral("Cartonagem e Embalagens do Vale do Vouga, Lda"); // 46
    test::Installation inst([&](InstallationSettings& s) { s.companyName = name; });
    QVERIFY(!inst.ok());
    // It says which value does not fit where, and what to do.
    for (const QString& part : {name, QStringLiteral("EMPRESAS.NOME"), QStringLiteral("40"),
                                QStringLiteral("--company-name")})
        QVERIFY2(inst.error().contains(part), qPrintable(inst.error()));
    QCOMPARE(treeOf(inst.root()), QStringList());
    QCOMPARE(test::schemasOf(inst.settings()), QStringList());
}

void TestSetup::failedInstallationRemovesWhatItCreated() {
    // The notes document cannot be written (a folder has its name): the run fails after the
    // databases were made and filled. What was in the folder before stays.
    const QStringList before = {"imagens",   "imagens/antiga.JPG", "nota.txt",
                                "programas", "programas/Pdf",      "programas/Pdf/Falquinas.pdf"};
    auto prepare = [](const QString& root) {
        QDir(root).mkpath(QStringLiteral("programas/Pdf/Falquinas.pdf"));
        QDir(root).mkpath(QStringLiteral("imagens"));
        for (const char* name : {"nota.txt", "imagens/antiga.JPG"}) {
            QFile f(QDir(root).filePath(QString::fromLatin1(name)));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write("antes") == 5);
        }
    };
    test::Installation inst([&](InstallationSettings& s) {
        s.root = longRoot(s.root);
        prepare(s.root);
    });
    QVERIFY(!inst.ok());
    QVERIFY2(inst.error().contains(QLatin1String("Falquinas.pdf")), qPrintable(inst.error()));
    QCOMPARE(treeOf(inst.root()), before);
    QCOMPARE(test::schemasOf(inst.settings()), QStringList());
    QFile kept(QDir(inst.root()).filePath(QStringLiteral("nota.txt")));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("antes"));

    // Once the obstacle is gone the same command installs, the demo register included.
    QVERIFY(QDir(inst.root()).rmdir(QStringLiteral("programas/Pdf/Falquinas.pdf")));
    QString error;
    RegisterSize size = test::smallRegister(5);
    const bool installed = createInstallation(inst.settings(), &error, &size);
    const int cliches = installed ? inst.scalar("main", "SELECT COUNT(*) FROM CLICHES").toInt() : 0;
    for (const QString& c : QSqlDatabase::connectionNames())
        if (c.startsWith(QLatin1String("test_")))
            closeConnection(c);
    test::dropSchemas(inst.settings());
    QVERIFY2(installed, qPrintable(error));
    QCOMPARE(cliches, size.cliches);
    QVERIFY(QFileInfo::exists(QDir(inst.root()).filePath(QStringLiteral("aliases.ini"))));
    QVERIFY(QFileInfo::exists(QDir(inst.root()).filePath(QStringLiteral("nota.txt"))));
}

void TestSetup::enterMovesToTheNextBox() {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* first = new QLineEdit(&window);
    auto* second = new QLineEdit(&window);
    layout->addWidget(first);
    layout->addWidget(second);
    EnterAsTab::install(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    first->setFocus();
    QTRY_VERIFY(first->hasFocus());
    QTest::keyClick(first, Qt::Key_Return);
    QTRY_VERIFY(second->hasFocus());
}

void TestSetup::clientTimesAreRead() {
    const QList<double> t =
        bench::parseClientTimes(QStringLiteral("Run Time: real 0.012 user 0.010 sys 0.001\n"
                                               "Time: 3.250 ms\n"
                                               "Time: 1.5 ms (00:00.002)\n"
                                               "noise Time: 9 ms\n"));
    QCOMPARE(t, (QList<double>{12.0, 3.25, 1.5}));
    // The engine's own client on a real register: one time per statement and run.
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    if (QStandardPaths::findExecutable(test::usePostgres() ? "psql" : "sqlite3").isEmpty())
        QSKIP("the engine's client is not installed");
    bench::EngineTarget target;
    QString error;
    QVERIFY2(readAlias(inst.settings().mainAlias, &target.alias, &error), qPrintable(error));
    target.user = inst.settings().engine.user;
    target.password = inst.settings().engine.password;
    const QList<double> runs = bench::timeWithClient(
        target, {"SELECT * FROM MAQUINAS", "SELECT COUNT(*) FROM CORES"}, 3, &error);
    QVERIFY2(runs.size() == 3, qPrintable(error));
    for (double r : runs)
        QVERIFY(r >= 0);
}

QTEST_MAIN(TestSetup)
#include "tst_setup.moc"
