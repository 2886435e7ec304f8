#pragma once
// The criteria of the drawing search: the ranges on "Procurar por?", the board and inner
// measures on "Medidas", the name patterns on "Filtrar Consulta", the channel direction and the
// view ("Ambas", ...) and the five sort buttons, with the look-ups of the client, supplier,
// board and salesman bounds.
#include "criteriapage.h"
#include "drawingsearch.h"

class QComboBox;

namespace falq {

class DrawingCriteriaPage : public CriteriaPage {
    Q_OBJECT
public:
    explicit DrawingCriteriaPage(Session& session, QWidget* parent = nullptr);

    drawings::SearchCriteria criteria() const;
    void resetToDefaults() override;

private:
    drawings::SearchCriteria m_criteria;
    QComboBox* m_direction;
    QComboBox* m_view;
};

} // namespace falq
