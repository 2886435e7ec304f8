#pragma once
// Runs one statement with its values bound. A statement without values runs unprepared:
// PostgreSQL cannot prepare DDL (CREATE, ALTER, DROP).
#include <QSqlQuery>
#include <QVariantList>

#include "statement.h"

namespace falq {

// False with the engine's message in `error` (when given) on failure.
bool runStatement(QSqlQuery& query, const QString& sql, const QVariantList& binds = {},
                  QString* error = nullptr);

} // namespace falq
