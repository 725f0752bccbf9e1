#pragma once

#include "core/common/ByteReader.h"
#include "core/recorder/Checksums.h"

#include <QStringList>
#include <array>
#include <cstddef>
#include <vector>

namespace zurval {

// PROTECT: four zones, then the entered limits, then the checksum of the whole.
namespace protectmap {

constexpr std::size_t kStart = 0x40070;
constexpr std::size_t kLength = 512; // the checksum byte follows
constexpr std::size_t kLimits = 0x40262;

} // namespace protectmap

enum ZoneId : int { kBoom, kHook, kArea0, kArea1, kZoneCount };
constexpr int kMaxZonePoints = 40;

struct ZoneLayout {
    const char* name; // boom, hook, area0, area1
    std::size_t start;
    int capacity;             // point slots
    const char* caption;      // the zone's caption on the page
    const char* captionLabel; // objectNames of its controls
    const char* grid;
    const char* countLabel;
    // The count and the points; the zone's checksum byte follows them.
    [[nodiscard]] std::size_t dataBytes() const {
        return 2 + 4 * static_cast<std::size_t>(capacity);
    }
};
extern const std::array<ZoneLayout, kZoneCount> kZoneLayouts;

// The whole structure's block; its message is shown only under layout 1.
[[nodiscard]] const ChecksummedBlock& protectBlock();

// A zone outline in site metres: X along the rails, Y across them. Every slot is decoded;
// only the first `count` points belong to the outline.
struct ProtectionZone {
    int count = 0;
    // The zone's checksum failed in a layout that marks it (1 and later): its caption is red.
    bool marked = false;
    std::array<float, kMaxZonePoints> x{};
    std::array<float, kMaxZonePoints> y{};
};

struct ProtectionLimits {
    double Gmax = 0; // degrees
    double Gmin = 0;
    double Rmax = 0; // metres
    double Hmax = 0;
    double Hmin = 0;
    double Har0 = 0; // height of zone area0
    double Har1 = 0; // height of zone area1
};

constexpr int kLimitCount = 7;
struct LimitField {
    const char* caption; // on the page, "Har1 =" for Har0
    const char* edit;    // objectName of the edit showing it
    std::size_t offset;
    double factor;
    double ProtectionLimits::*value;
};
extern const std::array<LimitField, kLimitCount> kLimitFields;

struct ProtectionSettings {
    std::array<ProtectionZone, kZoneCount> zones;
    ProtectionLimits limits;
    QStringList messages; // at most one
};

[[nodiscard]] ProtectionSettings decodeProtection(const ByteReader& r, int recorderVersion);

} // namespace zurval
