#pragma once

#include "core/protection/CraneParameters.h"
#include "core/protection/ProtectionSettings.h"

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace zurval {

// Every text the page "Настройки" and the reports show of PAR_KRAN and PROTECT.

// RE_Param: each section's header and its fields, the label followed directly by the
// value, an empty line between two sections.
[[nodiscard]] QStringList parameterListing(const std::vector<ParameterSectionValues>& sections);

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

[[nodiscard]] ProtectionPageTexts protectionPageTexts(const ProtectionSettings& settings);
// The grid of a zone: capacity + 1 rows of three texts.
[[nodiscard]] std::vector<QStringList> zoneGrid(ZoneId zone, const ProtectionZone& points);
// The page as the clearing leaves it: headers only, counts "0", limit edits empty.
[[nodiscard]] ProtectionPageTexts clearedProtectionPage();

} // namespace zurval
