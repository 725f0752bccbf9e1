#include "core/frames/Overloads.h"
#include "RecordingBuilder.h"
#include "core/common/NumberFormat.h"
#include "core/frames/OverloadTable.h"
#include "core/frames/RecordTexts.h"

#include <gtest/gtest.h>
#include <memory>

using namespace zurval;
using namespace zurval::filemap;

namespace {

QString q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

OverloadSlot record(std::uint8_t percent, const char* date, std::uint8_t mark = 2) {
    return {1234, 567, percent, RecordingBuilder::bcdDateBytes(q(date)), mark};
}

struct Overloads {
    std::unique_ptr<OverloadArray> list = std::make_unique<OverloadArray>();
    std::unique_ptr<OverloadSelection> selection = std::make_unique<OverloadSelection>();
    bool severalMarks = false;
};

Overloads opened(const RecordingBuilder& b, int version = 2) {
    Overloads o;
    decodeOverloads(ByteReader(b.bytes()), version, *o.list);
    o.severalMarks = orderOverloads(*o.list, *o.selection);
    return o;
}

// Records 0..n-1 as given, the last of them the newest, so that the order stays.
RecordingBuilder ring(const std::vector<OverloadSlot>& records) {
    RecordingBuilder b;
    for (std::size_t k = 0; k < records.size(); ++k)
        b.overload(static_cast<int>(k), records[k]);
    b.overload(kOverloadCount - 1, record(0, "00.00.00", kLastRecordMark));
    b.fixAllChecksums(2);
    return b;
}

} // namespace

TEST(OverloadRecords, DecodeFieldsAndTestChecksumsForLayoutTwoOnly) {
    RecordingBuilder b;
    b.overload(0, record(121, "05.06.19")).overload(1, record(0, "07.08.20"));
    b.fixAllChecksums(2).breakBlock(kOverloads + kOverloadSize, 8);
    for (const int version : {1, 2, 3}) {
        const Overloads o = opened(b, version); // no mark: record 1 becomes the oldest
        const OverloadRecord& r = (*o.list)[3199];
        EXPECT_EQ(r.number, 3199);
        EXPECT_FLOAT_EQ(r.radius, 12.34f);
        EXPECT_FLOAT_EQ(r.ratedLoad, 5.67f);
        EXPECT_EQ(r.loadPercent, 121);
        EXPECT_EQ(r.mark, 2);
        EXPECT_EQ(r.date, (RecorderDate{0x05, 0x06, 0x19}));
        EXPECT_TRUE(r.intact);
        EXPECT_TRUE(r.decoded);
        EXPECT_EQ((*o.list)[0].intact, version != 2);
    }
}

TEST(OverloadRecords, OrderStartsAfterTheHighestLastMark) {
    RecordingBuilder none;
    none.overload(1, record(101, "01.01.20"));
    const Overloads unmarked = opened(none);
    EXPECT_EQ((*unmarked.list)[0].loadPercent, 101); // record 1 first, record 0 newest
    EXPECT_FALSE(unmarked.severalMarks);

    RecordingBuilder several;
    several.overload(10, record(111, "01.01.20", kLastRecordMark));
    several.overload(20, record(122, "01.01.20", kLastRecordMark));
    const Overloads marked = opened(several);
    EXPECT_TRUE(marked.severalMarks);
    EXPECT_EQ((*marked.list)[3199].loadPercent, 122);
    EXPECT_EQ((*marked.list)[3199].number, 3199);
    EXPECT_EQ(marked.selection->count(), kOverloadCapacity);
    EXPECT_EQ(marked.selection->position(3199), 3199);

    const Overloads last = opened(ring({record(105, "01.01.20")}));
    EXPECT_FALSE(last.severalMarks);
    EXPECT_EQ((*last.list)[0].loadPercent, 105); // newest at 3199: order unchanged
}

TEST(OverloadSummary, NamesTheLargestGoodOverloadAndTheLastMarkedOne) {
    RecordingBuilder b =
        ring({record(121, "01.02.20"), record(150, "02.02.20"), record(130, "03.02.20"),
              record(150, "04.02.20"), record(160, "05.02.20"), record(112, "06.02.20", 0xAF)});
    b.breakBlock(kOverloads + 4 * kOverloadSize, 8); // the 160 % record
    b.overload(kOverloadCount - 1, record(0, "00.00.00", 2));
    const OverloadSummary s = overloadSummary(overloadHighlights(*opened(b).list));
    EXPECT_EQ(s.largest, q("Максимальная перегрузка произошла 04.02.20 и составила 150%"));
    EXPECT_EQ(s.last, q("Последняя перегрузка произошла 06.02.20 и составила 112%"));

    const OverloadSummary small =
        overloadSummary(overloadHighlights(*opened(ring({record(120, "01.02.20")})).list));
    EXPECT_EQ(small.largest, QString()); // 120 % is not above 120
    EXPECT_EQ(small.last, q("Последняя перегрузка произошла  и составила 0%"));
}

TEST(OverloadSelection, CopiesRecordsAboveTheThresholdKeepingTheirNumbers) {
    Overloads o =
        opened(ring({record(125, "01.02.20"), record(126, "02.02.20"), record(140, "03.02.20")}));
    const OverloadSelectionRun run = selectOverloads(*o.list, q("125"), *o.selection);
    EXPECT_EQ(run.error, QString());
    EXPECT_EQ(run.count, 2);
    EXPECT_EQ(o.selection->entry(*o.list, 0).number, 1);
    EXPECT_EQ(o.selection->entry(*o.list, 1).loadPercent, 140);
    EXPECT_EQ(o.selection->entry(*o.list, 2).number, 0); // the rest is reset
    EXPECT_FALSE(o.selection->entry(*o.list, 2).decoded);
    // Layout 0 marks its records 0, as a reset entry is: the table shows one with its zeros.
    const OverloadColumn reset =
        overloadColumns(*o.list, *o.selection, 0, OverloadFill::AfterSelection, 0)[2];
    EXPECT_EQ(reset[0], q("0"));
    EXPECT_EQ(reset[1], QString());
    EXPECT_EQ(reset[6], QString());

    const OverloadSelectionRun bad = selectOverloads(*o.list, q("12a"), *o.selection);
    EXPECT_EQ(bad.error, q("'12a' is not a valid integer value"));
    EXPECT_EQ(o.selection->count(), 0); // reset before the threshold was read
}

TEST(OverloadTable, EachFillShowsItsOwnRecords) {
    setDecimalSeparator(QChar(','));
    RecordingBuilder b = ring({record(0, "00.00.00"), record(130, "01.02.20"),
                               record(130, "02.02.20", 3), record(130, "03.02.20")});
    b.breakBlock(kOverloads + 3 * kOverloadSize, 8);
    const Overloads o = opened(b);
    struct Case {
        OverloadFill fill;
        std::array<bool, 5> shown; // records 0..3 and the newest, empty one
    };
    const Case cases[] = {
        {OverloadFill::AfterOpening, {true, true, false, false, true}},
        {OverloadFill::Scrolling, {false, true, true, true, false}},
        {OverloadFill::AfterSelection, {true, true, false, true, true}},
    };
    for (const Case& c : cases) {
        const OverloadColumns start = overloadColumns(*o.list, *o.selection, 0, c.fill, 2);
        const OverloadColumns end =
            overloadColumns(*o.list, *o.selection, kOverloadScrollMaximum, c.fill, 2);
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(!start[k][0].isEmpty(), c.shown[k]) << int(c.fill) << " record " << k;
        EXPECT_EQ(!end[7][0].isEmpty(), c.shown[4]) << int(c.fill);
        EXPECT_TRUE(end[6][6].isEmpty()) << int(c.fill); // an empty column has no text at all
    }
    EXPECT_EQ(overloadColumns(*o.list, *o.selection, 0, OverloadFill::Scrolling, 2)[1],
              (OverloadColumn{q("1"), q("01.02.20"), q("130"), q("5,67"), q("12,34"), q("2"),
                              q("Норма")}));
    const OverloadColumns past =
        overloadColumns(*o.list, *o.selection, 3196, OverloadFill::AfterOpening, 2);
    EXPECT_FALSE(past[3][0].isEmpty());
    EXPECT_TRUE(past[4][0].isEmpty()); // beyond the list
}
