#include "RecorderFile.h"

#include "Cp1251.h"
#include "FileMap.h"

#include <QFile>
#include <QFileInfo>

namespace zurval {

std::optional<RecorderFile> readRecorderFile(const QString& path) {
    // Only a regular file (or a link to one) is read: a named pipe or a device could keep
    // the open command waiting for its data for ever.
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    RecorderFile rf;
    rf.fileSize = static_cast<std::uint64_t>(file.size());
    // Some files report size 0 (those under /proc); read up to the map's end in any case.
    rf.bytes.resize(filemap::kMapEnd);
    qint64 got = 0;
    while (got < static_cast<qint64>(filemap::kMapEnd)) {
        const qint64 n = file.read(reinterpret_cast<char*>(rf.bytes.data()) + got,
                                   static_cast<qint64>(filemap::kMapEnd) - got);
        if (n <= 0)
            break;
        got += n;
    }
    rf.bytes.resize(static_cast<std::size_t>(got));
    return rf;
}

int scanRecorderVersion(const ByteReader& r) {
    using namespace filemap;
    int estimate = 150;
    for (std::size_t slot = kFrames; slot + kFrameMarkOffset < r.size(); slot += kFrameSize) {
        const std::uint8_t mark = r.u8(slot + kFrameMarkOffset);
        if (mark == kDateFrameMark || mark == kDateFrameMarkAlt || mark == kLastRecordMark)
            continue;
        estimate = mark;
        if (estimate <= 3)
            break;
    }
    return estimate;
}

QByteArray zeroTerminated(const ByteReader& r, std::size_t off, std::size_t width) {
    QByteArray out;
    for (std::size_t i = 0; i < width; ++i) {
        const std::uint8_t b = r.u8(off + i);
        if (b == 0)
            break;
        out.append(static_cast<char>(b));
    }
    return out;
}

OperatorBlock readOperatorBlock(const ByteReader& r) {
    using namespace filemap;
    auto field = [&](int k) {
        return fromCp1251(
            zeroTerminated(r, kOperatorBlock + k * kOperatorFieldSize, kOperatorFieldSize));
    };
    return {field(0), field(1), field(2), field(3)};
}

} // namespace zurval
