#include "core/common/NumberFormat.h"

#include <QLocale>
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace zurval {
namespace {

// The system locale's separator, read as the program starts, before any thread can ask for
// it: the threads of the fleet summary then only ever read it.
QChar systemDecimalSeparator() {
    const QString point = QLocale::system().decimalPoint();
    return point.isEmpty() ? QChar('.') : point.at(0);
}

QChar g_separator = systemDecimalSeparator();

// A non-negative decimal as a digit string with the point after the first intDigits
// digits; intDigits is at least 1 so that values below one carry their leading "0".
struct Decimal {
    std::string digits;
    std::size_t intDigits = 1;
};

// The exact value of a finite, non-negative double. A double m · 2^(e - 53) with
// frexp exponent e has at most 53 - e binary fraction digits, and each of them takes one
// decimal digit: fixed notation with that precision (never more than 1074) loses nothing.
Decimal exactDecimal(double magnitude) {
    constexpr int kAllFractionDigits = 1074;
    static thread_local std::array<char, 310 + 1 + kAllFractionDigits> buffer;
    int exponent = 0;
    std::frexp(magnitude, &exponent);
    const int fractionDigits = std::clamp(53 - exponent, 0, kAllFractionDigits);
    const std::to_chars_result r =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                      std::chars_format::fixed, fractionDigits);
    // A whole number has no point.
    std::string digits(buffer.data(), r.ptr);
    const std::size_t point = std::min(digits.find('.'), digits.size());
    if (point < digits.size())
        digits.erase(point, 1);
    const std::size_t last = digits.find_last_not_of('0');
    digits.resize(std::max(last + 1, point));
    return {std::move(digits), point};
}

// Keeps the first `keep` digits, rounding half away from zero: a first dropped digit of
// 5 or more rounds the magnitude up, whatever follows it.
void roundTo(Decimal& d, std::size_t keep) {
    const bool up = keep < d.digits.size() && d.digits[keep] >= '5';
    d.digits.resize(keep, '0');
    if (!up)
        return;
    for (std::size_t i = keep; i-- > 0;) {
        if (d.digits[i] != '9') {
            ++d.digits[i];
            return;
        }
        d.digits[i] = '0';
    }
    d.digits.insert(0, 1, '1');
    ++d.intDigits;
}

[[nodiscard]] QString nonFinite(double value) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

struct Pattern {
    std::size_t minIntDigits = 1;
    std::size_t minDecimals = 0;
    std::size_t maxDecimals = 0;
};

// '0' is a digit always shown, '#' one shown only when it is not a trailing zero.
Pattern parsePattern(const char* pattern) {
    Pattern p;
    std::size_t intZeros = 0;
    bool afterPoint = false;
    for (const char* c = pattern; *c != '\0'; ++c) {
        if (*c == '.') {
            afterPoint = true;
        } else if (afterPoint && (*c == '0' || *c == '#')) {
            ++p.maxDecimals;
            if (*c == '0')
                ++p.minDecimals;
        } else if (*c == '0') {
            ++intZeros;
        }
    }
    p.minIntDigits = std::max<std::size_t>(intZeros, 1);
    return p;
}

// The general format shows up to this many significant digits.
constexpr std::size_t kSignificantDigits = 15;

} // namespace

QChar decimalSeparator() {
    return g_separator;
}

void setDecimalSeparator(QChar separator) {
    g_separator = separator;
}

QString formatPattern(double value, const char* pattern, QChar separator) {
    if (!std::isfinite(value))
        return nonFinite(value);
    const Pattern p = parsePattern(pattern);
    Decimal d = exactDecimal(std::fabs(value));
    roundTo(d, d.intDigits + p.maxDecimals);

    std::size_t decimals = p.maxDecimals;
    while (decimals > p.minDecimals && d.digits[d.intDigits + decimals - 1] == '0')
        --decimals;

    std::string integer = d.digits.substr(0, d.intDigits);
    if (integer.size() < p.minIntDigits)
        integer.insert(0, p.minIntDigits - integer.size(), '0');

    // A value that rounds to zero shows without a sign, as does -0.
    const bool negative =
        std::signbit(value) && d.digits.find_first_not_of('0') != std::string::npos;
    QString out = negative ? QStringLiteral("-") : QString();
    out += QString::fromLatin1(integer.data(), static_cast<int>(integer.size()));
    if (decimals > 0) {
        out += separator.isNull() ? decimalSeparator() : separator;
        out += QString::fromLatin1(d.digits.data() + d.intDigits, static_cast<int>(decimals));
    }
    return out;
}

// Fixed notation while the leading digit's power of ten lies in -5 .. 14, so every shown
// digit is significant and no integer is padded with invented zeros; otherwise scientific
// notation with a signed exponent: 1E+20, 1,5E-7.
QString formatGeneral(double value) {
    if (!std::isfinite(value))
        return nonFinite(value);
    Decimal d = exactDecimal(std::fabs(value));
    std::size_t lead = d.digits.find_first_not_of('0');
    if (lead == std::string::npos)
        return QStringLiteral("0");
    roundTo(d, lead + kSignificantDigits);
    lead = d.digits.find_first_not_of('0');

    std::string sig = d.digits.substr(lead);
    sig.erase(sig.find_last_not_of('0') + 1);
    const int exp10 = static_cast<int>(d.intDigits) - 1 - static_cast<int>(lead);

    std::string integer;
    std::string fraction;
    QString exponent;
    if (exp10 >= -5 && exp10 < static_cast<int>(kSignificantDigits)) {
        if (exp10 >= 0) {
            const auto intLen = static_cast<std::size_t>(exp10) + 1;
            integer = sig.substr(0, intLen);
            integer.append(intLen - integer.size(), '0');
            if (sig.size() > intLen)
                fraction = sig.substr(intLen);
        } else {
            integer = "0";
            fraction = std::string(static_cast<std::size_t>(-exp10 - 1), '0') + sig;
        }
    } else {
        integer = sig.substr(0, 1);
        fraction = sig.substr(1);
        exponent = QStringLiteral("E%1%2").arg(QChar(exp10 < 0 ? '-' : '+')).arg(std::abs(exp10));
    }

    QString out = std::signbit(value) ? QStringLiteral("-") : QString();
    out += QString::fromLatin1(integer.data(), static_cast<int>(integer.size()));
    if (!fraction.empty()) {
        out += decimalSeparator();
        out += QString::fromLatin1(fraction.data(), static_cast<int>(fraction.size()));
    }
    return out + exponent;
}

QString formatScaled(long long raw, double factor) {
    return formatGeneral(static_cast<double>(raw) * factor);
}

} // namespace zurval
