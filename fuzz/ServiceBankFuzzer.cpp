#include "FileAreas.h"
#include "core/recorder/Checksums.h"
#include "core/recorder/DutyClassification.h"
#include "core/recorder/ServiceTexts.h"

#include <cmath>

// zurval-fuzz-banks: the two service banks and the removal dates alone. Each input checks
// the bank blocks, decodes the banks as the open command and as Банк-0 and Банк-1 show them,
// and rates the crane's duty from them, whatever the floats hold (NaN and infinities too).

using namespace zurval;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::AreaImage image(fuzz::kServiceBankAreas);
    const ByteReader r = image.place(data, size);

    [[maybe_unused]] const QStringList messages = failedBlockMessages(r, serviceBankBlocks());
    const ServiceInfo info = decodeServiceAfterLoad(r);
    for (const int bank : {0, 1})
        [[maybe_unused]] const ServicePageTexts texts = servicePageTexts(decodeSingleBank(r, bank));

    const DutyClassification duty =
        classifyDuty(info.workingCycles, info.characteristicNumber, info.normativeGroup);
    require(duty.classU >= 0 && duty.classU <= 9, "a class of utilization U0 to U9");
    require(duty.classQ >= 1 && duty.classQ <= 4, "a load spectrum class Q1 to Q4");
    require(duty.groupA >= 1 && duty.groupA <= 8, "a group A1 to A8");
    require(duty.loadSpectrumFactor <= 1 || duty.classQ == 4,
            "a factor no class covers, NaN too, gets the heaviest class");
    for (const int percent : duty.gaugePercent)
        require(percent >= 0 && percent <= 100, "a gauge shows 0 to 100 %");
    [[maybe_unused]] const DutyTexts texts = dutyTexts(duty);
    [[maybe_unused]] const ServicePageTexts shown = servicePageTexts(info);
    return 0;
}
