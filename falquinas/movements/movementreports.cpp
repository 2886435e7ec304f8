#include "movementreports.h"

#include "connections.h"
#include "movementreportforms.h"
#include "reportpreview.h"
#include "session.h"

namespace falq {

void showMovementReport(Session& session, MovementReport report,
                        const MovementReportCriteria& criteria, QWidget* parent) {
    const QSqlDatabase db = QSqlDatabase::database(kDbFalquinas, false);
    QString error;
    const ImageParameters images = readImageParameters(db);
    movements::PreparedReport prepared;
    if (!movements::prepareMovementReport(db, images, report, criteria, prepared, &error)) {
        session.messages().show(error, true);
        return;
    }
    ReportPreview preview(prepared.form, *prepared.source, reportContext(session),
                          session.messages(), parent);
    preview.setWindowTitle(prepared.caption);
    preview.exec();
}

} // namespace falq
