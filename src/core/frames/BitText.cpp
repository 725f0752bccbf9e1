#include "BitText.h"

#include <array>

namespace zurval {
namespace {

constexpr int kBits = 16;
constexpr std::size_t kWords = 1 << kBits;

// The texts of all 65536 words, made once. Frames hold thousands of bit texts; pointing into
// this table, they need no allocation and their copies no reference counting.
struct BitTextTable {
    BitTextTable() {
        for (std::size_t word = 0; word < kWords; ++word) {
            for (int p = 0; p < kBits; ++p)
                chars[word * kBits + p] = (word >> (kBits - 1 - p)) & 1 ? u'1' : u'0';
        }
    }
    std::array<char16_t, kWords * kBits> chars;
};

} // namespace

QString bitText(std::uint16_t word) {
    static const BitTextTable table;
    return QString::fromRawData(reinterpret_cast<const QChar*>(table.chars.data()) +
                                    static_cast<std::size_t>(word) * kBits,
                                kBits);
}

bool bitTextSet(const QString& text, int bit) {
    if (text.size() != kBits || bit < 0 || bit >= kBits)
        return false;
    return text[kBits - 1 - bit] == QChar(u'1');
}

bool anyBitTextSet(const QString& text, int first, int last) {
    for (int bit = first; bit <= last; ++bit) {
        if (bitTextSet(text, bit))
            return true;
    }
    return false;
}

} // namespace zurval
