#pragma once

#include "core/common/ByteReader.h"
#include "core/recorder/Checksums.h"

#include <QString>
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

// Background of a zone caption: red marks a zone whose checksum failed.
enum class CaptionColour { ButtonFace, Red };

struct ZonePageTexts {
    CaptionColour caption = CaptionColour::ButtonFace;
    QString count = QStringLiteral("0");
    // One row per grid row: the header, then one per point slot, empty past the count.
    std::vector<QStringList> grid;
};

// What the "Координатная защита" group shows, in kZoneLayouts and kLimitFields order.
struct ProtectionPageTexts {
    std::array<ZonePageTexts, kZoneCount> zones;
    std::array<QString, kLimitCount> limits;
};

struct ProtectionSettings {
    std::array<ProtectionZone, kZoneCount> zones;
    ProtectionLimits limits;
    QStringList messages; // at most one
    ProtectionPageTexts page;
};

[[nodiscard]] ProtectionSettings decodeProtection(const ByteReader& r, int recorderVersion);

// The grid of a zone: capacity + 1 rows of three texts.
[[nodiscard]] std::vector<QStringList> zoneGrid(ZoneId zone, const ProtectionZone& points);
// The page as the clearing leaves it: headers only, counts "0", limit edits empty.
[[nodiscard]] ProtectionPageTexts clearedProtectionPage();

} // namespace zurval
