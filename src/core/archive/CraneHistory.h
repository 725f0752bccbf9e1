#pragma once

#include "core/archive/FleetArchive.h"

#include <QDate>
#include <optional>
#include <vector>

namespace zurval {

// What the chart of a crane's characteristic number shows, on the screen and on paper alike:
// the readings as points, the fitted line, the normative level, the forecast, and the dates
// the axis spans.

struct CraneChartPoint {
    QDate date;
    double number = 0;
    bool beforeReset = false; // a reading before the counters were last reset
};

struct CraneChartModel {
    std::vector<CraneChartPoint> points; // the dated readings with a number, oldest first
    bool hasLine = false;
    QDate lineFrom; // the installation date for a line through one reading
    QDate lineTo;   // the forecast date, or the last reading when there is none
    double numberFrom = 0;
    double numberTo = 0;
    double normative = 0; // 0: no level to draw
    // The day the forecast names (a date, or the first reading at or above the normative
    // number); invalid for "нет данных".
    QDate forecastDate;
    // The axis as it opens: the readings and the line's start with a margin, and the forecast
    // date when it is near. A forecast beyond it is shown at the axis' edge.
    QDate viewFirst;
    QDate viewLast;
    // How far zooming out and panning may go: everything above, the forecast included.
    QDate wholeFirst;
    QDate wholeLast;
    double highest = 1; // the top of the numbers shown, the normative level included

    [[nodiscard]] bool forecastBeyondView() const {
        return forecastDate.isValid() && forecastDate > viewLast;
    }
};

// readings oldest first and the undated ones last, as the archive lists a crane's.
[[nodiscard]] CraneChartModel craneChart(const std::vector<StoredReading>& readings,
                                         const Forecast& forecast, const QDate& today);

// The growth of each reading's number since the reading before it that has one; none for the
// first, for a reading without a number or a date, and after a reset.
struct NumberGrowth {
    std::optional<double> growth;
    bool reset = false; // lower than the one before: the counters were reset
};
[[nodiscard]] std::vector<NumberGrowth> numberGrowth(const std::vector<StoredReading>& readings);

// Whether the examination is due within the twelve months from today: a forecast date by
// then, or the normative number reached already.
[[nodiscard]] bool examinationDueWithinAYear(const Forecast& forecast, const QDate& today);

} // namespace zurval
