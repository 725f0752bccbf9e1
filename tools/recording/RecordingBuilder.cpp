#include "RecordingBuilder.h"

#include "Checksums.h"
#include "Cp1251.h"
#include "FileMap.h"

#include <QFile>
#include <QSaveFile>
#include <cstring>

namespace zurval {

RecordingBuilder::RecordingBuilder() : bytes_(filemap::kOperatorBlock, 0) {}

void RecordingBuilder::ensure(std::size_t end) {
    if (bytes_.size() < end)
        bytes_.resize(end, 0);
}

RecordingBuilder& RecordingBuilder::u8(std::size_t off, std::uint8_t v) {
    ensure(off + 1);
    bytes_[off] = v;
    return *this;
}

RecordingBuilder& RecordingBuilder::u16le(std::size_t off, std::uint16_t v) {
    return u8(off, v & 0xFF).u8(off + 1, v >> 8);
}

RecordingBuilder& RecordingBuilder::u24le(std::size_t off, std::uint32_t v) {
    return u8(off, v & 0xFF).u8(off + 1, (v >> 8) & 0xFF).u8(off + 2, (v >> 16) & 0xFF);
}

RecordingBuilder& RecordingBuilder::u32le(std::size_t off, std::uint32_t v) {
    return u24le(off, v).u8(off + 3, v >> 24);
}

RecordingBuilder& RecordingBuilder::f32le(std::size_t off, float v) {
    std::uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return u32le(off, bits);
}

RecordingBuilder& RecordingBuilder::raw(std::size_t off, const std::vector<std::uint8_t>& b) {
    for (std::size_t i = 0; i < b.size(); ++i)
        u8(off + i, b[i]);
    return *this;
}

RecordingBuilder& RecordingBuilder::fill(std::size_t off, std::size_t len, std::uint8_t v) {
    ensure(off + len);
    std::memset(bytes_.data() + off, v, len);
    return *this;
}

RecordingBuilder& RecordingBuilder::fixBlock(std::size_t start, std::size_t length) {
    ensure(start + length + 1);
    return u8(start + length, blockChecksumByte(ByteReader(bytes_), start, length));
}

RecordingBuilder& RecordingBuilder::breakBlock(std::size_t start, std::size_t length) {
    fixBlock(start, length);
    bytes_[start + length] ^= 0x5A;
    return *this;
}

RecordingBuilder& RecordingBuilder::fixBankChecksums() {
    for (const ChecksummedBlock& b : serviceBankBlocks())
        fixBlock(b.start, b.length);
    return *this;
}

RecordingBuilder& RecordingBuilder::fixImageSum() {
    return u32le(filemap::kStoredImageSum, imageSum(ByteReader(bytes_)));
}

RecordingBuilder& RecordingBuilder::breakImageSum() {
    return u32le(filemap::kStoredImageSum, imageSum(ByteReader(bytes_)) + 1);
}

RecordingBuilder& RecordingBuilder::operatorBlock(const QString& name, const QString& certificate,
                                                  const QString& organisation,
                                                  const QString& readingDate) {
    using namespace filemap;
    resize(kOperatorBlock);
    const QString texts[] = {name, certificate, organisation, readingDate};
    std::size_t end = kOperatorBlock;
    for (int k = 0; k < kOperatorFieldCount; ++k) {
        const QByteArray enc = toCp1251(texts[k]).left(static_cast<int>(kOperatorFieldSize));
        const std::size_t off = kOperatorBlock + k * kOperatorFieldSize;
        if (enc.isEmpty())
            continue;
        fill(off, kOperatorFieldSize, 0);
        for (int i = 0; i < enc.size(); ++i)
            bytes_[off + i] = static_cast<std::uint8_t>(enc[i]);
        end = off + enc.size();
    }
    bytes_.resize(end);
    return *this;
}

RecordingBuilder& RecordingBuilder::frameMark(int slot, std::uint8_t mark) {
    using namespace filemap;
    return u8(kFrames + slot * kFrameSize + kFrameMarkOffset, mark);
}

RecordingBuilder& RecordingBuilder::resize(std::size_t n) {
    bytes_.resize(n, 0);
    return *this;
}

bool RecordingBuilder::write(const QString& path) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(reinterpret_cast<const char*>(bytes_.data()), static_cast<qint64>(bytes_.size()));
    return file.commit();
}

} // namespace zurval
