#pragma once
// The access rights of a user on one program of the main program's menu.
#include <QSqlDatabase>
#include <QString>

namespace falq {

struct AccessRights {
    bool found = false; // no row: every right is "N"
    bool aceder = false;
    bool inserir = false;
    bool alterar = false;
    bool eliminar = false;
    bool importar = false;
    bool imprimir = false;
    bool arquivar = false;
    bool mail = false;
    bool scanner = false;
};

// Reads the APLICACAODET row of (module, chapter, program, user), whatever the company; the
// four keys match exactly, letter case included. A flag allows unless it holds exactly "N"
// (an empty flag, or "n", allows, as the rights were always read).
AccessRights lookupRights(const QSqlDatabase& db, const QString& module, const QString& chapter,
                          const QString& program, const QString& user, QString* error = nullptr);

} // namespace falq
