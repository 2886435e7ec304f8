#pragma once
// "Totais Gerais": the costs of every purchase and repair with a requisition number, by year
// and by month, their averages, and for the year or month in the upper grid's current row its
// costs by client and supplier and its requisitions.
#include "dashboardpage.h"

namespace falq::dashboard {

class TotalsPage : public DashboardPage {
    Q_OBJECT
public:
    TotalsPage(Dashboard& dashboard, QWidget* parent);
    QString caption() const override { return QStringLiteral("Totais Gerais"); }
    void recompute() override;
    void firstSubPages() override;

    // NB1's page change: the handler of the grid shown, run for its current row.
    void NB1Change();
    // NB2's page change: the requisition viewer runs only on "Requisões".
    void NB2Change();

private:
    void periodDetail(Dataset* grid, bool monthly);
    void requisitionViewer();

    QTabWidget* m_nb1;
    QTabWidget* m_nb2;
    Dataset* m_years;
    Dataset* m_months;
    Dataset* m_yearAverages;
    Dataset* m_monthAverages;
    Dataset* m_clients;
    Dataset* m_suppliers;
    Dataset* m_requisitions;
    StatChart* m_charts[4];
};

} // namespace falq::dashboard
