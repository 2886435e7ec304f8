// The six movement reports on the small register: plain text against reference files (with
// and without the movements under each item), the pictures and their empty areas, and the
// kinds, periods and patterns they read.
#include "filecheck.h"
#include "movementregister.h"
#include "movementreportforms.h"
#include "reportengine.h"
#include "testsupport.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace falq;
using namespace falq::movements;

Q_DECLARE_METATYPE(falq::MovementReport)

namespace {

MovementReportCriteria march() {
    MovementReportCriteria c;
    c.from = QDate(2026, 3, 1);
    c.to = QDate(2026, 3, 31);
    c.clientPattern = QStringLiteral("%");
    c.supplierPattern = QStringLiteral("%");
    return c;
}

// Records what the engine lays out.
class LineRecorder : public reports::Sink {
public:
    bool beginPage(int) override { return true; }
    void write(const reports::Line& line, int) override { lines << line; }
    bool endPage() override { return true; }
    bool finish() override { return true; }
    QList<reports::Line> lines;
};

} // namespace

class TestMovementReports : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void goldenText_data();
    void goldenText();
    void picturesAndEmptyAreas();
    void oneLinePerItemWithoutOrders();
    void emptyPeriod();
    void renderedTwiceTheSame();
    void pdfOfEachReport();

private:
    QByteArray text(MovementReport report, const MovementReportCriteria& criteria);

    std::unique_ptr<test::Installation> m_inst;
    ImageParameters m_images;
    QTemporaryDir m_imageDir;
};

void TestMovementReports::initTestCase() {
    FALQ_REQUIRE_ENGINE();
    QVERIFY(m_imageDir.isValid());
    QDir(m_imageDir.path()).mkpath(QStringLiteral("des"));
    QDir(m_imageDir.path()).mkpath(QStringLiteral("cli"));
    m_images.drawingFolder = m_imageDir.filePath(QStringLiteral("des"));
    m_images.clicheFolder = m_imageDir.filePath(QStringLiteral("cli"));
    m_images.imageType = QStringLiteral(".PNG");
    QImage picture(60, 40, QImage::Format_RGB32);
    picture.fill(Qt::darkBlue);
    QVERIFY(picture.save(drawingImagePath(m_images, QStringLiteral("D3")), "PNG"));
    QVERIFY(picture.save(clicheImagePath(m_images, QStringLiteral("C1")), "PNG"));
}

void TestMovementReports::init() {
    m_inst = std::make_unique<test::Installation>();
    QVERIFY2(m_inst->ok(), qPrintable(m_inst->error()));
    QVERIFY(test::writeMovementRegister(*m_inst));
}

void TestMovementReports::cleanup() {
    m_inst.reset();
}

QByteArray TestMovementReports::text(MovementReport report,
                                     const MovementReportCriteria& criteria) {
    PreparedReport prepared;
    QString error;
    if (!prepareMovementReport(m_inst->open("main"), m_images, report, criteria, prepared,
                               &error)) {
        qWarning("%s", qPrintable(error));
        return {};
    }
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    const reports::Result r =
        reports::renderToText(prepared.form, *prepared.source, test::fixedReportContext(), out);
    if (!r.ok)
        qWarning("%s", qPrintable(r.error));
    return out.data();
}

void TestMovementReports::goldenText_data() {
    QTest::addColumn<MovementReport>("report");
    QTest::addColumn<bool>("orders");
    QTest::addColumn<bool>("photos");
    QTest::addColumn<QString>("file");
    QTest::newRow("030A") << MovementReport::RiskDrawings << false << false << "TCORTFPR030A.txt";
    QTest::newRow("030A orders") << MovementReport::RiskDrawings << true << false
                                 << "TCORTFPR030A_encomendas.txt";
    QTest::newRow("030B") << MovementReport::RiskCliches << false << false << "TCORTFPR030B.txt";
    QTest::newRow("030B orders photos")
        << MovementReport::RiskCliches << true << true << "TCORTFPR030B_encomendas_fotos.txt";
    QTest::newRow("030C") << MovementReport::ListCliches << false << false << "TCORTFPR030C.txt";
    QTest::newRow("030D") << MovementReport::ListDrawings << false << false << "TCORTFPR030D.txt";
    QTest::newRow("030E orders") << MovementReport::AnalysisDrawings << true << false
                                 << "TCORTFPR030E_encomendas.txt";
    QTest::newRow("030F orders") << MovementReport::AnalysisCliches << true << false
                                 << "TCORTFPR030F_encomendas.txt";
}

void TestMovementReports::goldenText() {
    QFETCH(MovementReport, report);
    QFETCH(bool, orders);
    QFETCH(bool, photos);
    QFETCH(QString, file);
    MovementReportCriteria c = march();
    c.orders = orders;
    c.photos = photos;
    const QByteArray out = text(report, c);
    QVERIFY(!out.isEmpty());
    QString why;
    QVERIFY2(test::matchesGolden(out, test::goldenFile(file), &why), qPrintable(why));
}

void TestMovementReports::picturesAndEmptyAreas() {
    MovementReportCriteria c = march();
    c.photos = true;
    PreparedReport prepared;
    QString error;
    QVERIFY2(prepareMovementReport(m_inst->open("main"), m_images, MovementReport::RiskDrawings, c,
                                   prepared, &error),
             qPrintable(error));
    LineRecorder sink;
    QVERIFY(reports::render(prepared.form, *prepared.source, test::fixedReportContext(), sink).ok);
    // Each item line is followed by its picture: D3's file, an empty white area for the others.
    QStringList items;
    QList<QColor> colours;
    for (int i = 0; i < sink.lines.size(); ++i) {
        if (sink.lines[i].kind != reports::LineKind::Detail)
            continue;
        items << sink.lines[i].cells.value(0).text;
        QVERIFY(i + 1 < sink.lines.size());
        const reports::Line& pic = sink.lines[i + 1];
        QCOMPARE(pic.kind, reports::LineKind::Picture);
        QVERIFY(!pic.picture.isNull());
        colours << pic.picture.pixelColor(0, 0);
    }
    QCOMPARE(items, (QStringList{"D3", "D1", "D2", "D4"}));
    QCOMPARE(colours, (QList<QColor>{QColor(Qt::darkBlue), QColor(Qt::white), QColor(Qt::white),
                                     QColor(Qt::white)}));
    // The movement lists print no picture even when asked.
    QVERIFY(prepareMovementReport(m_inst->open("main"), m_images, MovementReport::ListCliches, c,
                                  prepared, &error));
    LineRecorder list;
    QVERIFY(reports::render(prepared.form, *prepared.source, test::fixedReportContext(), list).ok);
    for (const reports::Line& l : list.lines)
        QVERIFY(l.kind != reports::LineKind::Picture && l.kind != reports::LineKind::SubLine &&
                l.kind != reports::LineKind::Summary);
}

void TestMovementReports::oneLinePerItemWithoutOrders() {
    PreparedReport prepared;
    QString error;
    QVERIFY(prepareMovementReport(m_inst->open("main"), m_images, MovementReport::AnalysisCliches,
                                  march(), prepared, &error));
    LineRecorder sink;
    const reports::Result r =
        reports::render(prepared.form, *prepared.source, test::fixedReportContext(), sink);
    QVERIFY(r.ok);
    QCOMPARE(r.rows, 4);
    int details = 0;
    for (const reports::Line& l : sink.lines) {
        QVERIFY(l.kind != reports::LineKind::SubLine && l.kind != reports::LineKind::Picture);
        details += l.kind == reports::LineKind::Detail;
    }
    QCOMPARE(details, 4);
}

void TestMovementReports::emptyPeriod() {
    MovementReportCriteria c = march();
    c.from = QDate(2026, 5, 1);
    c.to = QDate(2026, 5, 31);
    c.orders = true;
    const QByteArray out = text(MovementReport::RiskCliches, c);
    QVERIFY(out.contains("Relatório de Clichés C/ Utilizações de Risco"));
    QVERIFY(out.contains("Limite de Datas : 01/05/2026 a 31/05/2026"));
    QVERIFY(out.contains("Página : 1"));
    QVERIFY(!out.contains("C1"));
}

void TestMovementReports::renderedTwiceTheSame() {
    // The preview renders again for the printer and each export: the same pages every time.
    MovementReportCriteria c = march();
    c.orders = true;
    PreparedReport prepared;
    QString error;
    QVERIFY(prepareMovementReport(m_inst->open("main"), m_images, MovementReport::ListDrawings, c,
                                  prepared, &error));
    QBuffer first, second;
    first.open(QIODevice::WriteOnly);
    second.open(QIODevice::WriteOnly);
    QVERIFY(
        reports::renderToText(prepared.form, *prepared.source, test::fixedReportContext(), first)
            .ok);
    QVERIFY(
        reports::renderToText(prepared.form, *prepared.source, test::fixedReportContext(), second)
            .ok);
    QVERIFY(first.data().contains("E-102"));
    QCOMPARE(second.data(), first.data());
}

void TestMovementReports::pdfOfEachReport() {
    // Every report to PDF with pictures and movements (kept in FALQ_PDF_DIR when it is set).
    QTemporaryDir temp;
    const QString dir = qEnvironmentVariableIsEmpty("FALQ_PDF_DIR")
                            ? temp.path()
                            : qEnvironmentVariable("FALQ_PDF_DIR");
    MovementReportCriteria c = march();
    c.photos = true;
    c.orders = true;
    for (MovementReport report :
         {MovementReport::RiskDrawings, MovementReport::RiskCliches, MovementReport::ListCliches,
          MovementReport::ListDrawings, MovementReport::AnalysisDrawings,
          MovementReport::AnalysisCliches}) {
        PreparedReport prepared;
        QString error;
        QVERIFY(prepareMovementReport(m_inst->open("main"), m_images, report, c, prepared, &error));
        const QString path = QDir(dir).filePath(prepared.form.name + QStringLiteral(".pdf"));
        const reports::Result r =
            reports::renderToFile(prepared.form, *prepared.source, test::fixedReportContext(),
                                  reports::FileFormat::Pdf, path);
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.pages, 1);
        QVERIFY(test::fileContent(path).startsWith("%PDF"));
    }
}

QTEST_MAIN(TestMovementReports)
#include "tst_movement_reports.moc"
