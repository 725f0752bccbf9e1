#pragma once

#include "core/common/ByteReader.h"
#include "core/recorder/FileMap.h"
#include "core/recorder/StoredDate.h"

#include <QString>
#include <array>
#include <cstdint>

namespace zurval {

constexpr int kLoadRangeCount = 14;
constexpr int kOperatingTimeCount = 5;

// One range of the load moment relative to the rated one.
struct LoadRange {
    const char* caption;       // as on the page "Наработка"
    const char* controlSuffix; // Edit_N_<suffix>, Edit_ON_<suffix>, CGauge_<suffix>
};
extern const std::array<LoadRange, kLoadRangeCount> kLoadRanges;

// Recorder text up to its first zero byte; the device codes 0xA0 and 0xA8 stand for Б and П.
[[nodiscard]] QString deviceText(const ByteReader& r, std::size_t off, std::size_t width);
// Three bytes as stored: day, month, year.
[[nodiscard]] RecorderDate storedDate(const ByteReader& r, std::size_t off);

// One bank's fields as stored.
struct ServiceBankValues {
    std::int16_t craneNumber = 0;
    std::int16_t craneYear = 0;
    std::int8_t version = 0;
    std::uint8_t jibKind = 0;
    std::int8_t normativeGroup = 0;
    QString craneModel;     // device text
    QString recorderNumber; // code page 1251, no device letters
    std::int8_t programMajor = 0;
    std::int8_t programMinor = 0;
    RecorderDate dateInstalled, dateParamsChanged, dateSetupLast, dateSetupBefore;
    float characteristicNumber = 0;
    std::array<std::uint32_t, kLoadRangeCount> workingCycles{};
    std::array<std::uint32_t, kLoadRangeCount> relativeCycles{};
    std::array<std::int32_t, kOperatingTimeCount> operatingSeconds{};
    std::uint32_t motorMinutes = 0;
    std::int32_t liftedMassHundredths = 0;
};

[[nodiscard]] ServiceBankValues decodeServiceBank(const ByteReader& r, int bank);
// Bank 1 when its motor-hour counter is strictly larger, else bank 0.
[[nodiscard]] int selectBank(const ByteReader& r);

using RemovalDates = std::array<RecorderDate, filemap::kRemovalDateCount>;

// What the open command shows from the banks. Per range the larger counter of the two
// banks is the newer one, whichever bank is selected as a whole.
struct ServiceInfo {
    int selectedBank = 0;
    ServiceBankValues selected;     // the selected bank as stored
    int recorderVersion = 0;        // the selected bank's version byte
    float characteristicNumber = 0; // the larger of the two banks'
    int normativeGroup = 1;         // the n of An, from the selected bank
    std::uint32_t motorMinutes = 0; // of the selected bank
    std::array<std::int32_t, kOperatingTimeCount> operatingSeconds{}; // of the selected bank
    std::array<std::uint32_t, kLoadRangeCount> workingCycles{};       // per range, the larger
    std::array<std::uint32_t, kLoadRangeCount> relativeCycles{};      // per range, the larger
    RemovalDates removalDates{};
};

[[nodiscard]] ServiceInfo decodeServiceAfterLoad(const ByteReader& r);

// One bank alone, as the menu commands Банк-0 and Банк-1 show it.
struct SingleBank {
    ServiceBankValues values;
    RemovalDates removalDates{};
};
[[nodiscard]] SingleBank decodeSingleBank(const ByteReader& r, int bank);

} // namespace zurval
