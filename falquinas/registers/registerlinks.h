#pragma once
// What the registers open or use from the other parts of the main program: the drawing and
// cliché pickers, the usage rankings of the summaries, the movement reports and the purchases
// and repairs listing. One small function each, so the windows name them in one place.
#include "registerrules.h"

class QWidget;

namespace falq {
class Session;
}

namespace falq::registers {

// Which register asks for a number.
enum class Register { Usage, Purchases };
// The picker of the kind, modal; the number current when it closes ("" with no rows).
QString pickNumber(Session& session, ObjectKind kind, Register caller, QWidget* parent);

// A usage ranking: the movements of the kind summed by number (uses, or rotations), joined to
// their drawing or cliché, filtered by client and supplier patterns, largest first.
BuiltStatement usageRanking(const SqlDialect& dialect, ObjectKind kind, bool rotations,
                            const UsagePeriod& period);

// The movement reports, in the order of their forms (030A ... 030F).
enum class UsageReport {
    RiskDrawings,
    RiskCliches,
    ListCliches,
    ListDrawings,
    AnalysisDrawings,
    AnalysisCliches
};
struct UsageReportRequest {
    UsageReport report = UsageReport::RiskDrawings;
    UsagePeriod period;
    bool photos = false; // "Impr.Fotografia?"
    bool orders = false; // "Mostrar Encomendas?"
};
void showUsageReport(Session& session, const UsageReportRequest& request, QWidget* parent);

// "Listagem de Compras e Reparações", modal.
void openPurchasesList(Session& session, QWidget* parent);

} // namespace falq::registers
