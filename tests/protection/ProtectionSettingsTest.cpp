#include "core/protection/ProtectionSettings.h"
#include "core/protection/SettingsTexts.h"

#include "RecordingBuilder.h"
#include "core/recorder/FileMap.h"

#include <gtest/gtest.h>

using namespace zurval;
using namespace zurval::protectmap;

namespace {

const QStringList kHeader = {QString::fromUtf8("№№"), "X", "Y"};
const QStringList kEmptyRow = {"", "", ""};

// Every slot of every zone holds a point: X = 100·(slot + 1), Y = -X, in hundredths.
RecordingBuilder fullZones(std::uint16_t count = 1) {
    RecordingBuilder b;
    for (const ZoneLayout& zone : kZoneLayouts) {
        std::vector<ZonePoint> points;
        for (int i = 0; i < zone.capacity; ++i) {
            const auto x = static_cast<std::int16_t>(100 * (i + 1));
            points.push_back({x, static_cast<std::int16_t>(-x)});
        }
        b.protectionZone(zone.start, count, points);
    }
    return b;
}

RecordingBuilder& fixProtect(RecordingBuilder& b) {
    for (const ZoneLayout& zone : kZoneLayouts)
        b.fixBlock(zone.start, zone.dataBytes());
    return b.fixBlock(kStart, kLength);
}

ProtectionSettings decode(const RecordingBuilder& b, int version) {
    return decodeProtection(ByteReader(b.bytes()), version);
}

} // namespace

TEST(ProtectionLayout, ZonesFollowEachOtherAndTheLimitsCloseTheStructure) {
    EXPECT_EQ(kZoneLayouts[kBoom].start, kStart);
    for (int z = 1; z < kZoneCount; ++z) {
        const ZoneLayout& before = kZoneLayouts[z - 1];
        EXPECT_EQ(kZoneLayouts[z].start, before.start + before.dataBytes() + 2) << z;
        EXPECT_LE(kZoneLayouts[z].capacity, kMaxZonePoints);
    }
    const ZoneLayout& last = kZoneLayouts[kArea1];
    EXPECT_LE(last.start + last.dataBytes() + 2, kLimits);
    for (int k = 0; k < kLimitCount; ++k)
        EXPECT_EQ(kLimitFields[k].offset, kLimits + 2 * k);
    EXPECT_EQ(kLimits + 2 * kLimitCount, kStart + kLength);
}

TEST(ProtectionZones, CountAboveCapacityEmptiesTheZone) {
    struct Case {
        ZoneId zone;
        std::uint16_t stored;
        int shown;
    };
    const Case cases[] = {{kBoom, 40, 40},  {kBoom, 41, 0},  {kHook, 0xFFFF, 0}, {kHook, 0, 0},
                          {kArea0, 20, 20}, {kArea1, 21, 0}, {kArea1, 3, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        RecordingBuilder b = fullZones();
        b.u16le(kZoneLayouts[c.zone].start, c.stored);
        const ProtectionSettings s = decode(b, 2);
        const ZonePageTexts texts = protectionPageTexts(s).zones[c.zone];
        EXPECT_EQ(s.zones[c.zone].count, c.shown);
        EXPECT_EQ(texts.count, QString::number(c.shown));
        // The whole grid is rewritten, so no row of an earlier file can remain.
        const std::size_t capacity = static_cast<std::size_t>(kZoneLayouts[c.zone].capacity);
        ASSERT_EQ(texts.grid.size(), capacity + 1);
        EXPECT_EQ(texts.grid[0], kHeader);
        for (std::size_t row = 1; row <= capacity; ++row) {
            if (row <= static_cast<std::size_t>(c.shown))
                EXPECT_EQ(texts.grid[row][0], QString::number(row));
            else
                EXPECT_EQ(texts.grid[row], kEmptyRow) << row;
        }
        // Every slot is decoded, outline or not.
        EXPECT_FLOAT_EQ(s.zones[c.zone].x[capacity - 1], static_cast<float>(capacity));
    }
}

TEST(ProtectionZones, PointsAreShownInMetresWithTwoDecimals) {
    RecordingBuilder b;
    b.protectionZone(kZoneLayouts[kHook].start, 2, {{-150, 5}, {32767, -32768}});
    const ProtectionSettings s = decode(b, 0);
    const std::vector<QStringList> grid = protectionPageTexts(s).zones[kHook].grid;
    EXPECT_EQ(grid[1], (QStringList{"1", "-1,50", "0,05"}));
    EXPECT_EQ(grid[2], (QStringList{"2", "327,67", "-327,68"}));
    EXPECT_FLOAT_EQ(s.zones[kHook].x[0], -1.5f);
    EXPECT_FLOAT_EQ(s.zones[kHook].y[0], 0.05f);
}

TEST(ProtectionChecksums, ColourCaptionsFromLayoutOneAndSpeakOnlyInLayoutOne) {
    const auto breakHook = [](RecordingBuilder& b) {
        b.breakBlock(kZoneLayouts[kHook].start, kZoneLayouts[kHook].dataBytes());
    };
    const auto breakWhole = [](RecordingBuilder& b) { b.breakBlock(kStart, kLength); };
    struct Case {
        int version;
        void (*damage)(RecordingBuilder&);
        bool hookRed;
        bool message;
    };
    const Case cases[] = {
        {0, breakHook, false, false},  {1, breakHook, true, true},    {2, breakHook, true, false},
        {3, breakHook, true, false},   {0, breakWhole, false, false}, {1, breakWhole, false, true},
        {2, breakWhole, false, false}, {3, breakWhole, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        RecordingBuilder b = fullZones();
        fixProtect(b);
        c.damage(b);
        const ProtectionSettings s = decode(b, c.version);
        for (int z = 0; z < kZoneCount; ++z) {
            const bool red = z == kHook && c.hookRed;
            EXPECT_EQ(s.zones[z].marked, red) << z;
        }
        const QStringList expected =
            c.message
                ? QStringList{QString::fromUtf8("Ошибка контольной суммы структуры \"PROTECT\"!")}
                : QStringList{};
        EXPECT_EQ(s.messages, expected);
    }
}

TEST(ProtectionLimits, AreScaledAndShownInTheGeneralFormat) {
    RecordingBuilder b;
    const std::int16_t raw[kLimitCount] = {1800, -5, 4850, 3800, 50, 250, -32768};
    const char* const texts[kLimitCount] = {"180", "-0,5", "48,5", "38", "0,5", "2,5", "-327,68"};
    for (int k = 0; k < kLimitCount; ++k)
        b.u16le(kLimitFields[k].offset, static_cast<std::uint16_t>(raw[k]));
    const ProtectionSettings s = decode(b, 1);
    for (int k = 0; k < kLimitCount; ++k)
        EXPECT_EQ(protectionPageTexts(s).limits[k], texts[k]) << kLimitFields[k].edit;
    EXPECT_DOUBLE_EQ(s.limits.Gmax, 180);
    EXPECT_DOUBLE_EQ(s.limits.Gmin, -0.5);
    EXPECT_DOUBLE_EQ(s.limits.Har0, 2.5);
    EXPECT_DOUBLE_EQ(s.limits.Har1, -327.68);
}

TEST(ProtectionSettings, ReadNothingOutsideProtect) {
    RecordingBuilder blank = fullZones(40);
    fixProtect(blank);
    RecordingBuilder noisy = blank;
    const std::size_t end = kStart + kLength + 1;
    noisy.fill(0, kStart, 0xEE).fill(end, filemap::kImageSize - end, 0xEE);
    const ProtectionSettings a = decode(blank, 1);
    const ProtectionSettings b = decode(noisy, 1);
    const ProtectionPageTexts pageA = protectionPageTexts(a);
    const ProtectionPageTexts pageB = protectionPageTexts(b);
    for (int z = 0; z < kZoneCount; ++z) {
        EXPECT_EQ(pageA.zones[z].grid, pageB.zones[z].grid);
        EXPECT_EQ(pageA.zones[z].caption, pageB.zones[z].caption);
    }
    EXPECT_EQ(pageA.limits, pageB.limits);
    EXPECT_TRUE(b.messages.isEmpty());
}
