#include "core/archive/CraneHistory.h"

#include <gtest/gtest.h>

using namespace zurval;

namespace {

StoredReading at(const QDate& date, std::optional<double> number) {
    StoredReading r;
    r.readingDate = date;
    r.characteristicNumber = number;
    return r;
}

Forecast forecastOf(const std::vector<StoredReading>& readings, const QDate& installed,
                    double normative) {
    std::vector<ForecastPoint> points;
    for (const StoredReading& r : readings)
        points.push_back({r.readingDate, r.characteristicNumber});
    return forecastExamination(points, installed, normative);
}

const QDate kToday(2026, 8, 1);

} // namespace

TEST(CraneChart, SpansTheReadingsWithAMarginAndLeavesAForecastFarBeyondThemAtTheEdge) {
    const QDate jan10(2026, 1, 10), mar11(2026, 3, 11), may10(2026, 5, 10);
    const struct {
        const char* what;
        std::vector<StoredReading> readings;
        QDate installed;
        QDate viewFirst, viewLast;
        bool beyond;
    } cases[] = {
        // 10000 every 60 days reaches 63000 on 25.09.2026, 138 days after the last reading,
        // within the 120 days the readings span raised to a year: in view, 30 days' margin.
        {"near",
         {at(jan10, 20000), at(mar11, 30000), at(may10, 40000)},
         {},
         jan10.addDays(-30),
         QDate(2026, 9, 25).addDays(30),
         false},
        // One reading after a year from 0: 63000 in the year 2252, drawn at the edge, the
        // axis from the installation date to the reading.
        {"one reading, far",
         {at(QDate(2026, 2, 12), 280)},
         QDate(2025, 2, 12),
         QDate(2025, 2, 12).addDays(-30),
         QDate(2026, 2, 12).addDays(30),
         true},
        // An undated reading and one without a number stay off the axis; 63000 516 days
        // after the last reading is beyond a year.
        {"undated and missing",
         {at(jan10, 10000), at(QDate(2030, 1, 1), std::nullopt), at(may10, 20000), at({}, 50000)},
         {},
         jan10.addDays(-30),
         may10.addDays(30),
         true},
    };
    for (const auto& c : cases) {
        const Forecast f = forecastOf(c.readings, c.installed, 63000);
        const CraneChartModel m = craneChart(c.readings, f, kToday);
        EXPECT_EQ(m.viewFirst, c.viewFirst) << c.what;
        EXPECT_EQ(m.viewLast, c.viewLast) << c.what;
        EXPECT_EQ(m.forecastBeyondView(), c.beyond) << c.what;
        // Zooming out reaches the forecast, wherever it is.
        EXPECT_GE(m.wholeLast, f.kind == ForecastKind::NoData ? m.viewLast : f.date) << c.what;
    }
}

TEST(CraneChart, GreysTheReadingsBeforeAResetAndTellsTheGrowthOfEachReading) {
    const std::vector<StoredReading> readings{
        at(QDate(2025, 2, 11), 90000),       at(QDate(2025, 5, 14), 104000),
        at(QDate(2025, 6, 1), std::nullopt), at(QDate(2025, 8, 20), 8000),
        at(QDate(2025, 11, 25), 15500),      at({}, 16000)};
    const CraneChartModel m = craneChart(readings, forecastOf(readings, {}, 63000), kToday);
    ASSERT_EQ(m.points.size(), 4u);
    EXPECT_TRUE(m.points[1].beforeReset);
    EXPECT_FALSE(m.points[2].beforeReset);
    EXPECT_EQ(m.lineFrom, QDate(2025, 8, 20));

    const std::vector<NumberGrowth> g = numberGrowth(readings);
    ASSERT_EQ(g.size(), readings.size());
    EXPECT_FALSE(g[0].growth);
    EXPECT_EQ(g[1].growth, 14000);
    EXPECT_FALSE(g[2].growth || g[2].reset); // no number
    EXPECT_TRUE(g[3].reset);
    EXPECT_FALSE(g[3].growth);
    EXPECT_EQ(g[4].growth, 7500);
    EXPECT_FALSE(g[5].growth || g[5].reset); // no date
}

TEST(CraneChart, AnExaminationIsDueWithinAYearUpToTheSameDayAYearOn) {
    const struct {
        ForecastKind kind;
        QDate date;
        bool due;
    } cases[] = {
        {ForecastKind::Date, QDate(2027, 8, 1), true},
        {ForecastKind::Date, QDate(2027, 8, 2), false},
        {ForecastKind::Date, QDate(2026, 3, 1), true}, // passed already
        {ForecastKind::Reached, QDate(2020, 1, 1), true},
        {ForecastKind::NoData, {}, false},
    };
    for (const auto& c : cases) {
        Forecast f;
        f.kind = c.kind;
        f.date = c.date;
        EXPECT_EQ(examinationDueWithinAYear(f, kToday), c.due) << c.date.toString().toStdString();
    }
}
