// The cliché editor's files: the picture ("Localizar", preview click, "Eli. Foto",
// "Scanner"), the documents page (the cliché's own files, attach, delete, show), the files left
// by a delete, numbers that cannot name a file, the code-table buttons and the export.
#include "documents.h"
#include "documentspage.h"
#include "editorrun.h"
#include "filecheck.h"
#include "gridexport.h"
#include "imagecontrol.h"
#include "scanner.h"

#include <QFile>
#include <QListWidget>
#include <QPainter>
#include <QTemporaryDir>

using namespace falq;
using test::settle;

namespace {

QString writeJpeg(const QString& path, QColor colour = Qt::red) {
    QImage image(320, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.fillRect(20, 20, 200, 120, colour);
    p.end();
    image.save(path, "JPG");
    return path;
}

QByteArray bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void touch(const QString& path, const QByteArray& content = "x") {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QStringList listed(const DocumentsPage* page) {
    QStringList names;
    for (int i = 0; i < page->list()->count(); ++i)
        names << page->list()->item(i)->text();
    return names;
}

// SANE's test device alone, in a configuration of the test's own; false when SANE has no
// test backend.
bool useSaneTestDevice(QTemporaryDir& config) {
    QFile dll(config.filePath("dll.conf"));
    if (!dll.open(QIODevice::WriteOnly))
        return false;
    dll.write("test\n");
    dll.close();
    qputenv("SANE_CONFIG_DIR", config.path().toLocal8Bit());
    std::unique_ptr<Scanner> probe = createSaneScanner();
    QString error;
    return !probe->sources(&error).isEmpty();
}

} // namespace

class TestClicheFiles : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        FALQ_REQUIRE_ENGINE();
        m_saneTest = useSaneTestDevice(m_saneConfig);
    }
    void jpegCopiedByteForByteUnderBmpName();
    void localizarRefusals();
    void previewClickAndDeleteImage();
    void scannerRefusesAnExistingImage();
    void scannerWritesTheImage();
    void documentsOfTheClicheOnly();
    void attachDeleteAndShowDocuments();
    void deleteLeavesImageAndDocuments();
    void numberThatCannotNameAFile();
    void codeTableButtonReadsTheCodesAgain();
    void exportWritesTheHiddenGrid();

private:
    QTemporaryDir m_saneConfig;
    bool m_saneTest = false;
};

void TestClicheFiles::jpegCopiedByteForByteUnderBmpName() {
    test::EditorOn t;
    auto& [inst, e] = t;
    QVERIFY(inst.exec("main", "UPDATE PARGER SET TIPOIMAGEM = '.BMP'"));
    QVERIFY(t.open());
    QTemporaryDir source;
    const QString jpeg = writeJpeg(source.filePath("foto.jpg"));
    QStringList asked;
    e.window->setFileChooser([&](QWidget*, const QString& caption, const QString& filter) {
        asked << caption << filter;
        return jpeg;
    });
    e.button("BotLocalizar")->click();
    QCOMPARE(asked, QStringList({"Localizar Fotografia", "All Files (*.Jpg)"}));
    const QString target = QDir(test::clicheFolder(inst)).filePath("A-100.BMP");
    QVERIFY(QFile::exists(target));
    QCOMPARE(bytes(target), bytes(jpeg));
    QVERIFY(e.messages.shown.isEmpty());
    // Shown in the preview and on the "Fotografia" page.
    QCOMPARE(e.w<QTabWidget>("NB")->currentWidget()->objectName(), QStringLiteral("TabFotografia"));
    auto* m1 = e.w<ImageControl>("M1");
    QTRY_VERIFY(!m1->isLoading() && !m1->isEmpty());
    QCOMPARE(m1->path(), target);
    QTRY_VERIFY(!e.w<ImageControl>("ML1")->isEmpty());
    // A second time: the picture exists, nothing is copied over it.
    e.button("BotLocalizar")->click();
    QCOMPARE(e.messages.shown, QStringList{"Esta Fotografia já existe, Elimine primeiro ..."});
    QCOMPARE(asked.size(), 2);
}

void TestClicheFiles::localizarRefusals() {
    test::EditorOn t;
    auto& [inst, e] = t;
    QVERIFY(t.open());
    int asked = 0;
    e.window->setFileChooser([&](QWidget*, const QString&, const QString&) {
        ++asked;
        return QString();
    });
    // A new cliché without its number yet: a beep and the status panel, no box.
    e.insert();
    e.button("BotLocalizar")->click();
    QCOMPARE(e.messages.lonelyBeeps, 1);
    QVERIFY(e.messages.shown.isEmpty());
    QCOMPARE(e.window->statusText(), QStringLiteral("O Cliché ainda não está Referenciado !!!"));
    // "Scanner" says it in a box.
    e.button("BotScan")->click();
    QCOMPARE(e.messages.shown, QStringList{"O Cliché ainda não foi referenciado ..."});
    QCOMPARE(asked, 0);
    e.button("BotCancelar")->click();
    settle();
    // No image folder in the general parameters.
    QVERIFY(inst.exec("main", "UPDATE PARGER SET PATHCLICHE = ''"));
    QVERIFY(e.window->close());
    QVERIFY(e.reopen());
    e.messages.shown.clear();
    e.button("BotLocalizar")->click();
    QCOMPARE(e.messages.shown,
             QStringList{"Ainda não parametrizou a localização para Arquivo ..."});
    QCOMPARE(e.messages.beeps.value(0), true);
    // Attaching a document needs the same.
    e.window->documentsPage()->attach();
    QCOMPARE(e.messages.shown.size(), 2);
    QCOMPARE(asked, 0);
}

void TestClicheFiles::previewClickAndDeleteImage() {
    test::EditorOn t({"A-100", "B-200"});
    auto& [inst, e] = t;
    const QString folder = test::clicheFolder(inst);
    writeJpeg(QDir(folder).filePath("A-100.JPG"));
    QVERIFY(t.open());
    auto* preview = e.w<ImageControl>("ML1");
    auto* m1 = e.w<ImageControl>("M1");
    QTRY_VERIFY(!preview->isLoading() && !preview->isEmpty());
    QVERIFY(m1->isEmpty()); // the big image only when "Fotografia" shows
    QTest::mouseClick(preview->viewport(), Qt::LeftButton, {},
                      preview->viewport()->rect().center());
    QCOMPARE(e.w<QTabWidget>("NB")->currentWidget()->objectName(), QStringLiteral("TabFotografia"));
    QTRY_VERIFY(!m1->isLoading() && !m1->isEmpty());
    // With "Fotografia" showing, moving to a record without image empties both.
    QTest::keyClick(e.grid(), Qt::Key_Down);
    QTRY_VERIFY(m1->isEmpty() && preview->isEmpty());
    QTest::keyClick(e.grid(), Qt::Key_Up);
    QTRY_VERIFY(!m1->isLoading() && !m1->isEmpty());
    // "Eli. Foto": asked, then deleted.
    e.messages.answers = {false};
    e.button("BotDeleteImage")->click();
    QCOMPARE(e.messages.asked, QStringList{"Eliminação Fotografia !!! Confirma ?"});
    QVERIFY(QFile::exists(QDir(folder).filePath("A-100.JPG")));
    e.messages.answers = {true};
    e.button("BotDeleteImage")->click();
    QVERIFY(!QFile::exists(QDir(folder).filePath("A-100.JPG")));
    QVERIFY(m1->isEmpty());
    QVERIFY(e.messages.shown.isEmpty());
    // Nothing loaded: the file is not found.
    e.messages.answers = {true};
    e.button("BotDeleteImage")->click();
    QCOMPARE(e.messages.shown, QStringList{"Ficheiro : , Não foi encontrado"});
}

void TestClicheFiles::scannerRefusesAnExistingImage() {
    test::EditorOn t;
    auto& [inst, e] = t;
    const QString image = QDir(test::clicheFolder(inst)).filePath("A-100.JPG");
    writeJpeg(image, Qt::green);
    const QByteArray before = bytes(image);
    QVERIFY(t.open());
    e.button("BotScan")->click();
    QCOMPARE(e.messages.shown, QStringList{"Esta Fotografia já existe, Elimine primeiro ..."});
    QCOMPARE(bytes(image), before);
}

void TestClicheFiles::scannerWritesTheImage() {
    if (!m_saneTest)
        QSKIP("SANE's test backend is not available");
    test::EditorOn t;
    auto& [inst, e] = t;
    QVERIFY(t.open());
    e.button("BotScan")->click();
    QVERIFY2(e.messages.shown.isEmpty(), qPrintable(e.messages.shown.join('|')));
    const QString image = QDir(test::clicheFolder(inst)).filePath("A-100.JPG");
    QVERIFY(QFile::exists(image));
    QCOMPARE(bytes(image).left(2), QByteArray("\xFF\xD8")); // a JPEG file
    QTRY_VERIFY(!e.w<ImageControl>("ML1")->isEmpty());
    QCOMPARE(listed(e.window->documentsPage()), QStringList{"A-100.JPG"});
}

void TestClicheFiles::documentsOfTheClicheOnly() {
    test::EditorOn t({"12", "120", "12A"});
    auto& [inst, e] = t;
    const QDir folder(test::clicheFolder(inst));
    for (const char* name :
         {"12.JPG", "12.pdf", "12_ficha.pdf", "120.JPG", "120.pdf", "12A.doc", "120_x.pdf"})
        touch(folder.filePath(name));
    QVERIFY(t.open());
    QCOMPARE(e.w("Edit_ClicheNro")->text(), QStringLiteral("12"));
    QCOMPARE(listed(e.window->documentsPage()), QStringList({"12.JPG", "12.pdf", "12_ficha.pdf"}));
    QTest::keyClick(e.grid(), Qt::Key_Down);
    QCOMPARE(listed(e.window->documentsPage()), QStringList({"120.JPG", "120.pdf", "120_x.pdf"}));
}

void TestClicheFiles::attachDeleteAndShowDocuments() {
    test::EditorOn t({"12", "120"});
    auto& [inst, e] = t;
    const QDir folder(test::clicheFolder(inst));
    touch(folder.filePath("120.pdf"), "other");
    QVERIFY(t.open());
    QTemporaryDir source;
    touch(source.filePath("Orcamento.PDF"), "%PDF-1.4 not really");
    touch(source.filePath("nota.txt"), "Cortante com 4 golpes.\n");
    QString chosen;
    QStringList filters;
    e.window->setFileChooser([&](QWidget*, const QString&, const QString& filter) {
        filters << filter;
        return chosen;
    });
    DocumentsPage* page = e.window->documentsPage();
    chosen = source.filePath("Orcamento.PDF");
    QTest::mouseClick(e.button("BotAnexo"), Qt::LeftButton);
    QCOMPARE(filters.value(0), QStringLiteral("All Files (*.Pdf *.Msg *.Avi *.Mpg *.Wmv *.Jpg "
                                              "*.Doc *.Xls *.Pps *.Cdr)"));
    QCOMPARE(bytes(folder.filePath("12.PDF")), QByteArray("%PDF-1.4 not really"));
    QCOMPARE(listed(page), QStringList{"12.PDF"});
    QCOMPARE(bytes(folder.filePath("120.pdf")), QByteArray("other"));
    // A second document of the same type, whatever its case, is refused and says so.
    touch(source.filePath("outro.pdf"), "second");
    chosen = source.filePath("outro.pdf");
    QTest::mouseClick(e.button("BotAnexo"), Qt::LeftButton);
    QCOMPARE(e.messages.shown.size(), 1);
    QVERIFY2(e.messages.shown.value(0).contains("já existe"),
             qPrintable(e.messages.shown.join('|')));
    QCOMPARE(bytes(folder.filePath("12.PDF")), QByteArray("%PDF-1.4 not really"));
    QVERIFY(!QFile::exists(folder.filePath("12.pdf")) ||
            bytes(folder.filePath("12.pdf")) == bytes(folder.filePath("12.PDF")));
    // Another type: attached, and shown with a double click.
    chosen = source.filePath("nota.txt");
    QTest::mouseClick(e.button("BotAnexo"), Qt::LeftButton);
    QCOMPARE(listed(page), QStringList({"12.PDF", "12.txt"}));
    page->list()->setCurrentRow(1);
    const QRect item = page->list()->visualItemRect(page->list()->item(1));
    QTest::mouseClick(page->list()->viewport(), Qt::LeftButton, {}, item.center());
    QTest::mouseDClick(page->list()->viewport(), Qt::LeftButton, {}, item.center());
    QCOMPARE(page->view()->kind(), DocumentView::Kind::Text);
    // Moving to another record closes it.
    QTest::keyClick(e.grid(), Qt::Key_Down);
    QCOMPARE(page->view()->kind(), DocumentView::Kind::Empty);
    QCOMPARE(listed(page), QStringList{"120.pdf"});
    QTest::keyClick(e.grid(), Qt::Key_Up);
    // Deleting: asked; a file gone meanwhile is said not found.
    page->list()->setCurrentRow(1);
    e.messages.answers = {true};
    QTest::mouseClick(e.button("BotDelAnexo"), Qt::LeftButton);
    QCOMPARE(e.messages.asked, QStringList{"ELIMINAÇÃO !!! Confirma ?"});
    QVERIFY(!QFile::exists(folder.filePath("12.txt")));
    QCOMPARE(listed(page), QStringList{"12.PDF"});
    page->list()->setCurrentRow(0);
    QFile::remove(folder.filePath("12.PDF"));
    e.messages.answers = {true};
    QTest::mouseClick(e.button("BotDelAnexo"), Qt::LeftButton);
    QCOMPARE(e.messages.shown.last(),
             QStringLiteral("Ficheiro : ") + folder.filePath("12.PDF") + " ,não foi encontrado");
    QCOMPARE(bytes(folder.filePath("120.pdf")), QByteArray("other"));
}

void TestClicheFiles::deleteLeavesImageAndDocuments() {
    test::EditorOn t({"A-100", "B-200"});
    auto& [inst, e] = t;
    const QDir folder(test::clicheFolder(inst));
    writeJpeg(folder.filePath("A-100.JPG"));
    touch(folder.filePath("A-100.pdf"));
    QVERIFY(t.open());
    e.messages.answers = {true};
    e.button("BotDelete")->click();
    settle();
    QCOMPARE(inst.scalar("main", "SELECT COUNT(*) FROM CLICHES").toInt(), 1);
    QVERIFY(QFile::exists(folder.filePath("A-100.JPG")));
    QVERIFY(QFile::exists(folder.filePath("A-100.pdf")));
}

void TestClicheFiles::numberThatCannotNameAFile() {
    test::EditorOn t(QStringList{});
    auto& [inst, e] = t;
    QVERIFY(t.open());
    // Such a number can be saved ...
    e.insert("../CON");
    e.clickGrid();
    QVERIFY2(e.messages.shown.isEmpty(), qPrintable(e.messages.shown.join('|')));
    QCOMPARE(inst.scalar("main", "SELECT COUNT(*) FROM CLICHES WHERE CLICHENRO = '../CON'").toInt(),
             1);
    // ... and every file action refuses it.
    const QString refusal =
        QStringLiteral("O número \"../CON\" não pode dar nome a um ficheiro do arquivo ...");
    int asked = 0;
    e.window->setFileChooser([&](QWidget*, const QString&, const QString&) {
        ++asked;
        return QString();
    });
    e.button("BotLocalizar")->click();
    e.button("BotScan")->click();
    e.window->documentsPage()->attach();
    e.button("BotDeleteImage")->click();
    QCOMPARE(e.messages.shown, QStringList({refusal, refusal, refusal, refusal}));
    QCOMPARE(asked, 0);
    QVERIFY(e.messages.asked.isEmpty());
    QCOMPARE(e.window->documentsPage()->list()->count(), 0);
}

void TestClicheFiles::codeTableButtonReadsTheCodesAgain() {
    test::EditorOn t;
    auto& [inst, e] = t;
    QVERIFY(t.open());
    bool seen = false;
    QString caption;
    test::onModal(
        [&](QWidget* modal) {
            caption = modal->windowTitle();
            // A model added meanwhile (as the table window would).
            inst.exec("main", "INSERT INTO MODELOS (CODIGO, DESIGNACAO) VALUES (40, 'Cunha')");
            modal->close();
        },
        &seen);
    e.button("BotModelos")->click();
    QVERIFY(seen);
    QCOMPARE(caption, QStringLiteral("Tabela de Modelos"));
    QVERIFY(e.run.session.dataset("MODELOS")->isOpen());
    // The new code can be chosen at once.
    QVERIFY(e.activate());
    e.leaveGrid();
    e.click("Edit_Modelo");
    seen = false;
    test::onModal(
        [&](QWidget* modal) {
            auto* dialog = qobject_cast<LocateDialog*>(modal);
            QTest::keyClicks(dialog->searchBox(), "Cun");
            QTest::keyClick(dialog->searchBox(), Qt::Key_Return);
        },
        &seen);
    QTest::keyClick(e.w("Edit_Modelo"), Qt::Key_Insert, Qt::ControlModifier);
    QVERIFY(seen);
    QCOMPARE(e.w("Edit_Modelo")->text(), QStringLiteral("40"));
    QCOMPARE(e.w<QLabel>("Label_Modelo")->text(), QStringLiteral("Cunha"));
}

void TestClicheFiles::exportWritesTheHiddenGrid() {
    test::EditorOn t({"A-100", "B-200"});
    auto& [inst, e] = t;
    QVERIFY(t.open());
    QTemporaryDir dir;
    e.window->exporter().setFolder(dir.path());
    QString opened;
    e.window->exporter().setOpener([&](const QString& path) {
        opened = path;
        return true;
    });
    QCOMPARE(e.button("BotExcel")->toolTip(), QStringLiteral("Exportar para Excel"));
    e.button("BotExcel")->click();
    QVERIFY(!opened.isEmpty());
    const test::Sheet sheet = test::readSheet(opened);
    QVERIFY2(sheet.error.isEmpty(), qPrintable(sheet.error));
    QCOMPARE(sheet.at(3, 1).text, QStringLiteral("Tabela de Clichés"));
    QStringList titles;
    for (int c = 1; c <= 25; ++c)
        titles << sheet.at(4, c).text;
    QCOMPARE(titles.mid(0, 8),
             QStringList({"Cliché (F1)", "Cortante  (F2)", "Cliente  (F3)", "Prod.Nº  (F4)",
                          "Referência  (F5)", "Fornecedor  (F6)", "UTILIZA", "CLINRO"}));
    QCOMPARE(titles.last(), QStringLiteral("COMERCIALNRO"));
    QCOMPARE(sheet.at(5, 1).text, QStringLiteral("A-100"));
    QCOMPARE(sheet.at(6, 5).text, QStringLiteral("Ref B-200"));
}

QTEST_MAIN(TestClicheFiles)
#include "tst_cliche_files.moc"
