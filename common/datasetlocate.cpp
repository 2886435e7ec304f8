// Finding a row in a dataset: the engine finds the first matching row in the dataset's order
// and counts the rows before it, and only the page around it is read.
#include "dataset.h"

#include <QSqlQuery>
#include <limits>

namespace falq {

namespace {
// What locate() looks for, converted once to the form each field is compared in.
struct Wanted {
    int field;
    ColumnType type;
    QString text;
    QDateTime date;
    double number = 0;
    bool null = false;
};
} // namespace

bool Dataset::locate(const QStringList& fields, const QVariantList& values) {
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
    KeysetCondition match;
    QStringList where;
    for (int k = 0; k < wanted.size(); ++k) {
        const Wanted& w = wanted[k];
        const QString column = m_fields[w.field].name;
        if (w.null) {
            where << column + QStringLiteral(" IS NULL");
            continue;
        }
        const QString p = QStringLiteral(":falq_l%1").arg(k);
        QVariant bound;
        switch (w.type) {
        case ColumnType::Text:
            bound = w.text;
            break;
        case ColumnType::DateTime:
            bound = m_dialect.bindDateTime(w.date);
            break;
        default:
            bound = values.value(k);
        }
        where << (w.type == ColumnType::Text && m_dialect.isSQLite()
                      ? QStringLiteral("%1 = %2 COLLATE NOCASE").arg(column, p)
                      : QStringLiteral("%1 = %2").arg(column, p));
        match.binds << qMakePair(p, bound);
    }
    match.sql = where.join(QStringLiteral(" AND "));
    return locateWhere(matches, match);
}

bool Dataset::locatePrefix(const QString& field, const QString& prefix) {
    const int f = fieldIndex(field);
    if (f < 0)
        return false;
    const Field& column = m_fields[f];
    auto matches = [&](const Row& r) {
        return valueText(column, r.values[f]).startsWith(prefix, Qt::CaseInsensitive);
    };
    const QString p = QStringLiteral(":falq_p0");
    KeysetCondition match{dialect().startsWith(column.name, p, column.type == ColumnType::Text),
                          {qMakePair(p, QVariant(SqlDialect::prefixPattern(prefix)))}};
    return locateWhere(matches, match);
}

// The rows with pending changes first (the database does not know them yet), then the engine:
// the first row in the order that meets `match`, its position, and the page around it.
bool Dataset::locateWhere(const std::function<bool(const Row&)>& matches,
                          const KeysetCondition& match) {
    auto pendingMatch = [&]() {
        int pos = 0;
        for (const Segment& s : std::as_const(m_segments)) {
            if (s.loaded())
                for (int k = 0; k < s.rows.size(); ++k)
                    if (s.rows[k].status != RowStatus::Unchanged && matches(s.rows[k]))
                        return pos + k;
            pos += s.size();
        }
        return -1;
    };

    if (!m_keyset) {
        // Read from the start: look through the rows read, reading further in growing blocks.
        int row = 0;
        int block = kPage;
        while (true) {
            for (; row < m_total; ++row) {
                if (matches(*loadedRow(row))) {
                    setCurrentRow(row);
                    return true;
                }
            }
            if (!m_cursor)
                return false;
            const int before = m_total;
            fetchMore();
            if (m_total == before)
                return false;
            block = qMin(block * 4, 65536);
        }
    }

    const int pending = pendingMatch();
    if (pending >= 0) {
        setCurrentRow(pending);
        return true;
    }
    const QList<Row> found = readRows({match}, false, 1, false, nullptr);
    Row target;
    bool shown = false;
    if (found.isEmpty()) {
        // Either nothing matches, or the first match is a row already shown.
        QSqlQuery q(database());
        q.setForwardOnly(true);
        QString why;
        if (!runRead(q, m_keyset->rowsSql(match.sql, false, 1), match.binds, &why)) {
            m_lastError = why;
            return false;
        }
        if (!q.next())
            return false;
        target = rowOf(q);
        shown = true;
    } else {
        target = found.first();
    }
    const QString key = keyText(target);
    if (shown || m_loadedKeys.contains(key)) {
        int pos = 0;
        for (const Segment& s : std::as_const(m_segments)) {
            if (s.loaded())
                for (int k = 0; k < s.rows.size(); ++k)
                    if (s.rows[k].status != RowStatus::Inserted && keyText(s.rows[k]) == key) {
                        if (!matches(s.rows[k]))
                            return false; // changed here: no longer what is looked for
                        setCurrentRow(pos + k);
                        return true;
                    }
            pos += s.size();
        }
        if (shown)
            return false; // deleted here and not yet written
    }
    // ... and its position: the number of rows before it, counted on the shorter side (the
    // engine counts index entries one by one): the rows after it, up to half the rows, and
    // the rows before it only when there are more after it.
    const QVariantList boundary = sortValues(target);
    auto countRows = [&](bool before, int cap, int* n) {
        *n = 0;
        for (const KeysetCondition& c : m_keyset->beyond(boundary, before)) {
            QSqlQuery q(database());
            QString why;
            const int left = cap > 0 ? cap - *n : 0;
            if (cap > 0 && left <= 0)
                break;
            if (!runRead(q, m_keyset->countSql(c.sql, left), c.binds, &why) || !q.next()) {
                m_lastError = why;
                return false;
            }
            *n += q.value(0).toInt();
        }
        return true;
    };
    int position = 0;
    int afterCount = 0;
    const int cap = m_total / 2 + 1;
    if (!m_dialect.isSQLite() && !m_dialect.isPostgres()) {
        if (!countRows(true, 0, &position))
            return false;
    } else {
        if (!countRows(false, cap, &afterCount))
            return false;
        if (afterCount < cap)
            position = m_total - 1 - afterCount;
        else if (!countRows(true, 0, &position))
            return false;
    }
    // The gap that holds that position (or the nearest one) receives the page around it.
    position = qBound(0, position, qMax(0, m_total - 1));
    int offset = 0;
    int seg = segmentOf(position, &offset);
    if (seg < 0 || m_segments[seg].loaded() || m_segments[seg].dead) {
        int best = -1;
        int bestDistance = std::numeric_limits<int>::max();
        int start = 0;
        for (int i = 0; i < m_segments.size(); ++i) {
            const Segment& s = m_segments[i];
            if (!s.loaded() && !s.dead) {
                const int d = position < start            ? start - position
                              : position >= start + s.gap ? position - (start + s.gap - 1)
                                                          : 0;
                if (d < bestDistance) {
                    bestDistance = d;
                    best = i;
                    offset = qBound(0, position - start, s.gap - 1);
                }
            }
            start += s.size();
        }
        if (best < 0)
            return false; // everything is read and the row is not among it: added meanwhile
        seg = best;
    }
    const int half = kPage / 2;
    QList<Row> before = readRows(m_keyset->beyond(boundary, true), true, half, true, nullptr);
    std::reverse(before.begin(), before.end());
    const QList<Row> after =
        readRows(m_keyset->beyond(boundary, false), false, half, true, nullptr);
    QList<Row> page = before;
    page << target << after;
    placeRows(seg, offset - int(before.size()), page, false, false);
    int pos = 0;
    for (const Segment& s : std::as_const(m_segments)) {
        if (s.loaded())
            for (int k = 0; k < s.rows.size(); ++k)
                if (s.rows[k].status != RowStatus::Inserted && keyText(s.rows[k]) == key) {
                    setCurrentRow(pos + k);
                    dropFarRows(m_current);
                    return true;
                }
        pos += s.size();
    }
    return false;
}

} // namespace falq
