// Image and document files, the image control, the viewer windows, the document list and
// view, and the scanner (SANE's test device).
#include "documents.h"
#include "imagecontrol.h"
#include "imagefiles.h"
#include "installer.h"
#include "scannerbar.h"
#include "testsupport.h"
#include "viewerwindow.h"

#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRubberBand>
#include <QScrollBar>
#include <QSet>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTimer>
#include <QVBoxLayout>

using namespace falq;

namespace {

QImage pattern(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.fillRect(0, 0, w / 2, h / 2, Qt::red);
    p.fillRect(w / 2, h / 2, w - w / 2, h - h / 2, Qt::blue);
    return img;
}

QString writeImage(const QString& path, int w = 400, int h = 300, const char* format = "JPG") {
    pattern(w, h).save(path, format);
    return path;
}

void writePdf(const QString& path) {
    QPdfWriter pdf(path);
    QPainter p(&pdf);
    p.drawText(100, 100, QStringLiteral("Ficha técnica"));
}

// The record shown by the viewers.
FieldSource record(const QMap<QString, QVariant>& values) {
    return [values](const QString& field) { return values.value(field); };
}

} // namespace

class TestViewers : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }
    void pathRule_data();
    void pathRule();
    void typeChangeLooksForTheOtherFile();
    void recordFilesAreTheirOwn();
    void copyNeverOverwritesNorLeavesTheFolder();
    void copyCutShortIsAFailure_data();
    void copyCutShortIsAFailure();
    void savedImageCutShortIsAFailure();
    void hostileNumbersStayInTheFolder();
    void zoomStepsStretchAndActualSize();
    void rubberBandZoomsToTheDraggedPart();
    void largeImageLoadsWithoutBlocking();
    void saveJpegAndBmp();
    void printsToPdf();
    void clicheViewerColours();
    void drawingViewerWords();
    void datesOfAQueryRecord();
    void doubleClickCloses();
    void documentsShownInside();
    void scannerTestDevice();
    void viewersOnGeneratedRecords();
};

void TestViewers::pathRule_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("path");
    const QString s = QDir::separator();
    QTest::newRow("BMP") << "/imagens"
                         << "A123"
                         << ".BMP"
                         << "/imagens" + s + "A123.BMP";
    QTest::newRow("JPG") << "/imagens"
                         << "A123"
                         << ".JPG"
                         << "/imagens" + s + "A123.JPG";
    QTest::newRow("trailing blanks kept") << "/imagens"
                                          << "12  "
                                          << ".JPG"
                                          << "/imagens" + s + "12  .JPG";
    QTest::newRow("doubled separator") << "/imagens" + s << "123"
                                       << ".JPG"
                                       << "/imagens" + s + s + "123.JPG";
    QTest::newRow("empty folder") << ""
                                  << "123"
                                  << ".JPG" << s + "123.JPG";
}

void TestViewers::pathRule() {
    QFETCH(QString, folder);
    QFETCH(QString, number);
    QFETCH(QString, type);
    QFETCH(QString, path);
    QCOMPARE(imagePath(folder, number, type), path);
    const ImageParameters p{folder, folder + "d", type};
    QCOMPARE(clicheImagePath(p, number), path);
    QCOMPARE(drawingImagePath(p, number), imagePath(folder + "d", number, type));
}

void TestViewers::typeChangeLooksForTheOtherFile() {
    QTemporaryDir dir;
    const QString folder = dir.path() + QDir::separator(); // as the folder button stores it
    writeImage(dir.filePath("A123.BMP"), 40, 30, "BMP");
    ImageParameters p{folder, folder, ".BMP"};
    QVERIFY(QFileInfo::exists(clicheImagePath(p, "A123"))); // the doubled separator is harmless
    p.imageType = ".JPG";
    QVERIFY(!QFileInfo::exists(clicheImagePath(p, "A123")));
    QVERIFY(clicheImagePath(p, "A123").endsWith("A123.JPG"));
}

void TestViewers::recordFilesAreTheirOwn() {
    QTemporaryDir dir;
    for (const char* name : {"123.JPG", "123.jpg", "123", "123_ficha.pdf", "123_", "123b.txt",
                             "1234.JPG", "1230_x.pdf", "123.5.JPG", "12.JPG", "*1.JPG", "120.JPG",
                             "12A.JPG", "12_Ficha.PDF", "a12.JPG"})
        QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
    // The number as the stem, or the number, "_" and a suffix; never a longer number.
    QCOMPARE(listRecordFiles(dir.path(), "123"),
             (QStringList{"123", "123.JPG", "123.jpg", "123_ficha.pdf"}));
    QCOMPARE(listRecordFiles(dir.path(), "12"), (QStringList{"12.JPG", "12_Ficha.PDF"}));
    QCOMPARE(listRecordFiles(dir.path(), "12a"), QStringList{"12A.JPG"}); // case does not matter
    QCOMPARE(listRecordFiles(dir.path(), "123.5"), QStringList{"123.5.JPG"});
    QCOMPARE(listRecordFiles(dir.path(), "*"), QStringList()); // no wildcards
    QCOMPARE(listRecordFiles(dir.path(), "*1"), QStringList{"*1.JPG"});
    QVERIFY(listRecordFiles(dir.path(), "").isEmpty());
    QVERIFY(listRecordFiles("", "123").isEmpty());
}

void TestViewers::copyNeverOverwritesNorLeavesTheFolder() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("imagens"));
    const QString folder = dir.filePath("imagens");
    const QString source = writeImage(dir.filePath("scan.jpg"));
    QString error;
    const QString copied = copyIntoFolder(source, folder, "123", ".JPG", &error);
    QVERIFY2(!copied.isEmpty(), qPrintable(error));
    QCOMPARE(QFileInfo(copied).canonicalFilePath(),
             QFileInfo(folder + "/123.JPG").canonicalFilePath());
    QFile f(source);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray original = f.readAll();
    // A second copy to the same name leaves the first file as it was.
    const QString other = writeImage(dir.filePath("other.jpg"), 10, 10);
    QVERIFY(copyIntoFolder(other, folder, "123", ".JPG", &error).isEmpty());
    QVERIFY(error.contains("já existe"));
    QFile kept(copied);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), original);
    // Numbers that would leave the folder.
    for (const QString& bad : {QStringLiteral("../123"), QStringLiteral(".."),
                               QStringLiteral("a/b"), QStringLiteral("a\\b"), QStringLiteral("")}) {
        error.clear();
        QVERIFY2(copyIntoFolder(source, folder, bad, ".JPG", &error).isEmpty(), qPrintable(bad));
        QVERIFY(!error.isEmpty());
    }
    QVERIFY(!QFileInfo::exists(dir.filePath("123.JPG")));
    QVERIFY(copyIntoFolder(source, "", "124", ".JPG", &error).isEmpty()); // no folder parameter
    QVERIFY(numberIsSafeFileName("12  "));
}

void TestViewers::copyCutShortIsAFailure_data() {
    QTest::addColumn<int>("size");
    QTest::newRow("held back until the file is closed") << 12000; // below Qt's write buffer
    QTest::newRow("refused while copying") << 300000;
}

void TestViewers::copyCutShortIsAFailure() {
    QFETCH(int, size);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("imagens"));
    const QString folder = dir.filePath("imagens");
    QByteArray content(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        content[i] = char(i * 7 % 251);
    const QString source = dir.filePath("grande.pdf");
    {
        QFile f(source);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(content), qint64(size));
    }
    QString error;
    QString copied;
    {
        test::FileSizeLimit limit(4096); // a disk that fills up after 4 KiB
        QVERIFY(limit.active());
        copied = copyIntoFolder(source, folder, "123", "_ficha.pdf", &error);
    }
    QVERIFY2(copied.isEmpty(), qPrintable(copied));
    QVERIFY2(error.contains("123_ficha.pdf") &&
                 error.contains(QStringLiteral("Ficheiro maior do que o sistema permite")),
             qPrintable(error));
    // Nothing is left behind: no partial document, no temporary file.
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList());
    // With room on the disk the same copy is complete.
    copied = copyIntoFolder(source, folder, "123", "_ficha.pdf", &error);
    QVERIFY2(!copied.isEmpty(), qPrintable(error));
    QFile f(copied);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), content);
}

void TestViewers::savedImageCutShortIsAFailure() {
    QTemporaryDir dir;
    // Noise does not compress: the JPEG and the BMP are both well over the limit.
    QImage noise(300, 200, QImage::Format_RGB32);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, qRgb(x * 37 % 256, y * 91 % 256, (x * y) % 256));
    ImageControl control;
    control.setImage(noise);
    QString jpegError;
    QString bmpError;
    bool jpeg = true;
    bool bmp = true;
    {
        test::FileSizeLimit limit(4096);
        QVERIFY(limit.active());
        jpeg = control.saveJpeg(dir.filePath("123.JPG"), 25, &jpegError);
        bmp = control.saveBmp(dir.filePath("123.BMP"), &bmpError);
    }
    QVERIFY(!jpeg);
    QVERIFY(!bmp);
    QVERIFY2(jpegError.contains("123.JPG") &&
                 jpegError.contains(QStringLiteral("Ficheiro maior do que o sistema permite")),
             qPrintable(jpegError));
    QVERIFY2(bmpError.contains("123.BMP"), qPrintable(bmpError));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList());
    // A scan never replaces an image that is already there.
    QVERIFY(control.saveJpeg(dir.filePath("123.JPG"), 25, &jpegError));
    const QByteArray first = [&] {
        QFile f(dir.filePath("123.JPG"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    control.setImage(pattern(40, 30));
    QVERIFY(!control.saveJpeg(dir.filePath("123.JPG"), 25, &jpegError));
    QVERIFY2(jpegError.contains("já existe"), qPrintable(jpegError));
    QFile kept(dir.filePath("123.JPG"));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), first);
}

void TestViewers::hostileNumbersStayInTheFolder() {
    QTemporaryDir dir;
    // The image folder is three levels down; images that other numbers would reach lie
    // above it, beside it and below it.
    QVERIFY(QDir(dir.path()).mkpath("a/b/imagens/sub"));
    const QString folder = dir.filePath("a/b/imagens");
    const QStringList decoys = {dir.filePath("a/x.JPG"), dir.filePath("a/b/x.JPG"),
                                dir.filePath("a/b/imagens/sub/b.JPG"), dir.filePath("x.JPG")};
    for (const QString& decoy : decoys)
        writeImage(decoy, 40, 30);
    writeImage(QDir(folder).filePath("...JPG"), 40, 30);
    const ImageParameters p{folder, folder, ".JPG"};
    const QStringList hostile = {
        "../../x", "../x", "sub/b", "..",  ".",           "",    "/x",  dir.filePath("x"),
        "..\\x",   "C:x",  "a\tb",  "x\n", "sub/../../x", "CON", "nul", "com1"};
    const QStringList odd = {"*",    "?",    "<a>|\"b\"", "~", "$HOME", "%2e%2e%2f", "ção",
                             "12  ", "a..b", "...",       " ", "-x",    "#1"};
    const QString inside = QFileInfo(folder).absoluteFilePath();
    for (const QString& number : hostile + odd) {
        for (const QString& path : {clicheImagePath(p, number), drawingImagePath(p, number),
                                    imagePath(folder, number, ".JPG")}) {
            if (path.isEmpty())
                continue; // refused
            const QFileInfo info(path);
            QVERIFY2(info.absolutePath() == inside && info.fileName() == number + ".JPG",
                     qPrintable(number + " -> " + path));
        }
    }
    // Reading: a viewer handed the path of a hostile number shows no image at all.
    for (const QString& number : hostile) {
        TFotoViewer viewer(clicheImagePath(p, number));
        viewer.show();
        QTRY_VERIFY(!viewer.imageControl()->isLoading());
        QVERIFY2(viewer.imageControl()->isEmpty(), qPrintable(number));
        QVERIFY2(!decoys.contains(viewer.imageControl()->path()), qPrintable(number));
    }
    // The documents of such a number are none, whatever the folder holds.
    DocumentList list;
    for (const QString& number : hostile) {
        list.showRecord(folder, number);
        QVERIFY2(list.count() == 0, qPrintable(number));
    }
    // An ordinary number still finds its image.
    writeImage(QDir(folder).filePath("12  .JPG"), 40, 30);
    TFotoViewer viewer(clicheImagePath(p, "12  "));
    viewer.show();
    QTRY_VERIFY(!viewer.imageControl()->isLoading());
    QVERIFY(!viewer.imageControl()->isEmpty());
}

void TestViewers::zoomStepsStretchAndActualSize() {
    QTemporaryDir dir;
    ImageControl control;
    control.resize(420, 320);
    control.show();
    QVERIFY(QTest::qWaitForWindowExposed(&control));
    QVERIFY(control.loadAndWait(writeImage(dir.filePath("a.jpg"), 800, 600)));
    QCOMPARE(control.path(), dir.filePath("a.jpg"));
    QVERIFY(control.stretch());
    QVERIFY(control.zoom() < 0.55 && control.zoom() > 0.45); // fitted
    control.actualSize();
    QCOMPARE(control.zoom(), 1.0);
    QCOMPARE(control.widget()->size(), QSize(800, 600));
    QVERIFY(control.horizontalScrollBar()->maximum() > 0); // scroll bars for a larger image
    control.zoomIn();
    QCOMPARE(control.zoom(), 1.1);
    control.zoomOut();
    control.zoomOut();
    QCOMPARE(control.zoom(), 0.9);
    control.setZoomStep(25);
    control.zoomIn();
    QCOMPARE(control.zoom(), 1.15);
    control.limpar();
    QVERIFY(control.stretch());
    control.load(QString()); // an empty path empties
    QVERIFY(control.isEmpty());
    QVERIFY(control.path().isEmpty());
    QVERIFY(!control.loadAndWait(dir.filePath("missing.jpg"), 5000));
    QVERIFY(control.isEmpty());
    // Emptied while an image is still being read: the image, arriving late, is not shown.
    control.load(writeImage(dir.filePath("tarde.jpg"), 2400, 1800));
    control.clear();
    QVERIFY(!control.isLoading());
    ImageControl other; // images are read one after the other: this one comes after
    QVERIFY(other.loadAndWait(dir.filePath("a.jpg")));
    QVERIFY(control.isEmpty());
    QVERIFY(control.path().isEmpty());
}

void TestViewers::rubberBandZoomsToTheDraggedPart() {
    ImageControl control;
    control.resize(404, 304);
    control.show();
    QVERIFY(QTest::qWaitForWindowExposed(&control));
    control.setImage(pattern(400, 300));
    control.actualSize();
    QWidget* canvas = control.widget();
    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(100, 75));
    QTest::mouseMove(canvas, QPoint(150, 110));
    QVERIFY(control.rubberBandActive());
    QVERIFY(control.findChild<QRubberBand*>()->isVisible()); // shown while dragging
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(200, 150));
    QVERIFY(!control.rubberBandActive());
    // The 100x75 part now fills the control: four times larger, scrolled to its corner.
    QVERIFY2(control.zoom() > 3.9 && control.zoom() < 4.1,
             qPrintable(QString::number(control.zoom())));
    const QPointF origin = control.visibleImageOrigin();
    QVERIFY2(qAbs(origin.x() - 100) < 2 && qAbs(origin.y() - 75) < 2,
             qPrintable(QString("%1,%2").arg(origin.x()).arg(origin.y())));
    // A band in progress can be cancelled.
    QTest::mousePress(control.widget(), Qt::LeftButton, {}, QPoint(10, 10));
    QVERIFY(control.rubberBandActive());
    control.cancelRubberBand();
    QVERIFY(!control.rubberBandActive());
    QVERIFY(!control.findChild<QRubberBand*>()->isVisible());
    // The context menu has its entries.
    QStringList entries;
    for (QAction* a : control.contextMenu()->actions())
        entries << (a->isSeparator() ? "-" : a->text());
    QCOMPARE(entries,
             (QStringList{"Limpar", "Tamanho Real", "Stretch", "Zoom+", "Zoom-", "-", "Imprimir"}));
}

void TestViewers::largeImageLoadsWithoutBlocking() {
    QTemporaryDir dir;
    const QString path = dir.filePath("big.jpg");
    QImage big(8000, 6000, QImage::Format_RGB32);
    big.fill(QColor(30, 120, 200));
    QVERIFY(big.save(path, "JPG", 90));
    big = QImage();
    ImageControl control;
    control.resize(500, 400);
    control.show();
    QVERIFY(QTest::qWaitForWindowExposed(&control));
    // The window keeps handling events while the image is read.
    int ticks = 0;
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(5);
    control.load(path);
    QVERIFY(control.isLoading());
    QTRY_VERIFY_WITH_TIMEOUT(!control.isLoading(), 30000);
    QVERIFY(ticks > 0);
    QCOMPARE(control.image().size(), QSize(8000, 6000));
    control.zoomIn();
    control.actualSize();
    control.grab(); // paints the visible part only
    QCOMPARE(control.zoom(), 1.0);
}

void TestViewers::saveJpegAndBmp() {
    QTemporaryDir dir;
    ImageControl control;
    control.setImage(pattern(64, 48));
    QVERIFY(control.saveJpeg(dir.filePath("a.jpg")));
    QVERIFY(control.saveBmp(dir.filePath("a.bmp")));
    const QImage bmp(dir.filePath("a.bmp"));
    QCOMPARE(bmp.size(), QSize(64, 48));
    QCOMPARE(bmp.pixelColor(5, 5), QColor(Qt::red)); // lossless
    const QImage jpg(dir.filePath("a.jpg"));
    QCOMPARE(jpg.size(), QSize(64, 48));
    QVERIFY(QFileInfo(dir.filePath("a.jpg")).size() < QFileInfo(dir.filePath("a.bmp")).size());
    ImageControl empty;
    QVERIFY(!empty.saveJpeg(dir.filePath("none.jpg")));
}

void TestViewers::printsToPdf() {
    QTemporaryDir dir;
    ImageControl control;
    control.setImage(pattern(200, 100));
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("print.pdf"));
    control.printTo(&printer);
    QPdfDocument pdf;
    QCOMPARE(pdf.load(dir.filePath("print.pdf")), QPdfDocument::Error::None);
    QCOMPARE(pdf.pageCount(), 1);
}

void TestViewers::clicheViewerColours() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QTemporaryDir dir;
    const QString image = writeImage(dir.filePath("10000.JPG"));
    TClicheViewer viewer(image,
                         record({{"CLICHENRO", "10000"},
                                 {"SIGLACLI", "SUMOS1"},
                                 {"FICHASETUP", 12},
                                 {"COR_01", 1},
                                 {"COR_02", 99}, // not in CORES
                                 {"COR_03", 3},
                                 {"COR_04", 4},
                                 {"COR_05", 5},
                                 {"COR_06", 12}}),
                         inst.open("main"));
    viewer.show();
    QTRY_VERIFY(!viewer.imageControl()->isLoading());
    QCOMPARE(viewer.windowTitle(), QStringLiteral("Visualização de Clichés"));
    QVERIFY(viewer.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(viewer.findChild<QLineEdit*>("Edit_CLICHENRO")->text(), QStringLiteral("10000"));
    QCOMPARE(viewer.findChild<QLineEdit*>("Edit_FICHASETUP")->text(), QStringLiteral("12"));
    QCOMPARE(viewer.findChild<QLineEdit*>("Label_Cor01")->text(), QStringLiteral("Preto K"));
    QCOMPARE(viewer.findChild<QLineEdit*>("Label_Cor02")->text(), QString());
    QCOMPARE(viewer.findChild<QLineEdit*>("Label_Cor03")->text(), QStringLiteral("Magenta M"));
    QCOMPARE(viewer.findChild<QLineEdit*>("Label_Cor06")->text(), QStringLiteral("Branco W"));
    QCOMPARE(viewer.imageControl()->path(), image);
    QVERIFY(viewer.imageControl()->stretch());
}

void TestViewers::drawingViewerWords() {
    QCOMPARE(TDesenhoViewer::flowDirectionWord("V"), QStringLiteral("Vertical"));
    QCOMPARE(TDesenhoViewer::flowDirectionWord("H"), QStringLiteral("Horizontal"));
    QCOMPARE(TDesenhoViewer::flowDirectionWord("v"), QString());
    QCOMPARE(TDesenhoViewer::viewWord("E"), QStringLiteral("Exterior"));
    QCOMPARE(TDesenhoViewer::viewWord("I"), QStringLiteral("Interior"));
    TDesenhoViewer viewer("/nao/existe.JPG",
                          record({{"DESENHONRO", "24-00001"},
                                  {"DIR_CANAL", "v"},
                                  {"VISTA", "I"},
                                  {"LARGURA", 200},
                                  {"COMPRIM", 300},
                                  {"ALTURA", 150},
                                  {"LARG_PLACA", 720},
                                  {"COMP_PLACA", 1040},
                                  {"DATAPEDIDA", QDateTime(QDate(2025, 3, 4), QTime(0, 0))},
                                  {"CARTAO_DES", "Duplo BC"}}));
    viewer.show();
    QCOMPARE(viewer.windowTitle(), QStringLiteral("Visualização de Desenhos ( Ficha Técnica)"));
    QCOMPARE(viewer.findChild<QLineEdit*>("Edit_DIR_CANAL")->text(), QString());
    QCOMPARE(viewer.findChild<QLineEdit*>("Edit_VISTA")->text(), QStringLiteral("Interior"));
    QCOMPARE(viewer.findChild<QLineEdit*>("Edit_MEDIDA_INT")->text(),
             QStringLiteral("200 x 300 x 150"));
    QCOMPARE(viewer.findChild<QLineEdit*>("Edit_MEDIDA_PLACA")->text(),
             QStringLiteral("720 x 1040"));
    QCOMPARE(viewer.findChild<QLineEdit*>("Edit_DATAPEDIDA")->text(), QStringLiteral("04/03/2025"));
    QCOMPARE(viewer.findChild<QLineEdit*>("Edit_CARTAO_DES")->text(), QStringLiteral("Duplo BC"));
    QTRY_VERIFY(!viewer.imageControl()->isLoading());
    QVERIFY(viewer.imageControl()->isEmpty()); // the file is missing
}

void TestViewers::datesOfAQueryRecord() {
    // A record read with a plain query (SQLite hands dates back as text) shows its dates as
    // the shared datasets do.
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QSqlDatabase db = inst.open("main");
    const SqlDialect d = SqlDialect::forDatabase(db);
    QVERIFY(inst.exec("main",
                      "INSERT INTO DESENHOS (DESENHONRO, DATA, DATAPEDIDA, QUANTID) VALUES "
                      "('25-00007', ?, ?, 1500)",
                      {d.bindDate(QDate(2025, 9, 28)),
                       d.bindDateTime(QDateTime(QDate(2025, 9, 2), QTime(14, 30)))}));
    QSqlQuery drawing(db);
    QVERIFY(drawing.exec("SELECT * FROM DESENHOS") && drawing.next());
    TDesenhoViewer viewer("/nao/existe.JPG", fieldsOf(drawing.record()));
    viewer.show();
    QCOMPARE(viewer.findChild<QLineEdit*>("Edit_DATA")->text(), QStringLiteral("28/09/2025"));
    QCOMPARE(viewer.findChild<QLineEdit*>("Edit_DATAPEDIDA")->text(), QStringLiteral("02/09/2025"));
    QCOMPARE(viewer.findChild<QLineEdit*>("Edit_QUANTID")->text(), QStringLiteral("1500"));
    QCOMPARE(viewer.findChild<QLineEdit*>("Edit_DESENHONRO")->text(), QStringLiteral("25-00007"));
    QTRY_VERIFY(!viewer.imageControl()->isLoading());
}

void TestViewers::doubleClickCloses() {
    QTemporaryDir dir;
    TFotoViewer viewer(writeImage(dir.filePath("f.JPG")));
    QCOMPARE(viewer.windowTitle(), QStringLiteral("Visualização de Fotos"));
    QTimer::singleShot(0, &viewer, [&] {
        QTRY_VERIFY(!viewer.imageControl()->isLoading());
        QTest::mouseDClick(viewer.imageControl()->widget(), Qt::LeftButton, {}, QPoint(20, 20));
    });
    QTimer::singleShot(10000, &viewer, &QDialog::reject); // a safety net, not the answer
    QCOMPARE(viewer.exec(), int(QDialog::Accepted));
}

void TestViewers::documentsShownInside() {
    QTemporaryDir dir;
    writeImage(dir.filePath("123.JPG"));
    writePdf(dir.filePath("123_ficha.pdf"));
    QFile text(dir.filePath("123_notas.txt"));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("Cortante com 4 golpes.\n");
    text.close();
    QFile(dir.filePath("123_orcamento.xlsx")).open(QIODevice::WriteOnly);

    // A small window built from the components, as the editors and the station use them.
    QDialog window;
    auto* layout = new QVBoxLayout(&window);
    auto* list = new DocumentList(&window);
    auto* view = new DocumentView(&window);
    layout->addWidget(list);
    layout->addWidget(view);
    QList<QUrl> external;
    view->setExternalOpener([&external](const QUrl& url) {
        external << url;
        return true;
    });
    test::RecordingMessages messages;
    window.resize(800, 600);
    window.show();
    list->showRecord(dir.path(), "123");
    QCOMPARE(list->count(), 4);
    QVERIFY(!showSelectedDocument(*list, *view, messages)); // nothing selected
    QCOMPARE(messages.shown, QStringList{kSelectDocumentFirst});

    auto select = [&](const QString& name) {
        list->setCurrentItem(list->findItems(name, Qt::MatchExactly).value(0));
        return showSelectedDocument(*list, *view, messages);
    };
    QVERIFY(select("123_ficha.pdf"));
    QCOMPARE(view->kind(), DocumentView::Kind::Pdf);
    QCOMPARE(view->pdfDocument()->pageCount(), 1);
    QVERIFY(select("123.JPG"));
    QCOMPARE(view->kind(), DocumentView::Kind::Image);
    QCOMPARE(view->imageControl()->image().size(), QSize(400, 300));
    QVERIFY(select("123_notas.txt"));
    QCOMPARE(view->textView()->toPlainText(), QStringLiteral("Cortante com 4 golpes.\n"));
    QVERIFY(select("123_orcamento.xlsx"));
    QCOMPARE(view->kind(), DocumentView::Kind::External);
    QCOMPARE(external.value(0).toLocalFile(), dir.filePath("123_orcamento.xlsx"));
    // A file removed after the listing.
    QFile::remove(dir.filePath("123_notas.txt"));
    messages.shown.clear();
    QVERIFY(!select("123_notas.txt"));
    QCOMPARE(messages.shown, QStringList{kSelectDocumentFirst});
}

void TestViewers::scannerTestDevice() {
    // SANE's test device, alone in a configuration of the test's own.
    QTemporaryDir config;
    QFile dll(config.filePath("dll.conf"));
    QVERIFY(dll.open(QIODevice::WriteOnly));
    dll.write("test\n");
    dll.close();
    qputenv("SANE_CONFIG_DIR", config.path().toLocal8Bit());
    std::unique_ptr<Scanner> scanner = createSaneScanner();
    QString error;
    const QStringList sources = scanner->sources(&error);
    if (sources.isEmpty())
        QSKIP(qPrintable("SANE's test backend is not available: " + error));
    QVERIFY2(sources.first().startsWith("test"), qPrintable(sources.join(',')));

    ImageControl control;
    test::RecordingMessages messages;
    ScannerBar bar(*scanner, &control, messages);
    bar.setSourceChooser(
        [&](QWidget*, const QStringList& offered, const QString&) { return offered.last(); });
    bar.findChild<QPushButton*>("BotSelScan")->click();
    QCOMPARE(scanner->source(), sources.last());
    bar.findChild<QPushButton*>("BotScanner")->click();
    QVERIFY2(messages.shown.isEmpty(), qPrintable(messages.shown.join('|')));
    QVERIFY(!control.isEmpty());
    QVERIFY2(
        control.image().width() > 10 && control.image().height() > 10,
        qPrintable(
            QStringLiteral("%1x%2").arg(control.image().width()).arg(control.image().height())));
    QTemporaryDir dir;
    QVERIFY(control.saveJpeg(dir.filePath("scan.JPG")));
}

void TestViewers::viewersOnGeneratedRecords() {
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QString error;
    QVERIFY2(generateRegister(inst.settings(), test::smallRegister(3), &error), qPrintable(error));
    QSqlDatabase db = inst.open("main");
    const ImageParameters params = readImageParameters(db);
    QSqlQuery cliche(db);
    QVERIFY(cliche.exec("SELECT * FROM CLICHES ORDER BY CLICHENRO") && cliche.next());
    QSqlQuery drawing(db);
    QVERIFY(drawing.exec(
                "SELECT D.*, C.DESIGNACAO AS CARTAO_DES, M.DESIGNACAO AS MAQUINA_DES, "
                "E.NOME AS DESENHADOR_DES FROM DESENHOS D JOIN CARTOES C ON C.CODIGO = D.CARTAO "
                "JOIN MAQUINAS M ON M.CODIGO = D.MAQUINA JOIN DESENHADORES E ON E.CODIGO = "
                "D.DESENHADOR "
                "ORDER BY D.DESENHONRO") &&
            drawing.next());
    const QString clichePath = clicheImagePath(params, cliche.value("CLICHENRO").toString());
    const QString drawingPath = drawingImagePath(params, drawing.value("DESENHONRO").toString());
    QVERIFY(QFileInfo::exists(clichePath));
    QVERIFY(QFileInfo::exists(drawingPath));
    std::unique_ptr<ViewerWindow> viewers[] = {
        std::make_unique<TClicheViewer>(clichePath, fieldsOf(cliche.record()), db),
        std::make_unique<TDesenhoViewer>(drawingPath, fieldsOf(drawing.record())),
        std::make_unique<TFotoViewer>(drawingPath)};
    const QString shots = qEnvironmentVariable("FALQ_SCREENSHOT_DIR");
    int n = 0;
    for (auto& viewer : viewers) {
        viewer->show();
        QTRY_VERIFY(!viewer->imageControl()->isLoading());
        QVERIFY(!viewer->imageControl()->isEmpty());
        // The image is painted: the middle of the image area is not plain background.
        const QImage shot = viewer->grab().toImage();
        const QImage area = viewer->imageControl()->grab().toImage();
        QSet<QRgb> colours;
        for (int x = 0; x < area.width(); x += 7)
            colours.insert(area.pixel(x, area.height() / 2));
        QVERIFY2(colours.size() > 2, qPrintable(viewer->windowTitle()));
        if (!shots.isEmpty())
            shot.save(QDir(shots).filePath(QStringLiteral("viewer%1.png").arg(++n)));
    }
    QCOMPARE(viewers[0]->findChild<QLineEdit*>("Edit_CLICHENRO")->text(),
             cliche.value("CLICHENRO").toString());
    QVERIFY(!viewers[1]->findChild<QLineEdit*>("Edit_DESENHADOR_DES")->text().isEmpty());
}

QTEST_MAIN(TestViewers)
#include "tst_viewers.moc"
