#pragma once

#include "core/export/Csv.h"
#include "core/frames/CyclicRecords.h"

#include <QString>

namespace zurval {

// The lists a user can take out as CSV: FrameList as the browser shows its frames and the
// non-empty records of OverloadList as the overload page shows them.
enum class ExportedList { Frames, Overloads };

// Entries first .. last of a list, both included.
struct EntryRange {
    int first = 0;
    int last = 0;
};

[[nodiscard]] int listCapacity(ExportedList list);

// Columns named by the row captions of the page without their aligning spaces, one row
// per entry in list order. A frame's cells are those of the browser when it scrolls,
// temperature "#0", in the spreadsheet form of the style: words in groups of four bits,
// stamps as dates. Its time stays in the row even when the radius is 0, which the browser
// only hides to keep emptied entries of a selection blank.
[[nodiscard]] CsvTable frameTable(const FrameArray& frames, EntryRange range, CsvStyle style);
// Records with a load percentage of 0 are empty slots of the ring and are left out. The
// date column is "Дата": its dates have four-digit years, not the page's "дд.мм.гг.".
[[nodiscard]] CsvTable overloadTable(const OverloadArray& records, EntryRange range,
                                     CsvStyle style);
[[nodiscard]] CsvTable listTable(const CyclicRecords& records, ExportedList list, EntryRange range,
                                 CsvStyle style = CsvStyle::Comma);
[[nodiscard]] CsvTable listTable(const CyclicRecords& records, ExportedList list,
                                 CsvStyle style = CsvStyle::Comma);

} // namespace zurval
