#include "render/protection/ProtectionPicture.h"

#include <QImage>
#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

using namespace zurval;

namespace {

const QSize kArea(754, 366);
const std::string kWhite = "#ffffff";
const std::string kBlack = "#000000";
const std::string kRed = "#ff0000";
const std::string kGreen = "#008000";
const std::string kMaroon = "#800000";

// The worked example: k = 4, kh = 7, so x0 = trunc(4 · 20 + 10) = 90, yc = 366 div 2 - 10 =
// 173, and a site point (X, Y) lies at (90 + 4X, 173 - 4Y).
const CraneDimensions kCrane{20, 100, 40};
constexpr int kX0 = 90;
constexpr int kYc = 173;

std::uint16_t bits(std::initializer_list<int> set) {
    std::uint16_t word = 0;
    for (const int b : set)
        word |= static_cast<std::uint16_t>(1 << b);
    return word;
}

// The crane at travel 50 (centre column 290), trolley at 15 m, hook at 20 m (the hook block's
// rows start at yd = 7 · (40 - 20) = 140).
CycleFrame frameAt(double azimuth) {
    CycleFrame f;
    f.travel = 50;
    f.azimuth = static_cast<float>(azimuth);
    f.radius = 15;
    f.hookHeight = 20;
    return f;
}

ProtectionZone zone(std::initializer_list<std::array<float, 2>> points) {
    ProtectionZone z;
    for (const auto& p : points) {
        z.x[z.count] = p[0];
        z.y[z.count] = p[1];
        ++z.count;
    }
    return z;
}

QImage render(const CycleFrame& frame, const ProtectionZones& zones = {},
              const ProtectionLimits& limits = {}) {
    const ProtectionScales scales = fitScales({}, kCrane, kArea);
    return renderProtectionFrame(kArea, frame, kCrane, zones, limits, scales);
}

// Colours as "#rrggbb", readable in failure messages.
std::string at(const QImage& image, QPoint p) {
    return image.pixelColor(p).name().toStdString();
}

} // namespace

TEST(ProtectionScales, FitTheReachAndHookTravelAndStayWithinOneToTen) {
    struct Case {
        CraneDimensions crane;
        ProtectionScales expected;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        // sv = (183 - 45) / 20 = 6.9, sw = 614 / 140 ≈ 4.39; kh = trunc(286 / 40)
        {{20, 100, 40}, {4, 7}},
        {{5, 20, 40}, {10, 7}},   // sv = 27.6, sw ≈ 20.5: clamped
        {{70, 100, 40}, {1, 7}},  // sv ≈ 1.97, sw ≈ 2.56
        {{20, 100, 400}, {4, 1}}, // kh = 0.7
        {{20, 100, 2}, {4, 10}},
        {{0, 100, 40}, {6, 2}}, // a zero dimension keeps the previous scales
        {{20, 0, 40}, {6, 2}},
        {{20, 100, 0}, {6, 2}},
        {{static_cast<float>(nan), 100, -5}, {1, 1}}, // a damaged parameter set
    };
    for (const Case& c : cases)
        EXPECT_EQ(fitScales({6, 2}, c.crane, kArea), c.expected)
            << c.crane.Rmax << " " << c.crane.Smax << " " << c.crane.Hmax1;
}

TEST(ProtectionPicture, ShapesCoverUpToButNotIncludingTheirFarCorner) {
    // Antialiased, the straight edges cover the same pixels; only corners and line ends are
    // partly covered.
    for (const bool antialiased : {false, true}) {
        QImage image(10, 10, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, antialiased);
        p.setPen(flatPen(Qt::black));
        drawBox(p, {6, 5}, {2, 1}); // corners in any order
        drawSegment(p, {1, 8}, {5, 8});
        p.end();
        std::vector<QPoint> covered = {{3, 1}, {2, 3}, {5, 2}, {4, 4}, {2, 8}, {3, 8}};
        std::vector<QPoint> outside = {{3, 0}, {1, 3}, {6, 3}, {3, 5}, {3, 3}, {3, 7}, {3, 9}};
        if (!antialiased) {
            covered.insert(covered.end(), {{2, 1}, {5, 1}, {2, 4}, {5, 4}, {1, 8}, {4, 8}});
            outside.insert(outside.end(), {{6, 1}, {2, 5}, {6, 5}, {5, 8}, {0, 8}});
        }
        for (const QPoint point : covered)
            EXPECT_EQ(at(image, point), kBlack)
                << antialiased << " " << point.x() << "," << point.y();
        for (const QPoint point : outside)
            EXPECT_EQ(at(image, point), kWhite)
                << antialiased << " " << point.x() << "," << point.y();
    }
}

TEST(ProtectionPicture, BoomPointsAlongTheAzimuth) {
    struct Case {
        double azimuth;
        QPoint onBoom; // the boom's outline 70 pixels from the centre (290, 173)
        QPoint mirrored;
    };
    const Case cases[] = {
        {0, {360, kYc - 4}, {220, kYc - 4}},    // right, the left edge 4 pixels above the axis
        {90, {286, kYc - 70}, {286, kYc + 70}}, // up
        {180, {220, kYc + 4}, {360, kYc + 4}},  // left
    };
    for (const Case& c : cases) {
        const QImage image = render(frameAt(c.azimuth));
        EXPECT_EQ(at(image, c.onBoom), kBlack) << c.azimuth;
        EXPECT_EQ(at(image, c.mirrored), kWhite) << c.azimuth;
    }
}

TEST(ProtectionPicture, ActedLimitsTurnTheirPartsRed) {
    struct Case {
        std::uint16_t triggered;
        std::string boom, trolleyAndSideView;
    };
    const Case cases[] = {
        {0, kBlack, kBlack},
        {bits({5}), kRed, kBlack}, // position 11 only: the boom zone limit
        {bits({0}), kRed, kBlack}, // slewing to the left
        {bits({2}), kBlack, kRed}, // reach
        {bits({8}), kBlack, kRed}, // zone area1
    };
    for (const Case& c : cases) {
        CycleFrame f = frameAt(0);
        f.limitsTriggered = c.triggered;
        const QImage image = render(f);
        EXPECT_EQ(at(image, {360, kYc - 4}), c.boom) << c.triggered;
        EXPECT_EQ(at(image, {350, kYc}), c.trolleyAndSideView) << c.triggered;      // 60 px out
        EXPECT_EQ(at(image, {754 - 55, 100}), c.trolleyAndSideView) << c.triggered; // a rope
    }
}

TEST(ProtectionPicture, DrawsAZoneOnlyWhenItsLimitIsEntered) {
    ProtectionZones zones;
    zones[kBoom] = zone({{40, 30}, {80, 30}}); // row 173 - 120 = 53
    zones[kArea0] = zone({{-20, -20}, {-10, -30}});
    ProtectionLimits limits;
    limits.Har0 = 5; // height mark on row trunc(7 · 40 - 5 · 7 + 30) = 275
    const QPoint boomLine(300, 53), areaEdge(kX0 - 80, kYc + 100), heightMark(720, 275);
    struct Case {
        std::uint16_t entered, triggered;
        std::string boom, area;
    };
    const Case cases[] = {
        {0, 0, kWhite, kWhite},
        {0, bits({5, 7}), kWhite, kWhite}, // acted but not entered
        {bits({5, 7}), 0, kGreen, kMaroon},
        {bits({5, 7}), bits({5}), kRed, kMaroon},
        {bits({5, 7}), bits({7}), kGreen, kRed},
    };
    for (const Case& c : cases) {
        CycleFrame f = frameAt(0);
        f.limitsEntered = c.entered;
        f.limitsTriggered = c.triggered;
        const QImage image = render(f, zones, limits);
        EXPECT_EQ(at(image, boomLine), c.boom) << c.entered << " " << c.triggered;
        EXPECT_EQ(at(image, areaEdge), c.area) << c.entered << " " << c.triggered;
        EXPECT_EQ(at(image, heightMark), c.area) << c.entered << " " << c.triggered;
    }
}

TEST(ProtectionPicture, DrawsTheLoadFromFivePercentOn) {
    // The load box spans rows yd + 65 .. yd + 74 = 205 .. 214 under the hook.
    for (const int moment : {4, 5}) {
        CycleFrame f = frameAt(0);
        f.loadMoment = moment;
        EXPECT_EQ(at(render(f), {754 - 40, 210}), moment >= 5 ? kBlack : kWhite) << moment;
    }
}

TEST(ProtectionPicture, AreaCellsSpanConsecutivePointsUpToHalfTheCount) {
    const PlanMapping plan = planMapping(4, kCrane, kArea);
    auto px = [](double x, double y) { return QPoint(kX0 + int(4 * x), kYc - int(4 * y)); };
    const ProtectionZone four = zone({{0, 0}, {10, 5}, {20, -5}, {30, 0}});
    const std::vector<QPoint> expected = {px(0, 0),  px(10, 0),  px(10, 5),  px(0, 5), px(10, 5),
                                          px(20, 5), px(20, -5), px(10, -5), px(10, 5)};
    EXPECT_EQ(areaCellOutline(four, plan), expected); // the fourth point is not used

    struct Case {
        int count;
        std::size_t points;
    };
    for (const Case& c : {Case{0, 0}, Case{1, 0}, Case{3, 5}, Case{20, 41}, Case{-1, 0}}) {
        ProtectionZone z = four;
        z.count = c.count;
        EXPECT_EQ(areaCellOutline(z, plan).size(), c.points) << c.count;
    }
}

TEST(ProtectionPicture, DamagedDimensionsAndCountsDrawWithoutFault) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    ProtectionZones zones;
    for (ProtectionZone& z : zones) {
        z = zone({{3e4f, -3e4f}, {nan, inf}});
        z.count = 1000;
    }
    CycleFrame f = frameAt(0);
    f.limitsEntered = 0xFFFF;
    f.hookHeight = -3e4f;
    for (const CraneDimensions crane :
         {CraneDimensions{nan, inf, -inf}, CraneDimensions{3e38f, 1, 1},
          CraneDimensions{-20, -100, -40}}) {
        const QImage image = renderProtectionFrame(kArea, f, crane, zones, {}, {10, 10});
        EXPECT_EQ(image.size(), kArea);
    }
    EXPECT_TRUE(renderProtectionFrame({0, 0}, f, kCrane, zones, {}, {}).isNull());
}
