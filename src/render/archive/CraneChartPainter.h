#pragma once

#include "core/archive/CraneHistory.h"

#include <QSizeF>
#include <QString>

class QPainter;

namespace zurval {

// The chart of a crane's characteristic number on any painter, for the printed history: the
// same contents as the crane window's chart, in a drawing of size units (a tenth of a
// millimetre on paper). A forecast beyond the axis is an arrow at its right edge with the date.
struct CraneChartLabels {
    QString forecastMark; // "прогноз: 25.09.2026"
    QString normative;    // "нормативное: 63000"
};
void paintCraneChart(QPainter& painter, const QSizeF& size, const CraneChartModel& chart,
                     const CraneChartLabels& labels);

} // namespace zurval
