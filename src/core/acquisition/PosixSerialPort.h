#pragma once

#include "core/acquisition/SerialPort.h"

#include <deque>
#include <optional>
#include <termios.h>

namespace zurval {

// A serial port over a POSIX terminal device. While open the port is binary: the terminal's
// own line processing (echo, line editing, character translation, XON/XOFF) stays off.
// Closing it, or destroying it open, puts the terminal back exactly as open() found it, so
// the other users of the terminal never see what a command did to it. Waits use poll(), so
// a blocked read costs no CPU.
class PosixSerialPort : public SerialPort {
public:
    PosixSerialPort() = default;
    ~PosixSerialPort() override { close(); }
    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    bool open(const QString& name) override;
    bool getLine(LineSettings& line) override;
    bool setLine(const LineSettings& line) override;
    bool getTimeouts(Timeouts& timeouts) override;
    bool setTimeouts(const Timeouts& timeouts) override;
    bool purge() override;
    bool transmitImmediate(std::uint8_t byte) override;
    int writeByte(std::uint8_t byte) override;
    int readByte(std::uint8_t& byte) override;
    void close() override;

private:
    [[nodiscard]] bool isOpen() const { return fd_ >= 0; }

    int fd_ = -1;
    // The terminal as open() found it: every flag, control character and speed, and the
    // modem lines when the terminal has them (a pseudo-terminal has none).
    termios found_{};
    std::optional<int> foundModemLines_;
    // A terminal has no time-outs of its own; a freshly opened port starts with none.
    Timeouts timeouts_;
    // Bytes the terminal handed over beyond the one asked for: the tail of the input queue.
    std::deque<std::uint8_t> received_;
};

} // namespace zurval
