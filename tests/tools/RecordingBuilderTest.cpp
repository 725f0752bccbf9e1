#include "RecordingBuilder.h"
#include "core/recorder/Checksums.h"
#include "core/recorder/FileMap.h"
#include "core/recorder/ServiceBank.h"

#include <gtest/gtest.h>

using namespace zurval;
using namespace zurval::filemap;

namespace {
using Bytes3 = std::array<std::uint8_t, 3>;
}

TEST(RecordingBuilderBcd, PacksTwoDecimalDigitsPerByteAndReadsDatesAsHex) {
    EXPECT_EQ(RecordingBuilder::bcd(0), 0x00);
    EXPECT_EQ(RecordingBuilder::bcd(7), 0x07);
    EXPECT_EQ(RecordingBuilder::bcd(10), 0x10);
    EXPECT_EQ(RecordingBuilder::bcd(59), 0x59);
    EXPECT_EQ(RecordingBuilder::bcd(99), 0x99);
    EXPECT_EQ(RecordingBuilder::bcdDateBytes("15.03.06"), (Bytes3{0x15, 0x03, 0x06}));
    EXPECT_EQ(RecordingBuilder::bcdDateBytes("FF.00.99"), (Bytes3{0xFF, 0x00, 0x99}));
    EXPECT_EQ(RecordingBuilder::bcdDateBytes(""), (Bytes3{0, 0, 0}));
}

TEST(RecordingBuilderFrame, FieldsLandAtTheirOffsetsAndTheChecksumOnlyForVersionTwo) {
    FrameSlot f;
    f.wind = -1;
    f.travel = 1234;
    f.hookHeight = -32768;
    f.azimuth = 3599;
    f.temperature = -25;
    f.radius = 4000;
    f.force = 32767;
    f.loadMass = 812;
    f.inputs = 0x8001;
    f.relays = 0x1234;
    f.limitsEntered = 0xFFFF;
    f.limitsTriggered = 0x0100;
    f.loadMoment = 0xC8;
    f.dateTime = {0x40, 0x56, 0x11};
    f.health = 0x21;
    f.limitsReached = 0x03;
    f.mark = 2;
    RecordingBuilder b;
    b.fill(kFrames + 7167 * kFrameSize, kFrameSize, 0xEE).frame(7167, f); // the last slot
    const std::size_t at = kFrames + 7167 * kFrameSize;
    {
        const ByteReader r(b.bytes());
        EXPECT_EQ(r.s16le(at + 0), -1);
        EXPECT_EQ(r.s16le(at + 2), 1234);
        EXPECT_EQ(r.s16le(at + 4), -32768);
        EXPECT_EQ(r.s16le(at + 6), 3599);
        EXPECT_EQ(r.s16le(at + 8), -25);
        EXPECT_EQ(r.s16le(at + 10), 4000);
        EXPECT_EQ(r.s16le(at + 12), 32767);
        EXPECT_EQ(r.s16le(at + 14), 812);
        EXPECT_EQ(r.u8(at + 16), 0x01); // low byte first
        EXPECT_EQ(r.u8(at + 17), 0x80);
        EXPECT_EQ(r.u16le(at + 18), 0x1234);
        EXPECT_EQ(r.u16le(at + 20), 0xFFFF);
        EXPECT_EQ(r.u16le(at + 22), 0x0100);
        EXPECT_EQ(r.u8(at + 24), 0xC8);
        EXPECT_EQ(r.bytes(at + 25, 3), (std::vector<std::uint8_t>{0x40, 0x56, 0x11}));
        EXPECT_EQ(r.u8(at + 28), 0x21);
        EXPECT_EQ(r.u8(at + 29), 0x03);
        EXPECT_EQ(r.u8(at + 30), 0xEE); // left for the checksum
        EXPECT_EQ(r.u8(at + 31), 2);
        EXPECT_EQ(r.u8(at + 32), 0); // nothing past the ring
    }
    b.fixAllChecksums(1);
    EXPECT_EQ(b.bytes()[at + 30], 0xEE);
    EXPECT_TRUE(imageSumOk(ByteReader(b.bytes())));
    b.fixAllChecksums(2);
    EXPECT_TRUE(blockChecksumOk(ByteReader(b.bytes()), at, 30));
    EXPECT_TRUE(imageSumOk(ByteReader(b.bytes())));
}

TEST(RecordingBuilderFrame, PointerIsStoredWithItsComplement) {
    RecordingBuilder b;
    b.framePointer(0x8000 + 32 * 5001);
    const ByteReader r(b.bytes());
    EXPECT_EQ(r.u32le(kFramePointer), 0x8000u + 32 * 5001);
    EXPECT_EQ(r.u32le(kFramePointerComplement), ~(0x8000u + 32 * 5001));
}

TEST(RecordingBuilderOverload, FieldsLandAtTheirOffsetsAndStayInsideTheRing) {
    RecordingBuilder b;
    b.fill(kOverloads + 3199 * kOverloadSize, 12, 0xEE); // the last record and the gap after it
    b.overload(3199, {-150, 320, 125, {0x31, 0x12, 0x99}, 0xAF});
    const std::size_t at = kOverloads + 3199 * kOverloadSize;
    {
        const ByteReader r(b.bytes());
        EXPECT_EQ(r.s16le(at), -150);
        EXPECT_EQ(r.s16le(at + 2), 320);
        EXPECT_EQ(r.u8(at + 4), 125);
        EXPECT_EQ(r.bytes(at + 5, 3), (std::vector<std::uint8_t>{0x31, 0x12, 0x99}));
        EXPECT_EQ(r.u8(at + 8), 0xEE);
        EXPECT_EQ(r.u8(at + 9), 0xAF);
        EXPECT_EQ(r.u8(at + 10), 0xEE); // the two bytes before the frames are untouched
    }
    b.fixAllChecksums(0);
    EXPECT_EQ(b.bytes()[at + 8], 0xEE);
    b.fixAllChecksums(2);
    EXPECT_TRUE(blockChecksumOk(ByteReader(b.bytes()), at, 8));
    EXPECT_EQ(b.bytes()[at + 10], 0xEE);
}

TEST(RecordingBuilderBank, EveryFieldRoundTripsThroughTheDecoder) {
    ServiceBankValues v;
    v.craneNumber = -2;
    v.craneYear = 2015;
    v.version = 2;
    v.jibKind = 1;
    v.normativeGroup = 7;
    v.craneModel = QString::fromUtf8("КБ-403Б П1");
    v.recorderNumber = QString::fromUtf8("РП012345");
    v.programMajor = 3;
    v.programMinor = -1;
    v.dateInstalled = {0x15, 0x06, 0x05};
    v.dateParamsChanged = RecordingBuilder::recorderDate("31.12.99");
    v.dateSetupLast = {0xFF, 0xFF, 0xFF};
    v.dateSetupBefore = {};
    v.characteristicNumber = 1843.25f;
    for (int k = 0; k < kLoadRangeCount; ++k) {
        v.workingCycles[k] = 0xFFFFFFu - static_cast<std::uint32_t>(k);
        v.relativeCycles[k] = static_cast<std::uint32_t>(k * 1000 + 1);
    }
    v.operatingSeconds = {17352417, 0, -1, 3725, 2147483647};
    v.motorMinutes = 0xABCDEF;
    v.liftedMassHundredths = -12345;

    RecordingBuilder b;
    b.bank(1, v).fixAllChecksums(2);
    const ByteReader r(b.bytes());
    const ServiceBankValues d = decodeServiceBank(r, 1);
    EXPECT_EQ(d.craneNumber, v.craneNumber);
    EXPECT_EQ(d.craneYear, v.craneYear);
    EXPECT_EQ(d.version, v.version);
    EXPECT_EQ(d.jibKind, v.jibKind);
    EXPECT_EQ(d.normativeGroup, v.normativeGroup);
    EXPECT_EQ(d.craneModel, v.craneModel);
    EXPECT_EQ(d.recorderNumber, v.recorderNumber);
    EXPECT_EQ(d.programMajor, v.programMajor);
    EXPECT_EQ(d.programMinor, v.programMinor);
    EXPECT_EQ(d.dateInstalled, v.dateInstalled);
    EXPECT_EQ(d.dateParamsChanged, v.dateParamsChanged);
    EXPECT_EQ(d.dateSetupLast, v.dateSetupLast);
    EXPECT_EQ(d.dateSetupBefore, v.dateSetupBefore);
    EXPECT_EQ(d.characteristicNumber, v.characteristicNumber);
    EXPECT_EQ(d.workingCycles, v.workingCycles);
    EXPECT_EQ(d.relativeCycles, v.relativeCycles);
    EXPECT_EQ(d.operatingSeconds, v.operatingSeconds);
    EXPECT_EQ(d.motorMinutes, v.motorMinutes);
    EXPECT_EQ(d.liftedMassHundredths, v.liftedMassHundredths);
    EXPECT_TRUE(failedBlockMessages(r, serviceBankBlocks()).isEmpty());
    EXPECT_TRUE(imageSumOk(r));

    // Device letters in the model only; the recorder number keeps plain code page 1251.
    EXPECT_EQ(r.u8(kBank1 + 0x07 + 1), 0xA0);
    EXPECT_EQ(r.u8(kBank1 + 0x07 + 6), 0xA0);
    EXPECT_EQ(r.u8(kBank1 + 0x07 + 8), 0xA8);
    EXPECT_EQ(r.u8(kBank1 + 0x14 + 1), 0xCF);
    // Bank 0 stays blank apart from its checksum bytes.
    for (std::size_t off = 0; off < 43; ++off)
        ASSERT_EQ(r.u8(kBank0 + off), 0) << off;
}

TEST(RecordingBuilderBank, LongTextsAreCutToTheirFields) {
    ServiceBankValues v;
    v.craneModel = QString(20, QChar('M'));
    v.recorderNumber = QString(20, QChar('N'));
    v.programMajor = 0x11;
    RecordingBuilder b;
    b.bank(0, v);
    const ByteReader r(b.bytes());
    EXPECT_EQ(decodeServiceBank(r, 0).craneModel, QString(13, QChar('M')));
    EXPECT_EQ(decodeServiceBank(r, 0).recorderNumber, QString(9, QChar('N')));
    EXPECT_EQ(r.u8(0x1D), 0x11);
}

TEST(RecordingBuilderBank, RemovalDatesFollowTheBanks) {
    RecordingBuilder b;
    b.removalDate(0, "17.11.20").removalDate(9, "31.12.99");
    const ByteReader r(b.bytes());
    EXPECT_EQ(r.bytes(kRemovalDates, 3), (std::vector<std::uint8_t>{0x17, 0x11, 0x20}));
    EXPECT_EQ(r.bytes(kRemovalDates + 27, 3), (std::vector<std::uint8_t>{0x31, 0x12, 0x99}));
    EXPECT_EQ(r.u8(kFramePointer), 0);
}
