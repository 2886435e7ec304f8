// The cliché and drawing reports ("Listagem de Clichés", "Ficha de Especificações Gráficas",
// "Listagem de Desenhos", "Ficha Tecnica"): plain text against reference files on a fixed data
// set and clock, with and without photos; the photo areas as the headless rendering lays them
// out; the header's bounds, the footer on every page, a page per cliché sheet, the colour
// boxes read from the colour table, and drawing blocks that are never split.
#include "clichereports.h"
#include "drawingreports.h"
#include "filecheck.h"
#include "reportengine.h"
#include "reportimages.h"
#include "reportrun.h"
#include "testsupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

using namespace falq;
using namespace falq::reports;
using namespace falq::test;

namespace {

// Every line the engine hands out, with its page.
class CaptureSink : public Sink {
public:
    struct Placed {
        int page;
        int top;
        Line line;
    };
    bool beginPage(int number) override {
        m_page = number;
        return true;
    }
    void write(const Line& line, int top) override { placed << Placed{m_page, top, line}; }
    bool endPage() override { return true; }
    bool finish() override { return true; }
    QList<Placed> of(LineKind kind) const {
        QList<Placed> found;
        for (const Placed& p : placed)
            if (p.line.kind == kind)
                found << p;
        return found;
    }
    QList<Placed> placed;

private:
    int m_page = 0;
};

// A JPEG photo written under a name of the image type (which may say ".BMP").
void writePhoto(const QString& path, const QSize& size) {
    QImage photo(size, QImage::Format_RGB32);
    photo.fill(QColor(30, 90, 160));
    QVERIFY(photo.save(path, "JPEG", 80));
}

// Three clichés of the listing's selection: A-1 with a photo, B-2 without one, C-3 with an
// unknown colour and NULL texts.
TableSource clicheRows() {
    const QStringList fields = {
        "CLICHENRO",  "CORTANTENRO", "FICHASETUP",  "SIGLACLI",  "PRODNRO",    "FORNSIGLA",
        "REFER_FORN", "MODELO_DES",  "MAQUINA_DES", "CODBARRAS", "REFERENCIA", "COR_01",
        "COR_02",     "COR_03",      "COR_04",      "COR_05",    "COR_06"};
    QVector<QVariantList> rows = {
        {"A-1", "CT-7", 12, "NORTE", "P-100", "GRAV", "GR-55", "FEFCO 0201", "Flexo 2 Cores",
         "5601234567890", "Caixa de maçãs", 1, 2, 0, 0, 0, 0},
        {"B-2", "CT-8", 0, "SUL", "P-200", "POLI", "", "Tabuleiro", "Rotativa", "",
         "Tabuleiro 40x30", 3, 4, 5, 12, 0, 0},
        {"C-3", QVariant(), 99999, "NORTE", QVariant(), QVariant(), QVariant(), "Expositor",
         "Casemaker", QVariant(), QVariant(), 999, QVariant(), 0, 0, 0, 0}};
    return TableSource(fields, rows);
}

// Three drawings of the printing window's selection: D-1 with a photo, D-2 with no
// direction or view, D-3 horizontal and interior with NULL names and dates.
TableSource drawingRows() {
    const QStringList fields = {"DESENHONRO", "CORTANTENRO", "REFERENCIA", "SIGLACLI",
                                "SIGLAFORN",  "DIR_CANAL",   "VISTA",      "GOLPES_CAIXA",
                                "CARTAO_DES", "VNDNOME",     "DATAPEDIDA", "MAQUINA_DES",
                                "LARGURA",    "COMPRIM",     "ALTURA",     "LARG_PLACA",
                                "COMP_PLACA", "DATA",        "QUANTID",    "DESENHADOR_DES"};
    const QDateTime ordered(QDate(2026, 2, 14), QTime(0, 0));
    const QDateTime drawn(QDate(2026, 1, 9), QTime(0, 0));
    QVector<QVariantList> rows = {
        {"D-1",
         "CT-1",
         "Caixa de pêras",
         "NORTE",
         "GRAV",
         "V",
         "E",
         2,
         "Simples B",
         "Vasco Mendes",
         ordered,
         "Platina Bobst",
         200,
         300,
         150,
         600,
         1100,
         drawn,
         500,
         "Ana Ferreira"},
        {"D-2",      "CT-2", "Tabuleiro", "SUL", "POLI", "",   "",    1,    "Duplo BC", "", ordered,
         "Rotativa", 400,    300,         100,   900,    1300, drawn, 12.5, "Rui Matos"},
        {"D-3", "CT-3",    "Expositor", "NORTE",    QVariant(),  "H",          "I",
         4,     "Micro F", QVariant(),  QVariant(), "Casemaker", 10,           20,
         30,    40,        50,          QVariant(), QVariant(),  "Carla Sousa"}};
    return TableSource(fields, rows);
}

} // namespace

class TestListingReports : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void clicheListGolden_data();
    void clicheListGolden();
    void clicheListPhotoAreas();
    void clicheSheetGolden_data();
    void clicheSheetGolden();
    void clicheSheetPagePerClicheAndColours();
    void colourTextsFromTheColourTable();
    void drawingListGolden_data();
    void drawingListGolden();
    void drawingSheetGolden_data();
    void drawingSheetGolden();
    void drawingSheetBlocksKeepTheirHeight();
    void footerOnEveryPage();
    void photoReadByContentAndScaled();
    void photosInThePdf();

private:
    QTemporaryDir m_dir;
    ImageParameters m_images;
};

void TestListingReports::initTestCase() {
    QVERIFY(m_dir.isValid());
    m_images.clicheFolder = m_dir.filePath("cliches");
    m_images.drawingFolder = m_dir.filePath("desenhos");
    m_images.imageType = QStringLiteral(".BMP"); // the files hold JPEG pictures
    QVERIFY(QDir().mkpath(m_images.clicheFolder));
    QVERIFY(QDir().mkpath(m_images.drawingFolder));
    writePhoto(m_images.clicheFolder + "/A-1.BMP", QSize(600, 400));
    writePhoto(m_images.drawingFolder + "/D-1.BMP", QSize(400, 600));
}

void TestListingReports::clicheListGolden_data() {
    QTest::addColumn<bool>("photos");
    QTest::newRow("without photos") << false;
    QTest::newRow("with photos") << true;
}

void TestListingReports::clicheListGolden() {
    QFETCH(bool, photos);
    cliches::ClicheReportOptions o;
    o.photos = photos;
    o.images = m_images;
    o.criteria.clicheFrom = QStringLiteral("A");
    o.criteria.clientTo = 5000;
    TableSource source = clicheRows();
    Result r;
    const QByteArray out = text(cliches::clicheListForm(o), source, &r);
    QVERIFY(r.ok);
    QCOMPARE(r.rows, 3);
    QString why;
    QVERIFY2(test::matchesGolden(out, golden(photos ? "cliche_list_photos.txt" : "cliche_list.txt"),
                                 &why),
             qPrintable(why));
    // The bounds as the boxes show them, numbers as plain integers, defaults included.
    QVERIFY(out.contains("Limite de Cliches ..........  A                    ZZZZZZZZZZZZ\n"));
    QVERIFY(out.contains("Limite de Fich.Setup  ....    0                    99999\n"));
    QVERIFY(out.contains("Limite de Clientes .........  0                    5000\n"));
}

void TestListingReports::clicheListPhotoAreas() {
    cliches::ClicheReportOptions o;
    o.images = m_images;
    for (bool photos : {false, true}) {
        o.photos = photos;
        TableSource source = clicheRows();
        CaptureSink sink;
        QVERIFY(render(cliches::clicheListForm(o), source, context(), sink).ok);
        const auto pictures = sink.of(LineKind::Picture);
        if (!photos) {
            QVERIFY(pictures.isEmpty()); // compact lines, even for A-1 with its photo
            QCOMPARE(sink.of(LineKind::Detail).size(), 3);
            continue;
        }
        // A tall band per cliché: the photo of A-1; blank areas for B-2 and C-3 (no file).
        QCOMPARE(pictures.size(), 3);
        for (const auto& p : pictures)
            QCOMPARE(p.line.height, cliches::kListPhotoLines);
        QVERIFY(!pictures[0].line.picture.isNull());
        QVERIFY(pictures[1].line.picture.isNull());
        QVERIFY(pictures[2].line.picture.isNull());
        // Each area right under its cliché's line, on the same page.
        const auto details = sink.of(LineKind::Detail);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(pictures[i].page, details[i].page);
            QCOMPARE(pictures[i].top, details[i].top + 1);
        }
    }
}

void TestListingReports::clicheSheetGolden_data() {
    clicheListGolden_data();
}

void TestListingReports::clicheSheetGolden() {
    QFETCH(bool, photos);
    cliches::ClicheReportOptions o;
    o.photos = photos;
    o.images = m_images;
    o.colours = {{1, "Preto K"},   {2, "Azul Processo C"}, {3, "Magenta M"},
                 {4, "Amarelo Y"}, {5, "Vermelho 485"},    {12, "Branco W"}};
    TableSource source = clicheRows();
    Result r;
    const QByteArray out = text(cliches::clicheSheetForm(o), source, &r);
    QVERIFY(r.ok);
    QString why;
    QVERIFY2(test::matchesGolden(
                 out, golden(photos ? "cliche_sheet_photos.txt" : "cliche_sheet.txt"), &why),
             qPrintable(why));
}

void TestListingReports::clicheSheetPagePerClicheAndColours() {
    cliches::ClicheReportOptions o;
    o.images = m_images;
    o.colours = {{1, "Preto K"}, {2, "Azul Processo C"}};
    for (bool photos : {false, true}) {
        o.photos = photos;
        TableSource source = clicheRows();
        CaptureSink sink;
        const Result r = render(cliches::clicheSheetForm(o), source, context(), sink);
        QVERIFY(r.ok);
        QCOMPARE(r.pages, 3); // one page per cliché
        const auto boxes = sink.of(LineKind::Boxes);
        QCOMPARE(boxes.size(), 3 * 6);
        for (int i = 0; i < boxes.size(); ++i)
            QCOMPARE(boxes[i].page, i / 6 + 1);
        // The colour row: its label and six boxes; codes 1 and 2 known, 0 and 999 empty.
        const QVector<Cell> first = boxes[5].line.cells;
        QCOMPARE(first.size(), 7);
        QCOMPARE(first[0].text, QStringLiteral("Côres .............."));
        QCOMPARE(first[1].text, QStringLiteral("Preto K"));
        QCOMPARE(first[2].text, QStringLiteral("Azul Processo C"));
        QCOMPARE(first[3].text, QString());
        QCOMPARE(boxes[17].line.cells[1].text, QString()); // C-3: colour 999
        // The photo only when asked, centred; the sheet's fields print in full either way.
        const auto pictures = sink.of(LineKind::Picture);
        QCOMPARE(pictures.size(), photos ? 3 : 0);
        if (photos) {
            QVERIFY(!pictures[0].line.picture.isNull());
            QVERIFY(pictures[1].line.picture.isNull());
            QVERIFY(pictures[0].line.cells[0].align & Qt::AlignHCenter);
        }
    }
}

void TestListingReports::colourTextsFromTheColourTable() {
    FALQ_REQUIRE_ENGINE();
    test::Installation inst;
    QVERIFY2(inst.ok(), qPrintable(inst.error()));
    QHash<qint64, QString> colours;
    QString error;
    QVERIFY2(cliches::readColourTexts(inst.open("main"), &colours, &error), qPrintable(error));
    QCOMPARE(colours.value(1), QStringLiteral("Preto K"));
    QCOMPARE(colours.value(5), QStringLiteral("Vermelho 485"));
    QVERIFY(!colours.contains(999));
    QVERIFY(!colours.contains(0));
}

void TestListingReports::drawingListGolden_data() {
    clicheListGolden_data();
}

void TestListingReports::drawingListGolden() {
    QFETCH(bool, photos);
    drawings::DrawingReportOptions o;
    o.photos = photos;
    o.images = m_images;
    o.criteria.salesmanTo = 20;
    TableSource source = drawingRows();
    Result r;
    CaptureSink sink;
    QVERIFY(render(drawings::drawingListForm(o), source, context(), sink).ok);
    source.rewind();
    const QByteArray out = text(drawings::drawingListForm(o), source, &r);
    QVERIFY(r.ok);
    QString why;
    QVERIFY2(test::matchesGolden(
                 out, golden(photos ? "drawing_list_photos.txt" : "drawing_list.txt"), &why),
             qPrintable(why));
    // Direction and view words: "Vertical"/"Exterior", empty, "Horizontal"/"Interior".
    const auto details = sink.of(LineKind::Detail);
    QCOMPARE(details.size(), 3);
    QCOMPARE(details[0].line.cells[5].text, QStringLiteral("Vertical"));
    QCOMPARE(details[0].line.cells[6].text, QStringLiteral("Exterior"));
    QCOMPARE(details[1].line.cells[5].text, QString());
    QCOMPARE(details[1].line.cells[6].text, QString());
    QCOMPARE(details[2].line.cells[5].text, QStringLiteral("Horizontal"));
    QCOMPARE(details[2].line.cells[6].text, QStringLiteral("Interior"));
    QCOMPARE(details[0].line.cells[10].text, QStringLiteral("14/02/2026"));
    QCOMPARE(details[2].line.cells[10].text, QString()); // NULL prints empty
    const auto pictures = sink.of(LineKind::Picture);
    QCOMPARE(pictures.size(), photos ? 3 : 0);
    if (photos) {
        QVERIFY(!pictures[0].line.picture.isNull());
        QVERIFY(pictures[1].line.picture.isNull());
    }
}

void TestListingReports::drawingSheetGolden_data() {
    clicheListGolden_data();
}

void TestListingReports::drawingSheetGolden() {
    QFETCH(bool, photos);
    drawings::DrawingReportOptions o;
    o.photos = photos;
    o.images = m_images;
    TableSource source = drawingRows();
    Result r;
    const QByteArray out = text(drawings::drawingSheetForm(o), source, &r);
    QVERIFY(r.ok);
    QString why;
    QVERIFY2(test::matchesGolden(
                 out, golden(photos ? "drawing_sheet_photos.txt" : "drawing_sheet.txt"), &why),
             qPrintable(why));
    // The same text either way: the photo's area is kept blank without photos.
    o.photos = !photos;
    source.rewind();
    QCOMPARE(text(drawings::drawingSheetForm(o), source), out);
}

void TestListingReports::drawingSheetBlocksKeepTheirHeight() {
    drawings::DrawingReportOptions o;
    o.images = m_images;
    // Seven drawings: blocks of four boxed rows and the photo area, never split.
    QVector<QVariantList> rows;
    for (int i = 0; i < 7; ++i)
        rows << QVariantList{QStringLiteral("D-%1").arg(i + 1)};
    for (bool photos : {false, true}) {
        o.photos = photos;
        TableSource source({"DESENHONRO"}, rows);
        CaptureSink sink;
        const Result r = render(drawings::drawingSheetForm(o), source, context(), sink);
        QVERIFY(r.ok);
        const auto boxes = sink.of(LineKind::Boxes);
        const auto pictures = sink.of(LineKind::Picture);
        QCOMPARE(boxes.size(), 7 * 4);
        QCOMPARE(pictures.size(), 7);
        for (int d = 0; d < 7; ++d) {
            QCOMPARE(pictures[d].page, boxes[d * 4].page);
            QCOMPARE(pictures[d].top, boxes[d * 4 + 3].top + boxes[d * 4 + 3].line.height);
            QCOMPARE(pictures[d].line.height, drawings::kSheetPhotoLines);
            QCOMPARE(!pictures[d].line.picture.isNull(), photos && d == 0);
        }
        QCOMPARE(r.pages, 4); // two blocks a page
    }
}

void TestListingReports::footerOnEveryPage() {
    // 60 clichés with photos: two bands a page, the footer on each.
    QVector<QVariantList> rows;
    for (int i = 0; i < 60; ++i)
        rows << QVariantList{QStringLiteral("X-%1").arg(i, 3, 10, QLatin1Char('0'))};
    TableSource source({"CLICHENRO"}, rows);
    cliches::ClicheReportOptions o;
    o.photos = true;
    o.images = m_images;
    Result r;
    const QList<QByteArray> pages = text(cliches::clicheListForm(o), source, &r).split('\f');
    QVERIFY(r.ok);
    QVERIFY(r.pages > 10);
    QCOMPARE(pages.size(), r.pages);
    for (int p = 0; p < pages.size(); ++p) {
        QVERIFY(pages[p].contains("Empresa : Cartonagem do Vale, Lda"));
        QVERIFY(pages[p].contains("Data : 05/03/2026 14:30"));
        QVERIFY(pages[p].contains(QStringLiteral("Página : %1").arg(p + 1).toUtf8()));
        QVERIFY(pages[p].startsWith(QStringLiteral("Listagem de Clichés").toUtf8()) ||
                pages[p].contains(QStringLiteral("Listagem de Clichés").toUtf8()));
    }
}

void TestListingReports::photoReadByContentAndScaled() {
    // A 3000x2000 JPEG under a ".BMP" name, read at the size it prints.
    const QString path = m_dir.filePath("grande.BMP");
    writePhoto(path, QSize(3000, 2000));
    cliches::ClicheReportOptions o;
    o.photos = true;
    const Form f = cliches::clicheListForm(o);
    const QSizeF area = pictureArea(f, cliches::kListPhotoLines);
    const QImage image = readPrintImage(path, area);
    QVERIFY(!image.isNull());
    QVERIFY(image.width() <= qRound(area.width() / 25.4 * kPhotoDpi));
    QVERIFY(image.height() <= qRound(area.height() / 25.4 * kPhotoDpi));
    QVERIFY(image.height() < 2000);
    QCOMPARE(qRound(image.width() * 2.0 / image.height()), 3); // proportions kept
    QVERIFY(readPrintImage(m_dir.filePath("falta.BMP"), area).isNull());
    QFile text(m_dir.filePath("texto.BMP"));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("not a picture");
    text.close();
    QVERIFY(readPrintImage(text.fileName(), area).isNull());
}

void TestListingReports::photosInThePdf() {
    cliches::ClicheReportOptions o;
    o.images = m_images;
    for (bool photos : {false, true}) {
        o.photos = photos;
        TableSource source = clicheRows();
        const QString path = m_dir.filePath(photos ? "com.pdf" : "sem.pdf");
        const Result r =
            renderToFile(cliches::clicheListForm(o), source, context(), FileFormat::Pdf, path);
        QVERIFY2(r.ok, qPrintable(r.error));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().contains("/Subtype /Image"), photos);
    }
}

QTEST_MAIN(TestListingReports)
#include "tst_listing_reports.moc"
