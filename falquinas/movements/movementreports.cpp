#include "movementreports.h"

namespace falq {

void showMovementReport(Session&, MovementReport, const MovementReportCriteria&, QWidget*) {
    // Not available yet: nothing is shown.
}

} // namespace falq
