#pragma once
// The points of a dashboard chart: the newest six groups of a statement (read newest first),
// then points of value 0 with an empty label up to seven. A yearly group is labelled with its
// year ("2008"), a monthly one with year and month ("2008/3").
#include <QList>
#include <QString>

namespace falq::dashboard {

struct ChartGroup {
    int year = 0;
    int month = 0; // 0 for a yearly group
    double value = 0;
};

struct ChartPoint {
    QString label;
    double value = 0;
    friend bool operator==(const ChartPoint& a, const ChartPoint& b) {
        return a.label == b.label && a.value == b.value;
    }
};

inline constexpr int kChartGroups = 6;
inline constexpr int kChartPoints = 7;

QList<ChartPoint> chartPoints(const QList<ChartGroup>& newestFirst);

// The mark shown on a point: the value rounded to a whole number, thousands grouped the way
// the plant writes them ("#,##0" with the Portuguese separator: 1.234.567). Qt's own label
// formats cannot group thousands.
inline constexpr QChar kThousands = QLatin1Char('.');
QString chartMark(double value);

} // namespace falq::dashboard
