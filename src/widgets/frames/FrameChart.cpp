#include "widgets/frames/FrameChart.h"

#include "core/common/NumberFormat.h"
#include "widgets/common/ChartRange.h"
#include "widgets/common/ControlColours.h"

#include <QJsonArray>
#include <algorithm>
#include <cmath>

namespace zurval {
namespace {

constexpr int kMarkHeight = 15;      // pixels; a mark is one pixel wide
constexpr int kDragThreshold = 3;    // pixels the mouse may move in a click
constexpr double kZoomFactor = 0.85; // range kept per wheel step
constexpr double kFewestFrames = 10; // the narrowest frame range zooming goes to

// Tick labels go through the program's number formats; frame numbers step by whole frames.
class GeneralTicker : public QCPAxisTicker {
protected:
    QString getTickLabel(double tick, const QLocale&, QChar, int) override {
        return formatGeneral(tick);
    }
};

class FrameTicker : public GeneralTicker {
protected:
    double getTickStep(const QCPRange& range) override {
        return std::max(1.0, GeneralTicker::getTickStep(range));
    }
};

class LevelTicker : public QCPAxisTickerFixed {
protected:
    QString getTickLabel(double tick, const QLocale&, QChar, int) override {
        return formatGeneral(tick);
    }
};

} // namespace

// ---- LineSeries

LineSeries::LineSeries(QCPAxis* keyAxis, QCPAxis* valueAxis, const ParameterSeries& definition)
    : QCPGraph(keyAxis, valueAxis), definition_(definition) {
    setObjectName(QString::fromLatin1(definition.objectName));
    setName(QString::fromUtf8(definition.title));
    setPen(QPen(toQColor(definition.colour), definition.penWidth));
    setLineStyle(lsLine);
    setScatterStyle(QCPScatterStyle::ssNone);
    setSelectable(QCP::stNone);
}

QJsonObject LineSeries::describeState() const {
    return {{"text", name()}, {"visible", visible()}, {"points", dataCount()}};
}

// ---- MarkSeries

MarkSeries::MarkSeries(QCPAxis* keyAxis, QCPAxis* valueAxis, const RelaySeries& definition)
    : QCPAbstractPlottable(keyAxis, valueAxis), definition_(definition) {
    setObjectName(QString::fromLatin1(definition.objectName));
    setName(QString::fromUtf8(definition.title));
    setSelectable(QCP::stNone);
}

void MarkSeries::setMarks(std::vector<RelayMark> marks) {
    marks_ = std::move(marks);
}

QJsonObject MarkSeries::describeState() const {
    return {{"text", name()}, {"visible", visible()}, {"points", int(marks_.size())}};
}

QCPRange MarkSeries::getKeyRange(bool& foundRange, QCP::SignDomain) const {
    foundRange = !marks_.empty();
    return foundRange ? QCPRange(marks_.front().frame, marks_.back().frame) : QCPRange();
}

QCPRange MarkSeries::getValueRange(bool& foundRange, QCP::SignDomain, const QCPRange&) const {
    foundRange = !marks_.empty();
    return QCPRange(definition_.level, definition_.level);
}

double MarkSeries::selectTest(const QPointF& pos, bool onlySelectable, QVariant* details) const {
    if ((onlySelectable && selectable() == QCP::stNone) || marks_.empty() || !mKeyAxis ||
        !mValueAxis || !mKeyAxis->axisRect()->rect().contains(pos.toPoint()))
        return -1;
    const double tolerance = mParentPlot->selectionTolerance();
    const double clickedFrame = mKeyAxis->pixelToCoord(pos.x());
    double from = mKeyAxis->pixelToCoord(pos.x() - tolerance);
    double to = mKeyAxis->pixelToCoord(pos.x() + tolerance);
    if (from > to)
        std::swap(from, to);
    const auto first = std::lower_bound(marks_.begin(), marks_.end(), from,
                                        [](const RelayMark& m, double f) { return m.frame < f; });
    const double y = mValueAxis->coordToPixel(definition_.level);
    double best = -1;
    double bestFrameDistance = 0;
    std::size_t bestIndex = 0;
    for (auto it = first; it != marks_.end() && it->frame <= to; ++it) {
        // Distance to the bar; on equal distance the mark nearest to the clicked frame wins.
        const double x = std::trunc(mKeyAxis->coordToPixel(it->frame)) + 0.5;
        const double dx = std::max(0.0, std::abs(pos.x() - x) - 0.5);
        const double dy = std::max(0.0, std::abs(pos.y() - y) - kMarkHeight / 2.0);
        const double distance = std::hypot(dx, dy);
        const double frameDistance = std::abs(it->frame - clickedFrame);
        if (best < 0 || distance < best ||
            (distance == best && frameDistance < bestFrameDistance)) {
            best = distance;
            bestFrameDistance = frameDistance;
            bestIndex = std::size_t(it - marks_.begin());
        }
    }
    if (best >= 0 && details)
        details->setValue(QCPDataSelection(QCPDataRange(int(bestIndex), int(bestIndex) + 1)));
    return best;
}

void MarkSeries::draw(QCPPainter* painter) {
    if (marks_.empty() || !mKeyAxis || !mValueAxis)
        return;
    const QCPRange shown = mKeyAxis->range();
    const auto first = std::lower_bound(marks_.begin(), marks_.end(), shown.lower - 1,
                                        [](const RelayMark& m, double f) { return m.frame < f; });
    const double top = std::trunc(mValueAxis->coordToPixel(definition_.level)) - kMarkHeight / 2;
    // Thousands of frames share a few hundred pixel columns: each column is drawn once per
    // colour, red last so that a limit that acted stays in sight.
    QVector<QRectF> bars[2];
    double lastX[2] = {-1e9, -1e9};
    for (auto it = first; it != marks_.end() && it->frame <= shown.upper + 1; ++it) {
        const double x = std::trunc(mKeyAxis->coordToPixel(it->frame));
        if (x == lastX[it->acted])
            continue;
        lastX[it->acted] = x;
        bars[it->acted].append(QRectF(x, top, 1, kMarkHeight));
    }
    painter->setPen(Qt::NoPen);
    for (const bool acted : {false, true}) {
        painter->setBrush(toQColor(acted ? PaletteColour::Red : PaletteColour::Green));
        painter->drawRects(bars[acted]);
    }
}

void MarkSeries::drawLegendIcon(QCPPainter* painter, const QRectF& rect) const {
    painter->setPen(Qt::NoPen);
    const double top = rect.center().y() - rect.height() / 2;
    painter->setBrush(toQColor(PaletteColour::Green));
    painter->drawRect(QRectF(rect.center().x() - 4, top, 2, rect.height()));
    painter->setBrush(toQColor(PaletteColour::Red));
    painter->drawRect(QRectF(rect.center().x() + 2, top, 2, rect.height()));
}

// ---- the read-out

// Drawn on the buffered overlay layer, so following the mouse repaints only the read-out. It
// takes no clicks: its selectTest is the layerable's default, which finds nothing.
class ReadOutLayerable : public QCPLayerable {
public:
    explicit ReadOutLayerable(QCustomPlot* plot) : QCPLayerable(plot, QStringLiteral("overlay")) {}

    void show(double x, ReadOut lines) {
        x_ = x;
        lines_ = std::move(lines);
        setVisible(true);
    }

protected:
    void applyDefaultAntialiasingHint(QCPPainter* painter) const override {
        painter->setAntialiasing(false);
    }
    QRect clipRect() const override { return mParentPlot->axisRect()->rect(); }

    void draw(QCPPainter* painter) override {
        const QRect area = mParentPlot->axisRect()->rect();
        painter->setPen(QPen(toQColor(PaletteColour::Gray), 1, Qt::DotLine));
        painter->drawLine(QPointF(x_, area.top()), QPointF(x_, area.bottom()));

        painter->setFont(mParentPlot->font());
        const QFontMetrics metrics(mParentPlot->font());
        constexpr int kPadding = 4;
        int width = 0;
        for (const ReadOutLine& line : lines_)
            width = std::max(width, metrics.horizontalAdvance(line.text));
        const QSize box(width + 2 * kPadding, int(lines_.size()) * metrics.height() + 2 * kPadding);
        // Beside the line, on the side with room for it.
        const int gap = 8;
        int left = int(x_) + gap;
        if (left + box.width() > area.right())
            left = int(x_) - gap - box.width();
        const QRect frame(QPoint(std::max(area.left(), left), area.top() + gap), box);
        painter->setPen(toQColor(PaletteColour::Gray));
        painter->setBrush(QColor(255, 255, 225));
        painter->drawRect(frame);
        int y = frame.top() + kPadding + metrics.ascent();
        for (const ReadOutLine& line : lines_) {
            painter->setPen(toQColor(line.colour));
            painter->drawText(frame.left() + kPadding, y, line.text);
            y += metrics.height();
        }
    }

private:
    double x_ = 0;
    ReadOut lines_;
};

// ---- FrameChart

FrameChart::FrameChart(const char* designTitle, QWidget* parent)
    : QCustomPlot(parent), designTitle_(designTitle) {
    // QCustomPlot queues a drawing when it is made. Until the chart is shown it draws into
    // no more than a pixel; the first showing draws it at its size.
    setViewport(QRect(0, 0, 1, 1));
    redrawWhenShown_ = true;
    setMouseTracking(true);
    setNotAntialiasedElements(QCP::aeAll);
    setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    axisRect()->setRangeDrag(Qt::Horizontal);
    axisRect()->setRangeZoom(Qt::Horizontal);
    axisRect()->setRangeZoomFactor(kZoomFactor);

    plotLayout()->insertRow(0);
    title_ = new QCPTextElement(this, QString::fromUtf8(designTitle));
    plotLayout()->addElement(0, 0, title_);
    plotLayout()->setMargins(QMargins(6, 4, 6, 4));

    xAxis->setLabel(QString::fromUtf8(kFramesAxisTitle));
    xAxis->setTicker(QSharedPointer<FrameTicker>::create());
    yAxis->setTicker(QSharedPointer<GeneralTicker>::create());
    xAxis->setRange(kFrameAxisLow, kFrameAxisHigh);
    // Half a frame is less than a pixel at the whole range: the value axis stands one pixel
    // left of the plot, so that the first frame's column is not under its line.
    yAxis->setOffset(1);
    connect(xAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this,
            &FrameChart::keepFramesInView);

    // The legend is shown only on paper, where printChart puts it below the chart.
    axisRect()->insetLayout()->take(legend);
    legend->setVisible(false);
    legend->setFillOrder(QCPLayoutGrid::foColumnsFirst);
    legend->setWrap(5);

    layer(QStringLiteral("overlay"))->setMode(QCPLayer::lmBuffered);
    readOut_ = new ReadOutLayerable(this);
    readOut_->setVisible(false);
    applyFont();
}

void FrameChart::setTitle(const QString& text) {
    title_->setText(text);
}

QString FrameChart::title() const {
    return title_->text();
}

void FrameChart::restoreDesignTitle() {
    setTitle(QString::fromUtf8(designTitle_));
}

void FrameChart::setFrames(const FrameArray* frames) {
    frames_ = frames;
    hideReadOut();
}

void FrameChart::showWholeRange() {
    xAxis->setRange(kFrameAxisLow, kFrameAxisHigh);
    yAxis->setRange(wholeValueRange());
    redraw();
}

void FrameChart::redraw() {
    redrawWhenShown_ = !isVisible();
    if (redrawWhenShown_)
        return;
    setViewport(rect());
    replot();
}

void FrameChart::showEvent(QShowEvent* e) {
    QCustomPlot::showEvent(e);
    if (redrawWhenShown_)
        redraw();
}

void FrameChart::resizeEvent(QResizeEvent* e) {
    if (isVisible()) {
        QCustomPlot::resizeEvent(e);
        return;
    }
    redrawWhenShown_ = true;
}

void FrameChart::fixValueAxis(const QCPRange& range) {
    auto ticker = QSharedPointer<LevelTicker>::create();
    ticker->setTickStep(1);
    ticker->setScaleStrategy(QCPAxisTickerFixed::ssNone);
    yAxis->setTicker(ticker);
    yAxis->setSubTicks(false);
    yAxis->setRange(range);
}

ChartPrint FrameChart::printed() const {
    ChartPrint chart{title(), frames_};
    chart.framesInView = {xAxis->range().lower, xAxis->range().upper};
    chart.valuesInView = {yAxis->range().lower, yAxis->range().upper};
    return chart;
}

QJsonObject FrameChart::describeState() const {
    const QCPRange frames = xAxis->range();
    return {{"text", title()}, {"xRange", QJsonArray{frames.lower, frames.upper}}};
}

std::optional<FrameChart::Hit> FrameChart::hitAt(const QPointF& pos) {
    std::optional<Hit> best;
    double bestDistance = selectionTolerance();
    // The last series added is drawn on top and wins a tie.
    for (int i = plottableCount() - 1; i >= 0; --i) {
        QCPAbstractPlottable* series = plottable(i);
        if (!series->realVisibility())
            continue;
        QVariant details;
        const double distance = series->selectTest(pos, false, &details);
        if (distance >= 0 && distance < bestDistance) {
            bestDistance = distance;
            best = Hit{series, details.value<QCPDataSelection>().dataRange().begin()};
        }
    }
    return best;
}

void FrameChart::applyFont() {
    const QFont f = font();
    QFont bold = f;
    bold.setBold(true);
    title_->setFont(bold);
    for (QCPAxis* axis : {xAxis, yAxis}) {
        axis->setLabelFont(f);
        axis->setTickLabelFont(f);
    }
    legend->setFont(f);
}

void FrameChart::changeEvent(QEvent* e) {
    QCustomPlot::changeEvent(e);
    if (e->type() == QEvent::FontChange)
        applyFont();
}

void FrameChart::keepFramesInView(const QCPRange& range) {
    // Zooming and panning stay within the charted frames.
    const QCPRange whole(kFrameAxisLow, kFrameAxisHigh);
    const QCPRange kept = rangeWithin(range, whole, kFewestFrames);
    if (kept != range)
        xAxis->setRange(kept);
}

void FrameChart::mousePressEvent(QMouseEvent* e) {
    pressPos_ = e->pos();
    clickPending_ = true;
    QCustomPlot::mousePressEvent(e);
}

void FrameChart::mouseMoveEvent(QMouseEvent* e) {
    if (clickPending_ && (e->pos() - pressPos_).manhattanLength() > kDragThreshold)
        clickPending_ = false;
    QCustomPlot::mouseMoveEvent(e);
    followMouse(e->pos());
}

void FrameChart::mouseReleaseEvent(QMouseEvent* e) {
    QCustomPlot::mouseReleaseEvent(e);
    const bool click = clickPending_ && (e->pos() - pressPos_).manhattanLength() <= kDragThreshold;
    clickPending_ = false;
    if (!click)
        return;
    if (const std::optional<Hit> hit = hitAt(e->position()))
        emit pointClicked(hit->series, hit->pointIndex, e->button(), e->modifiers());
}

void FrameChart::wheelEvent(QWheelEvent* e) {
    QCustomPlot::wheelEvent(e);
    followMouse(e->position().toPoint());
}

void FrameChart::mouseDoubleClickEvent(QMouseEvent* e) {
    QCustomPlot::mouseDoubleClickEvent(e);
    clickPending_ = false; // the release that follows is not a second click
    showWholeRange();
}

void FrameChart::leaveEvent(QEvent* e) {
    QCustomPlot::leaveEvent(e);
    hideReadOut();
}

void FrameChart::followMouse(const QPoint& pos) {
    const double frame = std::round(xAxis->pixelToCoord(pos.x()));
    if (!frames_ || !axisRect()->rect().contains(pos) || frame < 0 || frame >= kChartedFrames) {
        hideReadOut();
        return;
    }
    readOut_->show(xAxis->coordToPixel(frame), readOutFor((*frames_)[std::size_t(frame)]));
    readOut_->layer()->replot();
}

void FrameChart::hideReadOut() {
    if (!readOut_->visible())
        return;
    readOut_->setVisible(false);
    readOut_->layer()->replot();
}

} // namespace zurval
