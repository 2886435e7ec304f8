#include "statchart.h"

#include <QGraphicsSimpleTextItem>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

namespace falq::dashboard {

StatChart::StatChart(Style style, const QString& objectName, QWidget* parent)
    : QChartView(parent), m_style(style) {
    setObjectName(objectName);
    setRenderHint(QPainter::Antialiasing);
    chart()->legend()->hide();
    chart()->setMargins(QMargins(2, 2, 2, 2));
    setMinimumHeight(150);
    connect(chart(), &QChart::plotAreaChanged, this, [this] { placeMarks(); });
    clearPoints();
}

void StatChart::fill(const QList<ChartPoint>& points) {
    m_points = points;
    QChart* c = chart();
    c->removeAllSeries();
    for (QAbstractAxis* axis : c->axes())
        c->removeAxis(axis);
    qDeleteAll(m_marks);
    m_marks.clear();

    // The category axis keeps one category per text: empty labels become distinct blanks.
    QStringList categories;
    double top = 0;
    for (int i = 0; i < points.size(); ++i) {
        categories << (points[i].label.isEmpty() ? QString(i + 1, QLatin1Char(' '))
                                                 : points[i].label);
        top = qMax(top, points[i].value);
    }
    QAbstractSeries* series = nullptr;
    if (m_style == Style::Bars) {
        auto* set = new QBarSet(QString());
        set->setColor(Qt::red);
        for (const ChartPoint& p : points)
            set->append(p.value);
        auto* bars = new QBarSeries;
        bars->append(set);
        series = bars;
    } else {
        auto* line = new QLineSeries;
        line->setColor(Qt::red);
        line->setPointsVisible(true);
        for (int i = 0; i < points.size(); ++i)
            line->append(i, points[i].value);
        series = line;
    }
    c->addSeries(series);
    auto* x = new QBarCategoryAxis;
    x->append(categories);
    auto* y = new QValueAxis;
    y->setRange(0, top > 0 ? top * 1.15 : 1);
    y->applyNiceNumbers();
    y->setLabelFormat(QStringLiteral("%.0f"));
    c->addAxis(x, Qt::AlignBottom);
    c->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);

    for (const ChartPoint& p : points) {
        auto* mark = new QGraphicsSimpleTextItem(chartMark(p.value), c);
        mark->setZValue(10);
        m_marks << mark;
    }
    placeMarks();
}

QStringList StatChart::marks() const {
    QStringList texts;
    for (const QGraphicsSimpleTextItem* m : m_marks)
        texts << m->text();
    return texts;
}

void StatChart::placeMarks() {
    QChart* c = chart();
    const QList<QAbstractSeries*> series = c->series();
    if (series.isEmpty())
        return;
    for (int i = 0; i < m_marks.size() && i < m_points.size(); ++i) {
        const QPointF at = c->mapToPosition(QPointF(i, m_points[i].value), series.first());
        const QRectF box = m_marks[i]->boundingRect();
        m_marks[i]->setPos(at.x() - box.width() / 2, at.y() - box.height() - 2);
    }
}

} // namespace falq::dashboard
