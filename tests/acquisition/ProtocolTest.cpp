#include "AcquisitionTestSupport.h"

using namespace zurval;
using namespace zurval::testing;

namespace {

const QString kOwnLine = "setLine 9600 8N1 DTR+ RTS+";
const QString kOwnTimeouts = "setTimeouts 50/0/0/0/0";
const QString kFile = "<file>"; // stands for the chosen file in the expected status texts
const QString kAbortPanel2 = QString::fromUtf8("Устройство отсутствует!");
const QString kAbortPanel3 = QString::fromUtf8("Ошибка считывания!");
const QString kStarted = QString::fromUtf8("Начат процесс считывания!");
const QString kDone = QString::fromUtf8("Считывание успешно завершено!");
const QString kCounted = QString::fromUtf8("Считано 270337 байт. Расчет контрольной суммы!");
const QStringList kStart = {"write 02"};
const QString kConnect = QString::fromUtf8("confirm: \n Подключите ВРЛ-2 к компьютеру!");
// A device sending a byte every 0.3 s is given up after twice the 28.2 s a whole image takes
// at 115,200 baud, 12 bits a byte: 188 bytes in.
constexpr int kTrickleMs = 300;
constexpr int kTrickledBytes = 188;

QString aborted(int count) {
    return QString::fromUtf8("information: \n Считывание прервано на %1 байте!\nПовторите "
                             "считывание!")
        .arg(count);
}

QString found(int port) {
    return QString::fromUtf8("Обнаружено устройство ВРЛ-3, подключенное к \\\\.\\COM%1").arg(port);
}

QStringList shown(const ScriptedPrompts& prompts) {
    static const char* const kinds[] = {"plain", "error", "information", "confirm"};
    QStringList out;
    for (const ScriptedPrompts::Shown& s : prompts.shown())
        out << QString::fromLatin1(kinds[static_cast<int>(s.kind)]) + ": " + s.text;
    return out;
}

QStringList reads(int bytes, bool timeout = true) {
    QStringList out;
    if (bytes > 0)
        out << QStringLiteral("read %1 bytes").arg(bytes);
    if (timeout)
        out << "read timeout";
    return out;
}

std::vector<std::uint8_t> concat(std::vector<std::uint8_t> a, const std::vector<std::uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<std::uint8_t> filler(std::size_t n) {
    return std::vector<std::uint8_t>(n, 0xEE);
}

QByteArray withByte(QByteArray data, char after) {
    return data.append(after);
}

struct PathCase {
    const char* name;
    std::map<QString, ScriptedDevice> ports;
    QStringList log;
    QStringList prompts;
    QStringList statusTexts;
    std::vector<StatusColour> colours;
    int readCounter;
    QByteArray saved; // the device data of the saved file; empty when nothing is saved
    bool connect = true;
    int portNumber = 1;
    bool abort = false; // the user's abort, asked for before the transfer
};

void check(const PathCase& c, TransferDevice device) {
    SCOPED_TRACE(c.name);
    CommandHarness h;
    for (const auto& [name, d] : c.ports)
        h.scripted.attach(name, d);
    h.prompts.queueAnswer(c.connect);
    h.prompts.queueFileName(h.path("read.vrl"));
    ReceiveBuffer buffer;
    AcquisitionContext ctx = h.context();
    ctx.abortRequested = &c.abort;
    const ReadOutcome outcome = device == TransferDevice::Vrl2
                                    ? readVrl2(ctx, c.portNumber, buffer)
                                    : readVrl3(ctx, QDateTime(QDate(2006, 12, 8), QTime(14, 5)));

    EXPECT_EQ(h.scripted.log(), c.log);
    EXPECT_EQ(shown(h.prompts), c.prompts);
    QStringList statuses = c.statusTexts;
    statuses.replaceInStrings(kFile, h.path("read.vrl"));
    EXPECT_EQ(h.view.statusTexts, statuses);
    EXPECT_EQ(h.view.colours, c.colours);
    EXPECT_FALSE(h.view.progressVisible);
    EXPECT_EQ(outcome.readCounter, c.readCounter);
    EXPECT_EQ(outcome.savedPath.isEmpty(), c.saved.isEmpty());
    EXPECT_TRUE(readAll(h.path("read.vrl")).left(kDeviceDataLength) == c.saved);
}

} // namespace

TEST(Vrl2Read, EveryPathMakesItsPortCallsPausesAndMessagesInOrder) {
    const std::vector<std::uint8_t> image = deviceStream();
    const QByteArray imageBytes = bytesOf(image, 0, kCompleteTransfer);
    const QStringList start = {"open COM1", "getTimeouts", "getLine", "setLine 9600 8N1 DTR- RTS-"};
    const QStringList send = {"setLine 115200 8E2 DTR+ RTS+",
                              "sleep 1000",
                              "setTimeouts 0/1000/1000/1000/1000",
                              "purge",
                              "sleep 300",
                              "write 02"};
    const QStringList abort = {"transmit 10", "sleep 1000", kOwnLine,
                               "sleep 250",   kOwnTimeouts, "close"};
    const QStringList done = {"transmit 10", "sleep 500",  "setLine 115200 8E2 DTR- RTS-",
                              "sleep 250",   kOwnTimeouts, "close"};
    const QStringList aborts = {kStarted, kAbortPanel2};
    const QStringList saves = {kStarted, kCounted, kDone, kFile};
    using C = StatusColour;
    const std::vector<std::uint8_t> tooLong = concat(filler(10000), image);

    const PathCase cases[] = {
        {"cancel at the prompt sends nothing",
         {{"COM1", {}}},
         start + QStringList{kOwnLine, "sleep 250", kOwnTimeouts, "close"},
         {kConnect},
         {kStarted, ""},
         {C::Red, C::ButtonFace},
         0,
         {},
         false},
        {"missing port",
         {},
         {"open COM1 failed", "getTimeouts failed", "getLine failed",
          "setLine 0 8N1 DTR- RTS- failed", "setLine 115200 8E2 DTR+ RTS+ failed", "sleep 1000",
          "setTimeouts 0/1000/1000/1000/1000 failed", "purge failed", "sleep 300",
          "write 02 failed", "transmit 10 failed", "sleep 1000", "setLine 0 8N1 DTR- RTS- failed",
          "sleep 250", "setTimeouts 0/0/0/0/0 failed", "close failed"},
         {kConnect, QString::fromUtf8("plain: Команда на считывание не прошла!"), aborted(0)},
         aborts,
         {C::Red, C::ButtonFace},
         0,
         {}},
        {"silent device",
         {{"COM1", {}}},
         start + send + reads(0) + abort,
         {kConnect, aborted(1)},
         aborts,
         {C::Red, C::ButtonFace},
         1,
         {}},
        {"a trickling device is given up at the deadline",
         {{"COM1", {{}, image, true, kTrickleMs}}},
         start + send + reads(kTrickledBytes, false) + abort,
         {kConnect, aborted(kTrickledBytes)},
         aborts,
         {C::Red, C::ButtonFace},
         kTrickledBytes,
         {}},
        {"the user's abort ends the transfer at the next byte",
         {{"COM1", {{}, image}}},
         start + send + reads(1, false) + abort,
         {kConnect, aborted(1)},
         aborts,
         {C::Red, C::ButtonFace},
         1,
         {},
         true,
         1,
         true},
        {"stop half way",
         {{"COM1", {{}, std::vector<std::uint8_t>(image.begin(), image.begin() + 135168)}}},
         start + send + reads(135168) + abort,
         {kConnect, aborted(135169)},
         aborts,
         {C::Red, C::ButtonFace},
         135169,
         {}},
        {"exactly one image, on COM2",
         {{"COM2", {{}, image}}},
         QStringList(start).replaceInStrings("COM1", "COM2") + send + reads(270336) + done,
         {kConnect},
         saves,
         {C::Red, C::Yellow, C::Green},
         270337,
         withByte(imageBytes, 0),
         true,
         2},
        {"four leading bytes are dropped",
         {{"COM1", {{}, concat(filler(4), image)}}},
         start + send + reads(270340) + done,
         {kConnect},
         {kStarted, QString::fromUtf8("Считано 270341 байт. Расчет контрольной суммы!"), kDone,
          kFile},
         {C::Red, C::Yellow, C::Green},
         270341,
         withByte(imageBytes, 0)},
        {"checksum mismatch is saved on yellow",
         {{"COM1", {{}, deviceStream(false)}}},
         start + send + reads(270336) + done,
         {kConnect},
         saves,
         {C::Red, C::Yellow},
         270337,
         withByte(bytesOf(deviceStream(false), 0, kCompleteTransfer), 0)},
        {"a stream longer than the buffer is cut off when it is full",
         {{"COM1", {{}, tooLong}}},
         start + send + reads(270400, false) + done,
         {kConnect},
         {kStarted, QString::fromUtf8("Считано 270401 байт. Расчет контрольной суммы!"), kDone,
          kFile},
         {C::Red, C::Yellow},
         270401,
         withByte(bytesOf(tooLong, 64, kCompleteTransfer), 0)},
    };
    for (const PathCase& c : cases)
        check(c, TransferDevice::Vrl2);
}

TEST(Vrl3Read, ScanAndReadPathsMakeTheirPortCallsPausesAndMessagesInOrder) {
    const std::vector<std::uint8_t> image = deviceStream();
    const QByteArray imageBytes = bytesOf(image, 0, kCompleteTransfer);
    const auto probe = [](int port, const QStringList& answer) {
        return QStringList{QStringLiteral("open \\\\.\\COM%1").arg(port),
                           "getTimeouts",
                           "getLine",
                           "setLine 115200 8E2 DTR+ RTS+",
                           "setTimeouts 50/200/200/200/200",
                           "sleep 300",
                           "write 08"} +
               answer;
    };
    const auto passedOver = [&](int port, const QStringList& answer) {
        return probe(port, answer) + QStringList{kOwnLine, kOwnTimeouts, "close"};
    };
    const auto absent = [](int from, int to) {
        QStringList out;
        for (int n = from; n < to; ++n)
            out << QStringLiteral("open \\\\.\\COM%1 failed").arg(n);
        return out;
    };
    const QStringList done = {"sleep 250", kOwnTimeouts, "close"};
    const QStringList abort = {kOwnLine, "sleep 250", kOwnTimeouts, "close"};
    const ScriptedDevice device{0xA0, image, true};
    using C = StatusColour;

    std::map<QString, ScriptedDevice> quietBelow14;
    QStringList passedBelow14;
    for (int n = 0; n < 14; ++n) {
        quietBelow14[QStringLiteral("\\\\.\\COM%1").arg(n)] = {};
        passedBelow14 += passedOver(n, {"read timeout"});
    }
    quietBelow14["\\\\.\\COM14"] = device;
    const std::vector<std::uint8_t> surplus = concat(image, filler(4));
    const std::vector<std::uint8_t> tooLong = concat(image, filler(10000));

    const PathCase cases[] = {
        {"no device",
         {},
         absent(0, 15),
         {QString::fromUtf8("plain: Устройство не обнаружено!")},
         {},
         {},
         0,
         {}},
        {"found on port 14 after all lower ports were restored",
         quietBelow14,
         passedBelow14 + probe(14, reads(1, false)) + kStart + reads(270336) + done,
         {},
         {found(14), kCounted, kDone, kFile},
         {C::Red, C::Yellow, C::Green},
         270337,
         withByte(imageBytes, 0)},
        {"of two devices the lower port is used",
         {{"\\\\.\\COM2", device}, {"\\\\.\\COM3", device}},
         absent(0, 2) + probe(2, reads(1, false)) + kStart + reads(270336) + done,
         {},
         {found(2), kCounted, kDone, kFile},
         {C::Red, C::Yellow, C::Green},
         270337,
         withByte(imageBytes, 0)},
        {"a port answering another byte is passed over",
         {{"\\\\.\\COM0", {0x55, image, true}}, {"\\\\.\\COM1", {0xA0, surplus, true}}},
         passedOver(0, reads(1, false)) + probe(1, reads(1, false)) + kStart + reads(270340) + done,
         {},
         {found(1), QString::fromUtf8("Считано 270341 байт. Расчет контрольной суммы!"), kDone,
          kFile},
         {C::Red, C::Yellow, C::Green},
         270341,
         bytesOf(surplus, 0, kDeviceDataLength)},
        {"silent after the probe",
         {{"\\\\.\\COM0", {0xA0, {}, true}}},
         probe(0, reads(1, false)) + kStart + reads(0) + abort,
         {aborted(1)},
         {found(0), kAbortPanel3},
         {C::Red, C::ButtonFace},
         1,
         {}},
        {"a trickling device is given up at the deadline",
         {{"\\\\.\\COM0", {0xA0, image, true, kTrickleMs}}},
         probe(0, reads(1, false)) + kStart + reads(kTrickledBytes, false) + abort,
         {aborted(kTrickledBytes)},
         {found(0), kAbortPanel3},
         {C::Red, C::ButtonFace},
         kTrickledBytes,
         {}},
        {"checksum mismatch is told and saved",
         {{"\\\\.\\COM0", {0xA0, deviceStream(false), true}}},
         probe(0, reads(1, false)) + kStart + reads(270336) + done,
         {QString::fromUtf8("plain: Несоответствие контрольной суммы!")},
         {found(0), kCounted, kDone, kFile},
         {C::Red, C::Yellow},
         270337,
         withByte(bytesOf(deviceStream(false), 0, kCompleteTransfer), 0)},
        {"a stream longer than the buffer is cut off when it is full",
         {{"\\\\.\\COM0", {0xA0, tooLong, true}}},
         probe(0, reads(1, false)) + kStart + reads(270400, false) + done,
         {},
         {found(0), QString::fromUtf8("Считано 270401 байт. Расчет контрольной суммы!"), kDone,
          kFile},
         {C::Red, C::Yellow, C::Green},
         270401,
         bytesOf(tooLong, 0, kDeviceDataLength)},
    };
    for (const PathCase& c : cases)
        check(c, TransferDevice::Vrl3);
}

TEST(ReadProgress, Vrl2CountsReadsAndVrl3TheIndexOfTheByteRead) {
    for (const TransferDevice device : {TransferDevice::Vrl2, TransferDevice::Vrl3}) {
        CommandHarness h;
        h.scripted.attach(device == TransferDevice::Vrl2 ? "COM1" : "\\\\.\\COM0",
                          {0xA0, deviceStream(), true});
        ReceiveBuffer buffer;
        if (device == TransferDevice::Vrl2)
            (void)readVrl2(h.context(), 1, buffer);
        else
            (void)readVrl3(h.context(), QDateTime::currentDateTime());
        // The stream's bar, then: 0 before the check, written "temp.bin", 0, summed image,
        // 0 before saving (the save dialog was cancelled, so nothing more).
        const std::vector<int>& p = h.view.progress;
        const int top = device == TransferDevice::Vrl2 ? 10 : 100;
        const std::vector<int> tail = device == TransferDevice::Vrl2
                                          ? std::vector<int>{0, 10, 0, 9, 0}
                                          : std::vector<int>{0, 100, 0, 97, 0};
        ASSERT_EQ(p.size(), static_cast<std::size_t>(top + 1) + tail.size());
        for (int i = 0; i <= top; ++i)
            EXPECT_EQ(p[static_cast<std::size_t>(i)], i);
        EXPECT_TRUE(std::equal(tail.begin(), tail.end(), p.end() - 5));
    }
}
