#include "core/recorder/ServiceBank.h"

#include "BankRecordings.h"
#include "RecordingBuilder.h"
#include "core/recorder/FileMap.h"

#include <gtest/gtest.h>
#include <limits>

using namespace zurval;
using namespace zurval::testing;

namespace {

QString q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

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
    EXPECT_EQ(v.dateInstalled, (RecorderDate{0x01, 0x02, 0x03}));
    EXPECT_EQ(v.dateParamsChanged, (RecorderDate{0x04, 0x05, 0x06}));
    EXPECT_EQ(v.dateSetupLast, (RecorderDate{0x07, 0x08, 0x09}));
    EXPECT_EQ(v.dateSetupBefore, (RecorderDate{0x10, 0x11, 0x12}));
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
