#pragma once
// What the registers take from the other parts of the main program: the drawing and cliché
// pickers.
#include "recordpicker.h"
#include "registerrules.h"

class QWidget;

namespace falq {
class Session;
} // namespace falq

namespace falq::registers {

// The drawing or cliché picker, modal; the number current when it closes ("" with no rows).
QString pickNumber(Session& session, ObjectKind kind, PickerCaller caller, QWidget* parent);

} // namespace falq::registers
