#pragma once
// Drawing printing ("Impressão de Desenhos"): the valid drawings chosen by the search
// criteria, printed as "Listagem de Desenhos" (TCORTFPR022A) or one "Ficha Tecnica"
// (TCORTFPR022B) per drawing, and exported as "Tabela de Desenhos".
#include "drawingsearch.h"
#include "listingwindow.h"

namespace Ui {
class TCORTF022;
}

namespace falq {

class DrawingCriteriaPage;

class TCORTF022 : public ListingWindow {
    Q_OBJECT
public:
    explicit TCORTF022(Session& session, QWidget* parent = nullptr);
    ~TCORTF022() override;

    // The criteria shown.
    drawings::SearchCriteria criteria() const;

private:
    SearchStatement selection() const override;
    reports::Form reportForm(bool sheet, bool photos) const override;
    void showViewer(const QString& imagePath) override;

    std::unique_ptr<Ui::TCORTF022> ui;
    DrawingCriteriaPage* m_page;
};

} // namespace falq
