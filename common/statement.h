#pragma once
// A statement and the values bound to its named placeholders: the one form every statement
// builder returns, and that a dataset, a report's rows and a plain query run alike.
#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

class QSqlQuery;

namespace falq {

using Bindings = QList<QPair<QString, QVariant>>; // (":NAME", value), in order

struct Statement {
    QString sql;
    Bindings binds;

    // Binds `value` to a placeholder of its own (":V001", ":V002", ...) and gives its name, to
    // be written in the statement where the value goes.
    QString bind(const QVariant& value);
    // Binds `value` to the placeholder `name` (":WDATENC1").
    void bind(const QString& name, const QVariant& value);
    // The value bound to `name` (null when none is).
    QVariant bound(const QString& name) const;
    // The values in the order they were bound.
    QVariantList values() const;
};

// Prepares and runs `statement` with its values; false with the engine's message in `error`
// (when given) on failure.
bool runStatement(QSqlQuery& query, const Statement& statement, QString* error = nullptr);

} // namespace falq
