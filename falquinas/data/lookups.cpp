#include "lookups.h"

#include "connections.h"
#include "dataset.h"

namespace falq {

Dataset* createLookupSet(const QString& name, const LookupDef& def, bool byName, QObject* parent) {
    return new Dataset(name, def.connection, byName ? def.byName : def.byCode,
                       UpdateObject{def.table, {QStringLiteral("CODIGO")}, {}}, parent);
}

} // namespace falq

namespace falq::lookups {

LookupDef clients() {
    return {kDbFacturacao, QStringLiteral("SELECT CODIGO,NOME,SIGLA FROM CLIENTES Order By CODIGO"),
            QStringLiteral("SELECT CODIGO,NOME,SIGLA FROM CLIENTES Order By NOME"),
            QStringLiteral("CLIENTES")};
}

LookupDef suppliers() {
    return {kDbFacturacao,
            QStringLiteral("SELECT CODIGO,NOME,SIGLA FROM FORNECEDORES Order By CODIGO"),
            QStringLiteral("SELECT CODIGO,NOME,SIGLA FROM FORNECEDORES Order By NOME"),
            QStringLiteral("FORNECEDORES")};
}

LookupDef salesmen() {
    return {kDbFacturacao, QStringLiteral("SELECT CODIGO,NOME FROM VENDEDORES Order By CODIGO"),
            QStringLiteral("SELECT CODIGO,NOME FROM VENDEDORES Order By NOME"),
            QStringLiteral("VENDEDORES")};
}

namespace {
LookupDef codeTable(const QString& table, const QString& nameColumn, bool editor) {
    return {kDbFalquinas, QStringLiteral("SELECT * FROM %1 Order BY CODIGO").arg(table),
            editor ? QStringLiteral("SELECT * FROM %1 Order By %2").arg(table, nameColumn)
                   : QStringLiteral("SELECT CODIGO,%2 FROM %1 Order By %2").arg(table, nameColumn),
            table};
}
} // namespace

LookupDef models(bool editor) {
    return codeTable(QStringLiteral("MODELOS"), QStringLiteral("DESIGNACAO"), editor);
}
LookupDef machines(bool editor) {
    return codeTable(QStringLiteral("MAQUINAS"), QStringLiteral("DESIGNACAO"), editor);
}
LookupDef boards(bool editor) {
    return codeTable(QStringLiteral("CARTOES"), QStringLiteral("DESIGNACAO"), editor);
}

LookupDef colours() {
    return {kDbFalquinas, QStringLiteral("SELECT * FROM CORES Order By NUMERO"),
            QStringLiteral("SELECT * FROM CORES Order By DESIGNACAO"), QStringLiteral("CORES")};
}

LookupDef designers() {
    return {kDbFalquinas, QStringLiteral("SELECT * FROM DESENHADORES Order BY CODIGO"),
            QStringLiteral("SELECT * FROM DESENHADORES Order By NOME"),
            QStringLiteral("DESENHADORES")};
}

QList<SearchColumn> clientColumns(bool byName) {
    if (byName)
        return {{"NOME", "Nome do Cliente"}, {"CODIGO", "Cliente Nº"}, {"SIGLA", "Sigla"}};
    return {{"CODIGO", "Cliente Nº"}, {"NOME", "Nome do Cliente"}, {"SIGLA", "Sigla Cliente"}};
}

QList<SearchColumn> supplierColumns(bool byName) {
    if (byName)
        return {{"NOME", "Nome do Fonecedor"}, {"CODIGO", "Forn. Nº"}, {"SIGLA", "Sigla"}};
    return {{"CODIGO", "Forn. Nº"}, {"NOME", "Nome do Fornecedor"}, {"SIGLA", "Sigla"}};
}

QList<SearchColumn> salesmanColumns(bool byName) {
    if (byName)
        return {{"NOME", "Nome do Vendedor"}, {"CODIGO", "Vendedor Nº"}};
    return {{"CODIGO", "Vendedor Nº"}, {"NOME", "Nome do Vendedor"}};
}

QList<SearchColumn> boardColumns(bool byName) {
    if (byName)
        return {{"DESIGNACAO", "Designação"}, {"CODIGO", "Cartão Nº"}};
    return {{"CODIGO", "Cartão Nº"}, {"DESIGNACAO", "Designação"}};
}

QList<SearchColumn> machineColumns(bool byName) {
    if (byName)
        return {{"DESIGNACAO", "Designação"}, {"CODIGO", "Máq. Nº"}};
    return {{"CODIGO", "Máq. Nº"}, {"DESIGNACAO", "Designação"}};
}

} // namespace falq::lookups
