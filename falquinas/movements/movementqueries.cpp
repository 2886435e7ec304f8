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

QString summedPerNumber(const SqlDialect& dialect, ItemKind kind, const QDate& from,
                        const QDate& to, const QList<NamedSum>& sums, Statement& s, SumsFrom source,
                        const std::function<QString(const QString&)>& numbers) {
    const QString number = numberColumn(kind);
    const QString other = names(kind).otherNumber;
    // Where a part reads: the monthly sums, the movements, the parts added up, the totals.
    enum From { Months, Movements, Parts, Totals };
    auto columns = [&](From from) {
        static const char* const kOver[][4] = {
            {"SUM(NROUTIL)", "SUM(NROUTIL)", "CAST(SUM(%1) AS BIGINT)", "NROUTIL"},
            {"SUM(ROTACOES)", "SUM(ROTACOES)", "CAST(SUM(%1) AS BIGINT)", "ROTACOES"},
            {"SUM(MOVIMENTOS)", "COUNT(*)", "CAST(SUM(%1) AS BIGINT)", "MOVIMENTOS"},
            {"MIN(PRIMEIRA)", "MIN(DATA)", "MIN(%1)", "PRIMEIRA"},
            {"MAX(ULTIMA)", "MAX(DATA)", "MAX(%1)", "ULTIMA"}};
        QStringList out;
        for (const NamedSum& n : sums) {
            QString c = QLatin1String(kOver[int(n.sum)][from]);
            c.replace(QLatin1String("%1"), n.name);
            out << c + QStringLiteral(" AS ") + n.name;
        }
        return out.join(QStringLiteral(", "));
    };
    // A part's rows of the kind, written for the index that should find them: the planner
    // knows only the average rows per number, and would otherwise walk the index of the other
    // number, whose '' holds most rows. On the movements the date's index finds the days (or
    // the number's, for one tool or a range); on the monthly sums the period's covering index
    // (or the tool's key); on the totals the key: the drawing rows are those after the empty
    // drawing number, the cliché rows those of the empty one.
    auto kindRows = [&](From from) {
        const QString empty = QStringLiteral(" = ''");
        if (from == Movements) // (every movement grouped: written as it always was)
            return (source == SumsFrom::Movements && !numbers ? other
                                                              : dialect.withoutIndex(other)) +
                   empty;
        if (kind == ItemKind::Drawing)
            return QStringLiteral("DESENHONRO > '' AND ") +
                   dialect.withoutIndex(QStringLiteral("CLICHENRO")) + empty;
        return (from == Months ? dialect.withoutIndex(QStringLiteral("DESENHONRO"))
                               : QStringLiteral("DESENHONRO")) +
               empty;
    };
    auto part = [&](From from, const QString& condition) {
        static const char* const kTables[] = {"MOVIMENTOS_MES", "MOVIMENTOS", "",
                                              "MOVIMENTOS_TOTAL"};
        QString sql = QStringLiteral("SELECT %1, %2 FROM %3 WHERE %4")
                          .arg(number, columns(from), QLatin1String(kTables[from]), kindRows(from));
        if (!condition.isEmpty())
            sql += QStringLiteral(" AND ") + condition;
        if (numbers)
            sql += numbers(number);
        // The totals hold one row per tool already.
        return from == Totals ? sql : sql + QStringLiteral(" GROUP BY ") + number;
    };
    const bool period = from.isValid() && to.isValid();
    auto days = [&](const QDate& first, const QDate& after) {
        return dialect.dayRange(QStringLiteral("DATA"), s.bind(dialect.dayStart(first)),
                                s.bind(dialect.dayStart(after)));
    };
    if (source == SumsFrom::Movements || !dialect.keepsMovementSums())
        return part(Movements, period ? days(from, to.addDays(1)) : QString());
    if (!period)
        return part(Totals, QString());
    // A period that holds every movement (none without a date) is read from the totals, any
    // other from its whole months and its other days. The engine decides once, before it reads
    // a row: the first and the last date, and a movement without one, come from the date's
    // index. (Each use binds its own values: not every driver takes a name twice.)
    auto whole = [&] {
        return QStringLiteral("COALESCE((SELECT MIN(DATA) FROM MOVIMENTOS) >= %1 AND "
                              "(SELECT MAX(DATA) FROM MOVIMENTOS) < %2, 1 = 0) AND NOT EXISTS "
                              "(SELECT 1 FROM MOVIMENTOS WHERE DATA IS NULL)")
            .arg(s.bind(dialect.dayStart(from)), s.bind(dialect.dayStart(to.addDays(1))));
    };
    QStringList parts;
    const PeriodMonths months = periodMonths(from, to);
    if (months.firstMonth <= months.lastMonth)
        parts << part(Months,
                      QStringLiteral("(ANO, MES) >= (%1, %2) AND (ANO, MES) <= (%3, %4) "
                                     "AND NOT (")
                              .arg(s.bind(months.firstMonth / 100), s.bind(months.firstMonth % 100),
                                   s.bind(months.lastMonth / 100), s.bind(months.lastMonth % 100)) +
                          whole() + QLatin1Char(')'));
    for (const auto& [day, next] : months.days)
        parts << part(Movements,
                      days(day, next) + QStringLiteral(" AND NOT (") + whole() + QLatin1Char(')'));
    return part(Totals, whole()) +
           QStringLiteral(" UNION ALL SELECT %1, %2 FROM (%3) P GROUP BY %1")
               .arg(number, columns(Parts), parts.join(QStringLiteral(" UNION ALL ")));
}

Statement rankingStatement(const SqlDialect& dialect, ItemKind kind, Measure measure,
                           const MovementFilter& filter, SumsFrom source) {
    Statement s;
    const QString sums = summedPerNumber(
        dialect, kind, filter.from, filter.to,
        {{measure == Measure::Uses ? Sum::Uses : Sum::Rotations, measureColumn(measure)}}, s,
        source);
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
