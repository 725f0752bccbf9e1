#pragma once

#include "core/frames/CycleFrame.h"

#include <QString>

namespace zurval {

// The condition boxes of "Условия отбора кадров"; all checked ones must hold.
struct FrameConditions {
    bool limitsEntered = false;   // CheckBox_VLim: one of the nine protection limits on
    bool limitsTriggered = false; // CheckBox_SLim: one of them acted
    bool limitsReached = false;   // CheckBox_O_DO
    bool faults = false;          // CheckBox_Error
};

struct FrameSelectionRun {
    QString error; // not empty: the threshold is no integer; show it, nothing else changes
    int count = 0; // Label_O_OtbZap
    // ScrollBar_Cikl: the range 0..scrollMaximum is set first, then the position.
    int scrollMaximum = 0;
    int scrollPosition = 0;
};

// The frame selection (run only while a document is loaded): resets FrameSelection, then
// selects, oldest first, every frame of FrameList whose load moment is at least the
// threshold and that meets the checked conditions. A threshold that is no integer leaves
// FrameSelection reset. The browser is then filled with BrowserFill::AfterSelection from 0.
[[nodiscard]] FrameSelectionRun selectFrames(const FrameArray& frameList,
                                             const QString& thresholdText,
                                             const FrameConditions& conditions,
                                             FrameSelection& selection);

} // namespace zurval
