#include "core/recorder/Opening.h"
#include "RecordingBuilder.h"
#include "core/recorder/Checksums.h"
#include "core/recorder/FileMap.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zurval;
using namespace zurval::filemap;

namespace {
int estimateOf(const RecordingBuilder& b) {
    return scanRecorderVersion(ByteReader(b.bytes()));
}
} // namespace

TEST(ScanRecorderVersion, SkipsDateAndNewestMarks) {
    RecordingBuilder b;
    b.frameMark(0, 0xA0).frameMark(1, 0x91).frameMark(2, 0xAF).frameMark(3, 2).frameMark(4, 1);
    EXPECT_EQ(estimateOf(b), 2);
}

TEST(ScanRecorderVersion, MarksAboveThreeAreOnlyPassedOver) {
    RecordingBuilder b;
    b.fill(kFrames, kFrameCount * kFrameSize, 0xFF).frameMark(0, 0xFF).frameMark(1, 1);
    EXPECT_EQ(estimateOf(b), 1);
    b.frameMark(1, 4).frameMark(2, 3).frameMark(3, 1); // three is a version: the scan stops
    EXPECT_EQ(estimateOf(b), 3);
}

TEST(ScanRecorderVersion, StopsAtTheEndOfTheDataKeepingTheLastMarkSeen) {
    RecordingBuilder b;
    b.resize(kFrames + 3 * kFrameSize + 10); // three whole slots, then a stub
    b.frameMark(0, 0xFF).frameMark(1, 0xA0).frameMark(2, 0x50);
    EXPECT_EQ(estimateOf(b), 0x50);
    b.frameMark(2, 0x91); // a date mark in the last slot is passed over like any other
    EXPECT_EQ(estimateOf(b), 0xFF);
    EXPECT_EQ(scanRecorderVersion(ByteReader()), 150);
    // Past the frame ring the scan reads on into the rest of the file.
    RecordingBuilder erased;
    erased.fill(kFrames, kFrameCount * kFrameSize, 0xFF);
    EXPECT_EQ(estimateOf(erased), 0); // the zero bytes after the ring qualify
}

TEST(OpeningChecks, ReportsFailedBankBlocksInOrderOnlyAboveVersionZero) {
    RecordingBuilder b;
    b.frameMark(0, 2).fixBankChecksums().breakBlock(176 + 92, 42).breakBlock(176, 43);
    const OpeningChecks c = runOpeningChecks(ByteReader(b.bytes()));
    EXPECT_EQ(c.versionEstimate, 2);
    EXPECT_EQ(c.bankMessages,
              QStringList(
                  {QString::fromUtf8("Ошибка контольной суммы идентификации в Банке-1!"),
                   QString::fromUtf8("Ошибка контольной суммы относительных циклов в Банке-1!")}));

    RecordingBuilder zeroVersion; // every bank block is damaged, estimate 0
    EXPECT_TRUE(runOpeningChecks(ByteReader(zeroVersion.bytes())).bankMessages.isEmpty());
}

TEST(OpeningChecks, EmptyDataGivesTwelveMessagesAndAnIntactImage) {
    const OpeningChecks c = runOpeningChecks(ByteReader());
    EXPECT_TRUE(c.imageIntact);
    EXPECT_EQ(c.versionEstimate, 150);
    EXPECT_EQ(c.bankMessages.size(), 12);
    EXPECT_TRUE(c.operatorBlock.name.isEmpty());
}

TEST(OperatorBlock, FieldsEndAtZeroOrAfterFiftyBytes) {
    RecordingBuilder b;
    b.operatorBlock(QString::fromUtf8("Петров"), "", "", QString(50, QChar('7')));
    b.fill(kOperatorBlock + kOperatorFieldSize, 2 * kOperatorFieldSize, 0); // pad to field 3
    const OperatorBlock op = readOperatorBlock(ByteReader(b.bytes()));
    EXPECT_EQ(op.name, QString::fromUtf8("Петров"));
    EXPECT_EQ(op.certificate, "");
    EXPECT_EQ(op.readingDate, QString(50, QChar('7')));

    RecordingBuilder noText; // the file ends right after the device data
    EXPECT_EQ(noText.bytes().size(), kOperatorBlock);
    const OperatorBlock empty = readOperatorBlock(ByteReader(noText.bytes()));
    EXPECT_TRUE(empty.name.isEmpty() && empty.certificate.isEmpty() &&
                empty.organisation.isEmpty() && empty.readingDate.isEmpty());
}

TEST(RecorderFile, ReadsNoFurtherThanTheMap) {
    QTemporaryDir dir;
    const QString path = dir.filePath("long.vrl");
    RecordingBuilder b;
    b.resize(kMapEnd + 1'000'000).u8(kMapEnd - 1, 0x42);
    ASSERT_TRUE(b.write(path));
    const auto file = readRecorderFile(path);
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(file->bytes.size(), kMapEnd);
    EXPECT_EQ(file->fileSize, kMapEnd + 1'000'000);
    EXPECT_EQ(file->reader().u8(kMapEnd - 1), 0x42);
}

TEST(RecorderFile, CannotOpenMissingFoldersOrNoNameAndSaysWhy) {
    QTemporaryDir dir;
    const struct {
        QString path;
        QString why;
    } refused[] = {
        {"", "no file name"},
        {dir.path(), "not a regular file"},
        {dir.filePath("absent.vrl"), "cannot open: No such file or directory"},
    };
    for (const auto& r : refused) {
        QString why;
        EXPECT_FALSE(readRecorderFile(r.path, &why).has_value()) << r.path.toStdString();
        EXPECT_EQ(why, r.why);
    }
    QFile empty(dir.filePath("empty.vrl"));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    const auto file = readRecorderFile(empty.fileName());
    ASSERT_TRUE(file.has_value());
    EXPECT_TRUE(file->bytes.empty());
}
