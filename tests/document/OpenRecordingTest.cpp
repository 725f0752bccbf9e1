#include "FileMap.h"
#include "OpenRecording.h"
#include "RecordingBuilder.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

using namespace zurval;
using namespace zurval::filemap;

namespace {

// One line per notice, in the order the user meets them.
QStringList describe(const OpenOutcome& outcome) {
    QStringList out;
    for (const OpenNotice& n : outcome.notices) {
        if (const auto* m = std::get_if<notice::Message>(&n))
            out << "message: " + m->text;
        else if (const auto* c = std::get_if<notice::ImageChecked>(&n))
            out << (c->intact ? "image intact" : "image damaged");
        else if (const auto* v = std::get_if<notice::VersionShown>(&n))
            out << versionPanelText(v->recorderVersion);
        else if (const auto* b = std::get_if<notice::BankChosen>(&n))
            out << QString("bank %1").arg(b->bank);
    }
    return out;
}

struct OpenRecording : ::testing::Test {
    QTemporaryDir dir;
    std::unique_ptr<RecorderDocument> document = std::make_unique<RecorderDocument>();

    OpenOutcome open(const RecordingBuilder& b) {
        const QString path = dir.filePath("test.vrl");
        EXPECT_TRUE(b.write(path));
        return openRecording(path, *document);
    }
};

} // namespace

TEST_F(OpenRecording, TellsTheUserEverythingInTheOrderItHappens) {
    RecordingBuilder b;
    b.frameMark(0, 2).u8(kBank0 + 4, 1).u8(kBank1 + 4, 3).u24le(kBank1 + 0x9C, 10);
    b.u8(kOverloads + 9, kLastRecordMark).u8(kOverloads + 10 * 7 + 9, kLastRecordMark);
    b.fixAllChecksums(3).breakBlock(kBank1 + 135, 20).breakBlock(kBank1 + 0, 43);
    b.breakBlock(0x40002, 18).breakImageSum(); // PAR_KRAN's gruz
    const OpenOutcome outcome = open(b);
    ASSERT_TRUE(outcome.opened);
    EXPECT_EQ(describe(outcome),
              QStringList({"image damaged", QString::fromUtf8("Версия ЦРО: 2"),
                           QString::fromUtf8("message: Ошибка контольной суммы идентификации в "
                                             "Банке-1!"),
                           QString::fromUtf8("message: Ошибка контольной суммы время работы "
                                             "механизмов в Банке-1!"),
                           "bank 1", QString::fromUtf8("Версия ЦРО: 3"),
                           QString::fromUtf8("message: Ошибка контольной суммы структуры \"gruz\""),
                           QString::fromUtf8("message: Найдено несколько меток последней записи!")}));
    EXPECT_EQ(document->recorderVersion, 3);
}

TEST_F(OpenRecording, VersionZeroEstimateHidesBankMessages) {
    RecordingBuilder b; // all zero: every bank block fails, estimate 0, the sum holds
    EXPECT_EQ(describe(open(b)), QStringList({"image intact", QString::fromUtf8("Версия ЦРО: 0"),
                                              "bank 0", QString::fromUtf8("Версия ЦРО: 0")}));
}

TEST_F(OpenRecording, HostileFilesOpenWithoutACrash) {
    // Empty and 1-byte files: the scan finds no frame, so the estimate stays 150 and all
    // twelve bank blocks fail.
    for (const std::size_t size : {std::size_t{0}, std::size_t{1}}) {
        RecordingBuilder b;
        b.resize(size);
        const QStringList told = describe(open(b));
        EXPECT_EQ(told.filter("message: ").size(), 12) << size;
        EXPECT_EQ(told.last(), QString::fromUtf8("Версия ЦРО: 0"));
    }
    RecordingBuilder random;
    random.resize(3 * 1024 * 1024);
    QRandomGenerator rng(42);
    for (auto& byte : random.bytes())
        byte = static_cast<std::uint8_t>(rng.generate());
    const QStringList told = describe(open(random));
    // At most one message per check: 12 bank blocks, 4 of PAR_KRAN, PROTECT, the overload marks.
    EXPECT_LE(told.filter("message: ").size(), 18);
    EXPECT_EQ(told.first(), "image damaged");
}

TEST_F(OpenRecording, FilesThatCannotBeReadLeaveTheDocumentAlone) {
    RecordingBuilder b;
    b.frameMark(0, 2).u8(kBank0 + 4, 2).fixAllChecksums(2);
    ASSERT_TRUE(open(b).opened);
    for (const QString& path : {dir.filePath("absent.vrl"), dir.path(), QString()}) {
        const OpenOutcome outcome = openRecording(path, *document);
        EXPECT_FALSE(outcome.opened) << path.toStdString();
        EXPECT_TRUE(outcome.notices.empty());
    }
    EXPECT_EQ(document->recorderVersion, 2);
}

TEST_F(OpenRecording, ABankCommandReplacesOnlyTheShownBankTexts) {
    RecordingBuilder b;
    b.frameMark(0, 2).u8(kBank0 + 4, 2).u8(kBank1 + 4, 2).u16le(kBank1, 777);
    b.u24le(kBank0 + 0x31, 50).u24le(kBank1 + 0x31, 40).fixBankChecksums().fixImageSum();
    ASSERT_TRUE(open(b).opened);
    const DutyClassification duty = document->duty;
    ASSERT_TRUE(showSingleBank(dir.filePath("test.vrl"), 1, *document));
    EXPECT_EQ(document->service.texts.craneNumber, "777");
    EXPECT_EQ(document->service.texts.workingCycles[0], "40");
    EXPECT_EQ(document->service.texts.programVersion, "0.0"); // no version after a bank command
    EXPECT_EQ(document->duty.gaugePercent, duty.gaugePercent);
    EXPECT_EQ(document->recorderVersion, 2);
    EXPECT_FALSE(showSingleBank(dir.filePath("absent.vrl"), 0, *document));
    EXPECT_EQ(document->service.texts.craneNumber, "777");

    document->clearDecoded();
    EXPECT_EQ(document->service.texts.craneNumber, "");
    EXPECT_EQ(document->recorderVersion, 0);
}
