#pragma once

#include "core/document/ShownTexts.h"
#include "render/reports/ReportEngine.h"

namespace zurval {

// "Информационная карта": one A4 page of the texts the main window shows (operator, crane
// and recorder, the load table, the overload lines and the duty rating), as the user sees
// them, the defaults of a cleared window included.
[[nodiscard]] report::Document informationCard(const ShownTexts& shown);

} // namespace zurval
