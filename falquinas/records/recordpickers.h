#pragma once
// The pickers of the kinds of record, given by the program that opens the windows: the
// registers and the dashboard open the cliché or the drawing picker by its table (ds::CLICHES,
// ds::DESENHOS) without depending on the kind's windows.
#include "recordpicker.h"

#include <functional>

namespace falq {

// Runs a kind's picker modally; the number current at closing, "" with no rows.
using NumberPicker = std::function<QString(Session&, PickerCaller, QWidget* parent)>;

void setNumberPicker(const QString& table, NumberPicker picker);
// The picker of `table`'s kind; "" when no picker was given for it.
QString pickNumber(const QString& table, Session& session, PickerCaller caller, QWidget* parent);

} // namespace falq
