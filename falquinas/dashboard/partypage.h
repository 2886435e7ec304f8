#pragma once
// "Custos por Cliente" and "Custos por Fornecedor": the costs of the page's days by client
// (or supplier) with their total, and for the party in the current row its costs by year and
// by month whatever the days (two charts), its requisitions of the days and its costs of the
// days by the other party.
#include "dashboardpage.h"

class QLabel;

namespace falq::dashboard {

class PartyPage : public DashboardPage {
    Q_OBJECT
public:
    PartyPage(Dashboard& dashboard, Party party, QWidget* parent);
    QString caption() const override;
    void recompute() override;
    void firstSubPages() override;

private:
    void partyDetail();
    void requisitionViewer();

    Party m_party;
    QTabWidget* m_notebook;
    QLabel* m_total;
    Dataset* m_parties;
    Dataset* m_years;
    Dataset* m_months;
    Dataset* m_requisitions;
    Dataset* m_others;
    StatChart* m_yearChart;
    StatChart* m_monthChart;
};

} // namespace falq::dashboard
