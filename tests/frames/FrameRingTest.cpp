#include "RecordingBuilder.h"
#include "SampleRecording.h"
#include "core/frames/CyclicRecords.h"
#include "core/frames/RecordTexts.h"

#include <gtest/gtest.h>
#include <limits>
#include <memory>
#include <vector>

using namespace zurval;
using namespace zurval::filemap;

namespace {

std::uint32_t pointerAfter(int slot) {
    return static_cast<std::uint32_t>(kFrames + kFrameSize * static_cast<std::size_t>(slot + 1));
}

std::unique_ptr<FrameArray> decoded(const RecordingBuilder& b, int version) {
    auto frames = std::make_unique<FrameArray>();
    decodeFrameSlots(ByteReader(b.bytes()), version, *frames);
    return frames;
}

int newestOf(const RecordingBuilder& b, int version) {
    return newestFrameSlot(readFramePointer(ByteReader(b.bytes())), *decoded(b, version), version);
}

// Both rings of a recording, decoded and ordered as the open command does it.
std::unique_ptr<CyclicRecords> opened(const RecordingBuilder& b, int version) {
    auto records = std::make_unique<CyclicRecords>();
    decodeCyclicAreas(ByteReader(b.bytes()), version, *records);
    (void)orderCyclicAreas(version, *records);
    return records;
}

// Every slot names itself in its force value, so that the order can be read back.
RecordingBuilder numberedSlots() {
    RecordingBuilder b;
    for (int slot = 0; slot < kFrameCount; ++slot)
        b.u16le(kFrames + slot * kFrameSize + 12, static_cast<std::uint16_t>(slot));
    return b;
}

} // namespace

TEST(FrameSlots, DecodeScaledValuesWordsAndTimes) {
    FrameSlot f;
    f.wind = 25;
    f.travel = -150;
    f.hookHeight = 3012;
    f.azimuth = 3599;
    f.temperature = -12;
    f.radius = 1234;
    f.force = 4321;
    f.loadMass = 812;
    f.inputs = 0x8001; // stored as the bytes 0x01 0x80
    f.relays = 0x4000;
    f.limitsEntered = 0x01FF;
    f.limitsTriggered = 0x0100;
    f.loadMoment = 201;
    f.dateTime = {0x40, 0x56, 0x11};
    f.health = 7;
    f.limitsReached = 3;
    f.mark = 2;
    FrameSlot date;
    date.mark = kDateFrameMark;
    date.dateTime = {0x15, 0x03, 0x06};
    RecordingBuilder b;
    b.frame(10, f).frame(11, date).frame(12, date).frameMark(12, kDateFrameMarkAlt);
    b.fill(kFrames + 13 * kFrameSize, kFrameSize, 0xFF); // an erased slot

    const auto frames = decoded(b, 2);
    const CycleFrame& c = (*frames)[10];
    EXPECT_EQ(c.number, 10);
    EXPECT_FLOAT_EQ(c.wind, 2.5f);
    EXPECT_FLOAT_EQ(c.travel, -1.5f);
    EXPECT_FLOAT_EQ(c.hookHeight, 30.12f);
    EXPECT_FLOAT_EQ(c.azimuth, 359.9f);
    EXPECT_EQ(c.temperature, -12);
    EXPECT_FLOAT_EQ(c.radius, 12.34f);
    EXPECT_FLOAT_EQ(c.force, 4321.0f);
    EXPECT_FLOAT_EQ(c.loadMass, 8.12f);
    EXPECT_EQ(c.inputs, 0x8001);
    EXPECT_EQ(c.relays, 0x4000);
    EXPECT_EQ(c.limitsEntered, 0x01FF);
    EXPECT_EQ(c.limitsTriggered, 0x0100);
    EXPECT_EQ(c.loadMoment, 201);
    EXPECT_EQ(c.health, 7);
    EXPECT_EQ(c.limitsReached, 3);
    EXPECT_EQ(c.mark, 2);
    EXPECT_EQ(c.time, (RecorderTime{0x11, 0x56, 0x40}));
    EXPECT_TRUE(c.decoded);
    for (const int k : {11, 12}) {
        EXPECT_EQ((*frames)[k].date, (RecorderDate{0x15, 0x03, 0x06})) << k;
        EXPECT_TRUE((*frames)[k].dated) << k;
    }

    const CycleFrame& erased = (*frames)[13];
    EXPECT_FLOAT_EQ(erased.wind, -0.1f);
    EXPECT_FLOAT_EQ(erased.radius, -0.01f);
    EXPECT_EQ(erased.inputs, 0xFFFF);
    EXPECT_EQ(erased.limitsTriggered, 0xFFFF);
    EXPECT_EQ(erased.loadMoment, 255);
    EXPECT_EQ(erased.mark, 255);
    EXPECT_EQ(erased.time, (RecorderTime{0xFF, 0xFF, 0xFF})); // kept as stored
}

TEST(FrameSlots, ChecksumsAreTestedForLayoutTwoOnly) {
    RecordingBuilder b;
    b.frameMark(0, 2).frameMark(1, 2).fixAllChecksums(2).breakBlock(kFrames + kFrameSize, 30);
    for (const int version : {0, 1, 2, 3}) {
        const auto frames = decoded(b, version);
        EXPECT_TRUE((*frames)[0].intact) << version;
        EXPECT_EQ((*frames)[1].intact, version != 2) << version;
    }
}

TEST(NewestFrameSlot, TrustsTheWritePointerOnlyWhenEveryCheckHolds) {
    struct Case {
        const char* what;
        std::uint32_t pointer;
        std::uint32_t complementCopy; // stored at 386
        std::vector<std::pair<int, std::uint8_t>> marks;
        int version;
        int newest;
    };
    const std::uint32_t at100 = pointerAfter(100);
    const Case cases[] = {
        {"pointer names a newest frame", at100, ~at100, {{100, 0xAF}, {200, 0xAF}}, 2, 100},
        {"0x91 is accepted there", at100, ~at100, {{100, 0x91}, {200, 0xAF}}, 1, 100},
        {"pointer inside a slot truncates", at100 + 31, ~(at100 + 5), {{100, 0xAF}}, 3, 100},
        {"ordinary frame at the pointer", at100, ~at100, {{100, 2}, {200, 0xAF}}, 2, 200},
        {"copies disagree",
         at100,
         ~pointerAfter(99),
         {{100, 0xAF}, {99, 0xAF}, {200, 0xAF}},
         2,
         200},
        {"layout 0 never uses it", at100, ~at100, {{100, 0xAF}, {200, 0xAF}}, 0, 200},
        {"0x8000 gives -1", 0x8000, ~0x8000u, {{7167, 0xAF}}, 2, 7167},
        {"past the ring", pointerAfter(7168), ~pointerAfter(7168), {{5, 0xAF}}, 2, 5},
        {"below the ring", 0x10, ~0x10u, {{5, 0xAF}}, 2, 5},
        {"lowest 32-bit value", 0x80000000u, 0x7FFFFFFFu, {{5, 0xAF}}, 2, 5},
        {"no mark, no pointer", 0, 0, {{100, 2}}, 2, 0},
    };
    for (const Case& c : cases) {
        RecordingBuilder b;
        b.u32le(kFramePointer, c.pointer).u32le(kFramePointerComplement, c.complementCopy);
        for (const auto& [slot, mark] : c.marks)
            b.frameMark(slot, mark);
        EXPECT_EQ(newestOf(b, c.version), c.newest) << c.what;
    }
}

TEST(OrderFrames, LaysTheRingOutFromTheSlotAfterTheNewest) {
    struct Case {
        int newestSlot; // marked 0xAF; -1 for no mark
        bool byPointer;
    };
    // 3583 lays the ring out in 3584 cycles of two, 100 in one cycle through every slot.
    for (const Case c :
         {Case{-1, false}, Case{7167, false}, Case{3583, false}, Case{100, true}, Case{0, true}}) {
        RecordingBuilder b = numberedSlots();
        if (c.newestSlot >= 0)
            b.frameMark(c.newestSlot, kLastRecordMark);
        if (c.byPointer)
            b.framePointer(pointerAfter(c.newestSlot));
        const auto records = opened(b, 2);
        const FrameArray& list = *records->frameList;
        const int newest = c.newestSlot < 0 ? 0 : c.newestSlot;
        for (const int k : {0, 1, 4000, 7166, 7167}) {
            EXPECT_EQ(list[k].number, k);
            EXPECT_EQ(list[k].force, static_cast<float>((newest + 1 + k) % kFrameCount))
                << c.newestSlot << " at " << k;
            EXPECT_EQ(records->frameSelection->position(k), k);
        }
        EXPECT_EQ(records->frameSelection->count(), kFrameCapacity);
    }
}

TEST(OrderFrames, GivesEachTimeTheDateOfTheNearestDateFrameBeforeIt) {
    FrameSlot time;
    time.dateTime = {0x00, 0x00, 0x08}; // 08:00:00
    time.mark = 2;
    FrameSlot date = time;
    date.mark = kDateFrameMark;
    date.dateTime = {0x02, 0x03, 0x26};
    FrameSlot secondDate = date;
    secondDate.mark = kDateFrameMarkAlt;
    secondDate.dateTime = {0x03, 0x03, 0x26};
    RecordingBuilder b; // newest at 7167, so the slot order stays
    b.frame(0, time).frame(1, date).frame(2, time).frame(3, secondDate).frame(4, time);
    b.frameMark(kFrameCount - 1, kLastRecordMark);
    const auto records = opened(b, 2);
    const FrameArray& list = *records->frameList;
    const RecorderDate first{0x02, 0x03, 0x26};
    const RecorderDate second{0x03, 0x03, 0x26};
    const struct {
        int k;
        RecorderDate date;
    } dated[] = {{0, first}, {1, first}, {2, first}, {3, second}, {4, second}, {7167, second}};
    for (const auto& d : dated) {
        EXPECT_TRUE(list[d.k].dated) << d.k;
        EXPECT_EQ(list[d.k].date, d.date) << d.k; // frame 0 lies before the first date frame
    }
    EXPECT_EQ(list[2].time, (RecorderTime{0x08, 0x00, 0x00}));

    RecordingBuilder noDates;
    noDates.frame(5, time);
    const auto undated = opened(noDates, 2); // newest is slot 0, so slot 5 lands at 4
    EXPECT_EQ((*undated->frameList)[4].time, (RecorderTime{0x08, 0x00, 0x00}));
    EXPECT_FALSE((*undated->frameList)[4].dated);
}

TEST(OrderFrames, HostileRingsDecodeWithoutStraying) {
    RecordingBuilder erased; // every byte of the image 0xFF, the pointer copies disagree
    erased.fill(0, kImageSize, 0xFF);
    RecordingBuilder allNewest;
    for (int slot = 0; slot < kFrameCount; ++slot)
        allNewest.frameMark(slot, kLastRecordMark);
    allNewest.framePointer(pointerAfter(3000) + 17);
    const struct {
        const char* what;
        std::vector<std::uint8_t> bytes;
        int newest;
    } cases[] = {
        {"erased", erased.bytes(), 0},
        {"marked everywhere", allNewest.bytes(), 3000},
        {"empty file", {}, 0},
        {"cut inside the ring", std::vector<std::uint8_t>(kFrames + 100, 0xAF), 2},
    };
    for (const auto& c : cases) {
        const ByteReader r(c.bytes);
        auto records = std::make_unique<CyclicRecords>();
        decodeCyclicAreas(r, 2, *records);
        EXPECT_EQ(newestFrameSlot(records->framePointer, *records->frameList, 2), c.newest)
            << c.what;
        (void)orderCyclicAreas(2, *records);
        EXPECT_EQ((*records->frameList)[7167].number, 7167) << c.what;
    }
}

TEST(OrderFrames, TheSampleOpensDatedWithItsOneDamagedFrame) {
    const auto records = opened(makeSampleRecording(), 2);
    const FrameArray& list = *records->frameList;
    EXPECT_TRUE(isDateFrameMark(list[0].mark));
    EXPECT_EQ(list[7167].mark, kLastRecordMark);
    int damaged = 0;
    for (const CycleFrame& f : list) {
        damaged += !f.intact;
        EXPECT_TRUE(f.dated) << f.number;
    }
    EXPECT_EQ(damaged, 1);
    const OverloadSummary summary = overloadSummary(overloadHighlights(*records->overloadList));
    EXPECT_TRUE(summary.largest.startsWith(QStringLiteral("Максимальная перегрузка произошла ")));
    EXPECT_TRUE(summary.last.startsWith(QStringLiteral("Последняя перегрузка произошла ")));
}
