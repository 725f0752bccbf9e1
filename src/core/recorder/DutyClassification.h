#pragma once

#include "core/recorder/ServiceBank.h"

#include <QString>
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

// The results as the service page and the information card show them.
struct DutyTexts {
    QString normativeCharacteristicNumber; // Label_NHarch
    QString classU;                        // Label_KIspU, "U4"
    QString loadSpectrumFactor;            // Label_KNag, "#0.000"
    QString classQ;                        // Label_RezhQ, "Q1"
    QString groupA;                        // Label_RezhA, "A3"
};
[[nodiscard]] DutyTexts dutyTexts(const DutyClassification& d);
// "A" followed by the group number: the normative group and the current one alike.
[[nodiscard]] QString groupText(int group);

} // namespace zurval
