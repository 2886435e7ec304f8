#pragma once
// The statements of the purchases and repairs listings: the rows of a filter (newest
// requisition first), the totals per client or per supplier, and the filter's sum and count.
// Every value is bound by name (so a dataset can run the rows statement as well).
#include "movementqueries.h"

namespace falq::movements {

enum class CostKind { Both, Purchases, Repairs }; // TIPO "C" / "R"
enum class ItemKinds { Both, Cliches, Drawings }; // TIPOREG "CL" / "DS"
enum class TotalsBy { Client, Supplier };
enum class TotalsOrder { Alphabetic, Value };

// Requisition dates (both days included), LIKE patterns on the copied short names ("%" keeps
// every row, NULL short names too) and the kinds.
struct PurchasesFilter {
    QDate from;
    QDate to;
    QString supplierPattern = QStringLiteral("%");
    QString clientPattern = QStringLiteral("%");
    CostKind cost = CostKind::Both;
    ItemKinds items = ItemKinds::Both;
};

// Every column of REPARACOES, newest requisition first (NRO breaks ties).
Statement purchasesStatement(const SqlDialect& dialect, const PurchasesFilter& filter);
// SIGLACLI or FORNSIGLA, VALOR (sum), UNIDADES (rows), MEDIA (sum divided by rows); by short
// name (NULL first) or by value, largest first, then by short name.
Statement purchasesTotalsStatement(const SqlDialect& dialect, const PurchasesFilter& filter,
                                   TotalsBy by, TotalsOrder order);
// One row: VALOR (the sum, NULL without rows) and UNIDADES.
Statement purchasesSumStatement(const SqlDialect& dialect, const PurchasesFilter& filter);

} // namespace falq::movements
