#pragma once

#include "core/frames/CycleFrame.h"
#include "core/protection/CraneParameters.h"
#include "core/protection/ProtectionSettings.h"
#include "render/colours/StandardColours.h"

#include <QColor>
#include <QPen>
#include <QPoint>
#include <QSize>
#include <array>
#include <vector>

class QImage;
class QPainter;

namespace zurval {

// The picture of one frame: the crane on its site seen from above, its hook from the side.
// Everything here paints on a QPainter it is handed, so the same code draws the page, an
// image for tests and files, and the printed work-area scheme.

using ProtectionZones = std::array<ProtectionZone, kZoneCount>;

// Pixels per metre of the plan (k) and of the side view (kh), each 1 to 10.
struct ProtectionScales {
    int plan = 4;
    int height = 3;
    bool operator==(const ProtectionScales& o) const {
        return plan == o.plan && height == o.height;
    }
};
constexpr int kMinScale = 1;
constexpr int kMaxScale = 10;

// The scales that fit the crane's reach and runway into the plan and its hook travel into
// the side view of an area of that size; the previous ones when a dimension is zero.
[[nodiscard]] ProtectionScales fitScales(ProtectionScales previous, const CraneDimensions& crane,
                                         QSize area);

// Bits of limitsEntered and limitsTriggered (position p of the bit text is bit 16 - p).
namespace limitbit {
constexpr int kSlewLeft = 0;
constexpr int kSlewRight = 1;
constexpr int kReach = 2;
constexpr int kCeiling = 3;
constexpr int kFloor = 4;
constexpr int kBoomZone = 5; // then hook, area0, area1 in zone order
} // namespace limitbit
[[nodiscard]] constexpr int zoneLimitBit(int zone) {
    return limitbit::kBoomZone + zone;
}
// The boom is drawn red when a slewing limit or the boom zone acted.
[[nodiscard]] bool boomLimitActed(const CycleFrame& frame);
// The trolley and the side view are drawn red when the reach, height or a hook or area
// zone limit acted.
[[nodiscard]] bool hookLimitActed(const CycleFrame& frame);

// Zone colours, in zone order; everything else is drawn in the standard colours.
inline const std::array<QColor, kZoneCount> kZoneColours = {colours::Green, colours::Blue,
                                                            colours::Maroon, colours::Purple};

// A coordinate computed in floating point becomes a pixel by truncation toward zero. NaN
// and values far outside any picture (from a damaged parameter set) are held to a range
// the painter copes with.
[[nodiscard]] int toPixel(double v);

// Where the plan lies: k pixels per metre, travel 0 at column x0, the rail axis at row yc.
struct PlanMapping {
    double k = 1;
    int x0 = 0;
    int yc = 0;
    // A site point in metres (X along the rails, Y across them towards azimuth 90).
    [[nodiscard]] QPoint site(double x, double y) const {
        return {toPixel(x0 + k * x), toPixel(yc - k * y)};
    }
    // The column of a travel in metres, before truncation.
    [[nodiscard]] double column(double travel) const { return x0 + k * travel; }
};
// x0 = trunc(k · Rmax + 10) leaves the left half circle of the reach 10 pixels from the
// edge; the rail axis lies 10 pixels above the middle of the area.
[[nodiscard]] PlanMapping planMapping(double k, const CraneDimensions& crane, QSize area);

// The side view of the hook along the right edge of the area. One unit is one pixel in the
// view (80 pixels wide) and two in the printed scheme.
struct SideView {
    int right = 0; // the column of the right edge
    int unit = 1;
    double heightScale = 1; // pixels per metre
    double Hmax1 = 0;       // metres, the highest hook position, drawn just under the jib
    int loadBottom = 75;    // units below the hook block's row at Hmax1 (the load box's base)
    // The row of a height in metres.
    [[nodiscard]] double row(double heightMetres) const {
        return heightScale * Hmax1 - heightMetres * heightScale + 30 * unit;
    }
};

// Primitives, with the picture's own conventions: a segment covers its start pixel and stops
// one short of its end (the pens have flat caps); a box or a round covers the pixels from
// one corner up to, not including, the row and column of the opposite corner, outlined with
// the pen and filled with the brush. With antialiasing on, shapes are centred on the pixels
// so that their straight edges cover the same pixels as without it.
void drawSegment(QPainter& p, QPoint from, QPoint to);
void drawPolyline(QPainter& p, const std::vector<QPoint>& points);
void drawPolygon(QPainter& p, const std::vector<QPoint>& points);
void drawBox(QPainter& p, QPoint corner, QPoint opposite);
void drawRound(QPainter& p, QPoint corner, QPoint opposite);
// The arc of the ellipse in the box, counter-clockwise from the ray through `from` to the
// ray through `to`.
void drawArcCounterClockwise(QPainter& p, QPoint corner, QPoint opposite, QPoint from, QPoint to);
// A pen of that colour and width with flat caps.
[[nodiscard]] QPen flatPen(const QColor& colour, int width = 1, Qt::PenStyle style = Qt::SolidLine);

// The reach: half circles of radius k · Rmax about travel 0 and travel Smax joined by two
// straight sides, in the painter's pen, not filled.
void drawReachOutline(QPainter& p, const PlanMapping& plan, const CraneDimensions& crane);

// The open line through the points of a boom or hook zone.
[[nodiscard]] std::vector<QPoint> zoneOutline(const ProtectionZone& zone, const PlanMapping& plan);
// The cells of an area zone as one line: with m = count div 2, for each j < m the rectangle
// spanned by points j and j + 1, then point m - 1 once more; empty for fewer than 2 points.
[[nodiscard]] std::vector<QPoint> areaCellOutline(const ProtectionZone& zone,
                                                  const PlanMapping& plan);
// The horizontal mark of a height across the side view, in the painter's pen.
void drawHeightMark(QPainter& p, const SideView& side, double heightMetres);
// The zones switched on in the frame, in zone order, each in its colour, or red in a pen of
// actedWidth pixels when its limit acted. An area zone draws its height mark first.
void drawZones(QPainter& p, const PlanMapping& plan, const SideView& side, const CycleFrame& frame,
               const ProtectionZones& zones, const ProtectionLimits& limits, int actedWidth);

// The rails from 15 pixels before travel 0 to 15 pixels past travel Smax, 30 pixels apart,
// hatched bands outside them (outlined with bandPen) and red end stops, in lines of
// lineWidth pixels.
void drawRunway(QPainter& p, const PlanMapping& plan, const CraneDimensions& crane, int lineWidth,
                const QPen& bandPen);

// The crane at one moment, in pixels of the plan.
struct CranePlan {
    QPointF centre;        // the slewing centre: (x0 + k · travel, yc)
    double azimuth = 0;    // degrees; 0 points along increasing travel, 90 up the picture
    double boomLength = 0; // k · Rmax
    double trolleyFrom = 0;
    double trolleyTo = 0; // k · (radius ∓ 1)
    bool boomActed = false;
    bool trolleyActed = false;
};
[[nodiscard]] CranePlan cranePlan(const PlanMapping& plan, const CraneDimensions& crane,
                                  const CycleFrame& frame);
// Portal and slewing centre.
void drawCraneBody(QPainter& p, const CranePlan& crane);
// Boom with counter-jib, counterweight, cab and trolley.
void drawSlewingPart(QPainter& p, const CranePlan& crane);
// Sheaves, ropes, hook block, the load when the load moment is 5 % or more, jib and ground;
// colour is the pen of everything but the jib and the ground.
void drawSideView(QPainter& p, const SideView& side, const CycleFrame& frame, const QColor& colour);

// The whole picture of one frame on a white area of that size, with scales already fitted.
void paintProtectionFrame(QPainter& p, QSize area, const CycleFrame& frame,
                          const CraneDimensions& crane, const ProtectionZones& zones,
                          const ProtectionLimits& limits, ProtectionScales scales);
// The same composed in an image.
[[nodiscard]] QImage renderProtectionFrame(QSize area, const CycleFrame& frame,
                                           const CraneDimensions& crane,
                                           const ProtectionZones& zones,
                                           const ProtectionLimits& limits, ProtectionScales scales);

// Writes the picture as PNG, the whole file or none at all; false and *error when it fails.
[[nodiscard]] bool writePng(const QImage& picture, const QString& path, QString* error = nullptr);

} // namespace zurval
