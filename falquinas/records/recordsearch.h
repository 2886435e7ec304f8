#pragma once
// What the cliché and drawing searches share: a read-only statement with its bound values,
// built one condition at a time. A range compares the column itself with its bound values, so
// a narrowed range can use the column's index; a bound left at its default sets no limit and
// adds no condition (the default upper text bounds "ZZZ..." would otherwise hide numbers that
// sort after "Z", such as "Ç-1" or "~9", and the default upper number bounds the codes and
// measures above them). A text pattern is the dialect's case-insensitive LIKE and is left out
// when it matches everything (rows whose text is NULL stay).
#include "dialect.h"
#include "keyset.h"

#include <QSqlDatabase>
#include <QStringList>

namespace falq {

// A search statement and the values bound to its named parameters.
using SearchStatement = Statement;

class SearchBuilder {
public:
    explicit SearchBuilder(const SqlDialect& dialect) : m_dialect(dialect) {}

    // "column = 'literal'" of a fixed value (never typed by a user).
    void addFixed(const QString& condition) { m_conditions << condition; }
    // column >= :low and column <= :high, the values as text; a bound equal to its default
    // adds nothing.
    void addTextRange(const QString& column, const QString& lowParam, const QString& low,
                      const QString& defaultLow, const QString& highParam, const QString& high,
                      const QString& defaultHigh);
    // column >= :low and column <= :high, the values as whole numbers; a bound equal to its
    // default adds nothing.
    struct NumberBounds {
        const char* column;
        const char* lowParam;
        qint64 low, defaultLow;
        const char* highParam;
        qint64 high, defaultHigh;
    };
    void addNumberRanges(std::initializer_list<NumberBounds> ranges);
    // The column LIKE the pattern, without regard to case; nothing for a pattern of only "%".
    void addPattern(const QString& column, const QString& param, const QString& pattern);
    // column = :param.
    void addEquals(const QString& column, const QString& param, const QVariant& value);

    // "<select and joins>\nWHERE ... and ...\nORDER BY <order>".
    SearchStatement statement(const QString& selectAndJoins, const QStringList& order) const;

private:
    SqlDialect m_dialect;
    QStringList m_conditions;
    Bindings m_binds;
};

// The order of a search: the sort column, then the number so that equal values list the same
// way on every engine.
QStringList searchOrder(const QString& sortColumn, const QString& numberColumn);

// An empty pattern box stands for "%".
QString patternOrAll(const QString& typed);

// True when the text `high` sorts below `low` in the database's text order (without regard to
// case, as the number and die columns compare). False with `error` set when the database
// cannot say.
bool textBoundsInverted(const QSqlDatabase& db, const QString& low, const QString& high,
                        bool* inverted, QString* error = nullptr);

} // namespace falq
