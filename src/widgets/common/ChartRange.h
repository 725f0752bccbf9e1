#pragma once

#include <qcustomplot.h>

namespace zurval {

// A chart's axis range as zooming and panning may leave it: never wider than whole, never
// narrower than fewest (kept about its centre), moved back inside whole where it ran out.
[[nodiscard]] inline QCPRange rangeWithin(const QCPRange& range, const QCPRange& whole,
                                          double fewest) {
    QCPRange kept = range;
    if (kept.size() > whole.size())
        kept = whole;
    if (kept.size() < fewest)
        kept = QCPRange(kept.center() - fewest / 2, kept.center() + fewest / 2);
    if (kept.lower < whole.lower)
        kept += whole.lower - kept.lower;
    if (kept.upper > whole.upper)
        kept -= kept.upper - whole.upper;
    return kept;
}

} // namespace zurval
