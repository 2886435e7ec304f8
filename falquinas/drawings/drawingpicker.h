#pragma once
// The drawing picker "Pesquisa de Desenhos (Ficha Técnica)": the drawing search over the
// drawings in use, opened by the main window (TFACFMENUA), the usage register (TCORTF030A)
// and the purchases and repairs register (TCORTF031A). In the registers' copies a double click
// on the grid picks and closes.
#include "drawingcriteria.h"
#include "recordpicker.h"

namespace falq {

class TFACFMENUA : public RecordPicker {
    Q_OBJECT
public:
    TFACFMENUA(Session& session, PickerCaller caller, QWidget* parent = nullptr);

    DrawingCriteriaPage* criteriaPage() const { return m_criteria; }

private:
    SearchStatement statement() const override;

    DrawingCriteriaPage* m_criteria;
};

// Runs the picker modally; the DESENHONRO (20 characters) current at closing, "" with no rows.
QString pickDrawing(Session& session, PickerCaller caller, QWidget* parent);

} // namespace falq
