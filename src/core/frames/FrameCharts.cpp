#include "core/frames/FrameCharts.h"

#include "core/common/NumberFormat.h"
#include "core/frames/RecordTexts.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace zurval {
namespace {

QString chartTitle(const char* head, const ServicePageTexts& service) {
    return QString::fromUtf8(head) + service.craneModel + QStringLiteral(" №") +
           service.craneNumber + QStringLiteral(" по данным РП ЗУРВАЛ №") + service.recorderNumber +
           QStringLiteral(" (по кадрам)");
}

} // namespace

const std::array<ParameterCheckBox, kParameterBoxCount> kParameterBoxes = {{
    {ParameterBox::M, "CheckBox_GrParM", "------ M(t) ", true, PaletteColour::Green},
    {ParameterBox::Q, "CheckBox_GrParQ", "-------- Q(t)", true, PaletteColour::Blue},
    {ParameterBox::R, "CheckBox_GrParR", "-------- R(t)", false, PaletteColour::Maroon},
    {ParameterBox::H, "CheckBox_GrParH", "-------- H(t)", false, PaletteColour::Black},
    {ParameterBox::S, "CheckBox_GrParS", "-------- S(t)", false, PaletteColour::Teal},
    {ParameterBox::GA, "CheckBox_GrParGA", "-------- GA(t)", false, PaletteColour::Olive},
}};

const char* const kLimitLineCaption = "------- 100%";

const std::array<ParameterSeries, kParameterSeriesCount> kParameterSeries = {{
    {"Series1", "Предел 100%", PaletteColour::Red, ParameterBox::M, 1,
     [](const CycleFrame&) { return 100.0; }, nullptr},
    {"Series2", "Процент загрузки (%)", PaletteColour::Green, ParameterBox::M, 1,
     [](const CycleFrame& f) { return double(f.loadMoment); }, "#0"},
    {"Series3", "Груз (т)", PaletteColour::Blue, ParameterBox::Q, 1,
     [](const CycleFrame& f) { return double(f.loadMass); }, "#0.00"},
    {"Series4", "Вылет (м)", PaletteColour::Maroon, ParameterBox::R, 1,
     [](const CycleFrame& f) { return double(f.radius); }, "#0.00"},
    {"Series5", "Высота (м)", PaletteColour::Black, ParameterBox::H, 1,
     [](const CycleFrame& f) { return double(f.hookHeight); }, "#0.00"},
    {"Series16", "Путь (м)", PaletteColour::Teal, ParameterBox::S, 1,
     [](const CycleFrame& f) { return double(f.travel); }, "#0.00"},
    {"Series17", "Азимут (град)", PaletteColour::Olive, ParameterBox::GA, 1,
     [](const CycleFrame& f) { return double(f.azimuth); }, "#0.0"},
    // The baseline at 0, drawn thicker.
    {"Series18", ".", PaletteColour::Black, ParameterBox::Always, 2,
     [](const CycleFrame&) { return 0.0; }, nullptr},
}};

const std::array<RelaySeries, kRelaySeriesCount> kRelaySeries = {{
    {"Series6", "1 - Приближение", 1, -1},
    {"Series7", "2 - Поворот влево", 2, 0},
    {"Series8", "3 - Поворот вправо", 3, 1},
    {"Series9", "4 - Вылет", 4, 2},
    {"Series10", "5 - Потолок", 5, 3},
    {"Series11", "6 - Пол", 6, 4},
    {"Series12", "7 - Контур \"Стрела\"", 7, 5},
    {"Series13", "8 - Контур \"Крюк\"", 8, 6},
    {"Series14", "9 - \"Площадка-1\"", 9, 7},
    {"Series15", "10 - \"Площадка-2\"", 10, 8},
}};

const char* const kParameterChartDesignTitle =
    "Графики временной зависимости регистрируемых параметров";
const char* const kRelayChartDesignTitle = "Графики временной зависимости работы реле и концевиков";
const char* const kFramesAxisTitle = "Кадры";

QString parameterChartTitle(const ServicePageTexts& service) {
    return chartTitle("График параметров работы крана ", service);
}

QString relayChartTitle(const ServicePageTexts& service) {
    return chartTitle("График работы координатной защиты крана ", service);
}

LinePoints parameterPoints(const FrameArray& frames, const ParameterSeries& series) {
    // Written in place: appending point by point costs several times more.
    LinePoints points;
    points.frames.resize(kChartedFrames);
    points.values.resize(kChartedFrames);
    double* const x = points.frames.data();
    double* const y = points.values.data();
    for (int i = 0; i < kChartedFrames; ++i) {
        x[i] = frames[i].number;
        y[i] = series.value(frames[i]);
    }
    return points;
}

ShownLines linesShownAfterClearing() {
    ShownLines shown{};
    for (std::size_t i = 0; i < kParameterSeries.size(); ++i) {
        const ParameterBox box = kParameterSeries[i].shownBy;
        shown[i] = box == ParameterBox::Always ||
                   std::any_of(kParameterBoxes.begin(), kParameterBoxes.end(),
                               [box](const ParameterCheckBox& b) {
                                   return b.box == box && b.checkedAfterClearing;
                               });
    }
    return shown;
}

ValueRange parameterValueRange(const FrameArray* frames, const ShownLines& shown) {
    constexpr double kPadding = 0.05; // of the span
    std::optional<ValueRange> range;
    for (std::size_t i = 0; frames && i < kParameterSeries.size(); ++i) {
        if (!shown[i])
            continue;
        for (int f = 0; f < kChartedFrames; ++f) {
            const double v = kParameterSeries[i].value((*frames)[std::size_t(f)]);
            if (std::isnan(v)) // a line has a gap there
                continue;
            range = range ? ValueRange{std::min(range->lower, v), std::max(range->upper, v)}
                          : ValueRange{v, v};
        }
    }
    if (!range)
        return {0, 100};
    const double pad = std::max(range->upper - range->lower, 1.0) * kPadding;
    return {range->lower - pad, range->upper + pad};
}

std::vector<RelayMark> relayMarks(const FrameArray& frames, const RelaySeries& series) {
    std::vector<RelayMark> marks;
    if (series.bit < 0)
        return marks;
    for (int i = 0; i < kChartedFrames; ++i) {
        const CycleFrame& f = frames[i];
        if (bitSet(f.limitsEntered, series.bit))
            marks.push_back({f.number, bitSet(f.limitsTriggered, series.bit)});
    }
    return marks;
}

namespace {

ReadOutLine frameLine(const CycleFrame& frame) {
    return {QStringLiteral("Кадр %1   %2").arg(frame.number).arg(frameTimeText(frame).trimmed())};
}

} // namespace

ReadOut parameterReadOut(const CycleFrame& frame, const ShownLines& shown) {
    ReadOut out{frameLine(frame)};
    for (std::size_t i = 0; i < kParameterSeries.size(); ++i) {
        const ParameterSeries& s = kParameterSeries[i];
        if (shown[i] && s.readOutPattern)
            out.push_back({QString::fromUtf8(s.title) + QStringLiteral(": ") +
                               formatPattern(s.value(frame), s.readOutPattern),
                           s.colour});
    }
    return out;
}

ReadOut relayReadOut(const CycleFrame& frame) {
    ReadOut out{frameLine(frame)};
    for (const RelaySeries& s : kRelaySeries) {
        if (s.bit < 0 || !bitSet(frame.limitsEntered, s.bit))
            continue;
        const bool acted = bitSet(frame.limitsTriggered, s.bit);
        out.push_back({QString::fromUtf8(s.title) +
                           (acted ? QStringLiteral(": сработало") : QStringLiteral(": включено")),
                       acted ? PaletteColour::Red : PaletteColour::Green});
    }
    if (out.size() == 1)
        out.push_back({QStringLiteral("Ограничения не включены")});
    return out;
}

} // namespace zurval
