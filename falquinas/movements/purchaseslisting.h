#pragma once
// The purchases and repairs register's listing window TCORTF031C ("Listagem de Compras e
// Reparações"): filters the purchases and repairs and prints them.
class QWidget;

namespace falq {

class Session;

// Opens TCORTF031C modally.
void openPurchasesListing(Session& session, QWidget* parent);

} // namespace falq
