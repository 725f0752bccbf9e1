#include "core/export/ListExport.h"
#include "RecordingBuilder.h"
#include "core/document/OpenRecording.h"
#include "core/recorder/FileMap.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

using namespace zurval;
using namespace zurval::filemap;

namespace {

struct ListExport : ::testing::Test {
    QTemporaryDir dir;
    std::unique_ptr<RecorderDocument> document = std::make_unique<RecorderDocument>();

    void open(RecordingBuilder& b) {
        b.fixAllChecksums(2);
        ASSERT_TRUE(b.write(dir.filePath("t.vrl")));
        ASSERT_TRUE(openRecording(dir.filePath("t.vrl"), *document).opened);
    }
};

} // namespace

TEST_F(ListExport, FramesKeepTheirTimeAsADateAndWholeTemperatureWhateverTheRadius) {
    RecordingBuilder b;
    FrameSlot date;
    date.dateTime = {0x15, 0x03, 0x26};
    date.mark = kDateFrameMark;
    FrameSlot parked; // the browser shows no time for a radius of exactly 0 when scrolling
    parked.temperature = -7;
    parked.dateTime = {0x40, 0x56, 0x11};
    parked.inputs = 0xA017;
    parked.mark = 2;
    b.frame(0, date).frame(1, parked).frameMark(2, kLastRecordMark);
    b.u8(kBank0 + 4, 2).u8(kBank1 + 4, 2);
    open(b);
    // Slot 2 is the newest, at 7167; slots 0 and 1 come just before it.
    const CsvTable table = listTable(document->cyclic, ExportedList::Frames, {7165, 7166});
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.header.value(1), QStringLiteral("Ветер м/с"));
    EXPECT_EQ(table.rows[0].value(14), QStringLiteral("15.03.2026"));
    EXPECT_EQ(table.rows[1].value(5), QStringLiteral("-7"));
    EXPECT_EQ(table.rows[1].value(9), QStringLiteral("1010 0000 0001 0111"));
    EXPECT_EQ(table.rows[1].value(14), QStringLiteral("15.03.2026 11:56:40"));
}

TEST_F(ListExport, OverloadsLeaveTheEmptySlotsOfTheRingOutInEitherStyle) {
    RecordingBuilder b;
    b.overload(3, {1250, 800, 131, {0x02, 0x01, 0x26}, 2});
    b.overload(4, {1300, 800, 0, {}, 2}); // empty, though marked
    b.overload(5, {1400, 790, 122, {0x03, 0x01, 0x26}, kLastRecordMark});
    b.u8(kBank0 + 4, 2).u8(kBank1 + 4, 2).frameMark(0, 2);
    open(b);
    const CsvTable table = listTable(document->cyclic, ExportedList::Overloads);
    EXPECT_EQ(table.header,
              QStringList({"Номер кадра", "Дата", "Процент загрузки %", "Пасп. грузоподъемность т.",
                           "Вылет м.", "Метка записи", "Контрольная сумма"}));
    // Record 5 is the newest, at 3199; record 3 lands at 3197.
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[0],
              QStringList({"3197", "02.01.2026", "131", "8,00", "12,50", "2", "Норма"}));
    EXPECT_EQ(table.rows[1].value(0), QStringLiteral("3199"));
    EXPECT_EQ(listTable(document->cyclic, ExportedList::Overloads, CsvStyle::Point).rows[0],
              QStringList({"3197", "2026-01-02", "131", "8.00", "12.50", "2", "Норма"}));
}
