#include "render/reports/ChartReports.h"

#include "core/common/NumberFormat.h"
#include "render/colours/StandardColours.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <functional>

namespace zurval {
namespace {

// The chart is drawn in dots of 1/128 inch, the fineness charts have always printed at, on
// A4 landscape less 2 % of the paper on each side; texts keep their point sizes.
constexpr double kDotsPerInch = 128;
constexpr double kMmPerInch = 25.4;
constexpr double kMarginShare = 0.02;
constexpr double kFontPoints = 9; // when the application's font gives none
constexpr int kMarkHeight = 15;   // dots; a mark is one dot wide
constexpr int kTickLength = 5;
constexpr int kSubTickLength = 2;
constexpr int kPadding = 5; // between ticks, their labels and the axis title
constexpr int kLegendColumns = 5;
constexpr QSizeF kLegendIcon{32, 18};
const QMargins kOuterMargins(6, 4, 6, 4);
const QColor kGridColour(200, 200, 200);

// The application's font, as the charts on the screen have it, at its size on paper.
QFont chartFont(bool bold = false) {
    QFont f;
    const double points = f.pointSizeF() > 0 ? f.pointSizeF() : kFontPoints;
    f.setPixelSize(int(std::lround(points * kDotsPerInch / 72)));
    f.setBold(bold);
    return f;
}

// Tick steps of about five to a range, each a readable 1, 2, 2.5 or 5 times a power of ten.
double tickStep(double span) {
    const double exact = span / 5;
    const double magnitude = std::pow(10.0, std::floor(std::log10(exact)));
    const double mantissa = exact / magnitude;
    double best = 1;
    for (const double m : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (std::abs(m - mantissa) < std::abs(best - mantissa))
            best = m;
    return best * magnitude;
}

int subTicks(double step) {
    const double magnitude = std::pow(10.0, std::floor(std::log10(step)));
    const double mantissa = step / magnitude;
    if (std::abs(mantissa - 2) < 0.01)
        return 3;
    return 4; // 1, 2.5 and 5
}

struct Axis {
    ValueRange range;
    double step = 1;
    int subTickCount = 0;
    [[nodiscard]] std::vector<double> ticks() const {
        std::vector<double> out;
        for (double t = std::ceil(range.lower / step - 1e-9) * step; t <= range.upper + step * 1e-9;
             t += step)
            out.push_back(std::abs(t) < step * 1e-9 ? 0 : t);
        return out;
    }
};

// One entry of the legend: its title and how its icon is drawn into the icon's box.
struct LegendEntry {
    QString title;
    std::function<void(QPainter&, const QRectF&)> icon;
};

struct ChartContent {
    QString title;
    Axis frames;
    Axis values;
    std::function<void(QPainter&, const QRectF& plot, const Axis& x, const Axis& y)> plot;
    std::vector<LegendEntry> legend;
};

double toPixel(const Axis& a, double v, double from, double to) {
    return from + (v - a.range.lower) / (a.range.upper - a.range.lower) * (to - from);
}

// The legend as a framed grid across width, kLegendColumns entries a row in columns of equal
// width; its height in *height.
void drawLegend(QPainter& p, const std::vector<LegendEntry>& entries, QPointF topLeft, double width,
                double* height, bool paint) {
    const QFont font = chartFont();
    const QFontMetricsF metrics(font);
    const QMarginsF itemMargins(7, 5, 7, 4);
    constexpr double kIconGap = 7;
    const std::size_t columns = std::size_t(std::max(1, kLegendColumns));
    const double rowHeight =
        std::max(kLegendIcon.height(), metrics.height()) + itemMargins.top() + itemMargins.bottom();
    const std::size_t rows = (entries.size() + columns - 1) / columns;
    *height = double(rows) * rowHeight;
    if (!paint || entries.empty())
        return;
    const double columnWidth = width / double(std::min(columns, entries.size()));
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(topLeft, QSizeF(width, *height)));
    p.setFont(font);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const double left = topLeft.x() + double(i % columns) * columnWidth;
        const double top = topLeft.y() + double(i / columns) * rowHeight;
        const QRectF icon(left + itemMargins.left(), top + (rowHeight - kLegendIcon.height()) / 2,
                          kLegendIcon.width(), kLegendIcon.height());
        entries[i].icon(p, icon);
        p.setPen(Qt::black);
        p.drawText(QRectF(icon.right() + kIconGap, top, columnWidth, rowHeight),
                   Qt::AlignLeft | Qt::AlignVCenter, entries[i].title);
    }
}

void drawChart(QPainter& p, const QSizeF& size, const ChartContent& c) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
    const QFont font = chartFont();
    const QFont bold = chartFont(true);
    const QFontMetricsF metrics(font);
    const QFontMetricsF boldMetrics(bold);
    const QRectF inner = QRectF(QPointF(0, 0), size).marginsRemoved(QMarginsF(kOuterMargins));

    // Title on top, legend at the bottom, the chart between them.
    const double titleHeight = boldMetrics.height() + 4;
    p.setFont(bold);
    p.setPen(Qt::black);
    p.drawText(QRectF(inner.left(), inner.top(), inner.width(), titleHeight), Qt::AlignCenter,
               c.title);
    double legendHeight = 0;
    drawLegend(p, c.legend, {}, inner.width(), &legendHeight, false);
    constexpr double kLegendGap = 5;
    const double legendTop = inner.bottom() - legendHeight;

    std::vector<double> valueTicks = c.values.ticks();
    double labelWidth = 0;
    for (double t : valueTicks)
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(formatGeneral(t)));
    QRectF area(QPointF(inner.left() + kPadding + labelWidth + kPadding + 1,
                        inner.top() + titleHeight + kPadding),
                QPointF(inner.right() - kPadding, legendTop - kLegendGap - kPadding -
                                                      metrics.height() - kPadding -
                                                      metrics.height() - kPadding));

    // Grid at the ticks, then the axes with ticks and labels.
    const auto xPixel = [&](double v) { return toPixel(c.frames, v, area.left(), area.right()); };
    const auto yPixel = [&](double v) { return toPixel(c.values, v, area.bottom(), area.top()); };
    const std::vector<double> frameTicks = c.frames.ticks();
    p.setPen(QPen(kGridColour, 1, Qt::DotLine));
    for (double t : frameTicks)
        p.drawLine(QPointF(xPixel(t), area.top()), QPointF(xPixel(t), area.bottom()));
    for (double t : valueTicks)
        p.drawLine(QPointF(area.left(), yPixel(t)), QPointF(area.right(), yPixel(t)));

    p.save();
    p.setClipRect(area);
    c.plot(p, area, c.frames, c.values);
    p.restore();

    p.setPen(QPen(Qt::black, 1));
    p.setFont(font);
    p.drawLine(area.bottomLeft(), area.bottomRight());
    p.drawLine(QPointF(area.left() - 1, area.top()), QPointF(area.left() - 1, area.bottom()));
    auto subTicksOf = [](const Axis& a, const std::vector<double>& ticks) {
        std::vector<double> out;
        if (a.subTickCount == 0)
            return out;
        const double sub = a.step / (a.subTickCount + 1);
        for (double t = (ticks.empty() ? a.range.lower : ticks.front() - a.step);
             t <= a.range.upper; t += a.step)
            for (int k = 1; k <= a.subTickCount; ++k)
                if (t + k * sub >= a.range.lower && t + k * sub <= a.range.upper)
                    out.push_back(t + k * sub);
        return out;
    };
    for (double t : frameTicks) {
        const double x = xPixel(t);
        p.drawLine(QPointF(x, area.bottom()), QPointF(x, area.bottom() - kTickLength));
        p.drawText(QRectF(x - 100, area.bottom() + kPadding, 200, metrics.height()),
                   Qt::AlignHCenter | Qt::AlignTop, formatGeneral(t));
    }
    for (double t : subTicksOf(c.frames, frameTicks))
        p.drawLine(QPointF(xPixel(t), area.bottom()),
                   QPointF(xPixel(t), area.bottom() - kSubTickLength));
    for (double t : valueTicks) {
        const double y = yPixel(t);
        p.drawLine(QPointF(area.left() - 1, y), QPointF(area.left() - 1 + kTickLength, y));
        p.drawText(QRectF(inner.left(), y - metrics.height() / 2,
                          area.left() - 1 - kPadding - inner.left(), metrics.height()),
                   Qt::AlignRight | Qt::AlignVCenter, formatGeneral(t));
    }
    for (double t : subTicksOf(c.values, valueTicks))
        p.drawLine(QPointF(area.left() - 1, yPixel(t)),
                   QPointF(area.left() - 1 + kSubTickLength, yPixel(t)));
    p.drawText(QRectF(area.left(), area.bottom() + kPadding + metrics.height() + kPadding,
                      area.width(), metrics.height()),
               Qt::AlignHCenter | Qt::AlignTop, QString::fromUtf8(kFramesAxisTitle));

    drawLegend(p, c.legend, QPointF(inner.left(), legendTop), inner.width(), &legendHeight, true);
}

report::Document chartPage(ChartContent content) {
    report::Document document;
    document.format.orientation = QPageLayout::Landscape;
    const QSizeF paper = document.format.paperMm();
    const QRectF box(paper.width() * kMarginShare, paper.height() * kMarginShare,
                     paper.width() * (1 - 2 * kMarginShare),
                     paper.height() * (1 - 2 * kMarginShare));
    const QSizeF dots = box.size() / kMmPerInch * kDotsPerInch;
    report::Picture picture{box, dots, [content = std::move(content), dots](QPainter& p) {
                                drawChart(p, dots, content);
                            }};
    document.pages.push_back(report::Page{{picture}});
    return document;
}

Axis frameAxis(const ChartPrint& chart) {
    const double span = chart.framesInView.upper - chart.framesInView.lower;
    const double step = std::max(1.0, tickStep(span));
    return {chart.framesInView, step, step > 1 ? subTicks(step) : 0};
}

// A line through its points, one vertical stroke per column of dots where many points share
// it, so that the page holds no more strokes than it has columns.
void drawLine(QPainter& p, const LinePoints& points, const QPen& pen, const QRectF& area,
              const Axis& x, const Axis& y) {
    QPolygonF line;
    double column = -1e9;
    double low = 0;
    double high = 0;
    double last = 0;
    auto flush = [&] {
        if (column < -1e8)
            return;
        line << QPointF(column, low) << QPointF(column, high) << QPointF(column, last);
    };
    for (qsizetype i = 0; i < points.frames.size(); ++i) {
        const double fx = points.frames[i];
        if (fx < x.range.lower - 1 || fx > x.range.upper + 1 || std::isnan(points.values[i]))
            continue;
        const double px = std::trunc(toPixel(x, fx, area.left(), area.right()));
        const double py = toPixel(y, points.values[i], area.bottom(), area.top());
        if (px != column) {
            flush();
            line << QPointF(px, py);
            column = px;
            low = high = py;
        }
        low = std::min(low, py);
        high = std::max(high, py);
        last = py;
    }
    flush();
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(line);
}

void drawMarks(QPainter& p, const std::vector<RelayMark>& marks, int level, const QRectF& area,
               const Axis& x, const Axis& y) {
    const double top = std::trunc(toPixel(y, level, area.bottom(), area.top())) - kMarkHeight / 2;
    // Each column once per colour, red last so that a limit that acted stays in sight.
    QVector<QRectF> bars[2];
    double lastX[2] = {-1e9, -1e9};
    for (const RelayMark& m : marks) {
        if (m.frame < x.range.lower - 1 || m.frame > x.range.upper + 1)
            continue;
        const double px = std::trunc(toPixel(x, m.frame, area.left(), area.right()));
        if (px == lastX[m.acted])
            continue;
        lastX[m.acted] = px;
        bars[m.acted].append(QRectF(px, top, 1, kMarkHeight));
    }
    p.setPen(Qt::NoPen);
    for (const bool acted : {false, true}) {
        p.setBrush(standardColour(acted ? PaletteColour::Red : PaletteColour::Green));
        p.drawRects(bars[acted]);
    }
}

} // namespace

ChartPrint chartAfterOpening(const QString& title, const FrameArray& frames) {
    ChartPrint chart{title, &frames};
    chart.shown = linesShownAfterClearing();
    chart.valuesInView = parameterValueRange(&frames, chart.shown);
    return chart;
}

report::Document parameterChartReport(const ChartPrint& chart) {
    ChartContent c;
    c.title = chart.title;
    c.frames = frameAxis(chart);
    const double span = chart.valuesInView.upper - chart.valuesInView.lower;
    c.values = Axis{chart.valuesInView, tickStep(span), subTicks(tickStep(span))};
    for (std::size_t i = 0; i < kParameterSeries.size(); ++i) {
        if (!chart.shown[i])
            continue;
        const ParameterSeries& s = kParameterSeries[i];
        const QPen pen(standardColour(s.colour), s.penWidth);
        c.legend.push_back({QString::fromUtf8(s.title), [pen](QPainter& p, const QRectF& r) {
                                p.setPen(pen);
                                p.drawLine(QPointF(r.left(), r.center().y()),
                                           QPointF(r.right(), r.center().y()));
                            }});
    }
    std::vector<std::pair<LinePoints, QPen>> lines;
    for (std::size_t i = 0; chart.frames && i < kParameterSeries.size(); ++i) {
        const ParameterSeries& s = kParameterSeries[i];
        if (chart.shown[i])
            lines.emplace_back(parameterPoints(*chart.frames, s),
                               QPen(standardColour(s.colour), s.penWidth));
    }
    c.plot = [lines = std::move(lines)](QPainter& p, const QRectF& area, const Axis& x,
                                        const Axis& y) {
        for (const auto& [points, pen] : lines)
            drawLine(p, points, pen, area, x, y);
    };
    return chartPage(std::move(c));
}

report::Document relayChartReport(const ChartPrint& chart) {
    ChartContent c;
    c.title = chart.title;
    c.frames = frameAxis(chart);
    c.values = Axis{{kRelayAxisMinimum, kRelayAxisMaximum}, 1, 0};
    for (const RelaySeries& s : kRelaySeries)
        c.legend.push_back({QString::fromUtf8(s.title), [](QPainter& p, const QRectF& r) {
                                p.setPen(Qt::NoPen);
                                const double top = r.center().y() - r.height() / 2;
                                p.setBrush(standardColour(PaletteColour::Green));
                                p.drawRect(QRectF(r.center().x() - 4, top, 2, r.height()));
                                p.setBrush(standardColour(PaletteColour::Red));
                                p.drawRect(QRectF(r.center().x() + 2, top, 2, r.height()));
                            }});
    std::vector<std::pair<std::vector<RelayMark>, int>> rows;
    for (std::size_t i = 0; chart.frames && i < kRelaySeries.size(); ++i)
        rows.emplace_back(relayMarks(*chart.frames, kRelaySeries[i]), kRelaySeries[i].level);
    c.plot = [rows = std::move(rows)](QPainter& p, const QRectF& area, const Axis& x,
                                      const Axis& y) {
        for (const auto& [marks, level] : rows)
            drawMarks(p, marks, level, area, x, y);
    };
    return chartPage(std::move(c));
}

} // namespace zurval
