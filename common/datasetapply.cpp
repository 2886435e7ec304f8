// Writing a dataset's cached changes: every pending insert, change and delete in one
// transaction, each row checked against what was read, the write-error window or the
// server's message on a failure, and a new attempt when the server connection died.
#include "dataset.h"

#include "liveconnection.h"
#include "schema.h"
#include "transaction.h"

#include <QSqlError>

namespace falq {

namespace {
const QString kNoRowMessage = QStringLiteral(
    "O registo foi alterado ou eliminado noutro posto de trabalho (nenhuma linha actualizada).");
} // namespace

QStringList Dataset::insertColumns() const {
    if (!m_update.insertColumns.isEmpty())
        return m_update.insertColumns;
    QStringList cols;
    for (const Field& f : m_fields)
        if (f.type != ColumnType::Identity)
            cols << f.name;
    return cols;
}

// Conditions (appended to `binds`) that hold while the row still holds every value read in the
// columns of the updated table, text compared exactly.
QStringList Dataset::rowStillAsRead(const Row& r, QVariantList* binds) const {
    const SqlDialect d = dialect();
    const TableDef* table = schema::findTable(m_update.table);
    QStringList checks;
    for (int f = 0; f < m_fields.size(); ++f) {
        const Field& field = m_fields[f];
        if (field.type == ColumnType::Identity ||
            m_update.keyColumns.contains(field.name, Qt::CaseInsensitive) ||
            (table && !table->column(field.name)))
            continue;
        checks << d.exactEquals(field.name, QStringLiteral("?"), field.type == ColumnType::Text);
        for (int n = 0; n < d.exactEqualsBinds(); ++n)
            *binds << r.original[f];
    }
    return checks;
}

bool Dataset::execOp(const PendingOp& op, const QString& undo, QString* error, QVariant* identity) {
    const Row& r = rowFor(op);
    const SqlDialect d = dialect();
    QSqlQuery q(database());
    QString sql;
    QVariantList binds;
    auto keyWhere = [&](QStringList& where) {
        for (const QString& key : m_update.keyColumns) {
            const int f = fieldIndex(key);
            where << QStringLiteral("%1 = ?").arg(key);
            binds << r.original.value(f);
        }
    };
    switch (op.kind) {
    case UpdateKind::Inserted: {
        const QStringList cols = insertColumns();
        QStringList marks;
        for (const QString& c : cols) {
            marks << QStringLiteral("?");
            const int f = fieldIndex(c);
            binds << (f >= 0 ? r.values[f] : QVariant());
        }
        sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(m_update.table, cols.join(QStringLiteral(", ")),
                       marks.join(QStringLiteral(", ")));
        const TableDef* table = schema::findTable(m_update.table);
        const QString idCol = table ? table->identityColumn() : QString();
        if (!idCol.isEmpty() && fieldIndex(idCol) >= 0)
            sql = d.insertReturning(sql, idCol);
        break;
    }
    case UpdateKind::Modified: {
        QStringList sets;
        QStringList checks;
        QVariantList setBinds;
        QVariantList checkBinds;
        for (int f = 0; f < m_fields.size(); ++f) {
            if (m_fields[f].type == ColumnType::Identity ||
                (sameValue(r.values[f], r.original[f]) &&
                 r.values[f].isNull() == r.original[f].isNull()))
                continue;
            sets << QStringLiteral("%1 = ?").arg(m_fields[f].name);
            setBinds << r.values[f];
            if (!m_update.keyColumns.contains(m_fields[f].name, Qt::CaseInsensitive)) {
                checks << d.exactEquals(m_fields[f].name, QStringLiteral("?"),
                                        m_fields[f].type == ColumnType::Text);
                for (int n = 0; n < d.exactEqualsBinds(); ++n)
                    checkBinds << r.original[f];
            }
        }
        if (sets.isEmpty())
            return true;
        QStringList where;
        keyWhere(where); // appends the key values to binds
        sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                  .arg(m_update.table, sets.join(QStringLiteral(", ")),
                       (where + checks).join(QStringLiteral(" AND ")));
        binds = setBinds + binds + checkBinds;
        break;
    }
    case UpdateKind::Deleted: {
        // The row as it was read, every column of the table: a delete never discards a
        // change another workstation made meanwhile.
        QStringList where;
        keyWhere(where);
        where << rowStillAsRead(r, &binds);
        sql = QStringLiteral("DELETE FROM %1 WHERE %2")
                  .arg(m_update.table, where.join(QStringLiteral(" AND ")));
        break;
    }
    }
    // On failure the row's savepoint is rolled back while the statement still exists, so the
    // engine can free it.
    auto fail = [&](const QString& message) {
        *error = message;
        QSqlQuery(database()).exec(undo);
        return false;
    };
    if (!q.prepare(sql))
        return fail(q.lastError().text());
    for (int i = 0; i < binds.size(); ++i)
        q.addBindValue(binds[i]);
    if (!q.exec())
        return fail(q.lastError().text());
    if (op.kind == UpdateKind::Inserted) {
        if (q.isSelect() && q.next())
            *identity = q.value(0);
        return true;
    }
    if (q.numRowsAffected() == 0)
        return fail(kNoRowMessage);
    return true;
}

// One attempt at writing every pending change in one transaction. *commitLost tells that the
// connection failed while committing, so whether the changes were written is not known.
ApplyResult Dataset::applyOnce(const QList<PendingOp>& ops, bool* commitLost) {
    ApplyResult result;
    *commitLost = false;
    QSqlDatabase db = database();
    const SqlDialect d = dialect();
    Transaction tx(db);
    if (!tx.isActive()) {
        result.ok = false;
        result.error = tx.error();
        return result;
    }
    const bool sqlServer = d.engine() == SqlDialect::Engine::SqlServer;
    const QString savepoint = sqlServer ? QStringLiteral("SAVE TRANSACTION falq_row")
                                        : QStringLiteral("SAVEPOINT falq_row");
    const QString undo = sqlServer ? QStringLiteral("ROLLBACK TRANSACTION falq_row")
                                   : QStringLiteral("ROLLBACK TO SAVEPOINT falq_row");
    QList<QPair<int, QVariant>> identities;
    QList<PendingOp> done;
    QSqlQuery control(db);
    for (const PendingOp& op : ops) {
        while (true) {
            control.exec(savepoint);
            QString error;
            QVariant identity;
            if (execOp(op, undo, &error, &identity)) {
                if (!sqlServer)
                    control.exec(QStringLiteral("RELEASE SAVEPOINT falq_row"));
                if (op.kind == UpdateKind::Inserted && identity.isValid())
                    identities << qMakePair(op.row, identity);
                done << op;
                break;
            }
            if (m_errorMode == ErrorMode::ServerMessage || !m_handler) {
                result.ok = false;
                result.error = error;
                return result; // the guard rolls back; everything stays cached
            }
            Row& row = rowFor(op);
            UpdateError ue;
            ue.kind = op.kind;
            ue.message = error;
            for (int f = 0; f < m_fields.size(); ++f) {
                if (m_fields[f].type == ColumnType::Identity && op.kind == UpdateKind::Inserted)
                    continue;
                ue.fields << m_fields[f].name;
                ue.newValues << valueText(m_fields[f], row.values[f]);
                ue.oldValues << valueText(m_fields[f], row.original[f]);
                ue.edited << false;
            }
            const UpdateAction action = m_handler->handleUpdateError(ue);
            if (action == UpdateAction::Abort) {
                result.ok = false;
                result.aborted = true;
                result.error = error;
                return result;
            }
            if (action == UpdateAction::Skip) {
                ++result.skipped;
                break;
            }
            for (int i = 0; i < ue.fields.size(); ++i) {
                if (!ue.edited.value(i))
                    continue;
                const int f = fieldIndex(ue.fields[i]);
                row.values[f] = fromText(m_fields[f], ue.newValues[i]);
                if (op.kind == UpdateKind::Modified || op.kind == UpdateKind::Inserted) {
                    const int r = op.row;
                    const int column = m_order.indexOf(f);
                    emit dataChanged(index(r, column), index(r, column));
                }
            }
        }
    }
    if (!tx.commit()) {
        result.ok = false;
        result.error = tx.error();
        *commitLost = !connectionAnswers(db);
        if (!*commitLost)
            return result;
        // Written or not? The rows tell.
        int written = 0;
        for (const PendingOp& op : std::as_const(done)) {
            QVariant identity;
            if (inDatabase(op, &identity)) {
                ++written;
                if (op.kind == UpdateKind::Inserted && identity.isValid())
                    for (auto& [row, id] : identities)
                        if (row == op.row)
                            id = identity;
            }
        }
        if (written == 0)
            *commitLost = false; // surely rolled back: may be written again
        if (written != done.size())
            return result; // not written, or not known: never written twice
        *commitLost = false;
        result.ok = true;
        result.error.clear();
    }
    // Written: the rows now hold what the database holds.
    QList<int> deletedDone;
    for (const PendingOp& op : done) {
        if (op.kind == UpdateKind::Deleted) {
            deletedDone << op.row;
            continue;
        }
        Row& row = *loadedRow(op.row);
        row.original = row.values;
        row.status = RowStatus::Unchanged;
        row.changeSeq = 0;
    }
    for (const auto& [rowIndex, id] : identities) {
        const TableDef* table = schema::findTable(m_update.table);
        const int f = fieldIndex(table->identityColumn());
        loadedRow(rowIndex)->values[f] = id;
        loadedRow(rowIndex)->original[f] = id;
        const int column = m_order.indexOf(f);
        emit dataChanged(index(rowIndex, column), index(rowIndex, column));
    }
    std::sort(deletedDone.begin(), deletedDone.end(), std::greater<int>());
    for (int i : deletedDone)
        m_deleted.removeAt(i);
    // Keys may have changed and new rows have theirs now.
    m_loadedKeys.clear();
    for (const Segment& seg : std::as_const(m_segments))
        for (const Row& r : seg.rows)
            m_loadedKeys.insert(keyText(r));
    return result;
}

// Whether the database shows the change of `op` (after a commit whose answer was lost). For an
// inserted row with an identity, *identity receives the number it got.
bool Dataset::inDatabase(const PendingOp& op, QVariant* identity) {
    const Row& r = rowFor(op);
    const SqlDialect d = dialect();
    const TableDef* table = schema::findTable(m_update.table);
    const QString idCol = table ? table->identityColumn() : QString();
    QStringList where;
    QVariantList binds;
    const bool deleted = op.kind == UpdateKind::Deleted;
    for (int f = 0; f < m_fields.size(); ++f) {
        const Field& field = m_fields[f];
        if ((table && !table->column(field.name)) ||
            (field.type == ColumnType::Identity && op.kind == UpdateKind::Inserted))
            continue;
        const bool key = m_update.keyColumns.contains(field.name, Qt::CaseInsensitive);
        if (deleted && !key)
            continue;
        where << d.exactEquals(field.name, QStringLiteral("?"), field.type == ColumnType::Text);
        for (int n = 0; n < d.exactEqualsBinds(); ++n)
            binds << (deleted ? r.original[f] : r.values[f]);
    }
    const bool withId = op.kind == UpdateKind::Inserted && !idCol.isEmpty();
    QSqlQuery q(database());
    const QString sql =
        QStringLiteral("SELECT %1 FROM %2 WHERE %3")
            .arg(withId ? QStringLiteral("MAX(%1)").arg(idCol) : QStringLiteral("COUNT(*)"),
                 m_update.table, where.join(QStringLiteral(" AND ")));
    if (!q.prepare(sql))
        return false;
    for (const QVariant& v : std::as_const(binds))
        q.addBindValue(v);
    if (!q.exec() || !q.next())
        return false;
    if (withId) {
        *identity = q.value(0);
        return !q.value(0).isNull();
    }
    return deleted ? q.value(0).toInt() == 0 : q.value(0).toInt() > 0;
}

ApplyResult Dataset::applyUpdates() {
    ApplyResult result;
    if (m_state == State::Inactive)
        return result;
    post();
    const QList<PendingOp> ops = pendingOps();
    if (ops.isEmpty())
        return result;
    QString reason;
    for (int attempt = 0;; ++attempt) {
        if (!ensureConnection(database(), &reason)) {
            result.ok = false;
            result.connectionLost = true;
            result.error = noServerMessage(reason);
            return result; // everything stays cached; apply again when the server answers
        }
        bool commitLost = false;
        result = applyOnce(ops, &commitLost);
        if (result.ok || result.aborted)
            return result;
        const bool lost = commitLost || !connectionAnswers(database(), &reason);
        if (!lost) {
            if (result.error.trimmed().isEmpty())
                result.error =
                    QStringLiteral("O servidor recusou a gravação sem indicar o motivo.");
            return result;
        }
        if (commitLost) {
            // The connection went while committing and the rows do not show the changes
            // either all written or all missing: do not write them a second time.
            result.connectionLost = true;
            result.error = noServerMessage(result.error.isEmpty() ? reason : result.error);
            return result;
        }
        // Nothing was written (the transaction died with the connection): once more.
        if (attempt >= 1) {
            result.connectionLost = true;
            result.error = noServerMessage(reason);
            return result;
        }
    }
}

} // namespace falq
