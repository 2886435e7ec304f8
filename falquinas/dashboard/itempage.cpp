#include "itempage.h"

#include "dashboard.h"
#include "dashboardviewer.h"
#include "session.h"
#include "statchart.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace falq::dashboard {

namespace {
constexpr int kCostsPage = 0;
constexpr int kUsagePage = 1;
constexpr int kRotationsPage = 2;
} // namespace

ItemPage::ItemPage(Dashboard& dashboard, Item item, QWidget* parent)
    : DashboardPage(dashboard, parent), m_item(item) {
    const bool cliche = item == Item::Cliche;
    const QString number = itemNumberColumn(item);
    const QString numberTitle = cliche ? QStringLiteral("Cliché Nº") : QStringLiteral("Desenho Nº");
    m_costs = addQuery(cliche ? QStringLiteral("WORKTOTCLICHE") : QStringLiteral("WORKTOTDESENHO"));
    m_usage =
        addQuery(cliche ? QStringLiteral("QUERYCLICHES_REP") : QStringLiteral("QUERYDESENHOS_REP"));
    m_years =
        addQuery(cliche ? QStringLiteral("WORKTOTCLICHEANO") : QStringLiteral("WORKTOTDESENHOANO"));
    m_months = addQuery(cliche ? QStringLiteral("WORKTOTCLICHEANOMES")
                               : QStringLiteral("WORKTOTDESENHOANOMES"));
    m_requisitions = addQuery(
        cliche ? QStringLiteral("REPARACOESCLICHES") : QStringLiteral("REPARACOESDESENHOS"),
        UpdateObject{QStringLiteral("REPARACOES"), {QStringLiteral("NRO")}, {}});
    m_rotations = addQuery(cliche ? QStringLiteral("ROT_MOVIM_CLICHES")
                                  : QStringLiteral("ROT_MOVIM_DESENHOS"),
                           UpdateObject{QStringLiteral("MOVIMENTOS"), {QStringLiteral("NRO")}, {}});

    auto* layout = new QGridLayout(this);
    layout->addWidget(cliche ? addDatePair("Edit_DatCliche1", "Edit_DatCliche2")
                             : addDatePair("Edit_DatDesenho1", "Edit_DatDesenho2"),
                      0, 0);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(new QLabel(cliche ? QStringLiteral("Localizar Ciche : ")
                                           : QStringLiteral("Localiz Desenho : "),
                                    this));
    m_search = new QLineEdit(this);
    m_search->setObjectName(cliche ? QStringLiteral("Edit_Cliche")
                                   : QStringLiteral("Edit_Desenho"));
    m_search->setMaxLength(cliche ? 15 : 20);
    searchRow->addWidget(m_search);
    searchRow->addStretch();
    layout->addLayout(searchRow, 0, 1);

    m_totals = new QTabWidget(this);
    m_totals->setObjectName(cliche ? QStringLiteral("NBClicheTot")
                                   : QStringLiteral("NBDesenhoTot"));
    auto* costsPage = new QWidget(m_totals);
    auto* costsLayout = new QVBoxLayout(costsPage);
    costsLayout->addWidget(addGrid(cliche ? "DBGridCustosCliche" : "DBGridCustosDesenho", m_costs,
                                   costColumns(number, numberTitle)));
    costsLayout->addLayout(addTotalRow(
        cliche ? QStringLiteral("LabelTotCliche") : QStringLiteral("LabelTotDesenho"), &m_total));
    m_totals->addTab(costsPage, QStringLiteral("Custos"));
    m_totals->addTab(addGrid(cliche ? "DBGridUtilCliche" : "DBGridUtilDesenho", m_usage,
                             {{number, numberTitle},
                              {QStringLiteral("ROTACOES"), QStringLiteral("Rot./Batim.")},
                              {QStringLiteral("SIGLACLI"), QStringLiteral("Cliente")}}),
                     QStringLiteral("Utilização"));
    m_totals->setMaximumWidth(460);
    layout->addWidget(m_totals, 1, 0);

    m_details = new QTabWidget(this);
    m_details->setObjectName(cliche ? QStringLiteral("NBCliche") : QStringLiteral("NBDesenho"));
    addEvolutionPage(m_details, cliche ? QStringLiteral("Chart9") : QStringLiteral("Chart11"),
                     cliche ? QStringLiteral("Chart10") : QStringLiteral("Chart12"), &m_yearChart,
                     &m_monthChart);
    m_details->addTab(addGrid(cliche ? "DBGridReqCliche" : "DBGridReqDesenho", m_requisitions,
                              requisitionColumns()),
                      QStringLiteral("Custos/Requisicões"));
    QList<FieldPresentation> rotationColumns;
    if (cliche)
        rotationColumns << FieldPresentation{QStringLiteral("PRODNRO"), QStringLiteral("Produto")};
    rotationColumns << FieldPresentation{QStringLiteral("ENCOMENDA"), QStringLiteral("Encom. Nº")}
                    << FieldPresentation{QStringLiteral("DATA"), QStringLiteral("Data"), false,
                                         QStringLiteral("dd/MM/yyyy")}
                    << FieldPresentation{QStringLiteral("ROTACOES"),
                                         QStringLiteral("Rotac./Batim.")};
    m_details->addTab(
        addGrid(cliche ? "DBGridRotCliche" : "DBGridRotDesenho", m_rotations, rotationColumns),
        QStringLiteral("Rotac/Batimentos"));
    layout->addWidget(m_details, 1, 1);
    layout->setColumnStretch(1, 1);

    // A click on a tab: the tab becomes current, then the page's rule runs once.
    auto onClick = [this](QTabWidget* notebook, void (ItemPage::*change)()) {
        connect(notebook, &QTabWidget::tabBarClicked, this, [this, notebook, change](int index) {
            if (!m_dashboard.isShowing(this) || index < 0)
                return;
            {
                const QSignalBlocker block(notebook);
                notebook->setCurrentIndex(index);
            }
            (this->*change)();
        });
    };
    onClick(m_totals, &ItemPage::totalsPageChange);
    onClick(m_details, &ItemPage::detailPageClick);
    connect(m_search, &QLineEdit::editingFinished, this, [this] {
        if (m_dashboard.isShowing(this))
            searchExit();
    });
}

QString ItemPage::caption() const {
    return m_item == Item::Cliche ? QStringLiteral("Analise de Clichés")
                                  : QStringLiteral("Analise de Desenhos");
}

void ItemPage::firstSubPages() {}

void ItemPage::recompute() {
    closeQueries();
    const TypeFilter type = m_dashboard.filters().type;
    const SqlDialect d = dialect();
    openQuery(m_costs, itemCosts(d, m_item, days(), type));
    showTotal(m_total, itemCostsTotal(d, m_item, days(), type));
    openQuery(m_usage, itemUsage(d, m_item, days()));
    totalsPageChange();
}

void ItemPage::totalsPageChange() {
    detach();
    const bool usage = m_totals->currentIndex() == kUsagePage;
    m_dashboard.showTypeFilter(!usage);
    {
        const QSignalBlocker block(m_details);
        if (usage && m_details->currentIndex() < kRotationsPage)
            m_details->setCurrentIndex(kRotationsPage);
        else if (!usage && m_details->currentIndex() == kRotationsPage)
            m_details->setCurrentIndex(0);
    }
    if (usage) {
        attach(m_usage, [this] { usageDetail(); });
        usageDetail();
    } else {
        attach(m_costs, [this] { costsDetail(); });
        costsDetail();
    }
}

void ItemPage::detailPageClick() {
    {
        const QSignalBlocker block(m_totals);
        m_totals->setCurrentIndex(m_details->currentIndex() == kRotationsPage ? kUsagePage
                                                                              : kCostsPage);
    }
    totalsPageChange();
}

void ItemPage::clearDetails() {
    for (Dataset* q : {m_years, m_months, m_requisitions, m_rotations})
        q->close();
    m_yearChart->clearPoints();
    m_monthChart->clearPoints();
    m_dashboard.viewer()->clear();
}

void ItemPage::costsDetail() {
    clearDetails();
    if (!m_costs->isOpen() || m_costs->isEmpty() || m_costs->currentRow() < 0)
        return;
    const QString number = m_costs->fieldValue(itemNumberColumn(m_item)).toString();
    m_dashboard.viewer()->showRecord(
        m_item == Item::Cliche ? QStringLiteral("CL") : QStringLiteral("DS"), number);
    const TypeFilter type = m_dashboard.filters().type;
    const SqlDialect d = dialect();
    openQuery(m_years, itemYears(d, m_item, number, type));
    fillChart(m_yearChart, m_years, QStringLiteral("VALOR"), false);
    openQuery(m_months, itemMonths(d, m_item, number, days(), type));
    fillChart(m_monthChart, m_months, QStringLiteral("VALOR"), true);
    openQuery(m_requisitions, itemRequisitions(d, m_item, number, days(), type));
}

void ItemPage::usageDetail() {
    clearDetails();
    if (!m_usage->isOpen() || m_usage->isEmpty() || m_usage->currentRow() < 0)
        return;
    const QString number = m_usage->fieldValue(itemNumberColumn(m_item)).toString();
    m_dashboard.viewer()->showRecord(
        m_item == Item::Cliche ? QStringLiteral("CL") : QStringLiteral("DS"), number);
    openQuery(m_rotations, itemRotations(dialect(), m_item, number, days()));
}

void ItemPage::searchExit() {
    // The box losing the focus to the picker must not search (and open it) again.
    if (m_searching)
        return;
    m_searching = true;
    const auto done = qScopeGuard([this] { m_searching = false; });
    const bool cliche = m_item == Item::Cliche;
    QString text = m_search->text();
    if (text.isEmpty() || (cliche && text == QLatin1String("0")))
        return;
    if (text == QLatin1String("%")) {
        text = m_dashboard.pick(m_item);
        m_search->setText(text);
        if (!text.isEmpty())
            locate(text);
        m_search->setFocus();
        return;
    }
    locate(text);
}

bool ItemPage::locate(const QString& text) {
    const bool cliche = m_item == Item::Cliche;
    const QString number = cliche ? text.left(12) : text;
    Dataset* grid = m_totals->currentIndex() == kUsagePage ? m_usage : m_costs;
    if (grid->isOpen() && grid->locate({itemNumberColumn(m_item)}, {number}))
        return true;
    session().messages().showForField(
        m_search, cliche ? QStringLiteral("Cliche Seleccionado Inexistente ...")
                         : QStringLiteral("Desenho Seleccionado Inexistente ..."));
    return false;
}

} // namespace falq::dashboard
