// "Abertura e Alteração de Clichés": leaving and returning to the grid, the numbering rule,
// the field checks and their messages, cancelling, deleting, closing, sorting, the searches
// and the rights, driven through the window's widgets.
#include "editorrun.h"
#include "windows.h"

#include <QAction>
#include <QHeaderView>
#include <QSqlQuery>

using namespace falq;
using test::Editor;
using test::settle;

namespace {
int count(test::Installation& inst, const QString& where = QStringLiteral("1=1"),
          const QVariantList& binds = {}) {
    return inst.scalar("main", "SELECT COUNT(*) FROM CLICHES WHERE " + where, binds).toInt();
}
QVariant column(test::Installation& inst, const QString& number, const char* name) {
    return inst.scalar(
        "main",
        QStringLiteral("SELECT %1 FROM CLICHES WHERE CLICHENRO = ?").arg(QLatin1String(name)),
        {number});
}
} // namespace

class TestClicheEditor : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }
    void opensWithTheGridAndTheRecord();
    void leavingTheGridEditsAndFocusesTheDieBox();
    void newClicheTwelveCharactersAndDuplicates();
    void existingNumberRefusedTableUnchanged();
    void emptyNumberOnlyBeeps();
    void clientZeroRefusedUnlessItExists();
    void supplierZeroClearsShortNameAndReference();
    void refusedCodesModelMachineAndColours();
    void noNullDieOrSetupNumberAfterTheGrid();
    void refusedClientThenMouseClickOnGridWritesNothing();
    void refusedBoxBesideAnUnknownCodeAsksOnce();
    void cancelDuringInsertWritesNothing();
    void closeBoxDuringEditSavesIt();
    void closeWithRefusedBoxStaysOpen();
    void codeSearchClosingKeepsTheInsert();
    void colourBoxThreeTurnsThePage();
    void sortByTitleThenReopenShowsNumberOrder();
    void functionKeySearchAndCancel();
    void deleteAsksAndDeletes();
    void rightsHideButtons();
    void openedFromTheMenu();
};

void TestClicheEditor::opensWithTheGridAndTheRecord() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    test::addCodes(inst);
    test::addCliche(inst, "B-200");
    test::addCliche(inst, "A-100", {{"COR_03", 99}});
    Editor e;
    QVERIFY(e.open());
    QCOMPARE(e.window->windowTitle(), QStringLiteral("Abertura e Alteração de Clichés"));
    QStringList titles;
    for (int c = 0; c < 6; ++c)
        titles << e.grid()->model()->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(titles, QStringList({"Cliché (F1)", "Cortante  (F2)", "Cliente  (F3)", "Prod.Nº  (F4)",
                                  "Referência  (F5)", "Fornecedor  (F6)"}));
    QVERIFY(e.grid()->isColumnHidden(6));
    QVERIFY(e.grid()->alternatingRowColors());
    QCOMPARE(e.gridNumber(0), QStringLiteral("A-100"));
    // The record display: number, names beside codes, colours (99 does not exist).
    QCOMPARE(e.w("Edit_ClicheNro")->text(), QStringLiteral("A-100"));
    QCOMPARE(e.w<QLabel>("Label_CliNome")->text(), QStringLiteral("Cartonagem Norte"));
    QCOMPARE(e.w<QLabel>("Label_FrnNome")->text(), QStringLiteral("Gravuras Lda"));
    QCOMPARE(e.w<QLabel>("Label_Modelo")->text(), QStringLiteral("FEFCO 0201"));
    QCOMPARE(e.w<QLabel>("Label_Maquina")->text(), QStringLiteral("Flexo 4 Cores"));
    QCOMPARE(e.w<QLabel>("Label_CorDes1")->text(), QStringLiteral("Preto"));
    QCOMPARE(e.w<QLabel>("Label_CorNumero2")->text(), QStringLiteral("M"));
    QCOMPARE(e.w<QLabel>("Label_CorDes3")->text(), QString());
    QCOMPARE(e.w("Edit_Referencia")->text(), QStringLiteral("Ref A-100"));
    QVERIFY(e.button("BitTerminar")->isEnabled());
    QVERIFY(e.messages.shown.isEmpty());
    // Moving in the grid shows the other record.
    QTest::keyClick(e.grid(), Qt::Key_Down);
    QCOMPARE(e.w("Edit_ClicheNro")->text(), QStringLiteral("B-200"));
}

void TestClicheEditor::leavingTheGridEditsAndFocusesTheDieBox() {
    test::EditorOn t;
    auto& [inst, e] = t;
    QVERIFY(t.open());
    // A click on any field: the die number box takes the focus, the row is in edit.
    e.click("Edit_Referencia");
    QCOMPARE(e.focused(), QStringLiteral("Edit_CortanteNro"));
    QCOMPARE(e.window->mode(), TCORTF010::Mode::Edit);
    QVERIFY(!e.w("Edit_ClicheNro")->isEnabled());
    for (const char* b : {"BotInserir", "BotDelete", "BitTerminar", "BotAbrirArtigo"})
        QVERIFY2(!e.button(b)->isEnabled(), b);
    // Entering a code box shows the search keys; Enter moves on like Tab.
    e.click("Edit_CliNro");
    QCOMPARE(e.window->statusText(),
             QStringLiteral("Tecla <INS> ... Procura Numérica, <CTRL+INS> Procura Alfabética ..."));
    QTest::keyClick(e.w("Edit_CliNro"), Qt::Key_Return);
    settle();
    QCOMPARE(e.window->statusText(), QString());
    QVERIFY(e.focused() != QLatin1String("Edit_CliNro"));
    // Typed text is cut to the column: the product number holds 8 characters.
    e.click("Edit_ProdNro");
    e.type("Edit_ProdNro", "123456789AB");
    e.type("Edit_Referencia", "Nova referência");
    e.clickGrid();
    QCOMPARE(e.window->mode(), TCORTF010::Mode::Browse);
    QCOMPARE(column(inst, "A-100", "PRODNRO").toString(), QStringLiteral("12345678"));
    QCOMPARE(column(inst, "A-100", "REFERENCIA").toString(), QStringLiteral("Nova referência"));
    QVERIFY(e.button("BitTerminar")->isEnabled());
    QVERIFY(e.messages.shown.isEmpty());
}

void TestClicheEditor::newClicheTwelveCharactersAndDuplicates() {
    test::EditorOn t;
    auto& [inst, e] = t;
    QVERIFY(t.open());
    e.insert();
    QCOMPARE(e.window->mode(), TCORTF010::Mode::Insert);
    QCOMPARE(e.focused(), QStringLiteral("Edit_ClicheNro"));
    QCOMPARE(e.w("Edit_Referencia")->text(), QString());
    QTest::keyClicks(e.w("Edit_ClicheNro"), "ABCDEFGHIJKLMNO"); // 15 characters
    QTest::keyClick(e.w("Edit_ClicheNro"), Qt::Key_Tab);
    settle();
    e.fill("Edit_CliNro", "2");
    QCOMPARE(e.w<QLabel>("Label_CliNome")->text(), QStringLiteral("Frutas do Sul"));
    QCOMPARE(e.w("DBEdit2")->text(), QStringLiteral("SUL"));
    e.clickGrid();
    QVERIFY2(e.messages.shown.isEmpty(), qPrintable(e.messages.shown.join('|')));
    QCOMPARE(count(inst), 2);
    QCOMPARE(column(inst, "ABCDEFGHIJKL", "SIGLACLI").toString(), QStringLiteral("SUL"));
    QCOMPARE(column(inst, "ABCDEFGHIJKL", "UTILIZA").toString(), QStringLiteral("S"));
    QCOMPARE(column(inst, "ABCDEFGHIJKL", "FORNECEDOR").toInt(), 0);         // empty codes are 0
    QCOMPARE(e.w("Edit_ClicheNro")->text(), QStringLiteral("ABCDEFGHIJKL")); // located again

    // The same 12 characters in another case, followed by others: already there.
    e.insert("abcdefghijklXYZ");
    QCOMPARE(e.messages.shown, QStringList{"Registo já Existe ... <ENTER> ..."});
    QCOMPARE(e.messages.beeps, QList<bool>{true});
    QCOMPARE(e.focused(), QStringLiteral("DBGrid1"));
    QCOMPARE(e.window->mode(), TCORTF010::Mode::Browse);
    QCOMPARE(count(inst), 2);
    QCOMPARE(e.grid()->model()->rowCount(), 2);
}

void TestClicheEditor::existingNumberRefusedTableUnchanged() {
    test::EditorOn t({"A-100", "B-200"});
    auto& [inst, e] = t;
    QVERIFY(t.open());
    // Another workstation adds a number after the list was read: the database is asked.
    test::addCliche(inst, "C-300", {{"REFERENCIA", "da outra"}});
    e.insert();
    QTest::keyClicks(e.w("Edit_ClicheNro"), "c-300");
    e.click("Edit_Referencia");
    e.type("Edit_Referencia", "não deve ficar");
    settle();
    QCOMPARE(e.messages.shown, QStringList{"Registo já Existe ... <ENTER> ..."});
    QCOMPARE(count(inst), 3);
    QCOMPARE(column(inst, "C-300", "REFERENCIA").toString(), QStringLiteral("da outra"));
    QCOMPARE(e.window->mode(), TCORTF010::Mode::Browse);
}

void TestClicheEditor::emptyNumberOnlyBeeps() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    test::addCliche(inst, "A-100");
    Editor e;
    QVERIFY(e.open());
    e.insert();
    QTest::keyClick(e.w("Edit_ClicheNro"), Qt::Key_Tab);
    settle();
    QCOMPARE(e.messages.lonelyBeeps, 1);
    QVERIFY(e.messages.shown.isEmpty());
    QCOMPARE(e.focused(), QStringLiteral("Edit_ClicheNro"));
    QCOMPARE(e.window->mode(), TCORTF010::Mode::Insert);
    // The grid cannot be reached by a click either: nothing without a number is written.
    e.clickGrid();
    QCOMPARE(e.messages.lonelyBeeps, 2);
    QCOMPARE(e.focused(), QStringLiteral("Edit_ClicheNro"));
    QCOMPARE(count(inst), 1);
}

void TestClicheEditor::clientZeroRefusedUnlessItExists() {
    test::EditorOn t;
    auto& [inst, e] = t;
    QVERIFY(t.open());
    e.leaveGrid();
    e.fill("Edit_CliNro", "0");
    QCOMPARE(e.messages.shown, QStringList{"Cliente Inexistente ..."});
    QCOMPARE(e.messages.beeps, QList<bool>{true});
    QCOMPARE(e.focused(), QStringLiteral("Edit_CliNro"));
    QCOMPARE(e.w<QLabel>("Label_CliNome")->text(), QString());
    QCOMPARE(e.w("DBEdit2")->text(), QString());
    // An empty box is code 0 too.
    e.w("Edit_CliNro")->clear();
    QTest::keyClick(e.w("Edit_CliNro"), Qt::Key_Tab);
    settle();
    QCOMPARE(e.messages.shown.size(), 2);
    QCOMPARE(e.focused(), QStringLiteral("Edit_CliNro"));
    // With a client 0 in the table, it is accepted.
    QVERIFY(inst.exec("fact", "INSERT INTO CLIENTES (CODIGO, NOME, SIGLA) VALUES (0, 'Diversos', "
                              "'DIV')"));
    QTest::keyClick(e.w("Edit_CliNro"), Qt::Key_Tab);
    settle();
    QCOMPARE(e.messages.shown.size(), 2);
    QCOMPARE(e.w<QLabel>("Label_CliNome")->text(), QStringLiteral("Diversos"));
    e.clickGrid();
    QCOMPARE(column(inst, "A-100", "CLINRO").toInt(), 0);
    QCOMPARE(column(inst, "A-100", "SIGLACLI").toString(), QStringLiteral("DIV"));
}

void TestClicheEditor::supplierZeroClearsShortNameAndReference() {
    test::EditorOn t;
    auto& [inst, e] = t;
    QVERIFY(t.open());
    e.leaveGrid();
    e.click("Edit_Fornecedor");
    e.type("Edit_Fornecedor", "0");
    e.click("Edit_Observ1");
    QVERIFY(e.messages.shown.isEmpty());
    QCOMPARE(e.w("DBEdit7")->text(), QString());
    QCOMPARE(e.w("Edit_Refer_Forn")->text(), QString());
    QCOMPARE(e.w<QLabel>("Label_FrnNome")->text(), QString());
    e.clickGrid();
    QCOMPARE(column(inst, "A-100", "FORNECEDOR").toInt(), 0);
    QCOMPARE(column(inst, "A-100", "FORNSIGLA").toString(), QString());
    QCOMPARE(column(inst, "A-100", "REFER_FORN").toString(), QString());
    // A supplier that does not exist is refused; one that does gives its short name.
    e.leaveGrid();
    e.fill("Edit_Fornecedor", "9");
    QCOMPARE(e.messages.shown, QStringList{"Fornecedor Inexistente ..."});
    e.type("Edit_Fornecedor", "6");
    QTest::keyClick(e.w("Edit_Fornecedor"), Qt::Key_Tab);
    settle();
    e.clickGrid();
    QCOMPARE(column(inst, "A-100", "FORNSIGLA").toString(), QStringLiteral("POLI"));
}

void TestClicheEditor::refusedCodesModelMachineAndColours() {
    test::EditorOn t;
    auto& [inst, e] = t;
    QVERIFY(t.open());
    e.leaveGrid();
    e.fill("Edit_Modelo", "77");
    e.type("Edit_Modelo", "3");
    e.click("Edit_Maquina");
    e.type("Edit_Maquina", "40000"); // beyond the column: no machine can have it
    QTest::keyClick(e.w("Edit_Maquina"), Qt::Key_Tab);
    settle();
    e.type("Edit_Maquina", "0");
    QTest::keyClick(e.w("Edit_Maquina"), Qt::Key_Tab);
    settle();
    QCOMPARE(e.messages.shown, QStringList({"Modelo Inexistente ...", "Máquina Inexistente ...",
                                            "Máquina Inexistente ..."}));
    QCOMPARE(e.messages.lonelyBeeps, 0);
    QCOMPARE(e.focused(), QStringLiteral("Edit_Maquina"));
    e.type("Edit_Maquina", "5");
    // A colour that does not exist only blanks its labels.
    e.click("Edit_Cor02");
    e.type("Edit_Cor02", "55");
    e.click("Edit_Cor01");
    QCOMPARE(e.w<QLabel>("Label_CorDes2")->text(), QString());
    QCOMPARE(e.w<QLabel>("Label_CorNumero2")->text(), QString());
    QCOMPARE(e.messages.shown.size(), 3);
    e.clickGrid();
    QCOMPARE(column(inst, "A-100", "MODELO").toInt(), 3);
    QCOMPARE(column(inst, "A-100", "MAQUINA").toInt(), 5);
    QCOMPARE(column(inst, "A-100", "COR_02").toInt(), 55);
}

void TestClicheEditor::noNullDieOrSetupNumberAfterTheGrid() {
    test::EditorOn t;
    auto& [inst, e] = t;
    QVERIFY(t.open());
    // Rows of another program without die or set-up number.
    test::addCliche(inst, "N-1",
                    {{"CORTANTENRO", QVariant(QMetaType::fromType<QString>())},
                     {"FICHASETUP", QVariant(QMetaType::fromType<int>())}});
    test::addCliche(inst, "N-2", {{"FICHASETUP", QVariant(QMetaType::fromType<int>())}});
    e.leaveGrid();
    e.type("Edit_CortanteNro", "CT-9");
    e.clickGrid();
    QCOMPARE(count(inst, "CORTANTENRO IS NULL OR FICHASETUP IS NULL"), 0);
    QCOMPARE(column(inst, "N-1", "CORTANTENRO").toString(), QStringLiteral(" "));
    QCOMPARE(column(inst, "N-2", "FICHASETUP").toInt(), 0);
    QCOMPARE(column(inst, "A-100", "CORTANTENRO").toString(), QStringLiteral("CT-9"));
    QCOMPARE(e.grid()->model()->rowCount(), 3);
}

void TestClicheEditor::refusedClientThenMouseClickOnGridWritesNothing() {
    test::EditorOn t({"A-100", "B-200"});
    auto& [inst, e] = t;
    QVERIFY(t.open());
    e.leaveGrid();
    e.type("Edit_CortanteNro", "mudado");
    e.click("Edit_CliNro");
    e.type("Edit_CliNro", "999");
    e.clickGrid(1); // straight to the grid with the mouse, on another row
    QCOMPARE(e.messages.shown, QStringList{"Cliente Inexistente ..."});
    QCOMPARE(e.focused(), QStringLiteral("Edit_CliNro"));
    QCOMPARE(e.window->mode(), TCORTF010::Mode::Edit);
    QCOMPARE(e.w("Edit_CliNro")->text(), QStringLiteral("999"));
    QCOMPARE(column(inst, "A-100", "CLINRO").toInt(), 1);
    QCOMPARE(column(inst, "A-100", "CORTANTENRO").toString(), QStringLiteral("CT-A-100"));
    // Corrected, the click saves.
    e.type("Edit_CliNro", "2");
    e.clickGrid(1);
    QCOMPARE(e.messages.shown.size(), 1);
    QCOMPARE(column(inst, "A-100", "CLINRO").toInt(), 2);
    QCOMPARE(column(inst, "A-100", "CORTANTENRO").toString(), QStringLiteral("mudado"));
}

void TestClicheEditor::refusedBoxBesideAnUnknownCodeAsksOnce() {
    // The machine stored is no longer in its table: the focus put back in the refused model
    // passes through it without a check (the two boxes must not send it to each other).
    test::EditorOn t(QStringList{});
    auto& [inst, e] = t;
    test::addCliche(inst, "A-100", {{"MAQUINA", 99}});
    QVERIFY(t.open());
    e.leaveGrid();
    e.fill("Edit_Modelo", "999");
    QCOMPARE(e.messages.shown, QStringList{"Modelo Inexistente ..."});
    QCOMPARE(e.focused(), QStringLiteral("Edit_Modelo"));
    e.type("Edit_Modelo", "1");
    QTest::keyClick(e.w("Edit_Modelo"), Qt::Key_Tab);
    settle();
    QCOMPARE(e.focused(), QStringLiteral("Edit_Maquina"));
    QCOMPARE(e.messages.shown.size(), 1);
}

void TestClicheEditor::cancelDuringInsertWritesNothing() {
    test::EditorOn t;
    auto& [inst, e] = t;
    QVERIFY(t.open());
    e.insert("Z-1");
    e.type("Edit_CortanteNro", "CT");
    e.click("Edit_CliNro");
    e.type("Edit_CliNro", "12345"); // refused, then cancelled
    e.button("BotCancelar")->click();
    settle();
    QVERIFY(e.messages.shown.isEmpty());
    QCOMPARE(e.window->mode(), TCORTF010::Mode::Browse);
    QCOMPARE(e.focused(), QStringLiteral("DBGrid1"));
    QCOMPARE(count(inst), 1);
    QCOMPARE(e.grid()->model()->rowCount(), 1);
    QCOMPARE(e.w("Edit_ClicheNro")->text(), QStringLiteral("A-100"));
    // The checks work again afterwards.
    e.leaveGrid();
    e.fill("Edit_CliNro", "12345");
    QCOMPARE(e.messages.shown, QStringList{"Cliente Inexistente ..."});
    // "&Cancelar" during an edit puts the row back as it was.
    e.type("Edit_CortanteNro", "outro");
    e.button("BotCancelar")->click();
    settle();
    QCOMPARE(column(inst, "A-100", "CLINRO").toInt(), 1);
    QCOMPARE(e.w("Edit_CortanteNro")->text(), QStringLiteral("CT-A-100"));
}

void TestClicheEditor::closeBoxDuringEditSavesIt() {
    test::EditorOn t;
    auto& [inst, e] = t;
    QVERIFY(t.open());
    e.leaveGrid();
    e.click("Edit_Observ1");
    e.type("Edit_Observ1", "fechado na cruz");
    QVERIFY(e.window->close());
    QCOMPARE(column(inst, "A-100", "OBSERV1").toString(), QStringLiteral("fechado na cruz"));
    QVERIFY(!e.run.session.dataset("CLICHES")->isOpen());
    // A new cliché typed and closed is written too.
    QVERIFY(e.reopen());
    e.insert();
    QTest::keyClicks(e.w("Edit_ClicheNro"), "Q-7");
    QVERIFY(e.window->close());
    QCOMPARE(count(inst, "CLICHENRO = 'Q-7'"), 1);
    QVERIFY(e.messages.shown.isEmpty());
}

void TestClicheEditor::closeWithRefusedBoxStaysOpen() {
    test::EditorOn t;
    auto& [inst, e] = t;
    QVERIFY(t.open());
    e.leaveGrid();
    e.click("Edit_Modelo");
    e.type("Edit_Modelo", "999");
    QVERIFY(!e.window->close());
    settle();
    QVERIFY(e.window->isVisible());
    QCOMPARE(e.messages.shown, QStringList{"Modelo Inexistente ..."});
    QCOMPARE(e.focused(), QStringLiteral("Edit_Modelo"));
    QCOMPARE(column(inst, "A-100", "MODELO").toInt(), 1);
    // "&Terminar" is off while editing.
    QVERIFY(!e.button("BitTerminar")->isEnabled());
}

void TestClicheEditor::codeSearchClosingKeepsTheInsert() {
    test::EditorOn t;
    auto& [inst, e] = t;
    QVERIFY(t.open());
    e.insert("N-5");
    e.click("Edit_CliNro");
    // "Procura Alfabética" (Ctrl+Insert): "Frutas" taken.
    bool seen = false;
    QString caption;
    test::onModal(
        [&](QWidget* modal) {
            auto* dialog = qobject_cast<LocateDialog*>(modal);
            caption = modal->windowTitle();
            QTest::keyClicks(dialog->searchBox(), "frut");
            QTest::keyClick(dialog->searchBox(), Qt::Key_Return);
        },
        &seen);
    QTest::keyClick(e.w("Edit_CliNro"), Qt::Key_Insert, Qt::ControlModifier);
    settle();
    QVERIFY(seen);
    QVERIFY(e.activate()); // as the desktop does when a dialog closes
    QCOMPARE(e.focused(), QStringLiteral("Edit_CliNro"));
    QCOMPARE(caption, QStringLiteral("Localizar"));
    QCOMPARE(e.w("Edit_CliNro")->text(), QStringLiteral("2"));
    QCOMPARE(e.w<QLabel>("Label_CliNome")->text(), QStringLiteral("Frutas do Sul"));
    QCOMPARE(e.window->mode(), TCORTF010::Mode::Insert);
    QCOMPARE(count(inst), 1); // nothing written by the dialog closing
    // A numeric search cancelled leaves the box as it was.
    seen = false;
    test::onModal(
        [&](QWidget* modal) {
            auto* dialog = qobject_cast<LocateDialog*>(modal);
            QTest::keyClicks(dialog->searchBox(), "1");
            QTest::keyClick(dialog->searchBox(), Qt::Key_Escape);
        },
        &seen);
    QTest::keyClick(e.w("Edit_CliNro"), Qt::Key_Insert);
    settle();
    QVERIFY(seen);
    QVERIFY(e.activate());
    QCOMPARE(e.w("Edit_CliNro")->text(), QStringLiteral("2"));
    QCOMPARE(e.window->mode(), TCORTF010::Mode::Insert);
    QCOMPARE(e.w("Edit_ClicheNro")->text(), QStringLiteral("N-5"));
    QCOMPARE(count(inst), 1);
    // The colours' numeric search: by colour number, the code goes to that slot.
    e.click("Edit_Cor02");
    seen = false;
    test::onModal(
        [&](QWidget* modal) {
            auto* dialog = qobject_cast<LocateDialog*>(modal);
            caption = dialog->grid()->model()->headerData(0, Qt::Horizontal).toString();
            QTest::keyClicks(dialog->searchBox(), "Y");
            QTest::keyClick(dialog->searchBox(), Qt::Key_Return);
        },
        &seen);
    QTest::keyClick(e.w("Edit_Cor02"), Qt::Key_Insert);
    settle();
    QVERIFY(seen);
    QCOMPARE(caption, QStringLiteral("Nº Côr"));
    QCOMPARE(e.w("Edit_Cor02")->text(), QStringLiteral("4"));
    QCOMPARE(e.w<QLabel>("Label_CorDes2")->text(), QStringLiteral("Amarelo"));
    QVERIFY(e.activate());
    QCOMPARE(e.focused(), QStringLiteral("Edit_Cor02"));
    QCOMPARE(e.window->mode(), TCORTF010::Mode::Insert);
    e.clickGrid();
    QCOMPARE(count(inst), 2);
    QCOMPARE(column(inst, "N-5", "CLINRO").toInt(), 2);
    QCOMPARE(column(inst, "N-5", "SIGLACLI").toString(), QStringLiteral("SUL"));
    QCOMPARE(column(inst, "N-5", "COR_02").toInt(), 4);
    QVERIFY(e.messages.shown.isEmpty());
}

void TestClicheEditor::colourBoxThreeTurnsThePage() {
    test::EditorOn t;
    auto& [inst, e] = t;
    QVERIFY(t.open());
    e.leaveGrid();
    e.click("Edit_Cor03");
    auto* colours = e.w<QTabWidget>("NBCores");
    QCOMPARE(colours->currentIndex(), 0);
    QTest::keyClick(e.w("Edit_Cor03"), Qt::Key_Tab);
    settle();
    QCOMPARE(colours->currentIndex(), 1);
    QCOMPARE(colours->tabText(1), QStringLiteral(" Cores - 04 a 06 "));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    settle();
    QCOMPARE(e.focused(), QStringLiteral("Edit_Cor04"));
}

void TestClicheEditor::sortByTitleThenReopenShowsNumberOrder() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    test::addCodes(inst);
    test::addCliche(inst, "A-1", {{"REFERENCIA", "Zulu"}});
    test::addCliche(inst, "B-2", {{"REFERENCIA", "Alfa"}});
    test::addCliche(inst, "C-3", {{"REFERENCIA", "Mike"}});
    Editor e;
    QVERIFY(e.open());
    QHeaderView* header = e.grid()->horizontalHeader();
    const int x = header->sectionViewportPosition(4) + header->sectionSize(4) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    settle();
    QCOMPARE(e.window->sortField(), QStringLiteral("REFERENCIA"));
    QCOMPARE(QStringList({e.gridNumber(0), e.gridNumber(1), e.gridNumber(2)}),
             QStringList({"B-2", "C-3", "A-1"}));
    // The sort column's title is yellow.
    const QImage titles = header->viewport()->grab().toImage();
    QCOMPARE(titles.pixelColor(header->sectionViewportPosition(4) + 3, 3), QColor(Qt::yellow));
    QVERIFY(titles.pixelColor(header->sectionViewportPosition(0) + 3, 3) != QColor(Qt::yellow));
    QVERIFY(e.window->close());
    QVERIFY(e.reopen());
    QCOMPARE(e.window->sortField(), QStringLiteral("CLICHENRO"));
    QCOMPARE(QStringList({e.gridNumber(0), e.gridNumber(1), e.gridNumber(2)}),
             QStringList({"A-1", "B-2", "C-3"}));
}

void TestClicheEditor::functionKeySearchAndCancel() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    test::addCodes(inst);
    for (int i = 1; i <= 400; ++i)
        test::addCliche(inst, QStringLiteral("K-%1").arg(i, 4, 10, QLatin1Char('0')),
                        {{"PRODNRO", QStringLiteral("%1").arg(1000 - i)}});
    Editor e;
    QVERIFY(e.open());
    // F4: by product number; typing moves, Enter takes the row.
    bool seen = false;
    QStringList titles;
    test::onModal(
        [&](QWidget* modal) {
            auto* dialog = qobject_cast<LocateDialog*>(modal);
            for (int c = 0; c < 6; ++c)
                titles << dialog->grid()->model()->headerData(c, Qt::Horizontal).toString();
            QTest::keyClicks(dialog->searchBox(), "75");
            QTest::keyClick(dialog->searchBox(), Qt::Key_Return);
        },
        &seen);
    QTest::keyClick(e.grid(), Qt::Key_F4);
    settle();
    QVERIFY(seen);
    QCOMPARE(titles, QStringList({"Prod.Nº  (F4)", "Cliché (F1)", "Cortante  (F2)", "Cliente  (F3)",
                                  "Referência  (F5)", "Fornecedor  (F6)"}));
    QCOMPARE(e.window->sortField(), QStringLiteral("PRODNRO"));
    QCOMPARE(e.w("Edit_ClicheNro")->text(), QStringLiteral("K-0250")); // product 750
    QCOMPARE(e.grid()->currentIndex().row(), 750 - 600);
    // F1 cancelled: the current cliché stays.
    seen = false;
    test::onModal(
        [&](QWidget* modal) {
            auto* dialog = qobject_cast<LocateDialog*>(modal);
            QTest::keyClicks(dialog->searchBox(), "K-03");
            QTest::keyClick(dialog->searchBox(), Qt::Key_Escape);
        },
        &seen);
    QTest::keyClick(e.grid(), Qt::Key_F1);
    settle();
    QVERIFY(seen);
    QCOMPARE(e.window->sortField(), QStringLiteral("CLICHENRO"));
    QCOMPARE(e.w("Edit_ClicheNro")->text(), QStringLiteral("K-0250"));
    QCOMPARE(e.grid()->currentIndex().row(), 249);
    QCOMPARE(e.messages.lonelyBeeps, 0);
    QVERIFY(e.messages.shown.isEmpty());
}

void TestClicheEditor::deleteAsksAndDeletes() {
    test::EditorOn t({"A-100", "B-200"});
    auto& [inst, e] = t;
    QVERIFY(t.open());
    e.deleteNoThenYes([&t] { return count(t.inst); }, 2);
    QCOMPARE(count(inst, "CLICHENRO = 'A-100'"), 0);
    QCOMPARE(e.w("Edit_ClicheNro")->text(), QStringLiteral("B-200"));
    QCOMPARE(e.focused(), QStringLiteral("DBGrid1"));
}

void TestClicheEditor::rightsHideButtons() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    test::addCliche(inst, "A-100");
    QVERIFY(inst.exec("main", "UPDATE APLICACAODET SET INSERIR = 'N', ELIMINAR = 'N', "
                              "SCANNER = 'N' WHERE CAPITULO = 'Cliches' AND PROGRAMA = "
                              "'Abertura e Alteracao'"));
    QVERIFY(inst.exec("main", "UPDATE APLICACAODET SET ACEDER = 'N' WHERE PROGRAMA = 'Cores'"));
    QVERIFY(inst.exec("main", "DELETE FROM APLICACAODET WHERE PROGRAMA = 'Maquinas'"));
    Editor e;
    QVERIFY(e.open());
    for (const char* hidden : {"BotInserir", "BotCancelar", "BotDelete", "BotScan", "BotScanSelect",
                               "BotMaquinas", "BotCores"})
        QVERIFY2(e.button(hidden)->isHidden(), hidden);
    QVERIFY(!e.button("BotModelos")->isHidden());
    QVERIFY(!e.w("Edit_ClicheNro")->isEnabled());
    // Every right given back: seen at the next activation.
    QVERIFY(inst.exec("main", "UPDATE APLICACAODET SET INSERIR = 'S', ELIMINAR = 'S', "
                              "SCANNER = 'S', ACEDER = 'S'"));
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QVERIFY(e.activate());
    for (const char* shown : {"BotInserir", "BotCancelar", "BotDelete", "BotScan", "BotCores"})
        QVERIFY2(!e.button(shown)->isHidden(), shown);
    QVERIFY(e.button("BotMaquinas")->isHidden()); // still no row
    QVERIFY(e.w("Edit_ClicheNro")->isEnabled());
}

void TestClicheEditor::openedFromTheMenu() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    test::addCliche(inst, "A-100");
    test::Run run;
    registerWindows(run.menu, run.session);
    QVERIFY(run.start());
    test::opensFromTheMenu<TCORTF010>(run, "CLICHE001", "BotAbreCliche", {"CLICHES", "PARGER"});
}

QTEST_MAIN(TestClicheEditor)
#include "tst_cliche_editor.moc"
