#include "SampleRecording.h"
#include "core/common/Cp1251.h"
#include "core/protection/CraneParameters.h"
#include "core/protection/ProtectionSettings.h"
#include "core/recorder/Checksums.h"
#include "core/recorder/FileMap.h"
#include "core/recorder/Opening.h"
#include "core/recorder/ServiceBank.h"

#include <QDate>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <set>

using namespace zurval;
using namespace zurval::filemap;

namespace {

const std::vector<std::uint8_t>& sample() {
    static const std::vector<std::uint8_t> bytes = makeSampleRecording().bytes();
    return bytes;
}

std::size_t slotOffset(int slot) {
    return kFrames + static_cast<std::size_t>(slot) * kFrameSize;
}

bool isBcd(std::uint8_t b) {
    return (b >> 4) < 10 && (b & 0x0F) < 10;
}

int fromBcd(std::uint8_t b) {
    return (b >> 4) * 10 + (b & 0x0F);
}

// Day, month, year of a recorder date; invalid when a byte is no BCD or the day does not exist.
QDate dateAt(const ByteReader& r, std::size_t off) {
    for (std::size_t i = 0; i < 3; ++i) {
        if (!isBcd(r.u8(off + i)))
            return {};
    }
    return {2000 + fromBcd(r.u8(off + 2)), fromBcd(r.u8(off + 1)), fromBcd(r.u8(off))};
}

// Seconds of the day of a time frame, -1 when its bytes are no valid time.
int secondsAt(const ByteReader& r, std::size_t off) {
    const std::uint8_t s = r.u8(off), m = r.u8(off + 1), h = r.u8(off + 2);
    if (!isBcd(s) || !isBcd(m) || !isBcd(h) || fromBcd(s) > 59 || fromBcd(m) > 59 ||
        fromBcd(h) > 23)
        return -1;
    return fromBcd(h) * 3600 + fromBcd(m) * 60 + fromBcd(s);
}

int newestSlot(const ByteReader& r) {
    for (int slot = 0; slot < kFrameCount; ++slot) {
        if (r.u8(slotOffset(slot) + kFrameMarkOffset) == kLastRecordMark)
            return slot;
    }
    return -1;
}

// Slot offsets oldest first: the ring starts after the newest frame.
std::vector<std::size_t> chronological(const ByteReader& r) {
    std::vector<std::size_t> out;
    const int newest = newestSlot(r);
    for (int k = 1; k <= kFrameCount; ++k)
        out.push_back(slotOffset((newest + k) % kFrameCount));
    return out;
}

bool isDateFrame(const ByteReader& r, std::size_t frame) {
    return r.u8(frame + kFrameMarkOffset) == kDateFrameMark;
}

} // namespace

TEST(SampleRecording, IsTheSameOnEveryCall) {
    EXPECT_EQ(makeSampleRecording().bytes(), sample());
}

TEST(SampleRecording, PassesEveryChecksumOfLayoutTwoButThatOfOneFrame) {
    const ByteReader r(sample());
    EXPECT_TRUE(imageSumOk(r));
    EXPECT_TRUE(failedBlockMessages(r, serviceBankBlocks()).isEmpty());
    int damagedFrames = 0;
    for (int k = 0; k < kFrameCount; ++k)
        damagedFrames += !blockChecksumOk(r, slotOffset(k), 30);
    EXPECT_EQ(damagedFrames, 1);
    for (int k = 0; k < kOverloadCount; ++k)
        ASSERT_TRUE(blockChecksumOk(r, kOverloads + k * kOverloadSize, 8)) << "overload " << k;

    const OpeningChecks checks = runOpeningChecks(r);
    EXPECT_TRUE(checks.imageIntact);
    EXPECT_EQ(checks.versionEstimate, 2);
    EXPECT_TRUE(checks.bankMessages.isEmpty());
    EXPECT_EQ(r.s8(kBank0 + 4), 2);
    EXPECT_EQ(r.s8(kBank1 + 4), 2);
}

TEST(SampleRecording, CraneSettingsDescribeAFiftyMetreJibOnItsSite) {
    const ByteReader r(sample());
    const CraneParameters crane = decodeCraneParameters(r, 2);
    EXPECT_TRUE(crane.messages.isEmpty());
    ASSERT_TRUE(crane.dimensions.has_value());
    EXPECT_FLOAT_EQ(crane.dimensions->Rmax, 50);
    EXPECT_FLOAT_EQ(crane.dimensions->Smax, 60);
    EXPECT_FLOAT_EQ(crane.dimensions->Hmax1, 40);

    // Layout 1 would report a broken whole-structure sum; the sample has none.
    const ProtectionSettings protect = decodeProtection(r, 1);
    EXPECT_TRUE(protect.messages.isEmpty());
    for (int z = 0; z < kZoneCount; ++z) {
        EXPECT_FALSE(protect.zones[z].marked) << z;
        EXPECT_GE(protect.zones[z].count, 2) << z;
    }
    const ProtectionLimits& limits = protect.limits;
    EXPECT_LT(limits.Rmax, crane.dimensions->Rmax);
    EXPECT_LT(limits.Hmax, crane.dimensions->Hmax1);
    EXPECT_LT(limits.Hmin, limits.Hmax);
    EXPECT_GT(limits.Har0, 0);
    EXPECT_GT(limits.Har1, 0);
    // The frames have the four zone limits switched on, so the view draws the zones.
    const std::size_t newest = slotOffset(newestSlot(r));
    EXPECT_EQ(r.u16le(newest + 20) & 0x1E0u, 0x1E0u);
}

TEST(SampleRecording, WritePointerNamesTheSlotAfterTheOnlyNewestFrame) {
    const ByteReader r(sample());
    int newestCount = 0;
    for (int slot = 0; slot < kFrameCount; ++slot)
        newestCount += r.u8(slotOffset(slot) + kFrameMarkOffset) == kLastRecordMark;
    EXPECT_EQ(newestCount, 1);

    const std::uint32_t p = r.u32le(kFramePointer);
    EXPECT_EQ(r.u32le(kFramePointerComplement), ~p);
    const int newest = newestSlot(r);
    EXPECT_EQ(p, slotOffset(newest + 1));
    // The ring has wrapped: the newest frame is not at its end.
    EXPECT_LT(newest, kFrameCount - 1);
    EXPECT_GT(newest, 0);
}

TEST(SampleRecording, FramesRunForwardInTimeFromADateFrameAtTheOldestSlot) {
    const ByteReader r(sample());
    const std::vector<std::size_t> frames = chronological(r);
    ASSERT_TRUE(isDateFrame(r, frames.front()));

    QDate day;
    int lastSeconds = -1;
    int days = 0;
    for (std::size_t k = 0; k < frames.size(); ++k) {
        const std::size_t f = frames[k];
        const std::uint8_t mark = r.u8(f + kFrameMarkOffset);
        if (mark == kDateFrameMark) {
            const QDate next = dateAt(r, f + 25);
            ASSERT_TRUE(next.isValid()) << k;
            ASSERT_TRUE(!day.isValid() || next > day) << k;
            day = next;
            lastSeconds = -1;
            ++days;
            continue;
        }
        ASSERT_TRUE(mark == 2 || (mark == kLastRecordMark && k == frames.size() - 1)) << k;
        const int seconds = secondsAt(r, f + 25);
        ASSERT_GE(seconds, 7 * 3600) << k; // working hours
        ASSERT_LE(seconds, 18 * 3600) << k;
        ASSERT_GT(seconds, lastSeconds) << k;
        lastSeconds = seconds;
    }
    EXPECT_GE(days, 4);
}

TEST(SampleRecording, FramesReadLikeACraneAtWork) {
    const ByteReader r(sample());
    std::vector<double> momentPerTonneMetre;
    std::set<std::uint16_t> inputWords;
    int overloadEpisodes = 0;
    bool inOverload = false;
    std::uint16_t acted = 0;
    int notEntered = 0, faults = 0;
    for (const std::size_t f : chronological(r)) {
        const int wind = r.s16le(f);
        ASSERT_TRUE(wind >= 20 && wind <= 120) << wind;
        const int temperature = r.s16le(f + 8);
        ASSERT_TRUE(temperature >= -30 && temperature <= 35) << temperature;
        const double radius = r.s16le(f + 10) / 100.0;
        ASSERT_TRUE(radius >= 3 && radius <= 50) << radius;
        const double load = r.s16le(f + 14) / 100.0;
        const int moment = r.u8(f + 24);
        inputWords.insert(r.u16le(f + 16));
        if (load == 0)
            ASSERT_EQ(moment, 0);
        else if (radius >= 16 && moment >= 20)
            momentPerTonneMetre.push_back(moment / (load * radius));

        // Past the stop threshold the limiter must stop the lift and say why; a protection
        // limit acts only while it is switched on.
        const bool overloaded = moment >= 105;
        const std::uint16_t entered = r.u16le(f + 20), triggered = r.u16le(f + 22);
        const int reached = r.u8(f + 29);
        if (overloaded) {
            EXPECT_LE(moment, 125);
            EXPECT_EQ(r.u16le(f + 18) & 1u, 0u); // hoisting up stopped
            EXPECT_EQ(reached, 1);
        }
        EXPECT_EQ(triggered & ~entered, 0);
        EXPECT_EQ(reached != 0, overloaded || triggered != 0);
        acted |= triggered;
        notEntered += entered == 0;
        faults += r.u8(f + 28) != 0;
        overloadEpisodes += overloaded && !inOverload;
        inOverload = overloaded;
    }
    EXPECT_GE(overloadEpisodes, 2);
    EXPECT_LE(overloadEpisodes, 12);
    EXPECT_GE(inputWords.size(), 10u);
    EXPECT_EQ(acted, 0x01FF); // each of the nine limits somewhere
    EXPECT_GT(notEntered, 0);
    EXPECT_GT(faults, 0);

    // Beyond the radius of the largest load the rating is a constant moment, so the load
    // moment must follow load × radius there.
    ASSERT_GE(momentPerTonneMetre.size(), 100u);
    std::sort(momentPerTonneMetre.begin(), momentPerTonneMetre.end());
    const double median = momentPerTonneMetre[momentPerTonneMetre.size() / 2];
    EXPECT_GT(momentPerTonneMetre.front(), median * 0.9);
    EXPECT_LT(momentPerTonneMetre.back(), median * 1.1);
}

TEST(SampleRecording, OverloadRingHoldsAFewDozenDatedRecordsEndingInTheNewest) {
    const ByteReader r(sample());
    auto record = [](int k) { return kOverloads + static_cast<std::size_t>(k) * kOverloadSize; };
    int used = 0;
    while (used < kOverloadCount && r.u8(record(used) + 4) != 0)
        ++used;
    ASSERT_GE(used, 20);
    ASSERT_LE(used, 100);
    for (int k = used; k < kOverloadCount; ++k)
        ASSERT_EQ(r.u8(record(k) + 4), 0) << k;

    std::set<QDate> recordDates;
    QDate previous;
    for (int k = 0; k < used; ++k) {
        const std::size_t at = record(k);
        EXPECT_GT(r.s16le(at), 0);
        EXPECT_GT(r.s16le(at + 2), 0);
        EXPECT_TRUE(r.u8(at + 4) >= 101 && r.u8(at + 4) <= 125) << k;
        EXPECT_EQ(r.u8(at + 9), k == used - 1 ? kLastRecordMark : 2) << k;
        const QDate date = dateAt(r, at + 5);
        ASSERT_TRUE(date.isValid()) << k;
        EXPECT_TRUE(!previous.isValid() || date >= previous) << k;
        previous = date;
        recordDates.insert(date);
    }

    // Every overload seen in the frames was also recorded.
    QDate day;
    for (const std::size_t f : chronological(r)) {
        if (isDateFrame(r, f)) {
            day = dateAt(r, f + 25);
        } else if (r.u8(f + 24) >= 105) {
            EXPECT_EQ(recordDates.count(day), 1u) << day.toString().toStdString();
        }
    }
}

TEST(SampleRecording, BanksDescribeOneCraneWithBankZeroAhead) {
    const ByteReader r(sample());
    const ServiceBankValues b0 = decodeServiceBank(r, 0);
    const ServiceBankValues b1 = decodeServiceBank(r, 1);
    EXPECT_EQ(selectBank(r), 0);
    EXPECT_GT(b0.motorMinutes, b1.motorMinutes);
    EXPECT_EQ(b0.craneModel, b1.craneModel);
    EXPECT_TRUE(b0.craneModel.contains(QChar(u'Б')) || b0.craneModel.contains(QChar(u'П')));
    EXPECT_EQ(b0.recorderNumber, b1.recorderNumber);
    EXPECT_FALSE(b0.recorderNumber.isEmpty());
    EXPECT_EQ(b0.normativeGroup, 3);
    EXPECT_GT(b0.characteristicNumber, 1000);
    for (int k = 1; k < kLoadRangeCount; ++k)
        EXPECT_LE(b0.workingCycles[k], b0.workingCycles[k - 1]) << k;
    for (const RecorderDate& date :
         {b0.dateInstalled, b0.dateParamsChanged, b0.dateSetupLast, b0.dateSetupBefore}) {
        const QDate valid(2000 + bcdValue(date.year).value_or(-2000),
                          bcdValue(date.month).value_or(0), bcdValue(date.day).value_or(0));
        EXPECT_TRUE(valid.isValid()) << int(date.day) << "." << int(date.month);
    }

    int removals = 0;
    for (int k = 0; k < kRemovalDateCount; ++k) {
        const std::size_t at = kRemovalDates + 3 * static_cast<std::size_t>(k);
        if (r.u8(at) != 0) {
            EXPECT_TRUE(dateAt(r, at).isValid()) << k;
            ++removals;
        }
    }
    EXPECT_GT(removals, 0);
    EXPECT_LT(removals, kRemovalDateCount);
}

TEST(SampleRecording, OperatorBlockRoundTripsThroughTheWrittenFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("sample.vrl");
    ASSERT_TRUE(makeSampleRecording().write(path));
    const auto file = readRecorderFile(path);
    ASSERT_TRUE(file.has_value());
    const OperatorBlock op = readOperatorBlock(file->reader());
    EXPECT_FALSE(op.name.isEmpty());
    EXPECT_FALSE(op.certificate.isEmpty());
    EXPECT_FALSE(op.organisation.isEmpty());
    // The file ends with the last operator text.
    EXPECT_EQ(file->fileSize, kOperatorBlock + 3 * kOperatorFieldSize +
                                  static_cast<std::size_t>(toCp1251(op.readingDate).size()));

    // Read out after the newest frame was written.
    const ByteReader r(file->bytes);
    QDate newestDay;
    for (const std::size_t f : chronological(r)) {
        if (isDateFrame(r, f))
            newestDay = dateAt(r, f + 25);
    }
    const QDate readOn = QDate::fromString(op.readingDate, "dd.MM.yyyy");
    ASSERT_TRUE(readOn.isValid());
    EXPECT_GT(readOn, newestDay);
}
