#include "AcquisitionTestSupport.h"
#include "Opening.h"
#include "PosixSerialPort.h"
#include "SampleRecording.h"

#include <QProcess>

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
        const QString path = QString::fromLocal8Bit(process_.readLine()).trimmed();
        EXPECT_TRUE(path.startsWith("/dev/")) << qPrintable(process_.readAllStandardError());
        qputenv(env_, path.toLocal8Bit());
    }
    ~Emulator() {
        qunsetenv(env_);
        process_.terminate();
        process_.waitForFinished(10000);
    }

private:
    QProcess process_;
    const char* env_;
};

ReadOutcome read(TransferDevice device, CommandHarness& h) {
    PosixSerialPort port;
    FakeClock clock; // the protocol's pauses; the read time-outs are the port's own
    const AcquisitionContext ctx{port, clock, h.prompts, h.view, h.dialog, h.dir.path()};
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
