#pragma once
// Reading an ordered statement in pages by key. A statement "SELECT ... ORDER BY a, b DESC"
// whose order is made unique by the key columns can be read from any row onwards (or
// backwards) without reading the rows before it, and the position of a row is the number of
// rows before it. The statements built here wrap the dataset's statement as a subquery, so its
// own conditions and bound values stay as they are; every boundary value is bound.
#include "dialect.h"
#include "statement.h"

#include <QList>
#include <QPair>
#include <QStringList>
#include <QVariant>

namespace falq {

struct TableDef;

struct OrderTerm {
    QString column; // as the rows of the statement name it
    bool descending = false;
    bool nullable = true;
};

// One condition of a keyset read, with its bound values.
struct KeysetCondition {
    QString sql;
    Bindings binds;
};

class KeysetQuery {
public:
    // Splits a statement into its base and its order, appending the key columns that the
    // order lacks. Statements that cannot be read by key (no plain column order, grouping,
    // unions, DISTINCT, a limit of their own, positional parameters) are refused with the
    // reason.
    static KeysetQuery parse(const QString& statement, const QStringList& keyColumns,
                             const TableDef* table, const SqlDialect& dialect);

    bool ok() const { return m_ok; }
    QString reason() const { return m_reason; }
    const QList<OrderTerm>& terms() const { return m_terms; }
    QString base() const { return m_base; }

    QString countSql(const QString& condition = {}, int limit = 0) const;
    // The rows meeting `condition` in the order (or the reverse order), `limit` rows after
    // skipping `offset`.
    QString rowsSql(const QString& condition, bool reverse, int limit, int offset = 0) const;

    // The rows after (or, with `before`, the rows before) the row whose order columns hold
    // `boundary`, as conditions to read one after the other, nearest first. Each condition
    // keeps a range on the leading column so the engine walks its index from the boundary.
    QList<KeysetCondition> beyond(const QVariantList& boundary, bool before) const;

private:
    bool m_ok = false;
    QString m_reason;
    QString m_base;
    QList<OrderTerm> m_terms;
    SqlDialect m_dialect;
};

} // namespace falq
