#include "FrameSelection.h"

#include "BitText.h"
#include "FrameBrowser.h"
#include "IntegerText.h"

#include <algorithm>

namespace zurval {
namespace {

// Bits 0..8 are the nine coordinate-protection limits; the bits above are layout-3 flags.
constexpr int kLastLimitBit = 8;

bool matches(const CycleFrame& f, int threshold, const FrameConditions& c) {
    return f.loadMoment >= threshold &&
           (!c.limitsEntered || anyBitTextSet(f.limitsEntered, 0, kLastLimitBit)) &&
           (!c.limitsTriggered || anyBitTextSet(f.limitsTriggered, 0, kLastLimitBit)) &&
           (!c.limitsReached || f.limitsReached != 0) && (!c.faults || f.health != 0);
}

} // namespace

FrameSelectionRun selectFrames(const FrameArray& frameList, const QString& thresholdText,
                               const FrameConditions& conditions, FrameArray& selection) {
    selection.fill(CycleFrame{});
    FrameSelectionRun run;
    const std::optional<int> threshold = parseInteger(thresholdText);
    if (!threshold) {
        run.error = notAnIntegerMessage(thresholdText);
        return run;
    }
    for (const CycleFrame& f : frameList) {
        if (matches(f, *threshold, conditions))
            selection[static_cast<std::size_t>(run.count++)] = f;
    }
    // The window shows the three newest matching frames; a short selection leaves it at 0.
    run.scrollMaximum = std::max(0, run.count - kBrowserColumns);
    run.scrollPosition = run.scrollMaximum;
    return run;
}

} // namespace zurval
