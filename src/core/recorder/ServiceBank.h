#pragma once

#include "core/common/ByteReader.h"

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
// Three bytes as two upper-case hex digits each, joined by ".".
[[nodiscard]] QString bcdDate(const ByteReader& r, std::size_t off);

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
    QString dateInstalled, dateParamsChanged, dateSetupLast, dateSetupBefore;
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

// Texts of the service and load-spectrum pages; the comments name the controls.
struct ServicePageTexts {
    QString craneModel;                                      // Edit_MarkaKr
    QString craneNumber;                                     // Edit_NKr
    QString craneType;                                       // Edit_ModRP
    QString jib;                                             // Edit_IspKr
    QString craneYear;                                       // Edit_GodKr
    QString programVersion;                                  // Edit_VProg
    QString recorderNumber;                                  // Edit_NRP
    QString dateInstalled;                                   // Edit_DataUst
    QString dateParamsChanged;                               // Edit_DataIzm
    QString dateSetupLast;                                   // Edit_DataN0
    QString dateSetupBefore;                                 // Edit_DataN1
    QString normativeGroup;                                  // Edit_GRKr
    QString characteristicNumber;                            // Edit_HarCh
    std::array<QString, kOperatingTimeCount> operatingTimes; // Edit_TimeLS, LN, R, S, GA
    QString motorHours;                                      // Edit_TimeAll
    std::array<QString, 10> removalDates;                    // Edit_DataSchRP0..9
    std::array<QString, kLoadRangeCount> workingCycles;      // Edit_N_...
    std::array<QString, kLoadRangeCount> relativeCycles;     // Edit_ON_...
};

// What the open command shows from the banks.
struct ServiceInfo {
    int selectedBank = 0;
    int recorderVersion = 0;        // the selected bank's version byte
    float characteristicNumber = 0; // the larger of the two banks'
    int normativeGroup = 1;         // the n of An, from the selected bank
    std::uint32_t motorMinutes = 0; // of the selected bank
    std::array<std::int32_t, kOperatingTimeCount> operatingSeconds{}; // of the selected bank
    std::array<std::uint32_t, kLoadRangeCount> workingCycles{};       // per range, the larger
    ServicePageTexts texts;
    QString liftedMass; // Label_QSumm, "123,45 т."
};

[[nodiscard]] ServiceInfo decodeServiceAfterLoad(const ByteReader& r);
// The values of one bank alone, as the menu commands Банк-0 and Банк-1 show them.
[[nodiscard]] ServicePageTexts decodeSingleBank(const ByteReader& r, int bank);

// Time texts: seconds as H:MM:SS, motor minutes as H:MM:00.
[[nodiscard]] QString formatOperatingTime(std::int32_t seconds);
[[nodiscard]] QString formatMotorHours(std::uint32_t minutes);

} // namespace zurval
