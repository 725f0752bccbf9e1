#pragma once

#include "core/common/ByteReader.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace zurval {

// The bytes of a recorder file that the map covers. A longer file is read no further
// than the map needs; a shorter one reads its missing bytes as zeros.
struct RecorderFile {
    std::vector<std::uint8_t> bytes;
    std::uint64_t fileSize = 0;

    [[nodiscard]] ByteReader reader() const { return ByteReader(bytes); }
};

// nullopt when the file cannot be opened for reading (no name, missing, no access, or not a
// regular file: a folder, a named pipe, a device); *whyNot then says which, in English.
[[nodiscard]] std::optional<RecorderFile> readRecorderFile(const QString& path,
                                                           QString* whyNot = nullptr);
// A recording already read (one the archive keeps), cut to the map as a file is read.
[[nodiscard]] RecorderFile recorderFileOf(const QByteArray& fileBytes);

// First estimate of the layout version: the mark of the first frame slot whose mark is
// neither a date/newest marker nor above 3. A scan that reaches the end of the data keeps
// the last mark it saw (the start value 150 when it saw none).
[[nodiscard]] int scanRecorderVersion(const ByteReader& r);

struct OperatorBlock {
    QString name;         // "Информацию считал:"
    QString certificate;  // "Удост. №"
    QString organisation; // "Организация:"
    QString readingDate;  // "Дата считывания:"
};

// Each field runs to its first zero byte or 50 bytes, code page 1251.
[[nodiscard]] OperatorBlock readOperatorBlock(const ByteReader& r);

// Text of a fixed-width field up to its first zero byte, as raw bytes.
[[nodiscard]] QByteArray zeroTerminated(const ByteReader& r, std::size_t off, std::size_t width);

} // namespace zurval
