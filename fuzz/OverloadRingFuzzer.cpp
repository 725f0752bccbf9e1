#include "FileAreas.h"
#include "core/frames/OverloadTable.h"
#include "core/frames/RecordTexts.h"

#include <memory>

// zurval-fuzz-overloads: the overload ring alone. The input is the layout version and the
// 3200 records; each input decodes them, puts them oldest first, tells several last-record
// marks and makes the two summary lines and the table at both ends.

using namespace zurval;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::AreaImage image(fuzz::kOverloadRingAreas);
    static const auto records = std::make_unique<OverloadArray>();
    static const auto selection = std::make_unique<OverloadSelection>();
    const ByteReader r = image.place(data, size);
    const int version = r.s8(fuzz::kVersionByte.offset);

    decodeOverloads(r, version, *records);
    const auto marks = std::count_if(records->begin(), records->end(), [](const OverloadRecord& o) {
        return o.mark == filemap::kLastRecordMark;
    });
    const bool severalMarks = orderOverloads(*records, *selection);
    require(severalMarks == (marks > 1), "several marks are told");
    require(selection->count() == kOverloadCapacity, "every record is selected");

    const OverloadSummary summary = overloadSummary(overloadHighlights(*records));
    const OverloadRecord* largest = largestOverload(*records);
    require(summary.largest.isEmpty() == !largest, "the largest overload has its line");
    require(!largest || (largest->intact && largest->loadPercent > 120),
            "the largest overload is an intact one above 120 %");
    for (const int start : {0, kOverloadScrollMaximum})
        for (const OverloadFill fill : {OverloadFill::AfterOpening, OverloadFill::Scrolling})
            [[maybe_unused]] const OverloadColumns columns =
                overloadColumns(*records, *selection, start, fill, version);
    return 0;
}
