#include "RecordTexts.h"

namespace zurval {
namespace {

constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";

// Three bytes as two hexadecimal digits each, joined by the separator.
QString threeBytes(std::uint8_t a, std::uint8_t b, std::uint8_t c, char16_t separator) {
    QString text(8, Qt::Uninitialized);
    QChar* out = text.data();
    const std::uint8_t bytes[] = {a, b, c};
    for (int k = 0; k < 3; ++k) {
        out[3 * k] = QChar(kHexDigits[bytes[k] >> 4]);
        out[3 * k + 1] = QChar(kHexDigits[bytes[k] & 0x0F]);
        if (k < 2)
            out[3 * k + 2] = QChar(separator);
    }
    return text;
}

QString checksumText(bool decoded, bool intact) {
    if (!decoded)
        return {};
    return intact ? QStringLiteral("Норма") : QStringLiteral("Брак");
}

} // namespace

QString bitText(std::uint16_t word) {
    QString text(16, Qt::Uninitialized);
    QChar* out = text.data();
    for (int p = 0; p < 16; ++p)
        out[p] = QChar((word >> (15 - p)) & 1 ? u'1' : u'0');
    return text;
}

QString wordText(const CycleFrame& f, std::uint16_t CycleFrame::*word) {
    return f.decoded ? bitText(f.*word) : QString();
}

QString dateText(const RecorderDate& d) {
    return threeBytes(d.day, d.month, d.year, u'.');
}

QString timeText(const RecorderTime& t) {
    return threeBytes(t.hours, t.minutes, t.seconds, u':');
}

QString frameTimeText(const CycleFrame& f) {
    if (!f.decoded)
        return {};
    if (isDateFrameMark(f.mark))
        return dateText(f.date);
    QString text = timeText(f.time) + QChar(u' ');
    if (f.dated)
        text += dateText(f.date);
    return text;
}

QString overloadDateText(const OverloadRecord& o) {
    return o.loadPercent != 0 ? dateText(o.date) : QString();
}

QString checksumText(const CycleFrame& f) {
    return checksumText(f.decoded, f.intact);
}

QString checksumText(const OverloadRecord& o) {
    return checksumText(o.decoded, o.intact);
}

} // namespace zurval
