// A stand-in for the ВРЛ-2 and ВРЛ-3 transfer devices on a pseudo-terminal, for trying the
// read commands and testing them without the hardware.

#include "SampleRecording.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t kTransferSize = 0x42000; // one recorder image as a device sends it
constexpr std::uint8_t kStart = 0x02;
constexpr std::uint8_t kEnd = 0x10;
constexpr std::uint8_t kProbe = 0x08;
constexpr std::uint8_t kFillByte = 0xEE; // extra bytes before or after the recording
// 115,200 baud with 8 data bits, even parity and two stop bits: 12 bits on the line a byte.
constexpr double kBytesPerSecond = 115200.0 / 12.0;
constexpr int kPaceTickMs = 5;

volatile std::sig_atomic_t stopRequested = 0;
void requestStop(int) {
    stopRequested = 1;
}

struct Behaviour {
    bool vrl3 = false;
    std::vector<std::uint8_t> stream; // everything 0x02 starts, extra bytes included
    std::size_t stopAfter = 0;        // bytes of the stream actually sent
    bool silent = false;
    std::optional<std::uint8_t> probeReply;
    double bytesPerSecond = 0; // 0: as fast as the pseudo-terminal takes them
};

[[noreturn]] void fail(const QString& text) {
    std::fprintf(stderr, "zurval-device: %s\n", qPrintable(text));
    std::exit(2);
}

std::uint32_t number(const QString& text, const char* what) {
    bool ok = false;
    const std::uint32_t n = text.toUInt(&ok, 0);
    if (!ok)
        fail(QStringLiteral("%1 is not a number: %2").arg(what, text));
    return n;
}

Behaviour parse(const QCoreApplication& app) {
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral(
        "Answers like a ВРЛ-2 or ВРЛ-3 transfer device on a pseudo-terminal. Prints the path of\n"
        "the device side and serves until stopped. Point a port of the program at it, e.g.\n"
        "  ZURVAL_COM1=/dev/pts/7 zurval   (ВРЛ-2 on COM1)\n"
        "  ZURVAL_COM0=/dev/pts/7 zurval   (the ВРЛ-3 scan tries \\\\.\\COM0 first)\n"
        "A ВРЛ-2 sends its stream when it gets 0x02 and stops at 0x10; a ВРЛ-3 also answers\n"
        "the probe 0x08 with 0xA0. The stream is the first 270,336 bytes of the recording."));
    p.addHelpOption();
    p.addPositionalArgument(QStringLiteral("device"), QStringLiteral("vrl2 or vrl3"));
    const QCommandLineOption recording(
        QStringLiteral("recording"),
        QStringLiteral("Serve this recorder file (default: the sample recording)."),
        QStringLiteral("file"));
    const QCommandLineOption stopAfter(QStringLiteral("stop-after"),
                                       QStringLiteral("Fall silent after n bytes."),
                                       QStringLiteral("n"));
    const QCommandLineOption preamble(
        QStringLiteral("preamble"),
        QStringLiteral("Send n extra bytes (0xEE) before the recording."), QStringLiteral("n"));
    const QCommandLineOption surplus(QStringLiteral("surplus"),
                                     QStringLiteral("Send n extra bytes (0xEE) after it."),
                                     QStringLiteral("n"));
    const QCommandLineOption silent(QStringLiteral("silent"),
                                    QStringLiteral("Never send the stream (a ВРЛ-3 still "
                                                   "answers the probe)."));
    const QCommandLineOption probeReply(
        QStringLiteral("probe-reply"),
        QStringLiteral("Answer the probe with this byte instead of 0xA0, or \"none\"."),
        QStringLiteral("byte"));
    const QCommandLineOption flip(
        QStringLiteral("flip"),
        QStringLiteral("Invert the bytes at these offsets of the stream (comma-separated)."),
        QStringLiteral("offsets"));
    const QCommandLineOption paced(
        QStringLiteral("paced"),
        QStringLiteral("Send at the line rate of 115,200 baud 8E2: 9,600 bytes a second."));
    const QCommandLineOption trickle(
        QStringLiteral("trickle"),
        QStringLiteral("Send one byte every ms milliseconds: never silent long enough for a "
                       "read to time out, the read ends at its deadline."),
        QStringLiteral("ms"));
    p.addOptions(
        {recording, stopAfter, preamble, surplus, silent, probeReply, flip, paced, trickle});
    p.process(app);

    const QStringList args = p.positionalArguments();
    if (args.size() != 1 || (args[0] != "vrl2" && args[0] != "vrl3"))
        p.showHelp(2);
    Behaviour b;
    b.vrl3 = args[0] == "vrl3";

    std::vector<std::uint8_t> image;
    if (p.isSet(recording)) {
        QFile f(p.value(recording));
        if (!f.open(QIODevice::ReadOnly))
            fail(QStringLiteral("cannot read %1").arg(f.fileName()));
        const QByteArray bytes = f.read(kTransferSize);
        image.assign(bytes.begin(), bytes.end());
    } else {
        image = zurval::makeSampleRecording().bytes();
    }
    image.resize(kTransferSize, 0);

    b.stream.assign(p.isSet(preamble) ? number(p.value(preamble), "--preamble") : 0, kFillByte);
    b.stream.insert(b.stream.end(), image.begin(), image.end());
    b.stream.resize(b.stream.size() +
                        (p.isSet(surplus) ? number(p.value(surplus), "--surplus") : 0),
                    kFillByte);
    for (const QString& offset : p.value(flip).split(',', Qt::SkipEmptyParts)) {
        const std::uint32_t at = number(offset, "--flip");
        if (at >= b.stream.size())
            fail(QStringLiteral("--flip offset past the stream: %1").arg(offset));
        b.stream[at] = static_cast<std::uint8_t>(~b.stream[at]);
    }
    b.stopAfter =
        p.isSet(stopAfter)
            ? std::min<std::size_t>(number(p.value(stopAfter), "--stop-after"), b.stream.size())
            : b.stream.size();
    b.silent = p.isSet(silent);
    if (b.vrl3) {
        const QString reply = p.value(probeReply);
        if (reply != "none")
            b.probeReply =
                reply.isEmpty() ? 0xA0 : static_cast<std::uint8_t>(number(reply, "--probe-reply"));
    }
    if (p.isSet(paced) && p.isSet(trickle))
        fail(QStringLiteral("--paced and --trickle exclude each other"));
    if (p.isSet(paced))
        b.bytesPerSecond = kBytesPerSecond;
    if (p.isSet(trickle)) {
        const std::uint32_t ms = number(p.value(trickle), "--trickle");
        if (ms == 0)
            fail(QStringLiteral("--trickle takes at least 1 ms"));
        b.bytesPerSecond = 1000.0 / ms;
    }
    return b;
}

int openDevice(QByteArray& devicePath, int& deviceSide) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
        fail(QStringLiteral("cannot open a pseudo-terminal"));
    devicePath = ::ptsname(master);
    // Holding the device side open keeps the line up while the program opens and closes it,
    // and keeps its settings: binary, like a serial port, so nothing is echoed meanwhile.
    deviceSide = ::open(devicePath.constData(), O_RDWR | O_NOCTTY);
    termios t{};
    if (deviceSide < 0 || ::tcgetattr(deviceSide, &t) != 0)
        fail(QStringLiteral("cannot open %1").arg(QString::fromLocal8Bit(devicePath)));
    ::cfmakeraw(&t);
    ::tcsetattr(deviceSide, TCSANOW, &t);
    return master;
}

class Device {
public:
    Device(const Behaviour& b, int fd) : b_(b), fd_(fd) {}

    void run() {
        while (!stopRequested) {
            pollfd p{fd_, POLLIN, 0};
            if (!replies_.empty() || sendDue() > sent_)
                p.events |= POLLOUT;
            const int timeout = sending_ && b_.bytesPerSecond > 0 ? kPaceTickMs : -1;
            if (::poll(&p, 1, timeout) < 0 && errno != EINTR)
                return;
            if (p.revents & POLLIN)
                receive();
            if (p.revents & POLLOUT)
                send();
        }
    }

private:
    using Clock = std::chrono::steady_clock;

    void receive() {
        std::uint8_t in[256];
        const ssize_t n = ::read(fd_, in, sizeof in);
        for (ssize_t i = 0; i < n; ++i) {
            if (in[i] == kProbe && b_.vrl3 && b_.probeReply)
                replies_.push_back(*b_.probeReply);
            else if (in[i] == kStart && !b_.silent) {
                sending_ = true;
                sent_ = 0;
                started_ = Clock::now();
            } else if (in[i] == kEnd) {
                sending_ = false;
            }
        }
    }

    // How much of the stream should be on the line by now.
    [[nodiscard]] std::size_t sendDue() const {
        if (!sending_)
            return 0;
        if (b_.bytesPerSecond == 0)
            return b_.stopAfter;
        const double seconds = std::chrono::duration<double>(Clock::now() - started_).count();
        return std::min(b_.stopAfter, static_cast<std::size_t>(seconds * b_.bytesPerSecond));
    }

    void send() {
        if (!replies_.empty()) {
            if (::write(fd_, replies_.data(), replies_.size()) > 0)
                replies_.clear();
            return;
        }
        const std::size_t due = sendDue();
        if (due > sent_) {
            const ssize_t n = ::write(fd_, b_.stream.data() + sent_, due - sent_);
            if (n > 0)
                sent_ += static_cast<std::size_t>(n);
        }
        if (sent_ >= b_.stopAfter)
            sending_ = false;
    }

    const Behaviour& b_;
    int fd_;
    std::vector<std::uint8_t> replies_;
    bool sending_ = false;
    std::size_t sent_ = 0;
    Clock::time_point started_;
};

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const Behaviour behaviour = parse(app);

    // Ends with the program that started it, and on SIGTERM or Ctrl+C.
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    struct sigaction stop {};
    stop.sa_handler = requestStop;
    ::sigaction(SIGTERM, &stop, nullptr);
    ::sigaction(SIGINT, &stop, nullptr);

    QByteArray path;
    int deviceSide = -1;
    const int master = openDevice(path, deviceSide);
    std::printf("%s\n", path.constData());
    std::fflush(stdout);

    Device(behaviour, master).run();
    ::close(deviceSide);
    ::close(master);
    return 0;
}
