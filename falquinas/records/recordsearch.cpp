#include "recordsearch.h"

#include "sqlrun.h"

#include <QSqlQuery>

namespace falq {

namespace {
// An empty bound is the empty text, never NULL (which no row would compare with).
QVariant textValue(const QString& text) {
    return text.isNull() ? QVariant(QStringLiteral("")) : QVariant(text);
}
} // namespace

void SearchBuilder::addTextRange(const QString& column, const QString& lowParam, const QString& low,
                                 const QString& defaultLow, const QString& highParam,
                                 const QString& high, const QString& defaultHigh) {
    if (low != defaultLow) {
        m_conditions << QStringLiteral("%1 >= %2").arg(column, lowParam);
        m_binds << qMakePair(lowParam, textValue(low));
    }
    if (high != defaultHigh) {
        m_conditions << QStringLiteral("%1 <= %2").arg(column, highParam);
        m_binds << qMakePair(highParam, textValue(high));
    }
}

void SearchBuilder::addNumberRanges(std::initializer_list<NumberBounds> ranges) {
    // A bound may lie beyond a small column's range (99999 on a SMALLINT): it is bound as an
    // integer of its own, which the column's index still serves.
    for (const NumberBounds& r : ranges) {
        const QString column = QLatin1String(r.column);
        if (r.low != r.defaultLow) {
            const QString param = QLatin1String(r.lowParam);
            m_conditions << QStringLiteral("%1 >= CAST(%2 AS INTEGER)").arg(column, param);
            m_binds << qMakePair(param, QVariant(r.low));
        }
        if (r.high != r.defaultHigh) {
            const QString param = QLatin1String(r.highParam);
            m_conditions << QStringLiteral("%1 <= CAST(%2 AS INTEGER)").arg(column, param);
            m_binds << qMakePair(param, QVariant(r.high));
        }
    }
}

void SearchBuilder::addPattern(const QString& column, const QString& param,
                               const QString& pattern) {
    if (SqlDialect::matchesEverything(pattern))
        return;
    m_conditions << m_dialect.like(column, param);
    m_binds << qMakePair(param, textValue(pattern));
}

void SearchBuilder::addEquals(const QString& column, const QString& param, const QVariant& value) {
    m_conditions << QStringLiteral("%1 = %2").arg(column, param);
    m_binds << qMakePair(param, value);
}

SearchStatement SearchBuilder::statement(const QString& selectAndJoins,
                                         const QStringList& order) const {
    SearchStatement s;
    s.sql = selectAndJoins;
    if (!m_conditions.isEmpty())
        s.sql += QStringLiteral("\nWHERE ") + m_conditions.join(QStringLiteral("\n  and "));
    s.sql += QStringLiteral("\nORDER BY ") + order.join(QStringLiteral(", "));
    s.binds = m_binds;
    return s;
}

QStringList searchOrder(const QString& sortColumn, const QString& numberColumn) {
    if (sortColumn == numberColumn)
        return {numberColumn};
    return {sortColumn, numberColumn};
}

QString patternOrAll(const QString& typed) {
    return typed.isEmpty() ? QStringLiteral("%") : typed;
}

namespace {
// 1 when the text bound first sorts above the text bound second, the way the number columns
// compare (without regard to case), else 0.
QString textAbove(const SqlDialect& dialect) {
    switch (dialect.engine()) {
    case SqlDialect::Engine::PostgreSQL:
        return QStringLiteral("SELECT CASE WHEN CAST(? AS CITEXT) > CAST(? AS CITEXT) "
                              "THEN 1 ELSE 0 END");
    case SqlDialect::Engine::SqlServer:
        return QStringLiteral("SELECT CASE WHEN CAST(? AS VARCHAR(100)) COLLATE "
                              "SQL_Latin1_General_CP1_CI_AS > CAST(? AS VARCHAR(100)) "
                              "THEN 1 ELSE 0 END");
    case SqlDialect::Engine::SQLite:
        break;
    }
    return QStringLiteral(
        "SELECT CASE WHEN CAST(? AS TEXT) COLLATE NOCASE > CAST(? AS TEXT) THEN 1 ELSE 0 END");
}
} // namespace

bool textBoundsInverted(const QSqlDatabase& db, const QString& low, const QString& high,
                        bool* inverted, QString* error) {
    QSqlQuery q(db);
    QString why;
    if (!runStatement(q, textAbove(SqlDialect::forDatabase(db)), {low, high}, &why) || !q.next()) {
        if (error)
            *error = why;
        return false;
    }
    *inverted = q.value(0).toInt() == 1;
    return true;
}

} // namespace falq
