#pragma once

#include "core/document/ShownTexts.h"
#include "core/frames/CycleFrame.h"
#include "core/frames/Overloads.h"
#include "render/reports/BuiltReport.h"

#include <QDate>

namespace zurval {

// "Оперативная информация": one line per frame of FrameList from range.from to range.to,
// on A4 landscape pages under the two header lines. A range outside the list is refused.
[[nodiscard]] BuiltReport operationalReport(const ShownTexts& shown, const FrameArray& frames,
                                            PrintRange range);

// "Перегрузки": the non-empty records of OverloadList in the range as a table with a
// running count, on A4 portrait pages. A range outside the list, or a printed record whose
// date is no calendar date, is refused.
[[nodiscard]] BuiltReport overloadsReport(const ShownTexts& shown, const OverloadArray& overloads,
                                          PrintRange range);

// The system's short date form, always with the year in four digits (15.03.2006).
[[nodiscard]] QString shortDate(const QDate& date);

} // namespace zurval
