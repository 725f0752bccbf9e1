#include "core/acquisition/DeviceCommands.h"

#include "core/acquisition/SerialLink.h"
#include "core/common/Cp1251.h"
#include "core/common/NumberFormat.h"
#include "core/recorder/Checksums.h"
#include "core/recorder/FileMap.h"

#include <QDir>
#include <QSaveFile>
#include <algorithm>
#include <unistd.h>

namespace zurval {
namespace {

constexpr std::uint8_t kStartCommand = 0x02;
constexpr std::uint8_t kEndCommand = 0x10;
constexpr std::uint8_t kProbe = 0x08;
constexpr std::uint8_t kProbeAnswer = 0xA0;
constexpr int kVrl3PortCount = 15;

// Progress bar divisors: a byte index over the divisor is the bar's value.
constexpr int kVrl2Divisor = 27000;
constexpr int kVrl3Divisor = 2700;

const QString kReadSucceeded = QStringLiteral("Считывание успешно завершено!");

QDir currentFolder(const AcquisitionContext& ctx) {
    return ctx.folder.isEmpty() ? QDir::current() : QDir(ctx.folder);
}

QString decimal(int n) {
    return formatGeneral(n);
}

// Sets the progress bar only when its value changes.
class Progress {
public:
    explicit Progress(TransferView& view) : view_(view) {}
    void set(int percent) {
        percent = std::clamp(percent, 0, 100);
        if (percent != shown_)
            view_.setProgress(percent);
        shown_ = percent;
    }

private:
    TransferView& view_;
    int shown_ = -1;
};

// Every pause of the protocols; the window gets its chance to paint first.
void pause(const AcquisitionContext& ctx, int ms) {
    ctx.view.beforeBlockingStep();
    ctx.clock.sleepMs(ms);
}

// A device that sends a byte now and then never falls silent long enough for a read to time
// out and would keep the transfer going for hours. The transfer ends as a silent one does
// once it has run twice the time a whole image takes on the line, plus the protocol's
// pauses from the deadline's start, on the context's clock.
class TransferDeadline {
public:
    TransferDeadline(const Clock& clock, const LineSettings& line, int pausesMs)
        : clock_(clock), end_(clock.nowMs() + 2 * lineTimeMs(line) + pausesMs) {}
    [[nodiscard]] bool passed() const { return clock_.nowMs() >= end_; }

private:
    // What a whole image takes on the line: each byte is a start bit, its data bits, the
    // parity bit and the stop bits (counted in half bits for one and a half stop bits).
    static std::int64_t lineTimeMs(const LineSettings& line) {
        const int stopHalfBits = line.stopBits == StopBits::One          ? 2
                                 : line.stopBits == StopBits::OneAndHalf ? 3
                                                                         : 4;
        const std::int64_t halfBits =
            2 * (1 + line.dataBits + (line.parity == Parity::None ? 0 : 1)) + stopHalfBits;
        return static_cast<std::int64_t>(kCompleteTransfer) * halfBits * 1000 /
               (2 * std::max<std::int64_t>(line.baudRate, 1));
    }

    const Clock& clock_;
    std::int64_t end_;
};

int receive(const AcquisitionContext& ctx, ReceiveBuffer& buffer, int startWriteCount,
            Progress& progress, TransferDevice device, const TransferDeadline& deadline) {
    return receiveStream(ctx.port, buffer, startWriteCount, [&](int readCounter) {
        // The ВРЛ-2 bar counts reads, the ВРЛ-3 bar the index of the byte just read.
        progress.set(device == TransferDevice::Vrl2 ? readCounter / kVrl2Divisor
                                                    : (readCounter - 1) / kVrl3Divisor);
        // The window handles the user's abort here, between two bytes.
        ctx.view.beforeBlockingStep();
        const bool aborted = ctx.abortRequested && *ctx.abortRequested;
        return !aborted && !deadline.passed();
    });
}

// The common end of a transfer that stopped short: say so, put the port back, tell the count.
ReadOutcome endAborted(const AcquisitionContext& ctx, SerialLink& link, const QString& status,
                       int readCounter) {
    ctx.view.setStatusText(status);
    ctx.view.setStatusColour(StatusColour::ButtonFace);
    link.restoreLine();
    pause(ctx, 250);
    link.restoreTimeouts();
    link.close();
    ctx.view.setProgressVisible(false);
    ctx.prompts.information(QStringLiteral("\n Считывание прервано на ") + decimal(readCounter) +
                            QStringLiteral(" байте!\nПовторите считывание!"));
    return {readCounter, false, QString()};
}

// The common end of a complete transfer: check, tell, save.
ReadOutcome checkAndSave(const AcquisitionContext& ctx, const ReceiveBuffer& buffer,
                         int readCounter, TransferDevice device, Progress& progress) {
    ctx.view.setStatusColour(StatusColour::Yellow);
    progress.set(0);
    ctx.view.setStatusText(QStringLiteral("Считано ") + decimal(readCounter) +
                           QStringLiteral(" байт. Расчет контрольной суммы!"));
    ctx.view.repaint();

    const ImageCheck check = verifyReceivedImage(
        ctx, buffer, device == TransferDevice::Vrl2 ? kVrl2Divisor : kVrl3Divisor);
    if (check.intact)
        ctx.view.setStatusColour(StatusColour::Green);
    else if (device == TransferDevice::Vrl3)
        ctx.prompts.message(QStringLiteral("Несоответствие контрольной суммы!"));
    ctx.view.setStatusText(kReadSucceeded);
    ctx.view.repaint();

    ctx.view.setProgress(0);
    ReadOutcome outcome{readCounter, check.intact, QString()};
    outcome.savedPath = saveRecorderFile(ctx, buffer, device, check.scratchPath);
    return outcome;
}

} // namespace

QString readingDateText(const QDateTime& now) {
    return now.toString(QStringLiteral("dd.MM.yy hh-mm"));
}

ReadOutcome readVrl2(const AcquisitionContext& ctx, int portNumber, ReceiveBuffer& buffer) {
    TransferView& view = ctx.view;
    buffer.clear();
    view.setStatusColour(StatusColour::Red);
    view.setStatusText(QStringLiteral("Начат процесс считывания!"));
    view.repaint();

    SerialLink link(ctx.port);
    // A port that does not open fails every later call: the start command is then not sent.
    (void)link.open(QStringLiteral("COM") + decimal(portNumber));
    link.saveSettings();
    link.workingLine().dtrOn = false;
    link.workingLine().rtsOn = false;
    link.applyLine(); // the device sees both lines drop
    view.setProgressVisible(true);
    Progress progress(view);
    progress.set(0);
    setDeviceLine(link.workingLine());

    if (!ctx.prompts.confirm(QStringLiteral("\n Подключите ВРЛ-2 к компьютеру!"))) {
        view.setStatusText(QString());
        view.setStatusColour(StatusColour::ButtonFace);
        link.restoreLine();
        pause(ctx, 250);
        link.restoreTimeouts();
        link.close();
        view.setProgressVisible(false);
        return {};
    }

    // The deadline counts from the user's answer, the pauses before the start command in it.
    constexpr int kLinesUpMs = 1000;
    constexpr int kPurgedMs = 300;
    const TransferDeadline deadline(ctx.clock, link.workingLine(), kLinesUpMs + kPurgedMs);
    link.workingLine().dtrOn = true;
    link.workingLine().rtsOn = true;
    link.applyLine();
    pause(ctx, kLinesUpMs);
    link.applyTimeouts({0, 1000, 1000, 1000, 1000});
    link.purge();
    pause(ctx, kPurgedMs);
    view.beforeBlockingStep();
    const int written = link.writeByte(kStartCommand);
    if (written == 0)
        ctx.prompts.message(QStringLiteral("Команда на считывание не прошла!"));
    view.beforeBlockingStep();
    const int readCounter = receive(ctx, buffer, written, progress, TransferDevice::Vrl2, deadline);

    if (readCounter < kCompleteReadCount) {
        link.transmitImmediate(kEndCommand);
        pause(ctx, 1000);
        return endAborted(ctx, link, QStringLiteral("Устройство отсутствует!"), readCounter);
    }

    link.transmitImmediate(kEndCommand);
    pause(ctx, 500);
    // The port stays at the device's line settings, with both lines dropped.
    link.workingLine().dtrOn = false;
    link.workingLine().rtsOn = false;
    link.applyLine();
    pause(ctx, 250);
    link.restoreTimeouts();
    link.close();
    // The image is at the end of the stream: leading surplus bytes are dropped.
    buffer.dropFront(static_cast<std::size_t>(readCounter - kCompleteReadCount));
    return checkAndSave(ctx, buffer, readCounter, TransferDevice::Vrl2, progress);
}

ReadOutcome readVrl3(const AcquisitionContext& ctx, const QDateTime& now) {
    TransferView& view = ctx.view;
    // The date of the read goes into Edit_DataSch now and is proposed as the file name later.
    OperatorBlock texts = view.operatorTexts();
    texts.readingDate = readingDateText(now);
    view.setOperatorTexts(texts);
    view.repaint();
    ReceiveBuffer buffer;

    SerialLink link(ctx.port);
    QString found;
    for (int n = 0; n < kVrl3PortCount; ++n) {
        const QString name = QStringLiteral("\\\\.\\COM") + decimal(n);
        view.beforeBlockingStep();
        if (!link.open(name))
            continue;
        link.saveSettings();
        setDeviceLine(link.workingLine());
        Timeouts timeouts = link.savedTimeouts();
        timeouts.readMultiplier = timeouts.readConstant = 200;
        timeouts.writeMultiplier = timeouts.writeConstant = 200;
        link.applyLine();
        link.applyTimeouts(timeouts);
        pause(ctx, 300);
        view.beforeBlockingStep();
        (void)link.writeByte(kProbe);
        std::uint8_t reply = 0;
        view.beforeBlockingStep();
        (void)link.readByte(reply);
        if (reply == kProbeAnswer) {
            found = name; // the port stays open and set up
            break;
        }
        link.restoreLine();
        link.restoreTimeouts();
        link.close();
    }
    if (found.isEmpty()) {
        ctx.prompts.message(QStringLiteral("Устройство не обнаружено!"));
        return {};
    }

    view.setStatusColour(StatusColour::Red);
    view.setStatusText(QStringLiteral("Обнаружено устройство ВРЛ-3, подключенное к ") + found);
    view.repaint();
    view.setProgressVisible(true);
    Progress progress(view);
    progress.set(0);
    view.repaint();

    const TransferDeadline deadline(ctx.clock, link.workingLine(), 0);
    view.beforeBlockingStep();
    const int written = link.writeByte(kStartCommand);
    view.beforeBlockingStep();
    const int readCounter = receive(ctx, buffer, written, progress, TransferDevice::Vrl3, deadline);

    if (readCounter < kCompleteReadCount)
        return endAborted(ctx, link, QStringLiteral("Ошибка считывания!"), readCounter);

    // The port stays at the device's line settings; bytes past the first 270,337 are ignored.
    pause(ctx, 250);
    link.restoreTimeouts();
    link.close();
    return checkAndSave(ctx, buffer, readCounter, TransferDevice::Vrl3, progress);
}

ImageCheck verifyReceivedImage(const AcquisitionContext& ctx, const ReceiveBuffer& buffer,
                               int progressDivisor) {
    Progress progress(ctx.view);
    const QString scratch = currentFolder(ctx).filePath(QStringLiteral("temp.bin"));
    QSaveFile file(scratch);
    const bool written = file.open(QIODevice::WriteOnly) &&
                         file.write(reinterpret_cast<const char*>(buffer.data()),
                                    kDeviceDataLength) == static_cast<qint64>(kDeviceDataLength) &&
                         file.commit();
    progress.set(static_cast<int>(kDeviceDataLength - 1) / progressDivisor);
    progress.set(0);

    // The check reads the image back from "temp.bin", so it tests the bytes that will be
    // saved as they came off the disk; without a scratch file it tests the buffer itself.
    const std::optional<RecorderFile> readBack =
        written ? readRecorderFile(scratch) : std::optional<RecorderFile>();
    const ByteReader image =
        readBack ? readBack->reader() : ByteReader(buffer.data(), kDeviceDataLength);
    const bool intact = imageSumOk(image);
    progress.set(static_cast<int>(filemap::kImageSumLength - 1) / progressDivisor);
    return {intact, written ? scratch : QString()};
}

namespace {

// The operator block as written: each text in code page 1251, cut to its 50-byte field, the
// file ending with the last byte of the last non-empty text.
QByteArray operatorBlockBytes(const OperatorBlock& texts) {
    const QString fields[] = {texts.name, texts.certificate, texts.organisation, texts.readingDate};
    QByteArray block;
    for (int i = 0; i < filemap::kOperatorFieldCount; ++i) {
        const QByteArray bytes =
            toCp1251(fields[i]).left(static_cast<qsizetype>(filemap::kOperatorFieldSize));
        if (bytes.isEmpty())
            continue;
        const qsizetype at = static_cast<qsizetype>(i * filemap::kOperatorFieldSize);
        block.resize(at, '\0');
        block.append(bytes);
    }
    return block;
}

void reportNotWritten(const AcquisitionContext& ctx, const QString& path,
                      const QString& scratchPath) {
    QString text = QStringLiteral("\n Файл не удалось записать:\n") +
                   QDir::toNativeSeparators(path) + QStringLiteral("\n");
    text += scratchPath.isEmpty()
                ? QStringLiteral("Считанные данные не сохранены. Повторите считывание!")
                : QStringLiteral("Считанные данные остались в файле ") +
                      QDir::toNativeSeparators(scratchPath);
    ctx.prompts.error(text);
}

} // namespace

QString saveRecorderFile(const AcquisitionContext& ctx, const ReceiveBuffer& buffer,
                         TransferDevice device, const QString& scratchPath) {
    TransferView& view = ctx.view;
    const QString readingDate = view.operatorTexts().readingDate;
    const FileDialogRequest request{
        QStringLiteral("Сохранить как"),
        ctx.saveFolder.isEmpty() ? currentFolder(ctx).filePath(QStringLiteral("bin_prm"))
                                 : ctx.saveFolder,
        {QStringLiteral("Информация ЦРО (*.vrl)"), QStringLiteral("Все файлы (*.*)")},
        QStringLiteral("bin"),
        device == TransferDevice::Vrl3 ? readingDate : QString()};
    const QString path = ctx.prompts.saveFileName(request);
    if (path.isEmpty()) {
        view.setProgressVisible(false);
        return {};
    }
    view.setStatusText(path);

    // Written beside the old file and put in its place only when complete, so an existing
    // recording is never lost to a half-written one.
    QSaveFile file(path);
    const bool opened = file.open(QIODevice::WriteOnly) &&
                        file.write(reinterpret_cast<const char*>(buffer.data()),
                                   kDeviceDataLength) == static_cast<qint64>(kDeviceDataLength);
    if (opened)
        view.setProgress(100);
    view.setProgress(0);
    view.setProgressVisible(false);
    if (!opened) {
        file.cancelWriting();
        view.setStatusText(kReadSucceeded);
        reportNotWritten(ctx, path, scratchPath);
        return {};
    }

    OperatorBlock entered;
    if (ctx.operatorDialog.ask(
            device == TransferDevice::Vrl3 ? std::optional(readingDate) : std::nullopt, entered))
        view.setOperatorTexts(entered);
    const QByteArray block = operatorBlockBytes(view.operatorTexts());
    const bool complete = file.write(block) == block.size() && file.flush() &&
                          ::fsync(file.handle()) == 0 && file.commit();
    if (!complete) {
        view.setStatusText(kReadSucceeded);
        reportNotWritten(ctx, path, scratchPath);
        return {};
    }
    return path;
}

} // namespace zurval
