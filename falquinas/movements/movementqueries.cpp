#include "movementqueries.h"

#include "sqlrun.h"

#include <QSqlQuery>

namespace falq::movements {

namespace {

// The item table, its alias and the number column of the other kind (empty in this kind's rows).
struct KindNames {
    QString table;
    QString alias;
    QString otherNumber;
};

KindNames names(ItemKind kind) {
    if (kind == ItemKind::Drawing)
        return {QStringLiteral("DESENHOS"), QStringLiteral("DES"), QStringLiteral("CLICHENRO")};
    return {QStringLiteral("CLICHES"), QStringLiteral("CLI"), QStringLiteral("DESENHONRO")};
}

// The movements of the kind in the period (on MOVIMENTOS under `prefix`), binding the days.
QString movementConditions(const SqlDialect& dialect, ItemKind kind, const QString& prefix,
                           const MovementFilter& filter, Statement& s) {
    const QString from = s.bind(dialect.dayStart(filter.from));
    const QString to = s.bind(dialect.dayAfter(filter.to));
    return QStringLiteral("%1%2 = '' AND ").arg(prefix, names(kind).otherNumber) +
           dialect.dayRange(prefix + QStringLiteral("DATA"), from, to);
}

// The client and supplier patterns on the item table; nothing for a pattern that matches all.
QString patternConditions(const SqlDialect& dialect, ItemKind kind, const MovementFilter& filter,
                          Statement& s) {
    const QString alias = names(kind).alias;
    QStringList conditions;
    if (!SqlDialect::matchesEverything(filter.clientPattern)) {
        conditions << dialect.like(alias + QStringLiteral(".SIGLACLI"),
                                   s.bind(filter.clientPattern));
    }
    if (!SqlDialect::matchesEverything(filter.supplierPattern)) {
        conditions << dialect.like(alias + QLatin1Char('.') + supplierColumn(kind),
                                   s.bind(filter.supplierPattern));
    }
    return conditions.join(QStringLiteral(" AND "));
}

} // namespace

QString numberColumn(ItemKind kind) {
    return kind == ItemKind::Drawing ? QStringLiteral("DESENHONRO") : QStringLiteral("CLICHENRO");
}

QString supplierColumn(ItemKind kind) {
    return kind == ItemKind::Drawing ? QStringLiteral("SIGLAFORN") : QStringLiteral("FORNSIGLA");
}

QString measureColumn(Measure measure) {
    return measure == Measure::Uses ? QStringLiteral("UTIL_NRO") : QStringLiteral("ROTACOES");
}

PeriodMonths periodMonths(const QDate& from, const QDate& to) {
    PeriodMonths p;
    const QDate after = to.addDays(1);
    QDate first(from.year(), from.month(), 1);
    if (first < from)
        first = first.addMonths(1);
    const QDate end(after.year(), after.month(), 1); // the day after the last whole month
    if (first >= end) {
        p.days << qMakePair(from, after);
        return p;
    }
    const QDate last = end.addMonths(-1);
    p.firstMonth = first.year() * 100 + first.month();
    p.lastMonth = last.year() * 100 + last.month();
    if (from < first)
        p.days << qMakePair(from, first);
    if (end < after)
        p.days << qMakePair(end, after);
    return p;
}

namespace {

QString summedColumn(Measure measure) {
    return measure == Measure::Uses ? QStringLiteral("NROUTIL") : QStringLiteral("ROTACOES");
}

// A ranking over `sums` (a statement of the number and its total): the items joined, the
// patterns on them, largest total first.
Statement ranked(const SqlDialect& dialect, ItemKind kind, Measure measure,
                 const MovementFilter& filter, Statement s, const QString& sums) {
    const KindNames n = names(kind);
    const QString number = numberColumn(kind);
    const QString total = measureColumn(measure);
    s.sql = QStringLiteral("SELECT %1.%2 AS %2, MOV.%3 AS %3, %1.REFERENCIA, %1.SIGLACLI, %1.%4 "
                           "FROM (%5) MOV JOIN %6 %1 ON %1.%2 = MOV.%2")
                .arg(n.alias, number, total, supplierColumn(kind), sums, n.table);
    const QString patterns = patternConditions(dialect, kind, filter, s);
    if (!patterns.isEmpty())
        s.sql += QStringLiteral(" WHERE ") + patterns;
    s.sql += QStringLiteral(" ORDER BY MOV.%1 DESC, %2.%3").arg(total, n.alias, number);
    return s;
}

} // namespace

Statement rankingStatement(const SqlDialect& dialect, ItemKind kind, Measure measure,
                           const MovementFilter& filter) {
    const QString number = numberColumn(kind);
    const QString total = measureColumn(measure);
    const QString other = names(kind).otherNumber;
    Statement s;
    // The sums per number: the whole months' from the summary, the other days' from the
    // movements (through the date index), added up.
    const PeriodMonths period = periodMonths(filter.from, filter.to);
    QStringList parts;
    if (period.firstMonth <= period.lastMonth)
        parts << QStringLiteral("SELECT %1, SUM(%2) AS %3 FROM MOVIMENTOS_MES WHERE %4 = '' AND "
                                "ANO * 100 + MES >= %5 AND ANO * 100 + MES <= %6 GROUP BY %1")
                     .arg(number, summedColumn(measure), total, other, s.bind(period.firstMonth),
                          s.bind(period.lastMonth));
    for (const auto& [from, to] : period.days)
        parts << QStringLiteral("SELECT %1, SUM(%2) AS %3 FROM MOVIMENTOS WHERE %4 = '' AND %5 "
                                "GROUP BY %1")
                     .arg(number, summedColumn(measure), total, other,
                          dialect.dayRange(QStringLiteral("DATA"), s.bind(dialect.dayStart(from)),
                                           s.bind(dialect.dayStart(to))));
    const QString sums = QStringLiteral("SELECT %1, CAST(SUM(%2) AS BIGINT) AS %2 FROM (%3) P "
                                        "GROUP BY %1")
                             .arg(number, total, parts.join(QStringLiteral(" UNION ALL ")));
    return ranked(dialect, kind, measure, filter, s, sums);
}

// The raw ranking, every movement of the period grouped.
Statement movementRankingStatement(const SqlDialect& dialect, ItemKind kind, Measure measure,
                                   const MovementFilter& filter) {
    const QString number = numberColumn(kind);
    Statement s;
    QString sums = QStringLiteral("SELECT %1, SUM(%2) AS %3 FROM MOVIMENTOS WHERE ")
                       .arg(number, summedColumn(measure), measureColumn(measure));
    sums += movementConditions(dialect, kind, QString(), filter, s);
    sums += QStringLiteral(" GROUP BY %1").arg(number);
    return ranked(dialect, kind, measure, filter, s, sums);
}

namespace {

// The movements of the kind in the period joined to their items, the patterns on the items.
// `columns` may use %1 for the item table's alias and %2 for the number column.
Statement joinedMovements(const SqlDialect& dialect, ItemKind kind, const MovementFilter& filter,
                          const QString& columns, const QString& order) {
    const KindNames n = names(kind);
    const QString number = numberColumn(kind);
    Statement s;
    // Fill in the alias and the number column (replace(): the texts may name neither).
    auto named = [&](QString text) {
        return text.replace(QLatin1String("%1"), n.alias).replace(QLatin1String("%2"), number);
    };
    s.sql = QStringLiteral("SELECT ") + named(columns) +
            QStringLiteral(" FROM MOVIMENTOS MOV JOIN %1 %2 ON %2.%3 = MOV.%3 WHERE ")
                .arg(n.table, n.alias, number);
    s.sql += movementConditions(dialect, kind, QStringLiteral("MOV."), filter, s);
    const QString patterns = patternConditions(dialect, kind, filter, s);
    if (!patterns.isEmpty())
        s.sql += QStringLiteral(" AND ") + patterns;
    s.sql += QStringLiteral(" ORDER BY ") + named(order);
    return s;
}

} // namespace

Statement rankedMovementsStatement(const SqlDialect& dialect, ItemKind kind,
                                   const MovementFilter& filter) {
    return joinedMovements(
        dialect, kind, filter,
        QStringLiteral("%1.%2 AS %2, MOV.NROUTIL, MOV.ROTACOES, MOV.ENCOMENDA, MOV.DATA"),
        QStringLiteral("%1.%2, MOV.DATA DESC, MOV.NRO DESC"));
}

Statement movementListStatement(const SqlDialect& dialect, ItemKind kind,
                                const MovementFilter& filter) {
    return joinedMovements(dialect, kind, filter,
                           QStringLiteral("%1.%2 AS %2, MOV.NROUTIL, %1.REFERENCIA, %1.SIGLACLI, "
                                          "%1.") +
                               supplierColumn(kind) +
                               QStringLiteral(", MOV.ROTACOES, MOV.ENCOMENDA, MOV.DATA"),
                           QStringLiteral("MOV.DATA DESC, MOV.NRO DESC"));
}

Statement itemMovementsStatement(const SqlDialect& dialect, ItemKind kind, const QString& number,
                                 const QDate& from, const QDate& to) {
    Statement s;
    const QString item = s.bind(number);
    const QString first = s.bind(dialect.dayStart(from));
    const QString after = s.bind(dialect.dayAfter(to));
    s.sql = QStringLiteral("SELECT * FROM MOVIMENTOS WHERE %1 = %2 AND ")
                .arg(numberColumn(kind), item) +
            dialect.dayRange(QStringLiteral("DATA"), first, after) +
            QStringLiteral(" ORDER BY DATA DESC, NRO DESC");
    return s;
}

bool runForward(QSqlQuery& query, const Statement& statement, QString* error) {
    query.setForwardOnly(true);
    return runStatement(query, statement, error);
}

} // namespace falq::movements
