#include "core/recorder/ServiceBank.h"

#include "core/common/Cp1251.h"
#include "core/recorder/RecorderFile.h"

#include <algorithm>
#include <cmath>

namespace zurval {

const std::array<LoadRange, kLoadRangeCount> kLoadRanges = {{
    {"M < 10%", "10"},
    {"10% < M < 20%", "20"},
    {"20% < M < 30%", "30"},
    {"30% < M < 40%", "40"},
    {"40% < M < 50%", "50"},
    {"50% < M < 60%", "60"},
    {"60% < M < 70%", "70"},
    {"70% < M < 80%", "80"},
    {"80% < M < 90%", "90"},
    {"90% < M < 100%", "100"},
    {"100% < M < 110%", "110"},
    {"110% < M < 120%", "120"},
    {"120% < M < 125%", "125"},
    {"125% < M ", "b125"},
}};

namespace {

using namespace bankmap;

constexpr std::uint8_t kDeviceB = 0xA0;
constexpr std::uint8_t kDeviceP = 0xA8;
constexpr char kCp1251B = '\xC1';
constexpr char kCp1251P = '\xCF';

std::size_t bankBase(int bank) {
    return bank == 1 ? filemap::kBank1 : filemap::kBank0;
}

RemovalDates removalDates(const ByteReader& r) {
    RemovalDates dates;
    for (int k = 0; k < filemap::kRemovalDateCount; ++k)
        dates[k] = storedDate(r, filemap::kRemovalDates + 3 * k);
    return dates;
}

// A bank whose characteristic number is not a number lost it to corruption; the other
// bank's value is then the better one to show and to classify with.
float largerCharacteristicNumber(float bank0, float bank1) {
    if (std::isnan(bank1))
        return bank0;
    return bank0 > bank1 ? bank0 : bank1;
}

} // namespace

QString deviceText(const ByteReader& r, std::size_t off, std::size_t width) {
    QByteArray bytes = zeroTerminated(r, off, width);
    for (char& c : bytes) {
        if (static_cast<std::uint8_t>(c) == kDeviceB)
            c = kCp1251B;
        else if (static_cast<std::uint8_t>(c) == kDeviceP)
            c = kCp1251P;
    }
    return fromCp1251(bytes);
}

RecorderDate storedDate(const ByteReader& r, std::size_t off) {
    return {r.u8(off), r.u8(off + 1), r.u8(off + 2)};
}

ServiceBankValues decodeServiceBank(const ByteReader& r, int bank) {
    const std::size_t base = bankBase(bank);
    ServiceBankValues v;
    v.craneNumber = r.s16le(base + kCraneNumber);
    v.craneYear = r.s16le(base + kCraneYear);
    v.version = r.s8(base + kVersion);
    v.jibKind = r.u8(base + kJibKind);
    v.normativeGroup = r.s8(base + kNormativeGroup);
    v.craneModel = deviceText(r, base + kCraneModel, kCraneModelWidth);
    v.recorderNumber = fromCp1251(zeroTerminated(r, base + kRecorderNumber, kRecorderNumberWidth));
    v.programMajor = r.s8(base + kProgramMajor);
    v.programMinor = r.s8(base + kProgramMinor);
    v.dateInstalled = storedDate(r, base + kDateInstalled);
    v.dateParamsChanged = storedDate(r, base + kDateParamsChanged);
    v.dateSetupLast = storedDate(r, base + kDateSetupLast);
    v.dateSetupBefore = storedDate(r, base + kDateSetupBefore);
    v.characteristicNumber = r.f32le(base + kCharacteristicNumber);
    for (int k = 0; k < kLoadRangeCount; ++k) {
        v.workingCycles[k] = r.u24le(base + kWorkingCycles + 3 * k);
        v.relativeCycles[k] = r.u24le(base + kRelativeCycles + 3 * k);
    }
    for (int k = 0; k < kOperatingTimeCount; ++k)
        v.operatingSeconds[k] = r.s32le(base + kOperatingSeconds + 4 * k);
    v.motorMinutes = r.u24le(base + kMotorMinutes);
    v.liftedMassHundredths = r.s32le(base + kLiftedMass);
    return v;
}

int selectBank(const ByteReader& r) {
    const std::uint32_t bank0 = r.u24le(filemap::kBank0 + kMotorMinutes);
    const std::uint32_t bank1 = r.u24le(filemap::kBank1 + kMotorMinutes);
    return bank0 < bank1 ? 1 : 0;
}

ServiceInfo decodeServiceAfterLoad(const ByteReader& r) {
    const ServiceBankValues bank0 = decodeServiceBank(r, 0);
    const ServiceBankValues bank1 = decodeServiceBank(r, 1);

    ServiceInfo info;
    info.selectedBank = selectBank(r);
    info.selected = info.selectedBank == 1 ? bank1 : bank0;
    info.recorderVersion = info.selected.version;
    info.normativeGroup = int{info.selected.normativeGroup} + 1;
    info.motorMinutes = info.selected.motorMinutes;
    info.operatingSeconds = info.selected.operatingSeconds;
    info.characteristicNumber =
        largerCharacteristicNumber(bank0.characteristicNumber, bank1.characteristicNumber);
    // Each counter only ever grows, so per range the larger of the two copies is the
    // newer one, whichever bank is selected as a whole.
    for (int k = 0; k < kLoadRangeCount; ++k) {
        info.workingCycles[k] = std::max(bank0.workingCycles[k], bank1.workingCycles[k]);
        info.relativeCycles[k] = std::max(bank0.relativeCycles[k], bank1.relativeCycles[k]);
    }
    info.removalDates = removalDates(r);
    return info;
}

SingleBank decodeSingleBank(const ByteReader& r, int bank) {
    return {decodeServiceBank(r, bank), removalDates(r)};
}

} // namespace zurval
