#include "FileAreas.h"
#include "RecordingBuilder.h"
#include "SampleRecording.h"
#include "core/acquisition/ReceiveStream.h"
#include "core/export/ListExport.h"
#include "core/frames/CyclicRecords.h"
#include "core/recorder/RecorderFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <limits>

// zurval-fuzz-seeds --recording TARGET INPUT OUT.vrl: the recording an input of an area
// target stands for, its areas in a blank file that ends with the last byte that is not zero,
// for tests/data/, whose recordings the hostile-file test opens.
//
// zurval-fuzz-seeds DIR [RECORDING...]: writes the fuzzers' starting inputs, one folder per
// target: DIR/open holds the recordings (for zurval-fuzz-open and -decode), each area target's
// folder the bytes of its areas cut from each of them and from the recordings named, device
// a whole transfer of the sample read from either device, csv the sample's lists as tables.
// They are made here rather than kept in the repository, as a recording is a quarter of a
// megabyte.

namespace {

using namespace zurval;
using namespace zurval::filemap;

// The sample rewritten as a recorder of that layout would have stored it: the version in
// both banks and in every ordinary frame and overload record, all checksums of the layout.
RecordingBuilder sampleInLayout(int version) {
    RecordingBuilder b = makeSampleRecording();
    const auto v = static_cast<std::uint8_t>(version);
    b.u8(kBank0 + bankmap::kVersion, v).u8(kBank1 + bankmap::kVersion, v);
    for (int k = 0; k < kFrameCount; ++k) {
        const std::size_t mark = kFrames + std::size_t(k) * kFrameSize + kFrameMarkOffset;
        const std::uint8_t m = b.bytes()[mark];
        if (m != kDateFrameMark && m != kDateFrameMarkAlt && m != kLastRecordMark)
            b.u8(mark, v);
    }
    for (int k = 0; k < kOverloadCount; ++k) {
        const std::size_t mark = kOverloads + std::size_t(k) * kOverloadSize + 9;
        if (b.bytes()[mark] != kLastRecordMark)
            b.u8(mark, v);
    }
    return b.fixAllChecksums(version);
}

// The sample with characteristic numbers no arithmetic gives.
RecordingBuilder sampleWithCharacteristicNumbers(float bank0, float bank1) {
    RecordingBuilder b = makeSampleRecording();
    b.f32le(kBank0 + bankmap::kCharacteristicNumber, bank0);
    b.f32le(kBank1 + bankmap::kCharacteristicNumber, bank1);
    return b.fixAllChecksums(b.bytes()[kBank0 + bankmap::kVersion]);
}

// An input of zurval-fuzz-csv holding the table: FuzzedDataProvider takes a text up to a
// backslash that is not doubled, and its numbers from the input's end (the style last).
// The table's first rows, of its last columns (the words and time stamps of a frame).
std::vector<std::uint8_t> csvInput(const CsvTable& table) {
    const auto columns = std::min<qsizetype>(table.header.size(), 9);
    const auto rows = std::min<std::size_t>(table.rows.size(), 8);
    const qsizetype first = table.header.size() - columns;
    std::vector<std::uint8_t> input;
    auto line = [&](const QStringList& cells) {
        for (qsizetype c = first; c < first + columns; ++c) {
            for (const char ch : cells.value(c).toUtf8().left(63)) {
                input.push_back(static_cast<std::uint8_t>(ch));
                if (ch == '\\')
                    input.push_back('\\');
            }
            input.insert(input.end(), {'\\', ' '});
        }
    };
    line(table.header);
    for (std::size_t r = 0; r < rows; ++r)
        line(table.rows[r]);
    const auto style = static_cast<std::uint8_t>(table.style == CsvStyle::Point ? 1 : 0);
    input.insert(input.end(),
                 {static_cast<std::uint8_t>(rows), static_cast<std::uint8_t>(columns - 2), style});
    return input;
}

bool writeFile(const QString& path, const std::vector<std::uint8_t>& bytes) {
    QFile file(path);
    const auto size = static_cast<qint64>(bytes.size());
    if (file.open(QIODevice::WriteOnly) &&
        file.write(reinterpret_cast<const char*>(bytes.data()), size) == size)
        return true;
    std::fprintf(stderr, "zurval-fuzz-seeds: cannot write %s\n", qPrintable(path));
    return false;
}

int writeRecording(const QString& target, const QString& inputPath, const QString& out) {
    const auto* t = std::find_if(std::begin(fuzz::kAreaTargets), std::end(fuzz::kAreaTargets),
                                 [&](const fuzz::AreaTarget& a) { return target == a.name; });
    QFile input(inputPath);
    if (t == std::end(fuzz::kAreaTargets) || !input.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "zurval-fuzz-seeds: no area target %s or no input %s\n",
                     qPrintable(target), qPrintable(inputPath));
        return 2;
    }
    const QByteArray bytes = input.readAll();
    fuzz::AreaImage image(*t->areas);
    const ByteReader r = image.place(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                     static_cast<std::size_t>(bytes.size()));
    std::vector<std::uint8_t> file = r.bytes(0, r.size());
    while (!file.empty() && file.back() == 0)
        file.pop_back();
    return writeFile(out, file) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    const QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() == 4 && args[0] == QLatin1String("--recording"))
        return writeRecording(args[1], args[2], args[3]);
    if (args.isEmpty() || args[0].startsWith('-')) {
        std::fputs("usage: zurval-fuzz-seeds DIR [RECORDING...]\n"
                   "       zurval-fuzz-seeds --recording TARGET INPUT OUT.vrl\n",
                   stderr);
        return 2;
    }
    const QDir dir(args[0]);
    const QStringList folders = {"open", "device", "csv"};
    for (const QString& folder : folders)
        dir.mkpath(folder);
    for (const fuzz::AreaTarget& t : fuzz::kAreaTargets)
        dir.mkpath(QString::fromLatin1(t.name));

    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    std::vector<std::pair<QString, std::vector<std::uint8_t>>> recordings = {
        {QStringLiteral("sample.vrl"), makeSampleRecording().bytes()}};
    for (const int version : {0, 1, 2, 3, 7}) // 7: a layout no recorder wrote
        recordings.emplace_back(QStringLiteral("layout-%1.vrl").arg(version),
                                sampleInLayout(version).bytes());
    // The image alone, and the banks alone: a file cut short before the frames.
    const std::vector<std::uint8_t> sample = recordings[0].second;
    recordings.emplace_back(QStringLiteral("image-only.vrl"),
                            std::vector(sample.begin(), sample.begin() + kImageSize));
    recordings.emplace_back(QStringLiteral("banks-only.vrl"),
                            std::vector(sample.begin(), sample.begin() + kOverloads));
    recordings.emplace_back(QStringLiteral("nan-inf.vrl"),
                            sampleWithCharacteristicNumbers(nan, inf).bytes());
    recordings.emplace_back(QStringLiteral("minus-inf-nan.vrl"),
                            sampleWithCharacteristicNumbers(-inf, nan).bytes());
    bool written = true;
    for (const auto& [name, bytes] : recordings)
        written = writeFile(dir.filePath(QStringLiteral("open/") + name), bytes) && written;
    // Stored inputs join the recordings the areas are cut from.
    for (const QString& path : args.mid(1)) {
        if (const std::optional<RecorderFile> file = readRecorderFile(path))
            recordings.emplace_back(QFileInfo(path).fileName(), file->bytes);
    }
    for (const fuzz::AreaTarget& t : fuzz::kAreaTargets) {
        for (const auto& [name, bytes] : recordings)
            written = writeFile(dir.filePath(QString::fromLatin1(t.name) + '/' +
                                             QFileInfo(name).completeBaseName()),
                                fuzz::cutAreas(*t.areas, bytes)) &&
                      written;
    }

    // A whole transfer of the sample from either device, and either device falling silent.
    std::vector<std::uint8_t> transfer(sample.begin(), sample.begin() + kCompleteTransfer);
    transfer.resize(kCompleteTransfer + fuzz::kDeviceChoiceBytes, 0);
    for (const std::uint8_t device : {0, 1}) {
        const QString name = QStringLiteral("device/vrl%1").arg(device + 2);
        *(transfer.end() - 2) = device;
        transfer.back() = fuzz::kSendsWholeTransfer;
        written = writeFile(dir.filePath(name), transfer) && written;
        std::vector<std::uint8_t> silent(fuzz::kDeviceChoiceBytes, 0);
        *(silent.end() - 2) = device;
        written = writeFile(dir.filePath(name + QStringLiteral("-silent")), silent) && written;
    }

    // The first rows of both lists of the sample, in both styles.
    CyclicRecords records;
    const RecorderFile file{sample, sample.size()};
    decodeCyclicAreas(file.reader(), sample[kBank0 + bankmap::kVersion], records);
    (void)orderCyclicAreas(sample[kBank0 + bankmap::kVersion], records);
    for (const ExportedList list : {ExportedList::Frames, ExportedList::Overloads}) {
        for (const CsvStyle style : {CsvStyle::Comma, CsvStyle::Point}) {
            const CsvTable table = listTable(records, list, style);
            written = writeFile(dir.filePath(QStringLiteral("csv/%1-%2")
                                                 .arg(static_cast<int>(list))
                                                 .arg(static_cast<int>(style))),
                                csvInput(table)) &&
                      written;
        }
    }
    return written ? 0 : 1;
}
