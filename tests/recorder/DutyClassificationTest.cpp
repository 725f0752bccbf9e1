#include "core/recorder/DutyClassification.h"
#include "core/common/NumberFormat.h"

#include <gtest/gtest.h>
#include <limits>

using namespace zurval;

namespace {

using Counters = std::array<std::uint32_t, kLoadRangeCount>;

Counters counters(std::initializer_list<std::uint32_t> leading) {
    Counters c{};
    std::copy(leading.begin(), leading.end(), c.begin());
    return c;
}

DutyClassification classify(std::uint32_t totalCycles, float characteristicNumber) {
    return classifyDuty(counters({totalCycles}), characteristicNumber, 1);
}

} // namespace

TEST(DutyGauges, ShowEachRangeAsAPercentOfTheLargest) {
    const DutyClassification d = classifyDuty(counters({100, 300, 0}), 0, 1);
    EXPECT_EQ(d.gaugePercent[0], 33);
    EXPECT_EQ(d.gaugePercent[1], 100);
    EXPECT_EQ(d.gaugePercent[2], 0);
    EXPECT_EQ(d.classU, 0);
}

TEST(DutyGauges, AllZeroCountersGiveEmptyGauges) {
    const DutyClassification d = classifyDuty(Counters{}, 0.75f, 1);
    for (const int percent : d.gaugePercent)
        EXPECT_EQ(percent, 0);
    EXPECT_EQ(d.classU, 0);
    EXPECT_EQ(d.loadSpectrumFactor, 0.75f); // the total counts as one cycle
}

TEST(DutyGauges, LargeCountersDoNotOverflow) {
    const DutyClassification d = classifyDuty(counters({2000000000u, 4000000000u}), 0, 1);
    EXPECT_EQ(d.gaugePercent[0], 50);
    EXPECT_EQ(d.gaugePercent[1], 100);
}

TEST(DutyClassU, ATotalOnAThresholdBelongsToTheHigherClass) {
    EXPECT_EQ(classify(15999, 0).classU, 0);
    EXPECT_EQ(classify(16000, 0).classU, 1);
    EXPECT_EQ(classify(31999, 0).classU, 1);
    EXPECT_EQ(classify(32000, 0).classU, 2);
    EXPECT_EQ(classify(3999999, 0).classU, 8);
    EXPECT_EQ(classify(4000000, 0).classU, 9);
    EXPECT_EQ(classify(10000000, 0).classU, 9);
}

TEST(DutyClassU, TheTotalIsSummedAcrossAllRangesWithoutWrapping) {
    EXPECT_EQ(classifyDuty(counters({400, 15600}), 0, 1).classU, 1);
    Counters spread{};
    spread.fill(300000); // 4,200,000 in all
    EXPECT_EQ(classifyDuty(spread, 0, 1).classU, 9);
    // 2^32 in total: a 32-bit sum would wrap to 0.
    const DutyClassification d = classifyDuty(counters({0xFFFFFFFFu, 1}), 1.0f, 1);
    EXPECT_EQ(d.classU, 9);
    EXPECT_LT(d.loadSpectrumFactor, 1e-9f);
}

TEST(DutyClassQ, AFactorOnAThresholdBelongsToTheLowerClass) {
    EXPECT_EQ(classify(0, 0.125f).classQ, 1);
    EXPECT_EQ(classify(0, 0.126f).classQ, 2);
    EXPECT_EQ(classify(0, 0.25f).classQ, 2);
    EXPECT_EQ(classify(0, 0.2500001f).classQ, 3);
    EXPECT_EQ(classify(0, 0.5f).classQ, 3);
    EXPECT_EQ(classify(0, 1.0f).classQ, 4);
    EXPECT_EQ(classify(0, 0).classQ, 1);
}

TEST(DutyClassQ, TheFactorIsTheCharacteristicNumberPerCycle) {
    DutyClassification d = classify(400, 100);
    EXPECT_EQ(d.loadSpectrumFactor, 0.25f);
    EXPECT_EQ(d.classQ, 2);
    d = classify(400, 50);
    EXPECT_EQ(d.classQ, 1);
    d = classify(3, 1);
    EXPECT_EQ(d.loadSpectrumFactor, static_cast<float>(1.0 / 3));
}

TEST(DutyClassQ, FactorsNoClassCoversGetTheHeaviestClass) {
    EXPECT_EQ(classify(0, 1.5f).classQ, 4);
    EXPECT_EQ(classify(0, std::numeric_limits<float>::infinity()).classQ, 4);
    EXPECT_EQ(classify(0, std::numeric_limits<float>::quiet_NaN()).classQ, 4);
    EXPECT_EQ(classify(0, -2.0f).classQ, 1); // below every bound
}

TEST(DutyGroup, FollowsTheWholeGroupTableOfTheStandard) {
    // ISO 4301/1: group An by load spectrum class (rows Q1 … Q4) and class of use (U0 … U9).
    const int expected[4][10] = {
        {1, 1, 1, 2, 3, 4, 5, 6, 7, 8},
        {1, 1, 2, 3, 4, 5, 6, 7, 8, 8},
        {1, 2, 3, 4, 5, 6, 7, 8, 8, 8},
        {2, 3, 4, 5, 6, 7, 8, 8, 8, 8},
    };
    // A total inside each class of use, and a factor inside each load spectrum class.
    const std::uint32_t totals[10] = {1000,   16000,  32000,   63000,   125000,
                                      250000, 500000, 1000000, 2000000, 4000000};
    const double factors[4] = {0.1, 0.2, 0.4, 0.8};
    for (int q = 0; q < 4; ++q)
        for (int u = 0; u < 10; ++u) {
            const DutyClassification d =
                classify(totals[u], static_cast<float>(factors[q] * totals[u]));
            EXPECT_EQ(d.classU, u);
            EXPECT_EQ(d.classQ, q + 1);
            EXPECT_EQ(d.groupA, expected[q][u]) << "Q" << q + 1 << " U" << u;
        }
}

TEST(DutyNormativeNumber, FollowsTheNormativeGroup) {
    const auto normative = [](int group) {
        return classifyDuty(Counters{}, 0, group).normativeCharacteristicNumber;
    };
    EXPECT_EQ(normative(1), 8000);
    EXPECT_EQ(normative(5), 125000);
    EXPECT_EQ(normative(8), 1000000);
    EXPECT_EQ(normative(9), 0);
    EXPECT_EQ(normative(0), 0);
    EXPECT_EQ(normative(-127), 0);
}
