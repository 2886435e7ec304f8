#include "chartpoints.h"

#include <cmath>

namespace falq::dashboard {

QList<ChartPoint> chartPoints(const QList<ChartGroup>& newestFirst) {
    QList<ChartPoint> points;
    for (const ChartGroup& g : newestFirst) {
        if (points.size() == kChartGroups)
            break;
        QString label = QString::number(g.year);
        if (g.month > 0)
            label += QLatin1Char('/') + QString::number(g.month);
        points.append({label, g.value});
    }
    while (points.size() < kChartPoints)
        points.append({QString(), 0.0});
    return points;
}

QString chartMark(double value) {
    const qint64 whole = std::llround(value);
    QString digits = QString::number(whole < 0 ? -whole : whole);
    for (int at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, kThousands);
    return whole < 0 ? QLatin1Char('-') + digits : digits;
}

} // namespace falq::dashboard
