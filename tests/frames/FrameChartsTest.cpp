#include "core/frames/FrameCharts.h"
#include "core/common/NumberFormat.h"

#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <stdexcept>

using namespace zurval;

namespace {

QString q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// An ordered list: entry k is frame k, without limits, with its own value in every field.
std::unique_ptr<FrameArray> frames() {
    auto list = std::make_unique<FrameArray>();
    for (int k = 0; k < kFrameCapacity; ++k) {
        CycleFrame& f = (*list)[k];
        f.number = k;
        f.loadMoment = 87;
        f.loadMass = 8.25f;
        f.radius = 12.5f;
        f.hookHeight = 30.75f;
        f.travel = -1.5f;
        f.azimuth = 359.5f;
        f.time = {0x11, 0x56, 0x40};
        f.date = {0x15, 0x03, 0x06};
        f.dated = f.decoded = true;
    }
    return list;
}

const RelaySeries& relaySeries(const char* name) {
    for (const RelaySeries& s : kRelaySeries)
        if (QLatin1String(s.objectName) == QLatin1String(name))
            return s;
    throw std::invalid_argument(name);
}

} // namespace

TEST(ParameterChart, EachLineGetsFrames0To7166WithItsValue) {
    const auto list = frames();
    const std::map<QString, double> expected = {
        {"Series1", 100},   {"Series2", 87},    {"Series3", 8.25},   {"Series4", 12.5},
        {"Series5", 30.75}, {"Series16", -1.5}, {"Series17", 359.5}, {"Series18", 0},
    };
    ASSERT_EQ(kParameterSeries.size(), expected.size());
    for (const ParameterSeries& s : kParameterSeries) {
        const LinePoints points = parameterPoints(*list, s);
        ASSERT_EQ(points.frames.size(), 7167) << s.objectName;
        ASSERT_EQ(points.values.size(), 7167) << s.objectName;
        EXPECT_EQ(points.frames.front(), 0);
        EXPECT_EQ(points.frames.back(), 7166); // the newest frame is not charted
        EXPECT_EQ(points.values[5000], expected.at(s.objectName)) << s.objectName;
    }
}

TEST(RelayChart, MarksEnteredLimitsGreenAndActedOnesRedAtTheirLevel) {
    auto list = frames();
    (*list)[1234].limitsEntered = 0x0101; // bits 0 and 8
    (*list)[1234].limitsTriggered = 0x0100;
    (*list)[2000].limitsEntered = 0xFE00; // bits 9..15 are no limits of the chart
    (*list)[2000].limitsTriggered = 0xFFFF;
    (*list)[7167].limitsEntered = 0x01FF; // the newest frame is not charted
    struct Case {
        const char* series;
        int level;
        std::vector<RelayMark> marks;
    };
    const Case cases[] = {
        {"Series6", 1, {}},  {"Series7", 2, {{1234, false}}},  {"Series8", 3, {}},
        {"Series14", 9, {}}, {"Series15", 10, {{1234, true}}},
    };
    for (const Case& c : cases) {
        const RelaySeries& s = relaySeries(c.series);
        EXPECT_EQ(s.level, c.level) << c.series;
        EXPECT_EQ(relayMarks(*list, s), c.marks) << c.series;
    }
}

TEST(ChartTitles, NameTheCraneAndTheRecorder) {
    ServicePageTexts service;
    service.craneModel = q("КБ-403");
    service.craneNumber = "1287";
    service.recorderNumber = "000123";
    EXPECT_EQ(parameterChartTitle(service),
              q("График параметров работы крана КБ-403 №1287 по данным РП ЗУРВАЛ №000123 (по "
                "кадрам)"));
    EXPECT_EQ(relayChartTitle(service), q("График работы координатной защиты крана КБ-403 №1287 "
                                          "по данным РП ЗУРВАЛ №000123 (по кадрам)"));
}

TEST(ChartReadOut, NamesTheFrameAndTheShownValues) {
    setDecimalSeparator(',');
    CycleFrame f = (*frames())[42];
    f.limitsEntered = 0x0021; // bits 0 and 5, bit 5 acted
    f.limitsTriggered = 0x0020;
    std::array<bool, kParameterSeriesCount> shown{};
    shown[0] = shown[1] = shown[6] = true; // the 100 % line, the load moment, the azimuth

    const ReadOut parameters = parameterReadOut(f, shown);
    ASSERT_EQ(parameters.size(), 3u);
    EXPECT_EQ(parameters[0].text, q("Кадр 42   11:56:40 15.03.06"));
    EXPECT_EQ(parameters[1].text, q("Процент загрузки (%): 87"));
    EXPECT_EQ(parameters[2].text, q("Азимут (град): 359,5"));
    EXPECT_EQ(parameters[2].colour, PaletteColour::Olive);

    const ReadOut relays = relayReadOut(f);
    ASSERT_EQ(relays.size(), 3u);
    EXPECT_EQ(relays[1].text, q("2 - Поворот влево: включено"));
    EXPECT_EQ(relays[2].text, q("7 - Контур \"Стрела\": сработало"));
    EXPECT_EQ(relays[2].colour, PaletteColour::Red);
    EXPECT_EQ(relayReadOut((*frames())[0]).back().text, q("Ограничения не включены"));
}

TEST(ParameterChart, ValuesSpanTheShownLinesWithAPaddingOfFivePercent) {
    auto list = frames();
    const ShownLines afterClearing = linesShownAfterClearing();
    // M and Q checked: the 100 % line, the load moment, the load and the baseline.
    EXPECT_EQ(afterClearing, (ShownLines{true, true, true, false, false, false, false, true}));
    ShownLines baselineOnly{};
    baselineOnly[7] = true;
    ShownLines azimuth = baselineOnly;
    azimuth[6] = true;
    struct Case {
        const FrameArray* frames;
        ShownLines shown;
        double lower, upper;
    } cases[] = {
        {list.get(), afterClearing, -5, 105},    // 0..100
        {list.get(), azimuth, -17.975, 377.475}, // 0..359.5
        {list.get(), baselineOnly, -0.05, 0.05}, // no span: padded as one of 1
        {list.get(), ShownLines{}, 0, 100},      // no line
        {nullptr, afterClearing, 0, 100},        // no points
    };
    for (const Case& c : cases) {
        const ValueRange range = parameterValueRange(c.frames, c.shown);
        EXPECT_DOUBLE_EQ(range.lower, c.lower) << c.upper;
        EXPECT_DOUBLE_EQ(range.upper, c.upper) << c.upper;
    }
}
