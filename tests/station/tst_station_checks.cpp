// Checking clichés and drawings at the validation station: what is found, what is shown (data,
// image, documents, viewer), and that nothing of an earlier entry stays on show.
#include "dataset.h"
#include "documents.h"
#include "documentspage.h"
#include "imagecontrol.h"
#include "stationrun.h"
#include "viewerwindow.h"

#include <QLabel>
#include <QTabWidget>
#include <QTableView>

using namespace falq;

using falq::test::StationRun;

namespace {

QStringList listed(const StationRun& run) {
    QStringList names;
    const DocumentList* list = run.window.documents()->list();
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

void clickPreview(StationRun& run) {
    ImageControl* preview = run.window.preview();
    QTest::mouseClick(preview->viewport(), Qt::LeftButton, {},
                      preview->viewport()->rect().center());
}

// Nothing of a record on show: preview, viewer path, documents, grids and boxes.
bool nothingShown(const StationRun& run) {
    return run.window.preview()->isEmpty() && run.window.viewerPath().isEmpty() &&
           run.window.documents()->list()->count() == 0 &&
           run.window.clicheSet()->rowCount() == 0 && run.window.drawingSet()->rowCount() == 0 &&
           run.text("Edit_Observ1").isEmpty();
}

} // namespace

class TestStationChecks : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }
    void init();
    void cleanup();
    void foundClicheShowsItsDataImageAndDocuments();
    void invalidClicheIsInexistent();
    void fourteenCharactersLookUpTwelve();
    void validatedElsewhereAfterStartIsFound();
    void missingCodesStillFound();
    void noImageEmptyPreviewAndNoViewer();
    void emptyOrUnknownEntryAfterAFoundOneShowsNothing();
    void pageChangeShowsNothingOfTheOtherPage();
    void previewClickOpensTheStationsViewer();
    void insertOpensLocalizar();
    void drawingChecks();
    void toolLifeBesideTheNumber();
    void scannedLabelsAndThePlace();

private:
    std::unique_ptr<test::Installation> m_inst;
    ImageParameters m_params;
};

void TestStationChecks::init() {
    m_inst = std::make_unique<test::Installation>();
    QVERIFY2(m_inst->ok(), qPrintable(m_inst->error()));
    for (const char* number : {"12", "120", "12A", "ABCDEFGHIJKL", "SEMFOTO"})
        QVERIFY(test::insertCliche(*m_inst, number));
    QVERIFY(test::insertCliche(*m_inst, "INVALIDO", "N"));
    m_params = test::imageParameters(*m_inst);
    for (const char* number : {"12", "120", "ABCDEFGHIJKL"})
        QVERIFY(!test::writeImage(clicheImagePath(m_params, number)).isEmpty());
    test::writeDocument(m_params.clicheFolder, "12.pdf");
    test::writeDocument(m_params.clicheFolder, "12_ficha.pdf");
    test::writeDocument(m_params.clicheFolder, "120.pdf");
    test::writeDocument(m_params.clicheFolder, "12A.pdf");
}

void TestStationChecks::cleanup() {
    m_inst.reset();
}

void TestStationChecks::foundClicheShowsItsDataImageAndDocuments() {
    StationRun run;
    QVERIFY(run.start());
    QLineEdit* box = run.box("Edit_Cliche");
    QTRY_COMPARE(QApplication::focusWidget(), box);
    QCOMPARE(run.window.statusText(), QStringLiteral("Tecla <Insert> para localizar Cliché ..."));
    QTest::keyClicks(box, "12");
    QTest::keyClick(box, Qt::Key_Return); // Enter moves on as Tab does
    QCOMPARE(QApplication::focusWidget(), run.box("Edit_Next"));
    QVERIFY2(run.messages.shown.isEmpty(), qPrintable(run.messages.shown.join('|')));
    QCOMPARE(run.window.statusText(), QString());
    // The data of the cliché: its grid row and remarks.
    auto* grid = run.window.findChild<QTableView*>("DBGridCliche");
    QCOMPARE(grid->model()->rowCount(), 1);
    Dataset* set = run.window.clicheSet();
    QCOMPARE(set->fieldValue("CLICHENRO").toString(), QStringLiteral("12"));
    QCOMPARE(set->fieldValue("MODELO_DES").toString(), QStringLiteral("FEFCO 0201"));
    QCOMPARE(set->fieldValue("MAQUINA_DES").toString(), QStringLiteral("Flexo 2 Cores"));
    QStringList titles;
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        if (!grid->isColumnHidden(c))
            titles << grid->model()->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(titles, (QStringList{"Cliente", "Fornecedor", "Produto Nº", "Referência"}));
    QCOMPARE(run.text("Edit_Observ1"), QStringLiteral("Obs 12"));
    QCOMPARE(run.text("Edit_Observ2"), QStringLiteral("Tinta base"));
    // Its image, and its own documents: never those of 120 or 12A.
    const QString image = clicheImagePath(m_params, "12");
    QCOMPARE(run.window.viewerPath(), image);
    QTRY_VERIFY(!run.window.preview()->isEmpty());
    QCOMPARE(run.window.preview()->path(), image);
    QCOMPARE(listed(run), (QStringList{"12.JPG", "12.pdf", "12_ficha.pdf"}));
    QCOMPARE(run.window.documents()->list()->folder(), m_params.clicheFolder);
    // A document opens inside on a double click.
    DocumentList* list = run.window.documents()->list();
    list->setCurrentRow(1);
    emit list->itemDoubleClicked(list->currentItem());
    QCOMPARE(run.window.documents()->view()->path(),
             QDir(m_params.clicheFolder).filePath("12.pdf"));
    // Enter leads back to the number box, and entering it starts a new entry: nothing of 12
    // stays.
    run.window.activateWindow(); // the document shown may have taken the window's focus
    run.box("Edit_Next")->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(run.box("Edit_Next"), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), box);
    QVERIFY(box->text().isEmpty());
    QVERIFY(nothingShown(run));
    QCOMPARE(run.window.documents()->view()->kind(), DocumentView::Kind::Empty);
}

void TestStationChecks::invalidClicheIsInexistent() {
    StationRun run;
    QVERIFY(run.start());
    QVERIFY(!run.check("Edit_Cliche", "INVALIDO"));
    QCOMPARE(run.messages.shown, QStringList{QStringLiteral("Cliché Inexistente ...")});
    QCOMPARE(run.messages.beeps, QList<bool>{true});
    QCOMPARE(QApplication::focusWidget(), run.box("Edit_Cliche"));
    QVERIFY(nothingShown(run));
    // So is a number nobody registered.
    QVERIFY(!run.check("Edit_Cliche", "999"));
    QCOMPARE(run.messages.shown.size(), 2);
    QCOMPARE(QApplication::focusWidget(), run.box("Edit_Cliche"));
    // An empty box is no check: the focus moves on, no message, nothing shown.
    QVERIFY(run.check("Edit_Cliche", QString()));
    QCOMPARE(run.messages.shown.size(), 2);
    QVERIFY(nothingShown(run));
}

void TestStationChecks::fourteenCharactersLookUpTwelve() {
    StationRun run;
    QVERIFY(run.start());
    QVERIFY(run.check("Edit_Cliche", "ABCDEFGHIJKLMN"));
    QVERIFY2(run.messages.shown.isEmpty(), qPrintable(run.messages.shown.join('|')));
    QCOMPARE(run.window.clicheSet()->fieldValue("CLICHENRO").toString(),
             QStringLiteral("ABCDEFGHIJKL"));
    QCOMPARE(run.window.viewerPath(), clicheImagePath(m_params, "ABCDEFGHIJKL"));
    // The number compares as the key does: without regard to case.
    QVERIFY(run.check("Edit_Cliche", "abcdefghijkl"));
    QCOMPARE(run.window.clicheSet()->fieldValue("CLICHENRO").toString(),
             QStringLiteral("ABCDEFGHIJKL"));
}

void TestStationChecks::validatedElsewhereAfterStartIsFound() {
    StationRun run;
    QVERIFY(run.start());
    QVERIFY(!run.check("Edit_Cliche", "INVALIDO"));
    // Another workstation validates it, and registers a new one.
    QVERIFY(m_inst->exec("main", "UPDATE CLICHES SET UTILIZA = 'S' WHERE CLICHENRO = 'INVALIDO'"));
    QVERIFY(test::insertCliche(*m_inst, "NOVO"));
    QVERIFY(run.check("Edit_Cliche", "INVALIDO"));
    QVERIFY(run.check("Edit_Cliche", "NOVO"));
    QCOMPARE(run.messages.shown.size(), 1);
    // And one invalidated meanwhile is no longer found.
    QVERIFY(m_inst->exec("main", "UPDATE CLICHES SET UTILIZA = 'N' WHERE CLICHENRO = '12'"));
    QVERIFY(!run.check("Edit_Cliche", "12"));
    QCOMPARE(run.messages.shown.size(), 2);
}

void TestStationChecks::missingCodesStillFound() {
    QVERIFY(test::insertCliche(*m_inst, "SEMMAQUINA", "S", 88, 99));
    QVERIFY(test::insertDrawing(*m_inst, "SEMCODIGOS", "S", 77, 99, 66));
    const QString drawingImage = test::writeImage(drawingImagePath(m_params, "SEMCODIGOS"));
    QVERIFY(!drawingImage.isEmpty());
    StationRun run;
    QVERIFY(run.start());
    QVERIFY(run.check("Edit_Cliche", "SEMMAQUINA"));
    QVERIFY2(run.messages.shown.isEmpty(), qPrintable(run.messages.shown.join('|')));
    QCOMPARE(run.window.clicheSet()->fieldValue("MODELO_DES").toString(), QString());
    QCOMPARE(run.window.clicheSet()->fieldValue("MAQUINA_DES").toString(), QString());
    run.window.findChild<QTabWidget*>("NB")->setCurrentIndex(1);
    QVERIFY(run.check("Edit_Desenho", "SEMCODIGOS"));
    QVERIFY2(run.messages.shown.isEmpty(), qPrintable(run.messages.shown.join('|')));
    Dataset* set = run.window.drawingSet();
    for (const char* name : {"CARTAO_DES", "MAQUINA_DES", "DESENHADOR_DES"})
        QCOMPARE(set->fieldValue(name).toString(), QString());
    // Its viewer shows the drawing with the names blank.
    QTRY_VERIFY(!run.window.preview()->isEmpty());
    QString seen;
    QString board = QStringLiteral("?");
    test::onNextModal(
        [&board](QWidget* viewer) {
            board = viewer->findChild<QLineEdit*>("Edit_CARTAO_DES")->text();
        },
        &seen);
    clickPreview(run);
    QCOMPARE(seen, QStringLiteral("TCORTF999DESENHO"));
    QCOMPARE(board, QString());
}

void TestStationChecks::noImageEmptyPreviewAndNoViewer() {
    StationRun run;
    QVERIFY(run.start());
    QVERIFY(run.check("Edit_Cliche", "SEMFOTO"));
    QCOMPARE(run.window.clicheSet()->fieldValue("CLICHENRO").toString(), QStringLiteral("SEMFOTO"));
    QCOMPARE(run.text("Edit_Observ1"), QStringLiteral("Obs SEMFOTO"));
    QVERIFY(run.window.preview()->isEmpty());
    QVERIFY(run.window.viewerPath().isEmpty());
    QString seen;
    test::onNextModal([](QWidget*) {}, &seen, 8);
    clickPreview(run);
    QTest::qWait(300);
    QCOMPARE(seen, QString());
    QVERIFY(run.messages.shown.isEmpty());
}

void TestStationChecks::emptyOrUnknownEntryAfterAFoundOneShowsNothing() {
    StationRun run;
    QVERIFY(run.start());
    QVERIFY(run.check("Edit_Cliche", "12"));
    QTRY_VERIFY(!run.window.preview()->isEmpty());
    // An empty entry: the focus passes to the box after it, and nothing of 12 is shown.
    QVERIFY(run.check("Edit_Cliche", QString()));
    QCOMPARE(QApplication::focusWidget(), run.box("Edit_Next"));
    QVERIFY(nothingShown(run));
    QString seen;
    test::onNextModal([](QWidget*) {}, &seen, 8);
    clickPreview(run);
    QTest::qWait(300);
    QCOMPARE(seen, QString());
    // An unknown entry: the message, and still nothing of 12.
    QVERIFY(run.check("Edit_Cliche", "12"));
    QTRY_VERIFY(!run.window.preview()->isEmpty());
    QVERIFY(!run.check("Edit_Cliche", "NAOHA"));
    QCOMPARE(run.messages.shown, QStringList{QStringLiteral("Cliché Inexistente ...")});
    QVERIFY(nothingShown(run));
    // Reaching the box after it with the mouse shows nothing either.
    run.box("Edit_Next")->setFocus(Qt::MouseFocusReason);
    QVERIFY(nothingShown(run));
}

void TestStationChecks::pageChangeShowsNothingOfTheOtherPage() {
    QVERIFY(test::insertDrawing(*m_inst, "24-00001"));
    StationRun run;
    QVERIFY(run.start());
    QVERIFY(run.check("Edit_Cliche", "12"));
    QTRY_VERIFY(!run.window.preview()->isEmpty());
    auto* nb = run.window.findChild<QTabWidget*>("NB");
    nb->setCurrentIndex(1);
    QCOMPARE(QApplication::focusWidget(), run.box("Edit_Desenho"));
    QCOMPARE(run.window.statusText(), QStringLiteral("Tecla <Insert> para localizar Desenho ..."));
    QVERIFY(run.window.preview()->isEmpty());
    QVERIFY(run.window.viewerPath().isEmpty());
    QCOMPARE(run.window.documents()->list()->count(), 0);
    QString seen;
    test::onNextModal([](QWidget*) {}, &seen, 8);
    clickPreview(run);
    QTest::qWait(300);
    QCOMPARE(seen, QString());
    // A number typed but not yet checked is not checked when the page changes.
    QTest::keyClicks(run.box("Edit_Desenho"), "NAOHA");
    nb->setCurrentIndex(0);
    QTest::qWait(20);
    QVERIFY2(run.messages.shown.isEmpty(), qPrintable(run.messages.shown.join('|')));
    QCOMPARE(QApplication::focusWidget(), run.box("Edit_Cliche"));
    QVERIFY(nothingShown(run));
}

void TestStationChecks::previewClickOpensTheStationsViewer() {
    StationRun run;
    QVERIFY(run.start());
    QVERIFY(run.check("Edit_Cliche", "12"));
    QTRY_VERIFY(!run.window.preview()->isEmpty());
    QString seen;
    QString path;
    QString number;
    QString machine;
    QString colour;
    int step = 0;
    test::onNextModal(
        [&](QWidget* w) {
            auto* viewer = qobject_cast<ViewerWindow*>(w);
            if (!viewer)
                return;
            path = viewer->imagePath();
            step = viewer->imageControl()->zoomStep();
            number = viewer->findChild<QLineEdit*>("Edit_CLICHENRO")->text();
            machine = viewer->findChild<QLineEdit*>("Edit_MAQUINA")->text();
            colour = viewer->findChild<QLineEdit*>("Label_Cor01")->text();
        },
        &seen);
    clickPreview(run);
    QCOMPARE(seen, QStringLiteral("TCORTF999CLICHE"));
    QCOMPARE(path, clicheImagePath(m_params, "12"));
    QCOMPARE(step, 10);
    QCOMPARE(number, QStringLiteral("12"));
    QCOMPARE(machine, QStringLiteral("1"));
    QCOMPARE(colour, QStringLiteral("Preto K"));
    // The image gone since it was shown: the click opens nothing.
    QVERIFY(QFile::remove(clicheImagePath(m_params, "12")));
    seen.clear();
    test::onNextModal([](QWidget*) {}, &seen, 8);
    clickPreview(run);
    QTest::qWait(300);
    QCOMPARE(seen, QString());
}

void TestStationChecks::insertOpensLocalizar() {
    StationRun run;
    QVERIFY(run.start());
    QLineEdit* box = run.box("Edit_Cliche");
    QTRY_COMPARE(QApplication::focusWidget(), box);
    // Registered after the start: "Localizar" reads the set when it opens.
    QVERIFY(test::insertCliche(*m_inst, "ZZ-NOVO"));
    QString seen;
    QStringList titles;
    QString title;
    test::onNextModal(
        [&](QWidget* w) {
            title = w->windowTitle();
            auto* grid = w->findChild<QTableView*>("GridLocalizar");
            for (int c = 0; c < grid->model()->columnCount(); ++c)
                titles << grid->model()->headerData(c, Qt::Horizontal).toString();
            QLineEdit* search = w->findChild<QLineEdit*>("Edit_Localizar");
            QTest::keyClicks(search, "zz");
            QTest::keyClick(search, Qt::Key_Return);
        },
        &seen);
    QTest::keyClick(box, Qt::Key_Insert);
    QCOMPARE(seen, QStringLiteral("Localizar"));
    QCOMPARE(title, QStringLiteral("Localizar"));
    QCOMPARE(titles, (QStringList{"Cliché Nº", "Produto", "Cliente"}));
    QCOMPARE(box->text(), QStringLiteral("ZZ-NOVO"));
    QVERIFY(run.reactivate());
    QCOMPARE(QApplication::focusWidget(), box); // the box keeps the number taken
    QTest::keyClick(box, Qt::Key_Tab);
    QCOMPARE(run.window.clicheSet()->fieldValue("CLICHENRO").toString(), QStringLiteral("ZZ-NOVO"));
    // Cancelled: the box stays as it was.
    box->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(box, "12");
    test::onNextModal(
        [](QWidget* w) {
            QTest::keyClick(w->findChild<QLineEdit*>("Edit_Localizar"), Qt::Key_Escape);
        },
        &seen);
    QTest::keyClick(box, Qt::Key_Insert);
    QVERIFY(run.reactivate());
    QCOMPARE(box->text(), QStringLiteral("12"));
    QCOMPARE(QApplication::focusWidget(), box);
}

void TestStationChecks::drawingChecks() {
    const QString longNumber = QStringLiteral("24-00001-ABCDEFGHIJK"); // 20 characters
    QVERIFY(test::insertDrawing(*m_inst, longNumber));
    QVERIFY(test::insertDrawing(*m_inst, "24-00002", "N"));
    QVERIFY(!test::writeImage(drawingImagePath(m_params, longNumber)).isEmpty());
    test::writeDocument(m_params.drawingFolder, longNumber + "_ficha.pdf");
    StationRun run;
    QVERIFY(run.start());
    run.window.findChild<QTabWidget*>("NB")->setCurrentIndex(1);
    QCOMPARE(QApplication::focusWidget(), run.box("Edit_Desenho"));
    QVERIFY(run.check("Edit_Desenho", longNumber));
    QCOMPARE(QApplication::focusWidget(), run.box("Edit_Next1"));
    QVERIFY2(run.messages.shown.isEmpty(), qPrintable(run.messages.shown.join('|')));
    Dataset* set = run.window.drawingSet();
    QCOMPARE(set->fieldValue("DESENHONRO").toString(), longNumber);
    QCOMPARE(set->fieldValue("CARTAO_DES").toString(), QStringLiteral("Simples B"));
    QCOMPARE(run.text("Edit_Largura"), QStringLiteral("300"));
    QCOMPARE(run.text("Edit_Comprim"), QStringLiteral("400"));
    QCOMPARE(run.text("Edit_Altura"), QStringLiteral("250"));
    QCOMPARE(run.text("Edit_LargPlaca"), QStringLiteral("1250"));
    QCOMPARE(run.text("Edit_CompPlaca"), QStringLiteral("1100"));
    QCOMPARE(run.window.viewerPath(), drawingImagePath(m_params, longNumber));
    QCOMPARE(listed(run), (QStringList{longNumber + ".JPG", longNumber + "_ficha.pdf"}));
    // The whole text is the number: no cut to 12 characters.
    QVERIFY(!run.check("Edit_Desenho", longNumber.left(12)));
    QCOMPARE(run.messages.shown, QStringList{QStringLiteral("Desenho Inexistente ...")});
    QCOMPARE(QApplication::focusWidget(), run.box("Edit_Desenho"));
    QVERIFY(!run.check("Edit_Desenho", "24-00002"));
    QCOMPARE(run.messages.shown.size(), 2);
    QVERIFY(nothingShown(run));
    // Insert: the drawings' "Localizar"; the whole number taken.
    QLineEdit* box = run.box("Edit_Desenho");
    QCOMPARE(QApplication::focusWidget(), box);
    QCOMPARE(run.window.statusText(), QStringLiteral("Tecla <Insert> para localizar Desenho ..."));
    QString seen;
    QStringList titles;
    test::onNextModal(
        [&titles](QWidget* w) {
            auto* grid = w->findChild<QTableView*>("GridLocalizar");
            for (int c = 0; c < grid->model()->columnCount(); ++c)
                titles << grid->model()->headerData(c, Qt::Horizontal).toString();
            QLineEdit* search = w->findChild<QLineEdit*>("Edit_Localizar");
            QTest::keyClicks(search, "24-00001");
            QTest::keyClick(search, Qt::Key_Return);
        },
        &seen);
    QTest::keyClick(box, Qt::Key_Insert);
    QCOMPARE(seen, QStringLiteral("Localizar"));
    QCOMPARE(titles, (QStringList{"Desenho Nº", "Cliente", "Largura", "Comprim", "Altura",
                                  "Larg. Placa", "Comp. Placa"}));
    QCOMPARE(box->text(), longNumber);
    QVERIFY(run.reactivate());
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), run.box("Edit_Next1"));
    QCOMPARE(set->fieldValue("DESENHONRO").toString(), longNumber);
    QCOMPARE(run.messages.shown.size(), 2);
}

void TestStationChecks::toolLifeBesideTheNumber() {
    // The station's date is the computer's: 950 of 1000 rotations today, 50 left at 950 a day.
    const QDate today = QDate::currentDate();
    QVERIFY(m_inst->exec("main", "UPDATE CLICHES SET ROTACOES_PREV = 1000 WHERE CLICHENRO = '12'"));
    const SqlDialect d = SqlDialect::forDatabase(m_inst->open("main"));
    QVERIFY(m_inst->exec("main",
                         "INSERT INTO MOVIMENTOS (DESENHONRO, CLICHENRO, NROUTIL, ROTACOES, "
                         "ENCOMENDA, DATA, TIPOREG) VALUES ('', '12', 1, 950, '', ?, 'CL')",
                         {d.bindDateTime(QDateTime(today, QTime(0, 0)))}));
    StationRun run;
    QVERIFY(run.start());
    QVERIFY(run.check("Edit_Cliche", "12"));
    QCOMPARE(run.window.clicheLife(),
             QStringLiteral("Desgaste: 95%    Última utilização: %1    Previsão de fim: %2")
                 .arg(today.toString("dd/MM/yyyy"), today.addDays(1).toString("dd/MM/yyyy")));
    auto* line = run.window.findChild<QLabel*>(QStringLiteral("Label_VidaCliche"));
    QVERIFY(line && !line->styleSheet().isEmpty()); // in warning
    // 120 has no known life and no movement (those of 12 are not its own): plain again.
    QVERIFY(run.check("Edit_Cliche", "120"));
    QCOMPARE(run.window.clicheLife(),
             QStringLiteral("Vida prevista desconhecida    Última utilização: nunca"));
    QCOMPARE(line->styleSheet(), QString());
    // A worn tool says so where a wear-out date would stand.
    QVERIFY(m_inst->exec("main", "UPDATE CLICHES SET ROTACOES_PREV = 900 WHERE CLICHENRO = '12'"));
    QVERIFY(run.check("Edit_Cliche", "12"));
    QCOMPARE(run.window.clicheLife(),
             QStringLiteral("Desgaste: 105%    Última utilização: %1    Previsão de fim: vida "
                            "prevista esgotada")
                 .arg(today.toString("dd/MM/yyyy")));
    // A warning limit above 100 %: a worn tool is still marked as one in warning.
    m_inst->writeFile("falquinas.ini", "[VidaUtil]\nAviso=120\n");
    QVERIFY(run.check("Edit_Cliche", "120"));
    QVERIFY(run.check("Edit_Cliche", "12"));
    QVERIFY(!line->styleSheet().isEmpty());
}

void TestStationChecks::scannedLabelsAndThePlace() {
    // A scanned label in either number box: "CL:" checks a cliché, "DS:" a drawing, each on its
    // own page; the place of the tool beside it. Nothing is written.
    QVERIFY(test::insertDrawing(*m_inst, "24-00001"));
    const QDateTime since(QDate(2026, 12, 3), QTime(10, 0));
    const SqlDialect d = SqlDialect::forDatabase(m_inst->open("main"));
    QVERIFY(m_inst->exec("main",
                         "INSERT INTO LOCALIZACAO (TIPOREG, NRO, ESTADO, LOCAL, MAQUINA, DATA) "
                         "VALUES ('CL', '12', 'A', 'A-01-03', NULL, ?), "
                         "('DS', '24-00001', 'M', NULL, 2, ?)",
                         {d.bindDateTime(since), d.bindDateTime(since)}));
    StationRun run;
    QVERIFY(run.start());
    auto* pages = run.window.findChild<QTabWidget*>("NB");
    QVERIFY(run.check("Edit_Cliche", "CL:12"));
    QCOMPARE(run.window.clicheSet()->fieldValue("CLICHENRO").toString(), QStringLiteral("12"));
    QCOMPARE(run.text("Label_LocalizacaoCliche"),
             QStringLiteral("Localização : A-01-03, no armazém desde 03/12/2026"));
    run.check("Edit_Cliche", "ds:24-00001");
    QTRY_COMPARE(QApplication::focusWidget(), run.box("Edit_Next1"));
    QCOMPARE(pages->currentIndex(), 1);
    QCOMPARE(run.window.drawingSet()->fieldValue("DESENHONRO").toString(),
             QStringLiteral("24-00001"));
    QCOMPARE(run.text("Label_LocalizacaoDesenho"),
             QStringLiteral("Localização : na máquina 2 - Flexo 4 Cores desde 03/12/2026"));
    run.check("Edit_Desenho", "CL:120");
    QTRY_COMPARE(QApplication::focusWidget(), run.box("Edit_Next"));
    QCOMPARE(pages->currentIndex(), 0);
    QCOMPARE(run.text("Label_LocalizacaoCliche"), QStringLiteral("Localização : Sem localização"));
    // A label of a tool the register does not have: refused like a typed number.
    QVERIFY(!run.check("Edit_Cliche", "CL:999"));
    QCOMPARE(run.messages.shown, QStringList{"Cliché Inexistente ..."});
    QCOMPARE(m_inst->scalar("main", "SELECT COUNT(*) FROM LOCALIZACAO_HIST").toInt(), 0);
}

QTEST_MAIN(TestStationChecks)
#include "tst_station_checks.moc"
