#pragma once

#include "core/frames/FrameCharts.h"
#include "render/reports/ChartReports.h"
#include "widgets/common/DescribesOwnState.h"

#include <optional>
#include <qcustomplot.h>
#include <vector>

namespace zurval {

// A line of Chart_Param. It tells the state dump its title, whether it is shown and how many
// points it holds.
class LineSeries : public QCPGraph, public DescribesOwnState {
    Q_OBJECT
public:
    LineSeries(QCPAxis* keyAxis, QCPAxis* valueAxis, const ParameterSeries& definition);
    [[nodiscard]] const ParameterSeries& definition() const { return definition_; }
    [[nodiscard]] QJsonObject describeState() const override;

private:
    const ParameterSeries& definition_;
};

// A row of marks of Chart_Rele: each mark a bar 1 pixel wide and 15 high at the row's level,
// green for a limit switched on, red for one that acted. A point index is an index into
// marks().
class MarkSeries : public QCPAbstractPlottable, public DescribesOwnState {
    Q_OBJECT
public:
    MarkSeries(QCPAxis* keyAxis, QCPAxis* valueAxis, const RelaySeries& definition);
    void setMarks(std::vector<RelayMark> marks);
    [[nodiscard]] const std::vector<RelayMark>& marks() const { return marks_; }
    [[nodiscard]] const RelaySeries& definition() const { return definition_; }

    [[nodiscard]] double selectTest(const QPointF& pos, bool onlySelectable,
                                    QVariant* details = nullptr) const override;
    [[nodiscard]] QCPRange getKeyRange(bool& foundRange,
                                       QCP::SignDomain inSignDomain = QCP::sdBoth) const override;
    [[nodiscard]] QCPRange getValueRange(bool& foundRange,
                                         QCP::SignDomain inSignDomain = QCP::sdBoth,
                                         const QCPRange& inKeyRange = QCPRange()) const override;
    [[nodiscard]] QJsonObject describeState() const override;

protected:
    void draw(QCPPainter* painter) override;
    void drawLegendIcon(QCPPainter* painter, const QRectF& rect) const override;

private:
    const RelaySeries& definition_;
    std::vector<RelayMark> marks_; // in frame order
};

class ReadOutLayerable;

// A chart of the frames against their number, with the handling users expect of a plot: the
// wheel zooms the frame axis around the mouse, dragging pans it, a double-click shows all
// frames again, and a read-out follows the mouse with the frame, its time and its values.
// A click that is not a drag reports the point under the mouse.
class FrameChart : public QCustomPlot, public DescribesOwnState {
    Q_OBJECT
public:
    explicit FrameChart(const char* designTitle, QWidget* parent = nullptr);

    void setTitle(const QString& text);
    [[nodiscard]] QString title() const;
    void restoreDesignTitle();

    // The frames the read-out describes; nullptr while the chart shows no recording.
    void setFrames(const FrameArray* frames);
    [[nodiscard]] const FrameArray* frames() const { return frames_; }
    // What the chart shows, for printing it: its title, its points' frames, the ranges in view.
    [[nodiscard]] ChartPrint printed() const;
    // All frames and the whole value range, as after a double-click.
    void showWholeRange();
    // Draws the chart now when it is on the screen; a hidden one (the charts' pages are not
    // in front after start-up or opening) is drawn once it is shown.
    void redraw();

    // The point nearest to pos on the topmost shown series within the selection tolerance.
    struct Hit {
        QCPAbstractPlottable* series = nullptr;
        int pointIndex = 0;
    };
    [[nodiscard]] std::optional<Hit> hitAt(const QPointF& pos);

    [[nodiscard]] QJsonObject describeState() const override;

signals:
    void pointClicked(QCPAbstractPlottable* series, int pointIndex, Qt::MouseButton button,
                      Qt::KeyboardModifiers modifiers);

protected:
    // A value axis that stays at range, labelled at every whole number.
    void fixValueAxis(const QCPRange& range);
    // The value range that "whole range" shows.
    [[nodiscard]] virtual QCPRange wholeValueRange() const = 0;
    [[nodiscard]] virtual ReadOut readOutFor(const CycleFrame& frame) const = 0;

    void changeEvent(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    void applyFont();
    void keepFramesInView(const QCPRange& range);
    void followMouse(const QPoint& pos);
    void hideReadOut();

    const char* designTitle_;
    bool redrawWhenShown_ = false;
    QCPTextElement* title_ = nullptr;
    ReadOutLayerable* readOut_ = nullptr;
    const FrameArray* frames_ = nullptr;
    QPoint pressPos_;
    bool clickPending_ = false;
};

} // namespace zurval
