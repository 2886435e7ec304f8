#include "totalspage.h"

#include "dashboard.h"
#include "dashboardviewer.h"
#include "statchart.h"

#include <QHBoxLayout>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace falq::dashboard {

namespace {
const UpdateObject kRepairKey{QStringLiteral("REPARACOES"), {QStringLiteral("NRO")}, {}};
} // namespace

TotalsPage::TotalsPage(Dashboard& dashboard, QWidget* parent) : DashboardPage(dashboard, parent) {
    m_years = addQuery(QStringLiteral("WORKTOTANO"));
    m_months = addQuery(QStringLiteral("WORKTOTANOMES"));
    m_yearAverages = addQuery(QStringLiteral("WORKTOTMEDANO"));
    m_monthAverages = addQuery(QStringLiteral("WORKTOTMEDANOMES"));
    m_clients = addQuery(QStringLiteral("WORKTOTCLI"));
    m_suppliers = addQuery(QStringLiteral("WORKTOTFRN"));
    m_requisitions = addQuery(QStringLiteral("REPARACOESANO"), kRepairKey);

    const FieldPresentation year{QStringLiteral("ANO"), QStringLiteral("Ano")};
    const FieldPresentation month{QStringLiteral("MES"), QStringLiteral("Mês")};
    const FieldPresentation value{QStringLiteral("VALOR"), QStringLiteral("Valor"), false,
                                  QStringLiteral("currency")};
    const FieldPresentation average{QStringLiteral("MEDIA"), QStringLiteral("Valor Médio"), false,
                                    QStringLiteral("currency")};
    const FieldPresentation units{QStringLiteral("UNIDADES"), QStringLiteral("Und.")};

    auto* layout = new QVBoxLayout(this);
    m_nb1 = new QTabWidget(this);
    m_nb1->setObjectName(QStringLiteral("NB1"));
    const struct {
        const char* grid;
        Dataset* query;
        QList<FieldPresentation> columns;
        const char* chart;
        StatChart::Style style;
        QString caption;
    } upper[] = {
        {"DBGridTotAno",
         m_years,
         {year, value},
         "Chart1",
         StatChart::Style::Bars,
         QStringLiteral("Evolução Anual")},
        {"DBGridTotAnoMes",
         m_months,
         {year, month, value},
         "Chart2",
         StatChart::Style::Line,
         QStringLiteral("Evolução Mensal")},
        {"DBGridTotMedAno",
         m_yearAverages,
         {year, average, units},
         "Chart3",
         StatChart::Style::Bars,
         QStringLiteral("Valores Médios Anuais")},
        {"DBGridTotMedAnoMes",
         m_monthAverages,
         {year, month, average, units},
         "Chart4",
         StatChart::Style::Line,
         QStringLiteral("Valores Médios Mensais")},
    };
    for (int i = 0; i < 4; ++i) {
        auto* page = new QWidget(m_nb1);
        auto* row = new QHBoxLayout(page);
        QTableView* grid = addGrid(upper[i].grid, upper[i].query, upper[i].columns);
        grid->setMaximumWidth(320);
        row->addWidget(grid);
        m_charts[i] = new StatChart(upper[i].style, QString::fromLatin1(upper[i].chart), page);
        row->addWidget(m_charts[i], 1);
        m_nb1->addTab(page, upper[i].caption);
    }
    m_nb2 = new QTabWidget(this);
    m_nb2->setObjectName(QStringLiteral("NB2"));
    m_nb2->addTab(addGrid("DBGridReq", m_requisitions, requisitionColumns()),
                  QStringLiteral("Requisões"));
    m_nb2->addTab(addGrid("DBGridCli", m_clients,
                          costColumns(QStringLiteral("SIGLACLI"), QStringLiteral("Cliente"))),
                  QStringLiteral("Cliente"));
    m_nb2->addTab(addGrid("DBGridFrn", m_suppliers,
                          costColumns(QStringLiteral("FORNSIGLA"), QStringLiteral("Fornecedor"))),
                  QStringLiteral("Fornecedor"));
    layout->addWidget(m_nb1, 3);
    layout->addWidget(m_nb2, 2);
    connect(m_nb1, &QTabWidget::currentChanged, this, [this] {
        if (m_dashboard.isShowing(this))
            NB1Change();
    });
    connect(m_nb2, &QTabWidget::currentChanged, this, [this] {
        if (m_dashboard.isShowing(this))
            NB2Change();
    });
}

void TotalsPage::firstSubPages() {
    const QSignalBlocker block(m_nb1);
    m_nb1->setCurrentIndex(0);
}

void TotalsPage::recompute() {
    closeQueries();
    const Filters f = m_dashboard.filters();
    const SqlDialect d = dialect();
    openQuery(m_years, yearlyTotals(d, f));
    fillChart(m_charts[0], m_years, QStringLiteral("VALOR"), false);
    openQuery(m_months, monthlyTotals(d, f));
    fillChart(m_charts[1], m_months, QStringLiteral("VALOR"), true);
    openQuery(m_yearAverages, yearlyAverages(d, f));
    fillChart(m_charts[2], m_yearAverages, QStringLiteral("MEDIA"), false);
    openQuery(m_monthAverages, monthlyAverages(d, f));
    fillChart(m_charts[3], m_monthAverages, QStringLiteral("MEDIA"), true);
    NB1Change();
}

void TotalsPage::NB1Change() {
    detach();
    const int page = m_nb1->currentIndex();
    Dataset* grid = page == 0   ? m_years
                    : page == 1 ? m_months
                    : page == 2 ? m_yearAverages
                                : m_monthAverages;
    const bool monthly = page == 1 || page == 3;
    attach(grid, [this, grid, monthly] { periodDetail(grid, monthly); });
    periodDetail(grid, monthly);
}

void TotalsPage::periodDetail(Dataset* grid, bool monthly) {
    // Only the upper grid's handler stays while the details are rebuilt.
    detach();
    attach(grid, [this, grid, monthly] { periodDetail(grid, monthly); });
    m_clients->close();
    m_suppliers->close();
    m_requisitions->close();
    if (!grid->isOpen() || grid->isEmpty() || grid->currentRow() < 0) {
        m_dashboard.viewer()->clear();
        return;
    }
    const Period period{grid->fieldValue(QStringLiteral("ANO")).toInt(),
                        monthly ? grid->fieldValue(QStringLiteral("MES")).toInt() : 0};
    const Filters f = m_dashboard.filters();
    const SqlDialect d = dialect();
    openQuery(m_clients, periodByParty(d, Party::Client, period, f));
    openQuery(m_suppliers, periodByParty(d, Party::Supplier, period, f));
    openQuery(m_requisitions, periodRequisitions(d, period, f));
    attach(m_requisitions, [this] { requisitionViewer(); });
    requisitionViewer();
}

void TotalsPage::NB2Change() {
    requisitionViewer();
}

void TotalsPage::requisitionViewer() {
    m_dashboard.showRequisition(m_requisitions, m_nb2->currentIndex() == 0);
}

} // namespace falq::dashboard
