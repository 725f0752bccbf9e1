#include "core/document/OpenRecording.h"
#include "RecordingBuilder.h"
#include "core/document/RecorderSession.h"
#include "core/recorder/FileMap.h"

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
    EXPECT_EQ(
        describe(outcome),
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

// The session holds what the pages show: the texts made at opening, the defaults the
// clearing puts back and the fields a bank command replaces.
TEST_F(OpenRecording, TheSessionShowsWhatTheCommandsLeave) {
    RecordingBuilder b;
    b.frameMark(0, 2).u8(kBank0 + 4, 2).u8(kBank1 + 4, 2).u16le(kBank1, 777);
    b.u24le(kBank0 + 0x31, 50).u24le(kBank1 + 0x31, 40).fixBankChecksums().fixImageSum();
    b.operatorBlock("Петров", "12", "ООО", "01.02.2026");
    const QString path = dir.filePath("test.vrl");
    ASSERT_TRUE(b.write(path));

    RecorderSession session;
    EXPECT_FALSE(session.loaded());
    EXPECT_EQ(session.texts().service.craneModel, "Неизвестно");
    QStringList told;
    ASSERT_TRUE(session.open(path, [&](const OpenNotice&) { told << "notice"; }));
    EXPECT_FALSE(told.isEmpty());
    EXPECT_TRUE(session.loaded());
    EXPECT_EQ(session.shownBank(), 0);
    EXPECT_EQ(session.texts().operatorTexts.name, "Петров");
    EXPECT_EQ(session.texts().service.workingCycles[0], "50");
    const QString normative = session.texts().duty.normativeCharacteristicNumber;

    ASSERT_TRUE(session.showBank(1));
    EXPECT_EQ(session.shownBank(), 1);
    EXPECT_EQ(session.texts().service.craneNumber, "777");
    EXPECT_EQ(session.texts().service.workingCycles[0], "40");
    EXPECT_EQ(session.texts().service.programVersion, "0.0"); // no version after a bank command
    EXPECT_EQ(session.texts().operatorTexts.name, "Петров");
    EXPECT_EQ(session.document().service.selected.craneNumber, 0); // the decoded bank stays

    session.setFileName(dir.filePath("absent.vrl"));
    EXPECT_FALSE(session.showBank(0));
    EXPECT_EQ(session.shownBank(), 1);
    EXPECT_FALSE(session.load([](const OpenNotice&) { FAIL(); }));

    session.setShownFrame("12");
    session.clear();
    EXPECT_TRUE(session.loaded()); // the mark outlives the clearing
    EXPECT_EQ(session.fileName(), dir.filePath("absent.vrl"));
    EXPECT_EQ(session.texts().service.craneNumber, "0000000");
    EXPECT_EQ(session.texts().service.workingCycles[0], "1");
    EXPECT_EQ(session.texts().operatorTexts.name, "Неизвестно");
    EXPECT_EQ(session.texts().duty.classU, "U1");
    EXPECT_EQ(session.texts().duty.normativeCharacteristicNumber, normative); // only opening
    EXPECT_EQ(session.texts().shownFrame, "0");
    EXPECT_EQ(session.document().recorderVersion, 2); // the decoded tables outlive it
}
