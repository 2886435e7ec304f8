#pragma once
// Connections to a database server can die under the programs (the server restarts, the
// network drops, an administrator ends the session). These find out whether a connection
// still answers and open it again when it does not.
#include <QSqlDatabase>
#include <QString>

namespace falq {

// The text the user sees while the server does not answer, with the reason.
QString noServerMessage(const QString& reason);

// True when the connection answers a trivial statement.
bool connectionAnswers(const QSqlDatabase& db, QString* reason = nullptr);

// Makes sure the connection answers, reopening it once when it does not. False, with the
// engine's reason, while the server cannot be reached.
bool ensureConnection(QSqlDatabase db, QString* reason);

} // namespace falq
