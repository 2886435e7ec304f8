#include "drawingranges.h"

#include "searchranges.h"

namespace falq {

QString drawings::refusedRange(const SearchCriteria& c, const QSqlDatabase& db) {
    const QString measures = QStringLiteral("Limite Inválido ...");
    return firstRefusedRange(
        db,
        {{c.drawingFrom, c.drawingTo, QStringLiteral("Limite de Desenhos Inválido ...")},
         {c.dieFrom, c.dieTo, QStringLiteral("Limite de Cortantes Inválido ...")}},
        {{c.clientFrom, c.clientTo, QStringLiteral("Limite de Clientes Inválido ...")},
         {c.supplierFrom, c.supplierTo, QStringLiteral("Limite de Fornecedores Inválido ...")},
         {c.machineFrom, c.machineTo, QStringLiteral("Limite de Máquinas Inválido ...")},
         {c.designerFrom, c.designerTo, QStringLiteral("Limite de Desenhadores Inválido ...")},
         {c.boardFrom, c.boardTo, QStringLiteral("Limite de Cartões Inválido ...")},
         {c.salesmanFrom, c.salesmanTo, QStringLiteral("Limite de Vendedores Inválido ...")},
         {c.boardWidthFrom, c.boardWidthTo, measures},
         {c.boardLengthFrom, c.boardLengthTo, measures},
         {c.widthFrom, c.widthTo, measures},
         {c.lengthFrom, c.lengthTo, measures},
         {c.heightFrom, c.heightTo, measures}});
}

} // namespace falq
