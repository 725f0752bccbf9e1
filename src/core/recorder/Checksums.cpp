#include "core/recorder/Checksums.h"

#include "core/recorder/FileMap.h"

namespace zurval {

std::uint32_t imageSum(const ByteReader& r) {
    // 264,191 × 255 fits in 32 bits, so the sum never wraps.
    return r.sum(0, filemap::kImageSumLength);
}

std::uint32_t storedImageSum(const ByteReader& r) {
    return r.u32le(filemap::kStoredImageSum);
}

QStringList failedBlockMessages(const ByteReader& r, const std::vector<ChecksummedBlock>& blocks) {
    QStringList out;
    for (const ChecksummedBlock& b : blocks) {
        if (!blockChecksumOk(r, b.start, b.length))
            out << b.message;
    }
    return out;
}

const std::vector<ChecksummedBlock>& serviceBankBlocks() {
    static const std::vector<ChecksummedBlock> blocks = [] {
        struct Part {
            std::size_t offset;
            std::size_t length;
            const char* what;
        };
        using namespace bankmap;
        const Part parts[] = {
            {kCraneNumber, 43, "идентификации"},
            {kCharacteristicNumber, 4, "характеристического числа"},
            {kWorkingCycles, 42, "рабочих циклов"},
            {kRelativeCycles, 42, "относительных циклов"},
            {kOperatingSeconds, 20, "время работы механизмов"},
            {kMotorMinutes, 3, "счетчика моточасов"},
        };
        std::vector<ChecksummedBlock> list;
        for (int bank = 0; bank < 2; ++bank) {
            const std::size_t base = bank == 0 ? filemap::kBank0 : filemap::kBank1;
            for (const Part& p : parts) {
                list.push_back({base + p.offset, p.length,
                                QStringLiteral("Ошибка контольной суммы %1 в Банке-%2!")
                                    .arg(QString::fromUtf8(p.what))
                                    .arg(bank)});
            }
        }
        return list;
    }();
    return blocks;
}

} // namespace zurval
