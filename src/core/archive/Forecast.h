#pragma once

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

namespace zurval {

// When a crane reaches the characteristic number of its normative group, which is when it
// needs its expert examination: a line fitted by least squares through the readings'
// (date, characteristic number) since the counters were last reset.

struct ForecastPoint {
    QDate date; // invalid: the reading has no date and is left out
    // None: the reading's number was no number or below zero, and it is left out.
    std::optional<double> characteristicNumber;
};

enum class ForecastKind {
    Date,    // the line reaches the normative number on date
    Reached, // a reading is at or above it already; date is the first such reading's
    NoData,  // the line does not rise, or no reading has a date
};

struct Forecast {
    ForecastKind kind = ForecastKind::NoData;
    QDate date;
    // The line from the installation date (at 0) to the one reading of the series.
    bool singleReading = false;
    // The fitted line, number = intercept + slopePerDay * (days since origin); hasLine is
    // false when there is none to draw.
    bool hasLine = false;
    QDate origin;
    double intercept = 0;
    double slopePerDay = 0;
    double normative = 0;
    // The readings of points that the line runs through: [seriesBegin, end).
    int seriesBegin = 0;

    [[nodiscard]] double numberOn(const QDate& day) const {
        return intercept + slopePerDay * static_cast<double>(origin.daysTo(day));
    }
};

// points in the order of the readings. A number lower than the one before starts a new
// series (the counters were reset); only the last series counts. installed is the date the
// recorder was put on the crane, for a series of one reading.
[[nodiscard]] Forecast forecastExamination(const std::vector<ForecastPoint>& points,
                                           const QDate& installed, double normative);

} // namespace zurval
