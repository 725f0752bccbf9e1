#pragma once

#include "core/recorder/RecorderFile.h"

#include <QStringList>

namespace zurval {

// What the first steps of opening a recorder file found, in the order the open command
// shows it.
struct OpeningChecks {
    bool imageIntact = true;  // false turns the status bar grey
    int versionEstimate = 0;  // shown in panel 2 until the bank's version replaces it
    QStringList bankMessages; // failed bank blocks, only while the estimate is above 0
    OperatorBlock operatorBlock;
};

[[nodiscard]] OpeningChecks runOpeningChecks(const ByteReader& r);

} // namespace zurval
