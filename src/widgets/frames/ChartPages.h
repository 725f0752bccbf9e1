#pragma once

#include "core/document/DocumentView.h"
#include "widgets/frames/FrameChart.h"

#include <QWidget>
#include <array>

class QCheckBox;

namespace zurval {

class RecorderSession;

// Chart_Param: the load moment and the measured values as lines over the frames.
class ParameterChart : public FrameChart {
    Q_OBJECT
public:
    explicit ParameterChart(QWidget* parent = nullptr);
    void clearPoints();
    void fill(const FrameArray& frames);
    // Shows or hides the lines of one check box.
    void setShown(ParameterBox box, bool shown);
    // The value axis spans the shown lines; the frame range stays.
    void fitValueAxis();
    [[nodiscard]] const std::array<LineSeries*, kParameterSeriesCount>& series() const {
        return series_;
    }
    [[nodiscard]] ShownLines shownLines() const;
    [[nodiscard]] ChartPrint printed() const;

protected:
    [[nodiscard]] QCPRange wholeValueRange() const override;
    [[nodiscard]] ReadOut readOutFor(const CycleFrame& frame) const override;

private:
    std::array<LineSeries*, kParameterSeriesCount> series_{};
};

// Chart_Rele: a row of marks per coordinate-protection limit.
class RelayChart : public FrameChart {
    Q_OBJECT
public:
    explicit RelayChart(QWidget* parent = nullptr);
    void clearPoints();
    void fill(const FrameArray& frames);
    [[nodiscard]] const std::array<MarkSeries*, kRelaySeriesCount>& series() const {
        return series_;
    }

protected:
    [[nodiscard]] QCPRange wholeValueRange() const override;
    [[nodiscard]] ReadOut readOutFor(const CycleFrame& frame) const override;

private:
    std::array<MarkSeries*, kRelaySeriesCount> series_{};
};

// "Параметры": Chart_Param with the check boxes that show its lines.
class ParameterChartPage : public QWidget, public DocumentView {
    Q_OBJECT
public:
    explicit ParameterChartPage(const RecorderSession& session, QWidget* parent = nullptr);
    void clear() override;
    void show() override;
    [[nodiscard]] ParameterChart* chart() const { return Chart_Param; }

    // A click on a point of the chart; with Shift held it asks for the browser to move to the
    // point's index, which is its frame's number.
    void Chart_ParamClickSeries(QCPAbstractPlottable* series, int pointIndex,
                                Qt::MouseButton button, Qt::KeyboardModifiers shift);

signals:
    void browserJumpRequested(int pointIndex);

private:
    void applyBox(std::size_t box); // without drawing

    const RecorderSession& session_;
    ParameterChart* Chart_Param = nullptr;
    std::array<QCheckBox*, kParameterBoxCount> boxes_{};
};

// "Реле и ограничения": Chart_Rele.
class RelayChartPage : public QWidget, public DocumentView {
    Q_OBJECT
public:
    explicit RelayChartPage(const RecorderSession& session, QWidget* parent = nullptr);
    void clear() override;
    void show() override;
    [[nodiscard]] RelayChart* chart() const { return Chart_Rele; }

    // A click on a mark asks for the protection view of the mark's frame.
    void Chart_ReleClickSeries(QCPAbstractPlottable* series, int pointIndex, Qt::MouseButton button,
                               Qt::KeyboardModifiers shift);

signals:
    void protectionFrameRequested(int frameNumber);

private:
    const RecorderSession& session_;
    RelayChart* Chart_Rele = nullptr;
};

} // namespace zurval
