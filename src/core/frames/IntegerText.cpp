#include "core/frames/IntegerText.h"

#include <cstdint>
#include <limits>

namespace zurval {

std::optional<int> parseInteger(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == QChar(u' '))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QChar(u'+') || text[i] == QChar(u'-')))
        negative = text[i++] == QChar(u'-');
    if (i == text.size())
        return std::nullopt;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        magnitude = magnitude * 10 + (c - u'0');
        if (magnitude > std::int64_t{std::numeric_limits<int>::max()} + 1)
            return std::nullopt;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(value);
}

QString notAnIntegerMessage(const QString& text) {
    return QStringLiteral("'%1' is not a valid integer value").arg(text);
}

} // namespace zurval
