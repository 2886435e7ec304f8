#include "searchranges.h"

namespace falq {

QString firstRefusedRange(const QSqlDatabase& db, const QList<TextRange>& texts,
                          const QList<NumberRange>& numbers) {
    for (const TextRange& r : texts) {
        bool inverted = false;
        QString error;
        if (!textBoundsInverted(db, r.low, r.high, &inverted, &error))
            return error;
        if (inverted)
            return r.message;
    }
    for (const NumberRange& r : numbers)
        if (r.high < r.low)
            return r.message;
    return {};
}

QString cliches::refusedRange(const SearchCriteria& c, const QSqlDatabase& db) {
    return firstRefusedRange(
        db, {{c.dieFrom, c.dieTo, QStringLiteral("Limite de Cortantes Inválido ...")}},
        {{c.setupFrom, c.setupTo, QStringLiteral("Limite de Fichas de Setup Inválido ...")},
         {c.clientFrom, c.clientTo, QStringLiteral("Limite de Clientes Inválido ...")},
         {c.supplierFrom, c.supplierTo, QStringLiteral("Limite de Fornecedores Inválido ...")},
         {c.modelFrom, c.modelTo, QStringLiteral("Limite de Modelos Inválido ...")},
         {c.machineFrom, c.machineTo, QStringLiteral("Limite de Maquinas Inválido ...")}});
}

} // namespace falq
