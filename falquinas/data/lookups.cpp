#include "lookups.h"

#include "connections.h"

namespace falq::lookups {

LookupDef clients() {
    return {kDbFacturacao, QStringLiteral("SELECT CODIGO,NOME,SIGLA FROM CLIENTES Order By CODIGO"),
            QStringLiteral("SELECT CODIGO,NOME,SIGLA FROM CLIENTES Order By NOME")};
}

LookupDef suppliers() {
    return {kDbFacturacao,
            QStringLiteral("SELECT CODIGO,NOME,SIGLA FROM FORNECEDORES Order By CODIGO"),
            QStringLiteral("SELECT CODIGO,NOME,SIGLA FROM FORNECEDORES Order By NOME")};
}

LookupDef salesmen() {
    return {kDbFacturacao, QStringLiteral("SELECT CODIGO,NOME FROM VENDEDORES Order By CODIGO"),
            QStringLiteral("SELECT CODIGO,NOME FROM VENDEDORES Order By NOME")};
}

namespace {
LookupDef codeTable(const QString& table, const QString& nameColumn, bool editor) {
    return {kDbFalquinas, QStringLiteral("SELECT * FROM %1 Order BY CODIGO").arg(table),
            editor ? QStringLiteral("SELECT * FROM %1 Order By %2").arg(table, nameColumn)
                   : QStringLiteral("SELECT CODIGO,%2 FROM %1 Order By %2").arg(table, nameColumn)};
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
            QStringLiteral("SELECT * FROM CORES Order By DESIGNACAO")};
}

LookupDef designers() {
    return {kDbFalquinas, QStringLiteral("SELECT * FROM DESENHADORES Order BY CODIGO"),
            QStringLiteral("SELECT * FROM DESENHADORES Order By NOME")};
}

} // namespace falq::lookups
