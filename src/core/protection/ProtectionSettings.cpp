#include "core/protection/ProtectionSettings.h"

namespace zurval {

const std::array<ZoneLayout, kZoneCount> kZoneLayouts = {{
    {"boom", 0x40070, 40, "КЗ \"Стрела\"", "Label183", "StringGrid_KZ_boom", "Label_Col_Boom"},
    {"hook", 0x40114, 40, "КЗ \"Крюк\"", "Label180", "StringGrid_KZ_hook", "Label_Col_Hook"},
    {"area0", 0x401B8, 20, "КЗ \"Площадка-1\"", "Label181", "StringGrid_KZ_area0",
     "Label_Col_Area0"},
    {"area1", 0x4020C, 20, "КЗ \"Площадка-2\"", "Label43", "StringGrid_KZ_area1",
     "Label_Col_Area1"},
}};

const std::array<LimitField, kLimitCount> kLimitFields = {{
    {"Gmax =", "Edit_KZ_Gmax", 0x40262, 0.1, &ProtectionLimits::Gmax},
    {"Gmin =", "Edit_KZ_Gmin", 0x40264, 0.1, &ProtectionLimits::Gmin},
    {"Rmax =", "Edit_KZ_Rmax", 0x40266, 0.01, &ProtectionLimits::Rmax},
    {"Hmax =", "Edit_KZ_Hmax", 0x40268, 0.01, &ProtectionLimits::Hmax},
    {"Hmin =", "Edit_KZ_Hmin", 0x4026A, 0.01, &ProtectionLimits::Hmin},
    {"Har1 =", "Edit_KZ_Har0", 0x4026C, 0.01, &ProtectionLimits::Har0},
    {"Har2 =", "Edit_KZ_Har1", 0x4026E, 0.01, &ProtectionLimits::Har1},
}};

const ChecksummedBlock& protectBlock() {
    static const ChecksummedBlock block{protectmap::kStart, protectmap::kLength,
                                        QStringLiteral("Ошибка контольной суммы структуры "
                                                       "\"PROTECT\"!")};
    return block;
}

namespace {

// A count above the zone's capacity cannot be an outline; the zone is taken as empty.
ProtectionZone readZone(const ByteReader& r, const ZoneLayout& layout) {
    ProtectionZone zone;
    const int count = r.u16le(layout.start);
    zone.count = count > layout.capacity ? 0 : count;
    for (std::size_t i = 0; i < static_cast<std::size_t>(layout.capacity); ++i) {
        const std::size_t point = layout.start + 2 + 4 * i;
        zone.x[i] = static_cast<float>(r.s16le(point) * 0.01);
        zone.y[i] = static_cast<float>(r.s16le(point + 2) * 0.01);
    }
    return zone;
}

} // namespace

ProtectionSettings decodeProtection(const ByteReader& r, int recorderVersion) {
    ProtectionSettings s;
    for (int z = 0; z < kZoneCount; ++z) {
        const ZoneLayout& layout = kZoneLayouts[z];
        ProtectionZone zone = readZone(r, layout);
        // A failed zone checksum is marked from layout 1 on, and never with a message box.
        const bool intact = blockChecksumOk(r, layout.start, layout.dataBytes());
        zone.marked = !intact && recorderVersion > 0;
        s.zones[z] = zone;
    }
    if (recorderVersion == 1)
        s.messages = failedBlockMessages(r, {protectBlock()});
    for (int k = 0; k < kLimitCount; ++k) {
        const LimitField& f = kLimitFields[k];
        s.limits.*f.value = r.s16le(f.offset) * f.factor;
    }
    return s;
}

} // namespace zurval
