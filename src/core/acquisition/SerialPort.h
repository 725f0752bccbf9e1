#pragma once

#include <QString>
#include <cstdint>

namespace zurval {

enum class Parity { None, Odd, Even, Mark, Space };
enum class StopBits { One, OneAndHalf, Two };

// The settings of a port's line as the device commands see them.
struct LineSettings {
    std::uint32_t baudRate = 0;
    int dataBits = 8;
    Parity parity = Parity::None;
    StopBits stopBits = StopBits::One;
    bool dtrOn = false; // the modem-control outputs, held off or on, never a handshake
    bool rtsOn = false;
};

// Time-outs in milliseconds. A read or write gives up after multiplier × bytes + constant;
// the interval is the longest gap allowed between two received bytes (0: not used).
struct Timeouts {
    std::uint32_t readInterval = 0;
    std::uint32_t readMultiplier = 0;
    std::uint32_t readConstant = 0;
    std::uint32_t writeMultiplier = 0;
    std::uint32_t writeConstant = 0;
};

// One serial port, operation for operation what the device commands ask of the system.
// Every operation on a port that is not open fails (false, or 0 bytes).
class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens an existing port for reading and writing, nobody else may have it open.
    [[nodiscard]] virtual bool open(const QString& name) = 0;
    virtual bool getLine(LineSettings& line) = 0;
    virtual bool setLine(const LineSettings& line) = 0;
    virtual bool getTimeouts(Timeouts& timeouts) = 0;
    virtual bool setTimeouts(const Timeouts& timeouts) = 0;
    // Drops pending output and received input alike.
    virtual bool purge() = 0;
    // Sends the byte ahead of any output already queued.
    virtual bool transmitImmediate(std::uint8_t byte) = 0;
    // Blocks within the write time-out; the number of bytes written, 0 or 1.
    [[nodiscard]] virtual int writeByte(std::uint8_t byte) = 0;
    // Blocks within the read time-out; the number of bytes read, 0 or 1. Line errors
    // (parity, framing, overrun) are not reported: whatever byte arrived is returned.
    [[nodiscard]] virtual int readByte(std::uint8_t& byte) = 0;
    // Leaves the port as open() found it, whatever the calls between did to it.
    virtual void close() = 0;
};

// The device file that a port name of the device commands stands for ("" when none).
[[nodiscard]] QString portDevicePath(const QString& portName);

} // namespace zurval
