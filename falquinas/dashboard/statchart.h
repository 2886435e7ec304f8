#pragma once
// A chart of the dashboard: seven red points (bars for yearly figures, a line for monthly
// ones), each labelled below and with its value written on it ("#,##0").
#include "chartpoints.h"

#include <QList>
#include <QtCharts/QChartView>

class QGraphicsSimpleTextItem;

namespace falq::dashboard {

class StatChart : public QChartView {
    Q_OBJECT
public:
    enum class Style { Bars, Line };
    StatChart(Style style, const QString& objectName, QWidget* parent = nullptr);

    // Replaces the points shown.
    void fill(const QList<ChartPoint>& points);
    // Seven points of value 0 without labels.
    void clearPoints() { fill(chartPoints({})); }
    const QList<ChartPoint>& points() const { return m_points; }
    // The marks written on the points, in order.
    QStringList marks() const;

private:
    void placeMarks();

    Style m_style;
    QList<ChartPoint> m_points;
    QList<QGraphicsSimpleTextItem*> m_marks;
};

} // namespace falq::dashboard
