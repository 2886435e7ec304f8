#pragma once
// What the registers take from the other parts of the main program: the drawing and cliché
// pickers, and the analysis statements run on a dataset of their own.
#include "recordpicker.h"
#include "registerrules.h"

class QWidget;

namespace falq {
class Dataset;
class Session;
} // namespace falq

namespace falq::registers {

// The drawing or cliché picker, modal; the number current when it closes ("" with no rows).
QString pickNumber(Session& session, ObjectKind kind, PickerCaller caller, QWidget* parent);

// Gives `dataset` the statement with its values (the datasets bind by name).
void setStatement(Dataset* dataset, const movements::Statement& statement);

} // namespace falq::registers
