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
    std::vector<int> series; // the dated readings with a number since the last reset
    auto number = [&points](int i) { return *points[i].characteristicNumber; };
    for (int i = 0; i < static_cast<int>(points.size()); ++i) {
        if (!points[i].date.isValid() || !points[i].characteristicNumber)
            continue;
        if (!series.empty() && number(i) < number(series.back()))
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
            f.slopePerDay = number(series.front()) / installed.daysTo(first.date);
        }
    } else {
        // Days counted from the series' first reading keep the sums small.
        double meanDays = 0, meanNumber = 0;
        for (const int i : series) {
            meanDays += first.date.daysTo(points[i].date);
            meanNumber += number(i);
        }
        meanDays /= series.size();
        meanNumber /= series.size();
        double sxx = 0, sxy = 0;
        for (const int i : series) {
            const double dx = first.date.daysTo(points[i].date) - meanDays;
            sxx += dx * dx;
            sxy += dx * (number(i) - meanNumber);
        }
        if (sxx > 0) {
            f.hasLine = true;
            f.origin = first.date;
            f.slopePerDay = sxy / sxx;
            f.intercept = meanNumber - f.slopePerDay * meanDays;
        }
    }

    for (const int i : series)
        if (number(i) >= normative) {
            f.kind = ForecastKind::Reached;
            f.date = points[i].date;
            return f;
        }
    if (!f.hasLine || !(f.slopePerDay > 0))
        return f;
    const double days = (normative - f.intercept) / f.slopePerDay;
    if (!(days < static_cast<double>(f.origin.daysTo(kLastDay))))
        return f;
    // The first whole day on which the line is at or above it, as the line itself tells:
    // never the day before, however the division rounds.
    auto day = static_cast<qint64>(std::floor(days));
    for (int step = 0; step < 2 && f.numberOn(f.origin.addDays(day)) < normative; ++step)
        ++day;
    f.kind = ForecastKind::Date;
    f.date = f.origin.addDays(day);
    return f;
}

} // namespace zurval
