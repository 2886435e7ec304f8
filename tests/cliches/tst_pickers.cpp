// The cliché and drawing pickers driven through their widgets: the range checks and their
// messages, bounds above the boxes' defaults, the re-run of the search, Enter in the boxes,
// the patterns, the look-up keys, the result grid focused again after a look-up or the viewer,
// the navigator, and the contract with their callers (the number current at closing however
// the window closes, the registers' copies, defaults at each opening, criteria kept after the
// viewer, the caller's datasets left alone).
#include "clichepicker.h"
#include "dataset.h"
#include "drawingpicker.h"
#include "editorrun.h"
#include "imagecontrol.h"
#include "unitDtFalquinas.h"

#include <QComboBox>
#include <QPainter>
#include <QRadioButton>
#include <QToolButton>
#include <type_traits>

using namespace falq;
using test::settle;

namespace {

void writeJpeg(const QString& path) {
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QVERIFY(image.save(path, "JPG"));
}

// A picker of a test's installation, shown and active, over the main window of a session.
template <class Window> struct PickerOf {
    test::Installation inst;
    test::Run run;
    test::RecordingMessages& messages = run.messages;
    std::unique_ptr<Window> window;

    PickerOf() {
        if (inst.ok())
            test::addCodes(inst);
    }
    bool start() { return inst.ok() && run.start() && run.menu.sessionOpen(); }
    bool open(PickerCaller caller = PickerCaller::MainWindow) {
        window = std::make_unique<Window>(run.session, caller, &run.menu);
        return test::showAndSettle(window.get());
    }
    template <class T = QLineEdit> T* w(const char* name) const {
        return test::widgetOf<T>(window.get(), name);
    }
    QTableView* grid() const { return w<QTableView>("DBGrid1"); }
    QString focused() const { return test::focusedName(); }
    // Types into a box (its page shown) and leaves it for the grid.
    void fill(const char* name, const QString& text) {
        QLineEdit* box = w(name);
        auto* book = window->template findChild<QTabWidget*>(QStringLiteral("NB"));
        for (QWidget* p = box->parentWidget(); p; p = p->parentWidget())
            if (book->indexOf(p) >= 0)
                book->setCurrentWidget(p);
        box->setFocus();
        settle();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
        grid()->setFocus();
        settle();
    }
    QStringList listed() const {
        QStringList numbers;
        Dataset* d = window->results();
        for (int r = 0; r < d->rowCount(); ++r)
            numbers << d->value(r, 0).toString();
        return numbers;
    }
};

using ClichePicker = PickerOf<TFACFMENUB>;
using DrawingPicker = PickerOf<TFACFMENUA>;

} // namespace

class Pickers : public QObject {
    Q_OBJECT

    // Enter in a number box: the next box takes the focus and the search runs.
    template <class P>
    void enterInSearchBox(PickerCaller caller, const char* boxes, const QString& prefix) {
        P p;
        for (const QString& n : {prefix + "-1", prefix + "-2"}) {
            if constexpr (std::is_same_v<P, ClichePicker>)
                test::addCliche(p.inst, n);
            else
                test::addDrawing(p.inst, n);
        }
        QVERIFY(p.start());
        QVERIFY(p.open(caller));
        QLineEdit* box = p.w(qPrintable(QString::fromLatin1(boxes) + "1"));
        box->setFocus();
        settle();
        box->selectAll();
        QTest::keyClicks(box, prefix + "-2");
        QTest::keyClick(box, Qt::Key_Return);
        settle();
        QCOMPARE(p.focused(), QString::fromLatin1(boxes) + "2");
        QCOMPARE(p.listed(), QStringList({prefix + "-2"}));
        QVERIFY(p.messages.shown.isEmpty());
        QVERIFY(p.window->isVisible());
        const QString shots = qEnvironmentVariable("FALQ_SHOT_DIR");
        if (!shots.isEmpty() && caller == PickerCaller::MainWindow && prefix == "D")
            QVERIFY(p.window->grab().save(QDir(shots).filePath("picker-enter.png")));
    }

    // A record whose `column` holds `value`, above the box's upper default, is found by
    // typing the value in both boxes of the range.
    template <class P> void searchAbove(const QString& box, const QString& column, int value) {
        P p;
        for (const QString& n : {QStringLiteral("R-1"), QStringLiteral("R-2")}) {
            const QMap<QString, QVariant> values = {{column, n == "R-1" ? value : 5}};
            if constexpr (std::is_same_v<P, ClichePicker>)
                test::addCliche(p.inst, n, values);
            else
                test::addDrawing(p.inst, n, values);
        }
        QVERIFY(p.start());
        QVERIFY(p.open());
        p.fill(qPrintable(box + "1"), QString::number(value));
        p.fill(qPrintable(box + "2"), QString::number(value));
        QVERIFY2(p.messages.shown.isEmpty(), qPrintable(p.messages.shown.join(", ")));
        QCOMPARE(p.listed(), QStringList({"R-1"}));
    }

private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }

    void defaultsListValidClichesByNumber() {
        ClichePicker p;
        test::addCliche(p.inst, "C-2");
        test::addCliche(p.inst, "C-1");
        test::addCliche(p.inst, "C-0", {{"UTILIZA", "N"}});
        QVERIFY(p.start());
        QVERIFY(p.open());
        QCOMPARE(p.window->windowTitle(), QStringLiteral("Consulta de Clichés"));
        QCOMPARE(p.window->objectName(), QStringLiteral("TFACFMENUB"));
        QCOMPARE(p.listed(), QStringList({"C-1", "C-2"}));
        QCOMPARE(p.focused(), QStringLiteral("DBGrid1"));
        QCOMPARE(p.w("Edit_ClicheNro2")->text(), QStringLiteral("ZZZZZZZZZZZZ"));
        QCOMPARE(p.w("Edit_CortanteNro2")->text(), QStringLiteral("ZZZZZZZZZZZZZZZ"));
        QCOMPARE(p.w("Edit_Setup2")->text(), QStringLiteral("99999"));
        QCOMPARE(p.w("Edit_CliNro2")->text(), QStringLiteral("999999999"));
        QCOMPARE(p.w("Edit_CliNome")->text(), QStringLiteral("%"));
        QVERIFY(p.w<QRadioButton>("RadCliche")->isChecked());
        QCOMPARE(p.window->pick(), QStringLiteral("C-1"));
    }

    void dieRangeRefused() {
        ClichePicker p;
        test::addCliche(p.inst, "A-1", {{"CORTANTENRO", "B-1"}});
        test::addCliche(p.inst, "A-2", {{"CORTANTENRO", "C-1"}});
        QVERIFY(p.start());
        QVERIFY(p.open());
        p.fill("Edit_CortanteNro1", "b");
        QCOMPARE(p.listed(), QStringList({"A-1", "A-2"}));
        p.fill("Edit_CortanteNro2", "A");
        QCOMPARE(p.messages.shown, QStringList({"Limite de Cortantes Inválido ..."}));
        QCOMPARE(p.messages.beeps, QList<bool>({true}));
        QCOMPARE(p.focused(), QStringLiteral("Edit_CortanteNro1"));
        QCOMPARE(p.listed(), QStringList({"A-1", "A-2"})); // the result stays
        p.fill("Edit_CortanteNro2", "b-9");                // without regard to case
        QCOMPARE(p.messages.shown.size(), 1);
        QCOMPARE(p.listed(), QStringList({"A-1"}));
    }

    void rangeMessages_data() {
        QTest::addColumn<QString>("low");
        QTest::addColumn<QString>("high");
        QTest::addColumn<QString>("message");
        QTest::newRow("set-up") << "Edit_Setup1"
                                << "Edit_Setup2"
                                << "Limite de Fichas de Setup Inválido ...";
        QTest::newRow("clients") << "Edit_CliNro1"
                                 << "Edit_CliNro2"
                                 << "Limite de Clientes Inválido ...";
        QTest::newRow("suppliers") << "Edit_FrnNro1"
                                   << "Edit_FrnNro2"
                                   << "Limite de Fornecedores Inválido ...";
        QTest::newRow("models") << "Edit_Modelo1"
                                << "Edit_Modelo2"
                                << "Limite de Modelos Inválido ...";
        QTest::newRow("machines") << "Edit_Maquina1"
                                  << "Edit_Maquina2"
                                  << "Limite de Maquinas Inválido ...";
    }

    void rangeMessages() {
        QFETCH(QString, low);
        QFETCH(QString, high);
        QFETCH(QString, message);
        ClichePicker p;
        test::addCliche(
            p.inst, "A-1",
            {{"FICHASETUP", 5}, {"CLINRO", 5}, {"FORNECEDOR", 5}, {"MODELO", 5}, {"MAQUINA", 5}});
        test::addCliche(
            p.inst, "A-2",
            {{"FICHASETUP", 6}, {"CLINRO", 6}, {"FORNECEDOR", 6}, {"MODELO", 6}, {"MAQUINA", 6}});
        QVERIFY(p.start());
        QVERIFY(p.open());
        p.fill(qPrintable(low), "6");
        p.fill(qPrintable(high), "5");
        QCOMPARE(p.messages.shown, QStringList({message}));
        QCOMPARE(p.focused(), low);
        QCOMPARE(p.listed(), QStringList({"A-2"}));
        p.fill(qPrintable(low), "5");
        p.fill(qPrintable(high), "5"); // 5 to 5 is a range
        QCOMPARE(p.messages.shown.size(), 1);
        QCOMPARE(p.listed(), QStringList({"A-1"}));
    }

    void invalidNumberRefused() {
        ClichePicker p;
        test::addCliche(p.inst, "A-1");
        QVERIFY(p.start());
        QVERIFY(p.open());
        p.fill("Edit_Setup1", "abc");
        QCOMPARE(p.messages.shown, QStringList({"Valor Inválido ..."}));
        QCOMPARE(p.focused(), QStringLiteral("Edit_Setup1"));
        QCOMPARE(p.window->criteriaPage()->criteria().setupFrom, 0); // never read as 0 ...
        p.fill("Edit_Setup1", "3");
        p.fill("Edit_Setup1", "-1");
        QCOMPARE(p.messages.shown.size(), 2);
        QCOMPARE(p.focused(), QStringLiteral("Edit_Setup1"));
        QCOMPARE(p.window->criteriaPage()->criteria().setupFrom, 3); // ... the bound unchanged
        p.fill("Edit_Setup1", "3");
        QCOMPARE(p.messages.shown.size(), 2);
        // Beyond what the column holds (above the upper default is a bound like another).
        p.fill("Edit_Setup2", "2147483648");
        QCOMPARE(p.messages.shown.size(), 3);
        QCOMPARE(p.window->criteriaPage()->criteria().setupTo, 99999);
        // A refused box does not keep the window open.
        p.w("Edit_Setup2")->setText("xyz");
        p.window->close();
        settle();
        QVERIFY(!p.window->isVisible());
    }

    void patterns() {
        ClichePicker p;
        test::addCliche(p.inst, "A-1", {{"SIGLACLI", "ABC"}});
        test::addCliche(p.inst, "A-2", {{"SIGLACLI", "abd"}});
        test::addCliche(p.inst, "A-3", {{"SIGLACLI", "XAB"}});
        QVERIFY(p.start());
        QVERIFY(p.open());
        p.fill("Edit_CliNome", "ab%");
        QCOMPARE(p.listed(), QStringList({"A-1", "A-2"}));
        p.fill("Edit_CliNome", "ABC");
        QCOMPARE(p.listed(), QStringList({"A-1"}));
        p.fill("Edit_CliNome", "a\\");
        QCOMPARE(p.listed(), QStringList());
        QVERIFY(p.messages.shown.isEmpty());
        p.fill("Edit_CliNome", "");
        QCOMPARE(p.w("Edit_CliNome")->text(), QStringLiteral("%"));
        QCOMPARE(p.listed(), QStringList({"A-1", "A-2", "A-3"}));
    }

    void sortButtonReruns() {
        ClichePicker p;
        test::addCliche(p.inst, "A-1", {{"SIGLACLI", "ZZ"}});
        test::addCliche(p.inst, "A-2", {{"SIGLACLI", "AA"}});
        QVERIFY(p.start());
        QVERIFY(p.open());
        QTest::mouseClick(p.w<QRadioButton>("RadCliente"), Qt::LeftButton);
        settle();
        QCOMPARE(p.listed(), QStringList({"A-2", "A-1"}));
        QCOMPARE(p.window->pick(), QStringLiteral("A-2"));
    }

    void clientLookup() {
        ClichePicker p;
        test::addCliche(p.inst, "A-1", {{"CLINRO", 1}});
        test::addCliche(p.inst, "A-2", {{"CLINRO", 2}});
        QVERIFY(p.start());
        QVERIFY(p.open());
        QLineEdit* box = p.w("Edit_CliNro1");
        p.window->findChild<QTabWidget*>("NB")->setCurrentIndex(0);
        box->setFocus();
        settle();
        QCOMPARE(p.window->statusText(),
                 QStringLiteral("Teclas <INS> Procura Numérica ... <CTRL+INS> Procura Alfabética"));
        // Esc leaves the box as it was.
        bool seen = false;
        test::onModal([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); }, &seen);
        QTest::keyClick(box, Qt::Key_Insert);
        settle();
        QVERIFY(seen);
        QCOMPARE(box->text(), QStringLiteral("0"));
        // The second client by code: its code becomes the bound; the search runs on leaving.
        seen = false;
        test::onModal(
            [](QWidget* dialog) {
                auto* grid = dialog->findChild<QTableView*>();
                grid->setCurrentIndex(grid->model()->index(1, 0));
                QTest::keyClick(grid, Qt::Key_Return);
            },
            &seen);
        QTest::keyClick(box, Qt::Key_Insert);
        settle();
        QVERIFY(seen);
        QCOMPARE(box->text(), QStringLiteral("2"));
        QCOMPARE(p.window->criteriaPage()->criteria().clientFrom, 2);
        // Active again, the result grid takes the focus: the box is left and the search runs.
        p.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(p.window.get()));
        settle();
        QCOMPARE(p.focused(), QStringLiteral("DBGrid1"));
        QCOMPARE(p.listed(), QStringList({"A-2"}));
        QVERIFY(p.messages.shown.isEmpty());
    }

    void gridFocusedAfterViewer() {
        ClichePicker p;
        test::addCliche(p.inst, "A-1", {{"CLINRO", 1}});
        test::addCliche(p.inst, "A-2", {{"CLINRO", 2}});
        writeJpeg(QDir(test::clicheFolder(p.inst)).filePath("A-1.JPG"));
        QVERIFY(p.start());
        QVERIFY(p.open());
        QLineEdit* box = p.w("Edit_CliNro1");
        box->setFocus();
        settle();
        box->selectAll();
        QTest::keyClicks(box, "2");
        // A click on the photo opens the viewer of the row shown; the box is not left.
        auto* preview = p.w<ImageControl>("ML1");
        bool seen = false;
        test::onModal([](QWidget* viewer) { viewer->close(); }, &seen);
        QTest::mouseClick(preview->viewport(), Qt::LeftButton, {},
                          preview->viewport()->rect().center());
        settle();
        QVERIFY(seen);
        QVERIFY(test::activateAgain(p.window.get()));
        QCOMPARE(p.focused(), QStringLiteral("DBGrid1"));
        QCOMPARE(p.listed(), QStringList({"A-2"}));
    }

    void navigatorMovesCurrentRow() {
        ClichePicker p;
        for (const char* n : {"A-1", "A-2", "A-3"})
            test::addCliche(p.inst, n);
        QVERIFY(p.start());
        QVERIFY(p.open(PickerCaller::PurchasesRegister));
        const QList<QPair<const char*, QString>> steps = {{"BotProximo", "A-2"},
                                                          {"BotUltimo", "A-3"},
                                                          {"BotAnterior", "A-2"},
                                                          {"BotPrimeiro", "A-1"}};
        for (const auto& [button, pick] : steps) {
            auto* b = p.w<QToolButton>(button);
            QVERIFY(b);
            b->click();
            QCOMPARE(p.window->pick(), pick);
            QCOMPARE(p.grid()->currentIndex().row(), p.listed().indexOf(pick));
        }
    }

    void enterMovesOnAndSearches_data() {
        QTest::addColumn<bool>("cliche");
        QTest::addColumn<int>("caller");
        for (const bool cliche : {true, false})
            for (const PickerCaller caller : {PickerCaller::MainWindow, PickerCaller::UsageRegister,
                                              PickerCaller::PurchasesRegister})
                QTest::addRow("%s %d", cliche ? "cliché" : "drawing", int(caller))
                    << cliche << int(caller);
    }

    void enterMovesOnAndSearches() {
        QFETCH(bool, cliche);
        QFETCH(int, caller);
        if (cliche)
            enterInSearchBox<ClichePicker>(PickerCaller(caller), "Edit_ClicheNro", "A");
        else
            enterInSearchBox<DrawingPicker>(PickerCaller(caller), "Edit_DesenhoNro", "D");
    }

    void boundsAboveTheirDefaults_data() {
        QTest::addColumn<bool>("cliche");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("column");
        QTest::addColumn<int>("value");
        QTest::newRow("set-up sheet") << true << "Edit_Setup"
                                      << "FICHASETUP" << 150000;
        QTest::newRow("measure") << false << "Edit_Comp_Placa"
                                 << "COMP_PLACA" << 12000;
        QTest::newRow("salesman") << false << "Edit_VndNro"
                                  << "VNDNRO" << 150000;
    }

    void boundsAboveTheirDefaults() {
        QFETCH(bool, cliche);
        QFETCH(QString, box);
        QFETCH(QString, column);
        QFETCH(int, value);
        if (cliche)
            searchAbove<ClichePicker>(box, column, value);
        else
            searchAbove<DrawingPicker>(box, column, value);
    }

    void pickAtClosing_data() {
        QTest::addColumn<int>("caller");
        QTest::addColumn<int>("how"); // 0 Terminar, 1 Esc, 2 close box, 3 double click
        QTest::newRow("main, Terminar") << int(PickerCaller::MainWindow) << 0;
        QTest::newRow("main, Esc") << int(PickerCaller::MainWindow) << 1;
        QTest::newRow("main, close box") << int(PickerCaller::MainWindow) << 2;
        QTest::newRow("usage, double click") << int(PickerCaller::UsageRegister) << 3;
        QTest::newRow("purchases, double click") << int(PickerCaller::PurchasesRegister) << 3;
        QTest::newRow("purchases, Esc") << int(PickerCaller::PurchasesRegister) << 1;
    }

    void pickAtClosing() {
        QFETCH(int, caller);
        QFETCH(int, how);
        ClichePicker p;
        test::addCliche(p.inst, "A-1");
        test::addCliche(p.inst, "A-2");
        test::addCliche(p.inst, "A-3");
        QVERIFY(p.start());
        QVERIFY(p.open(PickerCaller(caller)));
        QCOMPARE(p.window->objectName(),
                 QStringList({"TFACFMENUB", "TCORTF030B", "TCORTF031B"})[caller]);
        QTableView* g = p.grid();
        const QRect cell = g->visualRect(g->model()->index(1, 0));
        switch (how) {
        case 0:
            QTest::keyClick(g, Qt::Key_Down);
            p.w<QPushButton>("BitTerminar")->click();
            break;
        case 1:
            QTest::keyClick(g, Qt::Key_Down);
            QTest::keyClick(g, Qt::Key_Escape);
            break;
        case 2:
            QTest::keyClick(g, Qt::Key_Down);
            p.window->close();
            break;
        case 3:
            QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, cell.center());
            break;
        }
        settle();
        QVERIFY(!p.window->isVisible());
        QCOMPARE(p.window->pick(), QStringLiteral("A-2"));
        QCOMPARE(g->toolTip(), caller == int(PickerCaller::MainWindow)
                                   ? QString()
                                   : QStringLiteral("Click 2 Vezes para Seleccionar"));
    }

    void doubleClickStaysOpenInMainWindowCopy() {
        ClichePicker p;
        test::addCliche(p.inst, "A-1");
        QVERIFY(p.start());
        QVERIFY(p.open(PickerCaller::MainWindow));
        QTableView* g = p.grid();
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {},
                           g->visualRect(g->model()->index(0, 0)).center());
        settle();
        QVERIFY(p.window->isVisible());
    }

    void pickCalledModally() {
        // The whole call as a register makes it: unmoved, the first row; no rows, "".
        ClichePicker p;
        test::addCliche(p.inst, "B-7");
        test::addCliche(p.inst, "B-5");
        QVERIFY(p.start());
        QTimer::singleShot(100, [] {
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        QCOMPARE(pickCliche(p.run.session, PickerCaller::UsageRegister, &p.run.menu),
                 QStringLiteral("B-5"));
        QVERIFY(p.inst.exec("main", "UPDATE CLICHES SET UTILIZA = 'N'"));
        QTimer::singleShot(100, [] {
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        QCOMPARE(pickCliche(p.run.session, PickerCaller::UsageRegister, &p.run.menu), QString());
    }

    void zeroNumberInRegisterCopies() {
        for (const PickerCaller caller : {PickerCaller::MainWindow, PickerCaller::UsageRegister}) {
            ClichePicker p;
            test::addCliche(p.inst, "0");
            test::addCliche(p.inst, "00");
            QVERIFY(p.start());
            QVERIFY(p.open(caller));
            p.fill("Edit_ClicheNro1", "0");
            // In the registers "0" is the empty number; in the main window it is typed text.
            QCOMPARE(p.window->criteriaPage()->criteria().clicheFrom,
                     caller == PickerCaller::MainWindow ? QStringLiteral("0") : QString());
            p.fill("Edit_ClicheNro2", "0");
            QCOMPARE(p.listed(),
                     caller == PickerCaller::MainWindow ? QStringList({"0"}) : QStringList());
        }
    }

    void defaultsAtEachOpening() {
        ClichePicker p;
        test::addCliche(p.inst, "A-1", {{"SIGLACLI", "AA"}});
        test::addCliche(p.inst, "A-2", {{"SIGLACLI", "BB"}});
        QVERIFY(p.start());
        QVERIFY(p.open());
        p.fill("Edit_CliNome", "B%");
        QCOMPARE(p.listed(), QStringList({"A-2"}));
        p.window->close();
        settle();
        p.window->show();
        p.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(p.window.get()));
        settle();
        QCOMPARE(p.w("Edit_CliNome")->text(), QStringLiteral("%"));
        QCOMPARE(p.listed(), QStringList({"A-1", "A-2"}));
    }

    void criteriaKeptAfterViewer() {
        ClichePicker p;
        test::addCliche(p.inst, "A-1", {{"SIGLACLI", "AA"}});
        test::addCliche(p.inst, "A-2", {{"SIGLACLI", "AB"}});
        test::addCliche(p.inst, "A-3", {{"SIGLACLI", "BB"}});
        writeJpeg(QDir(test::clicheFolder(p.inst)).filePath("A-2.JPG"));
        QVERIFY(p.start());
        QVERIFY(p.open());
        p.fill("Edit_CliNome", "A%");
        QTest::keyClick(p.grid(), Qt::Key_Down);
        QCOMPARE(p.window->pick(), QStringLiteral("A-2"));
        auto* preview = p.w<ImageControl>("ML1");
        bool seen = false;
        QString viewer;
        test::onModal(
            [&viewer](QWidget* dialog) {
                viewer = dialog->objectName();
                dialog->close();
            },
            &seen);
        QMetaObject::invokeMethod(preview, "clicked");
        settle();
        QVERIFY(seen);
        QCOMPARE(viewer, QStringLiteral("TFACFMENUBFOTO"));
        p.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(p.window.get()));
        settle();
        QCOMPARE(p.w("Edit_CliNome")->text(), QStringLiteral("A%"));
        QCOMPARE(p.listed(), QStringList({"A-1", "A-2"}));
        QCOMPARE(p.window->pick(), QStringLiteral("A-2"));
    }

    void callersDatasetsUntouched() {
        ClichePicker p;
        test::addCliche(p.inst, "A-1");
        test::addCliche(p.inst, "A-2", {{"UTILIZA", "N"}});
        QVERIFY(p.start());
        Dataset* shared = p.run.session.dataset(ds::CLICHES);
        shared->setStatement(QStringLiteral("SELECT * FROM CLICHES ORDER BY CLICHENRO"));
        QVERIFY(shared->open());
        shared->setCurrentRow(1);
        const QString statement = shared->statement();
        QVERIFY(p.open(PickerCaller::UsageRegister));
        p.window->close();
        settle();
        QVERIFY(shared->isOpen());
        QCOMPARE(shared->statement(), statement);
        QCOMPARE(shared->rowCount(), 2);
        QCOMPARE(shared->currentRow(), 1);
        shared->close();
    }

    void drawingRanges_data() {
        QTest::addColumn<QString>("low");
        QTest::addColumn<QString>("high");
        QTest::addColumn<QString>("lowValue");
        QTest::addColumn<QString>("highValue");
        QTest::addColumn<QString>("message");
        QTest::newRow("drawings 99 to 100") << "Edit_DesenhoNro1"
                                            << "Edit_DesenhoNro2"
                                            << "99"
                                            << "100"
                                            << "Limite de Desenhos Inválido ...";
        QTest::newRow("machines") << "Edit_Maquina1"
                                  << "Edit_Maquina2"
                                  << "3"
                                  << "2"
                                  << "Limite de Máquinas Inválido ...";
        QTest::newRow("designers") << "Edit_Desenhador1"
                                   << "Edit_Desenhador2"
                                   << "3"
                                   << "2"
                                   << "Limite de Desenhadores Inválido ...";
        QTest::newRow("boards") << "Edit_Cartao1"
                                << "Edit_Cartao2"
                                << "3"
                                << "2"
                                << "Limite de Cartões Inválido ...";
        QTest::newRow("salesmen") << "Edit_VndNro1"
                                  << "Edit_VndNro2"
                                  << "3"
                                  << "2"
                                  << "Limite de Vendedores Inválido ...";
        QTest::newRow("board width") << "Edit_Larg_Placa1"
                                     << "Edit_Larg_Placa2"
                                     << "700"
                                     << "600"
                                     << "Limite Inválido ...";
        QTest::newRow("height") << "Edit_Altura1"
                                << "Edit_Altura2"
                                << "151"
                                << "150"
                                << "Limite Inválido ...";
    }

    void drawingRanges() {
        QFETCH(QString, low);
        QFETCH(QString, high);
        QFETCH(QString, lowValue);
        QFETCH(QString, highValue);
        QFETCH(QString, message);
        DrawingPicker p;
        test::addDrawing(p.inst, "100");
        test::addDrawing(p.inst, "99");
        QVERIFY(p.start());
        QVERIFY(p.open());
        QCOMPARE(p.window->windowTitle(), QStringLiteral("Pesquisa de Desenhos (Ficha Técnica)"));
        QCOMPARE(p.listed(), QStringList({"100", "99"}));
        p.fill(qPrintable(low), lowValue);
        const QStringList before = p.listed();
        p.fill(qPrintable(high), highValue);
        QCOMPARE(p.messages.shown, QStringList({message}));
        QCOMPARE(p.focused(), low);
        QCOMPARE(p.listed(), before);
    }

    void drawingTextOrder() {
        DrawingPicker p;
        test::addDrawing(p.inst, "100");
        test::addDrawing(p.inst, "99");
        test::addDrawing(p.inst, "A1");
        QVERIFY(p.start());
        QVERIFY(p.open());
        p.fill("Edit_DesenhoNro1", "100");
        p.fill("Edit_DesenhoNro2", "99"); // as text "99" sorts after "100"
        QVERIFY(p.messages.shown.isEmpty());
        QCOMPARE(p.listed(), QStringList({"100", "99"}));
        p.fill("Edit_DesenhoNro2", "a"); // "a" after "99", whatever the case
        QCOMPARE(p.listed(), QStringList({"100", "99"}));
        QVERIFY(p.messages.shown.isEmpty());
    }

    void drawingChoicesRerun() {
        DrawingPicker p;
        test::addDrawing(p.inst, "D-1", {{"DIR_CANAL", "V"}, {"VISTA", "E"}, {"DESENHADOR", 1}});
        test::addDrawing(p.inst, "D-2", {{"DIR_CANAL", "H"}, {"VISTA", "E"}});
        test::addDrawing(p.inst, "D-3", {{"DIR_CANAL", "H"}, {"VISTA", "I"}});
        test::addDrawing(p.inst, "D-4", {{"DESENHADOR", 0}}); // no designer 0
        QVERIFY(p.start());
        QVERIFY(p.open(PickerCaller::UsageRegister));
        QCOMPARE(p.window->statusText(), QString());
        QCOMPARE(p.listed(), QStringList({"D-1", "D-2", "D-3"}));
        auto* direction = p.w<QComboBox>("Edit_DirCanal");
        QCOMPARE(direction->currentText(), QStringLiteral("Ambas"));
        direction->setCurrentIndex(2);
        emit direction->activated(2);
        settle();
        QCOMPARE(p.listed(), QStringList({"D-2", "D-3"}));
        auto* view = p.w<QComboBox>("Edit_Vista");
        view->setCurrentIndex(2);
        emit view->activated(2);
        settle();
        QCOMPARE(p.listed(), QStringList({"D-3"}));
        direction->setCurrentIndex(0);
        emit direction->activated(0);
        view->setCurrentIndex(0);
        emit view->activated(0);
        p.fill("Edit_Desenhador", "ana%");
        QCOMPARE(p.listed(), QStringList({"D-1"}));
        QTest::mouseClick(p.w<QRadioButton>("RadReferencia"), Qt::LeftButton);
        settle();
        QCOMPARE(p.listed(), QStringList({"D-1"}));
    }

    void drawingPickWithNoRows() {
        DrawingPicker p;
        test::addDrawing(p.inst, "D-1", {{"UTILIZA", "N"}});
        QVERIFY(p.start());
        QVERIFY(p.open(PickerCaller::PurchasesRegister));
        QCOMPARE(p.window->objectName(), QStringLiteral("TCORTF031A"));
        QCOMPARE(p.window->statusText(), kPickerBranding);
        QVERIFY(p.listed().isEmpty());
        QTest::keyClick(p.grid(), Qt::Key_Escape);
        settle();
        QVERIFY(!p.window->isVisible());
        QCOMPARE(p.window->pick(), QString());
    }
};

QTEST_MAIN(Pickers)
#include "tst_pickers.moc"
