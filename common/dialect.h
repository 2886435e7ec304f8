#pragma once
// SQL written for the engine at hand. Statements keep one shape on every engine; the pieces
// that differ (date parts, case-insensitive LIKE, identity columns, table-exists test, DDL
// types, how dates are bound) come from here.
#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>

namespace falq {

enum class ColumnType { Text, SmallInt, Integer, BigInt, Float, DateTime, Identity };

class SqlDialect {
public:
    enum class Engine { SQLite, PostgreSQL, SqlServer };

    explicit SqlDialect(Engine engine = Engine::SQLite) : m_engine(engine) {}
    static SqlDialect forDriver(const QString& driverName);
    static SqlDialect forDatabase(const QSqlDatabase& db) { return forDriver(db.driverName()); }

    Engine engine() const { return m_engine; }
    bool isSQLite() const { return m_engine == Engine::SQLite; }
    bool isPostgres() const { return m_engine == Engine::PostgreSQL; }

    QString year(const QString& expr) const;  // integer year of a date column
    QString month(const QString& expr) const; // integer month of a date column
    // Case-insensitive LIKE of the column itself (so its index can serve a prefix); "%" and "_"
    // are the wildcards and every other character is plain, a backslash too, on every engine.
    // NULL matches no pattern: a pattern that matches everything is no condition at all, which
    // a query builder leaves out (matchesEverything()), so "%" keeps the rows whose text is NULL.
    QString like(const QString& column, const QString& param) const;
    // True for a pattern made only of "%": it selects every row, NULL text included.
    static bool matchesEverything(const QString& pattern);
    // True when the column's value, read as text, starts with the text bound to `param`
    // (without regard to case); bind prefixPattern(text). NULL starts with nothing.
    QString startsWith(const QString& column, const QString& param, bool textColumn) const;
    // The typed text as the pattern of startsWith(): its wildcard characters stay plain.
    static QString prefixPattern(const QString& text);
    // Inclusive day range: bind dayStart(from) and dayAfter(to) to the two parameters.
    QString dayRange(const QString& column, const QString& fromParam, const QString& toParam) const;
    // Compares a column with a parameter, NULL equal to NULL.
    QString nullSafeEquals(const QString& column, const QString& param) const;
    // The same, but text compared exactly (case and accents), whatever the column's collation:
    // the check that a row still holds what was read.
    QString exactEquals(const QString& column, const QString& param, bool text) const;
    // How often exactEquals() names its parameter (bind the value that many times).
    int exactEqualsBinds() const { return m_engine == Engine::SqlServer ? 2 : 1; }
    // A statement returning one row when the table exists (one parameter-free statement).
    QString tableExists(const QString& table) const;
    // A row when the current database (schema) has an index of that name.
    QString indexExists(const QString& index) const;
    // INSERT statement that hands back the identity value assigned by the database.
    QString insertReturning(const QString& insertSql, const QString& identityColumn) const;

    // Where NULL sorts in an ascending order: below every value (SQLite, SQL Server) or above
    // (PostgreSQL). Paging by key needs it to name the rows after a row holding NULL.
    bool nullsSortLow() const { return m_engine != Engine::PostgreSQL; }
    // The clause that ends an ordered statement to read `limit` rows after skipping `offset`.
    QString limitClause(int limit, int offset = 0) const;

    // MOVIMENTOS_MES, the movements summed per (drawing number, cliché number, year, month), is
    // kept by triggers on MOVIMENTOS: every insert, update and delete recomputes the months it
    // touches (the old one and the new one) from MOVIMENTOS, so the sums stay exact whatever
    // program writes the movements. On PostgreSQL the month's row is locked before it is
    // recomputed, so that two workstations writing the same month wait for each other instead
    // of each writing a sum without the other's movement. Movements with a NULL number or date
    // are not summed. MOVIMENTOS_TOTAL, one row per tool, sums every movement of the tool,
    // those without a date too, and is kept by the same triggers (its row locked after the
    // month's). Empty on SQL Server, whose script is only written for reading.
    QStringList movementSummaryTriggers() const;
    // An INSERT of `columns` (bound positionally) that updates the row holding the same `keys`
    // instead, atomically (two writers of one key both succeed, the last one's values stay).
    // Empty on SQL Server, whose script is only written for reading.
    QString upsert(const QString& table, const QStringList& columns, const QStringList& keys) const;
    // Whether the triggers keep the sums (not on SQL Server): elsewhere the readers group the
    // movements themselves.
    bool keepsMovementSums() const { return m_engine != Engine::SqlServer; }
    // `expression` written so that SQLite's planner, which knows only the average rows per
    // value of an index, does not take an index on it as the way in (`expression || ''`): for
    // a value that holds most rows, such as the empty number of the other kind. Unchanged on
    // the other engines, whose statistics know the frequent values.
    QString withoutIndex(const QString& expression) const;
    // What ends a SELECT inside a write transaction so that the rows it reads stay as read
    // until the commit: " FOR UPDATE" (rows to be changed) or " FOR SHARE" (rows that must not
    // be changed or deleted meanwhile) on PostgreSQL; empty on SQLite, whose write
    // transactions already run one at a time (BEGIN IMMEDIATE), and on SQL Server.
    QString lockedRead(bool forUpdate) const;
    // Fills MOVIMENTOS_MES, then MOVIMENTOS_TOTAL, from every movement (both empty).
    QStringList movementSummaryFill() const;
    // Fills MOVIMENTOS_TOTAL (empty) from every movement.
    QString movementTotalsFill() const;
    // Drops the triggers, for a bulk write of movements followed by the fill and the triggers.
    QStringList dropMovementSummaryTriggers() const;

    // The planner's statistics brought up to date after a bulk write of `tables`, so that the
    // first reads plan on them rather than on guesses: ANALYZE of each table, and on
    // PostgreSQL with `vacuum` (outside a transaction) VACUUM ANALYZE. None on SQL Server.
    QStringList statisticsStatements(const QStringList& tables, bool vacuum) const;

    // DDL type of a column; size applies to text.
    QString columnType(ColumnType type, int size) const;

    // Every date goes to the database through these, so stored and bound values compare
    // correctly (SQLite keeps dates as "YYYY-MM-DD HH:MM:SS" text).
    QVariant bindDateTime(const QDateTime& value) const;
    QVariant bindDate(const QDate& value) const {
        return bindDateTime(QDateTime(value, QTime(0, 0)));
    }
    QVariant dayStart(const QDate& day) const { return bindDate(day); }
    QVariant dayAfter(const QDate& day) const { return bindDate(day.addDays(1)); }
    // A value of a column as the dataset and the windows see it (dates as QDateTime).
    QVariant toValue(ColumnType type, const QVariant& raw) const;
    // A value ready to be bound for a column of this type.
    QVariant toBind(ColumnType type, const QVariant& value) const;

private:
    Engine m_engine;
};

// The text form of a date in SQLite and in the golden files of the tests.
QString dateTimeText(const QDateTime& value);
QDateTime parseDateTime(const QVariant& raw);

} // namespace falq
