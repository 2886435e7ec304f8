#pragma once
// Database aliases of the plant: aliases.ini in the plant root names, for each alias, the
// driver and where the database is. User names and passwords never live there.
//
//   [FALQUINAS]
//   Driver=QPSQL            ; QSQLITE, QPSQL or QODBC
//   Host=dbserver
//   Port=5432
//   Database=falquinas_emp1 ; for QSQLITE a file, relative to the plant root or absolute
//   Schema=emp1             ; optional (QPSQL): the schema searched first
//   Options=connect_timeout=5
#include <QString>

namespace falq {

struct AliasDef {
    QString name;
    QString driver;
    QString database;
    QString host;
    int port = 0;
    QString schema;
    QString options;
};

QString aliasesPath(); // aliases.ini in the plant root

// Finds `alias` (case-insensitive) in the plant's aliases.ini. On failure returns false and
// says why in `error`, naming the alias.
bool readAlias(const QString& alias, AliasDef* out, QString* error);

// The same in a given aliases.ini (a relative SQLite file is relative to its folder).
bool readAliasFrom(const QString& path, const QString& alias, AliasDef* out, QString* error);

// Writes or replaces one alias in aliases.ini at `path`.
bool writeAlias(const QString& path, const AliasDef& def, QString* error);

} // namespace falq
