#pragma once
// The read-only look-up queries of the windows, one in code order and one in name order.
// A window takes the pair it needs and names its own copies (CLIENTES, CLIENTESALFA, ...).
#include <QString>

namespace falq {

struct LookupDef {
    QString connection; // connection name
    QString byCode;     // statement in code order
    QString byName;     // statement in name order
};

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
} // namespace lookups

} // namespace falq
