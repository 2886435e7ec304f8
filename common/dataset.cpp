#include "dataset.h"

#include "connections.h"
#include "schema.h"
#include "transaction.h"

#include <QHeaderView>
#include <QLocale>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>
#include <QTableView>

namespace falq {

namespace {
constexpr int kFetchBlock = 256;

const QString kNoRowMessage = QStringLiteral(
    "O registo foi alterado ou eliminado noutro posto de trabalho (nenhuma linha actualizada).");

ColumnType typeFromMeta(const QSqlField& field) {
    switch (field.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return ColumnType::Integer;
    case QMetaType::Double:
    case QMetaType::Float:
        return ColumnType::Float;
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        return ColumnType::DateTime;
    default:
        break;
    }
    return ColumnType::Text;
}

bool sameValue(const QVariant& a, const QVariant& b) {
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    return a == b || a.toString() == b.toString();
}
} // namespace

QString updateKindText(UpdateKind kind) {
    switch (kind) {
    case UpdateKind::Modified:
        return QStringLiteral("Modified");
    case UpdateKind::Inserted:
        return QStringLiteral("Inserted");
    case UpdateKind::Deleted:
        return QStringLiteral("Deleted");
    }
    return {};
}

Dataset::Dataset(const QString& name, const QString& connectionName, const QString& statement,
                 const UpdateObject& update, QObject* parent)
    : QAbstractTableModel(parent), m_name(name), m_connection(connectionName),
      m_statement(statement), m_update(update) {}

QSqlDatabase Dataset::database() const {
    return QSqlDatabase::database(m_connection, false);
}

SqlDialect Dataset::dialect() const {
    if (m_state != State::Inactive)
        return m_dialect;
    return SqlDialect::forDatabase(database());
}

void Dataset::setStatement(const QString& sql) {
    m_statement = sql;
}

void Dataset::bindValue(const QString& placeholder, const QVariant& value) {
    m_bindings[placeholder] = value;
}

void Dataset::clearBindings() {
    m_bindings.clear();
}

void Dataset::setPresentation(const QList<FieldPresentation>& visible,
                              const QStringList& hiddenCheckBoxes,
                              const QMap<QString, QString>& formats) {
    m_presentation = visible;
    m_hiddenCheckBoxes = hiddenCheckBoxes;
    m_formats = formats;
}

// Reads the dataset's statement on a connection of its own, so that what runs meanwhile on
// the dataset's connection (look-ups, applies, other datasets) neither cuts the rows still to
// come short nor has to wait for them. The connection goes when the last row is read.
class Dataset::ReadCursor {
public:
    ReadCursor(const QSqlDatabase& source) {
        static quint64 counter = 0;
        m_name = QStringLiteral("%1~read~%2").arg(source.connectionName()).arg(++counter);
        QSqlDatabase db = QSqlDatabase::cloneDatabase(source, m_name);
        m_open = db.open();
        if (!m_open)
            m_error = db.lastError().text();
        query = std::make_unique<QSqlQuery>(db);
        query->setForwardOnly(true);
    }
    ~ReadCursor() {
        query.reset();
        closeConnection(m_name);
    }
    bool exec(const QString& sql, const QMap<QString, QVariant>& bindings, QString* error) {
        if (!m_open) {
            *error = m_error;
            return false;
        }
        if (!query->prepare(sql)) {
            *error = query->lastError().text();
            return false;
        }
        for (auto it = bindings.cbegin(); it != bindings.cend(); ++it)
            query->bindValue(it.key(), it.value());
        if (!query->exec()) {
            *error = query->lastError().text();
            return false;
        }
        return true;
    }

    std::unique_ptr<QSqlQuery> query;

private:
    QString m_name;
    QString m_error;
    bool m_open = false;
};

Dataset::~Dataset() = default;

bool Dataset::open(QString* error) {
    close();
    auto cursor = std::make_unique<ReadCursor>(database());
    if (!cursor->exec(m_statement, m_bindings, &m_lastError)) {
        if (error)
            *error = m_lastError;
        return false;
    }
    beginResetModel();
    const QSqlRecord rec = cursor->query->record();
    const TableDef* table = schema::findTable(m_update.table);
    m_fields.clear();
    for (int i = 0; i < rec.count(); ++i) {
        Field f;
        f.name = rec.fieldName(i).toUpper();
        const ColumnDef* col = table ? table->column(f.name) : nullptr;
        f.type = col ? col->type : typeFromMeta(rec.field(i));
        f.format = m_formats.value(f.name);
        if (f.type == ColumnType::DateTime && f.format.isEmpty())
            f.format = QStringLiteral("dd/MM/yyyy");
        f.checkBox = m_hiddenCheckBoxes.contains(f.name);
        m_fields << f;
    }
    // Presented columns first, in their order, then the rest.
    m_order.clear();
    for (const FieldPresentation& p : m_presentation) {
        const int idx = fieldIndex(p.name);
        if (idx < 0)
            continue;
        m_order << idx;
        Field& f = m_fields[idx];
        f.title = p.title;
        f.checkBox = f.checkBox || p.checkBox;
        if (!p.format.isEmpty())
            f.format = p.format;
    }
    m_presentedCount = m_presentation.isEmpty() ? m_fields.size() : m_order.size();
    for (int i = 0; i < m_fields.size(); ++i)
        if (!m_order.contains(i))
            m_order << i;
    m_rows.clear();
    m_deleted.clear();
    m_cursor = std::move(cursor);
    m_dialect = SqlDialect::forDatabase(database());
    m_state = State::Browse;
    m_rows = fetchBlock(kFetchBlock);
    endResetModel();
    m_current = m_rows.isEmpty() ? -1 : 0;
    emit stateChanged(m_state);
    emit currentRowChanged(m_current);
    return true;
}

void Dataset::close() {
    if (m_state == State::Inactive)
        return;
    beginResetModel();
    m_cursor.reset();
    m_rows.clear();
    m_deleted.clear();
    m_fields.clear();
    m_order.clear();
    m_current = -1;
    m_state = State::Inactive;
    endResetModel();
    emit stateChanged(m_state);
}

QList<Dataset::Row> Dataset::fetchBlock(int count) {
    QList<Row> rows;
    if (!m_cursor)
        return rows;
    const int n = m_fields.size();
    QSqlQuery& query = *m_cursor->query;
    while ((count < 0 || rows.size() < count) && query.next()) {
        Row row;
        row.values.resize(n);
        for (int i = 0; i < n; ++i)
            row.values[i] = query.value(i);
        row.original = row.values;
        rows << row;
    }
    if (count < 0 || rows.size() < count)
        m_cursor.reset(); // the statement is exhausted
    return rows;
}

void Dataset::appendFetched(const QList<Row>& rows) {
    if (rows.isEmpty())
        return;
    beginInsertRows({}, m_rows.size(), m_rows.size() + rows.size() - 1);
    m_rows << rows;
    endInsertRows();
}

bool Dataset::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && m_cursor;
}

void Dataset::fetchMore(const QModelIndex& parent) {
    if (parent.isValid() || !m_cursor)
        return;
    appendFetched(fetchBlock(kFetchBlock));
}

void Dataset::fetchAll() {
    if (!m_cursor)
        return;
    appendFetched(fetchBlock(-1));
}

int Dataset::fieldIndex(const QString& field) const {
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].name.compare(field, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant Dataset::value(int row, int field) const {
    if (row < 0 || row >= m_rows.size() || field < 0 || field >= m_fields.size())
        return {};
    return dialect().toValue(m_fields[field].type, m_rows[row].values[field]);
}

QVariant Dataset::value(int row, const QString& field) const {
    return value(row, fieldIndex(field));
}

bool Dataset::setValue(int row, const QString& field, const QVariant& v) {
    return setValue(row, fieldIndex(field), v);
}

bool Dataset::setValue(int row, int field, const QVariant& v) {
    if (row < 0 || row >= m_rows.size() || field < 0 || field >= m_fields.size())
        return false;
    Row& r = m_rows[row];
    const QVariant bound = dialect().toBind(m_fields[field].type, v);
    if (sameValue(r.values[field], bound) && r.values[field].isNull() == bound.isNull())
        return true;
    if (m_state == State::Browse && row == m_current)
        edit();
    r.values[field] = bound;
    markChanged(r);
    const int column = m_order.indexOf(field);
    emit dataChanged(index(row, column), index(row, column));
    return true;
}

void Dataset::markChanged(Row& row) {
    if (row.status == RowStatus::Unchanged)
        row.status = RowStatus::Modified;
    if (row.changeSeq == 0)
        row.changeSeq = ++m_seq;
}

void Dataset::setCurrentRow(int row) {
    if (row < -1 || row >= m_rows.size() || row == m_current)
        return;
    if (m_state == State::Edit || m_state == State::Insert)
        post();
    m_current = row;
    emit currentRowChanged(m_current);
}

bool Dataset::locate(const QStringList& fields, const QVariantList& values) {
    // What is looked for, converted once to the form each field is compared in.
    struct Wanted {
        int field;
        ColumnType type;
        QString text;
        QDateTime date;
        double number = 0;
        bool null = false;
    };
    QVector<Wanted> wanted;
    for (int k = 0; k < fields.size(); ++k) {
        const int f = fieldIndex(fields[k]);
        if (f < 0)
            return false;
        const QVariant& v = values.value(k);
        Wanted w{f, m_fields[f].type, {}, {}, 0, v.isNull()};
        if (w.type == ColumnType::Text)
            w.text = v.toString();
        else if (w.type == ColumnType::DateTime)
            w.date = parseDateTime(v);
        else
            w.number = v.toDouble();
        wanted << w;
    }
    auto matches = [&](const Row& r) {
        for (const Wanted& w : std::as_const(wanted)) {
            const QVariant& raw = r.values[w.field];
            switch (w.type) {
            case ColumnType::Text:
                if (raw.toString().compare(w.text, Qt::CaseInsensitive) != 0)
                    return false;
                break;
            case ColumnType::DateTime:
                if (parseDateTime(raw) != w.date)
                    return false;
                break;
            default:
                if (raw.isNull() || w.null ? raw.isNull() != w.null : raw.toDouble() != w.number)
                    return false;
            }
        }
        return true;
    };
    int row = 0;
    int block = kFetchBlock;
    while (true) {
        for (; row < m_rows.size(); ++row) {
            if (matches(m_rows[row])) {
                setCurrentRow(row);
                return true;
            }
        }
        if (!m_cursor)
            return false;
        appendFetched(fetchBlock(block));
        block = qMin(block * 4, 65536); // far rows come in growing blocks
    }
}

void Dataset::setState(State s) {
    if (m_state == s)
        return;
    m_state = s;
    emit stateChanged(s);
}

void Dataset::edit() {
    if (m_state != State::Browse || m_current < 0)
        return;
    m_editSnapshot = m_rows[m_current];
    setState(State::Edit);
}

void Dataset::append() {
    if (m_state == State::Inactive)
        return;
    if (m_state == State::Edit || m_state == State::Insert)
        post();
    fetchAll(); // a new row goes after every row of the statement
    addNewRow(m_rows.size());
}

void Dataset::addNewRow(int at) {
    Row row;
    row.values.resize(m_fields.size());
    for (int i = 0; i < m_fields.size(); ++i)
        row.values[i] = dialect().toBind(m_fields[i].type, QVariant());
    row.original = row.values;
    row.status = RowStatus::Inserted;
    row.changeSeq = ++m_seq;
    beginInsertRows({}, at, at);
    m_rows.insert(at, row);
    endInsertRows();
    m_current = at;
    emit currentRowChanged(m_current);
    setState(State::Insert);
}

void Dataset::insert() {
    if (m_state == State::Inactive)
        return;
    if (m_state == State::Edit || m_state == State::Insert)
        post();
    addNewRow(m_current < 0 ? 0 : m_current);
}

void Dataset::post() {
    if (m_state == State::Edit || m_state == State::Insert)
        setState(State::Browse);
}

void Dataset::cancel() {
    if (m_state == State::Edit && m_current >= 0) {
        m_rows[m_current] = m_editSnapshot;
        emit dataChanged(index(m_current, 0), index(m_current, columnCount() - 1));
    } else if (m_state == State::Insert && m_current >= 0) {
        beginRemoveRows({}, m_current, m_current);
        m_rows.removeAt(m_current);
        endRemoveRows();
        m_current = m_rows.isEmpty() ? -1 : qMin(m_current, m_rows.size() - 1);
        emit currentRowChanged(m_current);
    }
    setState(State::Browse);
}

void Dataset::deleteCurrent() {
    if (m_current < 0 || m_state == State::Inactive)
        return;
    const int row = m_current;
    Row r = m_rows[row];
    if (m_state == State::Edit)
        r = m_editSnapshot.status == RowStatus::Unchanged ? m_editSnapshot : r;
    beginRemoveRows({}, row, row);
    m_rows.removeAt(row);
    endRemoveRows();
    if (r.status != RowStatus::Inserted) { // a row never written needs no delete
        r.changeSeq = ++m_seq;
        m_deleted << r;
    }
    m_current = m_rows.isEmpty() ? -1 : qMin(row, m_rows.size() - 1);
    setState(State::Browse);
    emit currentRowChanged(m_current);
}

bool Dataset::hasPendingUpdates() const {
    return pendingCount() > 0;
}

int Dataset::pendingCount() const {
    return pendingOps().size();
}

QList<Dataset::PendingOp> Dataset::pendingOps() const {
    QList<PendingOp> ops;
    for (int i = 0; i < m_rows.size(); ++i) {
        const Row& r = m_rows[i];
        if (r.status == RowStatus::Inserted)
            ops << PendingOp{UpdateKind::Inserted, i, r.changeSeq};
        else if (r.status == RowStatus::Modified) {
            bool changed = false;
            for (int f = 0; f < r.values.size() && !changed; ++f)
                changed = !sameValue(r.values[f], r.original[f]);
            if (changed)
                ops << PendingOp{UpdateKind::Modified, i, r.changeSeq};
        }
    }
    for (int i = 0; i < m_deleted.size(); ++i)
        ops << PendingOp{UpdateKind::Deleted, i, m_deleted[i].changeSeq};
    std::sort(ops.begin(), ops.end(),
              [](const PendingOp& a, const PendingOp& b) { return a.seq < b.seq; });
    return ops;
}

Dataset::Row& Dataset::rowFor(const PendingOp& op) {
    return op.kind == UpdateKind::Deleted ? m_deleted[op.row] : m_rows[op.row];
}

QStringList Dataset::insertColumns() const {
    if (!m_update.insertColumns.isEmpty())
        return m_update.insertColumns;
    QStringList cols;
    for (const Field& f : m_fields)
        if (f.type != ColumnType::Identity)
            cols << f.name;
    return cols;
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
        const bool twice = d.engine() == SqlDialect::Engine::SqlServer; // no NULL-safe operator
        for (int f = 0; f < m_fields.size(); ++f) {
            if (m_fields[f].type == ColumnType::Identity ||
                (sameValue(r.values[f], r.original[f]) &&
                 r.values[f].isNull() == r.original[f].isNull()))
                continue;
            sets << QStringLiteral("%1 = ?").arg(m_fields[f].name);
            setBinds << r.values[f];
            if (!m_update.keyColumns.contains(m_fields[f].name, Qt::CaseInsensitive)) {
                checks << d.nullSafeEquals(m_fields[f].name, QStringLiteral("?"));
                checkBinds << r.original[f];
                if (twice)
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
        QStringList keys;
        keyWhere(keys);
        sql = QStringLiteral("DELETE FROM %1 WHERE %2")
                  .arg(m_update.table, keys.join(QStringLiteral(" AND ")));
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

ApplyResult Dataset::applyUpdates() {
    ApplyResult result;
    if (m_state == State::Inactive)
        return result;
    post();
    QList<PendingOp> ops = pendingOps();
    if (ops.isEmpty())
        return result;
    QSqlDatabase db = database();
    const SqlDialect d = dialect();
    Transaction tx(db);
    if (!tx.isActive()) {
        result.ok = false;
        result.error = db.lastError().text();
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
        result.error = db.lastError().text();
        return result;
    }
    // Written: the rows now hold what the database holds.
    QList<int> deletedDone;
    for (const PendingOp& op : done) {
        if (op.kind == UpdateKind::Deleted) {
            deletedDone << op.row;
            continue;
        }
        Row& row = m_rows[op.row];
        row.original = row.values;
        row.status = RowStatus::Unchanged;
        row.changeSeq = 0;
    }
    for (const auto& [rowIndex, id] : identities) {
        const TableDef* table = schema::findTable(m_update.table);
        const int f = fieldIndex(table->identityColumn());
        m_rows[rowIndex].values[f] = id;
        m_rows[rowIndex].original[f] = id;
        const int column = m_order.indexOf(f);
        emit dataChanged(index(rowIndex, column), index(rowIndex, column));
    }
    std::sort(deletedDone.begin(), deletedDone.end(), std::greater<int>());
    for (int i : deletedDone)
        m_deleted.removeAt(i);
    return result;
}

void Dataset::cancelUpdates() {
    if (m_state == State::Inactive)
        return;
    beginResetModel();
    QList<Row> kept;
    for (Row& r : m_rows) {
        if (r.status == RowStatus::Inserted)
            continue;
        r.values = r.original;
        r.status = RowStatus::Unchanged;
        r.changeSeq = 0;
        kept << r;
    }
    for (Row& r : m_deleted) {
        r.values = r.original;
        r.status = RowStatus::Unchanged;
        r.changeSeq = 0;
        kept << r; // back at the end of the rows read so far
    }
    m_rows = kept;
    m_deleted.clear();
    endResetModel();
    m_state = State::Browse;
    m_current = m_rows.isEmpty() ? -1 : qBound(0, m_current, m_rows.size() - 1);
    emit stateChanged(m_state);
    emit currentRowChanged(m_current);
}

QString Dataset::valueText(const Field& f, const QVariant& raw) const {
    const QVariant v = dialect().toValue(f.type, raw);
    if (v.isNull())
        return {};
    if (f.type == ColumnType::DateTime)
        return dateTimeText(v.toDateTime());
    if (f.type == ColumnType::Float)
        return QString::number(v.toDouble(), 'g', 15);
    return v.toString();
}

QVariant Dataset::fromText(const Field& f, const QString& text) const {
    if (text.isEmpty() && f.type != ColumnType::Text)
        return dialect().toBind(f.type, QVariant());
    if (f.type == ColumnType::DateTime)
        return dialect().toBind(f.type, parseDateTime(text));
    return dialect().toBind(f.type, text);
}

bool Dataset::isColumnPresented(int column) const {
    return column < m_presentedCount;
}

void Dataset::presentIn(QTableView* view) const {
    for (int c = 0; c < columnCount(); ++c)
        view->setColumnHidden(c, !isColumnPresented(c));
}

int Dataset::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows.size();
}

int Dataset::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_fields.size();
}

QVariant Dataset::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const int f = modelToField(index.column());
    const Field& field = m_fields[f];
    const QVariant v = value(index.row(), f);
    switch (role) {
    case Qt::DisplayRole:
        if (field.checkBox)
            return {};
        if (v.isNull())
            return {};
        if (field.type == ColumnType::DateTime)
            return v.toDateTime().toString(field.format);
        if (field.format == QLatin1String("currency"))
            return QLocale(QLocale::Portuguese, QLocale::Portugal).toCurrencyString(v.toDouble());
        if (field.type == ColumnType::Float)
            return QLocale(QLocale::Portuguese, QLocale::Portugal).toString(v.toDouble(), 'g', 15);
        return v;
    case Qt::EditRole:
        return v;
    case Qt::CheckStateRole:
        if (field.checkBox)
            return v.toString().compare(QLatin1String("S"), Qt::CaseInsensitive) == 0
                       ? Qt::Checked
                       : Qt::Unchecked;
        return {};
    case Qt::TextAlignmentRole:
        if (field.type != ColumnType::Text && field.type != ColumnType::DateTime)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    default:
        return {};
    }
}

bool Dataset::setData(const QModelIndex& index, const QVariant& v, int role) {
    if (!index.isValid())
        return false;
    const int f = modelToField(index.column());
    if (role == Qt::CheckStateRole && m_fields[f].checkBox)
        return setValue(index.row(), f,
                        v.toInt() == Qt::Checked ? QStringLiteral("S") : QStringLiteral("N"));
    if (role != Qt::EditRole)
        return false;
    return setValue(index.row(), f, v);
}

Qt::ItemFlags Dataset::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags fl = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
    if (m_fields[modelToField(index.column())].checkBox)
        fl |= Qt::ItemIsUserCheckable;
    return fl;
}

QVariant Dataset::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section >= m_fields.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    const Field& f = m_fields[modelToField(section)];
    return f.title.isEmpty() ? f.name : f.title;
}

} // namespace falq
