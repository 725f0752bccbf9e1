#include "core/archive/Forecast.h"
#include "core/archive/ArchiveTexts.h"

#include <gtest/gtest.h>

using namespace zurval;

namespace {

QDate jan(int day) {
    return QDate(2026, 1, day);
}

} // namespace

TEST(Forecast, FitsALineThroughTheReadingsSinceTheLastResetAndSaysWhereItReachesTheNorm) {
    const struct {
        const char* what;
        std::vector<ForecastPoint> points;
        QDate installed;
        double normative;
        QString text;
        bool singleReading;
    } cases[] = {
        // 10 a day from 100 on 1 January: 1000 ninety days later.
        {"three on a line",
         {{jan(1), 100}, {jan(11), 200}, {jan(21), 300}},
         {},
         1000,
         "01.04.2026",
         false},
        // 90.1 days: the line crosses early on 1 April, so 2 April is the first whole day.
        {"early in a day",
         {{jan(1), 100}, {jan(11), 200}, {jan(21), 300}},
         {},
         1001,
         "02.04.2026",
         false},
        // 90.5 days: the first whole day at or above the norm.
        {"between two days",
         {{jan(1), 100}, {jan(11), 200}, {jan(21), 300}},
         {},
         1005,
         "02.04.2026",
         false},
        // Only the last two count, again 10 a day, from 100 on 21 January.
        {"reset",
         {{jan(1), 500}, {jan(11), 600}, {jan(21), 100}, {jan(31), 200}},
         {},
         1000,
         "21.04.2026",
         false},
        {"undated readings and those of no number left out",
         {{jan(1), 100}, {{}, 900}, {jan(6), std::nullopt}, {jan(11), 200}},
         {},
         1000,
         "01.04.2026",
         false},
        // From 0 at the installation a year before: 1 a day.
        {"one reading", {{jan(1), 365}}, QDate(2025, 1, 1), 730, "01.01.2027", true},
        {"one reading, no installation date", {{jan(1), 365}}, {}, 730, "нет данных", true},
        {"falling: each reading a reset",
         {{jan(1), 300}, {jan(11), 200}},
         {},
         1000,
         "нет данных",
         true},
        {"flat", {{jan(1), 200}, {jan(11), 200}, {jan(21), 200}}, {}, 1000, "нет данных", false},
        {"already above",
         {{jan(1), 500}, {jan(11), 1200}, {jan(21), 1300}},
         {},
         1000,
         "достигнуто",
         false},
        {"no date", {{{}, 500}}, QDate(2025, 1, 1), 1000, "нет данных", false},
        {"no normative group", {{jan(1), 100}, {jan(11), 200}}, {}, 0, "нет данных", false},
    };
    for (const auto& c : cases) {
        const Forecast f = forecastExamination(c.points, c.installed, c.normative);
        EXPECT_EQ(forecastText(f), c.text) << c.what;
        EXPECT_EQ(f.singleReading, c.singleReading) << c.what;
    }
}

TEST(Forecast, GivesTheChartItsLineAndTheDayTheNormWasFirstReached) {
    const Forecast line =
        forecastExamination({{jan(1), 500}, {jan(11), 100}, {jan(21), 200}}, {}, 1000);
    EXPECT_EQ(line.seriesBegin, 1);
    EXPECT_DOUBLE_EQ(line.numberOn(jan(11)), 100);
    EXPECT_DOUBLE_EQ(line.numberOn(jan(31)), 300);

    const Forecast reached =
        forecastExamination({{jan(1), 500}, {jan(11), 1200}, {jan(21), 1300}}, {}, 1000);
    EXPECT_EQ(reached.kind, ForecastKind::Reached);
    EXPECT_EQ(reached.date, jan(11));
    const SpreadsheetForm point{u'.', true};
    EXPECT_EQ(forecastText(forecastExamination({{jan(1), 100}, {jan(11), 200}}, {}, 1000), &point),
              "2026-04-01");
}
