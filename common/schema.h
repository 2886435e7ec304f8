#pragma once
// The tables of the three databases: the main database of the register, the company's
// invoicing database (read, plus new commercial articles) and the general database
// (companies, workstation parameters, database logins). DDL for every engine comes from
// these definitions.
#include "dialect.h"

#include <QList>
#include <QStringList>

namespace falq {

struct ColumnDef {
    QString name;
    ColumnType type = ColumnType::Text;
    int size = 0;        // text length
    QString defaultText; // text a new row gets when the column is left out (none when empty)
};

struct IndexDef {
    QString name;
    QStringList columns;
    bool unique = false;
};

struct TableDef {
    QString name;
    QList<ColumnDef> columns;
    QStringList primaryKey; // empty: none declared
    QList<IndexDef> indexes;

    const ColumnDef* column(const QString& name) const;
    QString identityColumn() const;
};

enum class DatabaseKind { Main, Invoicing, General };

namespace schema {

const QList<TableDef>& tables(DatabaseKind kind);
// A table of any of the three databases by name (case-insensitive), or nullptr.
const TableDef* findTable(const QString& name);

// The definition of one column in CREATE TABLE and ALTER TABLE ... ADD: name, type, the
// length check of text, and its default.
QString columnDefinition(const TableDef& table, const ColumnDef& column, const SqlDialect& dialect);
// CREATE TABLE and CREATE INDEX statements for one table.
QStringList createStatements(const TableDef& table, const SqlDialect& dialect);
// CREATE INDEX statement of one index of a table.
QString createIndexStatement(const TableDef& table, const IndexDef& index);
// Everything that creates a database of this kind on this engine, catalogue rows included.
QStringList databaseScript(DatabaseKind kind, const SqlDialect& dialect);

// Runs databaseScript on an open connection in one transaction. Returns an empty text on
// success, else the failing statement and the engine's message.
QString createDatabase(QSqlDatabase db, DatabaseKind kind);

// The chapters and programs of the access-rights catalogue of "FALQUINAS".
struct CatalogueChapter {
    QString chapter;
    QStringList programs;
};
const QList<CatalogueChapter>& rightsCatalogue();

inline const QString kModuleCode = QStringLiteral("FALQUINAS");
inline const QString kProgramVersion = QStringLiteral("01.007");

} // namespace schema
} // namespace falq
