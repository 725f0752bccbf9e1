#pragma once

#include <QChar>
#include <QString>

namespace zurval {

// The one place where numbers become texts. Patterns: "#0.00", "#0.0", "#0", "#0.000",
// "0.0#", "0.##". Rounding is half away from zero on the exact value held. A null separator
// is the one of decimalSeparator(); a CSV file names its own.
[[nodiscard]] QString formatPattern(double value, const char* pattern, QChar separator = {});
// Shortest decimal form with at most 15 significant digits.
[[nodiscard]] QString formatGeneral(double value);
// raw × factor computed in double precision from the raw integer, in the general format.
[[nodiscard]] QString formatScaled(long long raw, double factor);

// Decimal separator of the system locale unless a test has set another.
[[nodiscard]] QChar decimalSeparator();
void setDecimalSeparator(QChar separator);

} // namespace zurval
