#pragma once

#include <QString>
#include <optional>

namespace zurval {

// An integer typed into an edit: optional leading spaces, an optional sign, decimal digits,
// within 32 bits. Anything else is no integer.
[[nodiscard]] std::optional<int> parseInteger(const QString& text);

// The message a command ends with when an edit does not hold an integer.
[[nodiscard]] QString notAnIntegerMessage(const QString& text);

} // namespace zurval
