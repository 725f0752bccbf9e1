#include "core/protection/SettingsTexts.h"

#include "core/common/NumberFormat.h"

namespace zurval {

QStringList parameterListing(const std::vector<ParameterSectionValues>& sections) {
    QStringList lines;
    for (const ParameterSectionValues& section : sections) {
        if (!lines.isEmpty())
            lines << QString();
        lines << QString::fromUtf8(section.header);
        for (const ParameterValue& v : section.values) {
            const ParameterField& f = *v.field;
            lines << QLatin1String(f.label) + (f.kind == FieldKind::f32
                                                   ? formatPattern(v.value, f.pattern)
                                                   : formatGeneral(v.value));
        }
    }
    return lines;
}

std::vector<QStringList> zoneGrid(ZoneId zone, const ProtectionZone& points) {
    const int capacity = kZoneLayouts[zone].capacity;
    std::vector<QStringList> rows;
    rows.reserve(static_cast<std::size_t>(capacity) + 1);
    rows.push_back({QStringLiteral("№№"), QStringLiteral("X"), QStringLiteral("Y")});
    for (int i = 0; i < capacity; ++i) {
        if (i < points.count) {
            rows.push_back({QString::number(i + 1), formatPattern(points.x[i], "#0.00"),
                            formatPattern(points.y[i], "#0.00")});
        } else {
            rows.push_back({QString(), QString(), QString()});
        }
    }
    return rows;
}

ProtectionPageTexts clearedProtectionPage() {
    ProtectionPageTexts page;
    for (int z = 0; z < kZoneCount; ++z)
        page.zones[z].grid = zoneGrid(static_cast<ZoneId>(z), ProtectionZone{});
    return page;
}

ProtectionPageTexts protectionPageTexts(const ProtectionSettings& settings) {
    ProtectionPageTexts page;
    for (int z = 0; z < kZoneCount; ++z) {
        const ProtectionZone& zone = settings.zones[z];
        ZonePageTexts& texts = page.zones[z];
        texts.caption = zone.marked ? CaptionColour::Red : CaptionColour::ButtonFace;
        texts.count = QString::number(zone.count);
        texts.grid = zoneGrid(static_cast<ZoneId>(z), zone);
    }
    for (int k = 0; k < kLimitCount; ++k)
        page.limits[k] = formatGeneral(settings.limits.*kLimitFields[k].value);
    return page;
}

} // namespace zurval
