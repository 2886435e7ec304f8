// "Registo de Movimentos de Clichés e Desenhos": the movements an entry writes, the checks of
// uses, rotations and date, one row per entry, a refused apply; the summaries of pages 2 and 3
// (sums of uses and rotations over an inclusive period, patterns, ties, the selected row's
// movements) and the reports they launch; the rights.
#include "CORTP030.h"
#include "dataset.h"
#include "imagecontrol.h"
#include "registerrun.h"

#include <QCheckBox>
#include <QImage>
#include <QRadioButton>

using namespace falq;
using test::settle;

namespace {
using Register = test::RegisterOn<TCORTF030>;

void addMovement(test::Installation& inst, const QString& drawing, const QString& cliche, int uses,
                 int rotations, const QString& when, const QString& order = "E1") {
    QVERIFY(inst.exec(
        "main",
        "INSERT INTO MOVIMENTOS (DESENHONRO, CLICHENRO, NROUTIL, ROTACOES, "
        "ENCOMENDA, DATA, TIPOREG) VALUES (?, ?, ?, ?, ?, ?, ?)",
        {drawing, cliche, uses, rotations, order, when, drawing.isEmpty() ? "CL" : "DS"}));
}

// The rows of a summary: number and total.
QList<QPair<QString, int>> summary(Dataset* rows, const QString& totalColumn) {
    QList<QPair<QString, int>> out;
    rows->fetchAll();
    for (int i = 0; i < rows->rowCount(); ++i)
        out << qMakePair(rows->value(i, 0).toString(), rows->value(i, totalColumn).toInt());
    return out;
}

using Ranking = QList<QPair<QString, int>>;
} // namespace

class TestUsageRegister : public QObject {
    Q_OBJECT

    QTabWidget* book(Register& r, const char* name) { return r.w<QTabWidget>(name); }
    // Sets the period and patterns and confirms them.
    void consult(Register& r, const QString& from, const QString& to, const QString& client = "%",
                 const QString& supplier = "%") {
        r.type("Edit_Data1", from);
        r.type("Edit_Data2", to);
        r.type("Edit_Cliente", client);
        r.type("Edit_Fornecedor", supplier);
        r.button("BotConsulta")->click();
        settle();
    }

private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }

    void drawingMovementStoresItsRow() {
        Register r;
        QVERIFY(r.open());
        r.insert("D-1");
        QCOMPARE(r.focused(), QStringLiteral("Edit_NroUtil"));
        QCOMPARE(r.w("Edit_NroUtil")->text(), QStringLiteral("1")); // 1 proposed
        QVERIFY(!r.w("Edit_Cliche")->isEnabled());
        r.tab("Edit_NroUtil");
        r.type("Edit_Rotacoes", "500");
        QTest::keyClick(r.w("Edit_Rotacoes"), Qt::Key_Return); // Enter as Tab
        settle();
        QCOMPARE(r.focused(), QStringLiteral("Edit_Encomenda"));
        r.type("Edit_Encomenda", "ENC-7");
        r.clickGrid();
        QCOMPARE(r.rows("MOVIMENTOS"), 1);
        QCOMPARE(r.value("MOVIMENTOS", "DESENHONRO").toString(), QStringLiteral("D-1"));
        QCOMPARE(r.rows("MOVIMENTOS", "CLICHENRO = ''"), 1);
        QCOMPARE(r.value("MOVIMENTOS", "NROUTIL").toInt(), 1);
        QCOMPARE(r.value("MOVIMENTOS", "ROTACOES").toInt(), 500);
        QCOMPARE(r.value("MOVIMENTOS", "ENCOMENDA").toString(), QStringLiteral("ENC-7"));
        QCOMPARE(r.value("MOVIMENTOS", "TIPOREG").toString(), QStringLiteral("DS"));
        QCOMPARE(r.value("MOVIMENTOS", "DATA").toDateTime().date(),
                 r.run.session.context().workingDate);
        QVERIFY(r.messages.shown.isEmpty());
        QVERIFY(!r.w("Edit_NroUtil")->isEnabled());
    }

    void clicheMovementCutTo12() {
        Register r;
        QVERIFY(r.open());
        r.insertCliche("CL-123456789000");
        r.tab("Edit_Cliche");
        QCOMPARE(r.focused(), QStringLiteral("Edit_NroUtil"));
        QVERIFY(!r.w("Edit_Desenho")->isEnabled());
        r.type("Edit_NroUtil", "3");
        r.type("Edit_Rotacoes", "1200");
        r.type("Edit_Data", "05032026");
        r.clickGrid();
        QCOMPARE(r.rows("MOVIMENTOS"), 1);
        QCOMPARE(r.value("MOVIMENTOS", "CLICHENRO").toString(), QStringLiteral("CL-123456789"));
        QCOMPARE(r.rows("MOVIMENTOS", "DESENHONRO = ''"), 1);
        QCOMPARE(r.value("MOVIMENTOS", "TIPOREG").toString(), QStringLiteral("CL"));
        QCOMPARE(r.value("MOVIMENTOS", "NROUTIL").toInt(), 3);
        QCOMPARE(r.value("MOVIMENTOS", "DATA").toDateTime().date(), QDate(2026, 3, 5));
    }

    void usesAndRotationsRefused_data() {
        test::refusalColumns();
        QTest::newRow("uses 0") << "Edit_NroUtil"
                                << "0"
                                << "";
        QTest::newRow("uses empty") << "Edit_NroUtil"
                                    << ""
                                    << "";
        QTest::newRow("uses above a smallint") << "Edit_NroUtil"
                                               << "40000"
                                               << "Valor Inválido ...";
        QTest::newRow("uses text") << "Edit_NroUtil"
                                   << "dois"
                                   << "Valor Inválido ...";
        QTest::newRow("rotations 0") << "Edit_Rotacoes"
                                     << "0"
                                     << "";
        QTest::newRow("rotations empty") << "Edit_Rotacoes"
                                         << ""
                                         << "";
        QTest::newRow("impossible date") << "Edit_Data"
                                         << "30022026"
                                         << "Data Inválida ...";
        QTest::newRow("no date") << "Edit_Data"
                                 << ""
                                 << "";
    }
    void usesAndRotationsRefused() {
        const test::Refusal refusal = test::fetchRefusal();
        const QString& box = refusal.box;
        Register r;
        QVERIFY(r.open());
        r.insert("D-2");
        r.type("Edit_NroUtil", "2");
        r.type("Edit_Rotacoes", "10");
        r.saveRefused("MOVIMENTOS", refusal);
        r.type(qPrintable(box),
               box == "Edit_Data" ? QStringLiteral("01032026") : QStringLiteral("4"));
        r.clickGrid();
        QCOMPARE(r.rows("MOVIMENTOS"), 1);
    }

    // "&Inserir", Tab past "Desenho", a cliché typed and the grid clicked at once: the boxes
    // the cliché made part of the row are checked and stored as they show.
    void saveChecksTheBoxesTheNumberOpened() {
        Register r;
        QVERIFY(r.open());
        r.insertCliche("A-100");
        r.clickGrid();
        QCOMPARE(r.rows("MOVIMENTOS"), 0); // the empty rotations refused
        QCOMPARE(r.focused(), QStringLiteral("Edit_Rotacoes"));
        r.type("Edit_Rotacoes", "700");
        r.clickGrid();
        QCOMPARE(r.rows("MOVIMENTOS"), 1);
        QCOMPARE(r.rows("MOVIMENTOS", "NROUTIL = 1 AND ROTACOES = 700 AND ENCOMENDA = '' AND "
                                      "CLICHENRO = 'A-100' AND DESENHONRO = ''"),
                 1);
        QCOMPARE(r.value("MOVIMENTOS", "DATA").toDateTime().date(),
                 r.run.session.context().workingDate);
    }

    // Emptying the chosen drawing drops it: the cliché box opens and is looked up; Enter on
    // "Data" reaches the grid and saves.
    void emptiedNumberDropsTheChoice() {
        Register r;
        QVERIFY(r.open());
        r.insert("D-1");
        r.click("Edit_Desenho");
        r.type("Edit_Desenho", "");
        r.clickGrid(); // nothing chosen now: nothing stored
        QCOMPARE(r.rows("MOVIMENTOS"), 0);
        r.insert("D-1");
        r.click("Edit_Desenho");
        r.type("Edit_Desenho", "");
        r.tab("Edit_Desenho");
        QCOMPARE(r.focused(), QStringLiteral("Edit_Cliche"));
        QVERIFY(r.w("Edit_Cliche")->isEnabled());
        QTest::keyClicks(r.w("Edit_Cliche"), "Z-9");
        r.tab("Edit_Cliche");
        QCOMPARE(r.messages.shown, QStringList{"Cliche Inexistente ..."});
        r.type("Edit_Cliche", "A-100");
        r.tab("Edit_Cliche");
        QCOMPARE(r.focused(), QStringLiteral("Edit_NroUtil"));
        r.type("Edit_Rotacoes", "9");
        r.click("Edit_Data");
        QTest::keyClick(r.w("Edit_Data"), Qt::Key_Return);
        settle();
        QCOMPARE(r.rows("MOVIMENTOS"), 1);
        QCOMPARE(r.rows("MOVIMENTOS", "TIPOREG = 'CL' AND CLICHENRO = 'A-100' AND "
                                      "DESENHONRO = '' AND ROTACOES = 9"),
                 1);
    }

    // "&Cancelar" and "&Eliminar" clear the boxes, the date back to the working date; a click
    // on the side photo opens "Visualização de Fotos".
    void cancelAndDeleteClearTheBoxesAndPhotoOpens() {
        Register r;
        addMovement(r.inst, "D-1", "", 2, 20, "2026-01-10 08:00:00");
        const ImageParameters images = readImageParameters(r.inst.open("main"));
        QDir().mkpath(images.drawingFolder);
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        QVERIFY(picture.save(drawingImagePath(images, QStringLiteral("D-1")), "JPG"));
        QVERIFY(r.open());
        QString viewer;
        bool seen = false;
        test::onModal(
            [&viewer](QWidget* modal) {
                viewer = modal->windowTitle();
                modal->close();
            },
            &seen);
        emit r.window->findChild<ImageControl*>("ML1")->clicked(); // one click
        settle();
        QVERIFY(seen);
        QCOMPARE(viewer, QStringLiteral("Visualização de Fotos"));
        const QString working = r.run.session.context().workingDate.toString("dd/MM/yyyy");
        auto cleared = [&r, &working] {
            for (const char* box :
                 {"Edit_Desenho", "Edit_Cliche", "Edit_NroUtil", "Edit_Rotacoes", "Edit_Encomenda"})
                if (!r.w(box)->text().isEmpty())
                    return false;
            return r.w("Edit_Data")->text() == working;
        };
        r.insert("D-2");
        r.button("BotCancelar")->click();
        settle();
        QVERIFY(cleared());
        r.messages.answers = {false};
        r.button("BotDelete")->click();
        settle();
        QCOMPARE(r.rows("MOVIMENTOS"), 1);
        QVERIFY(cleared());
    }

    void zeroUsesRefusedOnLeaving() {
        Register r;
        QVERIFY(r.open());
        r.insert("D-1");
        r.type("Edit_NroUtil", "0");
        r.tab("Edit_NroUtil");
        QCOMPARE(r.focused(), QStringLiteral("Edit_NroUtil"));
        QVERIFY(r.messages.shown.isEmpty());
        QVERIFY(r.messages.lonelyBeeps > 0);
    }

    void bothNumbersEmptyAddNothing() {
        Register r;
        QVERIFY(r.open());
        r.insertCliche();
        QCOMPARE(r.focused(), QStringLiteral("Edit_Cliche"));
        QCOMPARE(r.window->statusText(), QStringLiteral("Digite  %  para localizar Cliché ..."));
        r.tab("Edit_Cliche");
        QCOMPARE(r.focused(), QStringLiteral("Edit_Desenho"));
        QCOMPARE(r.window->statusText(),
                 QStringLiteral("Digite  %  para localizar Desenho ou Ficha Técnica ..."));
        r.clickGrid();
        QCOMPARE(r.rows("MOVIMENTOS"), 0);
        QVERIFY(r.messages.shown.isEmpty());
    }

    void refusedApplyWritesNothing() {
        Register r;
        QVERIFY(r.refuseAbove("MOVIMENTOS", "ROTACOES", 1000));
        QVERIFY(r.open());
        r.insert("D-1");
        r.type("Edit_Rotacoes", "5000");
        r.clickGrid();
        r.refusedByServer("MOVIMENTOS");
        // Not applied later with another row: "&Cancelar" drops it.
        r.button("BotCancelar")->click();
        settle();
        r.insert("D-2");
        r.type("Edit_Rotacoes", "50");
        r.clickGrid();
        QCOMPARE(r.rows("MOVIMENTOS"), 1);
        QCOMPARE(r.value("MOVIMENTOS", "DESENHONRO").toString(), QStringLiteral("D-2"));
    }

    void deleteAsksOnPageOne() {
        Register r;
        addMovement(r.inst, "D-1", "", 2, 20, "2026-01-10 08:00:00");
        QVERIFY(r.open());
        QCOMPARE(r.w("Edit_Desenho")->text(), QStringLiteral("D-1"));
        QCOMPARE(r.w("Edit_Data")->text(), QStringLiteral("10/01/2026"));
        r.messages.answers = {true};
        r.button("BotDelete")->click();
        settle();
        QCOMPARE(r.messages.asked, QStringList{"ELIMINAÇÃO !!! Confirma ?"});
        QCOMPARE(r.rows("MOVIMENTOS"), 0);
    }

    void pagesEnableTheirControls() {
        Register r;
        QVERIFY(r.open());
        const QDate working = r.run.session.context().workingDate;
        QCOMPARE(r.w("Edit_Data1")->text(), QDate(working.year(), 1, 1).toString("dd/MM/yyyy"));
        QCOMPARE(r.w("Edit_Data2")->text(), working.toString("dd/MM/yyyy"));
        QWidget* panel = r.window->findChild<QWidget*>("PanelConsulta");
        QVERIFY(!panel->isVisible());
        QVERIFY(!r.button("BitPrint")->isEnabled());
        QVERIFY(r.button("BotDelete")->isEnabled());
        book(r, "NB")->setCurrentIndex(1);
        settle();
        QVERIFY(panel->isVisible());
        QVERIFY(r.button("BitPrint")->isEnabled());
        QVERIFY(r.button("BotPrint")->isEnabled());
        QVERIFY(r.w<QCheckBox>("ChkImpFoto")->isEnabled());
        QVERIFY(!r.button("BotDelete")->isEnabled());
        QVERIFY(!r.button("BotCancelar")->isEnabled());
        // "&Inserir" goes back to the first page.
        r.insert();
        QCOMPARE(book(r, "NB")->currentIndex(), 0);
        QVERIFY(!panel->isVisible());
    }

    void summariesSumUsesAndRotations() {
        Register r;
        // Uses: D-1 2+3 = 5, D-2 5; a tie, by number. Rotations: D-1 10+30, D-2 100.
        addMovement(r.inst, "D-1", "", 2, 10, "2026-02-01 00:00:00");
        addMovement(r.inst, "D-1", "", 3, 30, "2026-02-10 23:59:00"); // the last day counts
        addMovement(r.inst, "D-2", "", 5, 100, "2026-02-05 12:00:00");
        addMovement(r.inst, "D-2", "", 9, 900, "2026-02-11 00:00:00"); // the next day: not
        addMovement(r.inst, "D-1", "", 9, 900, "2026-01-31 23:59:59"); // the day before: not
        addMovement(r.inst, "", "A-100", 4, 40, "2026-02-03 00:00:00", "E9");
        addMovement(r.inst, "", "A-100", 1, 60, "2026-02-04 00:00:00", "E8");
        QVERIFY(r.open());
        book(r, "NB")->setCurrentIndex(1);
        settle();
        consult(r, "01022026", "10022026");
        QCOMPARE(summary(r.window->summaryRows(), "UTIL_NRO"), (Ranking{{"D-1", 5}, {"D-2", 5}}));
        // The first row's movements, newest first.
        Dataset* moves = r.window->summaryMovements();
        QCOMPARE(moves->rowCount(), 2);
        QCOMPARE(moves->value(0, "ROTACOES").toInt(), 30);
        book(r, "NBUtil")->setCurrentIndex(1);
        settle();
        QCOMPARE(summary(r.window->summaryRows(), "UTIL_NRO"), (Ranking{{"A-100", 5}}));
        QCOMPARE(r.window->summaryMovements()->value(0, "ENCOMENDA").toString(),
                 QStringLiteral("E8"));
        book(r, "NB")->setCurrentIndex(2);
        settle();
        QCOMPARE(summary(r.window->summaryRows(), "ROTACOES"),
                 (Ranking{{"D-2", 100}, {"D-1", 40}}));
        // Another row chosen: its movements.
        r.window->summaryRows()->setCurrentRow(1);
        settle();
        QCOMPARE(r.window->summaryMovements()->rowCount(), 2);
        QCOMPARE(r.window->summaryMovements()->value(0, "DESENHONRO").toString(),
                 QStringLiteral("D-1"));
        // A deleted movement leaves the summary.
        QVERIFY(r.inst.exec("main", "DELETE FROM MOVIMENTOS WHERE DESENHONRO = 'D-2'"));
        r.button("BotConsulta")->click();
        settle();
        QCOMPARE(summary(r.window->summaryRows(), "ROTACOES"), (Ranking{{"D-1", 40}}));
    }

    void patternsAndEmptyPeriod() {
        Register r;
        QVERIFY(
            r.inst.exec("main", "UPDATE DESENHOS SET SIGLACLI = NULL WHERE DESENHONRO = 'D-2'"));
        addDrawing(r.inst, "D-3", {{"SIGLACLI", "ALFA"}});
        addMovement(r.inst, "D-1", "", 1, 1, "2026-02-01 00:00:00");
        addMovement(r.inst, "D-2", "", 2, 1, "2026-02-01 00:00:00");
        addMovement(r.inst, "D-3", "", 3, 1, "2026-02-01 00:00:00");
        QVERIFY(r.open());
        book(r, "NB")->setCurrentIndex(1);
        settle();
        consult(r, "01012026", "28022026", "", "");
        // An emptied pattern is "%": every drawing, a NULL short name too.
        QCOMPARE(r.w("Edit_Cliente")->text(), QStringLiteral("%"));
        QCOMPARE(summary(r.window->summaryRows(), "UTIL_NRO"),
                 (Ranking{{"D-3", 3}, {"D-2", 2}, {"D-1", 1}}));
        consult(r, "01012026", "28022026", "a%");
        QCOMPARE(summary(r.window->summaryRows(), "UTIL_NRO"), (Ranking{{"D-3", 3}}));
        consult(r, "01012026", "28022026", "%", "poli");
        QCOMPARE(summary(r.window->summaryRows(), "UTIL_NRO"), (Ranking{{"D-2", 2}}));
        consult(r, "01012026", "28022026", "%", "ZZ%");
        QCOMPARE(summary(r.window->summaryRows(), "UTIL_NRO"), Ranking{});
        QCOMPARE(r.window->summaryMovements()->rowCount(), 0); // no detail for no row
        consult(r, "01032026", "31032026");
        QCOMPARE(summary(r.window->summaryRows(), "UTIL_NRO"), Ranking{});
    }

    void invertedPeriodRefused() {
        Register r;
        addMovement(r.inst, "D-1", "", 1, 1, "2026-02-01 00:00:00");
        QVERIFY(r.open());
        book(r, "NB")->setCurrentIndex(1);
        settle();
        consult(r, "01012026", "28022026");
        QCOMPARE(r.window->summaryRows()->rowCount(), 1);
        const movements::MovementFilter before = r.window->period();
        consult(r, "01032026", "28022026");
        QCOMPARE(r.messages.shown, QStringList{"Limite de Datas Inválido ..."});
        QCOMPARE(r.window->period().from, before.from); // nothing run again
        QCOMPARE(r.window->summaryRows()->rowCount(), 1);
    }

    void reportsGetPeriodPatternsAndOptions() {
        Register r;
        QVERIFY(r.open());
        QList<QPair<MovementReport, MovementReportCriteria>> runs;
        r.window->setReportRunner([&runs](MovementReport report, const MovementReportCriteria& c) {
            runs << qMakePair(report, c);
        });
        book(r, "NB")->setCurrentIndex(1);
        settle();
        consult(r, "02012026", "20012026", "N%", "G%");
        r.w<QRadioButton>("ChkCliche")->setChecked(true);
        r.w<QCheckBox>("ChkImpFoto")->setChecked(true);
        r.button("BitPrint")->click();
        settle();
        book(r, "NB")->setCurrentIndex(2);
        settle();
        r.w<QRadioButton>("ChkDesenho")->setChecked(true);
        r.w<QCheckBox>("ChkDetalhe")->setChecked(true);
        r.button("BitPrint")->click();
        r.w<QRadioButton>("ChkCliche1")->setChecked(true);
        r.button("BotPrint")->click();
        r.w<QRadioButton>("ChkDesenho1")->setChecked(true);
        r.button("BotPrint")->click();
        QCOMPARE(runs.size(), 4);
        QCOMPARE(runs[0].first, MovementReport::RiskCliches);
        QCOMPARE(runs[0].second.from, QDate(2026, 1, 2));
        QCOMPARE(runs[0].second.to, QDate(2026, 1, 20));
        QCOMPARE(runs[0].second.clientPattern, QStringLiteral("N%"));
        QCOMPARE(runs[0].second.supplierPattern, QStringLiteral("G%"));
        QVERIFY(runs[0].second.photos);
        QVERIFY(!runs[0].second.orders);
        QCOMPARE(runs[1].first, MovementReport::AnalysisDrawings);
        QVERIFY(runs[1].second.orders);
        QCOMPARE(runs[2].first, MovementReport::ListCliches);
        QCOMPARE(runs[3].first, MovementReport::ListDrawings);
        // Boxes changed without "Consulta": the report takes what they show once they pass
        // their checks; a date that does not exist runs nothing and says why.
        r.type("Edit_Data1", "03012026");
        r.type("Edit_Cliente", "S%");
        r.button("BotPrint")->click();
        QCOMPARE(runs.size(), 5);
        QCOMPARE(runs[4].second.from, QDate(2026, 1, 3));
        QCOMPARE(runs[4].second.clientPattern, QStringLiteral("S%"));
        r.type("Edit_Data2", "31022026");
        r.button("BotPrint")->click();
        settle();
        QCOMPARE(runs.size(), 5);
        QCOMPARE(r.messages.shown, QStringList{"Data Inválida ..."});
        QCOMPARE(r.focused(), QStringLiteral("Edit_Data2"));
    }

    void rightsShowTheButtons() {
        Register r;
        QVERIFY(r.withRights("Utiliz.Cliches e Desenhos", "ELIMINAR = 'N', IMPRIMIR = 'N'"));
        QVERIFY(r.open());
        r.showsButtons(
            {{"BotInserir", true}, {"BotDelete", false}, {"BitPrint", false}, {"BotPrint", false}});
    }
};

QTEST_MAIN(TestUsageRegister)
#include "tst_usage_register.moc"
