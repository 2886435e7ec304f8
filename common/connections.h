#pragma once
// The named connections of the programs and how an alias becomes an open connection.
#include "aliases.h"

#include <QSqlDatabase>

namespace falq {

inline const QString kDbGeral = QStringLiteral("DBGERAL");           // general database
inline const QString kDbFalquinas = QStringLiteral("DBFALQUINAS");   // main database of the company
inline const QString kDbFacturacao = QStringLiteral("DBPRDXFACTUR"); // invoicing database

// How a connection may use its database. A read-only connection is refused every write by the
// engine itself, not by the program's care alone: SQLite opens the file read-only
// (QSQLITE_OPEN_READONLY), PostgreSQL starts each transaction read-only
// (default_transaction_read_only, in the same options as the schema's search_path), ODBC asks
// for read-only access. A copy of the connection (QSqlDatabase::cloneDatabase, as a dataset
// makes to read) inherits it.
enum class ConnectionAccess { ReadWrite, ReadOnly };

// Opens connection `connectionName` on the database that `alias` names in aliases.ini,
// with the given login. Any connection of that name is closed and replaced first. On
// failure returns false with a message that names the alias, the database (the file, for
// SQLite) and the reason.
//
// An SQLite file is only opened when it already is a database: a missing, empty, foreign or
// truncated file is refused and left as it was (sqliteFileProblem), and the engine is told
// never to create one. Only the installer creates databases (createSqliteDatabase).
bool openAlias(const QString& connectionName, const QString& alias, const QString& user,
               const QString& password, QString* error,
               ConnectionAccess access = ConnectionAccess::ReadWrite);

// The same for an alias definition already read.
bool openConnection(const QString& connectionName, const AliasDef& def, const QString& user,
                    const QString& password, QString* error,
                    ConnectionAccess access = ConnectionAccess::ReadWrite);

// Why the file at `path` is not an SQLite database that may be opened: it does not exist, is
// empty, is something else, or is shorter than its header says. Empty when it is one.
QString sqliteFileProblem(const QString& path);

// Creates a new, empty SQLite database file at `path` (in WAL mode), never over an existing
// file. False with the reason in `error`; a failed creation leaves no file.
bool createSqliteDatabase(const QString& path, QString* error);

// Closes and removes a named connection, if it exists.
void closeConnection(const QString& connectionName);

// A connection kept open beside `source` for the statements read from the start (opening one
// costs about 10 ms on PostgreSQL): one per source connection, on the same database with the
// same login, reserved for one reader at a time. Empty when it is in use, when the caller is
// not the program's main thread, or when it cannot be opened: the caller then opens a copy of
// its own. A source connection replaced by one on another database gets a new one.
QString reserveReadingConnection(const QSqlDatabase& source);
// Gives the connection back; `broken` (it no longer answers) closes it. Closing the source
// connection (closeConnection) closes its reading connection, at once or when it is given back.
void releaseReadingConnection(const QString& name, bool broken = false);

// The value after "NAME=" in a login line ("USER NAME=ZEL" gives "ZEL").
QString loginLineValue(const QString& line);

} // namespace falq
