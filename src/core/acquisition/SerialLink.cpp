#include "core/acquisition/SerialLink.h"

namespace zurval {

void SerialLink::saveSettings() {
    port_.getTimeouts(savedTimeouts_);
    port_.getLine(savedLine_);
    working_ = savedLine_;
}

void setDeviceLine(LineSettings& line) {
    line.baudRate = 115200;
    line.dataBits = 8;
    line.parity = Parity::Even;
    line.stopBits = StopBits::Two;
}

} // namespace zurval
