#include "core/frames/FrameSelection.h"

#include "core/frames/FrameBrowser.h"
#include "core/frames/IntegerText.h"

#include <algorithm>

namespace zurval {
namespace {

// Bits 0..8 are the nine coordinate-protection limits; the bits above are layout-3 flags.
constexpr int kLastLimitBit = 8;

bool matches(const CycleFrame& f, int threshold, const FrameConditions& c) {
    return f.loadMoment >= threshold &&
           (!c.limitsEntered || anyBitSet(f.limitsEntered, 0, kLastLimitBit)) &&
           (!c.limitsTriggered || anyBitSet(f.limitsTriggered, 0, kLastLimitBit)) &&
           (!c.limitsReached || f.limitsReached != 0) && (!c.faults || f.health != 0);
}

} // namespace

FrameSelectionRun selectFrames(const FrameArray& frameList, const QString& thresholdText,
                               const FrameConditions& conditions, FrameSelection& selection) {
    selection.clear();
    FrameSelectionRun run;
    const std::optional<int> threshold = parseInteger(thresholdText);
    if (!threshold) {
        run.error = notAnIntegerMessage(thresholdText);
        return run;
    }
    for (int k = 0; k < kFrameCapacity; ++k) {
        if (matches(frameList[static_cast<std::size_t>(k)], *threshold, conditions))
            selection.add(k);
    }
    run.count = selection.count();
    // The window shows the three newest matching frames; a short selection leaves it at 0.
    run.scrollMaximum = std::max(0, run.count - kBrowserColumns);
    run.scrollPosition = run.scrollMaximum;
    return run;
}

} // namespace zurval
