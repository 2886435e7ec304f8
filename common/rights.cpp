#include "rights.h"

#include "sqlrun.h"

#include <QSqlQuery>

namespace falq {

AccessRights lookupRights(const QSqlDatabase& db, const QString& module, const QString& chapter,
                          const QString& program, const QString& user, int company,
                          QString* error) {
    AccessRights r;
    QSqlQuery q(db);
    if (!runStatement(
            q,
            QStringLiteral(
                "SELECT ACEDER, INSERIR, ALTERAR, ELIMINAR, IMPORTAR, IMPRIMIR, ARQUIVAR, MAIL, "
                "SCANNER FROM APLICACAODET WHERE APLICACAO = ? AND CAPITULO = ? AND PROGRAMA = ? "
                "AND UTIL = ? ORDER BY CASE WHEN EMPNRO = ? THEN 0 ELSE 1 END, EMPNRO"),
            {module, chapter, program, user, company}, error))
        return r;
    if (!q.next())
        return r;
    auto allows = [&](int i) {
        return q.value(i).toString().trimmed().toUpper() != QLatin1String("N");
    };
    r.found = true;
    r.aceder = allows(0);
    r.inserir = allows(1);
    r.alterar = allows(2);
    r.eliminar = allows(3);
    r.importar = allows(4);
    r.imprimir = allows(5);
    r.arquivar = allows(6);
    r.mail = allows(7);
    r.scanner = allows(8);
    return r;
}

} // namespace falq
