#include "rights.h"

#include "sqlrun.h"

#include <QSqlQuery>

namespace falq {

bool rightGranted(const QVariant& flag) {
    return flag.toString() != QLatin1String("N");
}

AccessRights lookupRights(const QSqlDatabase& db, const QString& module, const QString& chapter,
                          const QString& program, const QString& user, int company,
                          QString* error) {
    AccessRights r;
    QSqlQuery q(db);
    if (!runStatement(
            q,
            QStringLiteral(
                "SELECT APLICACAO, CAPITULO, PROGRAMA, UTIL, ACEDER, INSERIR, ALTERAR, ELIMINAR, "
                "IMPORTAR, IMPRIMIR, ARQUIVAR, MAIL, SCANNER FROM APLICACAODET WHERE APLICACAO = ? "
                "AND CAPITULO = ? AND PROGRAMA = ? AND UTIL = ? "
                "ORDER BY CASE WHEN EMPNRO = ? THEN 0 ELSE 1 END, EMPNRO"),
            {module, chapter, program, user, company}, error))
        return r;
    // The engines compare these columns without regard to case; the keys match exactly.
    const QStringList keys = {module, chapter, program, user};
    auto matches = [&] {
        for (int i = 0; i < keys.size(); ++i)
            if (q.value(i).toString() != keys[i])
                return false;
        return true;
    };
    while (q.next() && !matches()) {
    }
    if (!q.isValid())
        return r;
    auto allows = [&](int i) { return rightGranted(q.value(i)); };
    r.found = true;
    r.aceder = allows(4);
    r.inserir = allows(5);
    r.alterar = allows(6);
    r.eliminar = allows(7);
    r.importar = allows(8);
    r.imprimir = allows(9);
    r.arquivar = allows(10);
    r.mail = allows(11);
    r.scanner = allows(12);
    return r;
}

} // namespace falq
