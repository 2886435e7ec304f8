#pragma once
// Purchases and repairs listing of the register (TCORTF031C, "Listagem de Compras e
// Reparações"): filters the purchases and repairs by requisition dates, supplier, kind of cost
// and kind of item, shows them with the current row's picture and documents (a click on the
// picture opens "Visualização de Fotos"), and prints the register's list (TCORTFPR031A).
#include "purchaseswindow.h"

#include <memory>

namespace Ui {
class TCORTF031C;
}

namespace falq {

class TCORTF031C : public PurchasesWindow {
    Q_OBJECT
public:
    explicit TCORTF031C(Session& session, QWidget* parent = nullptr);
    ~TCORTF031C() override;

    void BotPrintClick();

protected:
    void applyDefaults() override;

private:
    std::unique_ptr<Ui::TCORTF031C> ui;
};

} // namespace falq
