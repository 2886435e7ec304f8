// "Abertura e Alteração de Desenhos": the record display, the numbering rule, the field
// checks and their messages, the working date of a new drawing, the save point reached with
// the mouse, closing, the rights, the documents and photo actions and the commercial article,
// driven through the window's widgets.
#include "../cliches/editorrun.h"
#include "CORTP020.h"
#include "commercialarticle.h"
#include "dataset.h"
#include "documents.h"
#include "documentspage.h"
#include "imagecontrol.h"
#include "installer.h"
#include "plantroot.h"
#include "windows.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFile>
#include <QHeaderView>

using namespace falq;
using test::settle;

namespace {
using DrawingEditor = test::EditorOf<TCORTF020>;

int count(test::Installation& inst, const QString& where = QStringLiteral("1=1")) {
    return inst.scalar("main", "SELECT COUNT(*) FROM DESENHOS WHERE " + where).toInt();
}

QVariant column(test::Installation& inst, const QString& number, const char* name) {
    return inst.scalar(
        "main",
        QStringLiteral("SELECT %1 FROM DESENHOS WHERE DESENHONRO = ?").arg(QLatin1String(name)),
        {number});
}

// A test's installation with clients 1 and 2, suppliers 5 and 6, salesman 3 (a long name), the
// installer's code tables and the given drawings, and the editor.
struct DrawingOn {
    explicit DrawingOn(const QStringList& drawings = {QStringLiteral("D-100")}) {
        if (!inst.ok())
            return;
        test::addCodes(inst);
        inst.exec(
            "fact",
            "INSERT INTO VENDEDORES (CODIGO, NOME) VALUES (3, 'Vasco Mendes da Silva Figueiredo')");
        for (const QString& number : drawings)
            test::addDrawing(inst, number);
    }
    bool open() {
        if (!inst.ok())
            qWarning("%s", qPrintable(inst.error()));
        return inst.ok() && e.open();
    }
    // The drawings image folder (the installation writes it relative to the plant root).
    QString folder() {
        return resolveFolder(inst.scalar("main", "SELECT PATHDESENHO FROM PARGER").toString());
    }
    test::Installation inst;
    DrawingEditor e{"Edit_DesenhoNro"};
};

// A file with `content` to attach or to use as a photo.
QString sourceFile(const QTemporaryDir& dir, const QString& name, const QByteArray& content) {
    const QString path = dir.filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(content);
    return path;
}
} // namespace

class TestDrawingEditor : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }
    void opensWithTheGridAndTheRecord();
    void existingNumberRefusedNoRowAdded();
    void emptyNumberKeepsTheFocus();
    void newDrawingTakesTheWorkingDate();
    void saveReadsTheBoxesAsTyped_data();
    void saveReadsTheBoxesAsTyped();
    void refusalsSayWhy_data();
    void refusalsSayWhy();
    void gridsKeepTheirColumns_data();
    void gridsKeepTheirColumns();
    void supplierZeroAcceptedClientZeroRefused();
    void directionAndViewChecks();
    void salesmanBoardMachineDesignerChecks();
    void refusedBoardThenGridClickWritesNothing();
    void closeBoxSavesPendingEdit();
    void secondPdfRefusedListUnchanged();
    void numberWithSlashSavedFileActionsRefused();
    void articleCreatedOnce();
    void articlePhotoOnlyWithTheYearsParameters();
    void designerMenuRunsNumericSearch();
    void rightsHideButtons();
    void deleteKeepsFiles();
    void openedFromTheMenu();
    void demoDrawingShowsItsPhoto();
};

void TestDrawingEditor::opensWithTheGridAndTheRecord() {
    DrawingOn t({"D-200", "D-100"});
    auto& [inst, e] = t;
    test::addDrawing(inst, "D-300", {{"DIR_CANAL", "X"}, {"VISTA", ""}, {"VNDNRO", 3}});
    QVERIFY(t.open());
    QCOMPARE(e.window->windowTitle(), QStringLiteral("Abertura e Alteração de Desenhos"));
    QStringList titles;
    for (int c = 0; c < 6; ++c)
        titles << e.grid()->model()->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(titles, QStringList({"Nº Desenho (F1)", "Cortante  (F2)", "Cliente  (F3)",
                                  "Referência  (F4)", "Larg.Pl (F5)", "Comp.Pl (F6)"}));
    for (int c = 6; c < e.grid()->model()->columnCount(); ++c)
        QVERIFY2(e.grid()->isColumnHidden(c),
                 qPrintable(e.grid()->model()->headerData(c, Qt::Horizontal).toString()));
    QCOMPARE(e.gridNumber(0), QStringLiteral("D-100"));
    // "Tabela de Desenhos" writes the hidden grid: its columns in the export's order.
    auto* exported = e.w<QTableView>("DBGrid3");
    QStringList columns;
    for (int v = 0; v < exported->model()->columnCount(); ++v) {
        const int logical = exported->horizontalHeader()->logicalIndex(v);
        if (!exported->isColumnHidden(logical))
            columns << qobject_cast<Dataset*>(exported->model())->fieldOfColumn(logical);
    }
    QCOMPARE(columns.size(), 27);
    QCOMPARE(columns.first(), QStringLiteral("DESENHONRO"));
    QCOMPARE(columns.mid(5, 5),
             QStringList({"COMP_PLACA", "LARGURA", "COMPRIM", "ALTURA", "DATA"}));
    QCOMPARE(columns.last(), QStringLiteral("COMERCIALNRO"));
    QCOMPARE(e.w("Edit_DesenhoNro")->text(), QStringLiteral("D-100"));
    QCOMPARE(e.w<QLabel>("Label_CliNome")->text(), QStringLiteral("Cartonagem Norte"));
    QCOMPARE(e.w<QLabel>("Label_FrnNome")->text(), QStringLiteral("Gravuras Lda"));
    QCOMPARE(e.w<QLabel>("Label_Maquina")->text(), QStringLiteral("Flexo 4 Cores"));
    QCOMPARE(e.w<QLabel>("Label_Cartao")->text(), QStringLiteral("Simples B"));
    QCOMPARE(e.w<QLabel>("Label_Desenhador")->text(), QStringLiteral("Rui Matos"));
    QCOMPARE(e.w<QLabel>("Label_Dir_Canal")->text(), QStringLiteral("Vertical"));
    QCOMPARE(e.w<QLabel>("Label_Vista")->text(), QStringLiteral("Exterior"));
    QCOMPARE(e.w("Edit_Larg_Placa")->text(), QStringLiteral("600"));
    // Anything but "V" reads "Horizontal", anything but "E" "Interior".
    QTest::keyClick(e.grid(), Qt::Key_Down);
    QTest::keyClick(e.grid(), Qt::Key_Down);
    QCOMPARE(e.w("Edit_DesenhoNro")->text(), QStringLiteral("D-300"));
    QCOMPARE(e.w<QLabel>("Label_Dir_Canal")->text(), QStringLiteral("Horizontal"));
    QCOMPARE(e.w<QLabel>("Label_Vista")->text(), QStringLiteral("Interior"));
    QCOMPARE(e.w<QLabel>("Label_VndNome")->text(),
             QStringLiteral("Vasco Mendes da Silva Figueiredo"));
    // Leaving the grid: the die number takes the focus; only browsing allows those buttons.
    e.click("Edit_Referencia");
    QCOMPARE(e.focused(), QStringLiteral("Edit_CortanteNro"));
    QCOMPARE(e.window->mode(), TCORTF020::Mode::Edit);
    for (const char* b : {"BotInserir", "BotDelete", "BitTerminar", "BotAbrirArtigo"})
        QVERIFY2(!e.button(b)->isEnabled(), b);
    e.clickGrid();
    QVERIFY(e.button("BitTerminar")->isEnabled());
    QVERIFY(e.button("BotAbrirArtigo")->isEnabled());
    QVERIFY(e.messages.shown.isEmpty());
}

void TestDrawingEditor::existingNumberRefusedNoRowAdded() {
    DrawingOn t({"D-100", "D-200"});
    auto& [inst, e] = t;
    QVERIFY(t.open());
    // Another workstation adds a number after the list was read: the database is asked,
    // without regard to case.
    test::addDrawing(inst, "D-300", {{"REFERENCIA", "da outra"}});
    e.insert("d-300");
    QCOMPARE(e.messages.shown, QStringList{"Registo já Existe ... <ENTER> ..."});
    QCOMPARE(e.messages.beeps, QList<bool>{true});
    QCOMPARE(e.focused(), QStringLiteral("DBGrid1"));
    QCOMPARE(e.window->mode(), TCORTF020::Mode::Browse);
    QCOMPARE(count(inst), 3);
    QCOMPARE(column(inst, "D-300", "REFERENCIA").toString(), QStringLiteral("da outra"));
}

void TestDrawingEditor::emptyNumberKeepsTheFocus() {
    DrawingOn t;
    auto& [inst, e] = t;
    QVERIFY(t.open());
    e.insert();
    QTest::keyClick(e.w("Edit_DesenhoNro"), Qt::Key_Tab);
    settle();
    QCOMPARE(e.messages.lonelyBeeps, 1);
    QCOMPARE(e.focused(), QStringLiteral("Edit_DesenhoNro"));
    e.clickGrid();
    QCOMPARE(e.focused(), QStringLiteral("Edit_DesenhoNro"));
    QCOMPARE(count(inst), 1);
    QVERIFY(e.messages.shown.isEmpty());
}

void TestDrawingEditor::newDrawingTakesTheWorkingDate() {
    DrawingOn t;
    auto& [inst, e] = t;
    QVERIFY(t.open());
    const QDate working = QDate::currentDate().addDays(-400);
    e.run.session.context().workingDate = working;
    // Twenty characters are kept, as typed.
    e.insert("N-2024/ABCDEFGHIJKLMNOP");
    QCOMPARE(e.w("Edit_Data")->text(), working.toString("dd/MM/yyyy"));
    QCOMPARE(e.w("Edit_Quantid")->text(), QStringLiteral("1"));
    e.fill("Edit_CliNro", "2");
    QCOMPARE(e.w("DBEdit2")->text(), QStringLiteral("SUL"));
    e.clickGrid();
    QVERIFY2(e.messages.shown.isEmpty(), qPrintable(e.messages.shown.join('|')));
    const QString number = QStringLiteral("N-2024/ABCDEFGHIJKLM");
    QCOMPARE(count(inst), 2);
    QCOMPARE(column(inst, number, "DATA").toString().left(10), working.toString(Qt::ISODate));
    QCOMPARE(column(inst, number, "QUANTID").toDouble(), 1.0);
    QCOMPARE(column(inst, number, "UTILIZA").toString(), QStringLiteral("S"));
    QCOMPARE(column(inst, number, "SIGLACLI").toString(), QStringLiteral("SUL"));
    QCOMPARE(e.w("Edit_DesenhoNro")->text(), number); // located again
}

// The save point reads every box of a new drawing as it shows, the last one typed too, whether
// Enter after the last box or a click on the grid reaches it.
void TestDrawingEditor::saveReadsTheBoxesAsTyped_data() {
    QTest::addColumn<QStringList>("typed"); // box=text pairs, in order; the last is not left
    QTest::addColumn<bool>("enter");        // Enter on the last box, else a click on the grid
    QTest::addColumn<QString>("where");     // what the stored row holds
    QTest::newRow("Enter after the view")
        << QStringList{"Edit_Dir_Canal=h", "Edit_Golpes_Caixa=3", "Edit_Vista=i"} << true
        << "DIR_CANAL = 'H' AND GOLPES_CAIXA = 3 AND VISTA = 'I'";
    QTest::newRow("a width and the grid")
        << QStringList{"Edit_Largura=55"} << false << "LARGURA = 55 AND QUANTID = 1";
    QTest::newRow("a direction and the grid")
        << QStringList{"Edit_Dir_Canal=v"} << false << "DIR_CANAL = 'V'";
    QTest::newRow("existing: a direction and the grid")
        << QStringList{"Edit_Dir_Canal=h"} << false << "DIR_CANAL = 'H'";
    QTest::newRow("existing: Enter after the view")
        << QStringList{"Edit_Largura=70", "Edit_Vista=i"} << true << "LARGURA = 70 AND VISTA = 'I'";
}

void TestDrawingEditor::saveReadsTheBoxesAsTyped() {
    QFETCH(QStringList, typed);
    QFETCH(bool, enter);
    QFETCH(QString, where);
    DrawingOn t;
    auto& [inst, e] = t;
    QVERIFY(t.open());
    const bool existing = QString(QTest::currentDataTag()).startsWith("existing");
    const QString number = existing ? QStringLiteral("D-100") : QStringLiteral("N-1");
    if (existing) {
        e.leaveGrid();
    } else {
        e.insert(number);
        e.fill("Edit_CliNro", "1");
    }
    for (int i = 0; i < typed.size(); ++i) {
        const QByteArray box = typed[i].section('=', 0, 0).toLatin1();
        e.click(box.constData());
        e.type(box.constData(), typed[i].section('=', 1));
        if (i + 1 < typed.size() || enter) {
            QTest::keyClick(e.w(box.constData()), Qt::Key_Return);
            settle();
        }
    }
    if (!enter)
        e.clickGrid();
    QVERIFY2(e.messages.shown.isEmpty(), qPrintable(e.messages.shown.join('|')));
    QCOMPARE(count(inst, "DESENHONRO = '" + number + "' AND " + where), 1);
}

// A box refused on leaving says why: the code's own "... Inexistente ..." for a code no row can
// have, a short message of the system's for a measure, quantity or date.
void TestDrawingEditor::refusalsSayWhy_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::newRow("client text") << "Edit_CliNro"
                                 << "x1"
                                 << "Cliente Inexistente ...";
    QTest::newRow("negative machine") << "Edit_Maquina"
                                      << "-4"
                                      << "Máquina Inexistente ...";
    QTest::newRow("salesman text") << "Edit_VndNro"
                                   << "três"
                                   << "Vendedor Inexistente ...";
    QTest::newRow("measure too large") << "Edit_Largura"
                                       << "99999999999"
                                       << "Valor Inválido ...";
    QTest::newRow("quantity text") << "Edit_Quantid"
                                   << "muitos"
                                   << "Valor Inválido ...";
    QTest::newRow("date that does not exist") << "Edit_Data"
                                              << "31/02/2026"
                                              << "Data Inválida ...";
}

void TestDrawingEditor::refusalsSayWhy() {
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    DrawingOn t;
    auto& [inst, e] = t;
    QVERIFY(t.open());
    e.leaveGrid();
    const QByteArray name = box.toLatin1();
    e.fill(name.constData(), typed);
    QCOMPARE(e.messages.shown, QStringList{message});
    QCOMPARE(e.focused(), box);
    QCOMPARE(e.messages.lonelyBeeps, 0);
}

// The browse grid's six columns at their widths and the export grid's column order, as the
// window set them, after every re-open of the list.
void TestDrawingEditor::gridsKeepTheirColumns_data() {
    QTest::addColumn<QString>("action");
    QTest::newRow("save") << "save";
    QTest::newRow("sort") << "sort";
    QTest::newRow("delete") << "delete";
}

void TestDrawingEditor::gridsKeepTheirColumns() {
    QFETCH(QString, action);
    DrawingOn t({"D-100", "D-200"});
    auto& [inst, e] = t;
    QVERIFY(t.open());
    auto presentation = [&e] {
        QStringList out;
        for (const char* name : {"DBGrid1", "DBGrid3"}) {
            const QTableView* g = e.w<QTableView>(name);
            const QHeaderView* h = g->horizontalHeader();
            QStringList shown;
            for (int v = 0; v < h->count(); ++v) {
                const int logical = h->logicalIndex(v);
                if (!h->isSectionHidden(logical))
                    shown << g->model()->headerData(logical, Qt::Horizontal).toString() + "@" +
                                 QString::number(h->sectionSize(logical));
            }
            out << shown.join('|');
        }
        return out;
    };
    const QStringList before = presentation();
    QCOMPARE(before.first().count('|'), 5); // six columns
    if (action == "save") {
        e.leaveGrid();
        e.type("Edit_CortanteNro", "CT-9");
        e.clickGrid();
        QCOMPARE(column(inst, "D-100", "CORTANTENRO").toString(), QStringLiteral("CT-9"));
    } else if (action == "sort") {
        QHeaderView* h = e.grid()->horizontalHeader();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                          QPoint(h->sectionViewportPosition(h->logicalIndex(3)) + 5, 5));
        settle();
        QVERIFY(e.window->sortField() != QStringLiteral("DESENHONRO"));
    } else {
        e.messages.answers = {true};
        e.button("BotDelete")->click();
        settle();
        QCOMPARE(count(inst), 1);
    }
    QCOMPARE(presentation(), before);
    if (const QString shots = qEnvironmentVariable("FALQ_SHOT_DIR"); !shots.isEmpty()) {
        e.window->resize(1280, 820);
        settle();
        QVERIFY(e.window->grab().save(QDir(shots).filePath("editor-after-" + action + ".png")));
    }
}

void TestDrawingEditor::supplierZeroAcceptedClientZeroRefused() {
    DrawingOn t;
    auto& [inst, e] = t;
    QVERIFY(t.open());
    e.leaveGrid();
    e.fill("Edit_Fornecedor", "0");
    QVERIFY(e.messages.shown.isEmpty());
    QCOMPARE(e.w<QLabel>("Label_FrnNome")->text(), QString());
    QCOMPARE(e.w("DBEdit7")->text(), QString());
    e.fill("Edit_CliNro", "0");
    QCOMPARE(e.messages.shown, QStringList{"Cliente Inexistente ..."});
    QCOMPARE(e.focused(), QStringLiteral("Edit_CliNro"));
    QCOMPARE(e.w("DBEdit2")->text(), QString());
    // A client 0 that exists is taken.
    QVERIFY(inst.exec("fact", "INSERT INTO CLIENTES (CODIGO, NOME, SIGLA) VALUES "
                              "(0, 'Diversos', 'DIV')"));
    QTest::keyClick(e.w("Edit_CliNro"), Qt::Key_Tab);
    settle();
    QCOMPARE(e.messages.shown.size(), 1);
    e.clickGrid();
    QCOMPARE(column(inst, "D-100", "FORNECEDOR").toInt(), 0);
    QCOMPARE(column(inst, "D-100", "SIGLAFORN").toString(), QString());
    QCOMPARE(column(inst, "D-100", "CLIENTE").toInt(), 0);
    QCOMPARE(column(inst, "D-100", "SIGLACLI").toString(), QStringLiteral("DIV"));
}

void TestDrawingEditor::directionAndViewChecks() {
    DrawingOn t;
    auto& [inst, e] = t;
    QVERIFY(t.open());
    e.leaveGrid();
    e.click("Edit_Dir_Canal");
    QCOMPARE(e.window->statusText(), QStringLiteral("Digite (V), Vertical ou (H), Horizontal ..."));
    e.type("Edit_Dir_Canal", "x");
    QCOMPARE(e.w("Edit_Dir_Canal")->text(), QStringLiteral("X"));
    QTest::keyClick(e.w("Edit_Dir_Canal"), Qt::Key_Tab);
    settle();
    QCOMPARE(e.messages.shown, QStringList{"Direcção do Canal Inválida ..."});
    QCOMPARE(e.focused(), QStringLiteral("Edit_Dir_Canal"));
    e.type("Edit_Dir_Canal", "h");
    QCOMPARE(e.w("Edit_Dir_Canal")->text(), QStringLiteral("H"));
    QTest::keyClick(e.w("Edit_Dir_Canal"), Qt::Key_Tab);
    settle();
    QCOMPARE(e.w<QLabel>("Label_Dir_Canal")->text(), QStringLiteral("Horizontal"));
    e.click("Edit_Vista");
    QCOMPARE(e.window->statusText(), QStringLiteral("Digite (E), Exterior ou (I), Interior ..."));
    e.type("Edit_Vista", "");
    QTest::keyClick(e.w("Edit_Vista"), Qt::Key_Tab);
    settle();
    QCOMPARE(e.messages.shown.last(), QStringLiteral("Vista Inválida ..."));
    QCOMPARE(e.focused(), QStringLiteral("Edit_Vista"));
    e.type("Edit_Vista", "i");
    QTest::keyClick(e.w("Edit_Vista"), Qt::Key_Tab);
    settle();
    QCOMPARE(e.w<QLabel>("Label_Vista")->text(), QStringLiteral("Interior"));
    e.clickGrid();
    e.leaveGrid();
    // Measures are whole numbers: a fraction is refused and says why.
    e.fill("Edit_Larg_Placa", "12,5");
    QCOMPARE(e.focused(), QStringLiteral("Edit_Larg_Placa"));
    QCOMPARE(e.messages.shown.last(), QStringLiteral("Valor Inválido ..."));
    e.type("Edit_Larg_Placa", "640");
    e.clickGrid();
    QCOMPARE(e.messages.shown.size(), 3);
    QCOMPARE(column(inst, "D-100", "DIR_CANAL").toString(), QStringLiteral("H"));
    QCOMPARE(column(inst, "D-100", "VISTA").toString(), QStringLiteral("I"));
    QCOMPARE(column(inst, "D-100", "LARG_PLACA").toInt(), 640);
}

void TestDrawingEditor::salesmanBoardMachineDesignerChecks() {
    DrawingOn t; // its salesman 0 does not exist: a box the focus may pass through
    auto& [inst, e] = t;
    QVERIFY(t.open());
    e.leaveGrid();
    const struct {
        const char* box;
        const char* message;
    } refused[] = {{"Edit_Cartao", "Cartão Inexistente ..."},
                   {"Edit_Maquina", "Máquina Inexistente ..."},
                   {"Edit_Desenhador", "Desenhador Inexistente ..."},
                   {"Edit_VndNro", "Vendedor Inexistente ..."}};
    for (const auto& r : refused) {
        e.messages.shown.clear();
        e.fill(r.box, "0");
        QCOMPARE(e.messages.shown, QStringList{QString::fromUtf8(r.message)});
        QCOMPARE(e.focused(), QLatin1String(r.box));
        e.type(r.box, r.box == QLatin1String("Edit_VndNro") ? "3" : "4");
        QTest::keyClick(e.w(r.box), Qt::Key_Tab);
        settle();
        QCOMPARE(e.messages.shown.size(), 1);
    }
    QCOMPARE(e.w<QLabel>("Label_VndNome")->text(),
             QStringLiteral("Vasco Mendes da Silva Figueiredo"));
    e.clickGrid();
    QCOMPARE(column(inst, "D-100", "VNDNRO").toInt(), 3);
    // The name cut to its column (a longer one would refuse every save of the drawing).
    QCOMPARE(column(inst, "D-100", "VNDNOME").toString(), QStringLiteral("Vasco Mendes da Silv"));
    QCOMPARE(column(inst, "D-100", "CARTAO").toInt(), 4);
    QCOMPARE(column(inst, "D-100", "DESENHADOR").toInt(), 4);
}

void TestDrawingEditor::refusedBoardThenGridClickWritesNothing() {
    DrawingOn t({"D-100", "D-200"});
    auto& [inst, e] = t;
    QVERIFY(t.open());
    e.leaveGrid();
    e.type("Edit_CortanteNro", "mudado");
    e.click("Edit_Cartao");
    e.type("Edit_Cartao", "99");
    e.clickGrid(1);
    QCOMPARE(e.messages.shown, QStringList{"Cartão Inexistente ..."});
    QCOMPARE(e.focused(), QStringLiteral("Edit_Cartao"));
    QCOMPARE(e.window->mode(), TCORTF020::Mode::Edit);
    QCOMPARE(column(inst, "D-100", "CARTAO").toInt(), 1);
    QCOMPARE(column(inst, "D-100", "CORTANTENRO").toString(), QStringLiteral("CT-D-100"));
}

void TestDrawingEditor::closeBoxSavesPendingEdit() {
    DrawingOn t;
    auto& [inst, e] = t;
    QVERIFY(t.open());
    e.leaveGrid();
    e.click("Edit_Referencia");
    e.type("Edit_Referencia", "fechado na cruz");
    QVERIFY(e.window->close());
    QCOMPARE(column(inst, "D-100", "REFERENCIA").toString(), QStringLiteral("fechado na cruz"));
    QVERIFY(!e.run.session.dataset("DESENHOS")->isOpen());
    // With a refused box the window stays open and nothing is written.
    QVERIFY(e.reopen());
    e.leaveGrid();
    e.type("Edit_CortanteNro", "não fica");
    e.click("Edit_Maquina");
    e.type("Edit_Maquina", "77");
    QVERIFY(!e.window->close());
    settle();
    QCOMPARE(e.messages.shown, QStringList{"Máquina Inexistente ..."});
    QCOMPARE(column(inst, "D-100", "CORTANTENRO").toString(), QStringLiteral("CT-D-100"));
    e.button("BotCancelar")->click();
    settle();
    QVERIFY(e.window->close());
}

void TestDrawingEditor::secondPdfRefusedListUnchanged() {
    DrawingOn t({"D-100", "D-1000"});
    auto& [inst, e] = t;
    QVERIFY(t.open());
    QVERIFY(QDir().mkpath(t.folder()));
    QTemporaryDir dir;
    const QString first = sourceFile(dir, "ficha.pdf", "%PDF-1.4 primeiro");
    const QString second = sourceFile(dir, "outra.PDF", "%PDF-1.4 segundo");
    QString chosen = first;
    e.window->setFileChooser([&](QWidget*, const QString&, const QString&) { return chosen; });
    DocumentsPage* page = e.window->documentsPage();
    const bool attached = page->attach();
    QVERIFY2(attached, qPrintable(t.folder() + " " + e.messages.shown.join("|")));
    QFile longer(QDir(t.folder()).filePath("D-1000.xls")); // another drawing's file
    QVERIFY(longer.open(QIODevice::WriteOnly));
    longer.close();
    page->showRecord(page->folder(), page->number());
    QCOMPARE(page->list()->count(), 1);
    QCOMPARE(page->list()->item(0)->text(), QStringLiteral("D-100.pdf"));
    chosen = second;
    QVERIFY(!page->attach());
    QCOMPARE(e.messages.shown.size(), 1);
    QCOMPARE(page->list()->count(), 1);
    QFile kept(QDir(t.folder()).filePath("D-100.pdf"));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("%PDF-1.4 primeiro"));
}

void TestDrawingEditor::numberWithSlashSavedFileActionsRefused() {
    DrawingOn t;
    auto& [inst, e] = t;
    QVERIFY(t.open());
    e.insert("24/007");
    e.clickGrid();
    QVERIFY2(e.messages.shown.isEmpty(), qPrintable(e.messages.shown.join('|')));
    QCOMPARE(count(inst, "DESENHONRO = '24/007'"), 1);
    QCOMPARE(e.w("Edit_DesenhoNro")->text(), QStringLiteral("24/007"));
    QTemporaryDir dir;
    const QString photo = sourceFile(dir, "foto.jpg", "not really a picture");
    e.window->setFileChooser([&](QWidget*, const QString&, const QString&) { return photo; });
    const QString refusal = unsafeNumberMessage("24/007");
    e.button("BotLocalizar")->click();
    QCOMPARE(e.messages.shown, QStringList{refusal});
    QVERIFY(!e.window->documentsPage()->attach());
    QCOMPARE(e.messages.shown, QStringList({refusal, refusal}));
    e.messages.answers = {true};
    e.button("BotDeleteImage")->click();
    QCOMPARE(e.messages.shown, QStringList({refusal, refusal, refusal}));
    QVERIFY(QDir(t.folder()).entryList({"*007*"}, QDir::Files).isEmpty());
    QVERIFY(QDir(QDir(t.folder()).filePath("24")).entryList(QDir::Files).isEmpty());
}

void TestDrawingEditor::articleCreatedOnce() {
    DrawingOn t;
    auto& [inst, e] = t;
    QVERIFY(inst.exec("main", "UPDATE DESENHOS SET PRODNRO = '12345678'"));
    QVERIFY(inst.exec("fact", "UPDATE STKPARGER SET COD_CORTANTES = 'CORTANTE'"));
    QVERIFY(t.open());
    e.button("BotAbrirArtigo")->click();
    settle();
    QVERIFY2(e.messages.shown.isEmpty(), qPrintable(e.messages.shown.join('|')));
    const QString code = QStringLiteral("CORTANTE12345678");
    const auto article = [&](const char* name) {
        return inst.scalar(
            "fact",
            QStringLiteral("SELECT %1 FROM ARTIGOSCLS WHERE CODIGO = ?").arg(QLatin1String(name)),
            {code});
    };
    QCOMPARE(article("DESIGNACAO").toString(), QStringLiteral("Cortante, CA12345678, NORTE"));
    QCOMPARE(article("FAMILIA").toString(), QStringLiteral("CORTANTES"));
    QCOMPARE(article("MEDIDAS").toString(), QStringLiteral("S"));
    QCOMPARE(article("COMPRIM").toInt(), 300);
    QCOMPARE(article("LARGURA").toInt(), 200);
    QCOMPARE(article("ALTURA").toInt(), 150);
    QCOMPARE(column(inst, "D-100", "COMERCIALNRO").toString(), code);
    QCOMPARE(e.w("DBEdit1")->text(), code);
    e.button("BotAbrirArtigo")->click();
    settle();
    QCOMPARE(e.messages.shown, QStringList{"Artigo Já Existe na Gestão Comercial"});
    QCOMPARE(inst.scalar("fact", "SELECT COUNT(*) FROM ARTIGOSCLS").toInt(), 1);
}

void TestDrawingEditor::articlePhotoOnlyWithTheYearsParameters() {
    DrawingOn t({"D-100", "D-200"});
    auto& [inst, e] = t;
    QVERIFY(inst.exec("main", "UPDATE DESENHOS SET PRODNRO = DESENHONRO"));
    const QString year = inst.scalar("fact", "SELECT MAX(ANO) FROM PARGER").toString();
    const QString photos = resolveFolder(
        inst.scalar("fact", "SELECT PATHFOTO FROM PARGER WHERE ANO = ?", {year}).toString());
    QVERIFY(QDir().mkpath(t.folder()));
    QVERIFY(QDir().mkpath(photos));
    for (const char* number : {"D-100", "D-200"}) {
        QImage image(160, 100, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        QVERIFY(image.save(QDir(t.folder()).filePath(QLatin1String(number) + ".JPG"), "JPG"));
    }
    QVERIFY(t.open());
    QTRY_VERIFY(!e.w<ImageControl>("ML1")->isEmpty());
    e.button("BotAbrirArtigo")->click();
    settle();
    QVERIFY2(e.messages.shown.isEmpty(), qPrintable(e.messages.shown.join('|')));
    QVERIFY(QFileInfo::exists(article::photoPath(photos, "CRTD-100")));
    // Without the invoicing parameters of the year the article has no photo.
    QVERIFY(inst.exec("fact", "DELETE FROM PARGER"));
    QTest::keyClick(e.grid(), Qt::Key_Down);
    QTRY_VERIFY(!e.w<ImageControl>("ML1")->isEmpty());
    e.button("BotAbrirArtigo")->click();
    settle();
    QVERIFY2(e.messages.shown.isEmpty(), qPrintable(e.messages.shown.join('|')));
    QCOMPARE(column(inst, "D-200", "COMERCIALNRO").toString(), QStringLiteral("CRTD-200"));
    QVERIFY(!QFileInfo::exists(article::photoPath(photos, "CRTD-200")));
}

void TestDrawingEditor::designerMenuRunsNumericSearch() {
    DrawingOn t;
    auto& [inst, e] = t;
    QVERIFY(t.open());
    e.leaveGrid();
    e.click("Edit_Desenhador");
    bool seen = false;
    QString firstTitle;
    test::onModal(
        [&](QWidget* modal) {
            auto* dialog = qobject_cast<LocateDialog*>(modal);
            firstTitle = dialog->grid()->model()->headerData(0, Qt::Horizontal).toString();
            QTest::keyClicks(dialog->searchBox(), "5");
            QTest::keyClick(dialog->searchBox(), Qt::Key_Return);
        },
        &seen);
    QLineEdit* box = e.w("Edit_Desenhador");
    QContextMenuEvent menu(QContextMenuEvent::Mouse, box->rect().center(),
                           box->mapToGlobal(box->rect().center()));
    QApplication::sendEvent(box, &menu);
    settle();
    QVERIFY(seen);
    QCOMPARE(firstTitle, QStringLiteral("Desenhador Nº"));
    QCOMPARE(box->text(), QStringLiteral("5"));
    QCOMPARE(e.w<QLabel>("Label_Desenhador")->text(), QStringLiteral("Inês Lopes"));
    QVERIFY(e.activate()); // as the desktop does when a dialog closes
    QCOMPARE(e.focused(), QStringLiteral("Edit_Desenhador"));
    e.clickGrid();
    QCOMPARE(column(inst, "D-100", "DESENHADOR").toInt(), 5);
}

void TestDrawingEditor::rightsHideButtons() {
    DrawingOn t;
    auto& [inst, e] = t;
    QVERIFY(inst.exec("main", "UPDATE APLICACAODET SET INSERIR = 'N', ELIMINAR = 'N', "
                              "SCANNER = 'N' WHERE CAPITULO = 'Desenhos' AND PROGRAMA = "
                              "'Abertura e Alteracao'"));
    QVERIFY(inst.exec("main", "UPDATE APLICACAODET SET ACEDER = 'N' WHERE PROGRAMA = 'Cartoes'"));
    QVERIFY(inst.exec("main", "DELETE FROM APLICACAODET WHERE PROGRAMA = 'Desenhadores'"));
    QVERIFY(t.open());
    for (const char* hidden : {"BotInserir", "BotCancelar", "BotDelete", "BotScan", "BotScanSelect",
                               "BotCartoes", "BotDesenhadores"})
        QVERIFY2(e.button(hidden)->isHidden(), hidden);
    QVERIFY(!e.button("BotMaquinas")->isHidden());
    QVERIFY(!e.w("Edit_DesenhoNro")->isEnabled());
}

void TestDrawingEditor::deleteKeepsFiles() {
    DrawingOn t({"D-100", "D-200"});
    auto& [inst, e] = t;
    QVERIFY(inst.exec("main", "INSERT INTO MOVIMENTOS (DESENHONRO, CLICHENRO, TIPOREG) "
                              "VALUES ('D-100', '', 'D')"));
    QVERIFY(t.open());
    QVERIFY(QDir().mkpath(t.folder()));
    const QString photo = QDir(t.folder()).filePath("D-100.JPG");
    QFile f(photo);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    e.deleteNoThenYes([&t] { return count(t.inst); }, 2);
    QCOMPARE(e.w("Edit_DesenhoNro")->text(), QStringLiteral("D-200"));
    QVERIFY(QFile::exists(photo));
    QCOMPARE(
        inst.scalar("main", "SELECT COUNT(*) FROM MOVIMENTOS WHERE DESENHONRO = 'D-100'").toInt(),
        1);
}

void TestDrawingEditor::openedFromTheMenu() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    test::addDrawing(inst, "D-100");
    test::Run run;
    registerWindows(run.menu, run.session);
    QVERIFY(run.start());
    test::opensFromTheMenu<TCORTF020>(run, "DESENHO001", "BotAbreDesenhos", {"DESENHOS"});
}

void TestDrawingEditor::demoDrawingShowsItsPhoto() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QString error;
    QVERIFY2(generateRegister(inst.settings(), test::smallRegister(12), &error), qPrintable(error));
    DrawingEditor e{"Edit_DesenhoNro"};
    QVERIFY(e.open());
    QTest::keyClick(e.grid(), Qt::Key_Down);
    const QString number = e.w("Edit_DesenhoNro")->text();
    QVERIFY(!number.isEmpty());
    // The side panel shows the drawing's photo; a click on it shows it large on its page.
    auto* preview = e.w<ImageControl>("ML1");
    QTRY_VERIFY(!preview->isEmpty()); // read in the background
    QCOMPARE(QFileInfo(preview->path()).completeBaseName(), number);
    QVERIFY(!e.w<QLabel>("Label_CliNome")->text().isEmpty());
    QVERIFY(!e.w<QLabel>("Label_Dir_Canal")->text().isEmpty());
    // Where a folder is named, the editor as it stands is kept there (a picture to look at).
    if (const QString shots = qEnvironmentVariable("FALQ_SHOT_DIR"); !shots.isEmpty()) {
        e.window->resize(1280, 820);
        settle();
        QVERIFY(e.window->grab().save(QDir(shots).filePath("editor.png")));
    }
    QTest::mouseClick(preview->viewport(), Qt::LeftButton, {},
                      preview->viewport()->rect().center());
    settle();
    QCOMPARE(e.w<QTabWidget>("NB")->currentWidget()->objectName(), QStringLiteral("TabFotografia"));
    // (the documents page has an image control of that name too)
    auto* large = e.w<QWidget>("TabFotografia")->findChild<ImageControl*>("M1");
    QTRY_VERIFY(!large->isEmpty());
    QCOMPARE(large->path(), preview->path());
}

QTEST_MAIN(TestDrawingEditor)
#include "tst_drawing_editor.moc"
