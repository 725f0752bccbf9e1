#pragma once

#include "core/recorder/DutyClassification.h"
#include "core/recorder/ServiceBank.h"

#include <QString>
#include <array>

namespace zurval {

// Every text the service and load-spectrum pages, the information card and the fleet lists
// show of the banks, the removal dates and the duty rating.

// "DD.MM.YY" and "HH:MM:SS", each stored byte as two hexadecimal digits, so that an erased
// byte shows as "FF".
[[nodiscard]] QString dateText(const RecorderDate& d);
[[nodiscard]] QString timeText(const RecorderTime& t);

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

// What the open command shows: the selected bank, its program version followed by its
// layout version, and per range the larger counter of the two banks.
[[nodiscard]] ServicePageTexts servicePageTexts(const ServiceInfo& info);
// Банк-0 and Банк-1: the fields of that bank alone.
[[nodiscard]] ServicePageTexts servicePageTexts(const SingleBank& bank);
// The bank fields as the clearing leaves them.
[[nodiscard]] ServicePageTexts clearedServiceTexts();

// Label_QSumm, "123,45 т.".
[[nodiscard]] QString liftedMassText(const ServiceInfo& info);

// Time texts: seconds as H:MM:SS, motor minutes as H:MM:00.
[[nodiscard]] QString formatOperatingTime(std::int32_t seconds);
[[nodiscard]] QString formatMotorHours(std::uint32_t minutes);

// The duty rating as the service page and the information card show it.
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
