#include "render/reports/WorkAreaScheme.h"

#include "core/common/NumberFormat.h"
#include "core/document/RecorderDocument.h"
#include "core/frames/IntegerText.h"
#include "core/frames/RecordTexts.h"
#include "core/protection/Playback.h"
#include "render/protection/ProtectionPicture.h"

#include <QPainter>
#include <cmath>

namespace zurval {
namespace {

using report::Band;
using report::Font;
using report::Text;

// The band is laid out in pixels at 100 % and stretched over the printable width of the
// landscape page.
constexpr double kBandWidthPx = 1047;
constexpr double kBandHeightPx = 710;
constexpr double kMmPerPx = 277 / kBandWidthPx;
constexpr double kPointsPerMm = 72 / 25.4;

QRectF pixels(double left, double top, double width, double height) {
    return {left * kMmPerPx, top * kMmPerPx, width * kMmPerPx, height * kMmPerPx};
}

// A bold label whose top left corner is at (left, top) of the band, as wide as its text
// and white behind it: the labels that lie over the picture hide what they cover.
Text label(const char* name, double left, double top, const QString& text, int fontPx = 13) {
    const Font font{fontPx * kMmPerPx * kPointsPerMm, true};
    Text t{pixels(left, top, 0, fontPx + 4), text, font, Qt::AlignLeft | Qt::AlignTop};
    t.box.setWidth(report::textWidthMm(font, text) + 2 * kMmPerPx);
    t.name = QString::fromLatin1(name);
    t.background = colours::White;
    return t;
}

Text title(const char* name, double top, const QString& text) {
    Text t{pixels(0, top, kBandWidthPx, 20), text, Font{16 * kMmPerPx * kPointsPerMm, true},
           Qt::AlignHCenter | Qt::AlignTop};
    t.name = QString::fromLatin1(name);
    return t;
}

// Position p (1 to 16) of a word as its bit text shows it, counted from the first character.
bool positionSet(std::uint16_t word, int p) {
    return bitSet(word, 16 - p);
}

// A movement input of the frame, named only when its value moved the matching way since
// the frame before (or always, for the brakes and the start of travel).
struct Movement {
    int position;
    float CycleFrame::*value; // nullptr: the input alone
    int direction;            // +1: the value grew, -1: it fell
    const char* text;
};
constexpr Movement kMovements[] = {
    {9, &CycleFrame::travel, -1, "Путь назад "},
    {10, &CycleFrame::travel, +1, "Путь вперед "},
    {11, nullptr, 0, "Тормоз груза "},
    {12, &CycleFrame::hookHeight, -1, "Опускание груза "},
    {14, &CycleFrame::hookHeight, +1, "Подъем груза "},
    {1, nullptr, 0, "Начало пути "},
    {5, nullptr, 0, "Тормоз поворота "},
    {3, &CycleFrame::radius, -1, "Уменьшение вылета "},
    {4, &CycleFrame::radius, +1, "Увеличение вылета "},
    {6, &CycleFrame::azimuth, +1, "Поворот влево "},
    {7, &CycleFrame::azimuth, -1, "Поворот вправо "},
    {8, nullptr, 0, "Тормоз пути"},
};

// The limits in the order the lists name them; each name brings its own separating blank.
// Position 13 (bit 3) is the ceiling and 12 (bit 4) the floor, as on the pages and charts.
struct LimitName {
    int position;
    const char* text;
};
constexpr LimitName kLimitNames[] = {
    {9, "Площадка-0"},       {10, " Крюк"},          {11, " Стрела"},
    {13, " Потолок"},        {12, " Пол"},           {14, " Ограничение вылета"},
    {15, " Поворот вправо"}, {16, " Поворот влево"}, {8, " Площадка-1"},
};

const QString kNone = QStringLiteral("Нет");

QString movements(const CycleFrame& f, const CycleFrame& before) {
    QString list;
    for (const Movement& m : kMovements) {
        if (!positionSet(f.inputs, m.position))
            continue;
        const bool moved = !m.value || (m.direction > 0 ? f.*m.value > before.*m.value
                                                        : f.*m.value < before.*m.value);
        if (moved)
            list += QString::fromUtf8(m.text);
    }
    return list.isEmpty() ? kNone : list;
}

QString limitNames(std::uint16_t bits) {
    QString list;
    for (const LimitName& l : kLimitNames)
        if (positionSet(bits, l.position))
            list += QString::fromUtf8(l.text);
    return list.isEmpty() ? kNone : list;
}

// A dimension that is negative or no number (a damaged parameter set) is drawn as 0.
CraneDimensions drawable(const CraneDimensions& c) {
    auto metres = [](float v) { return std::isfinite(v) && v > 0 ? v : 0.0f; };
    return {metres(c.Rmax), metres(c.Smax), metres(c.Hmax1)};
}

// Pixels per metre of the plan and of the side view, in single precision.
struct SchemeScales {
    float plan = 0;
    float height = 0;
};

SchemeScales schemeScales(const CraneDimensions& c) {
    const int w = kSchemePictureSize.width();
    const int h = kSchemePictureSize.height();
    // The reach fits half the height; a long track with both half circles fits the width.
    float plan = static_cast<float>(h / 2) / (c.Rmax + 10);
    const float across = static_cast<float>(w - 100) / (2 * c.Rmax + c.Smax + 20);
    if (across < plan)
        plan = across;
    // Without a highest hook position the side view has no height range: the hook block
    // and the height marks stay under the jib.
    float height = c.Hmax1 > 0 ? static_cast<float>(h - 160) / c.Hmax1 : 0;
    if (!std::isfinite(height))
        height = 0;
    return {plan, height};
}

// The 5-metre squares in grey dots: columns from travel 0 out to the reach's left edge and
// to its right end, rows from the rail axis out to the reach on either side. Squares
// smaller than a pixel would make a grey area and are left out.
void drawGrid(QPainter& p, const PlanMapping& plan, const CraneDimensions& crane) {
    const double d = 5 * plan.k;
    if (!(d >= 1))
        return;
    const double r = plan.k * crane.Rmax;
    const double end = plan.column(crane.Smax) + r;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(flatPen(colours::Gray, 1, Qt::DotLine));
    const int bottom = toPixel(plan.yc + r + 5);
    const int top = toPixel(plan.yc - r + 5);
    auto column = [&](double x) { drawSegment(p, {toPixel(x), bottom}, {toPixel(x), top}); };
    for (int i = 0; plan.x0 - d * i > 10; ++i)
        column(plan.x0 - d * i);
    for (int i = 0; plan.x0 + d * i < end; ++i)
        column(plan.x0 + d * i);
    auto row = [&](double y) { drawSegment(p, {5, toPixel(y)}, {toPixel(end + 5), toPixel(y)}); };
    for (int i = 0; d * i < r; ++i)
        row(plan.yc - d * i);
    for (int i = 0; d * i < r; ++i)
        row(plan.yc + d * i);
    p.restore();
}

// A cross at travel 0 on the rail axis.
void drawOriginMark(QPainter& p, const PlanMapping& plan) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(flatPen(colours::Black, 2));
    drawSegment(p, {plan.x0, plan.yc - 5}, {plan.x0, plan.yc + 5});
    drawSegment(p, {plan.x0 - 5, plan.yc}, {plan.x0 + 5, plan.yc});
    p.restore();
}

// Everything the picture is drawn from, held by value: the preview repaints the page long
// after the report was filled.
struct SchemePicture {
    CycleFrame frame;
    CraneDimensions crane;
    ProtectionZones zones;
    ProtectionLimits limits;

    void operator()(QPainter& p) const {
        const int w = kSchemePictureSize.width();
        const int h = kSchemePictureSize.height();
        const SchemeScales scales = schemeScales(crane);
        const PlanMapping plan = planMapping(scales.plan, crane, kSchemePictureSize);
        const SideView side{w, 2, scales.height, crane.Hmax1, 80};
        p.save();
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(flatPen(colours::Black));
        p.setBrush(colours::White);
        drawBox(p, {0, 0}, {w, h});
        p.setBrush(Qt::NoBrush);
        p.setPen(flatPen(colours::Black, 1, Qt::DashLine));
        drawReachOutline(p, plan, crane);
        drawGrid(p, plan, crane);
        drawOriginMark(p, plan);
        drawZones(p, plan, side, frame, zones, limits, 1);
        drawRunway(p, plan, crane, 1, flatPen(colours::White));
        const CranePlan pose = cranePlan(plan, crane, frame);
        drawCraneBody(p, pose);
        drawSlewingPart(p, pose);
        drawSideView(p, side, frame, pose.trolleyActed ? colours::Red : colours::Black);
        p.restore();
    }
};

} // namespace

BuiltReport workAreaScheme(const ShownTexts& shown, const RecorderDocument& document) {
    const ServicePageTexts& c = shown.service;
    // The frame number is what the protection page's field holds, typed or drawn.
    const QString frameText = shown.shownFrame;
    const std::optional<int> fr = parseInteger(frameText);
    if (!fr)
        return {{}, notAnIntegerMessage(frameText)};
    if (*fr < 0 || *fr > kLastFrameNumber)
        return {{}, frameOutOfRangeMessage()};
    const FrameArray& frames = *document.cyclic.frameList;
    const CycleFrame& f = frames[static_cast<std::size_t>(*fr)];

    Band band{kBandHeightPx * kMmPerPx, {}};
    // The picture first: the labels over its upper left corner print on top of it.
    band.items.emplace_back(
        report::Picture{pixels(-8, 56, kSchemePictureSize.width(), kSchemePictureSize.height()),
                        QSizeF(kSchemePictureSize),
                        SchemePicture{f, drawable(document.craneDimensions),
                                      document.protection.zones, document.protection.limits}});

    band.items.emplace_back(title("QRLabel_Title1", 2,
                                  QStringLiteral("Схема расположения крана ") + c.craneModel +
                                      QStringLiteral(" №") + c.craneNumber +
                                      QStringLiteral(" на рабочей площадке")));
    band.items.emplace_back(
        title("QRLabel_Title2", 26,
              QStringLiteral("по данным кадра №%1, записанного ").arg(f.number) + frameTimeText(f) +
                  QStringLiteral(" в РП ЗУРВАЛ №") + c.recorderNumber));

    // Frame 0 has no frame before it: its lists stay empty.
    QString moved, entered, acted;
    if (*fr > 0) {
        moved = movements(f, frames[static_cast<std::size_t>(*fr - 1)]);
        entered = limitNames(f.limitsEntered);
        acted = limitNames(f.limitsTriggered);
    }
    band.items.emplace_back(label("QRLabel18", 10, 66, QStringLiteral("Движения крана:")));
    band.items.emplace_back(label("QRLabel_Move", 130, 66, moved));
    const std::pair<const char*, QString> values[] = {
        {"QRLabel_M", QStringLiteral("Процент загрузки: M = %1%").arg(f.loadMoment)},
        {"QRLabel_Q",
         QStringLiteral("Масса груза: Q = %1 т").arg(formatPattern(f.loadMass, "#0.00"))},
        {"QRLabel_R", QStringLiteral("Вылет: R = %1 м").arg(formatPattern(f.radius, "#0.00"))},
        {"QRLabel_H",
         QStringLiteral("Высота крюка: H = %1 м").arg(formatPattern(f.hookHeight, "#0.00"))},
        {"QRLabel_S",
         QStringLiteral("Положения на путях: S = %1 м").arg(formatPattern(f.travel, "#0.00"))},
        {"QRLabel_GA", QStringLiteral("Азимут: GA= %1 град").arg(formatPattern(f.azimuth, "#0.0"))},
    };
    int top = 86;
    for (const auto& [name, text] : values) {
        band.items.emplace_back(label(name, 10, top, text));
        top += 20;
    }
    band.items.emplace_back(
        label("QRLabel21", 10, 210, QStringLiteral("Квадрат сетки 5 х 5 метров")));
    band.items.emplace_back(
        label("QRLabel27", 2, 666, QStringLiteral("Активированные ограничения:")));
    band.items.emplace_back(label("QRLabel_VO", 218, 666, entered));
    band.items.emplace_back(label("QRLabel32", 2, 682, QStringLiteral("Сработавшие ограничения:")));
    Text actedList = label("QRLabel_SO", 218, 682, acted);
    actedList.colour = colours::Red;
    band.items.emplace_back(std::move(actedList));

    report::BandedReport pages(report::PageFormat{QPageLayout::Landscape, 10});
    pages.addDetail(std::move(band));
    return {pages.finish(), {}};
}

} // namespace zurval
