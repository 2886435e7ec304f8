#pragma once
// The rows of one statement as the rows of a report, read forward as the report reaches them;
// every new rendering (the preview again, the printer, an export) runs the statement again, so
// a report of millions of rows holds one row at a time.
#include "reportform.h"
#include "statement.h"

#include <QSqlDatabase>
#include <QSqlQuery>

namespace falq::reports {

class QuerySource : public Source {
public:
    QuerySource(const QSqlDatabase& db, Statement statement);
    // False with the engine's message when the statement does not run.
    bool ok() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }

    int fieldIndex(const QString& name) const override;
    bool rewind() override;
    bool next() override;
    QVariant value(int field) const override { return m_query.value(field); }

private:
    bool run();

    QSqlQuery m_query;
    Statement m_statement;
    QString m_error;
    bool m_fresh = false; // run and not read from yet
};

} // namespace falq::reports
