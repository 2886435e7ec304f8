// The searching parts of the register windows: the incremental "Localizar" dialog over sets
// read in pages, the numeric and alphabetic searches of code boxes (Insert, Ctrl+Insert), the
// sort by a click on a title with its yellow title, F1..F6 on a grid, and the names beside
// codes.
#include "codenames.h"
#include "colours.h"
#include "dataset.h"
#include "datasetviews.h"
#include "grids.h"
#include "locatedialog.h"
#include "lookupmenu.h"
#include "testsupport.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSqlQuery>
#include <QTableView>
#include <QTimer>

using namespace falq;

namespace {

const QString kMain = QStringLiteral("test_main");
const QString kFact = QStringLiteral("test_fact");

// Colours 1..count named "Cor <code>", except a few names that the searches look for.
void fillColours(test::Installation& inst, int count) {
    test::fillColours(inst, count, [](int code) {
        if (code == 700)
            return QStringLiteral("Verde 50% Mate");
        if (code == 701)
            return QStringLiteral("Verde 50 Mate");
        if (code == 702)
            return QStringLiteral("verde_claro");
        return QStringLiteral("Cor %1").arg(code, 4, 10, QLatin1Char('0'));
    });
}

void fillClients(test::Installation& inst) {
    const QList<QPair<int, QString>> clients = {{1, "Zeta Embalagens"},
                                                {2, "Alfa Cartões"},
                                                {12, "Beta Caixas"},
                                                {120, "Gama Papel"},
                                                {121, "Delta Lda"}};
    for (const auto& [code, name] : clients)
        QVERIFY(inst.exec("fact", "INSERT INTO CLIENTES (CODIGO, NOME, SIGLA) VALUES (?, ?, ?)",
                          {code, name, name.left(4).toUpper()}));
    inst.open("fact", kFact);
}

std::unique_ptr<Dataset> lookupSet(const QString& connection, const QString& sql,
                                   const QString& table) {
    auto set = std::make_unique<Dataset>(QStringLiteral("SET"), connection, sql,
                                         UpdateObject{table, {QStringLiteral("CODIGO")}, {}});
    return set;
}

// The clients of fillClients() in code or in name order.
std::unique_ptr<Dataset> clients(const char* order) {
    return lookupSet(kFact,
                     QStringLiteral("SELECT CODIGO,NOME,SIGLA FROM CLIENTES Order By ") +
                         QLatin1String(order),
                     QStringLiteral("CLIENTES"));
}

// Runs `act` on the modal "Localizar" dialog as soon as it shows.
void onDialog(const std::function<void(LocateDialog*)>& act, bool* seen) {
    QTimer::singleShot(0, [act, seen] {
        auto* dialog = qobject_cast<LocateDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        *seen = true;
        act(dialog);
    });
}

} // namespace

class TestSearching : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }
    void prefixPatternKeepsWildcardsPlain();
    void locatePrefixOnPagedSet();
    void locatePrefixOnCodes();
    void locatePrefixFindsRowsNotYetWritten();
    void dialogTypingEnterAndEscape();
    void dialogDoubleClickTakesTheRow();
    void lookupKeysAndMenu();
    void lookupCancelledLeavesTheBox();
    void titleClickAndYellowTitle();
    void functionKeys();
    void columnsStartingWithField();
    void namesBesideCodes();
    void codeBoxText_data();
    void codeBoxText();
};

void TestSearching::prefixPatternKeepsWildcardsPlain() {
    QCOMPARE(SqlDialect::prefixPattern("Verde 50%"), QStringLiteral("Verde 50!%%"));
    QCOMPARE(SqlDialect::prefixPattern("a_b!"), QStringLiteral("a!_b!!%"));
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    fillColours(inst, 800);
    QSqlDatabase db = inst.open("main");
    const SqlDialect d = SqlDialect::forDatabase(db);
    auto count = [&](const QString& typed) {
        QSqlQuery q(db);
        q.prepare("SELECT COUNT(*) FROM CORES WHERE " + d.startsWith("DESIGNACAO", "?", true));
        q.addBindValue(SqlDialect::prefixPattern(typed));
        return q.exec() && q.next() ? q.value(0).toInt() : -1;
    };
    QCOMPARE(count("Verde 50%"), 1); // the % typed is a plain character
    QCOMPARE(count("verde 50"), 2);  // without regard to case
    QCOMPARE(count("VERDE_"), 1);    // "_" is plain too: only "verde_claro"
    QCOMPARE(count("Cor 07"), 97);   // 0700..0799 less the three renamed ones
    QSqlQuery q(db);
    q.prepare("SELECT COUNT(*) FROM CORES WHERE " + d.startsWith("CODIGO", "?", false));
    q.addBindValue(SqlDialect::prefixPattern("12"));
    QVERIFY(q.exec() && q.next());
    QCOMPARE(q.value(0).toInt(), 11); // 12 and 120..129
}

void TestSearching::locatePrefixOnPagedSet() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    fillColours(inst, 3000);
    inst.open("main", kMain);
    auto set = lookupSet(kMain, "SELECT * FROM CORES Order By DESIGNACAO", "CORES");
    QVERIFY(set->open());
    QVERIFY2(set->pagingRefusal().isEmpty(), qPrintable(set->pagingRefusal()));
    QCOMPARE(set->rowCount(), 3000);
    QVERIFY(set->locatePrefix("DESIGNACAO", "cor 29"));
    QCOMPARE(set->fieldValue("DESIGNACAO").toString(), QStringLiteral("Cor 2900"));
    QCOMPARE(set->currentRow(), 2896); // the three renamed ones sort after every "Cor"
    QVERIFY(set->loadedRowCount() < 3000);
    // Nothing starts so: the row stays.
    QVERIFY(!set->locatePrefix("DESIGNACAO", "Cor 9"));
    QCOMPARE(set->currentRow(), 2896);
    QVERIFY(set->locatePrefix("DESIGNACAO", "verde 50%"));
    QCOMPARE(set->fieldValue("CODIGO").toInt(), 700);
    QVERIFY(set->locatePrefix("DESIGNACAO", "Verde"));
    QCOMPARE(set->fieldValue("DESIGNACAO").toString(), QStringLiteral("Verde 50 Mate"));
}

void TestSearching::locatePrefixOnCodes() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    fillClients(inst);
    auto set = clients("CODIGO");
    QVERIFY(set->open());
    QVERIFY(set->locatePrefix("CODIGO", "12"));
    QCOMPARE(set->fieldValue("CODIGO").toInt(), 12); // not 120: the order is by code
    QVERIFY(set->locatePrefix("CODIGO", "121"));
    QCOMPARE(set->fieldValue("CODIGO").toInt(), 121);
    QVERIFY(!set->locatePrefix("CODIGO", "3"));
    QCOMPARE(set->fieldValue("CODIGO").toInt(), 121);
}

void TestSearching::locatePrefixFindsRowsNotYetWritten() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    fillColours(inst, 10);
    inst.open("main", kMain);
    auto set = lookupSet(kMain, "SELECT * FROM CORES Order By DESIGNACAO", "CORES");
    QVERIFY(set->open());
    set->append();
    set->setFieldValue("CODIGO", 99);
    set->setFieldValue("DESIGNACAO", "Ocre");
    set->post();
    set->setCurrentRow(0);
    QVERIFY(set->locatePrefix("DESIGNACAO", "oc"));
    QCOMPARE(set->fieldValue("CODIGO").toInt(), 99);
}

void TestSearching::dialogTypingEnterAndEscape() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    fillColours(inst, 1000);
    inst.open("main", kMain);
    auto set = lookupSet(kMain, "SELECT * FROM CORES Order By DESIGNACAO", "CORES");
    QVERIFY(set->open());
    set->setCurrentRow(5);
    test::RecordingMessages messages;
    const QList<SearchColumn> columns = {
        {"DESIGNACAO", "Designação Côr"}, {"CODIGO", "Código"}, {"NUMERO", "Número Côr"}};
    // Typing moves to the first row that starts with the text; Enter takes it.
    bool seen = false;
    QStringList titles;
    int rowAfterTyping = -1;
    onDialog(
        [&](LocateDialog* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Localizar"));
            for (int c = 0; c < d->grid()->model()->columnCount(); ++c)
                titles << d->grid()->model()->headerData(c, Qt::Horizontal).toString();
            QTest::keyClicks(d->searchBox(), "cor 04");
            rowAfterTyping = d->grid()->currentIndex().row();
            QTest::keyClicks(d->searchBox(), "5");
            QTest::keyClick(d->searchBox(), Qt::Key_Return);
        },
        &seen);
    {
        LocateDialog dialog(set.get(), columns, messages);
        QVERIFY(dialog.choose());
    }
    QVERIFY(seen);
    QCOMPARE(titles, QStringList({"Designação Côr", "Código", "Número Côr"}));
    QCOMPARE(rowAfterTyping, 399); // "Cor 0400" (the renamed ones sort after every "Cor")
    QCOMPARE(set->fieldValue("DESIGNACAO").toString(), QStringLiteral("Cor 0450"));
    QCOMPARE(messages.lonelyBeeps, 0);

    // Esc: the set stands again where it stood.
    const int before = set->currentRow();
    seen = false;
    onDialog(
        [&](LocateDialog* d) {
            QTest::keyClicks(d->searchBox(), "Cor 09x");
            QTest::keyClick(d->searchBox(), Qt::Key_Escape);
        },
        &seen);
    {
        LocateDialog dialog(set.get(), columns, messages);
        QVERIFY(!dialog.choose());
    }
    QVERIFY(seen);
    QCOMPARE(set->currentRow(), before);
    QCOMPARE(messages.lonelyBeeps, 1); // "Cor 09x" starts nothing
}

void TestSearching::dialogDoubleClickTakesTheRow() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    fillClients(inst);
    auto set = clients("NOME");
    QVERIFY(set->open());
    test::RecordingMessages messages;
    bool seen = false;
    onDialog(
        [&](LocateDialog* d) {
            QTableView* grid = d->grid();
            const QRect cell = grid->visualRect(grid->model()->index(2, 1));
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        },
        &seen);
    LocateDialog dialog(set.get(), {{"NOME", "Nome do Cliente"}, {"CODIGO", "Cliente Nº"}},
                        messages);
    QVERIFY(dialog.choose());
    QVERIFY(seen);
    // In name order: Alfa, Beta, Delta, ...
    QCOMPARE(set->fieldValue("NOME").toString(), QStringLiteral("Delta Lda"));
}

void TestSearching::lookupKeysAndMenu() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    fillClients(inst);
    auto byCode = clients("CODIGO");
    auto byName = clients("NOME");
    int closed = 0;
    test::RecordingMessages messages;
    QWidget window;
    auto* box = new QLineEdit(&window);
    window.show();
    LookupMenu lookup(
        box, messages,
        {[&] {
             byCode->open();
             return byCode.get();
         },
         [&] {
             ++closed;
             byCode->close();
         },
         {{"CODIGO", "Cliente Nº"}, {"NOME", "Nome do Cliente"}, {"SIGLA", "Sigla Cliente"}}},
        {[&] {
             byName->open();
             return byName.get();
         },
         {},
         {{"NOME", "Nome do Cliente"}, {"CODIGO", "Cliente Nº"}, {"SIGLA", "Sigla"}}});
    QList<QVariant> chosen;
    connect(&lookup, &LookupMenu::chosen, this, [&](const QVariant& code) { chosen << code; });
    QCOMPARE(lookup.menu()->actions().value(0)->text(), QStringLiteral("Procura Numérica"));
    QCOMPARE(lookup.menu()->actions().value(1)->text(), QStringLiteral("Procura Alfabética"));

    // Insert: the numeric search.
    bool seen = false;
    QString firstTitle;
    onDialog(
        [&](LocateDialog* d) {
            firstTitle = d->grid()->model()->headerData(0, Qt::Horizontal).toString();
            QTest::keyClicks(d->searchBox(), "12");
            QTest::keyClick(d->searchBox(), Qt::Key_Enter);
        },
        &seen);
    QTest::keyClick(box, Qt::Key_Insert);
    QVERIFY(seen);
    QCOMPARE(firstTitle, QStringLiteral("Cliente Nº"));
    QCOMPARE(box->text(), QStringLiteral("12"));
    QCOMPARE(chosen, QList<QVariant>{12});
    QCOMPARE(closed, 1);
    QVERIFY(!byCode->isOpen());

    // Ctrl+Insert: the alphabetic search (not the box's copy).
    seen = false;
    onDialog(
        [&](LocateDialog* d) {
            firstTitle = d->grid()->model()->headerData(0, Qt::Horizontal).toString();
            QTest::keyClicks(d->searchBox(), "gam");
            QTest::keyClick(d->searchBox(), Qt::Key_Return);
        },
        &seen);
    QTest::keyClick(box, Qt::Key_Insert, Qt::ControlModifier);
    QVERIFY(seen);
    QCOMPARE(firstTitle, QStringLiteral("Nome do Cliente"));
    QCOMPARE(box->text(), QStringLiteral("120"));
    QCOMPARE(chosen.size(), 2);

    // The context menu's item runs the same search.
    seen = false;
    onDialog(
        [&](LocateDialog* d) {
            QTest::keyClicks(d->searchBox(), "Zeta");
            QTest::keyClick(d->searchBox(), Qt::Key_Return);
        },
        &seen);
    lookup.menu()->actions().value(1)->trigger();
    QVERIFY(seen);
    QCOMPARE(box->text(), QStringLiteral("1"));
}

void TestSearching::lookupCancelledLeavesTheBox() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    fillClients(inst);
    auto byCode = clients("CODIGO");
    QVERIFY(byCode->open());
    test::RecordingMessages messages;
    QWidget window;
    auto* box = new QLineEdit(&window);
    box->setText("77");
    window.show();
    LookupMenu lookup(box, messages, {[&] { return byCode.get(); }, {}, {{"CODIGO", "Nº"}}}, {});
    int chosen = 0;
    connect(&lookup, &LookupMenu::chosen, this, [&] { ++chosen; });
    bool seen = false;
    onDialog(
        [&](LocateDialog* d) {
            QTest::keyClicks(d->searchBox(), "120");
            QTest::keyClick(d->searchBox(), Qt::Key_Escape);
        },
        &seen);
    QTest::keyClick(box, Qt::Key_Insert);
    QVERIFY(seen);
    QCOMPARE(box->text(), QStringLiteral("77"));
    QCOMPARE(chosen, 0);
    QCOMPARE(byCode->fieldValue("CODIGO").toInt(), 1); // the set stands where it stood
    // Ctrl+Insert without an alphabetic search does nothing.
    QTest::keyClick(box, Qt::Key_Insert, Qt::ControlModifier);
    QCOMPARE(box->text(), QStringLiteral("77"));
}

void TestSearching::titleClickAndYellowTitle() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    fillColours(inst, 30);
    inst.open("main", kMain);
    Dataset set("CORES", kMain, "SELECT * FROM CORES Order BY CODIGO",
                UpdateObject{"CORES", {"CODIGO"}, {}});
    set.setPresentation(
        {{"NUMERO", "Nº Côr"}, {"CODIGO", "Código"}, {"DESIGNACAO", "Designação Côr"}});
    QVERIFY(set.open());
    QTableView grid;
    auto* header = new TitleSortHeader(&grid, {"codigo", "DESIGNACAO"});
    bindGrid(&grid, &set);
    grid.resize(500, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QStringList asked;
    connect(header, &TitleSortHeader::sortRequested, this,
            [&](const QString& field) { asked << field; });
    auto clickTitle = [&](int column) {
        const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    };
    clickTitle(0); // "Nº Côr": not sortable
    clickTitle(2);
    clickTitle(1);
    QCOMPARE(asked, QStringList({"DESIGNACAO", "CODIGO"}));

    auto titleColour = [&](int column) {
        const QImage shot = header->viewport()->grab().toImage();
        return shot.pixelColor(header->sectionViewportPosition(column) + 3, 3);
    };
    QVERIFY(titleColour(2) != TitleSortHeader::sortTitleColour());
    header->setSortField("designacao");
    QCOMPARE(titleColour(2), TitleSortHeader::sortTitleColour());
    QVERIFY(titleColour(1) != TitleSortHeader::sortTitleColour());

    // The grid and the set keep the same current row.
    set.setCurrentRow(7);
    QCOMPARE(grid.currentIndex().row(), 7);
    grid.setCurrentIndex(set.index(3, 1));
    QCOMPARE(set.currentRow(), 3);
}

void TestSearching::functionKeys() {
    QTableView grid;
    QStringList searched;
    new GridSearchKeys(&grid, {{"CLICHENRO", "a"}, {"CORTANTENRO", "b"}, {"SIGLACLI", "c"}},
                       [&](const QString& field) { searched << field; });
    grid.show();
    QTest::keyClick(&grid, Qt::Key_F3);
    QTest::keyClick(&grid, Qt::Key_F1);
    QTest::keyClick(&grid, Qt::Key_F4); // beyond the fields: nothing
    QCOMPARE(searched, QStringList({"SIGLACLI", "CLICHENRO"}));
}

void TestSearching::columnsStartingWithField() {
    const QList<SearchColumn> six = {{"CLICHENRO", "a"}, {"CORTANTENRO", "b"}, {"SIGLACLI", "c"},
                                     {"PRODNRO", "d"},   {"REFERENCIA", "e"},  {"FORNSIGLA", "f"}};
    QStringList titles;
    for (const SearchColumn& c : columnsStartingWith(six, "referencia"))
        titles << c.title;
    QCOMPARE(titles, QStringList({"e", "a", "b", "c", "d", "f"}));
}

void TestSearching::namesBesideCodes() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    fillClients(inst);
    QLabel name;
    CodeNames names({kFact, "CLIENTES"}, {{"NOME", &name}, {"SIGLA", nullptr}});
    QVERIFY(names.show(12));
    QCOMPARE(name.text(), QStringLiteral("Beta Caixas"));
    QCOMPARE(names.value("SIGLA").toString(), QStringLiteral("BETA"));
    QVERIFY(!names.show(0)); // no client 0 here
    QCOMPARE(name.text(), QString());
    QVERIFY(names.value("SIGLA").isNull());
    QVERIFY(names.error().isEmpty());
    QVERIFY(
        inst.exec("fact", "INSERT INTO CLIENTES (CODIGO, NOME, SIGLA) VALUES (0, 'Diversos', '')"));
    QVERIFY(names.show(0));
    QCOMPARE(name.text(), QStringLiteral("Diversos"));
}

void TestSearching::codeBoxText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<qint64>("code");
    QTest::newRow("empty") << "" << true << qint64(0);
    QTest::newRow("blanks") << "  " << true << qint64(0);
    QTest::newRow("zero") << "0" << true << qint64(0);
    QTest::newRow("code") << " 42 " << true << qint64(42);
    QTest::newRow("largest small integer") << "32767" << true << qint64(32767);
    QTest::newRow("beyond the column") << "32768" << false << qint64(0);
    QTest::newRow("negative") << "-1" << false << qint64(0);
    QTest::newRow("letters") << "12a" << false << qint64(0);
    QTest::newRow("decimal") << "1.5" << false << qint64(0);
}

void TestSearching::codeBoxText() {
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(qint64, code);
    qint64 parsed = -99;
    QCOMPARE(parseCode(text, 0, 32767, &parsed), ok);
    if (ok)
        QCOMPARE(parsed, code);
}

QTEST_MAIN(TestSearching)
#include "tst_searching.moc"
