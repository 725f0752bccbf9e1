#pragma once

#include "core/frames/FrameCharts.h"
#include "render/reports/ReportEngine.h"

#include <array>

namespace zurval {

// A frame chart as it is printed: the title it shows, the frames and values in view, and,
// on the parameter chart, the lines shown. Without frames the chart has no points, as after
// Очистить.
struct ChartPrint {
    QString title;
    const FrameArray* frames = nullptr;
    ValueRange framesInView{kFrameAxisLow, kFrameAxisHigh};
    ValueRange valuesInView{0, 100};
    ShownLines shown{};
};

// A chart as opening a file leaves it: every frame, the lines that the boxes show after
// clearing, the values that show them whole.
[[nodiscard]] ChartPrint chartAfterOpening(const QString& title, const FrameArray& frames);

// The parameter chart, or the relay chart, on one landscape page with 2 % margins: the title
// above, the points of FrameCharts' series in their colours, and below the chart a legend of
// the series shown.
[[nodiscard]] report::Document parameterChartReport(const ChartPrint& chart);
[[nodiscard]] report::Document relayChartReport(const ChartPrint& chart);

} // namespace zurval
