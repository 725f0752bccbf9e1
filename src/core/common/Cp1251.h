#pragma once

#include <QByteArray>
#include <QString>

namespace zurval {

// Single-byte code page 1251 (Windows Cyrillic), used by every text the recorder and
// the operator block store.
[[nodiscard]] QString fromCp1251(const QByteArray& bytes);
// Characters outside the code page become '?'.
[[nodiscard]] QByteArray toCp1251(const QString& text);

} // namespace zurval
