// From the administration utility to the main program: one main database holds the rights of
// companies 1 and 2; a right taken away in company 2 in the rights window disables the menu
// entry of the main program signed in at company 2, while a right that only company 1 has
// still enables its entry there.
#include "../shell/shellrun.h"
#include "FALQADMINACESSOS.h"
#include "adminrun.h"

#include <QAction>

using namespace falq;

class TestRoundTrip : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }
    void rightTakenAwayInTheSignedInCompany();
};

void TestRoundTrip::rightTakenAwayInTheSignedInCompany() {
    // The workstation signs in at company 2; company 1 shares the main database, and the
    // user's rows there grant everything.
    test::Installation inst([](InstallationSettings& s) {
        s.companyNumber = 2;
        s.companyName = QStringLiteral("Cartonagem do Vale - Unidade 2");
    });
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QVERIFY(inst.exec("geral",
                      "INSERT INTO EMPRESAS (EMPNRO, NOME, BDCONTAB, BDFACTURA, BDESPECIF02) "
                      "SELECT 1, 'Cartonagem do Vale, Lda', BDCONTAB, BDFACTURA, BDESPECIF02 "
                      "FROM EMPRESAS WHERE EMPNRO = 2"));
    QVERIFY(inst.exec("main", "INSERT INTO APLICACAODET (APLICACAO, CAPITULO, PROGRAMA, EMPNRO, "
                              "UTIL, ACEDER, INSERIR, ALTERAR, ELIMINAR, IMPORTAR, IMPRIMIR, "
                              "ARQUIVAR, MAIL, SCANNER) SELECT APLICACAO, CAPITULO, PROGRAMA, 1, "
                              "UTIL, 'S', 'S', 'S', 'S', 'S', 'S', 'S', 'S', 'S' FROM "
                              "APLICACAODET WHERE EMPNRO = 2"));
    // "Mapa de Custos": a row in company 1 only.
    QVERIFY(inst.exec("main", "DELETE FROM APLICACAODET WHERE EMPNRO = 2 AND PROGRAMA = 'Mapa "
                              "de Custos'"));

    {
        test::AdminRun admin(inst);
        QVERIFY(admin.start(2));
        TFALQADMINACESSOS window(admin.session);
        QVERIFY(test::showActive(&window));
        auto* chapters = window.findChild<QTableView*>("DBGridCap");
        auto* rights = window.findChild<QTableView*>("DBGridWorkDet");
        QVERIFY(test::selectRowWith(chapters, 0, "Cliches"));
        QTRY_COMPARE(window.currentChapter(), QStringLiteral("Cliches"));
        int row = -1;
        for (int r = 0; r < rights->model()->rowCount(); ++r)
            if (rights->model()->index(r, 0).data().toString() == QLatin1String("Consulta"))
                row = r;
        QVERIFY(row >= 0);
        // Unticked with the mouse, on the check box of "Aceder".
        QTest::mouseClick(rights->viewport(), Qt::LeftButton, {}, test::checkBoxAt(rights, row, 1));
        window.close();
        QTRY_VERIFY(!window.isVisible());
        QVERIFY(admin.messages.shown.isEmpty());
    }
    QCOMPARE(inst.scalar("main", "SELECT ACEDER FROM APLICACAODET WHERE EMPNRO = 2 AND CAPITULO "
                                 "= 'Cliches' AND PROGRAMA = 'Consulta'")
                 .toString(),
             QStringLiteral("N"));
    QCOMPARE(inst.scalar("main", "SELECT ACEDER FROM APLICACAODET WHERE EMPNRO = 1 AND CAPITULO "
                                 "= 'Cliches' AND PROGRAMA = 'Consulta'")
                 .toString(),
             QStringLiteral("S"));

    test::Run run;
    QVERIFY(run.start());
    QVERIFY2(run.menu.sessionOpen(), qPrintable(run.messages.shown.join(" | ")));
    QCOMPARE(run.session.context().companyNumber, 2);
    auto enabled = [&](const char* component) {
        QAction* a = run.menu.findChild<QAction*>(component);
        return a && a->isEnabled();
    };
    QVERIFY(!enabled("CLICHE002")); // company 2's own row decides
    QVERIFY(enabled("CLICHE001"));
    QVERIFY(enabled("MOVIM003")); // only company 1 has a row: it still counts
}

QTEST_MAIN(TestRoundTrip)
#include "tst_roundtrip.moc"
