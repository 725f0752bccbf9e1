#pragma once

#include "FakeClock.h"
#include "core/acquisition/SerialPort.h"

#include <QStringList>
#include <deque>
#include <map>
#include <optional>

namespace zurval {

// What answers on a port of the scripted port.
struct ScriptedDevice {
    std::optional<std::uint8_t> probeReply; // answered to the probe byte 0x08
    std::vector<std::uint8_t> stream;       // sent when the start byte 0x02 arrives
    bool acceptsWrites = true;
    int msPerByte = 0; // each byte read takes this long on the clock given to useClock()
};

// A serial port for tests: which ports exist and what the devices on them answer is
// scripted, and every call goes into a log, one line each ("open COM1", "setLine 115200
// 8E2 DTR+ RTS+", "setTimeouts 0/1000/1000/1000/1000", "write 02", "read 270336 bytes",
// "read timeout", "close"); a call that fails ends with " failed". Consecutive reads that
// return a byte make one line.
class ScriptedSerialPort : public SerialPort {
public:
    using Device = ScriptedDevice;
    // What every port has before a command changes it.
    static LineSettings ownLine();
    static Timeouts ownTimeouts();

    // Makes the port exist, with a device on it.
    void attach(const QString& name, Device device = {});
    [[nodiscard]] const QStringList& log() const;
    // Adds a line of the caller's to the log (a pause, say).
    void note(const QString& line);
    // The clock on which the devices' bytes take their time.
    void useClock(FakeClock& clock) { clock_ = &clock; }

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
    bool logged(const QString& call, bool ok);
    // Writes the line of the reads since the last line: one line for a run of any length,
    // made once rather than at every byte.
    void endReadRun() const;

    std::map<QString, Device> devices_;
    const Device* open_ = nullptr;
    FakeClock* clock_ = nullptr;
    LineSettings line_;
    Timeouts timeouts_;
    std::deque<std::uint8_t> input_;
    mutable QStringList log_;
    mutable int readRunLength_ = 0; // reads that returned a byte since the last line
};

// Text of line settings as the log shows them: "115200 8E2 DTR+ RTS+".
[[nodiscard]] QString lineText(const LineSettings& line);

// A clock that waits no time and notes every pause in a port's log ("sleep 250").
class LoggingClock : public FakeClock {
public:
    explicit LoggingClock(ScriptedSerialPort& port) : port_(port) {}
    void sleepMs(int ms) override;

private:
    ScriptedSerialPort& port_;
};

} // namespace zurval
