#include "querysource.h"

#include "sqlrun.h"

#include <QSqlRecord>

namespace falq::reports {

QuerySource::QuerySource(const QSqlDatabase& db, Statement statement)
    : m_query(db), m_statement(std::move(statement)) {
    run();
}

bool QuerySource::run() {
    m_query.finish();
    m_query.setForwardOnly(true);
    m_error.clear();
    if (!runStatement(m_query, m_statement, &m_error)) {
        if (m_error.isEmpty())
            m_error = QStringLiteral("?");
        m_fresh = false;
        return false;
    }
    m_fresh = true;
    return true;
}

int QuerySource::fieldIndex(const QString& name) const {
    return m_query.record().indexOf(name);
}

bool QuerySource::rewind() {
    if (m_fresh)
        return true;
    return run();
}

bool QuerySource::next() {
    m_fresh = false;
    return m_query.next();
}

} // namespace falq::reports
