#include "widgets/archive/CraneChart.h"

#include "core/archive/ArchiveTexts.h"
#include "core/common/NumberFormat.h"

#include <QJsonArray>
#include <algorithm>

namespace zurval {
namespace {

const QString kDateFormat = QStringLiteral("dd.MM.yyyy");
constexpr double kSecondsPerDay = 86400;
constexpr double kRoomAbove = 1.15;  // of the highest number shown
constexpr double kRoomBeside = 0.04; // of the dates shown, on either side

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

// The day the fitted line starts: the installation date for a line through one reading
// (it rises from 0 there), else the first dated reading of the series.
QDate lineStart(const std::vector<StoredReading>& readings, const Forecast& forecast) {
    if (forecast.singleReading)
        return forecast.origin;
    for (std::size_t i = static_cast<std::size_t>(forecast.seriesBegin); i < readings.size(); ++i)
        if (readings[i].readingDate.isValid() && readings[i].characteristicNumber)
            return readings[i].readingDate;
    return {};
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
    auto ticker = QSharedPointer<QCPAxisTickerDateTime>::create();
    ticker->setDateTimeFormat(kDateFormat);
    ticker->setDateTimeSpec(Qt::UTC);
    ticker->setTickCount(6);
    xAxis->setTicker(ticker);
    xAxis->setLabel(QStringLiteral("Дата считывания"));
    yAxis->setLabel(QStringLiteral("Характеристическое число"));
    axisRect()->setRangeDrag(Qt::Horizontal);
    axisRect()->setRangeZoom(Qt::Horizontal);
    setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);

    line_ = addGraph();
    line_->setName(QStringLiteral("Прямая по считываниям"));
    line_->setPen(QPen(QColor(0, 0, 192), 1.5));
    earlier_ = addGraph();
    earlier_->setName(QStringLiteral("Считывания до сброса"));
    earlier_->setLineStyle(QCPGraph::lsNone);
    earlier_->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, QPen(Qt::gray),
                                              QBrush(QColor(220, 220, 220)), 8));
    points_ = addGraph();
    points_->setName(QStringLiteral("Считывания"));
    points_->setLineStyle(QCPGraph::lsNone);
    points_->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, QPen(Qt::black),
                                             QBrush(QColor(255, 160, 0)), 8));

    normative_ = new QCPItemStraightLine(this);
    normative_->setPen(QPen(QColor(192, 0, 0), 1.5, Qt::DashLine));
    normativeText_ = chartLabel(this, Qt::AlignLeft | Qt::AlignBottom);
    normativeText_->setColor(QColor(192, 0, 0));
    normativeText_->position->setTypeX(QCPItemPosition::ptAxisRectRatio);
    forecastMark_ = new QCPItemStraightLine(this);
    forecastMark_->setPen(QPen(QColor(0, 128, 0), 1.5, Qt::DashDotLine));
    forecastText_ = chartLabel(this, Qt::AlignRight | Qt::AlignTop);
    forecastText_->setColor(QColor(0, 128, 0));
    forecastText_->position->setTypeY(QCPItemPosition::ptAxisRectRatio);

    legend->setVisible(true);
    // The numbers rise with the dates, which leaves the corner at the bottom right free.
    axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignRight | Qt::AlignBottom);
}

void CraneChart::showReadings(const std::vector<StoredReading>& readings,
                              const Forecast& forecast) {
    // The readings before the counters were last reset stand apart from the line's.
    QVector<double> keys[2], numbers[2];
    QDate lastDated;
    for (std::size_t i = 0; i < readings.size(); ++i)
        if (readings[i].readingDate.isValid() && readings[i].characteristicNumber) {
            const bool inSeries = i >= static_cast<std::size_t>(forecast.seriesBegin);
            keys[inSeries] << keyOf(readings[i].readingDate);
            numbers[inSeries] << *readings[i].characteristicNumber;
            lastDated = readings[i].readingDate;
        }
    earlier_->setData(keys[0], numbers[0]);
    points_->setData(keys[1], numbers[1]);
    if (keys[0].isEmpty())
        earlier_->removeFromLegend();
    else
        earlier_->addToLegend();

    line_->data()->clear();
    const QDate from = lineStart(readings, forecast);
    const QDate to = forecast.kind == ForecastKind::Date ? forecast.date : lastDated;
    if (forecast.hasLine && from.isValid() && to.isValid())
        line_->setData({keyOf(from), keyOf(to)}, {forecast.numberOn(from), forecast.numberOn(to)});

    const bool level = forecast.normative > 0;
    normative_->setVisible(level);
    normativeText_->setVisible(level);
    normative_->point1->setCoords(0, forecast.normative);
    normative_->point2->setCoords(1, forecast.normative);
    normativeText_->position->setCoords(0, forecast.normative);
    normativeText_->setText(
        QStringLiteral("нормативное: %1").arg(formatGeneral(forecast.normative)));

    forecastLabel_ = forecastText(forecast);
    const bool marked = forecast.kind != ForecastKind::NoData && forecast.date.isValid();
    forecastMark_->setVisible(marked);
    forecastText_->setVisible(marked);
    forecastMark_->point1->setCoords(keyOf(forecast.date), 0);
    forecastMark_->point2->setCoords(keyOf(forecast.date), 1);
    forecastText_->position->setCoords(keyOf(forecast.date), 0);
    QString mark = forecast.kind == ForecastKind::Date
                       ? QStringLiteral("прогноз: ") + forecastLabel_
                       : forecastLabel_;
    if (forecast.singleReading)
        mark += QStringLiteral("\nпо одному считыванию");
    forecastText_->setText(mark);

    // Every point, the line and the mark in view, with room beside and above them.
    QVector<double> shown = keys[0] + keys[1];
    double highest = std::max(forecast.normative, 1.0);
    for (auto it = line_->data()->constBegin(); it != line_->data()->constEnd(); ++it) {
        shown << it->key;
        highest = std::max(highest, it->value);
    }
    for (const double n : numbers[0] + numbers[1])
        highest = std::max(highest, n);
    if (marked)
        shown << keyOf(forecast.date);
    if (shown.isEmpty())
        shown << keyOf(QDate::currentDate());
    const auto [first, last] = std::minmax_element(shown.begin(), shown.end());
    const double beside = std::max((*last - *first) * kRoomBeside, 30 * kSecondsPerDay);
    xAxis->setRange(*first - beside, *last + beside);
    yAxis->setRange(0, highest * kRoomAbove);
    replot();
}

QJsonObject CraneChart::describeState() const {
    return {{"points", pointsOf(points_)},
            {"earlier", pointsOf(earlier_)},
            {"line", pointsOf(line_)},
            {"normative",
             normative_->visible() ? QJsonValue(normative_->point1->value()) : QJsonValue()},
            {"forecast", forecastLabel_}};
}

} // namespace zurval
