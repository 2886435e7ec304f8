#include "admindata.h"

#include "connections.h"
#include "schema.h"
#include "sqlrun.h"
#include "transaction.h"

#include <QSqlQuery>

namespace falq {

AdminSession::AdminSession(Messages& messages, const Credentials& credentials)
    : m_messages(messages), m_application(schema::kModuleCode), m_userLine(credentials.userLine),
      m_passwordLine(credentials.passwordLine) {}

bool connectGeneral(const AdminSession& session, QString* error) {
    return openAlias(kAdminGeral, kGeneralAlias, loginLineValue(session.generalUserLine()),
                     loginLineValue(session.generalPasswordLine()), error);
}

bool connectMain(const QString& alias, QString* error) {
    // The two login lines "UserName=" and "Password=" with no values.
    return openAlias(kAdminMain, alias, loginLineValue(QStringLiteral("UserName=")),
                     loginLineValue(QStringLiteral("Password=")), error);
}

bool userExists(const QSqlDatabase& db, const QString& user, bool* exists, QString* error) {
    QSqlQuery q(db);
    if (!runStatement(q, QStringLiteral("SELECT COUNT(*) FROM UTILIZADORES WHERE NRO = ?"), {user},
                      error) ||
        !q.next())
        return false;
    *exists = q.value(0).toInt() > 0;
    return true;
}

bool ensureUserRights(const QSqlDatabase& db, const QString& application, int company,
                      const QString& user, QString* error) {
    if (user.isEmpty())
        return true;
    Transaction tx(db);
    if (!tx.isActive()) {
        *error = tx.error();
        return false;
    }
    QSqlQuery programs(db);
    if (!runStatement(programs,
                      QStringLiteral("SELECT * FROM APLICACAOMST Where APLICACAO = :WAplicacao"),
                      {application}, error))
        return false;
    QList<QPair<QString, QString>> catalogue;
    while (programs.next())
        catalogue << qMakePair(programs.value(QStringLiteral("CAPITULO")).toString(),
                               programs.value(QStringLiteral("PROGRAMA")).toString());
    programs.finish();
    QSqlQuery look(db);
    QSqlQuery insert(db);
    for (const auto& [chapter, program] : std::as_const(catalogue)) {
        if (!runStatement(look,
                          QStringLiteral("SELECT COUNT(*) FROM APLICACAODET WHERE APLICACAO = ? "
                                         "AND CAPITULO = ? AND PROGRAMA = ? AND EMPNRO = ? AND "
                                         "UTIL = ?"),
                          {application, chapter, program, company, user}, error) ||
            !look.next())
            return false;
        const bool exists = look.value(0).toInt() > 0;
        look.finish();
        if (exists)
            continue;
        if (!runStatement(insert,
                          QStringLiteral("INSERT INTO APLICACAODET (APLICACAO, CAPITULO, PROGRAMA, "
                                         "EMPNRO, UTIL, INSERIR, ELIMINAR, IMPRIMIR, IMPORTAR, "
                                         "SCANNER, ARQUIVAR, MAIL, ACEDER, ALTERAR) VALUES "
                                         "(:WAplicacao, :WCapitulo, :WPrograma, :WEmpNro, :WUtil, "
                                         "'S', 'S', 'S', 'S', 'S', 'S', 'S', 'S', 'S')"),
                          {application, chapter, program, company, user}, error))
            return false;
    }
    if (!tx.commit()) {
        *error = tx.error();
        return false;
    }
    return true;
}

bool deleteUserRights(QSqlDatabase& db, const QString& user, QString* error) {
    QSqlQuery q(db);
    return runStatement(q,
                        QStringLiteral("DELETE FROM APLICACAODET WHERE UTIL = ? AND NOT EXISTS "
                                       "(SELECT 1 FROM UTILIZADORES WHERE NRO = ?)"),
                        {user, user}, error);
}

} // namespace falq
