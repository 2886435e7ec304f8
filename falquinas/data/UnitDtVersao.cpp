#include "UnitDtVersao.h"

#include "schema.h"
#include "sqlrun.h"
#include "transaction.h"

#include <QElapsedTimer>
#include <QLocale>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace falq::dbversion {

namespace {

const QString kProgram = QStringLiteral("FALQUINAS");

int stepOf(const QString& version) {
    static const QRegularExpression form(QStringLiteral("^01\\.([0-9]{3})$"));
    const auto m = form.match(version);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// Step 002: the per-user upgrade flag, every user "N".
bool step002(QSqlDatabase db, QString* error) {
    const SqlDialect d = SqlDialect::forDatabase(db);
    QSqlQuery q(db);
    // A database that already has the column (made by a newer installer) only gets the data.
    // (Asked without an error: a failed statement would end the transaction on PostgreSQL.)
    if (!runStatement(q, QStringLiteral("SELECT * FROM UTILIZADORES WHERE 1 = 0"), {}, error))
        return false;
    const bool hasColumn = q.record().indexOf(QStringLiteral("UPGRADE_LICENSE")) >= 0;
    if (!hasColumn) {
        // The column as the schema has it: "N" for every user created afterwards.
        const TableDef& users = *schema::findTable(QStringLiteral("UTILIZADORES"));
        const QString column =
            d.engine() == SqlDialect::Engine::SqlServer
                ? QStringLiteral("UPGRADE_LICENSE [varchar] (1) COLLATE "
                                 "SQL_Latin1_General_CP1_CI_AS NULL DEFAULT 'N'")
                : schema::columnDefinition(users, *users.column(QStringLiteral("UPGRADE_LICENSE")),
                                           d);
        if (!runStatement(q, QStringLiteral("ALTER TABLE UTILIZADORES ADD ") + column, {}, error))
            return false;
    }
    return runStatement(q, QStringLiteral("UPDATE UTILIZADORES SET UPGRADE_LICENSE='N'"), {},
                        error);
}

// Step 004: the indexes of the main database's tables that the database lacks (the searches
// narrowed to one client or board size read through them). A database made by a newer
// installer already has them.
bool step004(QSqlDatabase db, QString* error) {
    const SqlDialect d = SqlDialect::forDatabase(db);
    QSqlQuery q(db);
    for (const TableDef& table : schema::tables(DatabaseKind::Main)) {
        if (!runStatement(q, d.tableExists(table.name), {}, error))
            return false;
        if (!q.next())
            continue; // made when first used
        for (const IndexDef& ix : table.indexes) {
            if (!runStatement(q, d.indexExists(ix.name), {}, error))
                return false;
            if (q.next())
                continue;
            if (!runStatement(q, schema::createIndexStatement(table, ix), {}, error))
                return false;
        }
    }
    return true;
}

// Makes `table` when the database lacks it, filled by `fill` before its indexes are made
// (an index built over the rows costs less than one kept row by row), then the statistics of
// `analyzed` so that their first readers plan on them (within the step's transaction).
// `seconds` is how long the filling took; nothing is done when the table is there (made by a
// newer installer), and `*made` says which.
bool makeTable(QSqlDatabase db, const QString& table, const QStringList& fill,
               const QStringList& analyzed, bool* made, double* seconds, QString* error) {
    const SqlDialect d = SqlDialect::forDatabase(db);
    QSqlQuery q(db);
    if (!runStatement(q, d.tableExists(table), {}, error))
        return false;
    *made = !q.next();
    if (!*made)
        return true;
    const QStringList create = schema::createStatements(*schema::findTable(table), d);
    QElapsedTimer timer;
    timer.start();
    for (const QString& sql :
         create.mid(0, 1) + fill + create.mid(1) + d.statisticsStatements(analyzed, false))
        if (!runStatement(q, sql, {}, error))
            return false;
    *seconds = timer.elapsed() / 1000.0;
    return true;
}

// Step 005: MOVIMENTOS_MES, the movements summed per tool and month, its rows made from the
// movements there are (its triggers come with step 006).
bool step005(QSqlDatabase db, QString* error, double* seconds) {
    bool made = false;
    return makeTable(db, QStringLiteral("MOVIMENTOS_MES"),
                     {SqlDialect::forDatabase(db).movementSummaryFill().constFirst()},
                     {QStringLiteral("MOVIMENTOS_MES")}, &made, seconds, error);
}

// Step 006: MOVIMENTOS_TOTAL, the movements summed per tool, its rows made from them, the
// triggers that keep both (those of step 005 replaced), and the monthly sums' index by month
// replaced by one that holds what a period's sums read.
bool step006(QSqlDatabase db, QString* error, double* seconds) {
    const SqlDialect d = SqlDialect::forDatabase(db);
    bool made = false;
    if (!makeTable(db, QStringLiteral("MOVIMENTOS_TOTAL"), {d.movementTotalsFill()},
                   {QStringLiteral("MOVIMENTOS_TOTAL")}, &made, seconds, error))
        return false;
    if (!made)
        return true;
    QSqlQuery q(db);
    for (const QString& sql : d.dropMovementSummaryTriggers() + d.movementSummaryTriggers() +
                                  QStringList{QStringLiteral("DROP INDEX IF EXISTS "
                                                             "IX_MOVIMENTOS_MES_MES")})
        if (!runStatement(q, sql, {}, error))
            return false;
    if (!step004(db, error)) // the new index
        return false;
    for (const QString& sql : d.statisticsStatements({QStringLiteral("MOVIMENTOS_MES")}, false))
        if (!runStatement(q, sql, {}, error))
            return false;
    return true;
}

// Step 007: where every tool is (LOCAIS, LOCALIZACAO, LOCALIZACAO_HIST, their indexes) and
// the rights catalogue's rows of the programs that keep it. What is there already is left.
bool step007(QSqlDatabase db, QString* error) {
    QSqlQuery q(db);
    for (const char* table : {"LOCAIS", "LOCALIZACAO", "LOCALIZACAO_HIST"}) {
        bool made = false;
        double seconds = 0;
        if (!makeTable(db, QLatin1String(table), {}, {}, &made, &seconds, error))
            return false;
    }
    for (const schema::CatalogueChapter& chapter : schema::rightsCatalogue())
        for (const QString& program : chapter.programs) {
            const QVariantList row = {schema::kModuleCode, chapter.chapter, program};
            if (!runStatement(q,
                              QStringLiteral("SELECT 1 FROM APLICACAOMST WHERE APLICACAO = ? AND "
                                             "CAPITULO = ? AND PROGRAMA = ?"),
                              row, error))
                return false;
            if (q.next())
                continue;
            if (!runStatement(q,
                              QStringLiteral("INSERT INTO APLICACAOMST (APLICACAO, CAPITULO, "
                                             "PROGRAMA) VALUES (?, ?, ?)"),
                              row, error))
                return false;
        }
    return step004(db, error); // the indexes of a table that was there without them
}

} // namespace

bool ensureVersionRow(QSqlDatabase db, int company, QString* error) {
    const SqlDialect d = SqlDialect::forDatabase(db);
    QSqlQuery q(db);
    if (!runStatement(q, d.tableExists(QStringLiteral("ACTUAL_VERSAO")), {}, error))
        return false;
    if (!q.next()) {
        for (const QString& sql :
             schema::createStatements(*schema::findTable(QStringLiteral("ACTUAL_VERSAO")), d))
            if (!runStatement(q, sql, {}, error))
                return false;
    }
    if (!runStatement(
            q,
            QStringLiteral("SELECT COUNT(*) FROM ACTUAL_VERSAO WHERE EMPRESA = ? AND PROGRAMA = ?"),
            {company, kProgram}, error))
        return false;
    if (q.next() && q.value(0).toInt() == 0)
        return runStatement(
            q,
            QStringLiteral(
                "INSERT INTO ACTUAL_VERSAO (EMPRESA, PROGRAMA, VERSAO) VALUES (?, ?, '01.001')"),
            {company, kProgram}, error);
    return true;
}

QString storedVersion(QSqlDatabase db, int company, QString* error) {
    QSqlQuery q(db);
    if (!runStatement(
            q, QStringLiteral("SELECT * FROM ACTUAL_VERSAO WHERE EMPRESA = ? AND PROGRAMA = ?"),
            {company, kProgram}, error))
        return {};
    return q.next() ? q.value(QStringLiteral("VERSAO")).toString().left(6) : QString();
}

bool canUpgrade(const QString& stored, const QString& target) {
    const int from = stepOf(stored);
    const int to = stepOf(target);
    return from >= 0 && to >= 0 && from < to;
}

bool upgrade(QSqlDatabase db, int company, const QString& stored, const QString& target,
             const QDate& workingDate, const std::function<void(const QString&)>& progress,
             QString* error) {
    if (!canUpgrade(stored, target)) {
        *error = QStringLiteral("a versão %1 não leva à versão %2").arg(stored, target);
        return false;
    }
    Transaction tx(db);
    if (!tx.isActive()) {
        *error = db.lastError().text();
        return false;
    }
    const int to = stepOf(target);
    for (int step = stepOf(stored) + 1; step <= to; ++step) {
        if (step == 2 && !step002(db, error))
            return false;
        if (step == 4 && !step004(db, error))
            return false;
        double seconds = -1;
        if (step == 5 && !step005(db, error, &seconds))
            return false;
        if (step == 6 && !step006(db, error, &seconds))
            return false;
        if (step == 7 && !step007(db, error))
            return false;
        QString reached = QStringLiteral("01.%1").arg(step, 3, 10, QLatin1Char('0'));
        if (seconds >= 0)
            reached += QStringLiteral(" (%1: %2 s)")
                           .arg(step == 5 ? QStringLiteral("movimentos por mês")
                                          : QStringLiteral("totais por ferramenta"),
                                QLocale(QLocale::Portuguese).toString(seconds, 'f', 1));
        if (progress)
            progress(reached);
    }
    QSqlQuery q(db);
    const SqlDialect d = SqlDialect::forDatabase(db);
    if (!runStatement(
            q,
            QStringLiteral("UPDATE ACTUAL_VERSAO SET VERSAO = ?, DATULTACT = ? WHERE EMPRESA = ? "
                           "AND PROGRAMA = ?"),
            {target, d.bindDate(workingDate), company, kProgram}, error))
        return false;
    if (!tx.commit()) {
        *error = db.lastError().text();
        return false;
    }
    return true;
}

} // namespace falq::dbversion
