#pragma once

#include "render/reports/BuiltReport.h"

namespace zurval {

struct RecorderDocument;
struct ShownTexts;

// The printed reports of the menu Файл → Печать, the two charts last.
enum class ReportKind {
    InformationCard,
    Scheme,
    Operational,
    Overloads,
    ParameterChart,
    RelayChart
};

// A report filled as the user sees the recording now: from the texts the pages show and the
// decoded document; range for the frame and overload reports. The charts are those after
// opening: every frame, the lines their boxes show after clearing.
[[nodiscard]] BuiltReport buildReport(ReportKind kind, const ShownTexts& shown,
                                      const RecorderDocument& document, PrintRange range);

} // namespace zurval
