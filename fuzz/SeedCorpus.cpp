#include "FileMap.h"
#include "RecordingBuilder.h"
#include "SampleRecording.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

// zurval-fuzz-seeds DIR: writes the fuzzer's starting recordings into DIR. They are made
// here rather than kept in the repository, as each is a quarter of a megabyte.

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

} // namespace

int main(int argc, char** argv) {
    const QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() != 1) {
        std::fputs("usage: zurval-fuzz-seeds DIR\n", stderr);
        return 2;
    }
    const QDir dir(args[0]);
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "zurval-fuzz-seeds: cannot make %s\n", qPrintable(args[0]));
        return 1;
    }
    std::vector<std::pair<QString, RecordingBuilder>> seeds = {
        {QStringLiteral("sample.vrl"), makeSampleRecording()}};
    for (const int version : {0, 1, 2, 3, 7}) // 7: a layout no recorder wrote
        seeds.emplace_back(QStringLiteral("layout-%1.vrl").arg(version), sampleInLayout(version));
    // The image alone, and the banks alone: a file cut short before the frames.
    seeds.emplace_back(QStringLiteral("image-only.vrl"),
                       RecordingBuilder(seeds[0].second).resize(kImageSize));
    seeds.emplace_back(QStringLiteral("banks-only.vrl"),
                       RecordingBuilder(seeds[0].second).resize(kOverloads));
    for (const auto& [name, builder] : seeds) {
        QString error;
        if (!builder.write(dir.filePath(name), &error)) {
            std::fprintf(stderr, "zurval-fuzz-seeds: %s: %s\n", qPrintable(name),
                         qPrintable(error));
            return 1;
        }
    }
    return 0;
}
