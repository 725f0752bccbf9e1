#pragma once

#include "core/acquisition/SerialPort.h"

namespace zurval {

// The connection of one device command: a port together with the settings it had when it
// was opened, so that they can be put back, and the working copy the command changes.
class SerialLink {
public:
    explicit SerialLink(SerialPort& port) : port_(port) {}

    [[nodiscard]] bool open(const QString& name) { return port_.open(name); }
    // Reads the port's time-outs and line settings; the working line starts as a copy.
    void saveSettings();
    [[nodiscard]] LineSettings& workingLine() { return working_; }
    [[nodiscard]] const Timeouts& savedTimeouts() const { return savedTimeouts_; }
    void applyLine() { port_.setLine(working_); }
    void applyTimeouts(const Timeouts& timeouts) { port_.setTimeouts(timeouts); }
    void purge() { port_.purge(); }
    [[nodiscard]] int writeByte(std::uint8_t byte) { return port_.writeByte(byte); }
    [[nodiscard]] int readByte(std::uint8_t& byte) { return port_.readByte(byte); }
    void transmitImmediate(std::uint8_t byte) { port_.transmitImmediate(byte); }
    void restoreLine() { port_.setLine(savedLine_); }
    void restoreTimeouts() { port_.setTimeouts(savedTimeouts_); }
    void close() { port_.close(); }

    [[nodiscard]] SerialPort& port() { return port_; }

private:
    SerialPort& port_;
    LineSettings savedLine_;
    LineSettings working_;
    Timeouts savedTimeouts_;
};

// The line both transfer devices use: 115,200 baud, 8 data bits, even parity, two stop bits.
void setDeviceLine(LineSettings& line);

} // namespace zurval
