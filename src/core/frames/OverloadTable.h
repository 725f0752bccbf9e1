#pragma once

#include "core/frames/Overloads.h"

#include <QString>
#include <array>

namespace zurval {

struct SpreadsheetForm;

// The table StringGrid_Per_Otb: eight records side by side from the scroll bar's position.
constexpr int kOverloadTableRows = 7;
constexpr int kOverloadRowDate = 1;
constexpr int kOverloadTableColumns = 8;
constexpr int kOverloadScrollMaximum = kOverloadCapacity - kOverloadTableColumns; // 3192
using OverloadColumn = std::array<QString, kOverloadTableRows>;
using OverloadColumns = std::array<OverloadColumn, kOverloadTableColumns>;

// Which records a fill shows; the others leave their column empty.
enum class OverloadFill {
    AfterOpening,   // mark is the layout version or 0xAF, and the checksum is good
    Scrolling,      // load percentage is not 0
    AfterSelection, // mark is the layout version or 0xAF
};

// The seven cells of one record as the table shows them, or in a spreadsheet's form.
[[nodiscard]] OverloadColumn overloadColumn(const OverloadRecord& o,
                                            const SpreadsheetForm* spreadsheet = nullptr);

[[nodiscard]] OverloadColumns overloadColumns(const OverloadArray& list,
                                              const OverloadSelection& selection, int start,
                                              OverloadFill fill, int recorderVersion);

// Row captions of the table, top to bottom.
struct RowCaption {
    const char* objectName;
    const char* caption;
};
extern const std::array<RowCaption, kOverloadTableRows> kOverloadRowCaptions;

} // namespace zurval
