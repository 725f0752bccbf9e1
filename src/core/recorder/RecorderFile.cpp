#include "core/recorder/RecorderFile.h"

#include <algorithm>

#include "core/common/Cp1251.h"
#include "core/recorder/FileMap.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <system_error>

namespace zurval {

std::optional<RecorderFile> readRecorderFile(const QString& path, QString* whyNot) {
    auto refuse = [whyNot](const QString& why) {
        if (whyNot)
            *whyNot = why;
        return std::nullopt;
    };
    if (path.isEmpty())
        return refuse(QStringLiteral("no file name"));
    // Only a regular file (or a link to one) is read: a named pipe or a device could keep
    // the open command waiting for its data for ever.
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return refuse(QStringLiteral("cannot open: ") +
                      QString::fromStdString(std::generic_category().message(errno)));
    if (!S_ISREG(status.st_mode))
        return refuse(QStringLiteral("not a regular file"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(QStringLiteral("cannot open: ") + file.errorString());
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

RecorderFile recorderFileOf(const QByteArray& fileBytes) {
    RecorderFile rf;
    rf.fileSize = static_cast<std::uint64_t>(fileBytes.size());
    const auto kept = std::min<qsizetype>(fileBytes.size(), filemap::kMapEnd);
    rf.bytes.assign(fileBytes.constBegin(), fileBytes.constBegin() + kept);
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
