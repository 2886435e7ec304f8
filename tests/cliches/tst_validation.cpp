// "Validação de Clichés" and "Validação de Desenhos", driven through their widgets: the
// filter, one click on "Valida?", "&Gravar", closing, F1 with "Localizar", the photo viewer,
// another workstation's changes and a failed write.
#include "CORTP013.h"
#include "CORTP023.h"
#include "clichesearch.h"
#include "dataset.h"
#include "drawingsearch.h"
#include "editorrun.h"
#include "imagecontrol.h"
#include "viewerwindow.h"
#include "windows.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QSqlQuery>

using namespace falq;
using test::settle;

namespace {

struct Kind {
    bool drawing;
    QString table;
    QString number;
};

// The kind of the test's row (initTestCase_data).
bool rowIsDrawings() {
    QFETCH_GLOBAL(bool, drawing);
    return drawing;
}

Kind kindOf(bool drawing) {
    return drawing ? Kind{true, "DESENHOS", "DESENHONRO"} : Kind{false, "CLICHES", "CLICHENRO"};
}

// A test installation with the given records (number, UTILIZA) of the test row's kind (the
// clichés or the drawings) and their validation window.
struct ValidationOn {
    explicit ValidationOn(std::initializer_list<std::pair<const char*, const char*>> records)
        : kind(kindOf(rowIsDrawings())) {
        if (!inst.ok())
            return;
        test::addCodes(inst);
        for (const auto& r : records) {
            if (kind.drawing)
                test::addDrawing(inst, r.first, {{"UTILIZA", r.second}});
            else
                test::addCliche(inst, r.first, {{"UTILIZA", r.second}});
        }
    }
    bool open() {
        if (!inst.ok() || !run.start() || !run.menu.sessionOpen())
            return false;
        return show();
    }
    bool show() {
        if (kind.drawing)
            window = std::make_unique<TCORTF023>(run.session, &run.menu);
        else
            window = std::make_unique<TCORTF013>(run.session, &run.menu);
        return test::showAndSettle(window.get()) && QApplication::focusWidget() == grid();
    }
    // Activates the window again, as the desktop does when a dialog over it closes.
    bool activate() { return test::activateAgain(window.get()); }
    QTableView* grid() const { return window->findChild<QTableView*>("DBGrid1"); }
    QComboBox* filter() const { return window->findChild<QComboBox*>("Edit_Valida"); }
    QStringList listed() const {
        QStringList numbers;
        for (int r = 0; r < grid()->model()->rowCount(); ++r)
            numbers << grid()->model()->index(r, 0).data().toString();
        return numbers;
    }
    int rowOf(const QString& number) const { return int(listed().indexOf(number)); }
    // One click on the row's "Valida?" box.
    void clickValid(const QString& number) {
        const int col = window->list()->columnOfField("UTILIZA");
        const QRect cell = grid()->visualRect(grid()->model()->index(rowOf(number), col));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cell.center());
        settle();
    }
    QString shownValid(const QString& number) const {
        const int col = window->list()->columnOfField("UTILIZA");
        const int row = rowOf(number);
        return row < 0 ? QString()
                       : window->list()->value(row, window->list()->fieldOfColumn(col)).toString();
    }
    // F1, then `typed` and Enter in "Localizar" (its current number `found` then, when given);
    // the window active again after it.
    void locate(const QString& typed, const QString& found = {}) {
        bool seen = false;
        test::onModal(
            [typed, found](QWidget* modal) {
                auto* dialog = qobject_cast<LocateDialog*>(modal);
                QVERIFY(dialog);
                QTest::keyClicks(dialog->searchBox(), typed);
                if (!found.isEmpty())
                    QCOMPARE(dialog->grid()->currentIndex().data().toString(), found);
                QTest::keyClick(dialog->searchBox(), Qt::Key_Return);
            },
            &seen);
        QTest::keyClick(grid(), Qt::Key_F1);
        settle();
        QVERIFY(seen);
        QVERIFY(activate());
    }
    void press(const char* button) {
        window->findChild<QPushButton*>(button)->click();
        settle();
    }
    void choose(Validity v) {
        filter()->setFocus(Qt::MouseFocusReason); // the grid loses the focus first
        settle();
        filter()->setCurrentIndex(int(v));
        settle();
    }
    QString stored(const QString& number, const char* column = "UTILIZA") {
        return inst
            .scalar("main",
                    QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                        .arg(QLatin1String(column), kind.table, kind.number),
                    {number})
            .toString();
    }
    Kind kind;
    test::Installation inst;
    test::Run run;
    std::unique_ptr<ValidationWindow> window;
};

} // namespace

class TestValidation : public QObject {
    Q_OBJECT
private slots:
    // Every test runs for the clichés' window and for the drawings'.
    void initTestCase_data() {
        QTest::addColumn<bool>("drawing");
        QTest::newRow("cliches") << false;
        QTest::newRow("drawings") << true;
    }
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }
    void statementPerFilter();
    void opensOnTheNotValidOnes();
    void tickAndSaveLeavesTheList();
    void untickUnderValidSavedOnClosing();
    void toggleSurvivesSearchAndViewer();
    void filterChangeDropsOrWritesToggles();
    void emptyListWritesNothing();
    void otherColumnsOfAnotherWorkstationKept();
    void failedWriteKeepsTogglesAndList();
    void openedFromTheMenu();
};

void TestValidation::statementPerFilter() {
    const QStringList fields = {"CLICHENRO", "SIGLACLI"};
    QCOMPARE(
        validationStatement("CLICHES", fields, "siglacli", Validity::NotValid),
        QStringLiteral("SELECT * FROM CLICHES\n   Where UTILIZA='N'\n      Order By SIGLACLI"));
    QCOMPARE(
        validationStatement("CLICHES", fields, "CLICHENRO", Validity::Valid),
        QStringLiteral("SELECT * FROM CLICHES\n   Where UTILIZA='S'\n      Order By CLICHENRO"));
    // A field not among the sort fields sorts by the number.
    QCOMPARE(validationStatement("CLICHES", fields, "OBSERV1; DROP", Validity::Both),
             QStringLiteral("SELECT * FROM CLICHES\n      Order By CLICHENRO"));
}

void TestValidation::opensOnTheNotValidOnes() {
    ValidationOn v({{"B-2", "N"}, {"A-1", "S"}, {"C-3", "N"}});
    QVERIFY(v.open());
    QCOMPARE(v.filter()->currentText(), QStringLiteral("Só os não Validados"));
    QCOMPARE(v.listed(), (QStringList{"B-2", "C-3"}));
    QCOMPARE(v.grid()->model()->headerData(6, Qt::Horizontal).toString(),
             QStringLiteral("Valida?"));
    QCOMPARE(v.window->windowTitle(), v.kind.drawing ? QStringLiteral("Validação de Desenhos")
                                                     : QStringLiteral("Validação de Clichés"));
    QCOMPARE(v.window->findChild<ImageControl*>("ML1")->toolTip(),
             v.kind.drawing ? QStringLiteral("Click 2 Vezes para Amplicar")
                            : QStringLiteral("Click 2 Vezes para Visualizar"));
    // The columns' widths survive the list read again for another filter.
    QList<int> widths;
    for (int c = 0; c < 7; ++c)
        widths << v.grid()->columnWidth(c);
    v.choose(Validity::Both);
    QCOMPARE(v.listed(), (QStringList{"A-1", "B-2", "C-3"}));
    for (int c = 0; c < 7; ++c)
        QCOMPARE(v.grid()->columnWidth(c), widths[c]);
    v.choose(Validity::Valid);
    QCOMPARE(v.listed(), (QStringList{"A-1"}));
}

void TestValidation::tickAndSaveLeavesTheList() {
    ValidationOn v({{"B-2", "N"}, {"C-3", "N"}});
    QVERIFY(v.open());
    v.clickValid("C-3");
    QCOMPARE(v.shownValid("C-3"), QStringLiteral("S"));
    QCOMPARE(v.stored("C-3"), QStringLiteral("N")); // cached until saved
    v.press("BotGravar");
    QCOMPARE(v.stored("C-3"), QStringLiteral("S"));
    QCOMPARE(v.listed(), (QStringList{"B-2"}));
    QVERIFY(v.run.messages.shown.isEmpty());
    // The consultation's list shows it now, and only it.
    QSqlQuery q(v.inst.open("main"));
    QVERIFY(q.exec(v.kind.drawing ? drawings::consultationStatement("DESENHONRO")
                                  : cliches::consultationStatement("CLICHENRO")));
    QStringList consulted;
    while (q.next())
        consulted << q.value(v.kind.number).toString();
    QCOMPARE(consulted, QStringList{"C-3"});
    // A second click toggles back.
    v.clickValid("B-2");
    v.clickValid("B-2");
    QCOMPARE(v.shownValid("B-2"), QStringLiteral("N"));
}

void TestValidation::untickUnderValidSavedOnClosing() {
    ValidationOn v({{"A-1", "S"}, {"B-2", "S"}});
    QVERIFY(v.open());
    v.choose(Validity::Valid);
    v.grid()->setFocus();
    settle();
    v.clickValid("B-2");
    QCOMPARE(v.stored("B-2"), QStringLiteral("S"));
    v.press("BitTerminar");
    QVERIFY(!v.window->isVisible());
    QCOMPARE(v.stored("B-2"), QStringLiteral("N"));
    QCOMPARE(v.stored("A-1"), QStringLiteral("S"));
}

void TestValidation::toggleSurvivesSearchAndViewer() {
    ValidationOn v({{"A-1", "N"}, {"B-2", "N"}, {"C-3", "S"}, {"D-4", "N"}});
    // A photo for D-4, shown beside the grid and opened in the photo viewer.
    const QString folder =
        resolveFolder(v.inst
                          .scalar("main", v.kind.drawing ? "SELECT PATHDESENHO FROM PARGER"
                                                         : "SELECT PATHCLICHE FROM PARGER")
                          .toString(),
                      v.inst.root());
    QDir().mkpath(folder);
    QImage photo(40, 30, QImage::Format_RGB32);
    photo.fill(Qt::darkGreen);
    QVERIFY(photo.save(folder + "/D-4.JPG", "JPEG"));
    QVERIFY(v.open());
    v.clickValid("A-1");
    // F1: "Localizar" over every record of any validity; C-3 is not listed (the current row
    // stays), D-4 is.
    v.locate("C", "C-3");
    QCOMPARE(v.window->list()->currentRow(), 0);
    v.locate("D");
    QCOMPARE(v.window->list()->fieldValue(v.kind.number).toString(), QStringLiteral("D-4"));
    QVERIFY(QTest::qWaitFor([&] { return !v.window->preview()->isEmpty(); }, 5000));
    // The photo viewer over the window, then closed.
    bool seen = false;
    QString viewerName;
    test::onModal(
        [&viewerName](QWidget* modal) {
            viewerName = modal->objectName();
            QVERIFY(qobject_cast<TFotoViewer*>(modal));
            modal->close();
        },
        &seen);
    emit v.window->preview()->clicked();
    settle();
    QVERIFY(seen);
    QCOMPARE(viewerName,
             v.kind.drawing ? QStringLiteral("TCORTF023FOTO") : QStringLiteral("TCORTF013FOTO"));
    QVERIFY(v.activate());
    // The toggle is still there, and the list is where the search left it.
    QCOMPARE(v.shownValid("A-1"), QStringLiteral("S"));
    QCOMPARE(v.window->list()->fieldValue(v.kind.number).toString(), QStringLiteral("D-4"));
    QCOMPARE(v.listed(), (QStringList{"A-1", "B-2", "D-4"}));
    v.press("BotGravar");
    QCOMPARE(v.stored("A-1"), QStringLiteral("S"));
}

void TestValidation::filterChangeDropsOrWritesToggles() {
    ValidationOn v({{"A-1", "N"}, {"B-2", "S"}});
    QVERIFY(v.open());
    v.clickValid("A-1");
    v.choose(Validity::Both);
    QCOMPARE(v.listed(), (QStringList{"A-1", "B-2"}));
    // Clichés: the toggle went with the list. Drawings: written when the grid lost the focus.
    const QString expected = v.kind.drawing ? QStringLiteral("S") : QStringLiteral("N");
    QCOMPARE(v.stored("A-1"), expected);
    QCOMPARE(v.shownValid("A-1"), expected);
    v.press("BitTerminar");
    QCOMPARE(v.stored("A-1"), expected);
}

void TestValidation::emptyListWritesNothing() {
    ValidationOn v({{"A-1", "S"}});
    QVERIFY(v.open());
    QCOMPARE(v.grid()->model()->rowCount(), 0);
    QTest::mouseClick(v.grid()->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::keyClick(v.grid(), Qt::Key_Down);
    settle();
    v.press("BotGravar");
    v.press("BitTerminar");
    QVERIFY(!v.window->isVisible());
    QVERIFY(v.run.messages.shown.isEmpty());
    QCOMPARE(v.inst.scalar("main", "SELECT COUNT(*) FROM " + v.kind.table).toInt(), 1);
    QCOMPARE(v.stored("A-1"), QStringLiteral("S"));
}

void TestValidation::otherColumnsOfAnotherWorkstationKept() {
    ValidationOn v({{"A-1", "N"}});
    QVERIFY(v.open());
    // Another workstation changes the reference after the list was read.
    QVERIFY(v.inst.exec("main",
                        QStringLiteral("UPDATE %1 SET REFERENCIA = 'Nova referência' WHERE %2 = ?")
                            .arg(v.kind.table, v.kind.number),
                        {"A-1"}));
    v.clickValid("A-1");
    v.press("BotGravar");
    QVERIFY(v.run.messages.shown.isEmpty());
    QCOMPARE(v.stored("A-1"), QStringLiteral("S"));
    QCOMPARE(v.stored("A-1", "REFERENCIA"), QStringLiteral("Nova referência"));
}

void TestValidation::failedWriteKeepsTogglesAndList() {
    ValidationOn v({{"A-1", "N"}, {"B-2", "N"}});
    QVERIFY(v.open());
    v.clickValid("A-1");
    v.clickValid("B-2");
    // Another workstation validated B-2 meanwhile: the write finds no row as read.
    QVERIFY(v.inst.exec(
        "main",
        QStringLiteral("UPDATE %1 SET UTILIZA = 'S' WHERE %2 = ?").arg(v.kind.table, v.kind.number),
        {"B-2"}));
    v.press("BotGravar");
    QCOMPARE(v.run.messages.shown.size(), 1);
    QCOMPARE(v.stored("A-1"), QStringLiteral("N")); // one transaction: nothing written
    QCOMPARE(v.listed(), (QStringList{"A-1", "B-2"}));
    QCOMPARE(v.shownValid("A-1"), QStringLiteral("S"));
    QCOMPARE(v.shownValid("B-2"), QStringLiteral("S"));
    QVERIFY(v.window->list()->hasPendingUpdates());
    // Closing tries again, fails again and stays open with the toggles.
    v.press("BitTerminar");
    QVERIFY(v.window->isVisible());
    QCOMPARE(v.run.messages.shown.size(), 2);
    QCOMPARE(v.shownValid("A-1"), QStringLiteral("S"));
}

void TestValidation::openedFromTheMenu() {
    QFETCH_GLOBAL(bool, drawing);
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    test::Run run;
    registerWindows(run.menu, run.session);
    QVERIFY(run.start());
    const char* component = drawing ? "DESENHO004" : "CLICHE004";
    bool seen = false;
    QString name;
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<ValidationWindow*>(QApplication::activeModalWidget());
        QVERIFY(window);
        seen = true;
        name = window->objectName();
        window->findChild<QPushButton*>("BitTerminar")->click();
    });
    run.menu.findChild<QAction*>(QLatin1String(component))->trigger();
    QVERIFY2(seen, component);
    QCOMPARE(name, drawing ? QStringLiteral("TCORTF023") : QStringLiteral("TCORTF013"));
}

QTEST_MAIN(TestValidation)
#include "tst_validation.moc"
