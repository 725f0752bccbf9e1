#include "RecordingBuilder.h"

#include "core/protection/CraneParameters.h"
#include "core/protection/ProtectionSettings.h"

#include "core/common/Cp1251.h"
#include "core/recorder/Checksums.h"
#include "core/recorder/FileMap.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <algorithm>
#include <cstring>

namespace zurval {
namespace {

// The recorder's own character set is code page 1251 except for Б and П, which it keeps at
// 0xA0 and 0xA8; its texts must be written that way to read back as the same letters.
QByteArray deviceTextBytes(const QString& text) {
    QByteArray out;
    for (const QChar ch : text) {
        if (ch == QChar(u'Б'))
            out.append(static_cast<char>(0xA0));
        else if (ch == QChar(u'П'))
            out.append(static_cast<char>(0xA8));
        else
            out.append(toCp1251(QString(ch)));
    }
    return out;
}

std::uint16_t word(std::int16_t v) {
    return static_cast<std::uint16_t>(v);
}

} // namespace

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

RecordingBuilder& RecordingBuilder::fixBlocks(const std::vector<ChecksummedBlock>& blocks) {
    for (const ChecksummedBlock& b : blocks)
        fixBlock(b.start, b.length);
    return *this;
}

RecordingBuilder& RecordingBuilder::fixBankChecksums() {
    return fixBlocks(serviceBankBlocks());
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

RecordingBuilder& RecordingBuilder::frame(int slot, const FrameSlot& f) {
    using namespace filemap;
    const std::size_t at = kFrames + static_cast<std::size_t>(slot) * kFrameSize;
    u16le(at + 0, word(f.wind)).u16le(at + 2, word(f.travel)).u16le(at + 4, word(f.hookHeight));
    u16le(at + 6, word(f.azimuth))
        .u16le(at + 8, word(f.temperature))
        .u16le(at + 10, word(f.radius));
    u16le(at + 12, word(f.force)).u16le(at + 14, word(f.loadMass));
    u16le(at + 16, f.inputs).u16le(at + 18, f.relays);
    u16le(at + 20, f.limitsEntered).u16le(at + 22, f.limitsTriggered);
    u8(at + 24, f.loadMoment).raw(at + 25, {f.dateTime.begin(), f.dateTime.end()});
    return u8(at + 28, f.health).u8(at + 29, f.limitsReached).u8(at + kFrameMarkOffset, f.mark);
}

RecordingBuilder& RecordingBuilder::framePointer(std::uint32_t p) {
    return u32le(filemap::kFramePointer, p).u32le(filemap::kFramePointerComplement, ~p);
}

RecordingBuilder& RecordingBuilder::overload(int index, const OverloadSlot& o) {
    using namespace filemap;
    const std::size_t at = kOverloads + static_cast<std::size_t>(index) * kOverloadSize;
    u16le(at, word(o.radius)).u16le(at + 2, word(o.ratedLoad)).u8(at + 4, o.loadPercent);
    return raw(at + 5, {o.date.begin(), o.date.end()}).u8(at + 9, o.mark);
}

RecordingBuilder& RecordingBuilder::bank(int bank, const ServiceBankValues& v) {
    using namespace bankmap;
    const std::size_t base = bank == 1 ? filemap::kBank1 : filemap::kBank0;
    u16le(base + kCraneNumber, word(v.craneNumber)).u16le(base + kCraneYear, word(v.craneYear));
    u8(base + kVersion, static_cast<std::uint8_t>(v.version)).u8(base + kJibKind, v.jibKind);
    u8(base + kNormativeGroup, static_cast<std::uint8_t>(v.normativeGroup));
    text(base + kCraneModel, kCraneModelWidth, deviceTextBytes(v.craneModel));
    text(base + kRecorderNumber, kRecorderNumberWidth, toCp1251(v.recorderNumber));
    u8(base + kProgramMajor, static_cast<std::uint8_t>(v.programMajor));
    u8(base + kProgramMinor, static_cast<std::uint8_t>(v.programMinor));
    const RecorderDate dates[] = {v.dateInstalled, v.dateParamsChanged, v.dateSetupLast,
                                  v.dateSetupBefore};
    for (std::size_t k = 0; k < 4; ++k)
        raw(base + kDateInstalled + 3 * k, {dates[k].day, dates[k].month, dates[k].year});
    f32le(base + kCharacteristicNumber, v.characteristicNumber);
    for (std::size_t k = 0; k < kLoadRangeCount; ++k) {
        u24le(base + kWorkingCycles + 3 * k, v.workingCycles[k]);
        u24le(base + kRelativeCycles + 3 * k, v.relativeCycles[k]);
    }
    for (std::size_t k = 0; k < kOperatingTimeCount; ++k)
        u32le(base + kOperatingSeconds + 4 * k, static_cast<std::uint32_t>(v.operatingSeconds[k]));
    u24le(base + kMotorMinutes, v.motorMinutes);
    return u32le(base + kLiftedMass, static_cast<std::uint32_t>(v.liftedMassHundredths));
}

RecordingBuilder& RecordingBuilder::removalDate(int k, const QString& ddmmyy) {
    const auto b = bcdDateBytes(ddmmyy);
    return raw(filemap::kRemovalDates + 3 * static_cast<std::size_t>(k), {b.begin(), b.end()});
}

RecordingBuilder& RecordingBuilder::protectionZone(std::size_t start, std::uint16_t count,
                                                   const std::vector<ZonePoint>& points) {
    u16le(start, count);
    for (std::size_t i = 0; i < points.size(); ++i)
        u16le(start + 2 + 4 * i, word(points[i].x)).u16le(start + 4 + 4 * i, word(points[i].y));
    return *this;
}

RecordingBuilder& RecordingBuilder::fixAllChecksums(int version) {
    using namespace filemap;
    fixBankChecksums();
    if (const ParameterLayout* layout = craneParameterLayout(version))
        fixBlocks(layout->checksums);
    // The zones first: the checksum of the whole structure covers theirs.
    for (const ZoneLayout& zone : kZoneLayouts)
        fixBlock(zone.start, zone.dataBytes());
    fixBlock(protectBlock().start, protectBlock().length);
    if (version == 2) {
        for (int k = 0; k < kFrameCount; ++k)
            fixBlock(kFrames + static_cast<std::size_t>(k) * kFrameSize, 30);
        for (int k = 0; k < kOverloadCount; ++k)
            fixBlock(kOverloads + static_cast<std::size_t>(k) * kOverloadSize, 8);
    }
    return fixImageSum();
}

std::uint8_t RecordingBuilder::bcd(int value) {
    return static_cast<std::uint8_t>((value / 10 % 10) << 4 | value % 10);
}

RecorderDate RecordingBuilder::recorderDate(const QString& ddmmyy) {
    const auto b = bcdDateBytes(ddmmyy);
    return {b[0], b[1], b[2]};
}

std::array<std::uint8_t, 3> RecordingBuilder::bcdDateBytes(const QString& ddmmyy) {
    const QStringList pairs = ddmmyy.split(QChar('.'));
    std::array<std::uint8_t, 3> out{};
    for (int k = 0; k < 3 && k < pairs.size(); ++k)
        out[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(pairs[k].toUInt(nullptr, 16));
    return out;
}

RecordingBuilder& RecordingBuilder::text(std::size_t off, std::size_t width,
                                         const QByteArray& encoded) {
    fill(off, width, 0);
    const std::size_t n = std::min(width, static_cast<std::size_t>(encoded.size()));
    for (std::size_t i = 0; i < n; ++i)
        bytes_[off + i] = static_cast<std::uint8_t>(encoded[static_cast<qsizetype>(i)]);
    return *this;
}

RecordingBuilder& RecordingBuilder::resize(std::size_t n) {
    bytes_.resize(n, 0);
    return *this;
}

bool RecordingBuilder::write(const QString& path, QString* error) const {
    QSaveFile file(path);
    const bool ok =
        file.open(QIODevice::WriteOnly) &&
        file.write(reinterpret_cast<const char*>(bytes_.data()),
                   static_cast<qint64>(bytes_.size())) == static_cast<qint64>(bytes_.size()) &&
        file.commit();
    if (!ok && error)
        *error = file.errorString();
    return ok;
}

} // namespace zurval
