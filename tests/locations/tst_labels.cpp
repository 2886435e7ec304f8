// Labels with bar codes: written as a PDF, every page rasterised at a printer's resolution and
// at half of it, each label's bar code reads back as exactly its own text and the positions
// left empty on a sheet read as nothing; a text too long for its label is refused and leaves
// no file.
#include "labels.h"
#include "testsupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QtTest>

#define ZX_USE_UTF8 // the texts read back as UTF-8
#include <ZXing/ReadBarcode.h>

using namespace falq::locations;

namespace {

// Tools and places, the named ones first, then as many more as asked.
QList<Label> toolsAndPlaces(int count) {
    QStringList codes = {"CL:10000",     "CL:AB-12/3", "DS:D-77",
                         "DS:2024.0001", "L:A-01-03",  "L:B-12-07"};
    for (int i = 0; codes.size() < count; ++i)
        codes << QStringLiteral("%1%2").arg(
            QStringList{"CL:", "DS:D-", "L:C-04-", "DS:2024.", "CL:AB-"}.at(i % 5),
            QString::number(10 + i * 37));
    QList<Label> labels;
    for (const QString& code : codes.mid(0, count)) {
        const QString number = code.section(':', 1);
        if (code.startsWith("L:"))
            labels << Label{code, number, {"Estante " + number.left(1) + ", armazém de facas"}};
        else
            labels << Label{code,
                            number,
                            {"EMBALAGENS DO NORTE, S.A. E UM NOME MUITO LONGO QUE NÃO CABE",
                             "Ref. 55.120.331", "Faca " + number}};
    }
    return labels;
}

// The page on white, in shades of grey.
QImage rasterise(QPdfDocument& pdf, int page, int dpi) {
    const QSize size = (pdf.pagePointSize(page) * dpi / 72.0).toSize();
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter(&image).drawImage(0, 0, pdf.render(page, size));
    return image.convertToFormat(QImage::Format_Grayscale8);
}

QStringList decode(const QImage& grey) {
    const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(),
                                ZXing::ImageFormat::Lum, int(grey.bytesPerLine()));
    QStringList texts;
    for (const ZXing::Result& result : ZXing::ReadBarcodes(
             view,
             ZXing::DecodeHints().setFormats(ZXing::BarcodeFormat::Code128).setTryHarder(true)))
        if (result.isValid())
            texts << QString::fromStdString(result.text());
    return texts;
}

// The position `cell` of a page, in pixels at `dpi`.
QRect labelRect(const LabelFormat& format, int cell, int dpi) {
    const double px = dpi / 25.4;
    const QSizeF step = format.labelMm + format.gapMm;
    const QRectF mm(format.marginsMm.left() + (cell % format.columns) * step.width(),
                    format.marginsMm.top() + (cell / format.columns) * step.height(),
                    format.labelMm.width(), format.labelMm.height());
    return QRectF(mm.topLeft() * px, mm.size() * px).toAlignedRect();
}

} // namespace

class TestLabels : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FALQ_REQUIRE_ENGINE(); }
    void formatsAndPages();
    void everyBarCodeReadsBack_data();
    void everyBarCodeReadsBack();
    void tooLongIsRefused_data();
    void tooLongIsRefused();
    void progressMayStop();
};

void TestLabels::formatsAndPages() {
    QCOMPARE(labelFormats().size(), 2);
    QVERIFY(labelFormat("A4-3x8") && labelFormat("Rolo-62x29"));
    QVERIFY(!labelFormat("A5"));
    const LabelFormat sheet = a4Sheet();
    QCOMPARE(sheet.marginsMm.top() * 2 + sheet.rows * sheet.labelMm.height(), 297.0);
    QCOMPARE(sheet.marginsMm.left() * 2 + sheet.columns * sheet.labelMm.width(), 210.0);
    QCOMPARE(labelPages(sheet, 0, 0), 0);
    QCOMPARE(labelPages(sheet, 24, 0), 1);
    QCOMPARE(labelPages(sheet, 19, 5), 1);
    QCOMPARE(labelPages(sheet, 20, 5), 2);
    QCOMPARE(labelPages(roll(), 4, 3), 4);
}

void TestLabels::everyBarCodeReadsBack_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("dpi");
    for (int dpi : {300, 150}) {
        QTest::addRow("A4 %d dpi", dpi) << "A4-3x8" << 22 << 5 << dpi;
        QTest::addRow("rolo %d dpi", dpi) << "Rolo-62x29" << 11 << 2 << dpi;
    }
}

void TestLabels::everyBarCodeReadsBack() {
    QFETCH(QString, format);
    QFETCH(int, count);
    QFETCH(int, offset);
    QFETCH(int, dpi);
    const LabelFormat* f = labelFormat(format);
    QVERIFY(f);
    const QList<Label> labels = toolsAndPlaces(count);
    QTemporaryDir dir;
    const QString path = dir.filePath("etiquetas.pdf");
    QString error;
    QVERIFY2(writeLabelsPdf(path, *f, labels, offset, &error), qPrintable(error));

    QPdfDocument pdf;
    QCOMPARE(pdf.load(path), QPdfDocument::Error::None);
    QCOMPARE(pdf.pageCount(), labelPages(*f, count, offset));
    const int perPage = f->columns * f->rows;
    const int first = perPage > 1 ? offset : 0; // a roll has no used positions
    for (int page = 0; page < pdf.pageCount(); ++page) {
        const QSizeF mm = f->page.size(QPageSize::Millimeter);
        QVERIFY(qAbs(pdf.pagePointSize(page).width() / 72 * 25.4 - mm.width()) < 0.5);
        QVERIFY(qAbs(pdf.pagePointSize(page).height() / 72 * 25.4 - mm.height()) < 0.5);
        const QImage image = rasterise(pdf, page, dpi);
        if (qEnvironmentVariableIsSet("LABELS_DEBUG"))
            image.save(
                QStringLiteral("/tmp/dbg-%1-%2-%3.png").arg(format.left(2)).arg(dpi).arg(page));
        for (int cell = 0; cell < perPage; ++cell) {
            const int index = page * perPage + cell - first;
            const QStringList expected =
                index >= 0 && index < count ? QStringList{labels.at(index).barcode} : QStringList();
            const QStringList read = decode(image.copy(labelRect(*f, cell, dpi)));
            QVERIFY2(read == expected, qPrintable(QStringLiteral("página %1, posição %2: %3 em vez "
                                                                 "de %4")
                                                      .arg(page + 1)
                                                      .arg(cell)
                                                      .arg(read.join('|'), expected.join('|'))));
        }
    }
}

// Too long for the bar code itself, or for bars of 0.19 mm across the roll's label.
void TestLabels::tooLongIsRefused_data() {
    QTest::addColumn<int>("length");
    QTest::newRow("60 caracteres") << 60;
    QTest::newRow("24 caracteres") << 24;
}

void TestLabels::tooLongIsRefused() {
    QFETCH(int, length);
    QTemporaryDir dir;
    const QString path = dir.filePath("etiquetas.pdf");
    const QString code = "CL:" + QString(length, 'X');
    QString error;
    QVERIFY(
        !writeLabelsPdf(path, roll(), {Label{"CL:1", "1", {}}, Label{code, "X", {}}}, 0, &error));
    QVERIFY2(error.contains("não cabe") && error.contains(code), qPrintable(error));
    QVERIFY(!QFile::exists(path));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

// Told "stop" after the second label, the painting stops without a reason to show.
void TestLabels::progressMayStop() {
    QBuffer buffer;
    QVERIFY(buffer.open(QIODevice::WriteOnly));
    QPdfWriter pdf(&buffer);
    QList<int> told;
    QString error = "?";
    QVERIFY(!paintLabels(&pdf, a4Sheet(), toolsAndPlaces(6), 0, &error, [&](int done, int total) {
        told << done << total;
        return done < 2;
    }));
    QCOMPARE(error, QString());
    QCOMPARE(told, (QList<int>{1, 6, 2, 6}));
}

QTEST_MAIN(TestLabels)
#include "tst_labels.moc"
