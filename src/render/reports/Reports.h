#pragma once

#include "ControlTexts.h"
#include "ReportEngine.h"

namespace zurval {

struct RecorderDocument;

// PrintFrom and PrintTo: the inclusive range of positions the frame and overload reports
// print, chosen in the frame-range dialog.
struct PrintRange {
    int from = 0;
    int to = 0;
};

// The printed reports of the menu Файл → Печать, built from the main window's state.
enum class ReportKind { InformationCard, Scheme, Operational, Overloads };

// What a report is filled from: the texts the main window shows and the decoded recording.
struct ReportInputs {
    const ControlTexts& controls;
    const RecorderDocument& document;
    PrintRange range;
};

// The pages of a filled report, or, when refusal is not empty, why there are none: the
// user is told that instead of a preview.
struct BuiltReport {
    report::Document pages;
    QString refusal;
};

[[nodiscard]] BuiltReport buildReport(ReportKind kind, const ReportInputs& inputs);

// The frame-range dialog's answer to a start that is not below the end.
inline const QString kWrongRangeMessage = QStringLiteral("Неправильный диапазон!");

} // namespace zurval
