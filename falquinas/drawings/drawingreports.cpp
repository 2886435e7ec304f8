#include "drawingreports.h"

#include "codenames.h"

#include "reportimages.h"
#include "viewerwindow.h"

namespace falq::drawings {

namespace {
using reports::Column;
using reports::Record;
using reports::SheetField;
using reports::SheetRow;
using reports::ValueFormat;

// Measures and quantities as plain numbers ("500", "12,5").
QString number(const QVariant& v) {
    if (v.isNull())
        return {};
    const double d = v.toDouble();
    return d == qint64(d) ? QString::number(qint64(d))
                          : reports::formatValue(v, ValueFormat::Decimal2);
}

QString photoPath(const ImageParameters& images, const Record& r) {
    return drawingImagePath(images, fieldText(r.value("DESENHONRO")));
}
} // namespace

reports::Form drawingListForm(const DrawingReportOptions& o) {
    using reports::boundsLine;
    const SearchCriteria& b = o.criteria;
    const auto n = [](qint64 v) { return QString::number(v); };
    reports::Form f;
    f.name = QStringLiteral("TCORTFPR022A");
    f.title = QStringLiteral("Listagem de Desenhos");
    f.orientation = QPageLayout::Landscape;
    f.criteria = {
        boundsLine(QStringLiteral("Limite de Desenhos ......."), b.drawingFrom, b.drawingTo),
        boundsLine(QStringLiteral("Limite de Cortantes ......."), b.dieFrom, b.dieTo),
        boundsLine(QStringLiteral("Limite de Clientes ........."), n(b.clientFrom), n(b.clientTo)),
        boundsLine(QStringLiteral("Limite de Fornecedores . ..."), n(b.supplierFrom),
                   n(b.supplierTo)),
        boundsLine(QStringLiteral("Limite de Vendedores....."), n(b.salesmanFrom), n(b.salesmanTo)),
        boundsLine(QStringLiteral("Limite de Máquinas ......."), n(b.machineFrom), n(b.machineTo)),
        boundsLine(QStringLiteral("Limite de Cartões ........."), n(b.boardFrom), n(b.boardTo))};
    Column direction{QStringLiteral("Dir.Canal"), "DIR_CANAL", 10};
    direction.value = [](const Record& r) {
        return TDesenhoViewer::flowDirectionWord(fieldText(r.value("DIR_CANAL")));
    };
    Column view{QStringLiteral("Vista"), "VISTA", 8};
    view.value = [](const Record& r) {
        return TDesenhoViewer::viewWord(fieldText(r.value("VISTA")));
    };
    f.columns = {
        Column{QStringLiteral("Desenho Nº"), "DESENHONRO", 14},
        Column{QStringLiteral("Cortante Nº"), "CORTANTENRO", 11},
        Column{QStringLiteral("Referência"), "REFERENCIA", 16},
        Column{QStringLiteral("Cliente"), "SIGLACLI", 9},
        Column{QStringLiteral("Fornecedor"), "SIGLAFORN", 10},
        direction,
        view,
        Column{QStringLiteral("Golpes"), "GOLPES_CAIXA", 6, Qt::AlignRight, ValueFormat::Integer},
        Column{QStringLiteral("Cartão"), "CARTAO_DES", 11},
        Column{QStringLiteral("Delegado"), "VNDNOME", 12},
        Column{QStringLiteral("Data Pedido"), "DATAPEDIDA", 11, Qt::AlignLeft, ValueFormat::Date},
        Column{QStringLiteral("Máquina"), "MAQUINA_DES", 13}};
    if (o.photos)
        reports::setPhotos(f, kListPhotoLines,
                           [images = o.images](const Record& r) { return photoPath(images, r); });
    return f;
}

reports::Form drawingSheetForm(const DrawingReportOptions& o) {
    reports::Form f;
    f.name = QStringLiteral("TCORTFPR022B");
    f.title = QStringLiteral("Ficha Tecnica");
    f.orientation = QPageLayout::Landscape;
    f.sheet = [](const Record& r) {
        const auto v = [&r](const char* field) { return fieldText(r.value(QLatin1String(field))); };
        const auto n = [&r](const char* field) { return number(r.value(QLatin1String(field))); };
        const auto date = [&r](const char* field) {
            return reports::formatValue(r.value(QLatin1String(field)), ValueFormat::Date);
        };
        return QVector<SheetRow>{
            {SheetField{QStringLiteral("Desenho Nº  ..."), v("DESENHONRO"), 36},
             SheetField{QStringLiteral("Medida interior"),
                        n("LARGURA") + " x " + n("COMPRIM") + " x " + n("ALTURA"), 34},
             SheetField{QStringLiteral("Medida da Placa"),
                        n("LARG_PLACA") + " x " + n("COMP_PLACA"), 30},
             SheetField{QStringLiteral("Data"), date("DATA"), 17},
             SheetField{QStringLiteral("Quantid."), n("QUANTID"), 20}},
            {SheetField{QStringLiteral("Cartão ............"), v("CARTAO_DES"), 35},
             SheetField{QStringLiteral("Cliente ......."), v("SIGLACLI"), 30},
             SheetField{QStringLiteral("Referência ....."), v("REFERENCIA"), 42},
             SheetField{QStringLiteral("Desenhador ...."), v("DESENHADOR_DES"), 31}},
            {SheetField{QStringLiteral("Delegado ......."), v("VNDNOME"), 35},
             SheetField{QStringLiteral("Data do Pedido"), date("DATAPEDIDA"), 30},
             SheetField{QStringLiteral("Máquina .........."), v("MAQUINA_DES"), 42},
             SheetField{QStringLiteral("Fornecedor ....."), v("SIGLAFORN"), 31}},
            {SheetField{QStringLiteral("Direcção Canal"),
                        TDesenhoViewer::flowDirectionWord(v("DIR_CANAL")), 35},
             SheetField{QStringLiteral("Golpes p/ Caixa"), n("GOLPES_CAIXA"), 30},
             SheetField{QStringLiteral("Vista ................"),
                        TDesenhoViewer::viewWord(v("VISTA")), 42},
             SheetField{QStringLiteral("Cortante Nº ....."), v("CORTANTENRO"), 31}}};
    };
    // The photo's area is kept with or without the photo: every block is as high.
    reports::setPhotos(
        f, kSheetPhotoLines,
        [images = o.images, photos = o.photos](const Record& r) {
            return photos ? photoPath(images, r) : QString();
        },
        true);
    return f;
}

} // namespace falq::drawings
