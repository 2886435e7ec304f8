#include "clichereports.h"

#include "codenames.h"

#include "reportimages.h"
#include "sqlrun.h"

#include <QSqlQuery>

namespace falq::cliches {

namespace {
using reports::Column;
using reports::Record;
using reports::SheetField;
using reports::SheetRow;

QStringList criteriaLines(const SearchCriteria& b) {
    using reports::boundsLine;
    const auto n = [](qint64 v) { return QString::number(v); };
    return {
        boundsLine(QStringLiteral("Limite de Cliches .........."), b.clicheFrom, b.clicheTo),
        boundsLine(QStringLiteral("Limite de Cortantes ......."), b.dieFrom, b.dieTo),
        boundsLine(QStringLiteral("Limite de Fich.Setup  ...."), n(b.setupFrom), n(b.setupTo)),
        boundsLine(QStringLiteral("Limite de Clientes ........."), n(b.clientFrom), n(b.clientTo)),
        boundsLine(QStringLiteral("Limite de Fornecedores . ..."), n(b.supplierFrom),
                   n(b.supplierTo)),
        boundsLine(QStringLiteral("Limite de Modelos ........"), n(b.modelFrom), n(b.modelTo)),
        boundsLine(QStringLiteral("Limite de Máquinas ......"), n(b.machineFrom), n(b.machineTo))};
}

// The cliché's photo file.
QString photoPath(const ImageParameters& images, const Record& r) {
    return clicheImagePath(images, fieldText(r.value("CLICHENRO")));
}
} // namespace

bool readColourTexts(const QSqlDatabase& db, QHash<qint64, QString>* texts, QString* error) {
    QSqlQuery q(db);
    if (!runStatement(q, QStringLiteral("SELECT CODIGO, DESIGNACAO, NUMERO FROM CORES"), {}, error))
        return false;
    texts->clear();
    while (q.next())
        texts->insert(q.value(0).toLongLong(),
                      fieldText(q.value(1)) + QLatin1Char(' ') + fieldText(q.value(2)));
    return true;
}

reports::Form clicheListForm(const ClicheReportOptions& o) {
    reports::Form f;
    f.name = QStringLiteral("TCORTFPR012A");
    f.title = QStringLiteral("Listagem de Clichés");
    f.orientation = QPageLayout::Landscape;
    f.criteria = criteriaLines(o.criteria);
    f.columns = {Column{QStringLiteral("Cliché Nº"), "CLICHENRO", 12},
                 Column{QStringLiteral("Cortante Nº"), "CORTANTENRO", 11},
                 Column{QStringLiteral("Fich.Setup"), "FICHASETUP", 10, Qt::AlignRight,
                        reports::ValueFormat::Integer},
                 Column{QStringLiteral("Cliente"), "SIGLACLI", 9},
                 Column{QStringLiteral("Produto"), "PRODNRO", 9},
                 Column{QStringLiteral("Fornecedor"), "FORNSIGLA", 10},
                 Column{QStringLiteral("Refer. Fornecedor"), "REFER_FORN", 17},
                 Column{QStringLiteral("Modelo"), "MODELO_DES", 12},
                 Column{QStringLiteral("Máquina"), "MAQUINA_DES", 13},
                 Column{QStringLiteral("Cód. Barras"), "CODBARRAS", 13},
                 Column{QStringLiteral("Referência"), "REFERENCIA", 16}};
    if (o.photos)
        reports::setPhotos(f, kListPhotoLines,
                           [images = o.images](const Record& r) { return photoPath(images, r); });
    return f;
}

reports::Form clicheSheetForm(const ClicheReportOptions& o) {
    reports::Form f;
    f.name = QStringLiteral("TCORTFPR012B");
    f.title = QStringLiteral("Ficha de Especificações Gráficas");
    f.orientation = QPageLayout::Landscape;
    f.pagePerRow = true;
    const QHash<qint64, QString> colours = o.colours;
    f.sheet = [colours](const Record& r) {
        const auto v = [&r](const char* field) { return fieldText(r.value(QLatin1String(field))); };
        QVector<SheetRow> rows = {
            {SheetField{QStringLiteral("Cliente ............"), v("SIGLACLI"), 70},
             SheetField{QStringLiteral("Nº Produto ......"), v("PRODNRO"), 70}},
            {SheetField{QStringLiteral("Cliche Nº  ......."), v("CLICHENRO"), 70},
             SheetField{QStringLiteral("Cortante Nº ....."), v("CORTANTENRO"), 70}},
            {SheetField{QStringLiteral("Código Barras ."), v("CODBARRAS"), 70},
             SheetField{QStringLiteral("Referência ......."), v("REFERENCIA"), 70}},
            {SheetField{QStringLiteral("Ficha de Setup"), v("FICHASETUP"), 34},
             SheetField{QStringLiteral("Fornecedor ....."), v("FORNSIGLA"), 35},
             SheetField{QStringLiteral("Refer.Fornec. .."), v("REFER_FORN"), 70}},
            {SheetField{QStringLiteral("Modelo ............"), v("MODELO_DES"), 70},
             SheetField{QStringLiteral("Máquina .........."), v("MAQUINA_DES"), 70}}};
        SheetRow colourRow = {SheetField{QStringLiteral("Côres .............."), QString(), 21}};
        for (int i = 1; i <= 6; ++i) {
            // An unknown code (or none) leaves its box empty.
            const QVariant code = r.value(QStringLiteral("COR_0%1").arg(i));
            colourRow << SheetField{
                QString(), code.isNull() ? QString() : colours.value(code.toLongLong()), 19};
        }
        rows << colourRow;
        return rows;
    };
    if (o.photos)
        reports::setPhotos(
            f, kSheetPhotoLines,
            [images = o.images](const Record& r) { return photoPath(images, r); }, true);
    return f;
}

} // namespace falq::cliches
