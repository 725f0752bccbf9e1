#pragma once

#include "core/frames/Overloads.h"

#include <QDate>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace zurval {

// What two readings of one recorder tell about each other, and when a reading was made: the
// same rules for the folder summary and the archive.

// Overloads counted apart: above the highest load range's lower bound, so that one of exactly
// 125 % is not among them.
constexpr int kHeavyOverloadPercent = 125;
// An intact record above 125 %.
[[nodiscard]] bool isHeavyOverload(const OverloadRecord& o);
[[nodiscard]] bool isHeavyOverload(int loadPercent, bool intact);

// The 64 bits of an overload record that a later reading still shows the same: radius and
// rated load in hundredths, load percentage and the three date bytes.
[[nodiscard]] std::uint64_t overloadFingerprint(const OverloadRecord& o);

// How many records of later are not in earlier: the later ring goes on where the earlier
// one ended, having lost its oldest records once full.
[[nodiscard]] int newOverloadCount(const std::vector<std::uint64_t>& earlier,
                                   const std::vector<std::uint64_t>& later);

// A reading date as the operator typed it: "12.03.2026", "12.03.26 14-05" (as the ВРЛ-3 read
// proposes it), "1.3.2026 9:05", "15.02.2026 утро". whole: nothing else follows.
struct TypedReadingTime {
    QDate date;
    int hours = 0;
    int minutes = 0;
    bool timed = false;
    bool whole = false;
};
// nullopt when the text begins with no valid date.
[[nodiscard]] std::optional<TypedReadingTime> typedReadingTime(const QString& text);

} // namespace zurval
