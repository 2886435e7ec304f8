#pragma once
// The read-only look-up queries of the windows, one in code order and one in name order.
// A window takes the pair it needs and names its own copies (CLIENTES, CLIENTESALFA, ...).
#include "codenames.h"
#include "grids.h"

#include <QString>

class QObject;

namespace falq {

class Dataset;

struct LookupDef {
    QString connection; // connection name
    QString byCode;     // statement in code order
    QString byName;     // statement in name order
    QString table;      // the code table (key CODIGO)

    CodeTable codeTable() const { return {connection, table}; }
};

// A window's own read-only copy of a look-up (named as the window names it: CLIENTES,
// CLIENTESALFA, ...), in code order or in name order. Not open.
Dataset* createLookupSet(const QString& name, const LookupDef& def, bool byName, QObject* parent);

namespace lookups {
LookupDef clients();
LookupDef suppliers();
LookupDef salesmen();
// For models, machines and boards the code order is the shared dataset; the name order
// differs between the editors (all columns) and the search and listing windows.
LookupDef models(bool editor);
LookupDef machines(bool editor);
LookupDef boards(bool editor);
LookupDef colours();
LookupDef designers();

// The columns of a code box's searches: by code ("Procura Numérica") or by name ("Procura
// Alfabética"), the searched column first.
QList<SearchColumn> clientColumns(bool byName);
QList<SearchColumn> supplierColumns(bool byName);
QList<SearchColumn> salesmanColumns(bool byName);
QList<SearchColumn> boardColumns(bool byName);
QList<SearchColumn> machineColumns(bool byName);
} // namespace lookups

} // namespace falq
