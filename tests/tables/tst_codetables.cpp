// The code table windows (designers, colours, machines, boards, models, storage places):
// proposed codes, the
// code and detail checks, rights, the save point (grid and closing), delete, reopening on the
// last code, print preview and spreadsheet export, opening from the menu.
#include "codetables.h"
#include "datasetsource.h"
#include "filecheck.h"
#include "reportpreview.h"
#include "tablerun.h"
#include "unitDtFalquinas.h"
#include "windows.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QPrintPreviewWidget>
#include <QRegularExpression>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

using namespace falq;
using falq::test::Run;
using falq::test::settleQueued;
using falq::test::TablesOn;

namespace {

QLineEdit* box(QWidget* w, const char* name) {
    return w->findChild<QLineEdit*>(name);
}

QPushButton* button(QWidget* w, const char* name) {
    return w->findChild<QPushButton*>(name);
}

QTableView* grid(QWidget* w) {
    return w->findChild<QTableView*>("DBGrid1");
}

void tab() {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    settleQueued();
}

void type(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void clickInto(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton);
    settleQueued();
}

// A click on a row of the grid (the first row when none is said).
void clickGrid(QWidget* w, int row = 0) {
    QTableView* g = grid(w);
    int column = 0;
    while (g->isColumnHidden(column))
        ++column;
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {},
                      g->visualRect(g->model()->index(row, column)).center());
    settleQueued();
}

QString focusName() {
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

// Sets one flag of the user's rights on one program.
QString rightSql(const char* program, const char* flag, const char* value) {
    return QStringLiteral("UPDATE APLICACAODET SET %1 = '%2' WHERE PROGRAMA = '%3'")
        .arg(QLatin1String(flag), QLatin1String(value), QLatin1String(program));
}

} // namespace

class TestCodeTables : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }
    void emptyTableProposesOne();
    void insertProposesTheNextCode();
    void existingCodeIsRefused();
    void codesTheColumnCannotHoldAreRefused_data();
    void codesTheColumnCannotHoldAreRefused();
    void codeChangedAfterItWasAccepted();
    void withoutInsertRight();
    void deleteAndPrintFollowTheirRights();
    void designersTypeTheirCode();
    void colourMessagesKeepTheFocus();
    void leavingTheGrid();
    void codeBoxFollowsTheGrid();
    void gridClickWithEmptyDesignationWritesNothing();
    void gridClickWritesAnEditedRow();
    void cancelDropsTheNewRow();
    void closeBoxSavesAValidPendingRow();
    void closeBoxKeepsAnInvalidRow();
    void deleteAsksAndDeletes();
    void reopensOnTheLastCode();
    void printShowsTheListMaximised();
    void exportsTheGrid();
    void openedFromTheMenu();
    void printedLists_data();
    void printedLists();
    void listFollowsTheDatasetsOrder();
    void storagePlaces();
};

void TestCodeTables::emptyTableProposesOne() {
    TablesOn s(3, {"DELETE FROM MAQUINAS"});
    QVERIFY(s.ok);
    CodeTableWindow* w = s.window.get();
    QCOMPARE(w->windowTitle(), QStringLiteral("Tabela de Máquinas"));
    s.insert();
    QCOMPARE(box(w, "Edit_Codigo")->text(), QStringLiteral("1"));
    QCOMPARE(focusName(), QStringLiteral("Edit_Codigo"));
    tab();
    QCOMPARE(focusName(), QStringLiteral("Edit_Designacao"));
    QTest::keyClicks(box(w, "Edit_Designacao"), "Flexo 6 Cores");
    clickGrid(w);
    QCOMPARE(focusName(), QStringLiteral("DBGrid1"));
    QCOMPARE(s.rows("MAQUINAS"), 1);
    QCOMPARE(s.text("SELECT DESIGNACAO FROM MAQUINAS WHERE CODIGO = 1"),
             QStringLiteral("Flexo 6 Cores"));
    QVERIFY(!w->inserting());
    QVERIFY(s.run.messages.shown.isEmpty());
}

void TestCodeTables::insertProposesTheNextCode() {
    TablesOn s(5);
    QVERIFY(s.ok);
    // Another workstation's row counts as much as the ones in the grid.
    CodeTableWindow* w = s.window.get();
    QVERIFY(s.inst.exec("main", "INSERT INTO MODELOS (CODIGO, DESIGNACAO) VALUES (40, 'Caixa')"));
    s.insert();
    QCOMPARE(box(w, "Edit_Codigo")->text(), QStringLiteral("41"));
}

void TestCodeTables::existingCodeIsRefused() {
    TablesOn s(2);
    QVERIFY(s.ok);
    CodeTableWindow* w = s.window.get();
    const int before = s.rows("CORES");
    s.insert();
    type(box(w, "Edit_Codigo"), "03"); // the code 3, written another way
    tab();
    QCOMPARE(s.run.messages.shown, QStringList{"Registo já Existe ... <ENTER> ..."});
    QCOMPARE(s.run.messages.beeps, QList<bool>{true});
    QCOMPARE(focusName(), QStringLiteral("DBGrid1"));
    QVERIFY(!w->inserting());
    QVERIFY(button(w, "BitTerminar")->isEnabled());
    QCOMPARE(s.rows("CORES"), before);
    QCOMPARE(s.text("SELECT DESIGNACAO FROM CORES WHERE CODIGO = 3"), QStringLiteral("Magenta"));
    QVERIFY(w->close());
    QCOMPARE(s.rows("CORES"), before);
}

void TestCodeTables::codesTheColumnCannotHoldAreRefused_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("message"); // empty: a beep alone
    QTest::newRow("zero") << "0"
                          << "";
    QTest::newRow("not a number") << "abc"
                                  << "Valor Inválido ...";
    QTest::newRow("above a smallint") << "40000"
                                      << "Valor Inválido ...";
    QTest::newRow("negative") << "-2"
                              << "Valor Inválido ...";
    QTest::newRow("empty") << ""
                           << "";
}

void TestCodeTables::codesTheColumnCannotHoldAreRefused() {
    QFETCH(QString, code);
    QFETCH(QString, message);
    TablesOn s(4); // boards: a smallint code
    QVERIFY(s.ok);
    CodeTableWindow* w = s.window.get();
    const int before = s.rows("CARTOES");
    s.insert();
    type(box(w, "Edit_Codigo"), code);
    tab();
    const auto refusals = [&s, &message] {
        return message.isEmpty() ? s.run.messages.lonelyBeeps : int(s.run.messages.shown.size());
    };
    QCOMPARE(refusals(), 1);
    if (!message.isEmpty())
        QCOMPARE(s.run.messages.shown.first(), message);
    QCOMPARE(focusName(), QStringLiteral("Edit_Codigo"));
    QVERIFY(w->inserting());
    // Neither a click on the grid nor the close box gets past it.
    clickGrid(w);
    QCOMPARE(focusName(), QStringLiteral("Edit_Codigo"));
    QVERIFY(!w->close());
    settleQueued();
    QCOMPARE(focusName(), QStringLiteral("Edit_Codigo"));
    QCOMPARE(refusals(), 3);
    QCOMPARE(s.rows("CARTOES"), before);
    button(w, "BotCancelar")->click();
    settleQueued();
    QVERIFY(w->close());
    QCOMPARE(s.rows("CARTOES"), before);
}

// A code accepted, then changed in the code box and the grid clicked: the new code is checked
// (an existing one refused, a free one stored), never the earlier one stored.
void TestCodeTables::codeChangedAfterItWasAccepted() {
    TablesOn s(4);
    QVERIFY(s.ok);
    CodeTableWindow* w = s.window.get();
    const int before = s.rows("CARTOES");
    s.insert();
    tab(); // the proposed code accepted
    QCOMPARE(focusName(), QStringLiteral("Edit_Designacao"));
    QTest::keyClicks(box(w, "Edit_Designacao"), "Micro E");
    clickInto(box(w, "Edit_Codigo"));
    type(box(w, "Edit_Codigo"), "1");
    clickGrid(w);
    QCOMPARE(s.run.messages.shown, QStringList{"Registo já Existe ... <ENTER> ..."});
    QCOMPARE(s.rows("CARTOES"), before);
    s.insert();
    tab();
    QTest::keyClicks(box(w, "Edit_Designacao"), "Micro F");
    clickInto(box(w, "Edit_Codigo"));
    type(box(w, "Edit_Codigo"), "77");
    clickGrid(w);
    QCOMPARE(s.text("SELECT DESIGNACAO FROM CARTOES WHERE CODIGO = 77"), QStringLiteral("Micro F"));
    QCOMPARE(s.rows("CARTOES"), before + 1);
}

void TestCodeTables::withoutInsertRight() {
    TablesOn s(2, {rightSql("Cores", "INSERIR", "N")});
    QVERIFY(s.ok);
    CodeTableWindow* w = s.window.get();
    QVERIFY(button(w, "BotInserir")->isHidden());
    QVERIFY(button(w, "BotCancelar")->isHidden());
    QVERIFY(!box(w, "Edit_Codigo")->isEnabled());
    QVERIFY(!box(w, "Edit_Designacao")->isEnabled());
    QVERIFY(box(w, "Edit_Numero")->isEnabled());
    // The colour number can still be changed; a round trip through the grid keeps it so.
    clickInto(box(w, "Edit_Numero"));
    QCOMPARE(focusName(), QStringLiteral("Edit_Numero"));
    type(box(w, "Edit_Numero"), "K2");
    clickGrid(w);
    QCOMPARE(s.text("SELECT NUMERO FROM CORES WHERE CODIGO = 1"), QStringLiteral("K2"));
    QVERIFY(button(w, "BotInserir")->isHidden());
    QVERIFY(!box(w, "Edit_Codigo")->isEnabled());
    QVERIFY(!box(w, "Edit_Designacao")->isEnabled());
    // The shortcut of a hidden button does nothing.
    w->BotInserirClick();
    QVERIFY(!w->inserting());
}

void TestCodeTables::deleteAndPrintFollowTheirRights() {
    TablesOn s(0, {rightSql("Maquinas", "ELIMINAR", "N"), rightSql("Cartoes", "IMPRIMIR", "N")});
    QVERIFY(s.ok);
    {
        auto w = test::openCodeTable(s.run, 3);
        QVERIFY(w);
        QVERIFY(button(w.get(), "BotDelete")->isHidden());
        QVERIFY(!button(w.get(), "BitPrint")->isHidden());
        // Leaving the grid and coming back enables the buttons again, but never shows them.
        clickInto(box(w.get(), "Edit_Designacao"));
        QVERIFY(!button(w.get(), "BitPrint")->isEnabled());
        clickGrid(w.get());
        QVERIFY(button(w.get(), "BitPrint")->isEnabled());
        QVERIFY(button(w.get(), "BotDelete")->isHidden());
        QVERIFY(w->close());
    }
    auto w = test::openCodeTable(s.run, 4);
    QVERIFY(w);
    QVERIFY(!button(w.get(), "BotDelete")->isHidden());
    QVERIFY(button(w.get(), "BitPrint")->isHidden());
}

void TestCodeTables::designersTypeTheirCode() {
    TablesOn s(1);
    QVERIFY(s.ok);
    CodeTableWindow* w = s.window.get();
    s.insert();
    QVERIFY(box(w, "Edit_Codigo")->text().isEmpty());
    QTest::keyClicks(box(w, "Edit_Codigo"), "9");
    tab();
    QCOMPARE(focusName(), QStringLiteral("Edit_Nome"));
    // The name is not checked.
    clickGrid(w);
    QVERIFY(s.run.messages.shown.isEmpty());
    QCOMPARE(s.run.messages.lonelyBeeps, 0);
    QCOMPARE(s.inst.scalar("main", "SELECT COUNT(*) FROM DESENHADORES WHERE CODIGO = 9").toInt(),
             1);
    QCOMPARE(s.text("SELECT NOME FROM DESENHADORES WHERE CODIGO = 9"), QString());
}

void TestCodeTables::colourMessagesKeepTheFocus() {
    TablesOn s(2);
    QVERIFY(s.ok);
    CodeTableWindow* w = s.window.get();
    const int before = s.rows("CORES");
    s.insert();
    QCOMPARE(box(w, "Edit_Codigo")->text(), QStringLiteral("13"));
    tab();
    QCOMPARE(focusName(), QStringLiteral("Edit_Designacao"));
    tab();
    QCOMPARE(s.run.messages.shown, QStringList{"Designação da Côr Inválida ..."});
    QCOMPARE(focusName(), QStringLiteral("Edit_Designacao"));
    QTest::keyClicks(box(w, "Edit_Designacao"), "Rosa");
    tab();
    QCOMPARE(focusName(), QStringLiteral("Edit_Numero"));
    clickInto(box(w, "Edit_Designacao"));
    QCOMPARE(s.run.messages.shown.last(), QStringLiteral("Numero de Côr Inválido ..."));
    QCOMPARE(focusName(), QStringLiteral("Edit_Numero"));
    // Enter moves on like Tab: from the number back to the grid, where the row is written.
    QTest::keyClicks(box(w, "Edit_Numero"), "212");
    QTest::keyClick(box(w, "Edit_Numero"), Qt::Key_Return);
    settleQueued();
    QCOMPARE(focusName(), QStringLiteral("DBGrid1"));
    QCOMPARE(s.run.messages.shown.size(), 2);
    QCOMPARE(s.run.messages.beeps, (QList<bool>{true, true}));
    QCOMPARE(s.rows("CORES"), before + 1);
    QCOMPARE(s.text("SELECT NUMERO FROM CORES WHERE DESIGNACAO = 'Rosa'"), QStringLiteral("212"));
}

void TestCodeTables::leavingTheGrid() {
    TablesOn s(5);
    QVERIFY(s.ok);
    CodeTableWindow* w = s.window.get();
    QCOMPARE(focusName(), QStringLiteral("DBGrid1"));
    QVERIFY(box(w, "Edit_Codigo")->isEnabled());
    clickInto(box(w, "Edit_Codigo"));
    // On an existing row the code cannot be changed: the designation box takes the focus.
    QCOMPARE(focusName(), QStringLiteral("Edit_Designacao"));
    QVERIFY(!box(w, "Edit_Codigo")->isEnabled());
    QVERIFY(!w->findChild<QWidget*>("BotNavig")->isEnabled());
    for (const char* name : {"BotInserir", "BotDelete", "BitPrint", "BitTerminar"})
        QVERIFY2(!button(w, name)->isEnabled(), name);
    QVERIFY(button(w, "BotCancelar")->isEnabled());
    clickGrid(w);
    QVERIFY(w->findChild<QWidget*>("BotNavig")->isEnabled());
    for (const char* name : {"BotInserir", "BotDelete", "BitPrint", "BitTerminar"})
        QVERIFY2(button(w, name)->isEnabled(), name);
    QVERIFY(box(w, "Edit_Codigo")->isEnabled());
}

void TestCodeTables::codeBoxFollowsTheGrid() {
    TablesOn s(3);
    QVERIFY(s.ok);
    CodeTableWindow* w = s.window.get();
    QCOMPARE(box(w, "Edit_Codigo")->text(), QStringLiteral("1"));
    w->findChild<QToolButton*>("BotUltimo")->click();
    QCOMPARE(box(w, "Edit_Codigo")->text(), QStringLiteral("6"));
    QCOMPARE(box(w, "Edit_Designacao")->text(), QStringLiteral("Coladeira"));
    w->findChild<QToolButton*>("BotAnterior")->click();
    QCOMPARE(box(w, "Edit_Codigo")->text(), QStringLiteral("5"));
    clickGrid(w, 2);
    QCOMPARE(box(w, "Edit_Codigo")->text(), QStringLiteral("3"));
    // While inserting the code box keeps what is typed.
    s.insert();
    QCOMPARE(box(w, "Edit_Codigo")->text(), QStringLiteral("7"));
    QVERIFY(box(w, "DBEdit_Codigo")->isHidden());
}

void TestCodeTables::gridClickWithEmptyDesignationWritesNothing() {
    TablesOn s(3);
    QVERIFY(s.ok);
    CodeTableWindow* w = s.window.get();
    // A changed row.
    clickGrid(w, 1);
    clickInto(box(w, "Edit_Designacao"));
    type(box(w, "Edit_Designacao"), "");
    clickGrid(w, 4);
    QCOMPARE(s.run.messages.lonelyBeeps, 1);
    QCOMPARE(focusName(), QStringLiteral("Edit_Designacao"));
    QVERIFY(!button(w, "BitTerminar")->isEnabled());
    QCOMPARE(box(w, "Edit_Codigo")->text(), QStringLiteral("2")); // still on its row
    QCOMPARE(s.text("SELECT DESIGNACAO FROM MAQUINAS WHERE CODIGO = 2"),
             QStringLiteral("Flexo 4 Cores"));
    button(w, "BotCancelar")->click();
    settleQueued();
    // A new row.
    const int before = s.rows("MAQUINAS");
    s.insert();
    tab();
    clickGrid(w);
    QCOMPARE(s.run.messages.lonelyBeeps, 2);
    QCOMPARE(focusName(), QStringLiteral("Edit_Designacao"));
    QCOMPARE(s.rows("MAQUINAS"), before);
    QVERIFY(s.run.messages.shown.isEmpty());
}

void TestCodeTables::gridClickWritesAnEditedRow() {
    TablesOn s(4);
    QVERIFY(s.ok);
    CodeTableWindow* w = s.window.get();
    clickGrid(w, 3);
    clickInto(box(w, "Edit_Designacao"));
    type(box(w, "Edit_Designacao"), "Duplo BC reforcado");
    clickGrid(w, 0);
    QCOMPARE(s.text("SELECT DESIGNACAO FROM CARTOES WHERE CODIGO = 4"),
             QStringLiteral("Duplo BC reforcado"));
    // The click goes on to choose its row once the row is written.
    QCOMPARE(box(w, "Edit_Codigo")->text(), QStringLiteral("1"));
}

void TestCodeTables::cancelDropsTheNewRow() {
    TablesOn s(2);
    QVERIFY(s.ok);
    CodeTableWindow* w = s.window.get();
    const int before = s.rows("CORES");
    s.insert();
    tab();
    QTest::keyClicks(box(w, "Edit_Designacao"), "Prata");
    button(w, "BotCancelar")->click();
    settleQueued();
    QCOMPARE(focusName(), QStringLiteral("DBGrid1"));
    QVERIFY(!w->inserting());
    QVERIFY(!w->cancelled()); // cleared when the grid took the focus
    QVERIFY(s.run.messages.shown.isEmpty());
    QVERIFY(w->close());
    QCOMPARE(s.rows("CORES"), before);
}

void TestCodeTables::closeBoxSavesAValidPendingRow() {
    TablesOn s(2);
    QVERIFY(s.ok);
    CodeTableWindow* w = s.window.get();
    s.insert();
    type(box(w, "Edit_Codigo"), "30");
    tab();
    QTest::keyClicks(box(w, "Edit_Designacao"), "Prata");
    tab();
    QTest::keyClicks(box(w, "Edit_Numero"), "877");
    QVERIFY(w->close()); // the close box
    QVERIFY(!w->isVisible());
    QCOMPARE(s.text("SELECT DESIGNACAO FROM CORES WHERE CODIGO = 30"), QStringLiteral("Prata"));
    QCOMPARE(s.text("SELECT NUMERO FROM CORES WHERE CODIGO = 30"), QStringLiteral("877"));
    QVERIFY(!s.run.session.dataset("CORES")->isOpen());
}

void TestCodeTables::closeBoxKeepsAnInvalidRow() {
    TablesOn s(2);
    QVERIFY(s.ok);
    CodeTableWindow* w = s.window.get();
    clickGrid(w, 2);
    clickInto(box(w, "Edit_Numero"));
    type(box(w, "Edit_Numero"), "");
    // Escape closes as the close box does.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    settleQueued();
    QVERIFY(w->isVisible());
    QCOMPARE(s.run.messages.shown, QStringList{"Numero de Côr Inválido ..."});
    QCOMPARE(focusName(), QStringLiteral("Edit_Numero"));
    QCOMPARE(s.text("SELECT NUMERO FROM CORES WHERE CODIGO = 3"), QStringLiteral("M"));
    QTest::keyClicks(box(w, "Edit_Numero"), "M1");
    QVERIFY(w->close());
    QCOMPARE(s.text("SELECT NUMERO FROM CORES WHERE CODIGO = 3"), QStringLiteral("M1"));
}

void TestCodeTables::deleteAsksAndDeletes() {
    // A cliché still uses the colour 2: it is deleted all the same.
    TablesOn s(2, {"INSERT INTO CLICHES (CLICHENRO, COR_01, UTILIZA) VALUES ('C1', 2, 'S')"});
    QVERIFY(s.ok);
    CodeTableWindow* w = s.window.get();
    clickGrid(w, 1);
    QCOMPARE(box(w, "Edit_Codigo")->text(), QStringLiteral("2"));
    s.run.messages.answers = {false};
    button(w, "BotDelete")->click();
    settleQueued();
    QCOMPARE(s.run.messages.asked, QStringList{"ELIMINAÇÃO !!! Confirma ?"});
    QCOMPARE(s.inst.scalar("main", "SELECT COUNT(*) FROM CORES WHERE CODIGO = 2").toInt(), 1);
    s.run.messages.answers = {true};
    button(w, "BotDelete")->click();
    settleQueued();
    QCOMPARE(s.run.messages.asked.size(), 2);
    QCOMPARE(s.inst.scalar("main", "SELECT COUNT(*) FROM CORES WHERE CODIGO = 2").toInt(), 0);
    QCOMPARE(s.inst.scalar("main", "SELECT COR_01 FROM CLICHES WHERE CLICHENRO = 'C1'").toInt(), 2);
    QCOMPARE(focusName(), QStringLiteral("DBGrid1"));
    QCOMPARE(grid(w)->model()->rowCount(), 11);
}

void TestCodeTables::reopensOnTheLastCode() {
    TablesOn s;
    QVERIFY(s.ok);
    {
        auto w = test::openCodeTable(s.run, 5);
        QVERIFY(w);
        clickGrid(w.get(), 4);
        clickInto(box(w.get(), "Edit_Designacao"));
        clickGrid(w.get(), 4);
        QVERIFY(w->close());
    }
    {
        auto w = test::openCodeTable(s.run, 5);
        QVERIFY(w);
        QCOMPARE(box(w.get(), "Edit_Codigo")->text(), QStringLiteral("5"));
        QCOMPARE(s.run.session.dataset("MODELOS")->currentRow(), 4);
        button(w.get(), "BotInserir")->click();
        settleQueued();
        tab();
        QTest::keyClicks(box(w.get(), "Edit_Designacao"), "Cantoneira");
        QVERIFY(w->close());
    }
    // Each member keeps its own; a new run starts on the first row.
    auto other = test::openCodeTable(s.run, 4);
    QVERIFY(other);
    QCOMPARE(box(other.get(), "Edit_Codigo")->text(), QStringLiteral("1"));
    QVERIFY(other->close());
    auto w = test::openCodeTable(s.run, 5);
    QVERIFY(w);
    QCOMPARE(box(w.get(), "Edit_Codigo")->text(), QStringLiteral("9"));
    QCOMPARE(box(w.get(), "Edit_Designacao")->text(), QStringLiteral("Cantoneira"));
}

void TestCodeTables::printShowsTheListMaximised() {
    TablesOn s(2);
    QVERIFY(s.ok);
    CodeTableWindow* w = s.window.get();
    QTemporaryDir dir;
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* preview = qobject_cast<ReportPreview*>(QApplication::activeModalWidget());
        if (!preview) {
            QApplication::activeModalWidget()->close();
            QFAIL("the preview is not the active window");
        }
        seen = true;
        QVERIFY(preview->windowState() & Qt::WindowMaximized);
        QCOMPARE(preview->windowTitle(), QStringLiteral("Tabela de Côres"));
        QTRY_COMPARE(preview->pageCount(), 1);
        preview->setFileChooser([&](QWidget*, const QString&, const QString&, const QString&) {
            return dir.filePath("cores");
        });
        preview->findChild<QAction*>("BotExportarTexto")->trigger();
        preview->findChild<QAction*>("BotFechar")->trigger();
    });
    button(w, "BitPrint")->click();
    QVERIFY(seen);
    QFile f(dir.filePath("cores.txt"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(f.readAll()).split('\n');
    QVERIFY(lines.contains("  Código Designação da Côr              Nº Côr"));
    QVERIFY(lines.contains("       1 Preto                          K"));
    QVERIFY(lines.contains("      12 Branco                         W"));
    QVERIFY(s.run.messages.shown.isEmpty());
}

void TestCodeTables::exportsTheGrid() {
    TablesOn s(4);
    QVERIFY(s.ok);
    CodeTableWindow* w = s.window.get();
    QTemporaryDir dir;
    w->exporter().setFolder(dir.path());
    QString opened;
    w->exporter().setOpener([&](const QString& path) {
        opened = path;
        return true;
    });
    QCOMPARE(w->findChild<QToolButton*>("BotExcel")->toolTip(),
             QStringLiteral("Exportar para Excel"));
    w->findChild<QToolButton*>("BotExcel")->click();
    QVERIFY(!opened.isEmpty());
    const test::Sheet sheet = test::readSheet(opened);
    QCOMPARE(sheet.at(3, 1).text, QStringLiteral("Tabela de Cartões"));
    QCOMPARE(sheet.at(4, 1).text, QStringLiteral("Cartão Nº"));
    QCOMPARE(sheet.at(4, 2).text, QStringLiteral("Designação"));
    QCOMPARE(sheet.at(5, 2).text, QStringLiteral("Simples B"));
    QCOMPARE(sheet.at(12, 2).text, QStringLiteral("Branco C"));
}

void TestCodeTables::openedFromTheMenu() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    Run run;
    registerWindows(run.menu, run.session);
    QVERIFY(run.start());
    const struct {
        const char* entry;
        const char* button;
        const char* caption;
        const char* list;
    } members[] = {{"TAB001", "BotDesenhadores", "Tabela de Desenhadores", "TCORTFPR001"},
                   {"TAB002", "BotCores", "Tabela de Côres", "TCORTFPR002"},
                   {"TAB003", "BotMaquinas", "Tabela de Máquinas", "TCORTFPR003"},
                   {"TAB004", "BotCartoes", "Tabela de Cartões", "TCORTFPR004"},
                   {"TAB005", "BotModelos", "Tabela de Modelos", "TCORTFPR005"},
                   {"TAB006", "BotLocais", "Tabela de Locais", "TCORTFPR006"}};
    for (const auto& m : members) {
        for (bool viaButton : {false, true}) {
            QString caption;
            QPointer<CodeTableList> list;
            QTimer::singleShot(0, [&] {
                auto* window = qobject_cast<CodeTableWindow*>(QApplication::activeModalWidget());
                QVERIFY(window);
                caption = window->windowTitle();
                // The printed list the menu created first.
                list = window->list();
                QVERIFY(list);
                QCOMPARE(list->objectName(), QString::fromLatin1(m.list));
                button(window, "BitTerminar")->click();
            });
            if (viaButton)
                run.menu.findChild<QAbstractButton*>(m.button)->click();
            else
                run.menu.findChild<QAction*>(m.entry)->trigger();
            QCOMPARE(caption, QString::fromUtf8(m.caption));
            QVERIFY(!list); // freed after its window
        }
    }
    QVERIFY(!run.session.dataset("CORES")->isOpen());
}

void TestCodeTables::printedLists_data() {
    QTest::addColumn<int>("member");
    for (int m = 1; m <= kCodeTables; ++m)
        QTest::newRow(qPrintable(codeTableMember(m).listName)) << m;
}

void TestCodeTables::printedLists() {
    QFETCH(int, member);
    TablesOn s;
    QVERIFY(s.ok);
    const CodeTableMember& m = codeTableMember(member);
    Dataset* rows = s.run.session.dataset(m.dataset);
    QVERIFY(rows->open());
    // The company of the session row, and a fixed time.
    reports::Context context = reportContext(s.run.session);
    QCOMPARE(context.company, QStringLiteral("Cartonagem do Vale, Lda"));
    context.printedAt = QDateTime(QDate(2026, 3, 5), QTime(9, 15));
    const reports::Form form = CodeTableList(m).form();
    reports::DatasetSource source(*rows);
    QBuffer text;
    text.open(QIODevice::WriteOnly);
    const reports::Result r = reports::renderToText(form, source, context, text);
    QVERIFY(r.ok);
    QCOMPARE(r.rows, rows->rowCount());
    QString why;
    QVERIFY2(test::matchesGolden(text.data(), QStringLiteral(GOLDEN_DIR "/%1.txt").arg(m.listName),
                                 &why),
             qPrintable(why));
    // The same list as PDF (FALQ_KEEP_OUTPUT names a folder to keep it in, to look at it).
    QTemporaryDir dir;
    const QString folder = qEnvironmentVariable("FALQ_KEEP_OUTPUT", dir.path());
    const reports::Result pdf = reports::renderToFile(
        form, source, context, reports::FileFormat::Pdf, folder + "/" + m.listName + ".pdf");
    QVERIFY2(pdf.ok, qPrintable(pdf.error));
    QCOMPARE(pdf.pages, 1);
}

void TestCodeTables::listFollowsTheDatasetsOrder() {
    TablesOn s;
    QVERIFY(s.ok);
    Dataset* colours = s.run.session.dataset("CORES");
    colours->setStatement("SELECT * FROM CORES ORDER BY DESIGNACAO DESC");
    QVERIFY(colours->open());
    reports::DatasetSource source(*colours);
    QBuffer text;
    text.open(QIODevice::WriteOnly);
    QVERIFY(reports::renderToText(codeTableList(codeTableMember(2)), source,
                                  reportContext(s.run.session), text)
                .ok);
    const QStringList lines = QString::fromUtf8(text.data()).split('\n');
    const int header =
        int(lines.indexOf(QRegularExpression("^ +Código Designação da Côr +Nº Côr$")));
    QVERIFY(header > 0);
    QCOMPARE(lines.value(header + 2),
             QStringLiteral("       5 Vermelho                       485"));
    QCOMPARE(lines.value(header + 3),
             QStringLiteral("       6 Verde                          355"));
    QCOMPARE(lines.value(header + 13), QStringLiteral("       4 Amarelo                        Y"));
    colours->setStatement(defaultStatement("CORES"));
}

void TestCodeTables::storagePlaces() {
    // A text code, kept upper-cased, no code proposed; "Activo" takes only S or N; a place that
    // holds a tool in the store is not deleted (one at a machine does not count).
    TablesOn s(6, {"INSERT INTO LOCALIZACAO (TIPOREG, NRO, ESTADO, LOCAL) VALUES "
                   "('CL', 'X1', 'A', 'A-01-01')",
                   "INSERT INTO LOCALIZACAO (TIPOREG, NRO, ESTADO, LOCAL, MAQUINA) VALUES "
                   "('CL', 'X2', 'M', 'A-01-02', 1)"});
    QVERIFY(s.ok);
    CodeTableWindow* w = s.window.get();
    const int before = s.rows("LOCAIS");
    s.insert();
    QCOMPARE(box(w, "Edit_Codigo")->text(), QString());
    type(box(w, "Edit_Codigo"), "a-01-02"); // exists, written in lower case
    tab();
    QCOMPARE(s.run.messages.shown, QStringList{"Registo já Existe ... <ENTER> ..."});
    s.run.messages.shown.clear();
    s.insert();
    type(box(w, "Edit_Codigo"), " c-01-01 ");
    tab();
    QCOMPARE(box(w, "Edit_Codigo")->text(), QStringLiteral("C-01-01"));
    QCOMPARE(box(w, "Edit_Activo")->text(), QStringLiteral("S"));
    QTest::keyClicks(box(w, "Edit_Designacao"), "Carrinho da montagem");
    type(box(w, "Edit_Activo"), "x");
    const int newRow = grid(w)->model()->rowCount() - 1; // in view while it is inserted
    clickGrid(w, newRow);
    QCOMPARE(s.run.messages.shown, QStringList{"Activo : S ou N ..."});
    QCOMPARE(s.rows("LOCAIS"), before);
    type(box(w, "Edit_Activo"), "n");
    clickGrid(w, newRow);
    QCOMPARE(s.rows("LOCAIS"), before + 1);
    QCOMPARE(s.text("SELECT ACTIVO || DESIGNACAO FROM LOCAIS WHERE CODIGO = 'C-01-01'"),
             QStringLiteral("NCarrinho da montagem"));

    s.run.messages.shown.clear();
    s.run.messages.answers = {true, true};
    for (const char* code : {"A-01-01", "A-01-02"}) {
        Dataset* places = s.run.session.dataset(ds::LOCAIS);
        QVERIFY(places->locate({"CODIGO"}, {QString::fromLatin1(code)}));
        button(w, "BotDelete")->click();
        settleQueued();
    }
    QCOMPARE(s.run.messages.shown, QStringList{kPlaceHoldsTools.arg("A-01-01")});
    QCOMPARE(s.text("SELECT COUNT(*) FROM LOCAIS WHERE CODIGO = 'A-01-01'"), QStringLiteral("1"));
    QCOMPARE(s.text("SELECT COUNT(*) FROM LOCAIS WHERE CODIGO = 'A-01-02'"), QStringLiteral("0"));
    QCOMPARE(grid(w)->model()->rowCount(), before);
}

QTEST_MAIN(TestCodeTables)
#include "tst_codetables.moc"
