#include "AcquisitionTestSupport.h"
#include "SampleRecording.h"
#include "core/acquisition/PosixSerialPort.h"
#include "core/acquisition/SerialLink.h"
#include "core/recorder/Opening.h"

#include <QProcess>
#include <fcntl.h>
#include <functional>
#include <termios.h>
#include <unistd.h>

using namespace zurval;
using namespace zurval::testing;
using namespace zurval::filemap;

namespace {

const QDateTime kReadAt(QDate(2006, 12, 8), QTime(14, 5));

// zurval-device on a pseudo-terminal of its own, with a port of the program pointed at it:
// COM1 for a ВРЛ-2, \\.\COM0, the first the scan tries, for a ВРЛ-3.
class Emulator {
public:
    Emulator(TransferDevice device, QStringList options) {
        env_ = device == TransferDevice::Vrl2 ? "ZURVAL_COM1" : "ZURVAL_COM0";
        options.prepend(device == TransferDevice::Vrl2 ? "vrl2" : "vrl3");
        process_.start(ZURVAL_DEVICE, options);
        while (!process_.canReadLine() && process_.waitForReadyRead(30000)) {
        }
        path_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
        EXPECT_TRUE(path_.startsWith("/dev/")) << qPrintable(process_.readAllStandardError());
        qputenv(env_, path_.toLocal8Bit());
    }
    ~Emulator() {
        qunsetenv(env_);
        process_.terminate();
        process_.waitForFinished(10000);
    }
    // The pseudo-terminal the port opens.
    [[nodiscard]] const QString& path() const { return path_; }

private:
    QProcess process_;
    const char* env_;
    QString path_;
};

ReadOutcome read(TransferDevice device, CommandHarness& h, bool abort = false) {
    PosixSerialPort port;
    FakeClock clock; // the protocol's pauses; the read time-outs are the port's own
    AcquisitionContext ctx{port, clock, h.prompts, h.view, h.dialog, h.dir.path()};
    ctx.abortRequested = &abort;
    ReceiveBuffer buffer;
    return device == TransferDevice::Vrl2 ? readVrl2(ctx, 1, buffer) : readVrl3(ctx, kReadAt);
}

struct Source {
    QTemporaryDir dir;
    RecordingBuilder sample = makeSampleRecording();
    QString path = dir.filePath("source.vrl");
    Source() { EXPECT_TRUE(sample.write(path)); }
};

const TransferDevice kDevices[] = {TransferDevice::Vrl2, TransferDevice::Vrl3};

} // namespace

TEST(DeviceOverPty, CompleteReadSavesTheDeviceDataAndOperatorBlockIntact) {
    const Source source;
    for (const TransferDevice device : kDevices) {
        SCOPED_TRACE(device == TransferDevice::Vrl2 ? "ВРЛ-2" : "ВРЛ-3");
        const Emulator emulator(device, {"--recording", source.path});
        CommandHarness h;
        h.dialog.typed = {QString::fromUtf8("Петров И.И."), "12-345", QString::fromUtf8("ООО Кран"),
                          ""};
        h.prompts.queueFileName(h.path("read.vrl"));
        const ReadOutcome outcome = read(device, h);
        ASSERT_EQ(outcome.savedPath, h.path("read.vrl"))
            << h.prompts.texts().join('|').toStdString();
        EXPECT_TRUE(outcome.imageIntact);

        // The device sends the first 270,336 bytes of the recording; one zero byte follows.
        // They hold every control character (0x03, 0x0D, 0x11, 0x13...): the port is binary.
        RecordingBuilder expected = source.sample;
        expected.resize(kCompleteTransfer).resize(kDeviceDataLength);
        const OperatorBlock& op = h.dialog.typed;
        expected.operatorBlock(op.name, op.certificate, op.organisation, op.readingDate);
        const QByteArray saved = readAll(outcome.savedPath);
        EXPECT_TRUE(saved == bytesOf(expected.bytes(), 0, expected.bytes().size()));

        const std::optional<RecorderFile> file = readRecorderFile(outcome.savedPath);
        ASSERT_TRUE(file);
        const OpeningChecks checks = runOpeningChecks(file->reader());
        EXPECT_TRUE(checks.imageIntact);
        EXPECT_TRUE(checks.bankMessages.isEmpty());
        EXPECT_EQ(checks.operatorBlock.name, op.name);
        EXPECT_EQ(checks.operatorBlock.readingDate,
                  device == TransferDevice::Vrl3 ? "08.12.06 14-05" : "");
    }
}

TEST(DeviceOverPty, StopHalfWayOrSilenceGivesTheAbortBoxWithTheCount) {
    const struct {
        TransferDevice device;
        QStringList options;
        int count;
    } cases[] = {
        {TransferDevice::Vrl2, {"--stop-after", "135168"}, 135169},
        {TransferDevice::Vrl3, {"--stop-after", "135168"}, 135169},
        {TransferDevice::Vrl2, {"--silent"}, 1},
        {TransferDevice::Vrl3, {"--silent"}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options.join(' ').toStdString() +
                     (c.device == TransferDevice::Vrl2 ? " ВРЛ-2" : " ВРЛ-3"));
        const Emulator emulator(c.device, c.options);
        CommandHarness h;
        h.prompts.queueFileName(h.path("read.vrl"));
        EXPECT_EQ(read(c.device, h).readCounter, c.count);
        EXPECT_EQ(h.prompts.texts().last(),
                  QString::fromUtf8("\n Считывание прервано на %1 байте!\nПовторите считывание!")
                      .arg(c.count));
        EXPECT_FALSE(QFile::exists(h.path("read.vrl")));
    }
}

TEST(DeviceOverPty, UnwritableFileIsReportedAndTheDataStayInTempBin) {
    const Source source;
    const Emulator emulator(TransferDevice::Vrl3, {"--recording", source.path});
    CommandHarness h;
    QFile notAFolder(h.path("plain"));
    ASSERT_TRUE(notAFolder.open(QIODevice::WriteOnly));
    notAFolder.close();
    h.prompts.queueFileName(h.path("plain/read.vrl"));
    const ReadOutcome outcome = read(TransferDevice::Vrl3, h);

    EXPECT_EQ(outcome.savedPath, "");
    ASSERT_EQ(h.prompts.shown().size(), 1u);
    EXPECT_EQ(h.prompts.shown()[0].kind, ScriptedPrompts::Kind::Error);
    EXPECT_TRUE(h.prompts.shown()[0].text.contains(h.path("temp.bin")));
    EXPECT_TRUE(readAll(h.path("temp.bin")) ==
                bytesOf(source.sample.bytes(), 0, kCompleteTransfer) + QByteArray(1, '\0'));
}

namespace {

// A terminal as a shell leaves it: line editing, echo, signals, output processing, CR/NL
// mapping, XON/XOFF, modem control, reads waiting for one byte.
void cook(int fd) {
    termios t{};
    ASSERT_EQ(::tcgetattr(fd, &t), 0);
    t.c_iflag = BRKINT | ICRNL | IXON | IMAXBEL;
    t.c_oflag = OPOST | ONLCR;
    t.c_cflag = (t.c_cflag & ~(CLOCAL | CSIZE)) | CS8 | CREAD | HUPCL;
    t.c_lflag = ICANON | ECHO | ECHOE | ECHOK | ISIG | IEXTEN;
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    cfsetispeed(&t, B9600);
    cfsetospeed(&t, B9600);
    ASSERT_EQ(::tcsetattr(fd, TCSANOW, &t), 0);
}

// Every field of a terminal's settings, as text a failed comparison shows in full.
QString settingsOf(int fd) {
    termios t{};
    EXPECT_EQ(::tcgetattr(fd, &t), 0);
    QStringList cc;
    for (const cc_t c : t.c_cc)
        cc << QString::number(c);
    return QStringLiteral("iflag %1 oflag %2 cflag %3 lflag %4 line %5 speed %6/%7 cc %8")
        .arg(t.c_iflag, 0, 8)
        .arg(t.c_oflag, 0, 8)
        .arg(t.c_cflag, 0, 8)
        .arg(t.c_lflag, 0, 8)
        .arg(t.c_line)
        .arg(cfgetispeed(&t))
        .arg(cfgetospeed(&t))
        .arg(cc.join(' '));
}

} // namespace

TEST(DeviceOverPty, EveryWayAReadEndsLeavesTheTerminalAsItWasFound) {
    using Run = std::function<void(CommandHarness&)>;
    const auto vrl2Read = [](bool connect, bool abort, int count) -> Run {
        return [=](CommandHarness& h) {
            h.prompts.queueAnswer(connect);
            EXPECT_EQ(read(TransferDevice::Vrl2, h, abort).readCounter, count);
        };
    };
    const Run scanFindingNothing = [](CommandHarness& h) {
        // Ports 1 to 14 name no device: the scan gives up after the silent port 0.
        for (int n = 1; n < 15; ++n)
            qputenv(QByteArray("ZURVAL_COM") + QByteArray::number(n), "/nonexistent");
        read(TransferDevice::Vrl3, h);
        for (int n = 1; n < 15; ++n)
            qunsetenv(QByteArray("ZURVAL_COM") + QByteArray::number(n));
        EXPECT_EQ(h.prompts.texts(), QStringList{QString::fromUtf8("Устройство не обнаружено!")});
    };
    const Run droppedOpen = [](CommandHarness&) {
        PosixSerialPort port;
        ASSERT_TRUE(port.open("COM1"));
        LineSettings line;
        ASSERT_TRUE(port.getLine(line));
        setDeviceLine(line);
        line.dtrOn = line.rtsOn = true;
        ASSERT_TRUE(port.setLine(line));
    };
    const struct {
        const char* name;
        TransferDevice device;
        QStringList options;
        Run run;
    } cases[] = {
        {"a complete read", TransferDevice::Vrl2, {}, vrl2Read(true, false, 270337)},
        {"the connect prompt cancelled", TransferDevice::Vrl2, {}, vrl2Read(false, false, 0)},
        {"the transfer aborted", TransferDevice::Vrl2, {"--trickle", "1"}, vrl2Read(true, true, 1)},
        {"no answer to the probe",
         TransferDevice::Vrl3,
         {"--probe-reply", "none"},
         scanFindingNothing},
        {"the port destroyed open", TransferDevice::Vrl2, {}, droppedOpen},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Emulator emulator(c.device, c.options);
        const int fd = ::open(emulator.path().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
        ASSERT_GE(fd, 0);
        cook(fd);
        const QString before = settingsOf(fd);
        CommandHarness h;
        c.run(h);
        EXPECT_EQ(settingsOf(fd).toStdString(), before.toStdString());
        ::close(fd);
    }
}
