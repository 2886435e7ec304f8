#include "recordpickers.h"

#include <QHash>

namespace falq {

namespace {
QHash<QString, NumberPicker>& pickers() {
    static QHash<QString, NumberPicker> all;
    return all;
}
} // namespace

void setNumberPicker(const QString& table, NumberPicker picker) {
    pickers().insert(table, std::move(picker));
}

QString pickNumber(const QString& table, Session& session, PickerCaller caller, QWidget* parent) {
    const NumberPicker picker = pickers().value(table);
    return picker ? picker(session, caller, parent) : QString();
}

} // namespace falq
