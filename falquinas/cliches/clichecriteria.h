#pragma once
// The criteria of the cliché search: the ranges on "Procurar por?", the patterns on "Filtrar
// Consulta" and the six sort buttons, with the look-ups of the client and supplier bounds.
#include "clichesearch.h"
#include "criteriapage.h"

namespace falq {

class ClicheCriteriaPage : public CriteriaPage {
    Q_OBJECT
public:
    explicit ClicheCriteriaPage(Session& session, QWidget* parent = nullptr);

    cliches::SearchCriteria criteria() const;
    void resetToDefaults() override;
    // The pickers of the registers read "0" in a cliché number box as the empty text.
    void setZeroNumberIsEmpty(bool on) { setZeroIsEmpty(on); }

private:
    cliches::SearchCriteria m_criteria;
};

} // namespace falq
