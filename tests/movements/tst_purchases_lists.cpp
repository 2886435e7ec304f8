// The purchases and repairs lists on a small register whose sums are worked out by hand: the
// rows of a filter, the totals per client and supplier (sum, rows, average) in both orders,
// the total taken from the data however the list is paged or rendered, and the plain text of
// each list against reference files.
#include "dataset.h"
#include "filecheck.h"
#include "movementregister.h"
#include "purchaseslists.h"
#include "reportengine.h"
#include "testsupport.h"

#include <QBuffer>
#include <QDir>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

using namespace falq;
using namespace falq::movements;

Q_DECLARE_METATYPE(falq::movements::PurchasesList)
Q_DECLARE_METATYPE(falq::movements::TotalsOrder)
Q_DECLARE_METATYPE(falq::movements::CostKind)
Q_DECLARE_METATYPE(falq::movements::ItemKinds)

namespace {

PurchasesFilter march() {
    PurchasesFilter f;
    f.from = QDate(2026, 3, 1);
    f.to = QDate(2026, 3, 31);
    return f;
}

// The summary line of a text rendering (the last "Total ......" line).
QString totalLine(const QByteArray& text) {
    QString last;
    for (const QString& line : QString::fromUtf8(text).split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("Total ......")))
            last = line.simplified();
    return last;
}

} // namespace

class TestPurchasesLists : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void rows_data();
    void rows();
    void totals_data();
    void totals();
    void goldenText_data();
    void goldenText();
    void emptyPeriod();
    void totalFromTheDataAcrossPagesAndRenderings();
    void picturesOfTheItems();

private:
    QByteArray text(PurchasesList list, const PurchasesListOptions& options);

    std::unique_ptr<test::Installation> m_inst;
};

void TestPurchasesLists::initTestCase() {
    FALQ_REQUIRE_ENGINE();
}

void TestPurchasesLists::init() {
    m_inst = std::make_unique<test::Installation>();
    QVERIFY2(m_inst->ok(), qPrintable(m_inst->error()));
    QVERIFY(test::writePurchasesRegister(*m_inst));
}

void TestPurchasesLists::cleanup() {
    m_inst.reset();
}

QByteArray TestPurchasesLists::text(PurchasesList list, const PurchasesListOptions& options) {
    PreparedReport prepared;
    QString error;
    if (!preparePurchasesList(m_inst->open("main"), ImageParameters(), list, options, prepared,
                              &error)) {
        qWarning("%s", qPrintable(error));
        return {};
    }
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    if (!reports::renderToText(prepared.form, *prepared.source, test::fixedReportContext(), out).ok)
        return {};
    return out.data();
}

void TestPurchasesLists::rows_data() {
    QTest::addColumn<CostKind>("cost");
    QTest::addColumn<ItemKinds>("items");
    QTest::addColumn<QString>("supplier");
    QTest::addColumn<QString>("client");
    QTest::addColumn<QList<int>>("requisitions");
    QTest::newRow("defaults: every row of the period, newest first, NULL names kept")
        << CostKind::Both << ItemKinds::Both << "%"
        << "%" << QList<int>{102, 107, 106, 103, 105, 104, 101};
    QTest::newRow("purchases of dies") << CostKind::Purchases << ItemKinds::Drawings << "%"
                                       << "%" << QList<int>{107, 101};
    QTest::newRow("repairs of clichés") << CostKind::Repairs << ItemKinds::Cliches << "%"
                                        << "%" << QList<int>{103};
    QTest::newRow("suppliers f%") << CostKind::Both << ItemKinds::Both << "f%"
                                  << "%" << QList<int>{106, 103, 104};
    QTest::newRow("clients A% (NULL left out)") << CostKind::Both << ItemKinds::Both << "%"
                                                << "A%" << QList<int>{102, 103, 101};
}

void TestPurchasesLists::rows() {
    QFETCH(CostKind, cost);
    QFETCH(ItemKinds, items);
    QFETCH(QString, supplier);
    QFETCH(QString, client);
    QFETCH(QList<int>, requisitions);
    PurchasesFilter f = march();
    f.cost = cost;
    f.items = items;
    f.supplierPattern = supplier;
    f.clientPattern = client;
    QSqlDatabase db = m_inst->open("main");
    QSqlQuery q(db);
    QVERIFY(runForward(q, purchasesStatement(SqlDialect::forDatabase(db), f)));
    QList<int> got;
    while (q.next())
        got << q.value(q.record().indexOf(QStringLiteral("ENCNRO"))).toInt();
    QCOMPARE(got, requisitions);
}

void TestPurchasesLists::totals_data() {
    QTest::addColumn<PurchasesList>("list");
    QTest::addColumn<TotalsOrder>("order");
    QTest::addColumn<QStringList>("expected");
    // Short name, sum, rows, sum / rows.
    QTest::newRow("clients by name") << PurchasesList::ClientTotals << TotalsOrder::Alphabetic
                                     << QStringList{"|450,00|1|450,00", "ALFA|1580,75|3|526,92",
                                                    "BETA|550,10|2|275,05", "GAMA|300,25|1|300,25"};
    QTest::newRow("clients by value")
        << PurchasesList::ClientTotals << TotalsOrder::Value
        << QStringList{"ALFA|1580,75|3|526,92", "BETA|550,10|2|275,05", "|450,00|1|450,00",
                       "GAMA|300,25|1|300,25"};
    // ACME and DIEMAX tie on value: by name.
    QTest::newRow("suppliers by value")
        << PurchasesList::SupplierTotals << TotalsOrder::Value
        << QStringList{"CORTEX|1200,50|1|1200,50", "FLEXO|980,00|3|326,67", "ACME|300,25|1|300,25",
                       "DIEMAX|300,25|1|300,25", "|100,10|1|100,10"};
    QTest::newRow("suppliers by name")
        << PurchasesList::SupplierTotals << TotalsOrder::Alphabetic
        << QStringList{"|100,10|1|100,10", "ACME|300,25|1|300,25", "CORTEX|1200,50|1|1200,50",
                       "DIEMAX|300,25|1|300,25", "FLEXO|980,00|3|326,67"};
}

void TestPurchasesLists::totals() {
    QFETCH(PurchasesList, list);
    QFETCH(TotalsOrder, order);
    QFETCH(QStringList, expected);
    PurchasesListOptions options;
    options.filter = march();
    options.order = order;
    PreparedReport prepared;
    QString error;
    QVERIFY2(preparePurchasesList(m_inst->open("main"), ImageParameters(), list, options, prepared,
                                  &error),
             qPrintable(error));
    reports::Source& s = *prepared.source;
    QVERIFY(s.rewind());
    QStringList got;
    while (s.next())
        got << QStringList{s.value(0).toString(),
                           reports::formatValue(s.value(1), reports::ValueFormat::Decimal2),
                           s.value(2).toString(),
                           reports::formatValue(s.value(3), reports::ValueFormat::Decimal2)}
                   .join(QLatin1Char('|'));
    QCOMPARE(got, expected);
    // In the currency format of the grids.
    QCOMPARE(totalLine(text(list, options)), QStringLiteral("Total ...... 2881,10 €"));
}

void TestPurchasesLists::goldenText_data() {
    QTest::addColumn<PurchasesList>("list");
    QTest::addColumn<TotalsOrder>("order");
    QTest::addColumn<QString>("file");
    QTest::newRow("032") << PurchasesList::Detailed << TotalsOrder::Alphabetic << "TCORTFPR032.txt";
    QTest::newRow("032A") << PurchasesList::ClientTotals << TotalsOrder::Value
                          << "TCORTFPR032A.txt";
    QTest::newRow("032B") << PurchasesList::SupplierTotals << TotalsOrder::Alphabetic
                          << "TCORTFPR032B.txt";
    QTest::newRow("031A") << PurchasesList::Register << TotalsOrder::Alphabetic
                          << "TCORTFPR031A.txt";
    // With "Impr.Fotografia?": a picture area under each line (empty: no image folder here).
    QTest::newRow("032 photos") << PurchasesList::Detailed << TotalsOrder::Alphabetic
                                << "TCORTFPR032_fotos.txt";
}

void TestPurchasesLists::goldenText() {
    QFETCH(PurchasesList, list);
    QFETCH(TotalsOrder, order);
    QFETCH(QString, file);
    PurchasesListOptions options;
    options.filter = march();
    options.filter.cost = list == PurchasesList::Register ? CostKind::Repairs : CostKind::Both;
    options.order = order;
    options.photos = file.contains(QLatin1String("fotos"));
    const QByteArray out = text(list, options);
    QVERIFY(!out.isEmpty());
    QString why;
    QVERIFY2(test::matchesGolden(out, test::goldenFile(file), &why), qPrintable(why));
}

void TestPurchasesLists::emptyPeriod() {
    PurchasesListOptions options;
    options.filter.from = QDate(2026, 5, 1);
    options.filter.to = QDate(2026, 5, 31);
    for (PurchasesList list : {PurchasesList::Detailed, PurchasesList::ClientTotals}) {
        const QByteArray out = text(list, options);
        QVERIFY(out.contains("Listagem de Compras e Reparações"));
        QVERIFY(out.contains("Compras+Reparações"));
        QVERIFY(out.contains("Limite de Datas : 01/05/2026 a 31/05/2026"));
        QCOMPARE(totalLine(out), QStringLiteral("Total ...... 0,00 €"));
    }
    // The register's list has no total.
    QVERIFY(!text(PurchasesList::Register, options).contains("Total"));
}

void TestPurchasesLists::totalFromTheDataAcrossPagesAndRenderings() {
    // Enough rows for several pages: the total is the SQL sum, rendered twice.
    const SqlDialect dialect = SqlDialect::forDatabase(m_inst->open("main"));
    for (int i = 0; i < 150; ++i)
        QVERIFY(m_inst->exec(
            "main",
            "INSERT INTO REPARACOES (CLICHENRO, DESENHONRO, TIPO, ENCNRO, DATENC, "
            "FORNSIGLA, VALOR, TIPOREG, SIGLACLI) VALUES ('', 'D1', 'R', ?, ?, "
            "'CORTEX', ?, 'DS', 'ALFA')",
            {1000 + i,
             dialect.bindDateTime(QDateTime(QDate(2026, 3, 2 + i % 25), QTime(8, i % 60))),
             10.01 * (i % 7 + 1)}));
    PurchasesListOptions options;
    options.filter = march();
    const double sum =
        m_inst
            ->scalar("main",
                     "SELECT SUM(VALOR) FROM REPARACOES WHERE DATENC >= ? AND "
                     "DATENC < ?",
                     {dialect.dayStart(options.filter.from), dialect.dayAfter(options.filter.to)})
            .toDouble();
    const QString expected = (QStringLiteral("Total ...... ") + currencyText(sum)).simplified();
    PreparedReport prepared;
    QString error;
    QVERIFY(preparePurchasesList(m_inst->open("main"), ImageParameters(), PurchasesList::Detailed,
                                 options, prepared, &error));
    for (int rendering = 0; rendering < 2; ++rendering) {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        const reports::Result r =
            reports::renderToText(prepared.form, *prepared.source, test::fixedReportContext(), out);
        QVERIFY(r.ok);
        QVERIFY(r.pages > 2);
        QCOMPARE(totalLine(out.data()), expected);
    }
}

void TestPurchasesLists::picturesOfTheItems() {
    // The detailed and the register's lists print each row's item picture (an empty area
    // without a file); the PDF of each list is kept in FALQ_PDF_DIR when it is set.
    QTemporaryDir temp;
    ImageParameters images;
    images.drawingFolder = temp.filePath(QStringLiteral("des"));
    images.clicheFolder = temp.filePath(QStringLiteral("cli"));
    images.imageType = QStringLiteral(".PNG");
    QDir().mkpath(images.drawingFolder);
    QDir().mkpath(images.clicheFolder);
    QImage picture(60, 40, QImage::Format_RGB32);
    picture.fill(Qt::darkRed);
    QVERIFY(picture.save(drawingImagePath(images, QStringLiteral("D2")), "PNG"));
    QVERIFY(picture.save(clicheImagePath(images, QStringLiteral("C1")), "PNG"));
    const QString dir = qEnvironmentVariableIsEmpty("FALQ_PDF_DIR")
                            ? temp.path()
                            : qEnvironmentVariable("FALQ_PDF_DIR");
    PurchasesListOptions options;
    options.filter = march();
    options.photos = true;
    for (PurchasesList list : {PurchasesList::Detailed, PurchasesList::ClientTotals,
                               PurchasesList::SupplierTotals, PurchasesList::Register}) {
        options.order =
            list == PurchasesList::SupplierTotals ? TotalsOrder::Value : TotalsOrder::Alphabetic;
        PreparedReport prepared;
        QString error;
        QVERIFY(
            preparePurchasesList(m_inst->open("main"), images, list, options, prepared, &error));
        const bool pictures = list == PurchasesList::Detailed || list == PurchasesList::Register;
        QCOMPARE(bool(prepared.form.picture), pictures);
        if (pictures) {
            // The newest row is D2's repair (its picture), the next D4's purchase (none).
            QVERIFY(prepared.source->rewind() && prepared.source->next());
            reports::Record record(*prepared.source);
            QCOMPARE(prepared.form.picture(record).pixelColor(0, 0), QColor(Qt::darkRed));
            QVERIFY(prepared.source->next());
            QCOMPARE(prepared.form.picture(record).pixelColor(0, 0), QColor(Qt::white));
        }
        const QString path = QDir(dir).filePath(prepared.form.name + QStringLiteral(".pdf"));
        const reports::Result r =
            reports::renderToFile(prepared.form, *prepared.source, test::fixedReportContext(),
                                  reports::FileFormat::Pdf, path);
        QVERIFY2(r.ok, qPrintable(r.error));
        QVERIFY(test::fileContent(path).startsWith("%PDF"));
    }
}

QTEST_MAIN(TestPurchasesLists)
#include "tst_purchases_lists.moc"
