#include "core/recorder/DutyClassification.h"

#include <cstdint>

namespace zurval {
namespace {

// Classes of utilization, in total working cycles.
constexpr std::array<std::uint64_t, 9> kUtilizationThresholds = {
    16000, 32000, 63000, 125000, 250000, 500000, 1000000, 2000000, 4000000};

// Upper bounds of the load spectrum factor for Q1 … Q4.
constexpr std::array<double, 4> kSpectrumThresholds = {0.125, 0.25, 0.5, 1.0};

// Group An by load spectrum class (rows Q1 … Q4) and class of utilization (U0 … U9).
constexpr int kGroups[4][10] = {
    {1, 1, 1, 2, 3, 4, 5, 6, 7, 8},
    {1, 1, 2, 3, 4, 5, 6, 7, 8, 8},
    {1, 2, 3, 4, 5, 6, 7, 8, 8, 8},
    {2, 3, 4, 5, 6, 7, 8, 8, 8, 8},
};

constexpr int kNormativeNumbers[8] = {8000, 16000, 32000, 63000, 125000, 250000, 500000, 1000000};

// Groups outside A1 … A8 (a damaged bank byte) have no normative number.
int normativeNumber(int group) {
    return group >= 1 && group <= 8 ? kNormativeNumbers[group - 1] : 0;
}

// A factor that no class covers (above 1.0, or not a number at all) gets the heaviest
// class, so that a doubtful rating errs towards more wear, never less. A negative factor
// is below every bound and lands in Q1 by the same walk.
int spectrumClass(float factor) {
    for (std::size_t i = 0; i < kSpectrumThresholds.size(); ++i)
        if (kSpectrumThresholds[i] >= factor)
            return static_cast<int>(i) + 1;
    return static_cast<int>(kSpectrumThresholds.size());
}

} // namespace

DutyClassification classifyDuty(const std::array<std::uint32_t, kLoadRangeCount>& workingCycles,
                                float characteristicNumber, int normativeGroup) {
    DutyClassification d;

    std::uint64_t total = 0;
    std::uint64_t largest = 0;
    for (const std::uint32_t n : workingCycles) {
        total += n;
        if (n > largest)
            largest = n;
    }
    if (largest == 0)
        largest = 1;
    for (int i = 0; i < kLoadRangeCount; ++i)
        d.gaugePercent[i] = static_cast<int>(workingCycles[i] * std::uint64_t{100} / largest);

    d.normativeCharacteristicNumber = normativeNumber(normativeGroup);

    // A total equal to a threshold already belongs to the higher class.
    d.classU = 0;
    while (d.classU < static_cast<int>(kUtilizationThresholds.size()) &&
           kUtilizationThresholds[d.classU] <= total)
        ++d.classU;

    if (total == 0)
        total = 1;
    d.loadSpectrumFactor =
        static_cast<float>(static_cast<double>(characteristicNumber) / static_cast<double>(total));
    d.classQ = spectrumClass(d.loadSpectrumFactor);
    d.groupA = kGroups[d.classQ - 1][d.classU];
    return d;
}

} // namespace zurval
