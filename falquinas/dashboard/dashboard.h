#pragma once
// The statistics dashboard of the main window: the switch (BotActive) that shows or hides it,
// the notebook NB0 with its six pages (one controller each), the filter groups and viewer on
// the menu notebook's "Fotos" page, and the page change that closes every query of the
// dashboard and opens only those of the page shown.
#include "dashboardqueries.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <functional>

class QAbstractButton;
class QTabWidget;

namespace falq {

class Dataset;
class Session;
class TFACFMENU;

namespace dashboard {

class DashboardPage;
class DashboardViewer;

class Dashboard : public QObject {
    Q_OBJECT
public:
    // Hosts the dashboard in the main window (its NB0 notebook, "Fotos" page and switch).
    Dashboard(Session& session, TFACFMENU& window);
    ~Dashboard() override;

    // BotActive: switches the dashboard on or off.
    void BotActiveClick();
    bool isOn() const { return m_on; }
    // NB0's page change.
    void NB0Change();

    Session& session() const { return m_session; }
    DashboardViewer* viewer() const { return m_viewer; }
    Filters filters() const;
    QList<DashboardPage*> pages() const { return m_pages; }
    bool isShowing(const DashboardPage* page) const;
    void showTypeFilter(bool show);
    // Recomputes `page` once the events of the moment are handled (a date being changed).
    void recomputeSoon(DashboardPage* page);
    // Shows the current requisition's record in the viewer, or clears it when the requisition
    // sub-page is not the one shown.
    void showRequisition(Dataset* requisitions, bool subPageShown);
    // The cliché or drawing picker, run modally; the number chosen ("" when none).
    QString pick(Item item);

    // How many times each statement was opened since the last reset, and the statements run
    // (for the tests and the benchmark).
    void countOpening(const QString& name, const Statement& statement = {}) {
        ++m_openings[name];
        if (!statement.sql.isEmpty())
            m_statements << statement;
    }
    QMap<QString, int> openings() const { return m_openings; }
    QList<Statement> statementsRun() const { return m_statements; }
    void resetOpenings() {
        m_openings.clear();
        m_statements.clear();
    }

    // Detaches every handler and closes every query (the main window's session ends).
    void shutDown();

private:
    void filtersChanged();

    Session& m_session;
    TFACFMENU& m_window;
    QTabWidget* m_nb0;
    QTabWidget* m_menu;
    QAbstractButton* m_switch;
    DashboardViewer* m_viewer;
    QList<DashboardPage*> m_pages;
    bool m_on = false;
    bool m_filtersAttached = false;
    bool m_recomputePending = false;
    QMap<QString, int> m_openings;
    QList<Statement> m_statements;
};

} // namespace dashboard
} // namespace falq
