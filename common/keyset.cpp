#include "keyset.h"

#include "schema.h"

#include <QRegularExpression>

namespace falq {

namespace {

// The statement with quoted text and parenthesised parts blanked out, so keywords are found
// only at its top level. Positions stay those of the statement.
QString topLevel(const QString& sql) {
    QString out = sql;
    int depth = 0;
    QChar quote;
    for (int i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            out[i] = QLatin1Char(' ');
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('[')) {
            quote = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            out[i] = QLatin1Char(' ');
        } else if (c == QLatin1Char('(')) {
            ++depth;
            out[i] = QLatin1Char(' ');
        } else if (c == QLatin1Char(')')) {
            --depth;
            out[i] = QLatin1Char(' ');
        } else if (depth > 0) {
            out[i] = QLatin1Char(' ');
        }
    }
    return out;
}

QString placeholderFor(int& counter) {
    return QStringLiteral(":falq_k%1").arg(++counter);
}

} // namespace

KeysetQuery KeysetQuery::parse(const QString& statement, const QStringList& keyColumns,
                               const TableDef* table, const SqlDialect& dialect) {
    KeysetQuery q;
    q.m_dialect = dialect;
    const QString sql = statement.trimmed();
    const QString top = topLevel(sql);
    auto refuse = [&](const QString& why) {
        q.m_reason = why;
        return q;
    };
    if (!sql.startsWith(QLatin1String("SELECT"), Qt::CaseInsensitive))
        return refuse(QStringLiteral("not a SELECT"));
    if (sql.contains(QLatin1Char('?')))
        return refuse(QStringLiteral("positional parameters"));
    static const QRegularExpression refused(
        QStringLiteral("\\b(UNION|INTERSECT|EXCEPT|GROUP\\s+BY|HAVING|DISTINCT|LIMIT|OFFSET|"
                       "FETCH|TOP)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch bad = refused.match(top);
    if (bad.hasMatch())
        return refuse(bad.captured(1).simplified().toUpper());
    static const QRegularExpression orderBy(QStringLiteral("\\bORDER\\s+BY\\b"),
                                            QRegularExpression::CaseInsensitiveOption);
    QRegularExpressionMatchIterator it = orderBy.globalMatch(top);
    QRegularExpressionMatch last;
    while (it.hasNext())
        last = it.next();
    if (!last.hasMatch())
        return refuse(QStringLiteral("no order"));
    q.m_base = sql.left(last.capturedStart()).trimmed();
    const QString order = sql.mid(last.capturedEnd()).trimmed();
    static const QRegularExpression term(
        QStringLiteral(
            "^(?:[A-Za-z_][A-Za-z0-9_]*\\.)?([A-Za-z_][A-Za-z0-9_]*)(?:\\s+(ASC|DESC))?$"),
        QRegularExpression::CaseInsensitiveOption);
    auto nullable = [&](const QString& column) {
        return !(table && table->primaryKey.contains(column, Qt::CaseInsensitive));
    };
    for (const QString& part : order.split(QLatin1Char(','))) {
        const QRegularExpressionMatch m = term.match(part.trimmed());
        if (!m.hasMatch())
            return refuse(QStringLiteral("order on an expression"));
        const QString column = m.captured(1).toUpper();
        q.m_terms << OrderTerm{
            column, m.captured(2).compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0,
            nullable(column)};
    }
    if (keyColumns.isEmpty())
        return refuse(QStringLiteral("no key"));
    for (const QString& key : keyColumns) {
        bool present = false;
        for (const OrderTerm& t : std::as_const(q.m_terms))
            present = present || t.column.compare(key, Qt::CaseInsensitive) == 0;
        if (!present)
            q.m_terms << OrderTerm{key.toUpper(), false, nullable(key)};
    }
    q.m_ok = true;
    return q;
}

QString KeysetQuery::countSql(const QString& condition, int limit) const {
    const QString where = condition.isEmpty() ? QString() : QStringLiteral(" WHERE ") + condition;
    if (limit > 0) // counts at most `limit` rows (SQLite and PostgreSQL)
        return QStringLiteral("SELECT COUNT(*) FROM (SELECT 1 AS falq_one FROM (%1) falq_q%2 "
                              "LIMIT %3) falq_c")
            .arg(m_base, where)
            .arg(limit);
    return QStringLiteral("SELECT COUNT(*) FROM (%1) falq_q").arg(m_base) + where;
}

QString KeysetQuery::rowsSql(const QString& condition, bool reverse, int limit, int offset) const {
    QStringList order;
    for (const OrderTerm& t : m_terms)
        order << t.column + (t.descending != reverse ? QStringLiteral(" DESC") : QString());
    QString sql = QStringLiteral("SELECT * FROM (%1) falq_q").arg(m_base);
    if (!condition.isEmpty())
        sql += QStringLiteral(" WHERE ") + condition;
    sql += QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", "));
    return sql + m_dialect.limitClause(limit, offset);
}

QList<KeysetCondition> KeysetQuery::beyond(const QVariantList& boundary, bool before) const {
    int counter = 0;
    // Term i in the direction of reading: ascending, and whether its NULLs come first.
    auto ascending = [&](int i) { return m_terms[i].descending == before; };
    auto nullsFirst = [&](int i) { return ascending(i) == m_dialect.nullsSortLow(); };
    auto isNull = [&](int i) { return boundary.value(i).isNull(); };

    // "Comes after the boundary on term i", or empty when no value does.
    auto after = [&](int i, Bindings& binds, bool withNulls) -> QString {
        const QString& c = m_terms[i].column;
        if (isNull(i))
            return nullsFirst(i) && m_terms[i].nullable ? c + QStringLiteral(" IS NOT NULL")
                                                        : QString();
        const QString p = placeholderFor(counter);
        binds << qMakePair(p, boundary[i]);
        QString s = QStringLiteral("%1 %2 %3")
                        .arg(c, ascending(i) ? QStringLiteral(">") : QStringLiteral("<"), p);
        if (withNulls && m_terms[i].nullable && !nullsFirst(i))
            s = QStringLiteral("(%1 OR %2 IS NULL)").arg(s, c);
        return s;
    };
    auto equal = [&](int i, Bindings& binds) -> QString {
        const QString& c = m_terms[i].column;
        if (isNull(i))
            return c + QStringLiteral(" IS NULL");
        const QString p = placeholderFor(counter);
        binds << qMakePair(p, boundary[i]);
        return QStringLiteral("%1 = %2").arg(c, p);
    };
    // The rows after the boundary among those that tie with it on the terms before `from`.
    auto expansion = [&](int from, Bindings& binds, bool leadingWithNulls) -> QString {
        QStringList alternatives;
        for (int i = from; i < m_terms.size(); ++i) {
            Bindings local;
            QStringList all;
            for (int j = from; j < i; ++j)
                all << equal(j, local);
            const QString a = after(i, local, i != from || leadingWithNulls);
            if (a.isEmpty())
                continue;
            all << a;
            alternatives << (all.size() == 1 ? all[0]
                                             : QStringLiteral("(%1)").arg(all.join(" AND ")));
            binds << local;
        }
        if (alternatives.isEmpty())
            return {};
        return alternatives.size() == 1
                   ? alternatives[0]
                   : QStringLiteral("(%1)").arg(alternatives.join(QStringLiteral(" OR ")));
    };

    QList<KeysetCondition> parts;
    const OrderTerm& lead = m_terms[0];
    if (!isNull(0)) {
        // Rows with a value on the leading column: a range from the boundary, then the rest.
        KeysetCondition c;
        const QString p = placeholderFor(counter);
        c.binds << qMakePair(p, boundary[0]);
        const QString rest = expansion(0, c.binds, false);
        if (!rest.isEmpty()) {
            c.sql = QStringLiteral("%1 %2 %3 AND %4")
                        .arg(lead.column,
                             ascending(0) ? QStringLiteral(">=") : QStringLiteral("<="), p, rest);
            parts << c;
        }
        if (lead.nullable && !nullsFirst(0))
            parts << KeysetCondition{lead.column + QStringLiteral(" IS NULL"), {}};
    } else {
        // The boundary lies among the rows without a value on the leading column.
        KeysetCondition c;
        const QString rest = m_terms.size() > 1 ? expansion(1, c.binds, true) : QString();
        if (!rest.isEmpty()) {
            c.sql = QStringLiteral("%1 IS NULL AND %2").arg(lead.column, rest);
            parts << c;
        }
        if (nullsFirst(0))
            parts << KeysetCondition{lead.column + QStringLiteral(" IS NOT NULL"), {}};
    }
    return parts;
}

} // namespace falq
