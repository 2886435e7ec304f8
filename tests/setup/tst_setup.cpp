// Installations and generated registers: what a demo holds, reproducibility and skew.
#include "aliases.h"
#include "engineclient.h"
#include "entertab.h"
#include "installer.h"
#include "testsupport.h"

#include <QDir>
#include <QImage>
#include <QLineEdit>
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
} // namespace

class TestSetup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }
    void generatedRegister();
    void sameSeedSameRegister();
    void existingInstallationIsRefused();
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
    // Skewed: the busiest client has several times the clichés of an average one.
    const int top =
        inst.scalar("main",
                    "SELECT MAX(N) FROM (SELECT COUNT(*) AS N FROM CLICHES GROUP BY SIGLACLI) T")
            .toInt();
    QVERIFY2(top >= 3 * size.cliches / size.clients, qPrintable(QString::number(top)));
    // Images and documents, named by number in the folders of the parameters.
    const QString folder =
        QDir::fromNativeSeparators(inst.scalar("main", "SELECT PATHCLICHE FROM PARGER").toString());
    QVERIFY(!QImage(folder + QStringLiteral("10000.JPG")).isNull());
    const QString drawings = QDir::fromNativeSeparators(
        inst.scalar("main", "SELECT PATHDESENHO FROM PARGER").toString());
    const QString firstDrawing =
        inst.scalar("main", "SELECT MIN(DESENHONRO) FROM DESENHOS").toString();
    QVERIFY(QFileInfo::exists(drawings + firstDrawing + QStringLiteral(".JPG")));
    QVERIFY(!QDir(drawings).entryList({QStringLiteral("*.pdf")}).isEmpty());
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
    // The drawings' folder is a file: no image can be written into it.
    const QString drawings = QDir(inst.root()).filePath(QStringLiteral("imagens/desenhos"));
    QVERIFY(QDir(drawings).removeRecursively());
    inst.writeFile(QStringLiteral("imagens/desenhos"), "not a folder");
    QString error;
    QVERIFY(!generateRegister(inst.settings(), test::smallRegister(3), &error));
    QVERIFY2(error.contains(drawings) && error.contains(QLatin1String(".JPG")), qPrintable(error));
    QCOMPARE(test::fileContent(drawings), QByteArray("not a folder"));
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
