#include "core/archive/Forecast.h"

#include <cmath>

namespace zurval {
namespace {

// The latest day a forecast may name: DD.MM.YYYY has four digits for the year.
const QDate kLastDay(9999, 12, 31);

} // namespace

Forecast forecastExamination(const std::vector<ForecastPoint>& points, const QDate& installed,
                             double normative) {
    Forecast f;
    f.normative = normative;
    std::vector<int> series; // the dated readings since the last reset
    for (int i = 0; i < static_cast<int>(points.size()); ++i) {
        if (!points[i].date.isValid())
            continue;
        if (!series.empty() &&
            points[i].characteristicNumber < points[series.back()].characteristicNumber)
            series.clear();
        series.push_back(i);
    }
    if (series.empty() || !(normative > 0))
        return f;
    f.seriesBegin = series.front();
    const ForecastPoint& first = points[series.front()];

    if (series.size() == 1) {
        f.singleReading = true;
        if (installed.isValid() && installed < first.date) {
            f.hasLine = true;
            f.origin = installed;
            f.slopePerDay = first.characteristicNumber / installed.daysTo(first.date);
        }
    } else {
        // Days counted from the series' first reading keep the sums small.
        double meanDays = 0, meanNumber = 0;
        for (const int i : series) {
            meanDays += first.date.daysTo(points[i].date);
            meanNumber += points[i].characteristicNumber;
        }
        meanDays /= series.size();
        meanNumber /= series.size();
        double sxx = 0, sxy = 0;
        for (const int i : series) {
            const double dx = first.date.daysTo(points[i].date) - meanDays;
            sxx += dx * dx;
            sxy += dx * (points[i].characteristicNumber - meanNumber);
        }
        if (sxx > 0) {
            f.hasLine = true;
            f.origin = first.date;
            f.slopePerDay = sxy / sxx;
            f.intercept = meanNumber - f.slopePerDay * meanDays;
        }
    }

    for (const int i : series)
        if (points[i].characteristicNumber >= normative) {
            f.kind = ForecastKind::Reached;
            f.date = points[i].date;
            return f;
        }
    if (!f.hasLine || !(f.slopePerDay > 0))
        return f;
    // The first whole day on which the line is at or above the normative number.
    const double days = (normative - f.intercept) / f.slopePerDay;
    if (!(days < static_cast<double>(f.origin.daysTo(kLastDay))))
        return f;
    f.kind = ForecastKind::Date;
    f.date = f.origin.addDays(static_cast<qint64>(std::ceil(days - 1e-9)));
    return f;
}

} // namespace zurval
