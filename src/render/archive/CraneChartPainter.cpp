#include "render/archive/CraneChartPainter.h"

#include "core/archive/ArchiveTexts.h"
#include "core/common/NumberFormat.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace zurval {
namespace {

// In the drawing's units, a tenth of a millimetre on paper.
constexpr double kLeft = 140;
constexpr double kBottom = 125;
constexpr double kTop = 40;
constexpr double kRight = 90;
constexpr int kTextSize = 26;
constexpr double kPointRadius = 11;
constexpr int kDateTicks = 6;
constexpr int kNumberTicks = 5;
constexpr double kRoomAbove = 1.15;

const QColor kPointColour(255, 160, 0);
const QColor kEarlierColour(220, 220, 220);
const QColor kLineColour(0, 0, 192);
const QColor kNormativeColour(192, 0, 0);
const QColor kForecastColour(0, 128, 0);

QFont chartFont() {
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(kTextSize);
    return f;
}

// A round step of about span / ticks: 1, 2 or 5 times a power of ten.
double niceStep(double span, int ticks) {
    const double raw = span / ticks;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 5.0})
        if (raw <= m * power)
            return m * power;
    return 10 * power;
}

} // namespace

void paintCraneChart(QPainter& p, const QSizeF& size, const CraneChartModel& chart,
                     const CraneChartLabels& labels) {
    const QRectF area(kLeft, kTop, size.width() - kLeft - kRight, size.height() - kTop - kBottom);
    const double days = std::max<qint64>(chart.viewFirst.daysTo(chart.viewLast), 1);
    const double top = chart.highest * kRoomAbove;
    auto x = [&](const QDate& d) {
        return area.left() + chart.viewFirst.daysTo(d) / days * area.width();
    };
    auto y = [&](double n) { return area.bottom() - n / top * area.height(); };
    const QFont font = chartFont();
    p.setFont(font);
    const QFontMetricsF metrics(font, p.device());
    const double lineHeight = kTextSize * 1.2;

    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(area);

    // The number axis: round steps from 0.
    const double step = niceStep(top, kNumberTicks);
    for (double n = 0; n <= top + 1e-9; n += step) {
        p.setPen(QPen(QColor(225, 225, 225), 1));
        p.drawLine(QPointF(area.left(), y(n)), QPointF(area.right(), y(n)));
        p.setPen(Qt::black);
        p.drawText(QRectF(0, y(n) - lineHeight / 2, kLeft - 12, lineHeight),
                   Qt::AlignRight | Qt::AlignVCenter, formatGeneral(n));
    }
    // The date axis: evenly spread days.
    for (int k = 0; k <= kDateTicks; ++k) {
        const QDate d = chart.viewFirst.addDays(static_cast<qint64>(days * k / kDateTicks));
        const double at = x(d);
        p.setPen(QPen(QColor(225, 225, 225), 1));
        p.drawLine(QPointF(at, area.top()), QPointF(at, area.bottom()));
        p.setPen(Qt::black);
        p.drawText(QRectF(at - 120, area.bottom() + 6, 240, lineHeight), Qt::AlignHCenter,
                   d.toString(QStringLiteral("dd.MM.yyyy")));
    }
    const CraneChartTexts& texts = craneChartTexts();
    p.drawText(QRectF(area.left(), area.bottom() + 8 + lineHeight, area.width(), lineHeight),
               Qt::AlignHCenter, texts.dateAxis);
    p.save();
    p.translate(20, area.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-area.height() / 2, -lineHeight / 2, area.height(), lineHeight),
               Qt::AlignCenter, texts.numberAxis);
    p.restore();

    p.save();
    p.setClipRect(area);
    if (chart.normative > 0) {
        p.setPen(QPen(kNormativeColour, 4, Qt::DashLine));
        p.drawLine(QPointF(area.left(), y(chart.normative)),
                   QPointF(area.right(), y(chart.normative)));
        p.drawText(QPointF(area.left() + 10, y(chart.normative) - 8), labels.normative);
    }
    if (chart.hasLine) {
        p.setPen(QPen(kLineColour, 4));
        p.drawLine(QPointF(x(chart.lineFrom), y(chart.numberFrom)),
                   QPointF(x(chart.lineTo), y(chart.numberTo)));
    }
    for (const CraneChartPoint& point : chart.points) {
        p.setPen(QPen(point.beforeReset ? Qt::gray : Qt::black, 2));
        p.setBrush(point.beforeReset ? kEarlierColour : kPointColour);
        p.drawEllipse(QPointF(x(point.date), y(point.number)), kPointRadius, kPointRadius);
    }
    p.restore();

    if (chart.forecastDate.isValid()) {
        p.setPen(QPen(kForecastColour, 4, Qt::DashDotLine));
        p.setBrush(Qt::NoBrush);
        const double textWidth = metrics.horizontalAdvance(labels.forecastMark) + 10;
        if (chart.forecastBeyondView()) {
            // An arrow along the top edge pointing past the axis, the date before it.
            const double at = area.top() + lineHeight;
            p.setPen(QPen(kForecastColour, 4));
            p.drawLine(QPointF(area.right() - 160, at), QPointF(area.right() - 4, at));
            QPainterPath head;
            head.moveTo(area.right() - 2, at);
            head.lineTo(area.right() - 30, at - 14);
            head.lineTo(area.right() - 30, at + 14);
            head.closeSubpath();
            p.fillPath(head, kForecastColour);
            p.drawText(
                QRectF(area.right() - 170 - textWidth, at - lineHeight / 2, textWidth, lineHeight),
                Qt::AlignRight | Qt::AlignVCenter, labels.forecastMark);
        } else {
            const double at = x(chart.forecastDate);
            p.drawLine(QPointF(at, area.top()), QPointF(at, area.bottom()));
            p.setPen(kForecastColour);
            p.drawText(QRectF(at - textWidth - 6, area.top() + 6, textWidth, lineHeight),
                       Qt::AlignRight | Qt::AlignVCenter, labels.forecastMark);
        }
    }

    // The legend in a row under the date axis, where it hides no point.
    struct Entry {
        QString text;
        QColor colour;
        bool point;
    };
    std::vector<Entry> entries{{texts.points, kPointColour, true}};
    for (const CraneChartPoint& point : chart.points)
        if (point.beforeReset) {
            entries.push_back({texts.earlier, kEarlierColour, true});
            break;
        }
    if (chart.hasLine)
        entries.push_back({texts.line, kLineColour, false});
    double width = 0;
    for (const Entry& e : entries)
        width += 70 + metrics.horizontalAdvance(e.text) + 40;
    double left = area.center().x() - width / 2;
    const double at = size.height() - lineHeight / 2 - 2;
    for (const Entry& e : entries) {
        if (e.point) {
            p.setPen(QPen(Qt::black, 2));
            p.setBrush(e.colour);
            p.drawEllipse(QPointF(left + 30, at), kPointRadius, kPointRadius);
        } else {
            p.setPen(QPen(e.colour, 4));
            p.drawLine(QPointF(left + 10, at), QPointF(left + 50, at));
        }
        p.setPen(Qt::black);
        const double textWidth = metrics.horizontalAdvance(e.text) + 10;
        p.drawText(QRectF(left + 64, at - lineHeight / 2, textWidth, lineHeight),
                   Qt::AlignLeft | Qt::AlignVCenter, e.text);
        left += 70 + textWidth + 30;
    }
}

} // namespace zurval
