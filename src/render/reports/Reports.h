#pragma once

#include "render/reports/BuiltReport.h"

namespace zurval {

struct RecorderDocument;
struct ShownTexts;

// The printed reports of the menu Файл → Печать.
enum class ReportKind { InformationCard, Scheme, Operational, Overloads };

// A report filled as the user sees the recording now: from the texts the pages show and the
// decoded document; range for the frame and overload reports.
[[nodiscard]] BuiltReport buildReport(ReportKind kind, const ShownTexts& shown,
                                      const RecorderDocument& document, PrintRange range);

} // namespace zurval
