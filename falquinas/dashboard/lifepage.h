#pragma once
// "Vida Útil": the clichés and drawings in use nearest the end of their forecast life (the 20
// most urgent: those already worn, then those with the earliest wear-out date) and, by client,
// how many tools in use are dormant (used, but not for more than the [VidaUtil] Inactivo
// months). Withdrawn tools (UTILIZA other than "S") count in neither. Read from the tool-life
// statement of each kind, once, in the background with the progress box, when the page is
// shown or recomputed, never before; neither filter of the "Fotos" page applies to it.
#include "dashboardpage.h"

class QStandardItemModel;

namespace falq::dashboard {

class LifePage : public DashboardPage {
    Q_OBJECT
public:
    LifePage(Dashboard& dashboard, QWidget* parent);
    QString caption() const override { return QStringLiteral("Vida Útil"); }
    void recompute() override;
    bool typeFilterApplies() const override { return false; }
    bool kindFilterApplies() const override { return false; }

    // How many tools the nearest-end grid lists.
    static constexpr int kNearest = 20;

private:
    void clear();

    bool m_reading = false;

    QStandardItemModel* m_nearest;
    QStandardItemModel* m_dormant;
    StatChart* m_chart;
};

} // namespace falq::dashboard
