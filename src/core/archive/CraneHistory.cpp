#include "core/archive/CraneHistory.h"

#include <algorithm>

namespace zurval {
namespace {

constexpr double kMarginShare = 0.05; // of the dates spanned, on either side
constexpr qint64 kFewestMarginDays = 30;
// A forecast is drawn inside the axis while it lies no further after the last reading than
// the readings span, or a year: else the readings would shrink into a corner.
constexpr qint64 kFewestNearDays = 365;

bool charted(const StoredReading& r) {
    return r.readingDate.isValid() && r.characteristicNumber.has_value();
}

// The day the fitted line starts: the installation date for a line through one reading
// (it rises from 0 there), else the first dated reading of the series.
QDate lineStart(const std::vector<StoredReading>& readings, const Forecast& forecast) {
    if (forecast.singleReading)
        return forecast.origin;
    for (std::size_t i = static_cast<std::size_t>(forecast.seriesBegin); i < readings.size(); ++i)
        if (charted(readings[i]))
            return readings[i].readingDate;
    return {};
}

} // namespace

CraneChartModel craneChart(const std::vector<StoredReading>& readings, const Forecast& forecast,
                           const QDate& today) {
    CraneChartModel m;
    for (std::size_t i = 0; i < readings.size(); ++i)
        if (charted(readings[i]))
            m.points.push_back({readings[i].readingDate, *readings[i].characteristicNumber,
                                i < static_cast<std::size_t>(forecast.seriesBegin)});
    m.normative = forecast.normative > 0 ? forecast.normative : 0;
    if (forecast.kind != ForecastKind::NoData)
        m.forecastDate = forecast.date;

    const QDate lastDated = m.points.empty() ? QDate() : m.points.back().date;
    m.lineFrom = lineStart(readings, forecast);
    m.lineTo = forecast.kind == ForecastKind::Date ? forecast.date : lastDated;
    m.hasLine = forecast.hasLine && m.lineFrom.isValid() && m.lineTo.isValid();
    if (m.hasLine) {
        m.numberFrom = forecast.numberOn(m.lineFrom);
        m.numberTo = forecast.numberOn(m.lineTo);
    }

    std::vector<QDate> near;
    for (const CraneChartPoint& p : m.points)
        near.push_back(p.date);
    if (m.hasLine)
        near.push_back(m.lineFrom);
    if (near.empty())
        near.push_back(m.forecastDate.isValid() ? m.forecastDate : today);
    const auto [first, last] = std::minmax_element(near.begin(), near.end());
    QDate from = *first, to = *last;
    if (m.forecastDate.isValid() && m.forecastDate > to &&
        to.daysTo(m.forecastDate) <= std::max(from.daysTo(to), kFewestNearDays))
        to = m.forecastDate;
    if (m.forecastDate.isValid() && m.forecastDate < from)
        from = m.forecastDate;
    const qint64 margin =
        std::max(static_cast<qint64>(from.daysTo(to) * kMarginShare), kFewestMarginDays);
    m.viewFirst = from.addDays(-margin);
    m.viewLast = to.addDays(margin);
    m.wholeFirst = m.viewFirst;
    m.wholeLast = m.forecastDate.isValid() && m.forecastDate > m.viewLast
                      ? m.forecastDate.addDays(margin)
                      : m.viewLast;

    m.highest = std::max(m.normative, 1.0);
    for (const CraneChartPoint& p : m.points)
        m.highest = std::max(m.highest, p.number);
    if (m.hasLine)
        m.highest = std::max({m.highest, m.numberFrom, m.numberTo});
    return m;
}

std::vector<NumberGrowth> numberGrowth(const std::vector<StoredReading>& readings) {
    std::vector<NumberGrowth> out(readings.size());
    std::optional<double> before;
    for (std::size_t i = 0; i < readings.size(); ++i) {
        if (!charted(readings[i]))
            continue;
        const double number = *readings[i].characteristicNumber;
        if (before) {
            out[i].reset = number < *before;
            if (!out[i].reset)
                out[i].growth = number - *before;
        }
        before = number;
    }
    return out;
}

bool examinationDueWithinAYear(const Forecast& forecast, const QDate& today) {
    switch (forecast.kind) {
    case ForecastKind::Reached:
        return true;
    case ForecastKind::Date:
        return forecast.date <= today.addMonths(12);
    case ForecastKind::NoData:
        break;
    }
    return false;
}

} // namespace zurval
