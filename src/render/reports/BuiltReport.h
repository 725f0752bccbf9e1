#pragma once

#include "render/reports/ReportEngine.h"

#include <QString>

namespace zurval {

// PrintFrom and PrintTo: the inclusive range of positions the frame and overload reports
// print, chosen in the frame-range dialog.
struct PrintRange {
    int from = 0;
    int to = 0;
};

// What the frame-range dialog's edits start at, and the range of a report command that is
// given none.
inline constexpr PrintRange kDefaultPrintRange{0, 200};

// The frame-range dialog's answer to a start that is not below the end.
inline const QString kWrongRangeMessage = QStringLiteral("Неправильный диапазон!");

// The pages of a filled report, or, when refusal is not empty, why there are none: the
// user is told that instead of a preview.
struct BuiltReport {
    report::Document pages;
    QString refusal;
};

} // namespace zurval
