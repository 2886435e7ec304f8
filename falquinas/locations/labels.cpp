#include "labels.h"

#include "wholefile.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QRectF>

#include <zint.h>

#include <algorithm>
#include <memory>

namespace falq::locations {

namespace {

constexpr double kPadMm = 1.5;           // white border kept inside every label
constexpr double kMinModuleMm = 0.19;    // the narrowest bar that scanners still read
constexpr double kMaxModuleMm = 0.5;     // wider bars would only make a short code long
constexpr int kQuietModules = 10;        // white space each side of the bars
constexpr double kMinBarsRollMm = 8.0;   // the height of the bars, at least: on a roll
constexpr double kMinBarsSheetMm = 10.0; // and on a sheet
// A printer, or a program turning the page into dots, blackens every dot that a bar touches,
// so bars come out wider and the spaces between them narrower, by up to a dot; the bars are
// drawn that much narrower, about half a dot of a coarse printer.
constexpr double kSpreadMm = 0.07;

// A bar code as its bars: across in modules (the narrowest bar's width), down as a part of
// the bars' height.
struct Bars {
    QList<QRectF> rects;
    int modules = 0;
    double moduleMm = 0;
};

bool fail(QString* error, const QString& text) {
    if (error)
        *error = text;
    return false;
}

int positionsPerPage(const LabelFormat& format) {
    return std::max(1, format.columns * format.rows);
}

int firstPosition(const LabelFormat& format, int offset) {
    return std::clamp(offset, 0, positionsPerPage(format) - 1);
}

// The room inside a label, in millimetres from the label's top left corner.
QRectF innerBox(const LabelFormat& format) {
    return QRectF(QPointF(0, 0), format.labelMm).adjusted(kPadMm, kPadMm, -kPadMm, -kPadMm);
}

bool encode(const QString& text, double boxWidthMm, Bars* bars, QString* error) {
    const std::unique_ptr<zint_symbol, void (*)(zint_symbol*)> symbol(ZBarcode_Create(),
                                                                      ZBarcode_Delete);
    if (!symbol)
        return fail(error,
                    QStringLiteral("Não há memória para o código de barras de %1.").arg(text));
    symbol->symbology = BARCODE_CODE128;
    symbol->input_mode = UNICODE_MODE;
    symbol->show_hrt = 0;
    const QByteArray utf8 = text.toUtf8();
    const int result =
        ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(utf8.constData()),
                        static_cast<int>(utf8.size()));
    if (result == ZINT_ERROR_TOO_LONG)
        return fail(error,
                    QStringLiteral("O código de barras de %1 não cabe na etiqueta.").arg(text));
    if (result >= ZINT_ERROR || ZBarcode_Buffer_Vector(symbol.get(), 0) >= ZINT_ERROR)
        return fail(error, QStringLiteral("Não foi possível fazer o código de barras de %1: %2")
                               .arg(text, QString::fromUtf8(symbol->errtxt)));
    // The bars' own extent, whatever unit and white space the library draws them with.
    QRectF extent;
    for (const zint_vector_rect* r = symbol->vector->rectangles; r; r = r->next)
        extent |= QRectF(r->x, r->y, r->width, r->height);
    if (extent.isEmpty() || symbol->width <= 0)
        return fail(error, QStringLiteral("O código de barras de %1 ficou vazio.").arg(text));
    const double unit = extent.width() / symbol->width;
    for (const zint_vector_rect* r = symbol->vector->rectangles; r; r = r->next)
        bars->rects << QRectF((r->x - extent.left()) / unit,
                              (r->y - extent.top()) / extent.height(), r->width / unit,
                              r->height / extent.height());
    bars->modules = symbol->width;
    // As wide as the label allows, with the white space either side.
    bars->moduleMm = std::min(kMaxModuleMm, boxWidthMm / (symbol->width + 2.0 * kQuietModules));
    if (bars->moduleMm < kMinModuleMm)
        return fail(error,
                    QStringLiteral("O código de barras de %1 não cabe na etiqueta.").arg(text));
    return true;
}

// One line of text, centred in `band` (device units) and cut with "…" when too long.
void drawLine(QPainter& painter, const QRectF& band, const QString& text, double sizeShare,
              bool bold) {
    if (text.isEmpty())
        return;
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    font.setBold(bold);
    font.setPixelSize(std::max(1, qRound(band.height() * sizeShare)));
    const QFontMetricsF metrics(font, painter.device());
    painter.setFont(font);
    painter.drawText(band, Qt::AlignHCenter | Qt::AlignVCenter,
                     metrics.elidedText(text.simplified(), Qt::ElideRight, band.width()));
}

// From the top: the bars, their text in small print, the number in large print, three small
// lines. `label` is in millimetres on the page, `dpmm` the device's units per millimetre.
void paintLabel(QPainter& painter, const LabelFormat& format, const QRectF& label, double dpmm,
                const Label& content, const Bars& bars) {
    const QRectF box = innerBox(format).translated(label.topLeft());
    const double height = box.height();
    const bool sheet = positionsPerPage(format) > 1;
    const double barsMm = std::max(sheet ? kMinBarsSheetMm : kMinBarsRollMm, height * 0.36);
    const double hrtMm = height * 0.09;
    const double bigMm = height * 0.22;
    const double lineMm = (height - barsMm - hrtMm - bigMm) / 3;
    const auto band = [&](double topMm, double heightMm) {
        return QRectF(box.left() * dpmm, topMm * dpmm, box.width() * dpmm, heightMm * dpmm);
    };

    // Centred, each bar narrower by the spread, its middle where the module grid puts it.
    const double left = box.center().x() - bars.modules * bars.moduleMm / 2;
    for (const QRectF& r : bars.rects)
        painter.fillRect(QRectF((left + r.x() * bars.moduleMm + kSpreadMm / 2) * dpmm,
                                (box.top() + r.y() * barsMm) * dpmm,
                                (r.width() * bars.moduleMm - kSpreadMm) * dpmm,
                                r.height() * barsMm * dpmm),
                         Qt::black);
    double top = box.top() + barsMm;
    drawLine(painter, band(top, hrtMm), content.barcode, 0.7, false);
    top += hrtMm;
    drawLine(painter, band(top, bigMm), content.big, 0.8, true);
    top += bigMm;
    for (int i = 0; i < std::min<int>(3, content.lines.size()); ++i, top += lineMm)
        drawLine(painter, band(top, lineMm), content.lines.at(i), 0.78, false);
}

} // namespace

LabelFormat a4Sheet() {
    return {QStringLiteral("A4-3x8"),
            QStringLiteral("Folha A4, 3 × 8 etiquetas de 70 × 37 mm"),
            QPageSize(QPageSize::A4),
            3,
            8,
            QSizeF(70, 37),
            QMarginsF(0, 0.5, 0, 0.5),
            QSizeF(0, 0)};
}

LabelFormat roll() {
    const QSizeF size(62, 29);
    return {QStringLiteral("Rolo-62x29"),
            QStringLiteral("Rolo, etiquetas de 62 × 29 mm"),
            QPageSize(size, QPageSize::Millimeter, QStringLiteral("Etiqueta 62 × 29 mm"),
                      QPageSize::ExactMatch),
            1,
            1,
            size,
            QMarginsF(),
            QSizeF(0, 0)};
}

QList<LabelFormat> labelFormats() {
    return {a4Sheet(), roll()};
}

const LabelFormat* labelFormat(const QString& key) {
    static const QList<LabelFormat> formats = labelFormats();
    for (const LabelFormat& format : formats)
        if (format.key == key)
            return &format;
    return nullptr;
}

int labelPages(const LabelFormat& format, int labels, int offset) {
    if (labels <= 0)
        return 0;
    const int per = positionsPerPage(format);
    return (firstPosition(format, offset) + labels + per - 1) / per;
}

bool paintLabels(QPagedPaintDevice* device, const LabelFormat& format, const QList<Label>& labels,
                 int offset, QString* error,
                 const std::function<bool(int done, int total)>& progress) {
    if (labels.isEmpty())
        return fail(error, QStringLiteral("Não há etiquetas para imprimir."));
    // Every bar code is made first: one that cannot be made or does not fit stops the whole.
    const double boxWidth = innerBox(format).width();
    QList<Bars> bars(labels.size());
    for (int i = 0; i < labels.size(); ++i)
        if (!encode(labels.at(i).barcode, boxWidth, &bars[i], error))
            return false;

    // Positions are measured from the paper's corner. A printer that cannot print to the edge
    // keeps its own margins (what falls in them is not printed) rather than refusing the page.
    if (auto* printer = dynamic_cast<QPrinter*>(device))
        printer->setFullPage(true);
    if (!device->setPageLayout(QPageLayout(format.page, QPageLayout::Portrait, QMarginsF(),
                                           QPageLayout::Millimeter)) &&
        !device->setPageSize(format.page))
        return fail(error,
                    QStringLiteral("A impressora não aceita a página de %1.").arg(format.name));
    QPainter painter;
    if (!painter.begin(device))
        return fail(error, QStringLiteral("Não foi possível começar a impressão das etiquetas."));
    painter.setPen(Qt::black);
    const double dpmm = device->logicalDpiX() / 25.4;
    const int per = positionsPerPage(format);
    const int first = firstPosition(format, offset);
    const QSizeF step = format.labelMm + format.gapMm;
    for (int i = 0; i < labels.size(); ++i) {
        const int position = first + i;
        if (i > 0 && position % per == 0 && !device->newPage()) {
            painter.end();
            return fail(error, QStringLiteral("Não foi possível começar uma nova página."));
        }
        const int cell = position % per;
        const QPointF topLeft(format.marginsMm.left() + (cell % format.columns) * step.width(),
                              format.marginsMm.top() + (cell / format.columns) * step.height());
        paintLabel(painter, format, QRectF(topLeft, format.labelMm), dpmm, labels.at(i),
                   bars.at(i));
        if (progress && !progress(i + 1, int(labels.size()))) {
            painter.end();
            return fail(error, QString());
        }
    }
    if (!painter.end())
        return fail(error, QStringLiteral("Não foi possível terminar a impressão das etiquetas."));
    return true;
}

bool writeLabelsPdf(const QString& path, const LabelFormat& format, const QList<Label>& labels,
                    int offset, QString* error) {
    WholeFileWriter file(path, ExistingFile::Replace);
    if (!file.create())
        return fail(error, file.error());
    bool ok = false;
    {
        QPdfWriter pdf(&file);
        pdf.setResolution(300);
        pdf.setCreator(QStringLiteral("Falquinas"));
        pdf.setTitle(QStringLiteral("Etiquetas"));
        ok = paintLabels(&pdf, format, labels, offset, error);
    }
    if (ok && file.commit())
        return true;
    // A refusal of the disk is the reason, whatever the writer made of it.
    if (file.failed())
        fail(error, file.error());
    file.cancel();
    return false;
}

} // namespace falq::locations
