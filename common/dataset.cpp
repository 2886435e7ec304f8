#include "dataset.h"

#include "connections.h"
#include "liveconnection.h"
#include "schema.h"
#include "transaction.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QLocale>
#include <QPalette>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>
#include <QTableView>

namespace falq {

QString currencyText(double amount) {
    return QLocale(QLocale::Portuguese, QLocale::Portugal).toCurrencyString(amount);
}

namespace {

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

} // namespace

bool Dataset::sameValue(const QVariant& a, const QVariant& b) {
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    return a == b || a.toString() == b.toString();
}

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

void Dataset::setStatement(const Statement& statement) {
    m_statement = statement.sql;
    m_bindings.clear();
    for (const auto& [name, value] : statement.binds)
        m_bindings[name] = value;
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

// Statements that cannot be read by key are read from the start on a connection of their own,
// so that what runs meanwhile on the dataset's connection (look-ups, applies, other datasets)
// neither cuts the rows still to come short nor has to wait for them: the reading connection
// kept beside the dataset's (reserveReadingConnection), or, while another dataset reads on it,
// a copy that goes when the last row is read. Reads by key are complete statements and run on
// the dataset's own connection.
class Dataset::Reader {
public:
    explicit Reader(const QSqlDatabase& source, bool fresh = false) {
        if (!fresh) {
            m_name = reserveReadingConnection(source);
            m_kept = m_open = !m_name.isEmpty();
            if (m_kept)
                return;
        }
        static quint64 counter = 0;
        m_name = QStringLiteral("%1~read~%2").arg(source.connectionName()).arg(++counter);
        QSqlDatabase db = QSqlDatabase::cloneDatabase(source, m_name);
        m_open = db.open();
        if (!m_open)
            m_error = db.lastError().text();
    }
    ~Reader() {
        if (m_kept)
            releaseReadingConnection(m_name, m_broken);
        else
            closeConnection(m_name);
    }
    bool isOpen() const { return m_open; }
    bool kept() const { return m_kept; }
    // The kept connection no longer answers: closed when given back.
    void setBroken() { m_broken = true; }
    QString error() const { return m_error; }
    QSqlDatabase database() const { return QSqlDatabase::database(m_name, false); }

private:
    QString m_name;
    QString m_error;
    bool m_open = false;
    bool m_kept = false;
    bool m_broken = false;
};

Dataset::~Dataset() {
    m_cursor.reset();
}

namespace {
bool runQuery(QSqlQuery& query, const QString& sql, const QMap<QString, QVariant>& bindings,
              const Bindings& extra, QString* error) {
    if (!query.prepare(sql)) {
        *error = query.lastError().text();
        return false;
    }
    for (auto it = bindings.cbegin(); it != bindings.cend(); ++it)
        if (sql.contains(it.key()))
            query.bindValue(it.key(), it.value());
    for (const auto& [name, value] : extra)
        query.bindValue(name, value);
    if (!query.exec()) {
        *error = query.lastError().text();
        return false;
    }
    return true;
}
} // namespace

// Runs a read on the dataset's connection; a connection that died (server restarted, network
// dropped) is opened again and the read runs once more.
bool Dataset::runRead(QSqlQuery& q, const QString& sql, const Bindings& extra, QString* why) {
    if (runQuery(q, sql, m_bindings, extra, why))
        return true;
    if (connectionAnswers(database()))
        return false;
    QString reason;
    if (!ensureConnection(database(), &reason)) {
        *why = noServerMessage(reason);
        return false;
    }
    q = QSqlQuery(database());
    q.setForwardOnly(true);
    return runQuery(q, sql, m_bindings, extra, why);
}

void Dataset::setupFields(const QSqlRecord& rec) {
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
        f.ticked = p.ticked;
        f.fixed = p.fixed;
        if (!p.format.isEmpty())
            f.format = p.format;
    }
    m_presentedCount = m_presentation.isEmpty() ? m_fields.size() : m_order.size();
    for (int i = 0; i < m_fields.size(); ++i)
        if (!m_order.contains(i))
            m_order << i;
    m_keyFields.clear();
    for (const QString& key : m_update.keyColumns)
        m_keyFields << fieldIndex(key);
}

// Reads the first page by key; false (with the reason in m_pagingRefusal) when the statement
// cannot be read that way, and the caller reads it from the start.
bool Dataset::openPaged(QString* error) {
    const KeysetQuery ks = KeysetQuery::parse(m_statement, m_update.keyColumns,
                                              schema::findTable(m_update.table), m_dialect);
    if (!ks.ok()) {
        m_pagingRefusal = ks.reason();
        return false;
    }
    QSqlQuery q(database());
    q.setForwardOnly(true);
    QString why;
    if (!runRead(q, ks.rowsSql({}, false, kPage), {}, &why)) {
        m_pagingRefusal = why;
        return false;
    }
    setupFields(q.record());
    m_sortFields.clear();
    for (const OrderTerm& t : ks.terms())
        m_sortFields << fieldIndex(t.column);
    if (m_sortFields.contains(-1) || m_keyFields.contains(-1)) {
        m_pagingRefusal = QStringLiteral("order or key not among the columns");
        return false;
    }
    m_keyset = std::make_unique<KeysetQuery>(ks);
    Segment first;
    while (q.next()) {
        Row row = rowOf(q);
        first.rows << row;
    }
    q.finish();
    m_total = first.rows.size();
    if (m_total == kPage) {
        QSqlQuery c(database());
        if (!runRead(c, ks.countSql(), {}, &why) || !c.next()) {
            if (error)
                *error = why;
            m_keyset.reset();
            m_lastError = why;
            return true; // the statement runs but cannot be counted: a real error
        }
        m_total = qMax(c.value(0).toInt(), int(first.rows.size()));
    }
    for (const Row& r : std::as_const(first.rows))
        m_loadedKeys.insert(keyText(r));
    if (!first.rows.isEmpty())
        m_segments << first;
    if (m_total > first.rows.size()) {
        Segment gap;
        gap.gap = m_total - first.rows.size();
        m_segments << gap;
    }
    return true;
}

bool Dataset::open(QString* error) {
    close();
    m_lastError.clear();
    m_pagingRefusal.clear();
    m_dialect = SqlDialect::forDatabase(database());
    beginResetModel();
    bool ok = openPaged(error);
    if (ok && !m_lastError.isEmpty()) {
        m_fields.clear();
        endResetModel();
        return false;
    }
    if (!ok) {
        // Read from the start, a block at a time; a kept reading connection that no longer
        // answers (a server restarted meanwhile) gives way to a new one.
        QString why;
        bool ran = false;
        for (const bool fresh : {false, true}) {
            m_reader = std::make_unique<Reader>(database(), fresh);
            m_cursor = std::make_unique<QSqlQuery>(m_reader->database());
            m_cursor->setForwardOnly(true);
            why = m_reader->error();
            ran = m_reader->isOpen() && runQuery(*m_cursor, m_statement, m_bindings, {}, &why);
            if (ran || !m_reader->kept() || connectionAnswers(m_reader->database()))
                break;
            m_cursor.reset();
            m_reader->setBroken();
        }
        if (!ran) {
            m_cursor.reset();
            m_reader.reset();
            m_fields.clear();
            m_lastError = why;
            if (error)
                *error = why;
            endResetModel();
            return false;
        }
        setupFields(m_cursor->record());
        Segment all;
        all.rows = fetchBlock(kPage);
        m_total = all.rows.size();
        m_segments << all;
    }
    m_state = State::Browse;
    endResetModel();
    m_current = m_total == 0 ? -1 : 0;
    emit stateChanged(m_state);
    emit currentRowChanged(m_current);
    return true;
}

bool Dataset::reopen(QString* error) {
    QVariantList key;
    const int position = m_current;
    if (const Row* r = loadedRow(m_current)) {
        if (r->status != RowStatus::Inserted)
            for (int f : std::as_const(m_keyFields))
                key << r->values.value(f);
    }
    const QStringList keyColumns = m_update.keyColumns;
    m_deleted.clear();
    if (!open(error))
        return false;
    if (!key.isEmpty() && !key.contains(QVariant()) && locate(keyColumns, key))
        return true;
    if (position > 0 && m_total > 0)
        setCurrentRow(qMin(position, m_total - 1));
    return true;
}

void Dataset::close() {
    if (m_state == State::Inactive)
        return;
    beginResetModel();
    m_cursor.reset();
    m_reader.reset();
    m_keyset.reset();
    m_segments.clear();
    m_loadedKeys.clear();
    m_total = 0;
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
    QSqlQuery& query = *m_cursor;
    while ((count < 0 || rows.size() < count) && query.next()) {
        Row row = rowOf(query);
        rows << row;
    }
    if (count < 0 || rows.size() < count) { // the statement is exhausted
        m_cursor.reset();
        m_reader.reset();
    }
    return rows;
}

Dataset::Row Dataset::rowOf(const QSqlQuery& query) const {
    Row row;
    row.values.resize(m_fields.size());
    for (int i = 0; i < m_fields.size(); ++i)
        row.values[i] = query.value(i);
    row.original = row.values;
    return row;
}

bool Dataset::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && m_cursor;
}

// Statements read from the start: the next rows (all of them with -1) after those read.
void Dataset::readFurther(int count) {
    const QList<Row> rows = fetchBlock(count);
    if (rows.isEmpty())
        return;
    beginInsertRows({}, m_total, m_total + rows.size() - 1);
    if (m_segments.isEmpty())
        m_segments << Segment{};
    m_segments.last().rows << rows;
    m_total += rows.size();
    endInsertRows();
}

void Dataset::fetchMore(const QModelIndex& parent) {
    if (!parent.isValid() && m_cursor)
        readFurther(kPage);
}

void Dataset::fetchAll() {
    if (m_cursor) {
        readFurther(-1);
        return;
    }
    if (!m_keyset)
        return;
    // Every gap read whole, from the row before it.
    const int saved = m_maxLoaded;
    m_maxLoaded = std::numeric_limits<int>::max();
    for (int seg = 0; seg < m_segments.size(); ++seg) {
        if (m_segments[seg].loaded() || m_segments[seg].dead)
            continue;
        int pos = 0;
        for (int i = 0; i < seg; ++i)
            pos += m_segments[i].size();
        loadGap(seg, 0, m_segments[seg].gap);
        seg = -1; // segments changed: look again from the start
    }
    m_maxLoaded = saved;
    removeDeadGaps();
}

bool Dataset::allFetched() const {
    if (m_cursor)
        return false;
    for (const Segment& s : m_segments)
        if (!s.loaded() && !s.dead)
            return false;
    return true;
}

int Dataset::loadedRowCount() const {
    int n = 0;
    for (const Segment& s : m_segments)
        if (s.loaded())
            n += s.rows.size();
    return n;
}

QString Dataset::keyText(const Row& row) const {
    QStringList parts;
    for (int f : m_keyFields)
        parts << row.original.value(f).toString().toCaseFolded();
    return parts.join(QChar(0x1f));
}

QVariantList Dataset::sortValues(const Row& row) const {
    QVariantList v;
    for (int f : m_sortFields)
        v << row.original.value(f);
    return v;
}

int Dataset::segmentOf(int pos, int* offset) const {
    int start = 0;
    for (int i = 0; i < m_segments.size(); ++i) {
        const int size = m_segments[i].size();
        if (pos < start + size) {
            *offset = pos - start;
            return i;
        }
        start += size;
    }
    *offset = 0;
    return -1;
}

Dataset::Row* Dataset::loadedRow(int pos) const {
    int offset = 0;
    const int seg = segmentOf(pos, &offset);
    if (seg < 0 || !m_segments[seg].loaded())
        return nullptr;
    return &m_segments[seg].rows[offset];
}

Dataset::Row* Dataset::rowAt(int pos) const {
    if (pos < 0 || pos >= m_total)
        return nullptr;
    Row* r = loadedRow(pos);
    if (!r && m_keyset) {
        const_cast<Dataset*>(this)->loadAround(pos);
        r = loadedRow(pos);
    }
    return r;
}

// The order values of the nearest row read from the database beside a gap (inserted rows are
// not in the database and do not count); -1 when another gap comes first.
int Dataset::boundaryRow(int seg, bool left, QVariantList* values) const {
    const int step = left ? -1 : 1;
    for (int i = seg + step; i >= 0 && i < m_segments.size(); i += step) {
        const Segment& s = m_segments[i];
        if (s.dead)
            continue;
        if (!s.loaded())
            return -1;
        for (int k = 0; k < s.rows.size(); ++k) {
            const Row& r = s.rows[left ? s.rows.size() - 1 - k : k];
            if (r.status == RowStatus::Inserted)
                continue;
            *values = sortValues(r);
            return i;
        }
    }
    return -1;
}

// Reads rows of the statement; rows already shown or deleted here are left out. With
// `stopAtShown`, reading ends at the first row already shown (the neighbour of the gap was
// reached) and *reachedShown says so.
QList<Dataset::Row> Dataset::readRows(const QList<KeysetCondition>& parts, bool reverse, int limit,
                                      bool stopAtShown, bool* reachedShown) {
    // *reachedShown also tells when the statement has no further rows.
    QList<Row> rows;
    QSet<QString> deleted;
    for (const Row& r : std::as_const(m_deleted))
        deleted.insert(keyText(r));
    if (reachedShown)
        *reachedShown = false;
    QList<KeysetCondition> conditions = parts;
    if (conditions.isEmpty())
        conditions << KeysetCondition{};
    int produced = 0;
    for (const KeysetCondition& c : std::as_const(conditions)) {
        if (produced >= limit)
            break;
        QSqlQuery q(database());
        q.setForwardOnly(true);
        QString why;
        if (!runRead(q, m_keyset->rowsSql(c.sql, reverse, limit - produced), c.binds, &why)) {
            m_lastError = why;
            qWarning("%s: %s", qPrintable(m_name), qPrintable(why));
            return rows;
        }
        while (q.next()) {
            ++produced;
            Row row = rowOf(q);
            const QString key = keyText(row);
            if (deleted.contains(key))
                continue;
            if (m_loadedKeys.contains(key)) {
                if (stopAtShown) {
                    if (reachedShown)
                        *reachedShown = true;
                    return rows;
                }
                continue;
            }
            rows << row;
        }
    }
    if (reachedShown && produced < limit)
        *reachedShown = true; // nothing further
    return rows;
}

// Reads `count` rows of gap `seg` starting at `offset`, by key from the row before or after
// the gap when there is one nearby, else by position.
void Dataset::loadGap(int seg, int offset, int count) {
    const int size = m_segments[seg].gap;
    QVariantList leftKey;
    QVariantList rightKey;
    const bool hasLeft = boundaryRow(seg, true, &leftKey) >= 0;
    const bool hasRight = boundaryRow(seg, false, &rightKey) >= 0;
    const int toEnd = size - offset - count;
    bool reached = false;
    if ((hasLeft || !hasRight) && offset <= 2 * kPage && (hasLeft || seg == 0)) {
        // From the row before the gap (or the first row of the statement) onwards.
        const int n = qMin(size, offset + count);
        const QList<Row> rows =
            readRows(hasLeft ? m_keyset->beyond(leftKey, false) : QList<KeysetCondition>{}, false,
                     n, true, &reached);
        placeRows(seg, 0, rows, false, reached);
    } else if (toEnd <= 2 * kPage && (hasRight || seg == m_segments.size() - 1)) {
        // Backwards from the row after the gap (or the last row of the statement).
        const int n = qMin(size, size - offset);
        QList<Row> rows =
            readRows(hasRight ? m_keyset->beyond(rightKey, true) : QList<KeysetCondition>{}, true,
                     n, true, &reached);
        std::reverse(rows.begin(), rows.end());
        placeRows(seg, size - rows.size(), rows, reached, false);
    } else {
        // Far from anything read: by position in the statement.
        int start = 0;
        for (int i = 0; i < seg; ++i)
            start += m_segments[i].size();
        QSqlQuery q(database());
        q.setForwardOnly(true);
        QString why;
        QList<Row> rows;
        if (runRead(q, m_keyset->rowsSql({}, false, count, start + offset), {}, &why)) {
            while (q.next()) {
                Row row = rowOf(q);
                if (!m_loadedKeys.contains(keyText(row)))
                    rows << row;
            }
        } else {
            m_lastError = why;
            qWarning("%s: %s", qPrintable(m_name), qPrintable(why));
        }
        placeRows(seg, offset, rows, false, false);
    }
}

void Dataset::loadAround(int pos) {
    int offset = 0;
    const int seg = segmentOf(pos, &offset);
    if (seg < 0 || m_segments[seg].loaded() || m_segments[seg].dead)
        return;
    const int size = m_segments[seg].gap;
    const int from = qBound(0, offset - kPage / 2, qMax(0, size - kPage));
    loadGap(seg, from, qMin(kPage, size - from));
    dropFarRows(pos);
    if (m_inData)
        QMetaObject::invokeMethod(this, &Dataset::removeDeadGaps, Qt::QueuedConnection);
    else
        removeDeadGaps();
}

// Puts rows read into gap `seg` at `offset`. The parts of the gap before and after them stay
// gaps, or are dead when the read showed that no rows remain there.
void Dataset::placeRows(int seg, int offset, QList<Row> rows, bool deadBefore, bool deadAfter) {
    const int size = m_segments[seg].gap;
    if (rows.size() > size)
        rows = rows.mid(0, size);
    offset = qBound(0, offset, size - int(rows.size()));
    QList<Segment> parts;
    auto gap = [](int n, bool dead) {
        Segment s;
        s.gap = n;
        s.dead = dead;
        return s;
    };
    if (offset > 0)
        parts << gap(offset, deadBefore);
    if (!rows.isEmpty()) {
        Segment s;
        s.rows = rows;
        parts << s;
        for (const Row& r : std::as_const(rows))
            m_loadedKeys.insert(keyText(r));
    }
    const int after = size - offset - int(rows.size());
    if (after > 0)
        parts << gap(after, deadAfter);
    m_segments.removeAt(seg);
    for (int i = 0; i < parts.size(); ++i)
        m_segments.insert(seg + i, parts[i]);
    mergeSegments();
}

void Dataset::mergeSegments() {
    for (int i = m_segments.size() - 1; i > 0; --i) {
        Segment& a = m_segments[i - 1];
        const Segment& b = m_segments[i];
        if (a.loaded() && b.loaded())
            a.rows << b.rows;
        else if (!a.loaded() && !b.loaded() && a.dead == b.dead)
            a.gap += b.gap;
        else
            continue;
        m_segments.removeAt(i);
    }
}

// Keeps the rows near `focus`, the current row and every row with a pending change; the rest
// become gaps again, read anew when shown.
void Dataset::dropFarRows(int focus) {
    if (loadedRowCount() <= m_maxLoaded)
        return;
    const int radius = m_maxLoaded / 2;
    QList<Segment> out;
    int pos = 0;
    for (const Segment& s : std::as_const(m_segments)) {
        if (!s.loaded()) {
            out << s;
            pos += s.size();
            continue;
        }
        Segment run;
        int dropped = 0;
        for (const Row& r : s.rows) {
            const bool keep =
                qAbs(pos - focus) <= radius || pos == m_current || r.status != RowStatus::Unchanged;
            if (keep) {
                if (dropped > 0) {
                    Segment g;
                    g.gap = dropped;
                    out << g;
                    dropped = 0;
                }
                run.rows << r;
            } else {
                if (!run.rows.isEmpty()) {
                    out << run;
                    run.rows.clear();
                }
                m_loadedKeys.remove(keyText(r));
                ++dropped;
            }
            ++pos;
        }
        if (!run.rows.isEmpty())
            out << run;
        if (dropped > 0) {
            Segment g;
            g.gap = dropped;
            out << g;
        }
    }
    m_segments = out;
    mergeSegments();
}

// Rows that vanished meanwhile (another workstation deleted them) leave the grid.
void Dataset::removeDeadGaps() {
    int pos = 0;
    for (int i = 0; i < m_segments.size();) {
        const Segment& s = m_segments[i];
        if (!s.dead) {
            pos += s.size();
            ++i;
            continue;
        }
        const int n = s.gap;
        beginRemoveRows({}, pos, pos + n - 1);
        m_segments.removeAt(i);
        m_total -= n;
        endRemoveRows();
        if (m_current >= pos + n) {
            m_current -= n;
            emit currentRowChanged(m_current);
        }
    }
    mergeSegments();
}

int Dataset::fieldIndex(const QString& field) const {
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].name.compare(field, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant Dataset::value(int row, int field) const {
    if (field < 0 || field >= m_fields.size())
        return {};
    const Row* r = rowAt(row);
    if (!r)
        return {};
    return dialect().toValue(m_fields[field].type, r->values[field]);
}

QVariant Dataset::value(int row, const QString& field) const {
    return value(row, fieldIndex(field));
}

bool Dataset::setValue(int row, const QString& field, const QVariant& v) {
    return setValue(row, fieldIndex(field), v);
}

bool Dataset::setValue(int row, int field, const QVariant& v) {
    if (field < 0 || field >= m_fields.size())
        return false;
    Row* r = rowAt(row);
    if (!r)
        return false;
    const QVariant bound = dialect().toBind(m_fields[field].type, v);
    if (sameValue(r->values[field], bound) && r->values[field].isNull() == bound.isNull())
        return true;
    if (m_state == State::Browse && row == m_current)
        edit();
    r = loadedRow(row);
    r->values[field] = bound;
    markChanged(*r);
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
    if (row < -1 || row >= m_total || row == m_current)
        return;
    if (m_state == State::Edit || m_state == State::Insert)
        post();
    if (row >= 0 && !rowAt(row))
        return; // vanished meanwhile
    m_current = row;
    emit currentRowChanged(m_current);
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
    const Row* r = rowAt(m_current);
    if (!r)
        return;
    m_editSnapshot = *r;
    setState(State::Edit);
}

void Dataset::append() {
    if (m_state == State::Inactive)
        return;
    if (m_state == State::Edit || m_state == State::Insert)
        post();
    if (m_cursor)
        fetchAll(); // a new row goes after every row of the statement
    addNewRow(m_total);
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
    int offset = 0;
    int seg = segmentOf(at, &offset);
    if (seg < 0) { // after the last row
        if (m_segments.isEmpty() || !m_segments.last().loaded())
            m_segments << Segment{};
        m_segments.last().rows << row;
    } else if (m_segments[seg].loaded()) {
        m_segments[seg].rows.insert(offset, row);
    } else { // inside a gap: the gap is split around the new row
        Segment single;
        single.rows << row;
        Segment rest;
        rest.gap = m_segments[seg].gap - offset;
        rest.dead = m_segments[seg].dead;
        m_segments[seg].gap = offset;
        m_segments.insert(seg + 1, single);
        m_segments.insert(seg + 2, rest);
        if (offset == 0)
            m_segments.removeAt(seg);
    }
    ++m_total;
    mergeSegments();
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
        if (Row* r = loadedRow(m_current))
            *r = m_editSnapshot;
        emit dataChanged(index(m_current, 0), index(m_current, columnCount() - 1));
    } else if (m_state == State::Insert && m_current >= 0) {
        const int row = m_current; // a view may move the current row while it is removed
        removeRowAt(row);
        m_current = m_total == 0 ? -1 : qMin(row, m_total - 1);
        emit currentRowChanged(m_current);
    }
    setState(State::Browse);
}

void Dataset::deleteCurrent() {
    if (m_current < 0 || m_state == State::Inactive)
        return;
    const int row = m_current;
    const Row* current = rowAt(row);
    if (!current)
        return;
    Row r = *current;
    if (m_state == State::Edit)
        r = m_editSnapshot.status == RowStatus::Unchanged ? m_editSnapshot : r;
    removeRowAt(row);
    if (r.status != RowStatus::Inserted) { // a row never written needs no delete
        r.changeSeq = ++m_seq;
        m_deleted << r;
    }
    m_current = m_total == 0 ? -1 : qMin(row, m_total - 1);
    if (m_current >= 0)
        rowAt(m_current);
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
    int pos = 0;
    for (const Segment& s : m_segments) {
        if (!s.loaded()) {
            pos += s.size();
            continue;
        }
        for (const Row& r : s.rows) {
            const int i = pos++;
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
    }
    for (int i = 0; i < m_deleted.size(); ++i)
        ops << PendingOp{UpdateKind::Deleted, i, m_deleted[i].changeSeq};
    std::sort(ops.begin(), ops.end(),
              [](const PendingOp& a, const PendingOp& b) { return a.seq < b.seq; });
    return ops;
}

Dataset::Row& Dataset::rowFor(const PendingOp& op) {
    return op.kind == UpdateKind::Deleted ? m_deleted[op.row] : *loadedRow(op.row);
}

void Dataset::removeRowAt(int pos) {
    int offset = 0;
    const int seg = segmentOf(pos, &offset);
    if (seg < 0 || !m_segments[seg].loaded())
        return;
    beginRemoveRows({}, pos, pos);
    m_segments[seg].rows.removeAt(offset);
    if (m_segments[seg].rows.isEmpty())
        m_segments.removeAt(seg);
    --m_total;
    mergeSegments();
    endRemoveRows();
}

void Dataset::cancelUpdates() {
    if (m_state == State::Inactive)
        return;
    // Every row as the database holds it, the user kept on the same record.
    for (Segment& seg : m_segments)
        for (Row& r : seg.rows)
            if (r.status == RowStatus::Modified)
                r.values = r.original;
    m_state = State::Browse;
    if (!reopen()) {
        // The statement no longer runs: keep the rows read, without their changes.
        beginResetModel();
        for (Segment& seg : m_segments) {
            QList<Row> kept;
            for (Row& r : seg.rows) {
                if (r.status == RowStatus::Inserted)
                    continue;
                r.status = RowStatus::Unchanged;
                r.changeSeq = 0;
                kept << r;
            }
            seg.rows = kept;
        }
        m_deleted.clear();
        m_total = 0;
        for (const Segment& seg : std::as_const(m_segments))
            m_total += seg.size();
        endResetModel();
        m_current = m_total == 0 ? -1 : qBound(0, m_current, m_total - 1);
        emit currentRowChanged(m_current);
    }
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

int Dataset::columnOfField(const QString& field) const {
    const int f = fieldIndex(field);
    return f < 0 ? -1 : int(m_order.indexOf(f));
}

QString Dataset::fieldOfColumn(int column) const {
    return column >= 0 && column < m_fields.size() ? m_fields[modelToField(column)].name
                                                   : QString();
}

void Dataset::presentIn(QTableView* view) const {
    for (int c = 0; c < columnCount(); ++c)
        view->setColumnHidden(c, !isColumnPresented(c));
}

int Dataset::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_total;
}

int Dataset::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_fields.size();
}

QVariant Dataset::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_total)
        return {};
    // Reading a page from here must not change the rows while the view paints them.
    const bool wasInData = m_inData;
    m_inData = true;
    const Row* row = rowAt(index.row());
    m_inData = wasInData;
    if (!row)
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
            return currencyText(v.toDouble());
        if (field.type == ColumnType::Float)
            return QLocale(QLocale::Portuguese, QLocale::Portugal).toString(v.toDouble(), 'g', 15);
        return v;
    case Qt::EditRole:
        return v;
    case Qt::CheckStateRole:
        if (!field.checkBox)
            return {};
        if (field.ticked)
            return field.ticked(v) ? Qt::Checked : Qt::Unchecked;
        return v.toString().compare(QLatin1String("S"), Qt::CaseInsensitive) == 0 ? Qt::Checked
                                                                                  : Qt::Unchecked;
    case Qt::BackgroundRole:
        if (field.fixed)
            return QGuiApplication::palette().button();
        return {};
    case Qt::ForegroundRole:
        if (field.fixed)
            return QGuiApplication::palette().buttonText();
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
    if (m_fields[f].fixed)
        return false;
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
    const Field& field = m_fields[modelToField(index.column())];
    if (field.fixed)
        return Qt::ItemIsEnabled;
    Qt::ItemFlags fl = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
    if (field.checkBox)
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
