#include "core/acquisition/PosixSerialPort.h"

#include <QFile>
#include <QRegularExpression>
#include <array>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace zurval {

// Port n of the device commands ("COMn", or "\\.\COMn" as the ВРЛ-3 scan names it) is the
// device file named by the environment variable ZURVAL_COMn when that is set (for example
// ZURVAL_COM3=/dev/pts/5). Otherwise ports 1 to 4 are the board's serial ports /dev/ttyS0
// to /dev/ttyS3, ports 5 to 9 the USB serial adapters /dev/ttyUSB0 to /dev/ttyUSB4 and
// ports 10 to 14 the USB modem-class adapters /dev/ttyACM0 to /dev/ttyACM4, so the ВРЛ-3
// scan finds a device on an adapter without any setting. Port 0 and other numbers have no
// device unless the variable names one.
QString portDevicePath(const QString& portName) {
    static const QRegularExpression pattern(
        QStringLiteral(R"(^(?:\\\\\.\\)?COM(0|[1-9]\d{0,2})$)"));
    const QRegularExpressionMatch m = pattern.match(portName);
    if (!m.hasMatch())
        return {};
    const int n = m.captured(1).toInt();
    const QString overridden =
        qEnvironmentVariable(qPrintable(QStringLiteral("ZURVAL_COM%1").arg(n)));
    if (!overridden.isEmpty())
        return overridden;
    if (n >= 1 && n <= 4)
        return QStringLiteral("/dev/ttyS%1").arg(n - 1);
    if (n >= 5 && n <= 9)
        return QStringLiteral("/dev/ttyUSB%1").arg(n - 5);
    if (n >= 10 && n <= 14)
        return QStringLiteral("/dev/ttyACM%1").arg(n - 10);
    return {};
}

namespace {

struct BaudRate {
    std::uint32_t rate;
    speed_t code;
};
constexpr std::array<BaudRate, 14> kBaudRates{{{300, B300},
                                               {600, B600},
                                               {1200, B1200},
                                               {2400, B2400},
                                               {4800, B4800},
                                               {9600, B9600},
                                               {19200, B19200},
                                               {38400, B38400},
                                               {57600, B57600},
                                               {115200, B115200},
                                               {230400, B230400},
                                               {460800, B460800},
                                               {500000, B500000},
                                               {921600, B921600}}};

std::uint32_t rateOf(speed_t code) {
    for (const BaudRate& b : kBaudRates)
        if (b.code == code)
            return b.rate;
    return 0;
}

// A rate the terminal does not know leaves the speed as it was.
void setRate(termios& t, std::uint32_t rate) {
    for (const BaudRate& b : kBaudRates)
        if (b.rate == rate) {
            cfsetispeed(&t, b.code);
            cfsetospeed(&t, b.code);
        }
}

tcflag_t sizeFlag(int dataBits) {
    switch (dataBits) {
    case 5:
        return CS5;
    case 6:
        return CS6;
    case 7:
        return CS7;
    default:
        return CS8;
    }
}

int dataBitsOf(tcflag_t cflag) {
    switch (cflag & CSIZE) {
    case CS5:
        return 5;
    case CS6:
        return 6;
    case CS7:
        return 7;
    default:
        return 8;
    }
}

// Milliseconds left until the deadline, for poll().
class Deadline {
public:
    explicit Deadline(std::uint32_t ms)
        : end_(std::chrono::steady_clock::now() + std::chrono::milliseconds(ms)) {}
    [[nodiscard]] int remainingMs() const {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end_ - std::chrono::steady_clock::now());
        return left.count() > 0 ? static_cast<int>(left.count()) : 0;
    }

private:
    std::chrono::steady_clock::time_point end_;
};

// Waits for the port to become ready for events; false on time-out, hang-up or error.
bool waitFor(int fd, short events, const Deadline& deadline) {
    for (;;) {
        pollfd p{fd, events, 0};
        const int r = ::poll(&p, 1, deadline.remainingMs());
        if (r < 0 && errno == EINTR)
            continue;
        return r > 0 && (p.revents & events);
    }
}

} // namespace

bool PosixSerialPort::open(const QString& name) {
    close();
    const QString path = portDevicePath(name);
    if (path.isEmpty())
        return false;
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    termios t{};
    // Only a terminal is a port, and only one user may have it: flock() keeps out other
    // programs that lock, TIOCEXCL every later open() but root's.
    if (::tcgetattr(fd, &t) != 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    ::ioctl(fd, TIOCEXCL);
    fd_ = fd;
    found_ = t;
    int modem = 0;
    foundModemLines_ =
        ::ioctl(fd, TIOCMGET, &modem) == 0 ? std::optional<int>(modem) : std::nullopt;
    timeouts_ = Timeouts{};
    received_.clear();
    return true;
}

bool PosixSerialPort::getLine(LineSettings& line) {
    termios t{};
    if (!isOpen() || ::tcgetattr(fd_, &t) != 0)
        return false;
    line.baudRate = rateOf(cfgetospeed(&t));
    line.dataBits = dataBitsOf(t.c_cflag);
    if (!(t.c_cflag & PARENB))
        line.parity = Parity::None;
    else if (t.c_cflag & CMSPAR)
        line.parity = (t.c_cflag & PARODD) ? Parity::Mark : Parity::Space;
    else
        line.parity = (t.c_cflag & PARODD) ? Parity::Odd : Parity::Even;
    line.stopBits = (t.c_cflag & CSTOPB) ? StopBits::Two : StopBits::One;
    // A pseudo-terminal has no modem lines; it reads as both held off.
    int modem = 0;
    if (::ioctl(fd_, TIOCMGET, &modem) != 0)
        modem = 0;
    line.dtrOn = modem & TIOCM_DTR;
    line.rtsOn = modem & TIOCM_RTS;
    return true;
}

bool PosixSerialPort::setLine(const LineSettings& line) {
    termios t{};
    if (!isOpen() || ::tcgetattr(fd_, &t) != 0)
        return false;

    // Binary: no echo, line editing, signals, translation or XON/XOFF; line errors do not
    // drop or mark bytes. Reads are timed with poll(), so the terminal never waits itself.
    t.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF |
                   IXANY | INPCK | IGNPAR);
    t.c_oflag &= ~OPOST;
    t.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag |= CREAD | CLOCAL;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;

    setRate(t, line.baudRate);
    t.c_cflag = (t.c_cflag & ~CSIZE) | sizeFlag(line.dataBits);
    t.c_cflag &= ~(PARENB | PARODD | CMSPAR | CSTOPB);
    switch (line.parity) {
    case Parity::None:
        break;
    case Parity::Odd:
        t.c_cflag |= PARENB | PARODD;
        break;
    case Parity::Even:
        t.c_cflag |= PARENB;
        break;
    case Parity::Mark:
        t.c_cflag |= PARENB | CMSPAR | PARODD;
        break;
    case Parity::Space:
        t.c_cflag |= PARENB | CMSPAR;
        break;
    }
    if (line.stopBits != StopBits::One) // a terminal knows one or two
        t.c_cflag |= CSTOPB;
    if (::tcsetattr(fd_, TCSANOW, &t) != 0)
        return false;

    // Fails on a pseudo-terminal, which has no modem lines to drive.
    const int dtr = TIOCM_DTR;
    const int rts = TIOCM_RTS;
    ::ioctl(fd_, line.dtrOn ? TIOCMBIS : TIOCMBIC, &dtr);
    ::ioctl(fd_, line.rtsOn ? TIOCMBIS : TIOCMBIC, &rts);
    return true;
}

bool PosixSerialPort::getTimeouts(Timeouts& timeouts) {
    if (!isOpen())
        return false;
    timeouts = timeouts_;
    return true;
}

bool PosixSerialPort::setTimeouts(const Timeouts& timeouts) {
    if (!isOpen())
        return false;
    timeouts_ = timeouts;
    return true;
}

bool PosixSerialPort::purge() {
    if (!isOpen())
        return false;
    received_.clear();
    return ::tcflush(fd_, TCIOFLUSH) == 0;
}

bool PosixSerialPort::transmitImmediate(std::uint8_t byte) {
    // Nothing of ours waits in the output queue: a write goes straight to the terminal.
    return writeByte(byte) == 1;
}

int PosixSerialPort::writeByte(std::uint8_t byte) {
    if (!isOpen())
        return 0;
    const Deadline deadline(timeouts_.writeMultiplier + timeouts_.writeConstant);
    for (;;) {
        const ssize_t n = ::write(fd_, &byte, 1);
        if (n == 1)
            return 1;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            return 0;
        if (!waitFor(fd_, POLLOUT, deadline))
            return 0;
    }
}

int PosixSerialPort::readByte(std::uint8_t& byte) {
    if (!isOpen())
        return 0;
    if (received_.empty()) {
        // With a total time-out of 0 only what has already arrived is taken.
        const Deadline deadline(timeouts_.readMultiplier + timeouts_.readConstant);
        bool signalled = false;
        for (;;) {
            std::array<std::uint8_t, 4096> chunk;
            const ssize_t n = ::read(fd_, chunk.data(), chunk.size());
            if (n > 0) {
                received_.insert(received_.end(), chunk.begin(), chunk.begin() + n);
                break;
            }
            if (n < 0 && errno == EINTR)
                continue;
            // Signalled as readable yet nothing to read, or an error: the device went away.
            if ((n < 0 && errno != EAGAIN) || (n == 0 && signalled))
                return 0;
            if (!waitFor(fd_, POLLIN, deadline))
                return 0;
            signalled = true;
        }
    }
    byte = received_.front();
    received_.pop_front();
    return 1;
}

void PosixSerialPort::close() {
    if (!isOpen())
        return;
    // At once, not after the output drains: a line held by flow control would never drain.
    ::tcsetattr(fd_, TCSANOW, &found_);
    if (foundModemLines_) {
        const int raised = *foundModemLines_ & (TIOCM_DTR | TIOCM_RTS);
        const int dropped = ~*foundModemLines_ & (TIOCM_DTR | TIOCM_RTS);
        ::ioctl(fd_, TIOCMBIS, &raised);
        ::ioctl(fd_, TIOCMBIC, &dropped);
    }
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
    received_.clear();
}

} // namespace zurval
