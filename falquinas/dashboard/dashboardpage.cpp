#include "dashboardpage.h"

#include "chartpoints.h"
#include "connections.h"
#include "dashboard.h"
#include "datasetviews.h"
#include "session.h"
#include "sqlrun.h"
#include "statchart.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QSqlError>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace falq::dashboard {

DashboardPage::DashboardPage(Dashboard& dashboard, QWidget* parent)
    : QWidget(parent), m_dashboard(dashboard) {}

Session& DashboardPage::session() const {
    return m_dashboard.session();
}

SqlDialect DashboardPage::dialect() const {
    return SqlDialect::forDatabase(QSqlDatabase::database(kDbFalquinas, false));
}

Dataset* DashboardPage::addQuery(const QString& name, const UpdateObject& key) {
    auto* query = new Dataset(name, kDbFalquinas, QString(), key, this);
    m_queries << query;
    return query;
}

bool DashboardPage::openQuery(Dataset* query, const Statement& statement) {
    query->close();
    query->setStatement(statement);
    QString error;
    m_dashboard.countOpening(query->name(), statement);
    if (!query->open(&error)) {
        session().messages().show(error, true);
        return false;
    }
    return true;
}

void DashboardPage::attach(Dataset* query, const std::function<void()>& detail) {
    m_handlers << connect(query, &Dataset::currentRowChanged, this, [detail] { detail(); });
}

void DashboardPage::detach() {
    for (const QMetaObject::Connection& c : std::as_const(m_handlers))
        disconnect(c);
    m_handlers.clear();
}

void DashboardPage::closeQueries() {
    detach();
    for (Dataset* q : std::as_const(m_queries))
        q->close();
}

QTableView* DashboardPage::addGrid(const char* name, Dataset* query,
                                   const QList<FieldPresentation>& columns) {
    auto* grid = new QTableView(this);
    grid->setObjectName(QString::fromLatin1(name));
    query->setPresentation(columns);
    bindGrid(grid, query);
    grid->verticalHeader()->setDefaultSectionSize(20);
    return grid;
}

void DashboardPage::fillChart(StatChart* chart, Dataset* query, const QString& valueField,
                              bool monthly) {
    QList<ChartGroup> groups;
    for (int row = 0; query->isOpen() && row < kChartGroups && row < query->rowCount(); ++row) {
        groups.append({query->value(row, QStringLiteral("ANO")).toInt(),
                       monthly ? query->value(row, QStringLiteral("MES")).toInt() : 0,
                       query->value(row, valueField).toDouble()});
    }
    chart->fill(chartPoints(groups));
}

void DashboardPage::addEvolutionPage(QTabWidget* notebook, const QString& yearChart,
                                     const QString& monthChart, StatChart** year,
                                     StatChart** month) {
    auto* charts = new QWidget(notebook);
    auto* column = new QVBoxLayout(charts);
    *year = new StatChart(StatChart::Style::Bars, yearChart, charts);
    *month = new StatChart(StatChart::Style::Line, monthChart, charts);
    column->addWidget(*year);
    column->addWidget(*month);
    notebook->addTab(charts, QStringLiteral("Evol.Anual/Mensal"));
}

QLayout* DashboardPage::addTotalRow(const QString& name, QLabel** figure) {
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Total ...."), this));
    *figure = new QLabel(this);
    (*figure)->setObjectName(name);
    row->addWidget(*figure);
    row->addStretch();
    return row;
}

QWidget* DashboardPage::addDatePair(const char* first, const char* second) {
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(QStringLiteral("Limite de datas : "), box));
    m_from = new QDateEdit(box);
    m_to = new QDateEdit(box);
    m_from->setObjectName(QString::fromLatin1(first));
    m_to->setObjectName(QString::fromLatin1(second));
    for (QDateEdit* e : {m_from, m_to}) {
        e->setCalendarPopup(true);
        e->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
        row->addWidget(e);
        connect(e, &QDateEdit::dateChanged, this, [this] { m_dashboard.recomputeSoon(this); });
    }
    row->addStretch();
    return box;
}

void DashboardPage::resetDates(const QDate& from, const QDate& to) {
    if (!m_from)
        return;
    const QSignalBlocker a(m_from), b(m_to);
    m_from->setDate(from);
    m_to->setDate(to);
}

DayRange DashboardPage::days() const {
    return m_from ? DayRange{m_from->date(), m_to->date()} : DayRange{};
}

void DashboardPage::showTotal(QLabel* label, const Statement& statement) {
    QSqlQuery q(QSqlDatabase::database(kDbFalquinas));
    m_dashboard.countOpening(QStringLiteral("TOTAL"), statement);
    QString error;
    if (!runStatement(q, statement, &error)) {
        session().messages().show(error, true);
        label->clear();
        return;
    }
    const double total = q.next() ? q.value(0).toDouble() : 0.0;
    label->setText(QLocale(QLocale::Portuguese, QLocale::Portugal).toString(total, 'f', 2));
}

QList<FieldPresentation> requisitionColumns() {
    return {{QStringLiteral("TIPOREG"), QStringLiteral("TR")},
            {QStringLiteral("TIPO"), QStringLiteral("C/R")},
            {QStringLiteral("ENCNRO"), QStringLiteral("Req.Nº")},
            {QStringLiteral("DATENC"), QStringLiteral("Data Req."), false,
             QStringLiteral("dd/MM/yyyy")},
            {QStringLiteral("FORNSIGLA"), QStringLiteral("Fornecedor")},
            {QStringLiteral("VALOR"), QStringLiteral("Valor"), false, QStringLiteral("currency")}};
}

QList<FieldPresentation> costColumns(const QString& field, const QString& title) {
    return {{field, title},
            {QStringLiteral("VALOR"), QStringLiteral("Valor"), false, QStringLiteral("currency")},
            {QStringLiteral("UNIDADES"), QStringLiteral("Und.")},
            {QStringLiteral("MEDIA"), QStringLiteral("Valor Médio"), false,
             QStringLiteral("currency")}};
}

} // namespace falq::dashboard
