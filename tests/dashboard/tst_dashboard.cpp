// The statistics dashboard in the main window: the switch and its rights, the pages, their
// details run once per change, the filters, empty periods, the searches and the viewer.
#include "../shell/shellrun.h"
#include "dashboard.h"
#include "dashboardpage.h"
#include "dashboardviewer.h"
#include "imagefiles.h"
#include "lifepage.h"
#include "registerrows.h"
#include "statchart.h"
#include "windows.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

using namespace falq;
using namespace falq::dashboard;
using falq::test::Run;

namespace {

enum PageIndex { TotalsIx, ClientsIx, SuppliersIx, ClichesIx, DrawingsIx, LifeIx };

// The working date of the session (PARAMUTIL).
bool setWorkingDate(test::Installation& inst, const QDate& date) {
    const QSqlDatabase db = inst.open(QStringLiteral("geral"));
    return inst.exec(QStringLiteral("geral"),
                     QStringLiteral("UPDATE PARAMUTIL SET DATA = ?, ANO = ?"),
                     {SqlDialect::forDatabase(db).bindDate(date), QString::number(date.year())});
}

// Closes the next modal window once it has been shown and its event loop runs (left unmoved):
// it must be seen on two ticks in a row, so that a window still opening is not closed.
void closeModalWhenShown() {
    auto* timer = new QTimer;
    timer->setInterval(100);
    auto seen = std::make_shared<QPointer<QWidget>>();
    QObject::connect(timer, &QTimer::timeout, timer, [timer, seen] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible() && *seen == modal) {
            modal->close();
            timer->deleteLater();
        }
        *seen = modal;
    });
    timer->start();
}

// An installation holding the register of the tests, worked on at `workingDate`.
std::unique_ptr<test::Installation> registerAt(const QDate& workingDate) {
    auto inst = std::make_unique<test::Installation>();
    if (!inst->ok() || !test::fillRegister(*inst) || !setWorkingDate(*inst, workingDate))
        qWarning("installation failed: %s", qPrintable(inst->error()));
    return inst;
}

// The tool-life register of the page's test, worked on at 2024-12-31 (Inactivo: 24 months,
// so a tool last used before 2022-12-31 is dormant). One movement 99 days back makes a rate
// over 100 days:
//   K1 cliché  ALFA  life 10000, 2000 on 2024-09-23: 20/day, 8000 left: 400 days, 2026-02-04
//   K2 drawing BETA  life 10000, 8000 on 2024-09-23: 80/day, 2000 left:  25 days, 2025-01-25
//   K3 cliché  ALFA  life unknown, used 2024-12-22        (no wear-out date, not dormant)
//   K4 cliché  ALFA  used 2022-06-01 only                   (dormant)
//   K5 cliché  GAMA  life 1000000, used 2022-06-01 only     (dormant; rate 0: no date)
//   K6 drawing ALFA  used 2021-01-01 only                   (dormant)
//   K7 drawing BETA  never used                             (neither)
//   K8 cliché  ALFA  life 1000, 1500 on 2024-12-01           (worn: 150 %, first of all)
//   K9 cliché  GAMA  withdrawn, life 1000, 2000 on 2022-06-01 (worn and unused, but counts in
//                    neither list)
std::unique_ptr<test::Installation> lifeRegister() {
    auto inst = std::make_unique<test::Installation>();
    const auto life = [&](const char* table, const char* key, const char* number, int value) {
        return inst->exec(QStringLiteral("main"),
                          QStringLiteral("UPDATE %1 SET ROTACOES_PREV = ? WHERE %2 = ?")
                              .arg(QLatin1String(table), QLatin1String(key)),
                          {value, QString::fromLatin1(number)});
    };
    const bool ok =
        inst->ok() && test::addCliche(*inst, "K1", "ALFA", "P-1") &&
        test::addDrawing(*inst, "K2", "BETA") && test::addCliche(*inst, "K3", "ALFA", "P-3") &&
        test::addCliche(*inst, "K4", "ALFA", "P-4") &&
        test::addCliche(*inst, "K5", "GAMA", "P-5") && test::addDrawing(*inst, "K6", "ALFA") &&
        test::addDrawing(*inst, "K7", "BETA") && life("CLICHES", "CLICHENRO", "K1", 10000) &&
        life("DESENHOS", "DESENHONRO", "K2", 10000) &&
        life("CLICHES", "CLICHENRO", "K5", 1000000) &&
        test::addMovement(*inst, "K1", "", 2000, "E1", "2024-09-23 10:00") &&
        test::addMovement(*inst, "", "K2", 8000, "E2", "2024-09-23 00:00") &&
        test::addMovement(*inst, "K3", "", 100, "E3", "2024-12-22 00:00") &&
        test::addMovement(*inst, "K4", "", 100, "E4", "2022-06-01 00:00") &&
        test::addMovement(*inst, "K5", "", 100, "E5", "2022-06-01 00:00") &&
        test::addMovement(*inst, "", "K6", 100, "E6", "2021-01-01 00:00") &&
        test::addCliche(*inst, "K8", "ALFA", "P-8") && life("CLICHES", "CLICHENRO", "K8", 1000) &&
        test::addMovement(*inst, "K8", "", 1500, "E8", "2024-12-01 00:00") &&
        test::addCliche(*inst, "K9", "GAMA", "P-9") && life("CLICHES", "CLICHENRO", "K9", 1000) &&
        inst->exec(QStringLiteral("main"),
                   QStringLiteral("UPDATE CLICHES SET UTILIZA = 'N' WHERE CLICHENRO = 'K9'")) &&
        test::addMovement(*inst, "K9", "", 2000, "E9", "2022-06-01 00:00") &&
        setWorkingDate(*inst, QDate(2024, 12, 31));
    if (!ok)
        qWarning("installation failed: %s", qPrintable(inst->error()));
    return inst;
}

// The rows of a grid over a plain model, as text.
QStringList gridRows(QTableView* grid) {
    QStringList rows;
    const QAbstractItemModel* m = grid->model();
    for (int r = 0; r < m->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < m->columnCount(); ++c)
            cells << m->index(r, c).data().toString();
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

struct Board {
    explicit Board(Run& r) : run(r) {
        registerWindows(run.menu, run.session);
        dashboard = run.menu.findChild<Dashboard*>();
    }
    template <typename T> T* find(const char* name) const {
        return run.menu.findChild<T*>(QString::fromLatin1(name));
    }
    QTabWidget* nb0() const { return find<QTabWidget>("NB0"); }
    void switchOn() {
        find<QAbstractButton>("BotActive")->click();
        QCoreApplication::processEvents();
    }
    void page(int index) {
        nb0()->setCurrentIndex(index);
        QCoreApplication::processEvents();
    }
    int opened(const QString& name) const { return dashboard->openings().value(name); }
    Dataset* query(const char* grid) const {
        auto* view = find<QTableView>(grid);
        return view ? qobject_cast<Dataset*>(view->model()) : nullptr;
    }

    Run& run;
    Dashboard* dashboard = nullptr;
};

} // namespace

class TestDashboard : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }

    void switchNeedsTheAdministratorRow_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("shown");
        QTest::newRow("row") << QString() << true;
        QTest::newRow("no row") << "DELETE FROM APLICACAODET WHERE CAPITULO = 'Administrador'"
                                << false;
        QTest::newRow("N") << "UPDATE APLICACAODET SET ACEDER = 'N' WHERE CAPITULO = "
                              "'Administrador'"
                           << false;
        QTest::newRow("another company")
            << "UPDATE APLICACAODET SET EMPNRO = 99 WHERE CAPITULO = 'Administrador'" << true;
    }
    void switchNeedsTheAdministratorRow() {
        QFETCH(QString, change);
        QFETCH(bool, shown);
        test::Installation inst;
        QVERIFY2(inst.ok(), qPrintable(inst.error()));
        if (!change.isEmpty())
            QVERIFY(inst.exec("main", change));
        Run run;
        Board board(run);
        QVERIFY(run.start());
        QCOMPARE(!board.find<QAbstractButton>("BotActive")->isHidden(), shown);
    }

    void lifePageListsTheNearestEndsAndDormantToolsOnlyWhenShown() {
        const auto inst = lifeRegister();
        Run run;
        Board board(run);
        QVERIFY(run.start());
        QCOMPARE(board.nb0()->tabText(LifeIx), QStringLiteral("Vida Útil"));
        auto* nearest = board.find<QTableView>("DBGridVidaFim");
        auto* dormant = board.find<QTableView>("DBGridVidaInactivos");
        QVERIFY(nearest && dormant);
        const auto lifeReads = [&] {
            return board.opened(QStringLiteral("VIDACLICHES")) +
                   board.opened(QStringLiteral("VIDADESENHOS"));
        };
        // Nothing at start-up, nor on another page.
        QCOMPARE(lifeReads(), 0);
        board.switchOn();
        board.page(ClientsIx);
        board.find<QRadioButton>("RadCompras")->click();
        QCOMPARE(lifeReads(), 0);
        QCOMPARE(nearest->model()->rowCount(), 0);

        board.page(LifeIx);
        // Both kinds, read once each: the dormant tools come from the same rows.
        QCOMPARE(board.opened(QStringLiteral("VIDACLICHES")), 1);
        QCOMPARE(board.opened(QStringLiteral("VIDADESENHOS")), 1);
        QCOMPARE(gridRows(nearest),
                 (QStringList{"K8|Cliché|ALFA|150%|esgotada", "K2|Desenho|BETA|80%|25/01/2025",
                              "K1|Cliché|ALFA|20%|04/02/2026"}));
        QCOMPARE(gridRows(dormant), (QStringList{"ALFA|2", "GAMA|1"}));
        const QList<ChartPoint> points = board.find<StatChart>("ChartVida")->points();
        QCOMPARE(points.size(), kChartPoints);
        QCOMPARE(points[0], (ChartPoint{QStringLiteral("ALFA"), 2.0}));
        QCOMPARE(points[1], (ChartPoint{QStringLiteral("GAMA"), 1.0}));
        QVERIFY(points[2].label.isEmpty());
        QVERIFY(nearest->editTriggers() == QAbstractItemView::NoEditTriggers);

        // Neither filter of the "Fotos" page applies: both hidden, and a change of them reads
        // nothing. Showing the page again reads both kinds again; another page does not.
        for (const char* name : {"RadReparacoes", "RadAmbos1"})
            QVERIFY(!board.find<QRadioButton>(name)->isVisibleTo(&run.menu));
        board.dashboard->resetOpenings();
        board.find<QRadioButton>("RadReparacoes")->click();
        QCOMPARE(lifeReads(), 0);
        board.page(TotalsIx);
        board.page(LifeIx);
        QCOMPARE(lifeReads(), 2);
        QCOMPARE(gridRows(dormant), (QStringList{"ALFA|2", "GAMA|1"}));
        board.dashboard->resetOpenings();
        board.page(TotalsIx);
        board.find<QRadioButton>("RadCompras")->click();
        QCOMPARE(lifeReads(), 0);
    }

    void switchResetsTheDatesAndRecomputesNothingOnANewDate() {
        const auto inst = registerAt(QDate(2024, 3, 31));
        Run run;
        Board board(run);
        QVERIFY(run.start());
        QVERIFY(board.nb0()->isHidden());
        board.switchOn();
        QVERIFY(board.dashboard->isOn());
        QVERIFY(!board.nb0()->isHidden());
        auto* menu = board.find<QTabWidget>("NBMenu");
        QCOMPARE(menu->tabText(menu->currentIndex()), QStringLiteral("Fotos"));
        QCOMPARE(board.nb0()->currentIndex(), int(TotalsIx));
        auto* from = board.find<QDateEdit>("Edit_DatCli1");
        auto* to = board.find<QDateEdit>("Edit_DatCli2");
        QCOMPARE(from->date(), QDate(2024, 1, 1));
        QCOMPARE(to->date(), QDate(2024, 3, 31));
        QCOMPARE(board.find<QRadioButton>("RadAmbos")->isChecked(), true);
        QCOMPARE(board.find<QRadioButton>("RadAmbos1")->isChecked(), true);

        from->setDate(QDate(2023, 6, 1));
        board.dashboard->resetOpenings();
        auto* calendar = board.find<QCalendarWidget>("Edit_Data");
        calendar->setSelectedDate(QDate(2024, 2, 15));
        emit calendar->clicked(QDate(2024, 2, 15));
        QCoreApplication::processEvents();
        QVERIFY(board.dashboard->openings().isEmpty());

        board.switchOn(); // off
        QVERIFY(board.nb0()->isHidden());
        QCOMPARE(menu->currentIndex(), 0);
        QVERIFY(!menu->isTabVisible(menu->count() - 1));
        board.switchOn(); // on again: the pairs from the working date
        QCOMPARE(from->date(), QDate(2024, 1, 1));
        QCOMPARE(to->date(), QDate(2024, 2, 15));
        QCOMPARE(board.find<QDateEdit>("Edit_DatDesenho1")->date(), QDate(2024, 1, 1));
    }

    void pageChangeRunsEachDetailOnce() {
        const auto inst = registerAt(QDate(2024, 3, 31));
        Run run;
        Board board(run);
        QVERIFY(run.start());
        board.dashboard->resetOpenings();
        board.switchOn();
        for (const char* name : {"WORKTOTANO", "WORKTOTANOMES", "WORKTOTMEDANO", "WORKTOTMEDANOMES",
                                 "WORKTOTCLI", "WORKTOTFRN", "REPARACOESANO"})
            QVERIFY2(board.opened(name) == 1, name);
        QCOMPARE(board.opened("viewer"), 1);
        // The newest year's detail: 2024's clients (row 4 without requisition counted).
        QCOMPARE(board.query("DBGridCli")->rowCount(), 4);
        auto* chart = board.find<StatChart>("Chart1");
        QCOMPARE(chart->points().size(), 7);
        QCOMPARE(chart->points()[0].label, QStringLiteral("2024"));
        QCOMPARE(chart->points()[0].value, 620.0);
        QCOMPARE(chart->points()[1].label, QStringLiteral("2023"));
        QCOMPARE(chart->points()[2].label, QString());
        // A month without rows is no point (no February 2024).
        QStringList months;
        for (const ChartPoint& p : board.find<StatChart>("Chart2")->points())
            months << p.label;
        QCOMPARE(months, QStringList({"2024/4", "2024/3", "2024/1", "2023/12", "", "", ""}));

        board.dashboard->resetOpenings();
        board.page(ClientsIx);
        for (const char* name : {"WORKTOTCLI", "WORKTOTCLIANO", "WORKTOTCLIANOMES", "REPARACOESANO",
                                 "WORKTOTCLIFRN", "TOTAL"})
            QVERIFY2(board.opened(name) == 1, name);
        QCOMPARE(board.opened("WORKTOTANO"), 0);
        // First client of 2024-01-01..2024-03-31: BETA, 340; its years ignore the dates.
        Dataset* clients = board.query("DBGridCustosCli");
        QCOMPARE(clients->fieldValue("SIGLACLI").toString(), QStringLiteral("BETA"));
        QCOMPARE(board.find<StatChart>("Chart5")->points()[0].value, 340.0);

        // Moving to the next client runs its detail once.
        board.dashboard->resetOpenings();
        clients->setCurrentRow(2); // ALFA
        QCOMPARE(board.opened("WORKTOTCLIANO"), 1);
        QCOMPARE(board.opened("WORKTOTCLIFRN"), 1);
        QCOMPARE(board.query("DBGridCliFrn")->rowCount(), 2);
        // The client's requisitions follow the dates, its evolution does not.
        auto* from = board.find<QDateEdit>("Edit_DatCli1");
        from->setDate(QDate(2024, 3, 1));
        QTest::qWait(20);
        Dataset* requisitions = board.query("DBGridReqCli");
        QCOMPARE(clients->fieldValue("SIGLACLI").toString(), QStringLiteral("BETA"));
        QCOMPARE(requisitions->rowCount(), 2);
        QCOMPARE(board.find<StatChart>("Chart5")->points()[0].value, 340.0);

        // The costs without a client short name drill down to their own rows.
        from->setDate(QDate(2023, 1, 1));
        board.find<QDateEdit>("Edit_DatCli2")->setDate(QDate(2023, 12, 31));
        QTest::qWait(20);
        QCOMPARE(clients->rowCount(), 1);
        QVERIFY(clients->fieldValue("SIGLACLI").isNull());
        QCOMPARE(board.find<StatChart>("Chart5")->points()[0].label, QStringLiteral("2023"));
        QCOMPARE(board.find<StatChart>("Chart5")->points()[0].value, 70.0);
        QCOMPARE(requisitions->rowCount(), 1);
        QCOMPARE(board.query("DBGridCliFrn")->rowCount(), 1);
    }

    // A page change puts "Custos por Cliente" back on its first sub-page; "Custos por
    // Fornecedor" keeps the one chosen.
    void subPageKeptOnPageChange_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("notebook");
        QTest::addColumn<int>("shownAgain");
        QTest::newRow("clients") << int(ClientsIx) << "NBCli" << 0;
        QTest::newRow("suppliers") << int(SuppliersIx) << "NBFrn" << 2;
    }
    void subPageKeptOnPageChange() {
        QFETCH(int, page);
        QFETCH(QString, notebook);
        QFETCH(int, shownAgain);
        const auto inst = registerAt(QDate(2024, 3, 31));
        Run run;
        Board board(run);
        QVERIFY(run.start());
        board.switchOn();
        board.page(page);
        auto* sub = board.find<QTabWidget>(qPrintable(notebook));
        sub->setCurrentIndex(2);
        board.page(TotalsIx);
        board.page(page);
        QCOMPARE(sub->currentIndex(), shownAgain);
    }

    void filtersRecomputeThePageShown() {
        const auto inst = registerAt(QDate(2024, 3, 31));
        Run run;
        Board board(run);
        QVERIFY(run.start());
        board.switchOn();
        board.find<QRadioButton>("RadCompras")->click();
        board.find<QRadioButton>("RadCliches")->click();
        QCOMPARE(board.find<StatChart>("Chart1")->points()[0].value, 120.0);
        QCOMPARE(board.query("DBGridTotAno")->rowCount(), 1);

        board.page(ClichesIx);
        QVERIFY(!board.find<QGroupBox>("Grupo_Tipo")->isHidden());
        QVERIFY(board.find<QGroupBox>("Grupo_TipoReg")->isHidden());
        auto* totals = board.find<QTabWidget>("NBClicheTot");
        auto* details = board.find<QTabWidget>("NBCliche");
        emit totals->tabBarClicked(1); // "Utilização"
        QVERIFY(board.find<QGroupBox>("Grupo_Tipo")->isHidden());
        QCOMPARE(details->currentIndex(), 2); // "Rotac/Batimentos"
        emit details->tabBarClicked(0);
        QCOMPARE(totals->currentIndex(), 0);
        QVERIFY(!board.find<QGroupBox>("Grupo_Tipo")->isHidden());
    }

    void emptyPeriodClearsTheDetails() {
        const auto inst = registerAt(QDate(2022, 6, 30));
        Run run;
        Board board(run);
        QVERIFY(run.start());
        board.switchOn();
        for (int page : {int(ClientsIx), int(SuppliersIx), int(ClichesIx), int(DrawingsIx)}) {
            board.dashboard->resetOpenings();
            board.page(page);
            const QMap<QString, int> opened = board.dashboard->openings();
            QCOMPARE(opened.value("WORKTOTCLIANO") + opened.value("WORKTOTFRNANO") +
                         opened.value("WORKTOTCLICHEANO") + opened.value("WORKTOTDESENHOANO") +
                         opened.value("ROT_MOVIM_CLICHES") + opened.value("REPARACOESANO"),
                     0);
        }
        QCOMPARE(board.find<QLabel>("LabelTotCli")->text(),
                 QLocale(QLocale::Portuguese, QLocale::Portugal).toString(0.0, 'f', 2));
        for (const char* name : {"Chart5", "Chart8", "Chart9", "Chart12"}) {
            const QList<ChartPoint> points = board.find<StatChart>(name)->points();
            QCOMPARE(points.size(), 7);
            for (const ChartPoint& p : points)
                QVERIFY(p.label.isEmpty() && p.value == 0.0);
        }
        QVERIFY(board.dashboard->viewer()->number().isEmpty());
    }

    void searches() {
        const auto inst = registerAt(QDate(2024, 3, 31));
        QVERIFY(test::addRepair(*inst, "CLICHE000012", "", "R", 107, "2024-02-10 00:00", "FA", 5,
                                "ALFA"));
        Run run;
        Board board(run);
        QVERIFY(run.start());
        board.switchOn();
        board.page(ClichesIx);
        Dataset* costs = board.query("DBGridCustosCliche");
        QCOMPARE(costs->rowCount(), 2); // C1 and CLICHE000012 (C2's repair is of 2023)
        auto* search = board.find<QLineEdit>("Edit_Cliche");
        auto leave = [&](QLineEdit* box, const QString& text) {
            box->setText(text);
            emit box->editingFinished();
            QCoreApplication::processEvents();
        };
        leave(search, "0");
        QCOMPARE(costs->currentRow(), 0);
        QVERIFY(run.messages.shown.isEmpty());
        leave(search, "CLICHE000012XYZ"); // 15 characters: the first 12 are searched
        QCOMPARE(costs->fieldValue("CLICHENRO").toString(), QStringLiteral("CLICHE000012"));
        QCOMPARE(board.dashboard->viewer()->number(), QStringLiteral("CLICHE000012"));
        leave(search, "NOPE");
        QTRY_COMPARE(run.messages.shown, QStringList{"Cliche Seleccionado Inexistente ..."});
        QCOMPARE(costs->fieldValue("CLICHENRO").toString(), QStringLiteral("CLICHE000012"));

        // "%": the picker (unmoved, its first valid cliché), then that number is searched.
        closeModalWhenShown();
        leave(search, "%");
        QCOMPARE(search->text(), QStringLiteral("C1"));
        QCOMPARE(costs->fieldValue("CLICHENRO").toString(), QStringLiteral("C1"));

        board.page(DrawingsIx);
        run.messages.shown.clear();
        leave(board.find<QLineEdit>("Edit_Desenho"), "0");
        QTRY_COMPARE(run.messages.shown, QStringList{"Desenho Seleccionado Inexistente ..."});
        leave(board.find<QLineEdit>("Edit_Desenho"), "D2");
        QCOMPARE(board.query("DBGridCustosDesenho")->fieldValue("DESENHONRO").toString(),
                 QStringLiteral("D2"));
        closeModalWhenShown();
        leave(board.find<QLineEdit>("Edit_Desenho"), "%");
        QCOMPARE(board.find<QLineEdit>("Edit_Desenho")->text(), QStringLiteral("D1"));
        QCOMPARE(board.query("DBGridCustosDesenho")->fieldValue("DESENHONRO").toString(),
                 QStringLiteral("D1"));
    }

    void requisitionWithoutImageListsItsDocuments() {
        const auto inst = registerAt(QDate(2024, 3, 31));
        const ImageParameters params = readImageParameters(inst->open("main"));
        QVERIFY(!params.drawingFolder.isEmpty());
        QDir().mkpath(params.drawingFolder);
        QFile doc(QDir(params.drawingFolder).filePath("D1_ficha.pdf"));
        QVERIFY(doc.open(QIODevice::WriteOnly));
        doc.write("%PDF-1.4\n");
        doc.close();
        Run run;
        Board board(run);
        QVERIFY(run.start());
        board.switchOn();
        Dataset* requisitions = board.query("DBGridReq");
        QVERIFY(requisitions->locate({"DESENHONRO"}, {"D1"}));
        DashboardViewer* viewer = board.dashboard->viewer();
        QCOMPARE(viewer->kind(), QStringLiteral("DS"));
        QCOMPARE(viewer->number(), QStringLiteral("D1"));
        QVERIFY(viewer->imagePath().isEmpty());
        auto* list = board.find<QListWidget>("FileListBoxAnexo");
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->item(0)->text(), QStringLiteral("D1_ficha.pdf"));
        // A double click with no document chosen says so.
        viewer->FileListBoxAnexoDblClick();
        QCOMPARE(run.messages.shown, QStringList{"Seleccione 1º o Ficheiro que Deseja ..."});
        // A click on the image opens the record's full viewer.
        const QString image = clicheImagePath(params, QStringLiteral("C1"));
        QDir().mkpath(params.clicheFolder);
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(image, "JPG"));
        QVERIFY(requisitions->locate({"CLICHENRO"}, {"C1"}));
        QCOMPARE(viewer->imagePath(), image);
        QString opened;
        QTimer::singleShot(100, [&opened] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                opened = modal->objectName();
                modal->close();
            }
        });
        viewer->ML1Click();
        QCOMPARE(opened, QStringLiteral("TFACFMENUCLICHE"));
        // Away from "Requisões" the viewer is cleared.
        board.find<QTabWidget>("NB2")->setCurrentIndex(1);
        QVERIFY(viewer->number().isEmpty());
        QCOMPARE(list->count(), 0);
    }
};

QTEST_MAIN(TestDashboard)
#include "tst_dashboard.moc"
