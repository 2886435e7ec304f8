// The tool life warning of the usage register: a movement that brings a cliché or a drawing's
// die to the warning limit of its forecast life shows the message after the save, and again for
// every later movement; below the limit, or with no known life, nothing is said; the save is
// never stopped.
#include "CORTP030.h"
#include "registerrun.h"

using namespace falq;
using test::settle;

namespace {
using Register = test::RegisterOn<TCORTF030>;
} // namespace

class TestUsageWarning : public QObject {
    Q_OBJECT

    // Enters a movement of `rotations` for the cliché (or, with `drawing`, the drawing) on the
    // working date and saves it with a click on the grid.
    void enter(Register& r, const QString& number, int rotations, bool drawing = false) {
        r.insert();
        if (drawing) {
            QTest::keyClicks(r.w("Edit_Desenho"), number);
            r.tab("Edit_Desenho");
        } else {
            r.tab("Edit_Desenho");
            QTest::keyClicks(r.w("Edit_Cliche"), number);
            r.tab("Edit_Cliche");
        }
        r.type("Edit_NroUtil", "1");
        r.type("Edit_Rotacoes", QString::number(rotations));
        r.clickGrid();
        settle();
    }
    void addMovement(Register& r, const QString& drawing, const QString& cliche, int rotations) {
        const QDate w = r.run.session.context().workingDate;
        const SqlDialect d = SqlDialect::forDatabase(r.inst.open("main"));
        QVERIFY(r.inst.exec("main",
                            "INSERT INTO MOVIMENTOS (DESENHONRO, CLICHENRO, NROUTIL, ROTACOES, "
                            "ENCOMENDA, DATA, TIPOREG) VALUES (?, ?, 1, ?, '', ?, ?)",
                            {drawing, cliche, rotations, d.bindDateTime(QDateTime(w, QTime(8, 0))),
                             drawing.isEmpty() ? "CL" : "DS"}));
    }
    // The message for a tool whose movements are all on the working date (rate = wear a day).
    QString expected(Register& r, const QString& what, int percent, int daysLeft) {
        return QStringLiteral("Atenção: o %1 atingiu %2% da vida prevista (previsão de fim: %3)")
            .arg(what)
            .arg(percent)
            .arg(r.run.session.context().workingDate.addDays(daysLeft).toString("dd/MM/yyyy"));
    }

private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }

    void clicheAtTheLimitAndAgain() {
        Register r;
        QVERIFY(r.inst.exec("main", "UPDATE CLICHES SET ROTACOES_PREV = 1000 WHERE CLICHENRO = "
                                    "'A-100'"));
        QVERIFY(r.open());
        addMovement(r, "", "A-100", 799);
        // 800 of 1000: below the limit, nothing said.
        enter(r, "A-100", 1);
        QCOMPARE(r.rows("MOVIMENTOS"), 2);
        QCOMPARE(r.messages.shown, QStringList());
        // 900 of 1000: exactly 90 %; 900 a day, 100 left: one day.
        enter(r, "A-100", 100);
        QCOMPARE(r.rows("MOVIMENTOS"), 3);
        QCOMPARE(r.messages.shown, QStringList{expected(r, "cliché A-100", 90, 1)});
        // Already past the limit: said again for the next movement.
        r.messages.shown.clear();
        enter(r, "A-100", 50);
        QCOMPARE(r.rows("MOVIMENTOS"), 4);
        QCOMPARE(r.messages.shown, QStringList{expected(r, "cliché A-100", 95, 1)});
    }

    void drawingPastItsLifeAndUnknownLives() {
        Register r;
        QVERIFY(r.inst.exec("main", "UPDATE DESENHOS SET ROTACOES_PREV = 100 WHERE DESENHONRO = "
                                    "'D-1'"));
        QVERIFY(r.open());
        // The cliché has no known life: nothing, however much it is used.
        enter(r, "CL-123456789", 30000);
        QCOMPARE(r.messages.shown, QStringList());
        enter(r, "D-1", 150, true);
        QCOMPARE(r.rows("MOVIMENTOS"), 2);
        QCOMPARE(r.messages.shown,
                 QStringList{"Atenção: o desenho D-1 atingiu 150% da vida prevista (vida "
                             "prevista esgotada)"});
    }

    void limitFromTheIni() {
        Register r;
        r.inst.writeFile("falquinas.ini", "[VidaUtil]\nAviso=50\n");
        QVERIFY(r.inst.exec("main", "UPDATE CLICHES SET ROTACOES_PREV = 1000 WHERE CLICHENRO = "
                                    "'A-100'"));
        QVERIFY(r.open());
        enter(r, "A-100", 500);
        QCOMPARE(r.messages.shown, QStringList{expected(r, "cliché A-100", 50, 1)});
    }
};

QTEST_MAIN(TestUsageWarning)
#include "tst_usage_warning.moc"
