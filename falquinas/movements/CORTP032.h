#pragma once
// Purchases and repairs listing, "Mapa de Custos" (TCORTF032, "Listagem de Compras e
// Reparações"): the purchases and repairs of a range of requisition dates filtered by supplier,
// client, kind of cost and kind of item, with the current row's picture and documents, printed
// in detail (TCORTFPR032) or as totals per client (TCORTFPR032A) or per supplier
// (TCORTFPR032B).
#include "purchaseswindow.h"

#include <memory>

namespace Ui {
class TCORTF032;
}

namespace falq {

class TCORTF032 : public PurchasesWindow {
    Q_OBJECT
public:
    explicit TCORTF032(Session& session, QWidget* parent = nullptr);
    ~TCORTF032() override;

    void BotPrintClick();

protected:
    void applyDefaults() override;
    void showOptions() override;
    void everyActivation() override;

private:
    std::unique_ptr<Ui::TCORTF032> ui;
    FailureNotice m_rightsFailure;
};

} // namespace falq
