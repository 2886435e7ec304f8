#include "purchaseslists.h"

#include "listingtexts.h"
#include "querysource.h"
#include "reportpictures.h"

#include <QSqlQuery>

namespace falq::movements {

namespace {

using reports::Column;
using reports::ValueFormat;

const QString kTitle = QStringLiteral("Listagem de Compras e Reparações");
const QString kTotal = QStringLiteral("Total ......");

QString costText(CostKind kind) {
    switch (kind) {
    case CostKind::Purchases:
        return QStringLiteral("Compra");
    case CostKind::Repairs:
        return QStringLiteral("Reparação");
    case CostKind::Both:
        break;
    }
    return QStringLiteral("Compras+Reparações");
}

QString itemText(ItemKinds kind) {
    switch (kind) {
    case ItemKinds::Cliches:
        return QStringLiteral("Clichés");
    case ItemKinds::Drawings:
        return QStringLiteral("Desenhos");
    case ItemKinds::Both:
        break;
    }
    return QStringLiteral("Clichés+Desenhos");
}

QString orderText(TotalsOrder order) {
    return QStringLiteral("Tipo de Ordenação : ") + (order == TotalsOrder::Value
                                                         ? QStringLiteral("Valor de + para -")
                                                         : QStringLiteral("Alfabética"));
}

Column dateColumn(const QString& title, const QString& field, int width) {
    Column c{title, field, width, Qt::AlignLeft, ValueFormat::Date};
    c.value = [field](const reports::Record& r) { return parseDateTime(r.value(field)); };
    return c;
}

// An amount; a summed one totals in the currency format of the grids.
Column valueColumn(const QString& title, const QString& field, bool sum) {
    Column c{title, field, 14, Qt::AlignRight, ValueFormat::Decimal2, sum};
    if (sum)
        c.sumFormat = ValueFormat::Currency;
    return c;
}

QList<Column> detailedColumns() {
    return {{QStringLiteral("Desenho Nº"), QStringLiteral("DESENHONRO"), 20},
            {QStringLiteral("Tipo"), QStringLiteral("TIPO"), 4},
            {QStringLiteral("Requisição Nº"), QStringLiteral("ENCNRO"), 13, Qt::AlignRight,
             ValueFormat::Integer},
            dateColumn(QStringLiteral("Data Requis."), QStringLiteral("DATENC"), 12),
            {QStringLiteral("Cliché Nº"), QStringLiteral("CLICHENRO"), 12},
            {QStringLiteral("Tipo Registo"), QStringLiteral("TIPOREG"), 12},
            {QStringLiteral("Fornecedor"), QStringLiteral("FORNSIGLA"), 15},
            valueColumn(QStringLiteral("Valor"), QStringLiteral("VALOR"), true),
            {QStringLiteral("Cliente"), QStringLiteral("SIGLACLI"), 15}};
}

QList<Column> registerColumns() {
    return {{QStringLiteral("Desenho Nº"), QStringLiteral("DESENHONRO"), 20},
            {QStringLiteral("Tipo"), QStringLiteral("TIPO"), 4},
            {QStringLiteral("Requis. Nº"), QStringLiteral("ENCNRO"), 10, Qt::AlignRight,
             ValueFormat::Integer},
            dateColumn(QStringLiteral("Data Requis."), QStringLiteral("DATENC"), 12),
            {QStringLiteral("Cliché Nº"), QStringLiteral("CLICHENRO"), 12},
            {QStringLiteral("Tipo Registo"), QStringLiteral("TIPOREG"), 12},
            {QStringLiteral("Fornecedor"), QStringLiteral("FORNSIGLA"), 15},
            valueColumn(QStringLiteral("Valor"), QStringLiteral("VALOR"), false),
            {QStringLiteral("Factura Nº"), QStringLiteral("FACNRO"), 10, Qt::AlignRight,
             ValueFormat::Integer},
            dateColumn(QStringLiteral("Data Factura."), QStringLiteral("FACDATA"), 13),
            {QStringLiteral("Deb.Cli."), QStringLiteral("ADEBITAR_CLIENTE"), 8}};
}

QList<Column> totalsColumns(TotalsBy by) {
    return {by == TotalsBy::Client
                ? Column{QStringLiteral("Cliente"), QStringLiteral("SIGLACLI"), 15}
                : Column{QStringLiteral("Fornecedor"), QStringLiteral("FORNSIGLA"), 15},
            valueColumn(QStringLiteral("Valor"), QStringLiteral("VALOR"), true),
            {QStringLiteral("Unidades"), QStringLiteral("UNIDADES"), 10, Qt::AlignRight,
             ValueFormat::Integer},
            valueColumn(QStringLiteral("Valor Médio"), QStringLiteral("MEDIA"), false)};
}

// The filter's sum of VALOR, read once.
bool readSum(const QSqlDatabase& db, const PurchasesFilter& filter, double* sum, QString* error) {
    QSqlQuery q(db);
    if (!runForward(q, purchasesSumStatement(SqlDialect::forDatabase(db), filter), error))
        return false;
    *sum = q.next() ? q.value(0).toDouble() : 0.0;
    return true;
}

} // namespace

bool preparePurchasesList(const QSqlDatabase& db, const ImageParameters& images, PurchasesList list,
                          const PurchasesListOptions& options, PreparedReport& out,
                          QString* error) {
    const PurchasesFilter& filter = options.filter;
    const SqlDialect dialect = SqlDialect::forDatabase(db);
    out = PreparedReport();
    out.caption = kTitle;
    reports::Form& f = out.form;
    f.title = kTitle;
    Statement rows;
    switch (list) {
    case PurchasesList::Detailed:
        f.name = QStringLiteral("TCORTFPR032");
        f.criteria << QStringLiteral("Detalhada");
        f.columns = detailedColumns();
        rows = purchasesStatement(dialect, filter);
        break;
    case PurchasesList::ClientTotals:
    case PurchasesList::SupplierTotals: {
        const TotalsBy by =
            list == PurchasesList::ClientTotals ? TotalsBy::Client : TotalsBy::Supplier;
        f.name = by == TotalsBy::Client ? QStringLiteral("TCORTFPR032A")
                                        : QStringLiteral("TCORTFPR032B");
        f.criteria << (by == TotalsBy::Client ? QStringLiteral("Totais por Cliente")
                                              : QStringLiteral("Totais por Fornecedor"))
                   << orderText(options.order);
        f.columns = totalsColumns(by);
        rows = purchasesTotalsStatement(dialect, filter, by, options.order);
        break;
    }
    case PurchasesList::Register:
        f.name = QStringLiteral("TCORTFPR031A");
        f.columns = registerColumns();
        rows = purchasesStatement(dialect, filter);
        break;
    }
    f.criteria << costText(filter.cost) << itemText(filter.items)
               << periodCriterion(filter.from, filter.to)
               << supplierCriterion(filter.supplierPattern);
    if (list != PurchasesList::Register)
        f.criteria << clientCriterion(filter.clientPattern);
    f.orientation = list == PurchasesList::Detailed || list == PurchasesList::Register
                        ? QPageLayout::Landscape
                        : QPageLayout::Portrait;
    if (list != PurchasesList::Register) {
        double sum = 0;
        if (!readSum(db, filter, &sum, error))
            return false;
        f.summary = true;
        f.summaryLabel = kTotal;
        f.summaryTotal = [sum](int) { return sum; };
    }
    if (options.photos && (list == PurchasesList::Detailed || list == PurchasesList::Register)) {
        f.picture = [images](const reports::Record& r) {
            const bool drawing =
                r.value(QStringLiteral("TIPOREG")).toString() == QLatin1String("DS");
            return itemPicture(
                images, drawing,
                r.value(drawing ? QStringLiteral("DESENHONRO") : QStringLiteral("CLICHENRO"))
                    .toString());
        };
        f.pictureLines = kPictureLines;
    }
    auto source = std::make_unique<reports::QuerySource>(db, rows);
    if (!source->ok()) {
        if (error)
            *error = source->error();
        return false;
    }
    out.source = std::move(source);
    return true;
}

} // namespace falq::movements
