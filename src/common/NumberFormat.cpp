#include "NumberFormat.h"

#include <QLocale>

namespace zurval {
namespace {
QChar g_separator;
}

QChar decimalSeparator() {
    if (g_separator.isNull())
        g_separator = QLocale::system().decimalPoint().at(0);
    return g_separator;
}

void setDecimalSeparator(QChar separator) {
    g_separator = separator;
}

// Placeholder until the full pattern engine lands.
QString formatPattern(double value, const char*) {
    return QString::number(value);
}
QString formatGeneral(double value) {
    return QString::number(value, 'g', 15);
}
QString formatScaled(long long raw, double factor) {
    return formatGeneral(raw * factor);
}

} // namespace zurval
