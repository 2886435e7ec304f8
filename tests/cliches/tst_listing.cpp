// "Listagem de Clichés" and "Impressão de Desenhos", driven through their widgets: the valid
// records listed, "&Imprimir" with "Listagem Simples ?" and "Ficha Completa ?" opening the
// maximised preview of the right report, nothing printed for an empty selection, the print
// right, the export of the kind's columns, the viewer of the current row, the menu entries.
#include "CORTP012.h"
#include "CORTP022.h"
#include "clichereports.h"
#include "connections.h"
#include "dataset.h"
#include "datasetsource.h"
#include "editorrun.h"
#include "gridexport.h"
#include "reportengine.h"
#include "reportpreview.h"
#include "viewerwindow.h"
#include "windows.h"

#include <QAction>
#include <QBuffer>
#include <QCheckBox>
#include <QRadioButton>

using namespace falq;
using test::settle;

namespace {

struct ListingOn {
    explicit ListingOn(bool drawing) : drawing(drawing) {
        if (!inst.ok())
            return;
        test::addCodes(inst);
    }
    void add(const QString& number, const QString& valid = QStringLiteral("S")) {
        if (drawing)
            test::addDrawing(inst, number, {{"UTILIZA", valid}});
        else
            test::addCliche(inst, number, {{"UTILIZA", valid}});
    }
    bool open() {
        if (!inst.ok() || !run.start() || !run.menu.sessionOpen())
            return false;
        if (drawing)
            window = std::make_unique<TCORTF022>(run.session, &run.menu);
        else
            window = std::make_unique<TCORTF012>(run.session, &run.menu);
        window->show();
        window->activateWindow();
        const bool active = QTest::qWaitForWindowActive(window.get());
        settle();
        return active;
    }
    template <class T = QWidget> T* w(const char* name) const {
        return window->findChild<T*>(QLatin1String(name));
    }
    // Types into a criteria box and leaves it with Tab.
    void fill(const char* name, const QString& text) {
        auto* box = w<QLineEdit>(name);
        box->setFocus(Qt::MouseFocusReason);
        settle();
        box->selectAll();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Tab);
        settle();
    }
    QStringList listed() const {
        QStringList numbers;
        auto* grid = w<QTableView>("DBGrid1");
        for (int r = 0; r < grid->model()->rowCount(); ++r)
            numbers << grid->model()->index(r, 0).data().toString();
        return numbers;
    }
    // "&Imprimir": the name of the preview that opened (empty: none) and its pages.
    QString print(int* pages = nullptr) {
        QString name;
        QTimer::singleShot(0, [&] {
            if (auto* preview = qobject_cast<ReportPreview*>(QApplication::activeModalWidget())) {
                name = preview->objectName();
                if (pages)
                    *pages = preview->pageCount();
                QVERIFY(preview->windowState() & Qt::WindowMaximized);
                preview->close();
            }
        });
        w<QPushButton>("BitPrint")->click();
        settle();
        return name;
    }
    bool drawing;
    test::Installation inst;
    test::Run run;
    std::unique_ptr<ListingWindow> window;
};

} // namespace

class TestListing : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }
    void listsTheValidOnes_data();
    void listsTheValidOnes();
    void printsListOrSheets_data();
    void printsListOrSheets();
    void emptySelectionPrintsNothing_data();
    void emptySelectionPrintsNothing();
    void noPrintRightStillExports_data();
    void noPrintRightStillExports();
    void invertedRangePrintsNothing_data();
    void invertedRangePrintsNothing();
    void sortByClientListsAndPrintsByShortName();
    void previewOpensTheViewer_data();
    void previewOpensTheViewer();
    void openedFromTheMenu();
    void drawingNamesGrid();

private:
    void kinds() {
        QTest::addColumn<bool>("drawing");
        QTest::newRow("cliches") << false;
        QTest::newRow("drawings") << true;
    }
};

void TestListing::listsTheValidOnes_data() {
    kinds();
}

void TestListing::listsTheValidOnes() {
    QFETCH(bool, drawing);
    ListingOn l(drawing);
    l.add("C-3");
    l.add("A-1");
    l.add("B-2", "N");
    QVERIFY(l.open());
    QCOMPARE(l.window->windowTitle(), drawing ? QStringLiteral("Impressão de Desenhos")
                                              : QStringLiteral("Listagem de Clichés"));
    QCOMPARE(l.listed(), (QStringList{"A-1", "C-3"}));
    QVERIFY(l.w<QRadioButton>("RadSimples")->isChecked());
    QVERIFY(!l.w<QCheckBox>("ChkImpFoto")->isChecked());
    QCOMPARE(l.w<QRadioButton>("RadCompleta")->text(), QStringLiteral("Ficha Completa ?"));
    QCOMPARE(l.w<QCheckBox>("ChkImpFoto")->text(), QStringLiteral("Impr.Fotografia?"));
    QVERIFY(l.w<QPushButton>("BitPrint")->isVisible());
}

void TestListing::printsListOrSheets_data() {
    kinds();
}

void TestListing::printsListOrSheets() {
    QFETCH(bool, drawing);
    ListingOn l(drawing);
    for (const char* n : {"A-1", "B-2", "C-3"})
        l.add(n);
    QVERIFY(l.open());
    int pages = 0;
    QCOMPARE(l.print(&pages),
             drawing ? QStringLiteral("TCORTFPR022A") : QStringLiteral("TCORTFPR012A"));
    QCOMPARE(pages, 1);
    // The window searched again after printing.
    QVERIFY(l.window->list()->isOpen());
    QCOMPARE(l.listed().size(), 3);
    l.w<QRadioButton>("RadCompleta")->setChecked(true);
    l.w<QCheckBox>("ChkImpFoto")->setChecked(true);
    QCOMPARE(l.print(&pages),
             drawing ? QStringLiteral("TCORTFPR022B") : QStringLiteral("TCORTFPR012B"));
    QCOMPARE(pages, drawing ? 2 : 3); // a page per cliché; two drawing sheets a page
    QVERIFY(l.run.messages.shown.isEmpty());
}

void TestListing::emptySelectionPrintsNothing_data() {
    kinds();
}

void TestListing::emptySelectionPrintsNothing() {
    QFETCH(bool, drawing);
    ListingOn l(drawing);
    l.add("A-1", "N");
    QVERIFY(l.open());
    QVERIFY(l.listed().isEmpty());
    QCOMPARE(l.print(), QString());
    QVERIFY(!l.window->BitPrintClick());
    QVERIFY(l.run.messages.shown.isEmpty());
}

void TestListing::noPrintRightStillExports_data() {
    kinds();
}

void TestListing::noPrintRightStillExports() {
    QFETCH(bool, drawing);
    ListingOn l(drawing);
    l.add("A-1");
    QVERIFY(l.inst.exec("main",
                        "UPDATE APLICACAODET SET IMPRIMIR = 'N' WHERE CAPITULO = ? AND "
                        "PROGRAMA = 'Impressao'",
                        {drawing ? "Desenhos" : "Cliches"}));
    QVERIFY(l.open());
    QVERIFY(!l.w<QPushButton>("BitPrint")->isVisible());
    QCOMPARE(l.listed(), QStringList{"A-1"});
    QTemporaryDir dir;
    QString opened;
    l.window->exporter().setFolder(dir.path());
    l.window->exporter().setOpener([&opened](const QString& path) {
        opened = path;
        return true;
    });
    QTest::mouseClick(l.w<QPushButton>("BotExcel"), Qt::LeftButton);
    settle();
    QVERIFY2(!opened.isEmpty(), qPrintable(l.run.messages.shown.join('\n')));
    // The sheet: the title, then the kind's columns in order.
    const QStringList expected =
        drawing ? QStringList{"DESENHONRO", "LARGURA", "COMPRIM", "ALTURA", "COMP_PLACA"}
                : QStringList{"CLICHENRO", "CORTANTENRO", "SIGLACLI", "PRODNRO", "REFERENCIA"};
    auto* exportGrid = l.w<QTableView>("DBGrid3");
    QHeaderView* header = exportGrid->horizontalHeader();
    int shown = 0;
    QStringList order;
    for (int v = 0; v < header->count(); ++v) {
        const int logical = header->logicalIndex(v);
        if (exportGrid->isColumnHidden(logical))
            continue;
        ++shown;
        order << l.window->list()->fieldOfColumn(logical);
    }
    QCOMPARE(shown, drawing ? 26 : 24);
    QCOMPARE(order.mid(0, 5), expected);
    QCOMPARE(order.last(), drawing ? QStringLiteral("VNDNOME") : QStringLiteral("MAQUINA_DES"));
}

void TestListing::invertedRangePrintsNothing_data() {
    QTest::addColumn<bool>("drawing");
    QTest::addColumn<QString>("message");
    QTest::newRow("cliches: set-up sheets 5 to 3")
        << false << QStringLiteral("Limite de Fichas de Setup Inválido ...");
    QTest::newRow("drawings: numbers b to A")
        << true << QStringLiteral("Limite de Desenhos Inválido ...");
}

void TestListing::invertedRangePrintsNothing() {
    QFETCH(bool, drawing);
    QFETCH(QString, message);
    ListingOn l(drawing);
    l.add("A-1");
    l.add("B-2");
    QVERIFY(l.open());
    // The lower bound, then an upper bound below it: refused on leaving the box.
    l.fill(drawing ? "Edit_DesenhoNro1" : "Edit_Setup1", drawing ? "b" : "5");
    l.fill(drawing ? "Edit_DesenhoNro2" : "Edit_Setup2", drawing ? "A" : "3");
    QCOMPARE(l.run.messages.shown, QStringList{message});
    // "&Imprimir" checks every range again: the message, no preview.
    QCOMPARE(l.print(), QString());
    QCOMPARE(l.run.messages.shown, (QStringList{message, message}));
    QVERIFY(l.run.messages.beeps.value(1));
    // Mended, it prints.
    l.fill(drawing ? "Edit_DesenhoNro2" : "Edit_Setup2", drawing ? "Z" : "99999");
    QVERIFY(!l.print().isEmpty());
    QCOMPARE(l.listed(), drawing ? QStringList{"B-2"} : (QStringList{"A-1", "B-2"}));
}

void TestListing::sortByClientListsAndPrintsByShortName() {
    ListingOn l(false);
    l.add("A-1");
    l.add("B-2");
    l.add("C-3");
    QVERIFY(l.inst.exec("main", "UPDATE CLICHES SET SIGLACLI = 'ZETA' WHERE CLICHENRO = 'A-1'"));
    QVERIFY(l.inst.exec("main", "UPDATE CLICHES SET SIGLACLI = 'ALFA' WHERE CLICHENRO = 'C-3'"));
    QVERIFY(l.open());
    QTest::mouseClick(l.w<QRadioButton>("RadCliente"), Qt::LeftButton);
    settle();
    QCOMPARE(l.listed(), (QStringList{"C-3", "B-2", "A-1"}));
    // The printed list runs over the same search: in the same order.
    const cliches::SearchCriteria c = static_cast<TCORTF012*>(l.window.get())->criteria();
    QCOMPARE(c.sort, cliches::SearchSort::Client);
    Dataset rows("CLICHES", kDbFalquinas, QString(), UpdateObject{});
    const SearchStatement s =
        cliches::searchStatement(c, SqlDialect::forDatabase(QSqlDatabase::database(kDbFalquinas)));
    rows.setStatement(s.sql);
    for (const auto& b : s.binds)
        rows.bindValue(b.first, b.second);
    QVERIFY(rows.open());
    reports::DatasetSource source(rows);
    cliches::ClicheReportOptions o;
    o.criteria = c;
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QVERIFY(reports::renderToText(cliches::clicheListForm(o), source, {}, out).ok);
    const QByteArray text = out.data();
    QVERIFY(text.indexOf("\nC-3 ") > 0);
    QVERIFY(text.indexOf("\nC-3 ") < text.indexOf("\nB-2 "));
    QVERIFY(text.indexOf("\nB-2 ") < text.indexOf("\nA-1 "));
}

void TestListing::previewOpensTheViewer_data() {
    kinds();
}

void TestListing::previewOpensTheViewer() {
    QFETCH(bool, drawing);
    ListingOn l(drawing);
    l.add("A-1");
    l.add("B-2");
    const QString folder =
        resolveFolder(l.inst
                          .scalar("main", drawing ? "SELECT PATHDESENHO FROM PARGER"
                                                  : "SELECT PATHCLICHE FROM PARGER")
                          .toString(),
                      l.inst.root());
    QDir().mkpath(folder);
    QImage photo(40, 30, QImage::Format_RGB32);
    photo.fill(Qt::darkRed);
    QVERIFY(photo.save(folder + "/B-2.JPG", "JPEG"));
    QVERIFY(l.open());
    QVERIFY(l.window->preview()->isEmpty()); // A-1 has no photo
    l.window->list()->setCurrentRow(1);
    QVERIFY(QTest::qWaitFor([&] { return !l.window->preview()->isEmpty(); }, 5000));
    QString name;
    QString shownNumber;
    QTimer::singleShot(0, [&] {
        auto* viewer = qobject_cast<ViewerWindow*>(QApplication::activeModalWidget());
        if (!viewer)
            return;
        name = viewer->objectName();
        if (auto* box =
                viewer->findChild<QLineEdit*>(drawing ? "Edit_DESENHONRO" : "Edit_CLICHENRO"))
            shownNumber = box->text();
        viewer->close();
    });
    emit l.window->preview()->clicked();
    settle();
    QCOMPARE(name,
             drawing ? QStringLiteral("TCORTF022DESENHO") : QStringLiteral("TCORTF012CLICHE"));
    QCOMPARE(shownNumber, QStringLiteral("B-2"));
}

void TestListing::openedFromTheMenu() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    test::Run run;
    registerWindows(run.menu, run.session);
    QVERIFY(run.start());
    for (const char* component : {"CLICHE003", "DESENHO003"}) {
        QString name;
        QTimer::singleShot(0, [&] {
            auto* window = qobject_cast<ListingWindow*>(QApplication::activeModalWidget());
            QVERIFY(window);
            name = window->objectName();
            window->findChild<QPushButton*>("BitTerminar")->click();
        });
        run.menu.findChild<QAction*>(QLatin1String(component))->trigger();
        QCOMPARE(name, QLatin1String(component) == QLatin1String("CLICHE003")
                           ? QStringLiteral("TCORTF012")
                           : QStringLiteral("TCORTF022"));
    }
}

void TestListing::drawingNamesGrid() {
    // The small grid under the drawings: the current one's designer, board and machine.
    ListingOn l(true);
    test::addDrawing(l.inst, "D-1", {{"DESENHADOR", 1}, {"CARTAO", 4}, {"MAQUINA", 5}});
    test::addDrawing(l.inst, "D-2", {{"DESENHADOR", 2}, {"CARTAO", 1}, {"MAQUINA", 2}});
    QVERIFY(l.open());
    auto names = [&](int designer, int board, int machine) {
        return QStringList{
            l.inst.scalar("main", "SELECT NOME FROM DESENHADORES WHERE CODIGO = ?", {designer})
                .toString(),
            l.inst.scalar("main", "SELECT DESIGNACAO FROM CARTOES WHERE CODIGO = ?", {board})
                .toString(),
            l.inst.scalar("main", "SELECT DESIGNACAO FROM MAQUINAS WHERE CODIGO = ?", {machine})
                .toString()};
    };
    auto* grid = l.w<QTableView>("DBGrid2");
    QVERIFY(grid && grid->model());
    auto shown = [grid] {
        QStringList row;
        for (int c = 0; c < grid->model()->columnCount(); ++c)
            row << grid->model()->index(0, c).data().toString();
        return row;
    };
    QStringList titles;
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        titles << grid->model()->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(titles, QStringList({"Desenhador", "Cartão", "Máquina"}));
    QCOMPARE(grid->model()->rowCount(), 1);
    QCOMPARE(shown(), names(1, 4, 5));
    QVERIFY(!shown().contains(QString()));
    l.window->list()->setCurrentRow(1);
    QCOMPARE(shown(), names(2, 1, 2));
    l.fill("Edit_DesenhoNro1", "E"); // no drawing: no names
    QCOMPARE(grid->model()->rowCount(), 0);
}

QTEST_MAIN(TestListing)
#include "tst_listing.moc"
