#include "dialect.h"

namespace falq {

SqlDialect SqlDialect::forDriver(const QString& driverName) {
    if (driverName.startsWith(QLatin1String("QPSQL")))
        return SqlDialect(Engine::PostgreSQL);
    if (driverName.startsWith(QLatin1String("QODBC")))
        return SqlDialect(Engine::SqlServer);
    return SqlDialect(Engine::SQLite);
}

QString SqlDialect::year(const QString& expr) const {
    switch (m_engine) {
    case Engine::SQLite:
        return QStringLiteral("CAST(strftime('%Y', %1) AS INTEGER)").arg(expr);
    case Engine::PostgreSQL:
        return QStringLiteral("CAST(EXTRACT(YEAR FROM %1) AS INTEGER)").arg(expr);
    case Engine::SqlServer:
        return QStringLiteral("YEAR(%1)").arg(expr);
    }
    return {};
}

QString SqlDialect::month(const QString& expr) const {
    switch (m_engine) {
    case Engine::SQLite:
        return QStringLiteral("CAST(strftime('%m', %1) AS INTEGER)").arg(expr);
    case Engine::PostgreSQL:
        return QStringLiteral("CAST(EXTRACT(MONTH FROM %1) AS INTEGER)").arg(expr);
    case Engine::SqlServer:
        return QStringLiteral("MONTH(%1)").arg(expr);
    }
    return {};
}

QString SqlDialect::like(const QString& column, const QString& param) const {
    switch (m_engine) {
    case Engine::PostgreSQL:
        // The default escape character is the backslash: a pattern ending in one would fail.
        return QStringLiteral("%1 ILIKE %2 ESCAPE ''").arg(column, param);
    case Engine::SqlServer:
        // Brackets open character classes there; keep them plain as on the other engines.
        return QStringLiteral("%1 LIKE REPLACE(%2, '[', '[[]')").arg(column, param);
    case Engine::SQLite:
        break;
    }
    // SQLite's LIKE has no escape character unless one is given, and ignores ASCII case.
    return QStringLiteral("%1 LIKE %2").arg(column, param);
}

bool SqlDialect::matchesEverything(const QString& pattern) {
    if (pattern.isEmpty())
        return false;
    for (const QChar c : pattern)
        if (c != QLatin1Char('%'))
            return false;
    return true;
}

QString SqlDialect::startsWith(const QString& column, const QString& param, bool textColumn) const {
    QString value = column;
    if (!textColumn)
        value = m_engine == Engine::SqlServer
                    ? QStringLiteral("CAST(%1 AS NVARCHAR(40))").arg(column)
                    : QStringLiteral("CAST(%1 AS TEXT)").arg(column);
    const QString op =
        m_engine == Engine::PostgreSQL ? QStringLiteral("ILIKE") : QStringLiteral("LIKE");
    return QStringLiteral("%1 %2 %3 ESCAPE '!'").arg(value, op, param);
}

QString SqlDialect::prefixPattern(const QString& text) {
    QString pattern;
    for (const QChar c : text) {
        if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('!') ||
            c == QLatin1Char('['))
            pattern += QLatin1Char('!');
        pattern += c;
    }
    return pattern + QLatin1Char('%');
}

QString SqlDialect::dayRange(const QString& column, const QString& fromParam,
                             const QString& toParam) const {
    return QStringLiteral("(%1 >= %2 AND %1 < %3)").arg(column, fromParam, toParam);
}

QString SqlDialect::nullSafeEquals(const QString& column, const QString& param) const {
    switch (m_engine) {
    case Engine::SQLite:
        return QStringLiteral("%1 IS %2").arg(column, param);
    case Engine::PostgreSQL:
        return QStringLiteral("%1 IS NOT DISTINCT FROM %2").arg(column, param);
    case Engine::SqlServer:
        return QStringLiteral("(%1 = %2 OR (%1 IS NULL AND %2 IS NULL))").arg(column, param);
    }
    return {};
}

QString SqlDialect::exactEquals(const QString& column, const QString& param, bool text) const {
    if (!text)
        return nullSafeEquals(column, param);
    switch (m_engine) {
    case Engine::SQLite:
        return QStringLiteral("%1 IS %2 COLLATE BINARY").arg(column, param);
    case Engine::PostgreSQL:
        return QStringLiteral("%1::text IS NOT DISTINCT FROM CAST(%2 AS text)").arg(column, param);
    case Engine::SqlServer:
        return QStringLiteral("(%1 = %2 COLLATE Latin1_General_BIN OR (%1 IS NULL AND %2 IS NULL))")
            .arg(column, param);
    }
    return {};
}

QString SqlDialect::indexExists(const QString& index) const {
    // Index names come from the schema, never from a user.
    switch (m_engine) {
    case Engine::SQLite:
        return QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = '%1' "
                              "COLLATE NOCASE")
            .arg(index);
    case Engine::PostgreSQL:
        return QStringLiteral("SELECT 1 FROM pg_indexes WHERE schemaname = current_schema() AND "
                              "upper(indexname) = upper('%1')")
            .arg(index);
    case Engine::SqlServer:
        break;
    }
    return QStringLiteral("SELECT 1 FROM sys.indexes WHERE name = '%1'").arg(index);
}

QString SqlDialect::tableExists(const QString& table) const {
    // Table names come from the schema, never from a user.
    switch (m_engine) {
    case Engine::SQLite:
        return QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = '%1' "
                              "COLLATE NOCASE")
            .arg(table);
    case Engine::PostgreSQL:
        return QStringLiteral("SELECT 1 FROM information_schema.tables WHERE table_schema = "
                              "current_schema() AND upper(table_name) = upper('%1')")
            .arg(table);
    case Engine::SqlServer:
        return QStringLiteral("SELECT 1 FROM dbo.sysobjects WHERE id = object_id(N'[dbo].[%1]') "
                              "AND OBJECTPROPERTY(id, N'IsUserTable') = 1")
            .arg(table);
    }
    return {};
}

QString SqlDialect::insertReturning(const QString& insertSql, const QString& identityColumn) const {
    if (m_engine == Engine::SqlServer) {
        const int values = insertSql.indexOf(QLatin1String(" VALUES"), 0, Qt::CaseInsensitive);
        QString sql = insertSql;
        sql.insert(values, QStringLiteral(" OUTPUT INSERTED.%1").arg(identityColumn));
        return sql;
    }
    return insertSql + QStringLiteral(" RETURNING ") + identityColumn;
}

QString SqlDialect::limitClause(int limit, int offset) const {
    if (m_engine == Engine::SqlServer)
        return QStringLiteral(" OFFSET %1 ROWS FETCH NEXT %2 ROWS ONLY").arg(offset).arg(limit);
    if (offset > 0)
        return QStringLiteral(" LIMIT %1 OFFSET %2").arg(limit).arg(offset);
    return QStringLiteral(" LIMIT %1").arg(limit);
}

namespace {
const char* const kSummaryColumns =
    "DESENHONRO, CLICHENRO, ANO, MES, NROUTIL, ROTACOES, MOVIMENTOS, PRIMEIRA, ULTIMA";
const char* const kSummarySums = "SUM(NROUTIL), SUM(ROTACOES), COUNT(*), MIN(DATA), MAX(DATA)";
const char* const kTotalColumns =
    "DESENHONRO, CLICHENRO, NROUTIL, ROTACOES, MOVIMENTOS, PRIMEIRA, ULTIMA";

// SQLite: the month and the total of `row`'s tool (NEW or OLD) recomputed. The movements are
// read through the index of the number that names the tool: the drawing's, or for a cliché
// row the cliché's (the unary + keeps the drawing index out of it, whose '' holds every
// cliché row).
QStringList sqliteMonthRefresh(const QString& row) {
    const QString year = QStringLiteral("CAST(strftime('%Y', %1.DATA) AS INTEGER)").arg(row);
    const QString month = QStringLiteral("CAST(strftime('%m', %1.DATA) AS INTEGER)").arg(row);
    const QString days = QStringLiteral(" AND DATA >= strftime('%Y-%m-01', %1.DATA) AND "
                                        "DATA < date(%1.DATA, 'start of month', '+1 month')")
                             .arg(row);
    const QString tool =
        QStringLiteral("DESENHONRO = %1.DESENHONRO AND CLICHENRO = %1.CLICHENRO").arg(row);
    // The INSERT ... SELECT of the sums of the tool's movements (with `more` conditions) into
    // `table`, in two forms, one per index.
    auto summed = [&](const QString& table, const QString& columns, const QString& keys,
                      const QString& more) {
        QStringList out;
        for (const bool cliche : {false, true})
            out << QStringLiteral("INSERT INTO %1 (%2) SELECT %3.DESENHONRO, %3.CLICHENRO, %4%5 "
                                  "FROM MOVIMENTOS WHERE %6DESENHONRO = %3.DESENHONRO AND "
                                  "%7CLICHENRO = %3.CLICHENRO%8 AND %3.CLICHENRO %9 '' "
                                  "GROUP BY DESENHONRO, CLICHENRO;")
                       .arg(table, columns, row, keys, QLatin1String(kSummarySums),
                            cliche ? QStringLiteral("+") : QString(),
                            cliche ? QString() : QStringLiteral("+"), more,
                            cliche ? QStringLiteral("<>") : QStringLiteral("="));
        return out;
    };
    QStringList out;
    out << QStringLiteral("DELETE FROM MOVIMENTOS_MES WHERE %1 AND ANO = %2 AND MES = %3;")
               .arg(tool, year, month);
    out << summed(QStringLiteral("MOVIMENTOS_MES"), QLatin1String(kSummaryColumns),
                  year + QStringLiteral(", ") + month + QStringLiteral(", "), days);
    out << QStringLiteral("DELETE FROM MOVIMENTOS_TOTAL WHERE %1;").arg(tool);
    out << summed(QStringLiteral("MOVIMENTOS_TOTAL"), QLatin1String(kTotalColumns), QString(),
                  QString());
    return out;
}
} // namespace

QStringList SqlDialect::movementSummaryTriggers() const {
    if (m_engine == Engine::SQLite) {
        auto trigger = [](const QString& name, const QString& event, const QStringList& rows) {
            QStringList body;
            for (const QString& row : rows)
                body << sqliteMonthRefresh(row);
            return QStringLiteral("CREATE TRIGGER %1 AFTER %2 ON MOVIMENTOS BEGIN %3 END")
                .arg(name, event, body.join(QLatin1Char(' ')));
        };
        return {trigger(QStringLiteral("MOVIMENTOS_MES_INS"), QStringLiteral("INSERT"),
                        {QStringLiteral("NEW")}),
                trigger(QStringLiteral("MOVIMENTOS_MES_UPD"),
                        QStringLiteral("UPDATE OF DESENHONRO, CLICHENRO, DATA, NROUTIL, ROTACOES"),
                        {QStringLiteral("OLD"), QStringLiteral("NEW")}),
                trigger(QStringLiteral("MOVIMENTOS_MES_DEL"), QStringLiteral("DELETE"),
                        {QStringLiteral("OLD")})};
    }
    if (m_engine != Engine::PostgreSQL)
        return {};
    const QString refresh = QStringLiteral(
        "CREATE OR REPLACE FUNCTION MOVIMENTOS_MES_MONTH(D CITEXT, C CITEXT, T TIMESTAMP) "
        "RETURNS void LANGUAGE plpgsql AS $$ "
        "DECLARE Y SMALLINT; M SMALLINT; FIRST_DAY TIMESTAMP; "
        "BEGIN "
        "IF D IS NULL OR C IS NULL THEN RETURN; END IF; "
        "IF T IS NOT NULL THEN "
        "Y := EXTRACT(YEAR FROM T); M := EXTRACT(MONTH FROM T); "
        "FIRST_DAY := date_trunc('month', T); "
        // The month's row locked (made when missing): a second writer of the month waits here
        // and recomputes it once the first one's movements are committed.
        "INSERT INTO MOVIMENTOS_MES (DESENHONRO, CLICHENRO, ANO, MES, MOVIMENTOS) "
        "VALUES (D, C, Y, M, 0) ON CONFLICT (DESENHONRO, CLICHENRO, ANO, MES) "
        "DO UPDATE SET MOVIMENTOS = MOVIMENTOS_MES.MOVIMENTOS; "
        "UPDATE MOVIMENTOS_MES SET (NROUTIL, ROTACOES, MOVIMENTOS, PRIMEIRA, ULTIMA) = "
        "(SELECT SUM(NROUTIL), SUM(ROTACOES), COUNT(*), MIN(DATA), MAX(DATA) FROM MOVIMENTOS "
        "WHERE DESENHONRO = D AND CLICHENRO = C AND DATA >= FIRST_DAY "
        "AND DATA < FIRST_DAY + INTERVAL '1 month') "
        "WHERE DESENHONRO = D AND CLICHENRO = C AND ANO = Y AND MES = M; "
        "DELETE FROM MOVIMENTOS_MES WHERE DESENHONRO = D AND CLICHENRO = C AND ANO = Y "
        "AND MES = M AND MOVIMENTOS = 0; "
        "END IF; "
        // The tool's total likewise (locked after the month, always in that order).
        "INSERT INTO MOVIMENTOS_TOTAL (DESENHONRO, CLICHENRO, MOVIMENTOS) VALUES (D, C, 0) "
        "ON CONFLICT (DESENHONRO, CLICHENRO) DO UPDATE SET MOVIMENTOS = "
        "MOVIMENTOS_TOTAL.MOVIMENTOS; "
        "UPDATE MOVIMENTOS_TOTAL SET (NROUTIL, ROTACOES, MOVIMENTOS, PRIMEIRA, ULTIMA) = "
        "(SELECT SUM(NROUTIL), SUM(ROTACOES), COUNT(*), MIN(DATA), MAX(DATA) FROM MOVIMENTOS "
        "WHERE DESENHONRO = D AND CLICHENRO = C) "
        "WHERE DESENHONRO = D AND CLICHENRO = C; "
        "DELETE FROM MOVIMENTOS_TOTAL WHERE DESENHONRO = D AND CLICHENRO = C AND MOVIMENTOS = 0; "
        "END $$");
    const QString changed = QStringLiteral(
        "CREATE OR REPLACE FUNCTION MOVIMENTOS_MES_CHANGED() RETURNS trigger LANGUAGE plpgsql "
        "AS $$ BEGIN "
        "IF TG_OP <> 'INSERT' THEN "
        "PERFORM MOVIMENTOS_MES_MONTH(OLD.DESENHONRO, OLD.CLICHENRO, OLD.DATA); END IF; "
        "IF TG_OP <> 'DELETE' THEN "
        "PERFORM MOVIMENTOS_MES_MONTH(NEW.DESENHONRO, NEW.CLICHENRO, NEW.DATA); END IF; "
        "RETURN NULL; END $$");
    return {refresh, changed,
            QStringLiteral("CREATE TRIGGER MOVIMENTOS_MES_CHANGED AFTER INSERT OR DELETE OR "
                           "UPDATE OF DESENHONRO, CLICHENRO, DATA, NROUTIL, ROTACOES ON MOVIMENTOS "
                           "FOR EACH ROW EXECUTE FUNCTION MOVIMENTOS_MES_CHANGED()")};
}

QStringList SqlDialect::dropMovementSummaryTriggers() const {
    if (m_engine == Engine::SQLite)
        return {QStringLiteral("DROP TRIGGER IF EXISTS MOVIMENTOS_MES_INS"),
                QStringLiteral("DROP TRIGGER IF EXISTS MOVIMENTOS_MES_UPD"),
                QStringLiteral("DROP TRIGGER IF EXISTS MOVIMENTOS_MES_DEL")};
    if (m_engine == Engine::PostgreSQL)
        return {QStringLiteral("DROP TRIGGER IF EXISTS MOVIMENTOS_MES_CHANGED ON MOVIMENTOS")};
    return {};
}

QStringList SqlDialect::statisticsStatements(const QStringList& tables, bool vacuum) const {
    if (m_engine == Engine::SqlServer)
        return {};
    const QString command = m_engine == Engine::PostgreSQL && vacuum
                                ? QStringLiteral("VACUUM ANALYZE ")
                                : QStringLiteral("ANALYZE ");
    QStringList out;
    for (const QString& table : tables)
        out << command + table;
    return out;
}

QString SqlDialect::upsert(const QString& table, const QStringList& columns,
                           const QStringList& keys) const {
    if (m_engine == Engine::SqlServer)
        return {};
    QStringList marks;
    QStringList updates;
    for (const QString& c : columns) {
        marks << QStringLiteral("?");
        if (!keys.contains(c))
            updates << QStringLiteral("%1 = excluded.%1").arg(c);
    }
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) ON CONFLICT (%4) DO UPDATE SET %5")
        .arg(table, columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")),
             keys.join(QStringLiteral(", ")), updates.join(QStringLiteral(", ")));
}

QString SqlDialect::withoutIndex(const QString& expression) const {
    return m_engine == Engine::SQLite ? expression + QStringLiteral(" || ''") : expression;
}

QString SqlDialect::lockedRead(bool forUpdate) const {
    if (m_engine != Engine::PostgreSQL)
        return {};
    return forUpdate ? QStringLiteral(" FOR UPDATE") : QStringLiteral(" FOR SHARE");
}

QStringList SqlDialect::movementSummaryFill() const {
    return {QStringLiteral("INSERT INTO MOVIMENTOS_MES (%1) SELECT DESENHONRO, CLICHENRO, %2, %3, "
                           "%4 FROM MOVIMENTOS WHERE DESENHONRO IS NOT NULL AND CLICHENRO IS NOT "
                           "NULL AND DATA IS NOT NULL GROUP BY DESENHONRO, CLICHENRO, %2, %3")
                .arg(QLatin1String(kSummaryColumns), year(QStringLiteral("DATA")),
                     month(QStringLiteral("DATA")), QLatin1String(kSummarySums)),
            movementTotalsFill()};
}

QString SqlDialect::movementTotalsFill() const {
    // From the months (far fewer rows than the movements) and the movements without a date.
    return QStringLiteral("INSERT INTO MOVIMENTOS_TOTAL (%1) SELECT DESENHONRO, CLICHENRO, "
                          "SUM(NROUTIL), SUM(ROTACOES), SUM(MOVIMENTOS), MIN(PRIMEIRA), "
                          "MAX(ULTIMA) FROM (SELECT %1 FROM MOVIMENTOS_MES UNION ALL SELECT "
                          "DESENHONRO, CLICHENRO, NROUTIL, ROTACOES, 1, DATA, DATA FROM "
                          "MOVIMENTOS WHERE DATA IS NULL AND DESENHONRO IS NOT NULL AND "
                          "CLICHENRO IS NOT NULL) P GROUP BY DESENHONRO, CLICHENRO")
        .arg(QLatin1String(kTotalColumns));
}

QString SqlDialect::columnType(ColumnType type, int size) const {
    switch (type) {
    case ColumnType::Text:
        switch (m_engine) {
        case Engine::SQLite:
            return QStringLiteral("VARCHAR(%1) COLLATE NOCASE").arg(size);
        case Engine::PostgreSQL:
            return QStringLiteral("CITEXT");
        case Engine::SqlServer:
            return QStringLiteral("VARCHAR(%1) COLLATE SQL_Latin1_General_CP1_CI_AS").arg(size);
        }
        break;
    case ColumnType::SmallInt:
        return QStringLiteral("SMALLINT");
    case ColumnType::Integer:
        return QStringLiteral("INTEGER");
    case ColumnType::BigInt:
        return QStringLiteral("BIGINT");
    case ColumnType::Float:
        return m_engine == Engine::PostgreSQL ? QStringLiteral("DOUBLE PRECISION")
               : m_engine == Engine::SQLite   ? QStringLiteral("REAL")
                                              : QStringLiteral("FLOAT");
    case ColumnType::DateTime:
        return m_engine == Engine::PostgreSQL ? QStringLiteral("TIMESTAMP(0)")
                                              : QStringLiteral("DATETIME");
    case ColumnType::Identity:
        switch (m_engine) {
        case Engine::SQLite:
            return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
        case Engine::PostgreSQL:
            return QStringLiteral("INTEGER GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY");
        case Engine::SqlServer:
            return QStringLiteral("INT IDENTITY(1,1) PRIMARY KEY");
        }
        break;
    }
    return {};
}

QString dateTimeText(const QDateTime& value) {
    return value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

namespace {

// The digits of text[from, from + count), or -1 when one is not a digit.
int digits(const QString& text, int from, int count) {
    int value = 0;
    for (int i = from; i < from + count; ++i) {
        const QChar c = text.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

// "yyyy-MM-dd HH:mm:ss" (what the register writes; anything after the seconds ignored),
// read without the general parser: lists read hundreds of thousands of these. Invalid for
// any other layout.
QDateTime fixedLayoutDateTime(const QString& text) {
    if (text.size() < 19 || text.at(4) != QLatin1Char('-') || text.at(7) != QLatin1Char('-') ||
        text.at(10) != QLatin1Char(' ') || text.at(13) != QLatin1Char(':') ||
        text.at(16) != QLatin1Char(':'))
        return {};
    const int year = digits(text, 0, 4), month = digits(text, 5, 2), day = digits(text, 8, 2);
    const int hour = digits(text, 11, 2), minute = digits(text, 14, 2);
    const int second = digits(text, 17, 2);
    if (year < 0 || month < 0 || day < 0 || hour < 0 || minute < 0 || second < 0)
        return {};
    const QDate date(year, month, day);
    const QTime time(hour, minute, second);
    if (!date.isValid() || !time.isValid())
        return {};
    // A local time that does not exist (the hour skipped when clocks go forward) is left to
    // the general parser, whatever this Qt makes of it.
    const QDateTime local(date, time);
    return local.isValid() && local.time() == time ? local : QDateTime();
}

} // namespace

QDateTime parseDateTime(const QVariant& raw) {
    if (raw.isNull())
        return {};
    if (raw.metaType().id() == QMetaType::QDateTime)
        return raw.toDateTime();
    if (raw.metaType().id() == QMetaType::QDate)
        return QDateTime(raw.toDate(), QTime(0, 0));
    const QString text = raw.toString().trimmed();
    if (text.isEmpty())
        return {};
    if (const QDateTime fixed = fixedLayoutDateTime(text); fixed.isValid())
        return fixed;
    QDateTime dt = QDateTime::fromString(text.left(19), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!dt.isValid())
        dt = QDateTime::fromString(text, Qt::ISODate);
    if (!dt.isValid())
        dt = QDateTime(QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd")), QTime(0, 0));
    return dt;
}

QVariant SqlDialect::bindDateTime(const QDateTime& value) const {
    if (!value.isValid())
        return m_engine == Engine::SQLite ? QVariant(QMetaType::fromType<QString>())
                                          : QVariant(QMetaType::fromType<QDateTime>());
    // Seconds are the finest part the register keeps.
    const QDateTime whole = value.addMSecs(-value.time().msec());
    if (m_engine == Engine::SQLite)
        return dateTimeText(whole);
    return whole;
}

QVariant SqlDialect::toValue(ColumnType type, const QVariant& raw) const {
    if (raw.isNull())
        return QVariant();
    switch (type) {
    case ColumnType::DateTime:
        return parseDateTime(raw);
    case ColumnType::SmallInt:
    case ColumnType::Integer:
    case ColumnType::BigInt:
    case ColumnType::Identity:
        return raw.toLongLong();
    case ColumnType::Float:
        return raw.toDouble();
    case ColumnType::Text:
        return raw.toString();
    }
    return raw;
}

QVariant SqlDialect::toBind(ColumnType type, const QVariant& value) const {
    switch (type) {
    case ColumnType::DateTime:
        if (value.isNull() ||
            (value.metaType().id() == QMetaType::QString && value.toString().isEmpty()))
            return bindDateTime(QDateTime());
        return bindDateTime(parseDateTime(value));
    case ColumnType::SmallInt:
    case ColumnType::Integer:
    case ColumnType::BigInt:
    case ColumnType::Identity:
        if (value.isNull() ||
            (value.metaType().id() == QMetaType::QString && value.toString().trimmed().isEmpty()))
            return QVariant(QMetaType::fromType<int>());
        return value.toLongLong();
    case ColumnType::Float:
        if (value.isNull() ||
            (value.metaType().id() == QMetaType::QString && value.toString().trimmed().isEmpty()))
            return QVariant(QMetaType::fromType<double>());
        return value.toDouble();
    case ColumnType::Text:
        if (value.isNull())
            return QVariant(QMetaType::fromType<QString>());
        return value.toString();
    }
    return value;
}

} // namespace falq
