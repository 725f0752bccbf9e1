#pragma once

#include "core/archive/FleetArchive.h"
#include "widgets/common/DescribesOwnState.h"

#include <qcustomplot.h>
#include <vector>

namespace zurval {

// The characteristic number of one crane against the reading date: the readings as points,
// the line fitted through those since the counters were last reset, the normative number as
// a level and the forecast date marked. The wheel zooms and dragging pans the dates.
class CraneChart : public QCustomPlot, public DescribesOwnState {
    Q_OBJECT
public:
    explicit CraneChart(QWidget* parent = nullptr);

    // readings oldest first, as the forecast counts them.
    void showReadings(const std::vector<StoredReading>& readings, const Forecast& forecast);

    // The points of the line's readings and of those before, and the line's ends, as
    // [date, number]; the normative level and the forecast's text.
    [[nodiscard]] QJsonObject describeState() const override;

private:
    QCPGraph* points_;
    QCPGraph* earlier_;
    QCPGraph* line_;
    QCPItemStraightLine* normative_;
    QCPItemText* normativeText_;
    QCPItemStraightLine* forecastMark_;
    QCPItemText* forecastText_;
    QString forecastLabel_;
};

} // namespace zurval
