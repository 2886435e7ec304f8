#include "partypage.h"

#include "dashboard.h"
#include "dashboardviewer.h"
#include "statchart.h"

#include <QGridLayout>
#include <QLabel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace falq::dashboard {

PartyPage::PartyPage(Dashboard& dashboard, Party party, QWidget* parent)
    : DashboardPage(dashboard, parent), m_party(party) {
    const bool client = party == Party::Client;
    m_parties = addQuery(client ? QStringLiteral("WORKTOTCLI") : QStringLiteral("WORKTOTFRN"));
    m_years = addQuery(client ? QStringLiteral("WORKTOTCLIANO") : QStringLiteral("WORKTOTFRNANO"));
    m_months =
        addQuery(client ? QStringLiteral("WORKTOTCLIANOMES") : QStringLiteral("WORKTOTFRNANOMES"));
    m_requisitions =
        addQuery(QStringLiteral("REPARACOESANO"),
                 UpdateObject{QStringLiteral("REPARACOES"), {QStringLiteral("NRO")}, {}});
    m_others = addQuery(client ? QStringLiteral("WORKTOTCLIFRN") : QStringLiteral("WORKTOTFRNCLI"));

    const QString column = partyColumn(party);
    const QString other = partyColumn(client ? Party::Supplier : Party::Client);
    const QString title = client ? QStringLiteral("Cliente") : QStringLiteral("Fornecedor");
    const QString otherTitle = client ? QStringLiteral("Fornecedor") : QStringLiteral("Cliente");

    auto* layout = new QGridLayout(this);
    layout->addWidget(client ? addDatePair("Edit_DatCli1", "Edit_DatCli2")
                             : addDatePair("Edit_DatFrn1", "Edit_DatFrn2"),
                      0, 0, 1, 2);
    QTableView* grid = addGrid(client ? "DBGridCustosCli" : "DBGridCustosFrn", m_parties,
                               costColumns(column, title));
    grid->setMaximumWidth(420);
    layout->addWidget(grid, 1, 0);
    layout->addLayout(
        addTotalRow(client ? QStringLiteral("LabelTotCli") : QStringLiteral("LabelTotFrn"),
                    &m_total),
        2, 0);

    m_notebook = new QTabWidget(this);
    m_notebook->setObjectName(client ? QStringLiteral("NBCli") : QStringLiteral("NBFrn"));
    addEvolutionPage(m_notebook, client ? QStringLiteral("Chart5") : QStringLiteral("Chart7"),
                     client ? QStringLiteral("Chart6") : QStringLiteral("Chart8"), &m_yearChart,
                     &m_monthChart);
    m_notebook->addTab(
        addGrid(client ? "DBGridReqCli" : "DBGridReqFrn", m_requisitions, requisitionColumns()),
        QStringLiteral("Requisicões"));
    m_notebook->addTab(
        addGrid(client ? "DBGridCliFrn" : "DBGridFrnCli", m_others, costColumns(other, otherTitle)),
        client ? QStringLiteral("Fornecedores") : QStringLiteral("Clientes"));
    layout->addWidget(m_notebook, 1, 1, 2, 1);
    layout->setColumnStretch(1, 1);
    connect(m_notebook, &QTabWidget::currentChanged, this, [this] {
        if (m_dashboard.isShowing(this))
            requisitionViewer();
    });
}

QString PartyPage::caption() const {
    return m_party == Party::Client ? QStringLiteral("Custos por Cliente")
                                    : QStringLiteral("Custos por Fornecedor");
}

void PartyPage::firstSubPages() {
    const QSignalBlocker block(m_notebook);
    m_notebook->setCurrentIndex(0);
}

void PartyPage::recompute() {
    closeQueries();
    const Filters f = m_dashboard.filters();
    const SqlDialect d = dialect();
    openQuery(m_parties, partyCosts(d, m_party, days(), f));
    showTotal(m_total, partyCostsTotal(d, m_party, days(), f));
    m_dashboard.viewer()->clear();
    attach(m_parties, [this] { partyDetail(); });
    partyDetail();
}

void PartyPage::partyDetail() {
    detach();
    attach(m_parties, [this] { partyDetail(); });
    for (Dataset* q : {m_years, m_months, m_requisitions, m_others})
        q->close();
    if (!m_parties->isOpen() || m_parties->isEmpty() || m_parties->currentRow() < 0) {
        m_yearChart->clearPoints();
        m_monthChart->clearPoints();
        m_dashboard.viewer()->clear();
        return;
    }
    const QVariant key = m_parties->fieldValue(partyColumn(m_party));
    const Filters f = m_dashboard.filters();
    const SqlDialect d = dialect();
    openQuery(m_years, partyYears(d, m_party, key, f));
    fillChart(m_yearChart, m_years, QStringLiteral("VALOR"), false);
    openQuery(m_months, partyMonths(d, m_party, key, f));
    fillChart(m_monthChart, m_months, QStringLiteral("VALOR"), true);
    openQuery(m_requisitions, partyRequisitions(d, m_party, key, days(), f));
    openQuery(m_others, partyCounterparts(d, m_party, key, days(), f));
    attach(m_requisitions, [this] { requisitionViewer(); });
    requisitionViewer();
}

void PartyPage::requisitionViewer() {
    m_dashboard.showRequisition(m_requisitions, m_notebook->currentIndex() == 1);
}

} // namespace falq::dashboard
