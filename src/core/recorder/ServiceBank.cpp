#include "core/recorder/ServiceBank.h"

#include "core/common/Cp1251.h"
#include "core/common/NumberFormat.h"
#include "core/recorder/DutyClassification.h"
#include "core/recorder/FileMap.h"
#include "core/recorder/RecorderFile.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

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

QString hexByte(std::uint8_t b) {
    return QStringLiteral("%1").arg(unsigned{b}, 2, 16, QChar('0')).toUpper();
}

// The fields that the open command and the bank commands show alike.
ServicePageTexts bankTexts(const ServiceBankValues& b) {
    ServicePageTexts t;
    t.craneModel = b.craneModel;
    t.craneNumber = QString::number(b.craneNumber);
    t.craneType = QStringLiteral("Башенный");
    t.jib = b.jibKind == 0 ? QStringLiteral("Балочная") : QStringLiteral("Маховая");
    t.craneYear = QString::number(b.craneYear);
    t.programVersion = QStringLiteral("%1.%2").arg(int{b.programMajor}).arg(int{b.programMinor});
    t.recorderNumber = b.recorderNumber;
    t.dateInstalled = b.dateInstalled;
    t.dateParamsChanged = b.dateParamsChanged;
    t.dateSetupLast = b.dateSetupLast;
    t.dateSetupBefore = b.dateSetupBefore;
    t.normativeGroup = groupText(int{b.normativeGroup} + 1);
    t.characteristicNumber = formatPattern(b.characteristicNumber, "#0.00");
    for (int k = 0; k < kOperatingTimeCount; ++k)
        t.operatingTimes[k] = formatOperatingTime(b.operatingSeconds[k]);
    t.motorHours = formatMotorHours(b.motorMinutes);
    for (int k = 0; k < kLoadRangeCount; ++k) {
        t.workingCycles[k] = QString::number(b.workingCycles[k]);
        t.relativeCycles[k] = QString::number(b.relativeCycles[k]);
    }
    return t;
}

std::array<QString, filemap::kRemovalDateCount> removalDates(const ByteReader& r) {
    std::array<QString, filemap::kRemovalDateCount> dates;
    for (int k = 0; k < filemap::kRemovalDateCount; ++k)
        dates[k] = bcdDate(r, filemap::kRemovalDates + 3 * k);
    return dates;
}

// A bank whose characteristic number is not a number lost it to corruption; the other
// bank's value is then the better one to show and to classify with.
float largerCharacteristicNumber(float bank0, float bank1) {
    if (std::isnan(bank1))
        return bank0;
    return bank0 > bank1 ? bank0 : bank1;
}

QString hoursMinutesSeconds(long long seconds) {
    const long long hours = seconds / 3600;
    const long long minutes = seconds / 60 - hours * 60;
    return QStringLiteral("%1:%2:%3")
        .arg(hours)
        .arg(minutes, 2, 10, QChar('0'))
        .arg(seconds % 60, 2, 10, QChar('0'));
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

QString bcdDate(const ByteReader& r, std::size_t off) {
    const QChar dot('.');
    return hexByte(r.u8(off)) + dot + hexByte(r.u8(off + 1)) + dot + hexByte(r.u8(off + 2));
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
    v.dateInstalled = bcdDate(r, base + kDateInstalled);
    v.dateParamsChanged = bcdDate(r, base + kDateParamsChanged);
    v.dateSetupLast = bcdDate(r, base + kDateSetupLast);
    v.dateSetupBefore = bcdDate(r, base + kDateSetupBefore);
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
    const ServiceBankValues& selected = info.selectedBank == 1 ? bank1 : bank0;
    info.recorderVersion = selected.version;
    info.normativeGroup = int{selected.normativeGroup} + 1;
    info.motorMinutes = selected.motorMinutes;
    info.operatingSeconds = selected.operatingSeconds;
    info.characteristicNumber =
        largerCharacteristicNumber(bank0.characteristicNumber, bank1.characteristicNumber);

    // Each counter only ever grows, so per range the larger of the two copies is the
    // newer one, whichever bank is selected as a whole.
    ServicePageTexts& t = info.texts;
    t = bankTexts(selected);
    t.programVersion += QStringLiteral(".%1").arg(info.recorderVersion);
    t.characteristicNumber = formatPattern(info.characteristicNumber, "#0.00");
    for (int k = 0; k < kLoadRangeCount; ++k) {
        info.workingCycles[k] = std::max(bank0.workingCycles[k], bank1.workingCycles[k]);
        t.workingCycles[k] = QString::number(info.workingCycles[k]);
        t.relativeCycles[k] =
            QString::number(std::max(bank0.relativeCycles[k], bank1.relativeCycles[k]));
    }
    t.removalDates = removalDates(r);
    info.liftedMass =
        formatPattern(selected.liftedMassHundredths / 100.0, "#0.00") + QStringLiteral(" т.");
    return info;
}

ServicePageTexts decodeSingleBank(const ByteReader& r, int bank) {
    ServicePageTexts t = bankTexts(decodeServiceBank(r, bank));
    t.removalDates = removalDates(r);
    return t;
}

// A negative time (a corrupt field) keeps one sign in front of the whole duration rather
// than a sign on each part.
QString formatOperatingTime(std::int32_t seconds) {
    const long long s = seconds;
    return s < 0 ? QStringLiteral("-") + hoursMinutesSeconds(-s) : hoursMinutesSeconds(s);
}

QString formatMotorHours(std::uint32_t minutes) {
    return QStringLiteral("%1:%2:00").arg(minutes / 60).arg(minutes % 60, 2, 10, QChar('0'));
}

} // namespace zurval
