#include "core/fleet/ReadingHistory.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace zurval {

bool isHeavyOverload(int loadPercent, bool intact) {
    return intact && loadPercent > kHeavyOverloadPercent;
}

bool isHeavyOverload(const OverloadRecord& o) {
    return isHeavyOverload(o.loadPercent, o.intact);
}

std::uint64_t overloadFingerprint(const OverloadRecord& o) {
    auto hundredths = [](float v) {
        return static_cast<std::uint64_t>(
            static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(v * 100.0))));
    };
    const std::uint64_t dateBytes =
        std::uint64_t{o.date.day} << 16 | std::uint64_t{o.date.month} << 8 | o.date.year;
    return hundredths(o.radius) | hundredths(o.ratedLoad) << 16 |
           static_cast<std::uint64_t>(o.loadPercent & 0xFF) << 32 | dateBytes << 40;
}

int newOverloadCount(const std::vector<std::uint64_t>& earlier,
                     const std::vector<std::uint64_t>& later) {
    // The longest end of the earlier ring with which the later one begins.
    const std::size_t longest = std::min(earlier.size(), later.size());
    for (std::size_t overlap = longest; overlap > 0; --overlap) {
        if (std::equal(earlier.end() - static_cast<std::ptrdiff_t>(overlap), earlier.end(),
                       later.begin()))
            return static_cast<int>(later.size() - overlap);
    }
    return static_cast<int>(later.size());
}

std::optional<TypedReadingTime> typedReadingTime(const QString& text) {
    static const QRegularExpression date(QStringLiteral(
        R"(^\s*(\d{1,2})\.(\d{1,2})\.(\d{4}|\d{2})(?:\s+(\d{1,2})[-:.](\d{2}))?(\s*$)?)"));
    const QRegularExpressionMatch m = date.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    int year = m.captured(3).toInt();
    if (m.captured(3).size() == 2)
        year += 2000;
    const QDate day(year, m.captured(2).toInt(), m.captured(1).toInt());
    if (!day.isValid())
        return std::nullopt;
    return TypedReadingTime{day, m.captured(4).toInt(), m.captured(5).toInt(), m.hasCaptured(4),
                            m.hasCaptured(6)};
}

} // namespace zurval
