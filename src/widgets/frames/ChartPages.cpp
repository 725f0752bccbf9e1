#include "widgets/frames/ChartPages.h"

#include "core/document/RecorderSession.h"

#include "core/document/RecorderDocument.h"
#include "widgets/common/ControlColours.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace zurval {
namespace {

const QCPRange kEmptyParameterRange(0, 100);

} // namespace

// ---- ParameterChart

ParameterChart::ParameterChart(QWidget* parent) : FrameChart(kParameterChartDesignTitle, parent) {
    setObjectName("Chart_Param");
    for (std::size_t i = 0; i < kParameterSeries.size(); ++i)
        series_[i] = new LineSeries(xAxis, yAxis, kParameterSeries[i]);
    yAxis->setRange(kEmptyParameterRange);
}

void ParameterChart::clearPoints() {
    for (LineSeries* s : series_)
        s->data()->clear();
}

void ParameterChart::fill(const FrameArray& frames) {
    for (LineSeries* s : series_) {
        const LinePoints points = parameterPoints(frames, s->definition());
        s->setData(points.frames, points.values, true);
    }
}

void ParameterChart::setShown(ParameterBox box, bool shown) {
    for (LineSeries* s : series_) {
        if (s->definition().shownBy == box)
            s->setVisible(shown);
    }
}

void ParameterChart::fitValueAxis() {
    yAxis->setRange(wholeValueRange());
    redraw();
}

ShownLines ParameterChart::shownLines() const {
    ShownLines shown{};
    for (std::size_t i = 0; i < series_.size(); ++i)
        shown[i] = series_[i]->visible();
    return shown;
}

ChartPrint ParameterChart::printed() const {
    ChartPrint chart = FrameChart::printed();
    chart.shown = shownLines();
    return chart;
}

QCPRange ParameterChart::wholeValueRange() const {
    const ValueRange range = parameterValueRange(frames(), shownLines());
    return QCPRange(range.lower, range.upper);
}

ReadOut ParameterChart::readOutFor(const CycleFrame& frame) const {
    return parameterReadOut(frame, shownLines());
}

// ---- RelayChart

RelayChart::RelayChart(QWidget* parent) : FrameChart(kRelayChartDesignTitle, parent) {
    setObjectName("Chart_Rele");
    for (std::size_t i = 0; i < kRelaySeries.size(); ++i)
        series_[i] = new MarkSeries(xAxis, yAxis, kRelaySeries[i]);
    fixValueAxis(wholeValueRange());
}

void RelayChart::clearPoints() {
    for (MarkSeries* s : series_)
        s->setMarks({});
}

void RelayChart::fill(const FrameArray& frames) {
    for (MarkSeries* s : series_)
        s->setMarks(relayMarks(frames, s->definition()));
}

QCPRange RelayChart::wholeValueRange() const {
    return QCPRange(kRelayAxisMinimum, kRelayAxisMaximum);
}

ReadOut RelayChart::readOutFor(const CycleFrame& frame) const {
    return relayReadOut(frame);
}

// ---- ParameterChartPage

ParameterChartPage::ParameterChartPage(const RecorderSession& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    Chart_Param = new ParameterChart;
    connect(Chart_Param, &FrameChart::pointClicked, this,
            &ParameterChartPage::Chart_ParamClickSeries);

    auto* panel = new QFrame;
    panel->setObjectName("Panel6");
    panel->setFrameShape(QFrame::StyledPanel);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(8, 2, 8, 2);
    row->setSpacing(16);
    auto* limitLine = new QLabel(QString::fromUtf8(kLimitLineCaption));
    limitLine->setObjectName("Label33");
    setControlColour(limitLine, toQColor(PaletteColour::Red));
    row->addWidget(limitLine);
    for (std::size_t i = 0; i < kParameterBoxes.size(); ++i) {
        const ParameterCheckBox& definition = kParameterBoxes[i];
        auto* box = new QCheckBox(QString::fromUtf8(definition.caption));
        box->setObjectName(QString::fromLatin1(definition.objectName));
        box->setChecked(definition.checkedAfterClearing);
        setControlColour(box, toQColor(definition.colour));
        connect(box, &QCheckBox::toggled, this, [this, i] {
            applyBox(i);
            Chart_Param->fitValueAxis();
        });
        boxes_[i] = box;
        row->addWidget(box);
    }
    row->addStretch(1);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    column->addWidget(Chart_Param, 1);
    column->addWidget(panel);
    for (std::size_t i = 0; i < boxes_.size(); ++i)
        applyBox(i);
    Chart_Param->showWholeRange();
}

void ParameterChartPage::applyBox(std::size_t box) {
    Chart_Param->setShown(kParameterBoxes[box].box, boxes_[box]->isChecked());
}

void ParameterChartPage::clear() {
    Chart_Param->setFrames(nullptr);
    Chart_Param->clearPoints();
    Chart_Param->restoreDesignTitle();
    // Setting a box has its click's effect, also when it is already in that state; the
    // chart is drawn once at the end.
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        const QSignalBlocker quiet(boxes_[i]);
        boxes_[i]->setChecked(kParameterBoxes[i].checkedAfterClearing);
        applyBox(i);
    }
    Chart_Param->showWholeRange();
}

void ParameterChartPage::show() {
    const RecorderDocument& document = session_.document();
    Chart_Param->setTitle(parameterChartTitle(session_.texts().service));
    Chart_Param->fill(*document.cyclic.frameList);
    Chart_Param->setFrames(document.cyclic.frameList.get());
    for (std::size_t i = 0; i < boxes_.size(); ++i)
        applyBox(i);
    Chart_Param->showWholeRange();
}

void ParameterChartPage::Chart_ParamClickSeries(QCPAbstractPlottable*, int pointIndex,
                                                Qt::MouseButton, Qt::KeyboardModifiers shift) {
    if (shift.testFlag(Qt::ShiftModifier))
        emit browserJumpRequested(pointIndex);
}

// ---- RelayChartPage

RelayChartPage::RelayChartPage(const RecorderSession& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    Chart_Rele = new RelayChart;
    connect(Chart_Rele, &FrameChart::pointClicked, this, &RelayChartPage::Chart_ReleClickSeries);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(Chart_Rele);
}

void RelayChartPage::clear() {
    Chart_Rele->setFrames(nullptr);
    Chart_Rele->clearPoints();
    Chart_Rele->restoreDesignTitle();
    Chart_Rele->showWholeRange();
}

void RelayChartPage::show() {
    const RecorderDocument& document = session_.document();
    Chart_Rele->setTitle(relayChartTitle(session_.texts().service));
    Chart_Rele->fill(*document.cyclic.frameList);
    Chart_Rele->setFrames(document.cyclic.frameList.get());
    Chart_Rele->showWholeRange();
}

void RelayChartPage::Chart_ReleClickSeries(QCPAbstractPlottable* series, int pointIndex,
                                           Qt::MouseButton, Qt::KeyboardModifiers) {
    const auto* marks = qobject_cast<const MarkSeries*>(series);
    if (!marks || pointIndex < 0 || std::size_t(pointIndex) >= marks->marks().size())
        return;
    emit protectionFrameRequested(marks->marks()[std::size_t(pointIndex)].frame);
}

} // namespace zurval
