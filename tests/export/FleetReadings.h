#pragma once

#include "RecordingBuilder.h"
#include "core/export/FleetSummary.h"
#include "core/recorder/FileMap.h"

#include <array>
#include <cstdint>
#include <vector>

namespace zurval::testing {

// One reading of a crane as the builder writes it: intact, layout 2.
struct Reading {
    const char* model;
    int craneNumber;
    const char* recorder;
    int normativeGroupByte; // 3 is A4
    float characteristicNumber;
    std::uint32_t cyclesBelow10; // range 0, to reach a class of utilization
    std::array<std::uint32_t, kRangesAbove100> cyclesAbove100;
    std::uint32_t motorMinutes;
    std::vector<int> overloadPercents; // oldest first; record k is dated 0k+1.01.26
    const char* readingDate;
};

inline RecordingBuilder reading(const Reading& r) {
    ServiceBankValues v;
    v.version = 2;
    v.craneModel = QString::fromUtf8(r.model);
    v.craneNumber = static_cast<std::int16_t>(r.craneNumber);
    v.recorderNumber = QString::fromUtf8(r.recorder);
    v.normativeGroup = static_cast<std::int8_t>(r.normativeGroupByte);
    v.characteristicNumber = r.characteristicNumber;
    v.workingCycles[0] = r.cyclesBelow10;
    for (int k = 0; k < kRangesAbove100; ++k)
        v.workingCycles[kFirstRangeAbove100 + k] = r.cyclesAbove100[k];
    v.motorMinutes = r.motorMinutes;
    RecordingBuilder b;
    b.bank(0, v).bank(1, v).frameMark(0, 2);
    for (std::size_t k = 0; k < r.overloadPercents.size(); ++k) {
        const bool newest = k + 1 == r.overloadPercents.size();
        b.overload(static_cast<int>(k),
                   {static_cast<std::int16_t>(1500 + 10 * k),
                    400,
                    static_cast<std::uint8_t>(r.overloadPercents[k]),
                    {RecordingBuilder::bcd(static_cast<int>(k) + 1), 0x01, 0x26},
                    newest ? filemap::kLastRecordMark : std::uint8_t{2}});
    }
    b.fixAllChecksums(2);
    b.operatorBlock(QStringLiteral("Оператор"), {}, {}, QString::fromUtf8(r.readingDate));
    return b;
}

} // namespace zurval::testing
