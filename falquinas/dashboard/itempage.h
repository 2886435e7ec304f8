#pragma once
// "Analise de Clichés" and "Analise de Desenhos": the costs of the page's days by number with
// their total ("Custos"), and the rotations of the days by number ("Utilização"); for the
// number in the current row of the grid shown, its image and documents, and its costs by year
// (whatever the days) and by month, its requisitions, or its movements. The search box finds
// a number in the grid shown.
#include "dashboardpage.h"

class QLabel;
class QLineEdit;

namespace falq::dashboard {

class ItemPage : public DashboardPage {
    Q_OBJECT
public:
    ItemPage(Dashboard& dashboard, Item item, QWidget* parent);
    QString caption() const override;
    void recompute() override;
    bool kindFilterApplies() const override { return false; }
    void firstSubPages() override;

    // NBClicheTot / NBDesenhoTot page change: the handler of the grid shown, and the lower
    // notebook moved to or away from "Rotac/Batimentos".
    void totalsPageChange();
    // A click on the lower notebook: the upper one follows it.
    void detailPageClick();
    // Leaving the search box.
    void searchExit();

private:
    void costsDetail();
    void usageDetail();
    void clearDetails();
    // Finds `number` in the grid shown; false (and the message) when it is not there.
    bool locate(const QString& number);

    Item m_item;
    QTabWidget* m_totals;
    QTabWidget* m_details;
    QLabel* m_total;
    QLineEdit* m_search;
    Dataset* m_costs;
    Dataset* m_usage;
    Dataset* m_years;
    Dataset* m_months;
    Dataset* m_requisitions;
    Dataset* m_rotations;
    StatChart* m_yearChart;
    StatChart* m_monthChart;
    bool m_searching = false;
};

} // namespace falq::dashboard
