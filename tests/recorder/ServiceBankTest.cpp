#include "core/recorder/ServiceBank.h"

#include "RecordingBuilder.h"
#include "core/common/NumberFormat.h"
#include "core/recorder/FileMap.h"

#include <gtest/gtest.h>
#include <limits>

using namespace zurval;

namespace {

QString q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

std::size_t at(int bank, std::size_t offset) {
    return (bank == 1 ? filemap::kBank1 : filemap::kBank0) + offset;
}

// Distinct identification and times per bank, so a test can tell which bank it sees.
RecordingBuilder twoBanks(std::uint32_t motor0, std::uint32_t motor1) {
    RecordingBuilder b;
    for (int bank = 0; bank < 2; ++bank) {
        b.u16le(at(bank, 0x00), static_cast<std::uint16_t>(100 + bank))
            .u8(at(bank, 0x04), static_cast<std::uint8_t>(bank + 1))
            .raw(at(bank, 0x07), {static_cast<std::uint8_t>('K' + bank)})
            .u32le(at(bank, 0x87), static_cast<std::uint32_t>(3600 * (bank + 1)))
            .u32le(at(bank, 0xA0), static_cast<std::uint32_t>(100 * (bank + 1)));
    }
    b.u24le(at(0, 0x9C), motor0).u24le(at(1, 0x9C), motor1);
    return b;
}

class ServicePage : public ::testing::Test {
protected:
    void SetUp() override { setDecimalSeparator(QChar(',')); }
};

} // namespace

TEST(LoadRanges, CaptionsAndSuffixesRunFromTenPercentToAbove125) {
    EXPECT_STREQ(kLoadRanges[0].caption, "M < 10%");
    EXPECT_STREQ(kLoadRanges[0].controlSuffix, "10");
    EXPECT_STREQ(kLoadRanges[9].caption, "90% < M < 100%");
    EXPECT_STREQ(kLoadRanges[12].caption, "120% < M < 125%");
    EXPECT_STREQ(kLoadRanges[12].controlSuffix, "125");
    EXPECT_STREQ(kLoadRanges[13].caption, "125% < M ");
    EXPECT_STREQ(kLoadRanges[13].controlSuffix, "b125");
}

TEST(DeviceText, ReplacesTheTwoDeviceLettersAndStopsAtZero) {
    RecordingBuilder b;
    b.raw(0x07, {0xA0, 0x2D, 0xA8, 0x31, 0x00, 0xC0}).raw(0x14, {0xA0, 0x2D, 0xA8, 0x31});
    const ServiceBankValues v = decodeServiceBank(ByteReader(b.bytes()), 0);
    EXPECT_EQ(v.craneModel, q("Б-П1"));
    EXPECT_EQ(v.recorderNumber, q("\u00A0-Ё1")); // plain code page 1251
    EXPECT_EQ(deviceText(ByteReader(b.bytes()), 0x07, 2), q("Б-"));
}

TEST(DeviceText, FullWidthFieldsDoNotRunIntoTheNextField) {
    RecordingBuilder b;
    b.fill(0x07, 13, 'X').fill(0x14, 9, '9').u8(0x1D, '1');
    const ServiceBankValues v = decodeServiceBank(ByteReader(b.bytes()), 0);
    EXPECT_EQ(v.craneModel, QString(13, QChar('X')));
    EXPECT_EQ(v.recorderNumber, QString(9, QChar('9')));
}

TEST(BcdDate, ShowsEveryByteAsTwoUpperCaseHexDigits) {
    const std::vector<std::uint8_t> bytes = {0x31, 0x12, 0x99, 0x15, 0x06, 0x05, 0xFF, 0x0A, 0x00};
    const ByteReader r(bytes);
    EXPECT_EQ(bcdDate(r, 0), q("31.12.99"));
    EXPECT_EQ(bcdDate(r, 3), q("15.06.05"));
    EXPECT_EQ(bcdDate(r, 6), q("FF.0A.00"));
    EXPECT_EQ(bcdDate(r, 8), q("00.00.00")); // past the end
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

TEST(DecodeServiceBank, ReadsEveryFieldAtItsOffsetInBank1) {
    RecordingBuilder b;
    const std::size_t s = filemap::kBank1;
    b.u16le(s + 0x00, 0xFFFF)
        .u16le(s + 0x02, 2005)
        .u8(s + 0x04, 0xFE)
        .u8(s + 0x05, 9)
        .u8(s + 0x06, 7)
        .raw(s + 0x07, {'K', 'B'})
        .raw(s + 0x14, {'R', '5'})
        .u8(s + 0x1D, 4)
        .u8(s + 0x1E, 0x80)
        .raw(s + 0x1F, {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x10, 0x11, 0x12})
        .f32le(s + 0x2C, 3.5f)
        .u24le(s + 0x31, 1)
        .u24le(s + 0x31 + 3 * 13, 0xFFFFFF)
        .u24le(s + 0x5C, 2)
        .u24le(s + 0x5C + 3 * 13, 0x123456)
        .u32le(s + 0x87, 11)
        .u32le(s + 0x87 + 4 * 4, 0xFFFFFFFF)
        .u24le(s + 0x9C, 0x0A0B0C)
        .u32le(s + 0xA0, 0x80000000);
    const ServiceBankValues v = decodeServiceBank(ByteReader(b.bytes()), 1);
    EXPECT_EQ(v.craneNumber, -1);
    EXPECT_EQ(v.craneYear, 2005);
    EXPECT_EQ(v.version, -2);
    EXPECT_EQ(v.jibKind, 9);
    EXPECT_EQ(v.normativeGroup, 7);
    EXPECT_EQ(v.craneModel, q("KB"));
    EXPECT_EQ(v.recorderNumber, q("R5"));
    EXPECT_EQ(v.programMajor, 4);
    EXPECT_EQ(v.programMinor, -128);
    EXPECT_EQ(v.dateInstalled, q("01.02.03"));
    EXPECT_EQ(v.dateParamsChanged, q("04.05.06"));
    EXPECT_EQ(v.dateSetupLast, q("07.08.09"));
    EXPECT_EQ(v.dateSetupBefore, q("10.11.12"));
    EXPECT_EQ(v.characteristicNumber, 3.5f);
    EXPECT_EQ(v.workingCycles[0], 1u);
    EXPECT_EQ(v.workingCycles[13], 0xFFFFFFu);
    EXPECT_EQ(v.relativeCycles[0], 2u);
    EXPECT_EQ(v.relativeCycles[13], 0x123456u);
    EXPECT_EQ(v.operatingSeconds[0], 11);
    EXPECT_EQ(v.operatingSeconds[4], -1);
    EXPECT_EQ(v.motorMinutes, 0x0A0B0Cu);
    EXPECT_EQ(v.liftedMassHundredths, std::numeric_limits<std::int32_t>::min());

    const ServiceBankValues bank0 = decodeServiceBank(ByteReader(b.bytes()), 0);
    EXPECT_EQ(bank0.craneNumber, 0);
    EXPECT_EQ(bank0.motorMinutes, 0u);
}

TEST(SelectBank, Bank1OnlyWhenItsMotorHoursAreStrictlyLarger) {
    EXPECT_EQ(selectBank(ByteReader(twoBanks(1000, 1001).bytes())), 1);
    EXPECT_EQ(selectBank(ByteReader(twoBanks(1001, 1000).bytes())), 0);
    EXPECT_EQ(selectBank(ByteReader(twoBanks(1000, 1000).bytes())), 0);
    EXPECT_EQ(selectBank(ByteReader()), 0);
}

TEST(SelectBank, ComparesOnlyTheThreeCounterBytes) {
    RecordingBuilder b = twoBanks(0x010000, 0x00FFFF);
    b.u8(at(0, 0x9F), 0x00).u8(at(1, 0x9F), 0xFF); // the checksum bytes after the counters
    EXPECT_EQ(selectBank(ByteReader(b.bytes())), 0);
}

TEST_F(ServicePage, AfterLoadShowsTheSelectedBanksIdentificationTimesAndMass) {
    const ServiceInfo bank1 = decodeServiceAfterLoad(ByteReader(twoBanks(1000, 1001).bytes()));
    EXPECT_EQ(bank1.selectedBank, 1);
    EXPECT_EQ(bank1.recorderVersion, 2);
    EXPECT_EQ(bank1.texts.craneNumber, q("101"));
    EXPECT_EQ(bank1.texts.craneModel, q("L"));
    EXPECT_EQ(bank1.texts.operatingTimes[0], q("2:00:00"));
    EXPECT_EQ(bank1.texts.motorHours, q("16:41:00"));
    EXPECT_EQ(bank1.liftedMass, q("2,00 т."));

    for (const auto& [motor0, motor1] : {std::pair{1001u, 1000u}, std::pair{1000u, 1000u}}) {
        const ServiceInfo bank0 =
            decodeServiceAfterLoad(ByteReader(twoBanks(motor0, motor1).bytes()));
        EXPECT_EQ(bank0.selectedBank, 0);
        EXPECT_EQ(bank0.recorderVersion, 1);
        EXPECT_EQ(bank0.texts.craneNumber, q("100"));
        EXPECT_EQ(bank0.texts.operatingTimes[0], q("1:00:00"));
        EXPECT_EQ(bank0.texts.motorHours, formatMotorHours(motor0));
        EXPECT_EQ(bank0.liftedMass, q("1,00 т."));
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
        EXPECT_EQ(info.texts.workingCycles[3], q("700"));
        EXPECT_EQ(info.texts.workingCycles[4], q("900"));
        EXPECT_EQ(info.workingCycles[3], 700u);
        EXPECT_EQ(info.workingCycles[4], 900u);
        EXPECT_EQ(info.texts.relativeCycles[13], q("8388608"));
        EXPECT_EQ(info.texts.workingCycles[0], q("0"));

        const ServicePageTexts bank0 = decodeSingleBank(ByteReader(b.bytes()), 0);
        EXPECT_EQ(bank0.workingCycles[3], q("500"));
        EXPECT_EQ(bank0.workingCycles[4], q("900"));
        EXPECT_EQ(decodeSingleBank(ByteReader(b.bytes()), 1).relativeCycles[13], q("5"));
    }
}

TEST_F(ServicePage, CharacteristicNumberIsTheLargerOfTheTwoBanks) {
    RecordingBuilder b = twoBanks(1000, 1000);
    b.f32le(at(0, 0x2C), 12.5f).f32le(at(1, 0x2C), 9.75f);
    const ServiceInfo info = decodeServiceAfterLoad(ByteReader(b.bytes()));
    EXPECT_EQ(info.characteristicNumber, 12.5f);
    EXPECT_EQ(info.texts.characteristicNumber, q("12,50"));
    EXPECT_EQ(decodeSingleBank(ByteReader(b.bytes()), 1).characteristicNumber, q("9,75"));

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
    EXPECT_EQ(info.texts.craneNumber, q("-1"));
    EXPECT_EQ(info.texts.craneYear, q("2005"));
    EXPECT_EQ(info.texts.craneType, q("Башенный"));
    EXPECT_EQ(info.texts.jib, q("Балочная"));
    EXPECT_EQ(info.texts.normativeGroup, q("A1"));
    EXPECT_EQ(info.texts.programVersion, q("3.1.2"));
    EXPECT_EQ(info.texts.dateInstalled, q("31.12.99"));
    EXPECT_EQ(info.liftedMass, q("123,45 т."));
    EXPECT_EQ(decodeSingleBank(ByteReader(b.bytes()), 0).programVersion, q("3.1"));

    b.u8(0x05, 1).u8(0x06, 7).u32le(0xA0, static_cast<std::uint32_t>(-5));
    info = decodeServiceAfterLoad(ByteReader(b.bytes()));
    EXPECT_EQ(info.texts.jib, q("Маховая"));
    EXPECT_EQ(info.texts.normativeGroup, q("A8"));
    EXPECT_EQ(info.liftedMass, q("-0,05 т."));
    b.u8(0x05, 0xFF);
    EXPECT_EQ(decodeServiceAfterLoad(ByteReader(b.bytes())).texts.jib, q("Маховая"));
}

TEST_F(ServicePage, RemovalDatesFollowTheBanksForBothCommands) {
    RecordingBuilder b;
    for (int k = 0; k < filemap::kRemovalDateCount; ++k)
        b.raw(352 + 3 * k, {static_cast<std::uint8_t>(k), 0x06, 0x05});
    b.u8(382, 0x77); // the byte after the last date
    const ByteReader r(b.bytes());
    const ServiceInfo info = decodeServiceAfterLoad(r);
    const ServicePageTexts bank1 = decodeSingleBank(r, 1);
    EXPECT_EQ(info.texts.removalDates[0], q("00.06.05"));
    EXPECT_EQ(info.texts.removalDates[9], q("09.06.05"));
    EXPECT_EQ(bank1.removalDates, info.texts.removalDates);
}
