#include "ScriptedSerialPort.h"

namespace zurval {

namespace {
QString hexByte(std::uint8_t b) {
    return QStringLiteral("%1").arg(b, 2, 16, QChar('0')).toUpper();
}
} // namespace

QString lineText(const LineSettings& line) {
    static const char parity[] = {'N', 'O', 'E', 'M', 'S'};
    static const char* const stop[] = {"1", "1.5", "2"};
    return QStringLiteral("%1 %2%3%4 DTR%5 RTS%6")
        .arg(line.baudRate)
        .arg(line.dataBits)
        .arg(QChar(parity[static_cast<int>(line.parity)]))
        .arg(QString::fromLatin1(stop[static_cast<int>(line.stopBits)]))
        .arg(line.dtrOn ? '+' : '-')
        .arg(line.rtsOn ? '+' : '-');
}

LineSettings ScriptedSerialPort::ownLine() {
    LineSettings line;
    line.baudRate = 9600;
    line.dtrOn = true;
    line.rtsOn = true;
    return line;
}

Timeouts ScriptedSerialPort::ownTimeouts() {
    return {50, 0, 0, 0, 0};
}

void ScriptedSerialPort::attach(const QString& name, Device device) {
    devices_[name] = std::move(device);
}

const QStringList& ScriptedSerialPort::log() const {
    endReadRun();
    return log_;
}

void ScriptedSerialPort::note(const QString& line) {
    endReadRun();
    log_ << line;
}

void ScriptedSerialPort::endReadRun() const {
    if (readRunLength_ > 0)
        log_ << QStringLiteral("read %1 bytes").arg(readRunLength_);
    readRunLength_ = 0;
}

bool ScriptedSerialPort::logged(const QString& call, bool ok) {
    note(ok ? call : call + QStringLiteral(" failed"));
    return ok;
}

bool ScriptedSerialPort::open(const QString& name) {
    const auto it = devices_.find(name);
    open_ = it == devices_.end() ? nullptr : &it->second;
    line_ = ownLine();
    timeouts_ = ownTimeouts();
    input_.clear();
    return logged(QStringLiteral("open ") + name, open_ != nullptr);
}

bool ScriptedSerialPort::getLine(LineSettings& line) {
    if (open_)
        line = line_;
    return logged(QStringLiteral("getLine"), open_);
}

bool ScriptedSerialPort::setLine(const LineSettings& line) {
    if (open_)
        line_ = line;
    return logged(QStringLiteral("setLine ") + lineText(line), open_);
}

bool ScriptedSerialPort::getTimeouts(Timeouts& timeouts) {
    if (open_)
        timeouts = timeouts_;
    return logged(QStringLiteral("getTimeouts"), open_);
}

bool ScriptedSerialPort::setTimeouts(const Timeouts& t) {
    if (open_)
        timeouts_ = t;
    return logged(QStringLiteral("setTimeouts %1/%2/%3/%4/%5")
                      .arg(t.readInterval)
                      .arg(t.readMultiplier)
                      .arg(t.readConstant)
                      .arg(t.writeMultiplier)
                      .arg(t.writeConstant),
                  open_);
}

bool ScriptedSerialPort::purge() {
    input_.clear();
    return logged(QStringLiteral("purge"), open_);
}

bool ScriptedSerialPort::transmitImmediate(std::uint8_t byte) {
    return logged(QStringLiteral("transmit ") + hexByte(byte), open_);
}

int ScriptedSerialPort::writeByte(std::uint8_t byte) {
    const bool ok = open_ && open_->acceptsWrites;
    if (ok && byte == 0x08 && open_->probeReply)
        input_.push_back(*open_->probeReply);
    if (ok && byte == 0x02)
        input_.insert(input_.end(), open_->stream.begin(), open_->stream.end());
    return logged(QStringLiteral("write ") + hexByte(byte), ok) ? 1 : 0;
}

int ScriptedSerialPort::readByte(std::uint8_t& byte) {
    if (!open_ || input_.empty()) {
        note(open_ ? QStringLiteral("read timeout") : QStringLiteral("read failed"));
        return 0;
    }
    byte = input_.front();
    input_.pop_front();
    if (clock_)
        clock_->advance(open_->msPerByte);
    ++readRunLength_;
    return 1;
}

void ScriptedSerialPort::close() {
    const bool wasOpen = open_ != nullptr;
    open_ = nullptr;
    input_.clear();
    logged(QStringLiteral("close"), wasOpen);
}

void LoggingClock::sleepMs(int ms) {
    port_.note(QStringLiteral("sleep %1").arg(ms));
    FakeClock::sleepMs(ms);
}

} // namespace zurval
