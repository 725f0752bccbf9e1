#include "widgets/archive/CraneChart.h"

#include "core/archive/ArchiveTexts.h"
#include "widgets/common/ChartRange.h"

#include <QJsonArray>

namespace zurval {
namespace {

const QString kDateFormat = QStringLiteral("dd.MM.yyyy");
constexpr double kRoomAbove = 1.15;  // of the highest number shown
constexpr double kZoomFactor = 0.85; // range kept per wheel step, as the frame charts zoom
constexpr double kFewestDays = 14;   // zooming in stops at two weeks
constexpr double kSecondsPerDay = 86400;
constexpr double kArrowShare = 0.12; // of the axis' width

// Dates count in UTC seconds, so that no clock change moves a day.
double keyOf(const QDate& day) {
    return QCPAxisTickerDateTime::dateTimeToKey(day.startOfDay(Qt::UTC));
}

QString dateOfKey(double key) {
    return QCPAxisTickerDateTime::keyToDateTime(key).toUTC().date().toString(kDateFormat);
}

QJsonArray pointsOf(const QCPGraph* graph) {
    QJsonArray out;
    for (auto it = graph->data()->constBegin(); it != graph->data()->constEnd(); ++it)
        out.append(QJsonArray{dateOfKey(it->key), it->value});
    return out;
}

QCPItemText* chartLabel(QCustomPlot* plot, Qt::Alignment alignment) {
    auto* text = new QCPItemText(plot);
    text->setPositionAlignment(alignment);
    text->setPadding(QMargins(4, 2, 4, 2));
    text->setClipToAxisRect(false);
    return text;
}

} // namespace

CraneChart::CraneChart(QWidget* parent) : QCustomPlot(parent) {
    const CraneChartTexts& texts = craneChartTexts();
    auto ticker = QSharedPointer<QCPAxisTickerDateTime>::create();
    ticker->setDateTimeFormat(kDateFormat);
    ticker->setDateTimeSpec(Qt::UTC);
    ticker->setTickCount(6);
    xAxis->setTicker(ticker);
    xAxis->setLabel(texts.dateAxis);
    yAxis->setLabel(texts.numberAxis);
    axisRect()->setRangeDrag(Qt::Horizontal);
    axisRect()->setRangeZoom(Qt::Horizontal);
    axisRect()->setRangeZoomFactor(kZoomFactor);
    setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    connect(xAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this,
            &CraneChart::keepInWhole);

    line_ = addGraph();
    line_->setName(texts.line);
    line_->setPen(QPen(QColor(0, 0, 192), 1.5));
    earlier_ = addGraph();
    earlier_->setName(texts.earlier);
    earlier_->setLineStyle(QCPGraph::lsNone);
    earlier_->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, QPen(Qt::gray),
                                              QBrush(QColor(220, 220, 220)), 8));
    points_ = addGraph();
    points_->setName(texts.points);
    points_->setLineStyle(QCPGraph::lsNone);
    points_->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, QPen(Qt::black),
                                             QBrush(QColor(255, 160, 0)), 8));

    normative_ = new QCPItemStraightLine(this);
    normative_->setPen(QPen(QColor(192, 0, 0), 1.5, Qt::DashLine));
    normativeText_ = chartLabel(this, Qt::AlignLeft | Qt::AlignBottom);
    normativeText_->setColor(QColor(192, 0, 0));
    normativeText_->position->setTypeX(QCPItemPosition::ptAxisRectRatio);
    const QColor green(0, 128, 0);
    forecastMark_ = new QCPItemStraightLine(this);
    forecastMark_->setPen(QPen(green, 1.5, Qt::DashDotLine));
    forecastText_ = chartLabel(this, Qt::AlignRight | Qt::AlignTop);
    forecastText_->setColor(green);
    forecastText_->position->setTypeY(QCPItemPosition::ptAxisRectRatio);
    forecastArrow_ = new QCPItemLine(this);
    forecastArrow_->setPen(QPen(green, 2));
    forecastArrow_->setHead(QCPLineEnding::esSpikeArrow);
    for (QCPItemPosition* end : {forecastArrow_->start, forecastArrow_->end})
        end->setType(QCPItemPosition::ptAxisRectRatio);

    // The legend in a row under the chart, where it hides no point, as on paper.
    legend->setVisible(true);
    axisRect()->insetLayout()->take(legend);
    axisRect()->insetLayout()->simplify();
    legend->setFillOrder(QCPLegend::foColumnsFirst);
    auto* below = new QCPLayoutGrid;
    plotLayout()->addElement(1, 0, below);
    below->setMargins(QMargins(5, 0, 5, 5));
    below->addElement(0, 0, legend);
    plotLayout()->setRowStretchFactor(1, 0.001);
}

void CraneChart::showReadings(const std::vector<StoredReading>& readings, const Forecast& forecast,
                              const QDate& today) {
    model_ = craneChart(readings, forecast, today);
    // The readings before the counters were last reset stand apart from the line's.
    QVector<double> keys[2], numbers[2];
    for (const CraneChartPoint& p : model_.points) {
        keys[!p.beforeReset] << keyOf(p.date);
        numbers[!p.beforeReset] << p.number;
    }
    earlier_->setData(keys[0], numbers[0]);
    points_->setData(keys[1], numbers[1]);
    if (keys[0].isEmpty())
        earlier_->removeFromLegend();
    else
        earlier_->addToLegend();

    line_->data()->clear();
    if (model_.hasLine)
        line_->setData({keyOf(model_.lineFrom), keyOf(model_.lineTo)},
                       {model_.numberFrom, model_.numberTo});

    const bool level = model_.normative > 0;
    normative_->setVisible(level);
    normativeText_->setVisible(level);
    normative_->point1->setCoords(0, model_.normative);
    normative_->point2->setCoords(1, model_.normative);
    normativeText_->position->setCoords(0, model_.normative);
    normativeText_->setText(normativeLevelText(model_.normative));

    forecastLabel_ = forecastText(forecast);
    forecastCaption_ = forecastMarkText(forecast);
    if (forecast.singleReading)
        forecastCaption_ += QStringLiteral("\nпо одному считыванию");
    forecastText_->setText(forecastCaption_);
    yAxis->setRange(0, model_.highest * kRoomAbove);
    showView();
}

void CraneChart::showView() {
    xAxis->setRange(keyOf(model_.viewFirst), keyOf(model_.viewLast));
    placeForecast();
    replot();
}

void CraneChart::keepInWhole(const QCPRange& range) {
    if (!model_.wholeFirst.isValid())
        return;
    const QCPRange whole(keyOf(model_.wholeFirst), keyOf(model_.wholeLast));
    const QCPRange kept = rangeWithin(range, whole, kFewestDays * kSecondsPerDay);
    if (kept != range)
        xAxis->setRange(kept);
    placeForecast();
}

// The forecast date marked where it is in view, else an arrow at the right edge with it.
void CraneChart::placeForecast() {
    const bool marked = model_.forecastDate.isValid();
    const double key = marked ? keyOf(model_.forecastDate) : 0;
    const bool beyond = marked && key > xAxis->range().upper;
    forecastMark_->setVisible(marked && !beyond);
    forecastArrow_->setVisible(beyond);
    forecastText_->setVisible(marked);
    forecastMark_->point1->setCoords(key, 0);
    forecastMark_->point2->setCoords(key, 1);
    if (beyond) {
        forecastArrow_->start->setCoords(1 - kArrowShare, 0.06);
        forecastArrow_->end->setCoords(1, 0.06);
        forecastText_->position->setTypeX(QCPItemPosition::ptAxisRectRatio);
        forecastText_->position->setCoords(1 - kArrowShare, 0.02);
    } else {
        forecastText_->position->setTypeX(QCPItemPosition::ptPlotCoords);
        forecastText_->position->setCoords(key, 0);
    }
}

void CraneChart::mouseDoubleClickEvent(QMouseEvent* e) {
    QCustomPlot::mouseDoubleClickEvent(e);
    showView();
}

QJsonObject CraneChart::describeState() const {
    return {{"points", pointsOf(points_)},
            {"earlier", pointsOf(earlier_)},
            {"line", pointsOf(line_)},
            {"normative",
             normative_->visible() ? QJsonValue(normative_->point1->value()) : QJsonValue()},
            {"forecast", forecastLabel_},
            {"dates", QJsonArray{dateOfKey(xAxis->range().lower), dateOfKey(xAxis->range().upper)}},
            {"forecast_at_edge", forecastArrow_->visible()}};
}

} // namespace zurval
