// The report engine: bands and pages in plain text (against reference files), the page footer
// on every page, PDF, spreadsheet and OpenDocument outputs, and cancelled or failed renders
// that leave no file; every file output (and the grids' spreadsheet export) cut short by the
// disk.
#include "filecheck.h"
#include "gridexport.h"
#include "reportengine.h"
#include "reportrun.h"
#include "testsupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QRegularExpression>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace falq;
using namespace falq::reports;
using namespace falq::test;

namespace {

// Purchases of three clients: 130 rows, some with a note.
TableSource purchases() {
    QVector<QVariantList> rows;
    const QStringList clients = {"ALFA", "BETA", "GAMA"};
    for (int i = 0; i < 130; ++i) {
        const QString client = clients[i * 3 / 130];
        const QString note =
            i % 7 == 0 ? QStringLiteral("Reparação urgente nº %1").arg(i) : QString();
        rows << QVariantList{i + 1,
                             client,
                             QDateTime(QDate(2026, 1, 1).addDays(i), QTime(0, 0)),
                             (i % 13) * 12.5 + 0.25,
                             i % 4 + 1,
                             note};
    }
    return TableSource({"NRO", "CLIENTE", "DATA", "VALOR", "QTD", "NOTA"}, rows);
}

Form purchasesForm() {
    Form f;
    f.name = QStringLiteral("TESTE");
    f.title = QStringLiteral("Listagem de Compras");
    f.criteria = {QStringLiteral("Clientes de ALFA a GAMA")};
    f.columns = {
        {QStringLiteral("Nº"), "NRO", 6, Qt::AlignRight, ValueFormat::Integer},
        {QStringLiteral("Data"), "DATA", 10, Qt::AlignLeft, ValueFormat::Date},
        {QStringLiteral("Cliente"), "CLIENTE", 20},
        {QStringLiteral("Qtd."), "QTD", 6, Qt::AlignRight, ValueFormat::Integer, true},
        {QStringLiteral("Valor"), "VALOR", 12, Qt::AlignRight, ValueFormat::Decimal2, true}};
    Group byClient;
    byClient.field = QStringLiteral("CLIENTE");
    byClient.header = [](const Record& r) {
        return QStringLiteral("Cliente : ") + r.value("CLIENTE").toString();
    };
    byClient.footerLabel = QStringLiteral("Total do Cliente");
    f.groups = {byClient};
    f.subLines = [](const Record& r) {
        const QString note = r.value("NOTA").toString();
        return note.isEmpty() ? QStringList() : QStringList{QStringLiteral("Nota : ") + note};
    };
    f.summary = true;
    f.summaryLabel = QStringLiteral("Total Geral");
    return f;
}

} // namespace

class TestReports : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void groupedListAsText();
    void footerOnEveryPage();
    void detailKeepsItsSubLines();
    void emptyReportIsOnePage();
    void landscapeIsWider();
    void picturesUnderTheirLine();
    void pdfHasTheTextsPages();
    void cancelledRenderWritesNothing_data();
    void cancelledRenderWritesNothing();
    void unwritableFolderSaysWhy();
    void everyFileIsWholeOrNone_data();
    void everyFileIsWholeOrNone();
    void spreadsheetOfAReport();
    void openDocumentOfAReport();
};

void TestReports::initTestCase() {
    FALQ_REQUIRE_ENGINE();
    // Without fonts every glyph of a PDF is a box.
    QVERIFY(!QFontDatabase::families().isEmpty());
}

void TestReports::groupedListAsText() {
    TableSource source = purchases();
    Result r;
    const QByteArray out = text(purchasesForm(), source, &r);
    QVERIFY(r.ok);
    QCOMPARE(r.rows, 130);
    QString why;
    QVERIFY2(test::matchesGolden(out, golden("grouped.txt"), &why), qPrintable(why));
}

void TestReports::footerOnEveryPage() {
    TableSource source = purchases();
    Result r;
    const QList<QByteArray> pages = text(purchasesForm(), source, &r).split('\f');
    QVERIFY(pages.size() > 2);
    QCOMPARE(pages.size(), r.pages);
    const PageGrid grid = pageGrid(QPageLayout::Portrait);
    for (int i = 0; i < pages.size(); ++i) {
        QList<QByteArray> lines = pages[i].split('\n');
        lines.removeLast(); // after the last newline
        QVERIFY(lines.size() <= grid.lines);
        const QString footer = QString::fromUtf8(lines.last());
        QVERIFY2(footer.startsWith("Empresa : Cartonagem do Vale, Lda"), qPrintable(footer));
        QVERIFY2(footer.contains("Data : 05/03/2026 14:30"), qPrintable(footer));
        QVERIFY2(footer.endsWith(QStringLiteral("Página : %1").arg(i + 1)), qPrintable(footer));
        QVERIFY(QString::fromUtf8(lines.first()).trimmed() == "Listagem de Compras");
    }
    QVERIFY(QString::fromUtf8(pages.last()).contains("Total Geral"));
}

void TestReports::detailKeepsItsSubLines() {
    TableSource source = purchases();
    const QList<QByteArray> pages = text(purchasesForm(), source).split('\f');
    for (const QByteArray& page : pages) {
        const QList<QByteArray> lines = page.split('\n');
        // The first body line follows the column header's rule.
        const int rule = int(lines.indexOf(QByteArray(100, '-')));
        QVERIFY(rule > 0);
        QVERIFY2(!lines.value(rule + 1).startsWith("  Nota"), page.constData());
    }
}

void TestReports::emptyReportIsOnePage() {
    TableSource empty({"NRO", "CLIENTE", "DATA", "VALOR", "QTD", "NOTA"}, {});
    Result r;
    const QString out = QString::fromUtf8(text(purchasesForm(), empty, &r));
    QVERIFY(r.ok);
    QCOMPARE(r.pages, 1);
    QVERIFY(!out.contains('\f'));
    QVERIFY(out.contains("Página : 1"));
    QVERIFY(out.contains(QRegularExpression("Total Geral +0 +0,00")));
}

void TestReports::landscapeIsWider() {
    Form f = purchasesForm();
    f.orientation = QPageLayout::Landscape;
    TableSource source = purchases();
    const QString out = QString::fromUtf8(text(f, source));
    QVERIFY(out.contains(QString(142, '-')));
    QVERIFY(!out.contains(QString(143, '-')));
}

void TestReports::picturesUnderTheirLine() {
    // Every tenth row has a picture four lines high; in text they are blank lines.
    Form f = purchasesForm();
    f.groups.clear();
    f.subLines = nullptr;
    f.pictureLines = 4;
    f.picture = [](const Record& r) {
        if (r.value("NRO").toInt() % 10 != 0)
            return QImage();
        QImage image(40, 20, QImage::Format_RGB32);
        image.fill(Qt::darkBlue);
        return image;
    };
    TableSource source = purchases();
    Result r;
    const QList<QByteArray> pages = text(f, source, &r).split('\f');
    QVERIFY(r.ok);
    const QList<QByteArray> lines = pages.first().split('\n');
    const int tenth = int(
        lines.indexOf(QByteArray("    10 10/01/2026 ALFA                      2       112,75")));
    QVERIFY(tenth > 0);
    for (int i = 1; i <= 4; ++i)
        QVERIFY(lines.value(tenth + i).isEmpty());
    QVERIFY(lines.value(tenth + 5).startsWith("    11 "));
    QVERIFY(lines.value(tenth - 1).startsWith("     9 "));
    // A row and its picture stay on one page: no page starts with a picture.
    for (const QByteArray& page : pages) {
        const QList<QByteArray> body = page.split('\n');
        const int rule = int(body.indexOf(QByteArray(100, '-')));
        QVERIFY(rule > 0);
        QVERIFY2(!body.value(rule + 1).isEmpty(), page.constData());
    }
    QTemporaryDir dir;
    TableSource again = purchases();
    const Result pdf =
        renderToFile(f, again, context(), FileFormat::Pdf, dir.filePath("imagens.pdf"));
    QVERIFY2(pdf.ok, qPrintable(pdf.error));
    QCOMPARE(pdf.pages, r.pages);
    QFile file(dir.filePath("imagens.pdf"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("/Subtype /Image"));
}

void TestReports::pdfHasTheTextsPages() {
    QTemporaryDir dir;
    const QString path = dir.filePath("compras.pdf");
    TableSource source = purchases();
    const Result r = renderToFile(purchasesForm(), source, context(), FileFormat::Pdf, path);
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(r.path, QFileInfo(path).absoluteFilePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray pdf = f.readAll();
    QVERIFY(pdf.startsWith("%PDF-"));
    const int pages = int(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") +
                          pdf.count("/Type /Page/") + pdf.count("/Type /Page "));
    TableSource again = purchases();
    QCOMPARE(pages, int(text(purchasesForm(), again).count('\f') + 1));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"compras.pdf"});
}

void TestReports::cancelledRenderWritesNothing_data() {
    QTest::addColumn<int>("format");
    QTest::newRow("pdf") << int(FileFormat::Pdf);
    QTest::newRow("text") << int(FileFormat::Text);
    QTest::newRow("xlsx") << int(FileFormat::Xlsx);
    QTest::newRow("odt") << int(FileFormat::Odt);
}

void TestReports::cancelledRenderWritesNothing() {
    QFETCH(int, format);
    QTemporaryDir dir;
    const QString earlier = dir.filePath("earlier" + fileSuffix(FileFormat(format)));
    {
        QFile f(earlier);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("the earlier file");
    }
    const QString fresh = dir.filePath("fresh" + fileSuffix(FileFormat(format)));
    for (const QString& path : {earlier, fresh}) {
        TableSource source = purchases();
        int calls = 0;
        const Result r = renderToFile(purchasesForm(), source, context(), FileFormat(format), path,
                                      [&](int done, int) {
                                          ++calls;
                                          return done == 0;
                                      });
        QVERIFY(!r.ok);
        QVERIFY(r.cancelled);
        QVERIFY(calls >= 1);
        QVERIFY(r.path.isEmpty());
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QFileInfo(earlier).fileName()});
    QFile f(earlier);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("the earlier file"));
}

void TestReports::unwritableFolderSaysWhy() {
    QTemporaryDir dir;
    const QString plain = dir.filePath("plain.txt");
    {
        QFile f(plain);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    TableSource source = purchases();
    const Result r =
        renderToFile(purchasesForm(), source, context(), FileFormat::Pdf, plain + "/lista.pdf");
    QVERIFY(!r.ok);
    QVERIFY(!r.cancelled);
    QVERIFY2(r.error.contains(plain), qPrintable(r.error));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"plain.txt"});
}

void TestReports::everyFileIsWholeOrNone_data() {
    QTest::addColumn<QString>("kind");
    // The size limit, against the size of the complete file: a spreadsheet that would fit is
    // still refused when the library's own temporary files (the sheet before it is zipped)
    // do not.
    QTest::addColumn<double>("limit");
    QTest::newRow("report xlsx") << "xlsx" << 1.2;
    QTest::newRow("grid xlsx") << "grid" << 1.2;
    QTest::newRow("odt") << "odt" << 0.5;
    QTest::newRow("pdf") << "pdf" << 0.5;
    QTest::newRow("text") << "txt" << 0.5;
}

void TestReports::everyFileIsWholeOrNone() {
    QFETCH(QString, kind);
    QFETCH(double, limit);
    QTemporaryDir dir;
    // The grid export's rows: numbers, amounts, texts and dates.
    constexpr int kGridRows = 400;
    QStandardItemModel model(kGridRows, 4);
    for (int r = 0; r < kGridRows; ++r) {
        model.setData(model.index(r, 0), r + 1, Qt::EditRole);
        model.setData(model.index(r, 1), r * 1.25, Qt::EditRole);
        model.setData(model.index(r, 2), QStringLiteral("Cliché nº %1 de ALFA").arg(r + 1));
        model.setData(model.index(r, 3), QDate(2026, 1, 1).addDays(r), Qt::EditRole);
    }
    QTableView grid;
    grid.setModel(&model);
    const auto write = [&]() {
        if (kind == QLatin1String("grid"))
            return writeGridSpreadsheet(grid, {"Cartonagem do Vale, Lda", "FACTURA01", "Clichés"},
                                        dir.path());
        const QMap<QString, FileFormat> formats = {{"xlsx", FileFormat::Xlsx},
                                                   {"odt", FileFormat::Odt},
                                                   {"pdf", FileFormat::Pdf},
                                                   {"txt", FileFormat::Text}};
        TableSource source = purchases();
        return renderToFile(purchasesForm(), source, context(), formats.value(kind),
                            dir.filePath("compras." + kind));
    };
    // With room, the file is complete.
    const Result first = write();
    QVERIFY2(first.ok, qPrintable(first.error));
    const QByteArray content = test::fileContent(first.path);
    if (kind == QLatin1String("xlsx") || kind == QLatin1String("grid")) {
        const test::Sheet sheet = test::readSheet(first.path);
        QVERIFY2(sheet.error.isEmpty(), qPrintable(sheet.error));
        if (kind == QLatin1String("grid")) {
            QCOMPARE(sheet.lastRow, 4 + kGridRows + 1);
            QCOMPARE(sheet.at(4 + kGridRows, 3).text, QStringLiteral("Cliché nº 400 de ALFA"));
        } else {
            QCOMPARE(sheet.at(sheet.lastRow, 1).text, QStringLiteral("Data : 05/03/2026 14:30"));
        }
    } else if (kind == QLatin1String("odt")) {
        QString error;
        const auto zip = test::readZip(first.path, &error);
        QVERIFY2(!zip.isEmpty(), qPrintable(error));
        QVERIFY(zip.value("content.xml").contains("Empresa : Cartonagem do Vale, Lda"));
    } else if (kind == QLatin1String("pdf")) {
        QVERIFY(content.startsWith("%PDF-"));
        QVERIFY(content.trimmed().endsWith("%%EOF"));
    } else {
        TableSource again = purchases();
        QCOMPARE(content, text(purchasesForm(), again));
    }
    // Cut short by the disk: refused with the file's name and the system's reason; nothing
    // is left of it, and the earlier file of that name stays as it was.
    Result cut;
    {
        test::FileSizeLimit limited(qint64(content.size() * limit));
        QVERIFY(limited.active());
        cut = write();
    }
    QVERIFY(!cut.ok);
    QVERIFY(!cut.cancelled);
    QVERIFY(cut.path.isEmpty());
    const QString named = kind == QLatin1String("grid") ? dir.filePath("Clich") : first.path;
    QVERIFY2(cut.error.contains(named) &&
                 cut.error.contains(QStringLiteral("Ficheiro maior do que o sistema permite")),
             qPrintable(cut.error));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QFileInfo(first.path).fileName()});
    QCOMPARE(test::fileContent(first.path), content);
}

void TestReports::spreadsheetOfAReport() {
    QTemporaryDir dir;
    const QString path = dir.filePath("compras.xlsx");
    TableSource source = purchases();
    const Result r = renderToFile(purchasesForm(), source, context(), FileFormat::Xlsx, path);
    QVERIFY2(r.ok, qPrintable(r.error));
    const test::Sheet sheet = test::readSheet(path);
    QVERIFY2(sheet.error.isEmpty(), qPrintable(sheet.error));
    QCOMPARE(sheet.at(1, 1).text, QStringLiteral("Listagem de Compras"));
    QCOMPARE(sheet.at(2, 1).text, QStringLiteral("Clientes de ALFA a GAMA"));
    // Column titles on grey, then the first group's header and its first row.
    QCOMPARE(sheet.at(4, 1).text, QStringLiteral("Nº"));
    QVERIFY(sheet.at(4, 5).grey);
    QCOMPARE(sheet.at(4, 5).text, QStringLiteral("Valor"));
    QCOMPARE(sheet.at(5, 1).text, QStringLiteral("Cliente : ALFA"));
    QVERIFY(sheet.at(6, 1).number);
    QCOMPARE(sheet.at(6, 1).text, QStringLiteral("1"));
    QCOMPARE(sheet.at(6, 5).numberFormat, QStringLiteral("0.00"));
    QCOMPARE(sheet.at(6, 5).align, QStringLiteral("right"));
    QCOMPARE(sheet.at(6, 5).text.toDouble(), 0.25);
    QCOMPARE(sheet.at(6, 2).numberFormat, QStringLiteral("dd/mm/yyyy"));
    // The footer's company and date close the sheet; no page number in one long page.
    const QString last = sheet.at(sheet.lastRow, 1).text;
    QCOMPARE(last, QStringLiteral("Data : 05/03/2026 14:30"));
    QCOMPARE(sheet.at(sheet.lastRow - 1, 1).text,
             QStringLiteral("Empresa : Cartonagem do Vale, Lda"));
}

void TestReports::openDocumentOfAReport() {
    QTemporaryDir dir;
    const QString path = dir.filePath("compras.odt");
    TableSource source = purchases();
    const Result r = renderToFile(purchasesForm(), source, context(), FileFormat::Odt, path);
    QVERIFY2(r.ok, qPrintable(r.error));
    QString error;
    const auto zip = test::readZip(path, &error);
    QVERIFY2(!zip.isEmpty(), qPrintable(error));
    QCOMPARE(zip.value("mimetype"), QByteArray("application/vnd.oasis.opendocument.text"));
    const QString content = QString::fromUtf8(zip.value("content.xml"));
    QVERIFY(content.contains("Listagem de Compras"));
    QVERIFY(content.contains("Reparação urgente nº 7"));
    QVERIFY(content.contains("Total Geral"));
    QVERIFY(content.contains("Empresa : Cartonagem do Vale, Lda"));
}

QTEST_MAIN(TestReports)
#include "tst_reports.moc"
