#pragma once
// The printed lists of purchases and repairs, on one layout: page header "Listagem de Compras e
// Reparações", a subtitle, the filter block (kind of cost, kind of item, dates, suppliers and,
// where the window filters by client, clients) and the page footer.
//
//   Detailed        TCORTFPR032   "Detalhada", every row, "Total ......"
//   ClientTotals    TCORTFPR032A  "Totais por Cliente", per client, "Total ......"
//   SupplierTotals  TCORTFPR032B  "Totais por Fornecedor", per supplier, "Total ......"
//   Register        TCORTFPR031A  the register's list: invoice columns, no client line, no total
//
// The totals print the sum of VALOR over the list's rows, read once from the data with the
// list's filter, however often the list is rendered, in the currency format of the grids.
#include "imagefiles.h"
#include "preparedreport.h"
#include "purchasesqueries.h"

#include <QSqlDatabase>

namespace falq::movements {

enum class PurchasesList { Detailed, ClientTotals, SupplierTotals, Register };

struct PurchasesListOptions {
    PurchasesFilter filter;
    TotalsOrder order = TotalsOrder::Alphabetic;
    bool photos = false; // "Impr.Fotografia?" (Detailed and Register)
};

bool preparePurchasesList(const QSqlDatabase& db, const ImageParameters& images, PurchasesList list,
                          const PurchasesListOptions& options, PreparedReport& out, QString* error);

} // namespace falq::movements
