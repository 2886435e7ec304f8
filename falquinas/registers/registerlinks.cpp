#include "registerlinks.h"

#include "dataset.h"
#include "recordpickers.h"
#include "session.h"
#include "unitDtFalquinas.h"

namespace falq::registers {

QString pickNumber(Session& session, ObjectKind kind, PickerCaller caller, QWidget* parent) {
    return falq::pickNumber(kind == ObjectKind::Drawing ? ds::DESENHOS : ds::CLICHES, session,
                            caller, parent);
}

} // namespace falq::registers
