#include "purchasesqueries.h"

namespace falq::movements {

namespace {

QString conditions(const SqlDialect& dialect, const PurchasesFilter& filter, Statement& s) {
    QString where = QStringLiteral(" WHERE ") + dialect.dayRange(QStringLiteral("DATENC"),
                                                                 QStringLiteral(":WDATENC1"),
                                                                 QStringLiteral(":WDATENC2"));
    s.bind(QStringLiteral(":WDATENC1"), dialect.dayStart(filter.from));
    s.bind(QStringLiteral(":WDATENC2"), dialect.dayAfter(filter.to));
    if (!SqlDialect::matchesEverything(filter.supplierPattern)) {
        where += QStringLiteral(" AND ") +
                 dialect.like(QStringLiteral("FORNSIGLA"), QStringLiteral(":FORNECEDOR"));
        s.bind(QStringLiteral(":FORNECEDOR"), filter.supplierPattern);
    }
    if (!SqlDialect::matchesEverything(filter.clientPattern)) {
        where += QStringLiteral(" AND ") +
                 dialect.like(QStringLiteral("SIGLACLI"), QStringLiteral(":CLIENTE"));
        s.bind(QStringLiteral(":CLIENTE"), filter.clientPattern);
    }
    if (filter.cost == CostKind::Purchases)
        where += QStringLiteral(" AND TIPO = 'C'");
    else if (filter.cost == CostKind::Repairs)
        where += QStringLiteral(" AND TIPO = 'R'");
    if (filter.items == ItemKinds::Cliches)
        where += QStringLiteral(" AND TIPOREG = 'CL'");
    else if (filter.items == ItemKinds::Drawings)
        where += QStringLiteral(" AND TIPOREG = 'DS'");
    return where;
}

} // namespace

Statement purchasesStatement(const SqlDialect& dialect, const PurchasesFilter& filter) {
    Statement s;
    s.sql = QStringLiteral("SELECT * FROM REPARACOES") + conditions(dialect, filter, s) +
            QStringLiteral(" ORDER BY DATENC DESC, NRO DESC");
    return s;
}

Statement purchasesTotalsStatement(const SqlDialect& dialect, const PurchasesFilter& filter,
                                   TotalsBy by, TotalsOrder order) {
    const QString name =
        by == TotalsBy::Client ? QStringLiteral("SIGLACLI") : QStringLiteral("FORNSIGLA");
    Statement s;
    s.sql = QStringLiteral("SELECT %1, SUM(VALOR) AS VALOR, COUNT(*) AS UNIDADES, "
                           "SUM(VALOR) / COUNT(*) AS MEDIA FROM REPARACOES")
                .arg(name) +
            conditions(dialect, filter, s) + QStringLiteral(" GROUP BY ") + name;
    const QString byName = QStringLiteral("CASE WHEN %1 IS NULL THEN 0 ELSE 1 END, %1").arg(name);
    s.sql += order == TotalsOrder::Value ? QStringLiteral(" ORDER BY SUM(VALOR) DESC, ") + byName
                                         : QStringLiteral(" ORDER BY ") + byName;
    return s;
}

Statement purchasesSumStatement(const SqlDialect& dialect, const PurchasesFilter& filter) {
    Statement s;
    s.sql = QStringLiteral("SELECT SUM(VALOR) AS VALOR, COUNT(*) AS UNIDADES FROM REPARACOES") +
            conditions(dialect, filter, s);
    return s;
}

} // namespace falq::movements
