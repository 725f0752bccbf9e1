#include "render/protection/ProtectionPicture.h"

#include "core/common/NumberFormat.h"
#include "core/frames/RecordTexts.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>
#include <algorithm>
#include <cmath>
#include <functional>

namespace zurval {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Far outside any picture, yet small enough for the painter's fixed-point arithmetic and for
// a dashed reach circle to stay quick.
constexpr double kPixelLimit = 1 << 17;

int clampedScale(double v) {
    if (!(v >= kMinScale)) // also NaN
        return kMinScale;
    if (v >= kMaxScale)
        return kMaxScale;
    return static_cast<int>(v);
}

// With antialiasing, a shape is laid through the pixel centres: a one-pixel line on row y
// then covers row y alone, as it does without antialiasing.
QPointF onPixels(const QPainter& p, QPoint point) {
    const double shift = p.testRenderHint(QPainter::Antialiasing) ? 0.5 : 0.0;
    return {point.x() + shift, point.y() + shift};
}

std::vector<QPointF> onPixels(const QPainter& p, const std::vector<QPoint>& points) {
    std::vector<QPointF> out;
    out.reserve(points.size());
    for (const QPoint& point : points)
        out.push_back(onPixels(p, point));
    return out;
}

// The pixels a box or round covers: from the smaller corner up to the larger one, exclusive.
QRect coveredPixels(QPoint corner, QPoint opposite) {
    const int left = std::min(corner.x(), opposite.x());
    const int top = std::min(corner.y(), opposite.y());
    return {left, top, std::abs(corner.x() - opposite.x()), std::abs(corner.y() - opposite.y())};
}

// The outline of a shape covering those pixels, for the painter's current hints.
QRectF outlineOf(const QPainter& p, const QRect& pixels) {
    return {onPixels(p, pixels.topLeft()), QSizeF(pixels.width() - 1, pixels.height() - 1)};
}

double degreesTo(QPointF centre, QPoint point) {
    return std::atan2(centre.y() - point.y(), point.x() - centre.x()) * 180 / kPi;
}

// Qt's hatch patterns repeat every 8 device pixels. On the page that is 8 pixels of the
// picture; on paper, where the painter scales the picture to the printer's dots, the pattern
// shrinks to a fraction of a millimetre and prints as grey. A scaling painter gets the hatch
// as lines in the picture's own units instead: 4 pixels apart (about 1 mm on the printed
// scheme) and half a pixel wide (a few dots of any printer).
constexpr double kPaperHatchSpacing = 4;
constexpr double kPaperHatchWidth = 0.5;

void drawHatchLines(QPainter& p, const QRectF& box, Qt::BrushStyle pattern) {
    const double s = kPaperHatchSpacing;
    const double h = box.height();
    auto from = [&](double v) { return std::floor(v / s) * s; };
    if (pattern == Qt::VerPattern) {
        for (double x = from(box.left()); x <= box.right(); x += s)
            p.drawLine(QPointF(x, box.top()), QPointF(x, box.bottom()));
        return;
    }
    // Rising lines x + y = c, and for the cross also falling ones x - y = c.
    for (double c = from(box.left() + box.top()); c <= box.right() + box.bottom(); c += s)
        p.drawLine(QPointF(c - box.top(), box.top()), QPointF(c - box.top() - h, box.bottom()));
    if (pattern == Qt::DiagCrossPattern)
        for (double c = from(box.left() - box.bottom()); c <= box.right() - box.top(); c += s)
            p.drawLine(QPointF(c + box.top(), box.top()), QPointF(c + box.top() + h, box.bottom()));
}

// Draws a shape in the painter's pen, filled white, so that it covers what lies under it,
// and hatched in colour. drawShape draws it with the painter's pen and brush; area is its
// outline for the hatch lines on paper.
void drawHatched(QPainter& p, Qt::BrushStyle pattern, const QColor& colour,
                 const QPainterPath& area, const std::function<void()>& drawShape) {
    p.save();
    if (!p.worldTransform().isScaling()) {
        p.setBackgroundMode(Qt::OpaqueMode);
        p.setBackground(colours::White);
        p.setBrush(QBrush(colour, pattern));
        drawShape();
        p.restore();
        return;
    }
    p.setBrush(colours::White);
    drawShape();
    p.save();
    p.setClipPath(area, Qt::IntersectClip);
    p.setPen(QPen(colour, kPaperHatchWidth, Qt::SolidLine, Qt::FlatCap));
    drawHatchLines(p, area.boundingRect(), pattern);
    p.restore();
    if (p.pen().style() != Qt::NoPen) { // the outline over the ends of the lines
        p.setBrush(Qt::NoBrush);
        drawShape();
    }
    p.restore();
}

// What drawBox fills in the painter's current pen: with an outline, the inside of it.
QPainterPath boxArea(const QPainter& p, QPoint corner, QPoint opposite) {
    const QRect pixels = coveredPixels(corner, opposite);
    QPainterPath area;
    area.addRect(p.pen().style() == Qt::NoPen ? QRectF(pixels) : outlineOf(p, pixels));
    return area;
}

void drawText(QPainter& p, int x, int y, const QString& text) {
    // The given point is the top left of the text, not its baseline.
    p.drawText(QPoint(x, y + p.fontMetrics().ascent()), text);
}

} // namespace

ProtectionScales fitScales(ProtectionScales previous, const CraneDimensions& crane, QSize area) {
    if (crane.Rmax == 0 || crane.Smax == 0 || crane.Hmax1 == 0)
        return previous;
    const int w = area.width();
    const int h = area.height();
    const double Rmax = crane.Rmax;
    const double vertical = (h / 2 - 45) / Rmax;
    const double horizontal = (w - 140) / (2 * Rmax + crane.Smax);
    const double plan = vertical >= horizontal ? horizontal : vertical;
    return {clampedScale(plan), clampedScale((h - 80) / static_cast<double>(crane.Hmax1))};
}

bool boomLimitActed(const CycleFrame& frame) {
    const std::uint16_t t = frame.limitsTriggered;
    return bitSet(t, limitbit::kSlewLeft) || bitSet(t, limitbit::kSlewRight) ||
           bitSet(t, limitbit::kBoomZone);
}

bool hookLimitActed(const CycleFrame& frame) {
    const std::uint16_t t = frame.limitsTriggered;
    return anyBitSet(t, limitbit::kReach, limitbit::kFloor) ||
           anyBitSet(t, zoneLimitBit(kHook), zoneLimitBit(kArea1));
}

int toPixel(double v) {
    if (std::isnan(v))
        return 0;
    return static_cast<int>(std::clamp(v, -kPixelLimit, kPixelLimit));
}

PlanMapping planMapping(double k, const CraneDimensions& crane, QSize area) {
    return {k, toPixel(k * crane.Rmax + 10), area.height() / 2 - 10};
}

QPen flatPen(const QColor& colour, int width, Qt::PenStyle style) {
    QPen pen(colour, width, style, Qt::FlatCap, Qt::MiterJoin);
    if (style == Qt::DashLine)
        pen.setDashPattern({6, 3});
    return pen;
}

void drawSegment(QPainter& p, QPoint from, QPoint to) {
    p.drawLine(onPixels(p, from), onPixels(p, to));
}

void drawPolyline(QPainter& p, const std::vector<QPoint>& points) {
    const std::vector<QPointF> shifted = onPixels(p, points);
    p.drawPolyline(shifted.data(), static_cast<int>(shifted.size()));
}

void drawPolygon(QPainter& p, const std::vector<QPoint>& points) {
    const std::vector<QPointF> shifted = onPixels(p, points);
    p.drawPolygon(shifted.data(), static_cast<int>(shifted.size()));
}

void drawBox(QPainter& p, QPoint corner, QPoint opposite) {
    const QRect pixels = coveredPixels(corner, opposite);
    if (pixels.isEmpty())
        return;
    if (p.pen().style() == Qt::NoPen)
        p.drawRect(QRectF(pixels)); // a fill alone covers exactly the box
    else
        p.drawRect(outlineOf(p, pixels));
}

void drawRound(QPainter& p, QPoint corner, QPoint opposite) {
    const QRect pixels = coveredPixels(corner, opposite);
    if (!pixels.isEmpty())
        p.drawEllipse(outlineOf(p, pixels));
}

void drawArcCounterClockwise(QPainter& p, QPoint corner, QPoint opposite, QPoint from, QPoint to) {
    const QRect pixels = coveredPixels(corner, opposite);
    if (pixels.isEmpty())
        return;
    const QRectF outline = outlineOf(p, pixels);
    const QPointF centre((corner.x() + opposite.x()) / 2.0, (corner.y() + opposite.y()) / 2.0);
    const double start = degreesTo(centre, from);
    double span = degreesTo(centre, to) - start;
    if (span <= 0)
        span += 360;
    QPainterPath arc;
    arc.arcMoveTo(outline, start);
    arc.arcTo(outline, start, span);
    p.strokePath(arc, p.pen());
}

void drawReachOutline(QPainter& p, const PlanMapping& plan, const CraneDimensions& crane) {
    p.save();
    const double r = plan.k * crane.Rmax;
    const double xs = plan.column(crane.Smax);
    const int top = toPixel(plan.yc - r);
    const int bottom = toPixel(plan.yc + r);
    p.setRenderHint(QPainter::Antialiasing, true);
    drawArcCounterClockwise(p, {10, top}, {toPixel(r + plan.x0), bottom}, {plan.x0, top},
                            {plan.x0, bottom});
    drawArcCounterClockwise(p, {toPixel(xs + r), top}, {toPixel(xs - r), bottom},
                            {toPixel(xs), bottom}, {toPixel(xs), top});
    p.setRenderHint(QPainter::Antialiasing, false);
    drawSegment(p, {plan.x0, top}, {toPixel(xs), top});
    drawSegment(p, {plan.x0, bottom}, {toPixel(xs), bottom});
    p.restore();
}

std::vector<QPoint> zoneOutline(const ProtectionZone& zone, const PlanMapping& plan) {
    const int n = std::clamp(zone.count, 0, kMaxZonePoints);
    std::vector<QPoint> points;
    points.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        points.push_back(plan.site(zone.x[i], zone.y[i]));
    return points;
}

std::vector<QPoint> areaCellOutline(const ProtectionZone& zone, const PlanMapping& plan) {
    const int m = std::clamp(zone.count, 0, kMaxZonePoints) / 2;
    std::vector<QPoint> points;
    if (m == 0)
        return points;
    points.reserve(static_cast<std::size_t>(4 * m + 1));
    for (int j = 0; j < m; ++j) {
        const double x1 = zone.x[j], y1 = zone.y[j];
        const double x2 = zone.x[j + 1], y2 = zone.y[j + 1];
        points.push_back(plan.site(x1, y1));
        points.push_back(plan.site(x2, y1));
        points.push_back(plan.site(x2, y2));
        points.push_back(plan.site(x1, y2));
    }
    points.push_back(plan.site(zone.x[m - 1], zone.y[m - 1]));
    return points;
}

void drawHeightMark(QPainter& p, const SideView& side, double heightMetres) {
    const int y = toPixel(side.row(heightMetres));
    drawSegment(p, {side.right - 80 * side.unit, y}, {side.right, y});
}

void drawZones(QPainter& p, const PlanMapping& plan, const SideView& side, const CycleFrame& frame,
               const ProtectionZones& zones, const ProtectionLimits& limits, int actedWidth) {
    p.save();
    p.setBrush(Qt::NoBrush);
    for (int z = 0; z < kZoneCount; ++z) {
        const ProtectionZone& zone = zones[z];
        if (zone.count <= 0 || !bitSet(frame.limitsEntered, zoneLimitBit(z)))
            continue;
        const bool acted = bitSet(frame.limitsTriggered, zoneLimitBit(z));
        p.setPen(acted ? flatPen(colours::Red, actedWidth) : flatPen(kZoneColours[z]));
        if (z == kArea0 || z == kArea1) {
            // The cells are axis-parallel: drawn crisp without antialiasing.
            p.setRenderHint(QPainter::Antialiasing, false);
            drawHeightMark(p, side, z == kArea0 ? limits.Har0 : limits.Har1);
            drawPolyline(p, areaCellOutline(zone, plan));
        } else {
            p.setRenderHint(QPainter::Antialiasing, true);
            drawPolyline(p, zoneOutline(zone, plan));
        }
    }
    p.restore();
}

void drawRunway(QPainter& p, const PlanMapping& plan, const CraneDimensions& crane, int lineWidth,
                const QPen& bandPen) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    const int x0 = plan.x0;
    const int yc = plan.yc;
    const double xs = plan.column(crane.Smax);
    const int xe = toPixel(xs + 15);
    const int beyondEnd = toPixel(xs + 25);
    p.setPen(bandPen);
    for (const auto& [from, to] : {std::pair{QPoint(x0 - 15, yc - 20), QPoint(xe, yc - 10)},
                                   std::pair{QPoint(x0 - 15, yc + 10), QPoint(xe, yc + 20)}})
        drawHatched(p, Qt::VerPattern, colours::Black, boxArea(p, from, to),
                    [&, from = from, to = to] { drawBox(p, from, to); });
    p.setPen(flatPen(colours::Black, lineWidth));
    for (const int rail : {yc - 15, yc + 15})
        drawSegment(p, {x0 - 15, rail}, {xe, rail});
    p.setPen(flatPen(colours::Red, lineWidth));
    drawSegment(p, {x0 - 15, yc - 20}, {x0 - 15, yc + 20});
    drawSegment(p, {xe, yc - 20}, {xe, yc + 20});
    for (const int rail : {yc - 15, yc + 15}) {
        drawSegment(p, {x0 - 25, rail}, {x0 - 15, rail});
        drawSegment(p, {beyondEnd, rail}, {xe, rail});
    }
    p.restore();
}

CranePlan cranePlan(const PlanMapping& plan, const CraneDimensions& crane,
                    const CycleFrame& frame) {
    CranePlan c;
    c.centre = {plan.column(frame.travel), static_cast<double>(plan.yc)};
    c.azimuth = frame.azimuth;
    c.boomLength = plan.k * crane.Rmax;
    c.trolleyFrom = plan.k * (frame.radius - 1.0);
    c.trolleyTo = plan.k * (frame.radius + 1.0);
    c.boomActed = boomLimitActed(frame);
    c.trolleyActed = hookLimitActed(frame);
    return c;
}

void drawCraneBody(QPainter& p, const CranePlan& crane) {
    p.save();
    const double cx = crane.centre.x();
    const int yc = toPixel(crane.centre.y());
    p.setPen(flatPen(colours::Black));
    p.setBrush(colours::Silver);
    p.setRenderHint(QPainter::Antialiasing, false);
    drawBox(p, {toPixel(cx - 15), yc - 15}, {toPixel(cx + 15), yc + 15});
    p.setBrush(colours::Black);
    p.setRenderHint(QPainter::Antialiasing, true);
    drawRound(p, {toPixel(cx - 7), yc - 7}, {toPixel(cx + 7), yc + 7});
    p.restore();
}

void drawSlewingPart(QPainter& p, const CranePlan& crane) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const double e = crane.azimuth * kPi / 180;
    const double c = std::cos(e);
    const double s = std::sin(e);
    // L pixels along the boom from the centre and `across` times u = (4 sin E, 4 cos E) to
    // its right (negative: to its left, looking along the boom).
    auto at = [&](double along, double across) {
        return QPoint(toPixel(crane.centre.x() + along * c + across * 4 * s),
                      toPixel(crane.centre.y() - along * s + across * 4 * c));
    };
    const double tip = crane.boomLength;
    const QColor boom = crane.boomActed ? colours::Red : colours::Black;
    p.setPen(flatPen(boom));
    const std::vector<QPoint> boomOutline = {at(0, -1), at(tip, -1), at(tip, 1),
                                             at(0, 1),  at(-50, 1),  at(-50, -1)};
    QPainterPath boomArea;
    boomArea.addPolygon(QPolygonF(QPolygon(QList<QPoint>(boomOutline.begin(), boomOutline.end()))));
    drawHatched(p, Qt::DiagCrossPattern, boom, boomArea, [&] { drawPolygon(p, boomOutline); });
    p.setBrush(colours::Black);
    drawPolygon(p, {at(-50, -3), at(-50, 3), at(-38, 3), at(-38, -3)});
    p.setPen(flatPen(colours::Black));
    p.setBrush(colours::White);
    drawPolygon(p, {at(-4, -1), at(-4, -3), at(8, -3), at(8, -1)});
    const QColor trolley = crane.trolleyActed ? colours::Red : colours::Black;
    p.setPen(flatPen(trolley));
    p.setBrush(trolley);
    drawPolygon(p, {at(crane.trolleyFrom, -1), at(crane.trolleyTo, -1), at(crane.trolleyTo, 1),
                    at(crane.trolleyFrom, 1)});
    p.restore();
}

void drawSideView(QPainter& p, const SideView& side, const CycleFrame& frame,
                  const QColor& colour) {
    p.save();
    const int u = side.unit;
    const double yd = side.heightScale * (side.Hmax1 - static_cast<double>(frame.hookHeight));
    // Columns left of the right edge and rows below the hook block's top at Hmax1, in units.
    auto x = [&](int units) { return side.right - units * u; };
    auto y = [&](int units) { return toPixel(yd + units * u); };
    auto aa = [&](bool on) { p.setRenderHint(QPainter::Antialiasing, on); };
    // The ground first: a load lowered onto it lies over the hatch.
    aa(false);
    const double groundLevel = side.heightScale * side.Hmax1;
    const int ground = toPixel(groundLevel + 65 * u);
    const QPoint groundFrom(x(80), ground);
    const QPoint groundTo(side.right, toPixel(groundLevel + 70 * u));
    p.setPen(Qt::NoPen);
    drawHatched(p, Qt::BDiagPattern, colours::Black, boxArea(p, groundFrom, groundTo),
                [&] { drawBox(p, groundFrom, groundTo); });
    p.setPen(flatPen(colours::Black));
    drawSegment(p, {side.right, ground}, {x(80), ground});
    p.setPen(flatPen(colour));
    p.setBrush(colours::White);
    aa(true);
    drawRound(p, {x(55), 20 * u}, {x(45), 30 * u});
    drawRound(p, {x(35), 20 * u}, {x(25), 30 * u});
    aa(false);
    drawSegment(p, {x(50), 20 * u}, {x(30), 20 * u});
    aa(true);
    drawRound(p, {x(55), y(30)}, {x(45), y(40)});
    drawRound(p, {x(35), y(30)}, {x(25), y(40)});
    aa(false);
    drawSegment(p, {x(50), y(30)}, {x(30), y(30)});
    drawSegment(p, {x(55), 25 * u}, {x(55), y(35)});
    drawSegment(p, {x(25), 25 * u}, {x(25), y(35)});
    aa(true);
    p.setBrush(colours::Gray);
    drawPolygon(p, {{x(30), y(40)}, {x(40), y(50)}, {x(50), y(40)}});
    if (frame.loadMoment >= 5) {
        drawPolyline(p, {{x(60), y(65)}, {x(40), y(50)}, {x(20), y(65)}});
        aa(false);
        p.setBrush(colours::Black);
        drawBox(p, {x(60), y(65)}, {x(20), y(side.loadBottom)});
        aa(true);
    }
    p.setPen(flatPen(colours::Black));
    drawPolyline(p, {{side.right, 10 * u},
                     {x(60), 10 * u},
                     {x(80), 30 * u},
                     {side.right, 30 * u},
                     {x(20), 10 * u},
                     {x(40), 30 * u},
                     {x(60), 10 * u}});
    p.restore();
}

void paintProtectionFrame(QPainter& p, QSize area, const CycleFrame& frame,
                          const CraneDimensions& crane, const ProtectionZones& zones,
                          const ProtectionLimits& limits, ProtectionScales scales) {
    p.save();
    p.fillRect(QRect(QPoint(0, 0), area), colours::White);
    const PlanMapping plan = planMapping(scales.plan, crane, area);
    const SideView side{area.width(), 1, static_cast<double>(scales.height), crane.Hmax1};

    p.setPen(flatPen(colours::Gray, 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    drawReachOutline(p, plan, crane);
    drawZones(p, plan, side, frame, zones, limits, 3);
    drawRunway(p, plan, crane, 2, Qt::NoPen);
    const CranePlan cranePose = cranePlan(plan, crane, frame);
    drawCraneBody(p, cranePose);
    drawSlewingPart(p, cranePose);
    drawSideView(p, side, frame, cranePose.trolleyActed ? colours::Red : colours::Black);

    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setBackgroundMode(Qt::TransparentMode);
    p.setPen(colours::Navy);
    const QString lines[] = {
        frameTimeText(frame),
        QStringLiteral("№%1").arg(frame.number),
        QStringLiteral("S = %1 м").arg(formatPattern(frame.travel, "#0.00")),
        QStringLiteral("R = %1 м").arg(formatPattern(frame.radius, "#0.00")),
        QStringLiteral("GA= %1 град").arg(formatPattern(frame.azimuth, "#0.0")),
        QStringLiteral("H = %1 м").arg(formatPattern(frame.hookHeight, "#0.00")),
        QStringLiteral("Q = %1 т").arg(formatPattern(frame.loadMass, "#0.00")),
        QStringLiteral("M = %1%").arg(frame.loadMoment),
    };
    int y = 22;
    for (const QString& line : lines) {
        drawText(p, 14, y, line);
        y += 16;
    }
    const QString scale = QStringLiteral("Масштаб КЗ 1м/%1pix");
    drawText(p, 10, area.height() - 18, scale.arg(scales.plan));
    drawText(p, area.width() - 124, area.height() - 18, scale.arg(scales.height));
    p.restore();
}

QImage renderProtectionFrame(QSize area, const CycleFrame& frame, const CraneDimensions& crane,
                             const ProtectionZones& zones, const ProtectionLimits& limits,
                             ProtectionScales scales) {
    if (area.isEmpty())
        return {};
    QImage image(area, QImage::Format_RGB32);
    QPainter p(&image);
    paintProtectionFrame(p, area, frame, crane, zones, limits, scales);
    return image;
}

bool writePng(const QImage& picture, const QString& path, QString* error) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && picture.save(&file, "PNG") && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

} // namespace zurval
