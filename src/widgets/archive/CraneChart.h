#pragma once

#include "core/archive/CraneHistory.h"
#include "widgets/common/DescribesOwnState.h"

#include <qcustomplot.h>
#include <vector>

namespace zurval {

// The characteristic number of one crane against the reading date: the readings as points,
// the line fitted through those since the counters were last reset, the normative number as
// a level and the forecast date marked, or, while it lies beyond the dates shown, an arrow
// at the axis' edge with its date. The wheel zooms and dragging pans the dates, as far as
// the forecast; a double-click shows the readings again.
class CraneChart : public QCustomPlot, public DescribesOwnState {
    Q_OBJECT
public:
    explicit CraneChart(QWidget* parent = nullptr);

    // readings oldest first, as the forecast counts them.
    void showReadings(const std::vector<StoredReading>& readings, const Forecast& forecast,
                      const QDate& today);

    // The points of the line's readings and of those before, and the line's ends, as
    // [date, number]; the normative level, the forecast's text, the dates shown and whether
    // the forecast is shown at the edge.
    [[nodiscard]] QJsonObject describeState() const override;

protected:
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    void showView();
    void keepInWhole(const QCPRange& range);
    void placeForecast();

    CraneChartModel model_;
    QCPGraph* points_;
    QCPGraph* earlier_;
    QCPGraph* line_;
    QCPItemStraightLine* normative_;
    QCPItemText* normativeText_;
    QCPItemStraightLine* forecastMark_;
    QCPItemText* forecastText_;
    QCPItemLine* forecastArrow_;
    QString forecastLabel_;
    QString forecastCaption_;
};

} // namespace zurval
