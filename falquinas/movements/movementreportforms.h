#pragma once
// The six movement reports as forms of the report engine with their rows, built without any
// window: showMovementReport() previews them, the tests render them to text.
#include "movementreports.h"

#include "imagefiles.h"
#include "preparedreport.h"

#include <QSqlDatabase>

namespace falq::movements {

// Reads what the report needs on `db` (a ranking's rows and, with "Mostrar Encomendas?", the
// movements of its items in one statement; a list runs its statement as it prints) and builds
// its form. False with the engine's message in `error`.
bool prepareMovementReport(const QSqlDatabase& db, const ImageParameters& images,
                           MovementReport report, const MovementReportCriteria& criteria,
                           PreparedReport& out, QString* error);

} // namespace falq::movements
