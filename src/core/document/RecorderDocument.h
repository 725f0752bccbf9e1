#pragma once

#include "core/frames/CyclicRecords.h"
#include "core/frames/Overloads.h"
#include "core/protection/CraneParameters.h"
#include "core/protection/ProtectionSettings.h"
#include "core/recorder/DutyClassification.h"
#include "core/recorder/RecorderFile.h"
#include "core/recorder/ServiceBank.h"

#include <vector>

namespace zurval {

// Everything the open command decoded from one recording; the pages show it and the
// reports print it. Fixed-size parts are overwritten by each load, never resized.
struct RecorderDocument {
    int recorderVersion = 0;
    float characteristicNumber = 0; // the larger of the two banks', for the duty rating
    OperatorBlock operatorBlock;
    ServiceInfo service; // its texts follow the bank commands, as the pages do
    DutyClassification duty;
    std::vector<ParameterSectionValues> craneParameters; // RE_Param
    // Survive a load of an unknown layout and the clearing: the protection picture keeps
    // drawing with the last dimensions it knew.
    CraneDimensions craneDimensions;
    ProtectionSettings protection;
    CyclicRecords cyclic;         // FrameList, FrameSelection, OverloadList, OverloadSelection
    OverloadHighlights overloads; // the two lines under the overload selection

    // Forgets what the last load decoded, for a caller that reuses one document for many
    // recordings. The tables keep their size; their entries are reset. The clearing of the
    // pages does not call it: the tables outlive it.
    void clearDecoded();
};

// Panel 2 of the status bar.
[[nodiscard]] QString versionPanelText(int recorderVersion);

} // namespace zurval
