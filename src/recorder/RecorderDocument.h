#pragma once

namespace zurval {

// What the open command keeps of the loaded recording besides the texts on the pages.
struct RecorderDocument {
    int recorderVersion = 0;
    float characteristicNumber = 0; // the larger of the two banks', for the duty rating
};

} // namespace zurval
