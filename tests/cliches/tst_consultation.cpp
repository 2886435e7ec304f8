// "Consulta de Clichés" and "Consulta de Desenhos": the editors without anything that changes
// a record, over lists of their own of the valid records; the record found by F1 stays
// current when the window becomes active again; the editors still list every record after.
// The grid's context menu "Procurar por ..." of every window with F1 ... F6.
#include "CORTP011.h"
#include "CORTP013.h"
#include "CORTP021.h"
#include "CORTP023.h"
#include "dataset.h"
#include "editorrun.h"
#include "unitDtFalquinas.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QMenu>

using namespace falq;
using test::settle;

namespace {

const char* const kEditingControls[] = {
    "BotInserir",     "BotCancelar", "BotDelete",     "BotAbrirArtigo", "BotLocalizar",
    "BotDeleteImage", "BotScan",     "BotScanSelect", "BotAnexo",       "BotDelAnexo"};

template <class Window> QStringList listed(const test::EditorOf<Window>& e) {
    QStringList numbers;
    for (int r = 0; r < e.grid()->model()->rowCount(); ++r)
        numbers << e.gridNumber(r);
    return numbers;
}

// The column titles of the "Localizar" dialog that `search` opens (Esc closes it).
QStringList searchTitles(const std::function<void()>& search) {
    QStringList titles;
    bool seen = false;
    test::onModal(
        [&titles](QWidget* modal) {
            if (auto* grid = modal->findChild<QTableView*>())
                for (int c = 0; c < grid->model()->columnCount(); ++c)
                    titles << grid->model()->headerData(c, Qt::Horizontal).toString();
            QTest::keyClick(modal, Qt::Key_Escape);
        },
        &seen);
    search();
    settle();
    return titles;
}

// The grid's context menu offers the searches of F1 ... F6 under their names, and each item
// runs the search its key runs.
template <class Window> void checkGridMenu(const char* numberBox, const QStringList& items) {
    test::EditorOf<Window> e(numberBox);
    QVERIFY(e.open());
    QTableView* grid = e.grid();
    auto* menu = grid->template findChild<QMenu*>();
    QVERIFY(menu);
    QStringList texts;
    for (const QAction* a : menu->actions())
        texts << a->text();
    QCOMPARE(texts, items);
    const QPoint at = grid->viewport()->rect().center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, grid->viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid->viewport(), &click);
    QVERIFY(menu->isVisible());
    menu->close();
    settle();
    for (int n = 0; n < items.size(); ++n) {
        const QStringList byMenu = searchTitles([&] { menu->actions().at(n)->trigger(); });
        const QStringList byKey =
            searchTitles([&] { QTest::keyClick(grid, Qt::Key(Qt::Key_F1 + n)); });
        QVERIFY2(!byMenu.isEmpty(), qPrintable(items[n]));
        QCOMPARE(byMenu, byKey);
    }
}

} // namespace

class Consultation : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }

    void clichesReadOnlyAndValidOnly() {
        test::Installation inst;
        QVERIFY2(inst.ok(), qPrintable(inst.error()));
        test::addCodes(inst);
        test::addCliche(inst, "A-1");
        test::addCliche(inst, "A-2", {{"UTILIZA", "N"}});
        test::addCliche(inst, "A-3", {{"MODELO", 99}}); // listed whatever its codes
        test::EditorOf<TCORTF011> e;
        QVERIFY(e.open());
        QCOMPARE(e.window->windowTitle(), QStringLiteral("Consulta de Clichés"));
        QCOMPARE(e.window->objectName(), QStringLiteral("TCORTF011"));
        QCOMPARE(listed(e), QStringList({"A-1", "A-3"}));
        for (const char* name : kEditingControls)
            QVERIFY2(e.button(name)->isHidden(), name);
        QVERIFY(e.w<QGroupBox>("PainelBotoes")->isHidden());
        QVERIFY(e.w<QGroupBox>("PanelComercial")->isHidden());
        QVERIFY(!e.button("BotExcel")->isHidden());
        // Leaving the grid for a box opens nothing for editing; typing changes nothing.
        e.leaveGrid();
        QCOMPARE(e.window->mode(), RecordEditor::Mode::Browse);
        e.click("Edit_Referencia");
        QVERIFY(e.w("Edit_Referencia")->isReadOnly());
        QTest::keyClicks(e.w("Edit_Referencia"), "xyz");
        e.clickGrid(0);
        QCOMPARE(e.window->mode(), RecordEditor::Mode::Browse);
        QCOMPARE(inst.scalar("main", "SELECT REFERENCIA FROM CLICHES WHERE CLICHENRO = 'A-1'")
                     .toString(),
                 QStringLiteral("Ref A-1"));
        // The code boxes have no searches.
        e.click("Edit_CliNro");
        QTest::keyClick(e.w("Edit_CliNro"), Qt::Key_Insert);
        settle();
        QVERIFY(!QApplication::activeModalWidget());
        // The editor afterwards lists every cliché again.
        e.window->close();
        settle();
        test::Editor editor;
        QVERIFY(editor.open());
        QCOMPARE(listed(editor), QStringList({"A-1", "A-2", "A-3"}));
    }

    void foundRecordStaysCurrent() {
        test::Installation inst;
        QVERIFY2(inst.ok(), qPrintable(inst.error()));
        test::addCodes(inst);
        for (int i = 0; i < 30; ++i)
            test::addCliche(inst, QStringLiteral("K-%1").arg(i, 2, 10, QLatin1Char('0')),
                            {{"PRODNRO", QStringLiteral("P%1").arg(99 - i)}});
        test::EditorOf<TCORTF011> e;
        QVERIFY(e.open());
        bool seen = false;
        test::onModal(
            [](QWidget* modal) {
                auto* dialog = qobject_cast<LocateDialog*>(modal);
                QTest::keyClicks(dialog->searchBox(), "P85");
                QTest::keyClick(dialog->searchBox(), Qt::Key_Return);
            },
            &seen);
        QTest::keyClick(e.grid(), Qt::Key_F4);
        settle();
        QVERIFY(seen);
        QCOMPARE(e.window->sortField(), QStringLiteral("PRODNRO"));
        QCOMPARE(e.w("Edit_ClicheNro")->text(), QStringLiteral("K-14"));
        // Active again (the dialog gone): the sort and the record stay.
        QVERIFY(e.activate());
        QCOMPARE(e.window->sortField(), QStringLiteral("PRODNRO"));
        QCOMPARE(e.w("Edit_ClicheNro")->text(), QStringLiteral("K-14"));
        QCOMPARE(e.focused(), QStringLiteral("DBGrid1"));
    }

    void gridSearchMenus_data() {
        QTest::addColumn<QString>("window");
        for (const char* w :
             {"TCORTF010", "TCORTF011", "TCORTF013", "TCORTF020", "TCORTF021", "TCORTF023"})
            QTest::newRow(w) << QString::fromLatin1(w);
    }

    void gridSearchMenus() {
        QFETCH(QString, window);
        test::Installation inst;
        QVERIFY2(inst.ok(), qPrintable(inst.error()));
        test::addCodes(inst);
        for (const char* n : {"N-1", "N-2"}) {
            test::addCliche(inst, n, {{"UTILIZA", n == QLatin1String("N-1") ? "S" : "N"}});
            test::addDrawing(inst, n, {{"UTILIZA", n == QLatin1String("N-1") ? "S" : "N"}});
        }
        const QStringList cliches = {"Procurar por Cliché",     "Procurar por Cortante",
                                     "Procurar por Cliente",    "Procurar por Produto",
                                     "Procurar por Referência", "Procurar por Fornecedor"};
        const QStringList drawings = {"Procurar por Desenho",    "Procurar por Cortante",
                                      "Procurar por Cliente",    "Procurar por Referência",
                                      "Procurar por Larg.Placa", "Procurar por Compr.Placa"};
        if (window == "TCORTF010")
            checkGridMenu<TCORTF010>("Edit_ClicheNro", cliches);
        else if (window == "TCORTF011")
            checkGridMenu<TCORTF011>("Edit_ClicheNro", cliches);
        else if (window == "TCORTF013")
            checkGridMenu<TCORTF013>("Edit_ClicheNro", cliches);
        else if (window == "TCORTF020")
            checkGridMenu<TCORTF020>("Edit_DesenhoNro", drawings);
        else if (window == "TCORTF021")
            checkGridMenu<TCORTF021>("Edit_DesenhoNro", drawings);
        else
            checkGridMenu<TCORTF023>("Edit_DesenhoNro", drawings);
    }

    void drawingsReadOnlyAndValidOnly() {
        test::Installation inst;
        QVERIFY2(inst.ok(), qPrintable(inst.error()));
        test::addCodes(inst);
        test::addDrawing(inst, "D-1");
        test::addDrawing(inst, "D-2", {{"UTILIZA", "N"}});
        test::addDrawing(inst, "D-3", {{"DESENHADOR", 0}}); // no designer 0: listed here
        test::EditorOf<TCORTF021> e("Edit_DesenhoNro");
        QVERIFY(e.open());
        QCOMPARE(e.window->windowTitle(), QStringLiteral("Consulta de Desenhos"));
        QCOMPARE(e.window->objectName(), QStringLiteral("TCORTF021"));
        QCOMPARE(listed(e), QStringList({"D-1", "D-3"}));
        for (const char* name : kEditingControls)
            QVERIFY2(e.button(name)->isHidden(), name);
        QVERIFY(e.w<QGroupBox>("PainelBotoes")->isHidden());
        e.leaveGrid();
        QCOMPARE(e.window->mode(), RecordEditor::Mode::Browse);
        QVERIFY(e.w("Edit_Referencia")->isReadOnly());
        // F3 searches the own list by client; Esc leaves the record as it was.
        bool seen = false;
        test::onModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); }, &seen);
        QTest::keyClick(e.grid(), Qt::Key_F3);
        settle();
        QVERIFY(seen);
        QCOMPARE(e.window->sortField(), QStringLiteral("SIGLACLI"));
        QCOMPARE(listed(e), QStringList({"D-1", "D-3"}));
        e.window->close();
        settle();
        test::EditorOf<TCORTF020> editor("Edit_DesenhoNro");
        QVERIFY(editor.open());
        QCOMPARE(listed(editor), QStringList({"D-1", "D-2", "D-3"}));
        QVERIFY(!inst.scalar("main", "SELECT COUNT(*) FROM DESENHOS WHERE UTILIZA = 'N'").toInt() ==
                0);
    }
};

QTEST_MAIN(Consultation)
#include "tst_consultation.moc"
