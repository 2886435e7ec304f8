#pragma once
// The access rights of a user on one program of the main program's menu.
#include <QSqlDatabase>
#include <QString>
#include <QVariant>

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

// Whether a flag of a rights row grants its right: every value but exactly "N" does (an empty
// or NULL flag, or "n", grants, as the rights were always read).
bool rightGranted(const QVariant& flag);

// Reads the APLICACAODET row of (module, chapter, program, user); the four keys match exactly,
// letter case included. One main database may hold the rows of several companies: the row of
// `company` (the signed-in company) decides; only when it has none does a row of another company
// count. Each flag as rightGranted() reads it.
AccessRights lookupRights(const QSqlDatabase& db, const QString& module, const QString& chapter,
                          const QString& program, const QString& user, int company,
                          QString* error = nullptr);

} // namespace falq
