#pragma once
// What every page of the dashboard's notebook (NB0) shares: its read-only queries, the
// drill-down handlers that run a detail when a grid's current row changes, its grids and
// charts, and the date pair of the pages that have one.
//
// A handler is attached only while its page is shown, and every handler of the page is
// detached before any of its queries is closed or rebuilt; a recompute attaches them again
// once its queries are open and then runs each detail once, for the current row.
#include "dashboardqueries.h"
#include "dataset.h"

#include <QDate>
#include <QMap>
#include <QWidget>
#include <functional>

class QDateEdit;
class QLayout;
class QLabel;
class QTableView;
class QTabWidget;

namespace falq {
class Session;
namespace dashboard {

class Dashboard;
class StatChart;

class DashboardPage : public QWidget {
    Q_OBJECT
public:
    DashboardPage(Dashboard& dashboard, QWidget* parent);

    virtual QString caption() const = 0;
    // Rebuilds and opens the page's queries and runs the details of their current rows.
    virtual void recompute() = 0;
    // Whether the type filter (Grupo_Tipo: purchases, repairs, both) applies to the page.
    virtual bool typeFilterApplies() const { return true; }
    // Whether the kind filter (Grupo_TipoReg) applies to the page.
    virtual bool kindFilterApplies() const { return true; }
    // Puts the page's sub-notebooks on their first pages.
    virtual void firstSubPages() {}
    // Sets the page's date pair, without recomputing.
    void resetDates(const QDate& from, const QDate& to);

    void detach();
    void closeQueries();

protected:
    Dataset* addQuery(const QString& name, const UpdateObject& key = {});
    bool openQuery(Dataset* query, const Statement& statement);
    // Runs `detail` whenever the query's current row changes, until detach().
    void attach(Dataset* query, const std::function<void()>& detail);
    QTableView* addGrid(const char* name, Dataset* query, const QList<FieldPresentation>& columns);
    // The chart of the query's newest six groups (ANO, and MES for a monthly chart).
    void fillChart(StatChart* chart, Dataset* query, const QString& valueField, bool monthly);
    // The "Evol.Anual/Mensal" page of `notebook`: a yearly bar chart over a monthly line.
    void addEvolutionPage(QTabWidget* notebook, const QString& yearChart, const QString& monthChart,
                          StatChart** year, StatChart** month);
    // The "Total ...." caption and its figure, named `name`.
    QLayout* addTotalRow(const QString& name, QLabel** figure);
    // The "Limite de datas : " pair, named `first` and `second`; a change recomputes the page.
    QWidget* addDatePair(const char* first, const char* second);
    DayRange days() const;
    // The "Total ...." figure of a one-row statement.
    void showTotal(QLabel* label, const Statement& statement);
    Session& session() const;
    SqlDialect dialect() const;

    Dashboard& m_dashboard;

private:
    QList<Dataset*> m_queries;
    QList<QMetaObject::Connection> m_handlers;
    QDateEdit* m_from = nullptr;
    QDateEdit* m_to = nullptr;
};

// The requisition grid's columns.
QList<FieldPresentation> requisitionColumns();
// Cost grids: the group's column and its title, then value, rows and average.
QList<FieldPresentation> costColumns(const QString& field, const QString& title);

} // namespace dashboard
} // namespace falq
