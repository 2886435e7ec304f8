#pragma once
// The named connections of the programs and how an alias becomes an open connection.
#include "aliases.h"

#include <QSqlDatabase>

namespace falq {

inline const QString kDbGeral = QStringLiteral("DBGERAL");           // general database
inline const QString kDbFalquinas = QStringLiteral("DBFALQUINAS");   // main database of the company
inline const QString kDbFacturacao = QStringLiteral("DBPRDXFACTUR"); // invoicing database

// Opens connection `connectionName` on the database that `alias` names in aliases.ini,
// with the given login. Any connection of that name is closed and replaced first. On
// failure returns false with a message that names the alias and the reason.
bool openAlias(const QString& connectionName, const QString& alias, const QString& user,
               const QString& password, QString* error);

// The same for an alias definition already read.
bool openConnection(const QString& connectionName, const AliasDef& def, const QString& user,
                    const QString& password, QString* error);

// Closes and removes a named connection, if it exists.
void closeConnection(const QString& connectionName);

// The value after "NAME=" in a login line ("USER NAME=ZEL" gives "ZEL").
QString loginLineValue(const QString& line);

} // namespace falq
