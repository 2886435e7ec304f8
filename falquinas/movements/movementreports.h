#pragma once
// The six movement analysis reports: rankings of drawings and clichés by uses ("Utilizações de
// Risco") and by rotations or strokes, and the chronological movement lists. The usage register
// launches them with its period, patterns and options; each is shown in the print preview.
#include <QDate>
#include <QString>

class QWidget;

namespace falq {

class Session;

enum class MovementReport {
    RiskDrawings,     // TCORTFPR030A
    RiskCliches,      // TCORTFPR030B
    ListCliches,      // TCORTFPR030C
    ListDrawings,     // TCORTFPR030D
    AnalysisDrawings, // TCORTFPR030E
    AnalysisCliches   // TCORTFPR030F
};

struct MovementReportCriteria {
    QDate from, to;
    QString clientPattern, supplierPattern;
    bool photos = false; // "Impr.Fotografia?": the item's picture under each ranking line
    bool orders = false; // "Mostrar Encomendas?": the item's movements under each ranking line
};

void showMovementReport(Session& session, MovementReport report,
                        const MovementReportCriteria& criteria, QWidget* parent);

} // namespace falq
