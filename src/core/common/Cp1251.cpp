#include "core/common/Cp1251.h"

#include <array>

namespace zurval {
namespace {

// Unicode code points of bytes 0x80..0xFF; 0 marks the one unassigned byte (0x98).
constexpr std::array<char16_t, 128> kHighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
};

char16_t decode(unsigned char byte) {
    if (byte < 0x80)
        return byte;
    if (byte >= 0xC0)
        return static_cast<char16_t>(0x0410 + (byte - 0xC0)); // А..я in order
    const char16_t c = kHighHalf[byte - 0x80];
    return c != 0 ? c : u'\uFFFD';
}

} // namespace

QString fromCp1251(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    for (const char b : bytes)
        out.append(QChar(decode(static_cast<unsigned char>(b))));
    return out;
}

QByteArray toCp1251(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        char byte = '?';
        if (u < 0x80) {
            byte = static_cast<char>(u);
        } else if (u >= 0x0410 && u <= 0x044F) {
            byte = static_cast<char>(0xC0 + (u - 0x0410));
        } else {
            for (int i = 0; i < 128; ++i) {
                if (kHighHalf[i] == u) {
                    byte = static_cast<char>(0x80 + i);
                    break;
                }
            }
        }
        out.append(byte);
    }
    return out;
}

} // namespace zurval
