#include "lifepage.h"

#include "backgroundread.h"
#include "connections.h"
#include "dashboard.h"
#include "dashboardviewer.h"
#include "session.h"
#include "statchart.h"
#include "toollife.h"

#include <QAbstractItemView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScopedValueRollback>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace falq::dashboard {

namespace {

using movements::ItemKind;
using movements::ToolLife;

// A read-only grid over `model`, named `name`.
QTableView* modelGrid(QWidget* parent, const char* name, QStandardItemModel* model) {
    auto* grid = new QTableView(parent);
    grid->setObjectName(QString::fromLatin1(name));
    grid->setModel(model);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->verticalHeader()->setDefaultSectionSize(20);
    return grid;
}

QStandardItem* cell(const QString& text, bool right = false) {
    auto* item = new QStandardItem(text);
    if (right)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

} // namespace

LifePage::LifePage(Dashboard& dashboard, QWidget* parent) : DashboardPage(dashboard, parent) {
    m_nearest = new QStandardItemModel(0, 5, this);
    m_nearest->setHorizontalHeaderLabels({QStringLiteral("Número"), QStringLiteral("Tipo"),
                                          QStringLiteral("Cliente"), QStringLiteral("% Desgaste"),
                                          QStringLiteral("Previsão de fim")});
    m_dormant = new QStandardItemModel(0, 2, this);
    m_dormant->setHorizontalHeaderLabels({QStringLiteral("Cliente"), QStringLiteral("Inactivos")});

    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Mais próximos do fim da vida prevista"), this));
    left->addWidget(modelGrid(this, "DBGridVidaFim", m_nearest));
    layout->addLayout(left, 3);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("Inactivos por cliente"), this));
    QTableView* dormant = modelGrid(this, "DBGridVidaInactivos", m_dormant);
    dormant->setMaximumWidth(260);
    right->addWidget(dormant, 1);
    m_chart = new StatChart(StatChart::Style::Bars, QStringLiteral("ChartVida"), this);
    right->addWidget(m_chart, 1);
    layout->addLayout(right, 2);
}

void LifePage::clear() {
    m_nearest->removeRows(0, m_nearest->rowCount());
    m_dormant->removeRows(0, m_dormant->rowCount());
    m_chart->clearPoints();
}

void LifePage::recompute() {
    if (m_reading)
        return;
    closeQueries();
    m_dashboard.viewer()->clear();
    const QDate workingDate = session().context().workingDate;
    const movements::ToolLifeLimits limits = movements::readToolLifeLimits();
    m_dashboard.countOpening(QStringLiteral("VIDACLICHES"));
    m_dashboard.countOpening(QStringLiteral("VIDADESENHOS"));
    // Every tool in use (withdrawn ones are neither urgent nor dormant) of both kinds, each
    // with its kind; the dormant ones are found in these rows.
    movements::ToolLifeFilter inUse;
    inUse.validOnly = true;
    QVector<ToolLife> tools;
    QString error;
    const QScopedValueRollback<bool> reading(m_reading, true);
    const BackgroundRead::Outcome outcome = readWithProgress(
        this, QStringLiteral("A calcular a vida útil dos clichés e desenhos ..."), kDbFalquinas,
        [&tools, &inUse, workingDate](QSqlDatabase& db, QString* why) {
            return movements::readToolLives(db, ItemKind::Cliche, inUse, workingDate, tools, why) &&
                   movements::readToolLives(db, ItemKind::Drawing, inUse, workingDate, tools, why);
        },
        &error);
    if (outcome == BackgroundRead::Outcome::Failed) {
        clear();
        session().messages().show(error, true);
    }
    // Stopped: the figures shown stay (they depend on the working date alone).
    if (outcome != BackgroundRead::Outcome::Done)
        return;
    clear();

    // The nearest ends of both kinds together, the worn tools first.
    for (const ToolLife& t : movements::nearestEnd(tools, workingDate, kNearest)) {
        const bool drawing = t.kind == ItemKind::Drawing;
        m_nearest->appendRow({cell(t.number),
                              cell(drawing ? QStringLiteral("Desenho") : QStringLiteral("Cliché")),
                              cell(t.client), cell(movements::wearPercentText(t), true),
                              cell(movements::wearOutText(t, workingDate))});
    }

    QVector<ToolLife> dormant;
    for (const ToolLife& t : tools)
        if (t.dormant(workingDate, limits.dormantMonths))
            dormant << t;
    QList<ChartPoint> points;
    for (const QPair<QString, int>& c : movements::countByClient(dormant)) {
        m_dormant->appendRow({cell(c.first), cell(QString::number(c.second), true)});
        if (points.size() < kChartPoints)
            points.append({c.first, double(c.second)});
    }
    while (points.size() < kChartPoints)
        points.append(ChartPoint{});
    m_chart->fill(points);
}

} // namespace falq::dashboard
