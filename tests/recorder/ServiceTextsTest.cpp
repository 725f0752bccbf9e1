#include "core/recorder/ServiceTexts.h"

#include "BankRecordings.h"
#include "core/common/NumberFormat.h"

#include <gtest/gtest.h>
#include <limits>

using namespace zurval;
using namespace zurval::testing;

namespace {

QString q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

class ServicePage : public ::testing::Test {
protected:
    void SetUp() override { setDecimalSeparator(QChar(',')); }
};

} // namespace

TEST(DateText, ShowsEveryByteAsTwoUpperCaseHexDigits) {
    EXPECT_EQ(dateText({0x31, 0x12, 0x99}), q("31.12.99"));
    EXPECT_EQ(dateText({0x15, 0x06, 0x05}), q("15.06.05"));
    EXPECT_EQ(dateText({0xFF, 0x0A, 0x00}), q("FF.0A.00"));
    EXPECT_EQ(timeText({0x23, 0x5F, 0x00}), q("23:5F:00"));
}

TEST(OperatingTime, ShowsHoursMinutesAndSeconds) {
    EXPECT_EQ(formatOperatingTime(3725), q("1:02:05"));
    EXPECT_EQ(formatOperatingTime(0), q("0:00:00"));
    EXPECT_EQ(formatOperatingTime(59), q("0:00:59"));
    EXPECT_EQ(formatOperatingTime(360000), q("100:00:00"));
    EXPECT_EQ(formatOperatingTime(std::numeric_limits<std::int32_t>::max()), q("596523:14:07"));
}

TEST(OperatingTime, NegativeTimesCarryOneLeadingMinus) {
    EXPECT_EQ(formatOperatingTime(-3725), q("-1:02:05"));
    EXPECT_EQ(formatOperatingTime(-59), q("-0:00:59"));
    EXPECT_EQ(formatOperatingTime(std::numeric_limits<std::int32_t>::min()), q("-596523:14:08"));
}

TEST(MotorHours, ShowsHoursMinutesAndZeroSeconds) {
    EXPECT_EQ(formatMotorHours(1505), q("25:05:00"));
    EXPECT_EQ(formatMotorHours(59), q("0:59:00"));
    EXPECT_EQ(formatMotorHours(0), q("0:00:00"));
    EXPECT_EQ(formatMotorHours(0xFFFFFF), q("279620:15:00"));
}

TEST_F(ServicePage, AfterLoadShowsTheSelectedBanksIdentificationTimesAndMass) {
    const ServiceInfo bank1 = decodeServiceAfterLoad(ByteReader(twoBanks(1000, 1001).bytes()));
    EXPECT_EQ(bank1.selectedBank, 1);
    EXPECT_EQ(bank1.recorderVersion, 2);
    EXPECT_EQ(servicePageTexts(bank1).craneNumber, q("101"));
    EXPECT_EQ(servicePageTexts(bank1).craneModel, q("L"));
    EXPECT_EQ(servicePageTexts(bank1).operatingTimes[0], q("2:00:00"));
    EXPECT_EQ(servicePageTexts(bank1).motorHours, q("16:41:00"));
    EXPECT_EQ(liftedMassText(bank1), q("2,00 т."));

    for (const auto& [motor0, motor1] : {std::pair{1001u, 1000u}, std::pair{1000u, 1000u}}) {
        const ServiceInfo bank0 =
            decodeServiceAfterLoad(ByteReader(twoBanks(motor0, motor1).bytes()));
        EXPECT_EQ(bank0.selectedBank, 0);
        EXPECT_EQ(bank0.recorderVersion, 1);
        EXPECT_EQ(servicePageTexts(bank0).craneNumber, q("100"));
        EXPECT_EQ(servicePageTexts(bank0).operatingTimes[0], q("1:00:00"));
        EXPECT_EQ(servicePageTexts(bank0).motorHours, formatMotorHours(motor0));
        EXPECT_EQ(liftedMassText(bank0), q("1,00 т."));
    }
}

TEST_F(ServicePage, CycleCountersTakeTheLargerBankPerRangeWhicheverBankIsSelected) {
    for (const auto& [motor0, motor1] : {std::pair{1000u, 1001u}, std::pair{1001u, 1000u}}) {
        RecordingBuilder b = twoBanks(motor0, motor1);
        b.u24le(at(0, 0x31 + 3 * 3), 500)
            .u24le(at(1, 0x31 + 3 * 3), 700)
            .u24le(at(0, 0x31 + 3 * 4), 900)
            .u24le(at(1, 0x31 + 3 * 4), 100)
            .u24le(at(0, 0x5C + 3 * 13), 0x800000)
            .u24le(at(1, 0x5C + 3 * 13), 5);
        const ServiceInfo info = decodeServiceAfterLoad(ByteReader(b.bytes()));
        EXPECT_EQ(servicePageTexts(info).workingCycles[3], q("700"));
        EXPECT_EQ(servicePageTexts(info).workingCycles[4], q("900"));
        EXPECT_EQ(info.workingCycles[3], 700u);
        EXPECT_EQ(info.workingCycles[4], 900u);
        EXPECT_EQ(servicePageTexts(info).relativeCycles[13], q("8388608"));
        EXPECT_EQ(servicePageTexts(info).workingCycles[0], q("0"));

        const ServicePageTexts bank0 = servicePageTexts(decodeSingleBank(ByteReader(b.bytes()), 0));
        EXPECT_EQ(bank0.workingCycles[3], q("500"));
        EXPECT_EQ(bank0.workingCycles[4], q("900"));
        EXPECT_EQ(servicePageTexts(decodeSingleBank(ByteReader(b.bytes()), 1)).relativeCycles[13],
                  q("5"));
    }
}

TEST_F(ServicePage, CharacteristicNumberIsTheLargerOfTheTwoBanks) {
    RecordingBuilder b = twoBanks(1000, 1000);
    b.f32le(at(0, 0x2C), 12.5f).f32le(at(1, 0x2C), 9.75f);
    const ServiceInfo info = decodeServiceAfterLoad(ByteReader(b.bytes()));
    EXPECT_EQ(info.characteristicNumber, 12.5f);
    EXPECT_EQ(servicePageTexts(info).characteristicNumber, q("12,50"));
    EXPECT_EQ(servicePageTexts(decodeSingleBank(ByteReader(b.bytes()), 1)).characteristicNumber,
              q("9,75"));

    b.f32le(at(0, 0x2C), 9.75f).f32le(at(1, 0x2C), 12.5f);
    EXPECT_EQ(decodeServiceAfterLoad(ByteReader(b.bytes())).characteristicNumber, 12.5f);
}

TEST_F(ServicePage, ANotANumberCharacteristicNumberLosesToTheOtherBank) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    RecordingBuilder b = twoBanks(1000, 1000);
    b.f32le(at(0, 0x2C), 4.0f).f32le(at(1, 0x2C), nan);
    EXPECT_EQ(decodeServiceAfterLoad(ByteReader(b.bytes())).characteristicNumber, 4.0f);
    b.f32le(at(0, 0x2C), nan).f32le(at(1, 0x2C), 3.0f);
    EXPECT_EQ(decodeServiceAfterLoad(ByteReader(b.bytes())).characteristicNumber, 3.0f);
}

TEST_F(ServicePage, AfterLoadDecodesTheIdentificationTexts) {
    RecordingBuilder b = twoBanks(1, 0);
    b.u16le(0x00, 0xFFFF).u16le(0x02, 2005).u8(0x04, 2).u8(0x05, 0).u8(0x06, 0);
    b.u8(0x1D, 3).u8(0x1E, 1).raw(0x1F, {0x31, 0x12, 0x99}).u32le(0xA0, 12345);
    ServiceInfo info = decodeServiceAfterLoad(ByteReader(b.bytes()));
    EXPECT_EQ(servicePageTexts(info).craneNumber, q("-1"));
    EXPECT_EQ(servicePageTexts(info).craneYear, q("2005"));
    EXPECT_EQ(servicePageTexts(info).craneType, q("Башенный"));
    EXPECT_EQ(servicePageTexts(info).jib, q("Балочная"));
    EXPECT_EQ(servicePageTexts(info).normativeGroup, q("A1"));
    EXPECT_EQ(servicePageTexts(info).programVersion, q("3.1.2"));
    EXPECT_EQ(servicePageTexts(info).dateInstalled, q("31.12.99"));
    EXPECT_EQ(liftedMassText(info), q("123,45 т."));
    EXPECT_EQ(servicePageTexts(decodeSingleBank(ByteReader(b.bytes()), 0)).programVersion,
              q("3.1"));

    b.u8(0x05, 1).u8(0x06, 7).u32le(0xA0, static_cast<std::uint32_t>(-5));
    info = decodeServiceAfterLoad(ByteReader(b.bytes()));
    EXPECT_EQ(servicePageTexts(info).jib, q("Маховая"));
    EXPECT_EQ(servicePageTexts(info).normativeGroup, q("A8"));
    EXPECT_EQ(liftedMassText(info), q("-0,05 т."));
    b.u8(0x05, 0xFF);
    EXPECT_EQ(servicePageTexts(decodeServiceAfterLoad(ByteReader(b.bytes()))).jib, q("Маховая"));
}

TEST_F(ServicePage, RemovalDatesFollowTheBanksForBothCommands) {
    RecordingBuilder b;
    for (int k = 0; k < filemap::kRemovalDateCount; ++k)
        b.raw(352 + 3 * k, {static_cast<std::uint8_t>(k), 0x06, 0x05});
    b.u8(382, 0x77); // the byte after the last date
    const ByteReader r(b.bytes());
    const ServiceInfo info = decodeServiceAfterLoad(r);
    const ServicePageTexts bank1 = servicePageTexts(decodeSingleBank(r, 1));
    EXPECT_EQ(servicePageTexts(info).removalDates[0], q("00.06.05"));
    EXPECT_EQ(servicePageTexts(info).removalDates[9], q("09.06.05"));
    EXPECT_EQ(bank1.removalDates, servicePageTexts(info).removalDates);
}

TEST(DutyTexts, AreTheLabelsOfTheServicePage) {
    setDecimalSeparator(QChar(','));
    std::array<std::uint32_t, kLoadRangeCount> cycles{125000};
    const DutyTexts t = dutyTexts(classifyDuty(cycles, 1125, 5));
    EXPECT_EQ(t.normativeCharacteristicNumber, "125000");
    EXPECT_EQ(t.classU, "U4");
    EXPECT_EQ(t.loadSpectrumFactor, "0,009");
    EXPECT_EQ(t.classQ, "Q1");
    EXPECT_EQ(t.groupA, "A3");
}
