#pragma once

#include "core/recorder/ServiceBank.h"

#include <array>

namespace zurval {

// Duty of the crane after ISO 4301/1, from the working-cycle counters shown on the page.
struct DutyClassification {
    std::array<int, kLoadRangeCount> gaugePercent{}; // CGauge_...: share of the largest range
    int normativeCharacteristicNumber = 0;           // Label_NHarch
    int classU = 0;                                  // Label_KIspU "U<n>"
    float loadSpectrumFactor = 0;                    // Label_KNag "#0.000"
    int classQ = 1;                                  // Label_RezhQ "Q<n>"
    int groupA = 1;                                  // Label_RezhA "A<n>"
};

// normativeGroup is the n of the crane's normative group An (the bank's byte plus one).
[[nodiscard]] DutyClassification
classifyDuty(const std::array<std::uint32_t, kLoadRangeCount>& workingCycles,
             float characteristicNumber, int normativeGroup);

} // namespace zurval
