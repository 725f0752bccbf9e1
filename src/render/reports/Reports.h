#pragma once

#include "render/reports/ReportEngine.h"

namespace zurval {

struct RecorderDocument;
struct ShownTexts;

// PrintFrom and PrintTo: the inclusive range of positions the frame and overload reports
// print, chosen in the frame-range dialog.
struct PrintRange {
    int from = 0;
    int to = 0;
};

// The printed reports of the menu Файл → Печать.
enum class ReportKind { InformationCard, Scheme, Operational, Overloads };

// The pages of a filled report, or, when refusal is not empty, why there are none: the
// user is told that instead of a preview.
struct BuiltReport {
    report::Document pages;
    QString refusal;
};

// A report filled as the user sees the recording now: from the texts the pages show and the
// decoded document; range for the frame and overload reports.
[[nodiscard]] BuiltReport buildReport(ReportKind kind, const ShownTexts& shown,
                                      const RecorderDocument& document, PrintRange range);

// The frame-range dialog's answer to a start that is not below the end.
inline const QString kWrongRangeMessage = QStringLiteral("Неправильный диапазон!");

} // namespace zurval
