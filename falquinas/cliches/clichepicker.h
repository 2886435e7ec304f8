#pragma once
// The cliché picker "Consulta de Clichés": the cliché search over the valid clichés, opened by
// the main window (TFACFMENUB), the usage register (TCORTF030B) and the purchases and repairs
// register (TCORTF031B). In the registers' copies a double click on the grid picks and closes,
// and "0" in a cliché number box stands for the empty number.
#include "clichecriteria.h"
#include "recordpicker.h"

namespace falq {

class TFACFMENUB : public RecordPicker {
    Q_OBJECT
public:
    TFACFMENUB(Session& session, PickerCaller caller, QWidget* parent = nullptr);

    ClicheCriteriaPage* criteriaPage() const { return m_criteria; }

private:
    SearchStatement statement() const override;

    ClicheCriteriaPage* m_criteria;
};

// Runs the picker modally; the CLICHENRO (12 characters) current at closing, "" with no rows.
QString pickCliche(Session& session, PickerCaller caller, QWidget* parent);

} // namespace falq
