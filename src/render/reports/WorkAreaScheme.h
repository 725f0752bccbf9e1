#pragma once

#include "core/document/ShownTexts.h"
#include "render/reports/BuiltReport.h"

#include <QSize>

namespace zurval {

struct RecorderDocument;

// "Схема рабочей площадки": one A4 landscape page showing where the crane stood on its site
// in the frame whose number the protection page shows (Edit_nz_KZ): a plan of the rail
// track with the reach, a 5-metre grid, the protection zones switched on (red when they
// acted), the crane at the frame's travel, azimuth and radius, a side view of the hook, and
// around it the frame's values, the crane's movements since the frame before and the
// limits switched on and acted. A frame text that is no integer, or no frame of FrameList,
// is refused.
[[nodiscard]] BuiltReport workAreaScheme(const ShownTexts& shown, const RecorderDocument& document);

// The picture's own pixels (QRImage_KZ), in which it is drawn and then scaled onto the page.
inline constexpr QSize kSchemePictureSize{1042, 645};

} // namespace zurval
