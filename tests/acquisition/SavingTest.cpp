#include "AcquisitionTestSupport.h"
#include "core/common/Cp1251.h"

#include <QDir>

using namespace zurval;
using namespace zurval::testing;
using namespace zurval::filemap;

namespace {

ReceiveBuffer received() {
    ReceiveBuffer buffer;
    const std::vector<std::uint8_t> stream = deviceStream();
    std::copy(stream.begin(), stream.end(), buffer.data());
    return buffer;
}

// The operator dialog of the real window runs modally while the file is being written.
struct HookedDialog : ScriptedOperatorDialog {
    std::function<void()> whileOpen;
    bool ask(const std::optional<QString>& date, OperatorBlock& entered) override {
        whileOpen();
        return ScriptedOperatorDialog::ask(date, entered);
    }
};

} // namespace

TEST(SaveRecorderFile, OperatorTextsFillTheirFieldsAndTheFileEndsAfterTheLastOne) {
    const QString fifty(50, QChar('A'));
    struct Case {
        const char* name;
        OperatorBlock typed;
        qint64 size;
        std::array<QByteArray, 4> fields; // each field's bytes, zeros trimmed off the end
    };
    const Case cases[] = {
        {"all empty", {}, 270337, {}},
        {"only a 14-character date",
         {"", "", "", "08.12.06 14-05"},
         270501,
         {{"", "", "", "08.12.06 14-05"}}},
        {"exactly 50 bytes leave no zero",
         {fifty, "", "", ""},
         270387,
         {{fifty.toLatin1(), "", "", ""}}},
        {"a longer text is cut to its field",
         {fifty + "BCD", "", QString::fromUtf8("ООО «Кран»"), ""},
         270437 + 10,
         {{fifty.toLatin1(), "", toCp1251(QString::fromUtf8("ООО «Кран»")), ""}}},
        {"characters outside code page 1251 become '?'",
         {QString::fromUtf8("Müller ✓ Пётр"), "", "", ""},
         270337 + 13,
         {{toCp1251(QString::fromUtf8("M?ller ? Пётр")), "", "", ""}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CommandHarness h;
        h.dialog.typed = c.typed;
        h.prompts.queueFileName(h.path("x.vrl"));
        ASSERT_EQ(saveRecorderFile(h.context(), received(), TransferDevice::Vrl2, ""),
                  h.path("x.vrl"));
        const QByteArray file = readAll(h.path("x.vrl"));
        EXPECT_EQ(file.size(), c.size);
        EXPECT_TRUE(file.left(kCompleteTransfer) == bytesOf(deviceStream(), 0, kCompleteTransfer));
        QByteArray block(kOperatorFieldCount * kOperatorFieldSize, '\0');
        for (int i = 0; i < kOperatorFieldCount; ++i)
            block.replace(i * kOperatorFieldSize, c.fields[static_cast<std::size_t>(i)].size(),
                          c.fields[static_cast<std::size_t>(i)]);
        EXPECT_EQ(file.mid(kOperatorBlock), block.left(file.size() - kOperatorBlock));
    }
}

TEST(SaveRecorderFile, DialogClosedWithoutOkWritesTheWindowsTexts) {
    CommandHarness h;
    h.view.texts = {QString::fromUtf8("Иванов"), "77", "", ""};
    h.dialog.typed = {QString::fromUtf8("Петров"), "", "", ""};
    h.dialog.pressOk = false;
    h.prompts.queueFileName(h.path("x.vrl"));
    ASSERT_FALSE(saveRecorderFile(h.context(), received(), TransferDevice::Vrl2, "").isEmpty());
    EXPECT_EQ(h.view.texts.name, QString::fromUtf8("Иванов"));
    const QByteArray file = readAll(h.path("x.vrl"));
    EXPECT_EQ(file.size(), static_cast<qint64>(kOperatorBlock + kOperatorFieldSize + 2));
    EXPECT_EQ(readOperatorBlock(ByteReader(reinterpret_cast<const std::uint8_t*>(file.data()),
                                           static_cast<std::size_t>(file.size())))
                  .name,
              QString::fromUtf8("Иванов"));
}

TEST(SaveRecorderFile, Vrl3ProposesTheReadingDateAsNameAndInTheDialogVrl2Neither) {
    for (const TransferDevice device : {TransferDevice::Vrl2, TransferDevice::Vrl3}) {
        CommandHarness h;
        h.view.texts.readingDate = "08.12.06 14-05";
        h.dialog.typed.readingDate = "earlier";
        h.prompts.queueFileName(h.path("x.vrl"));
        ASSERT_FALSE(saveRecorderFile(h.context(), received(), device, "").isEmpty());

        ASSERT_EQ(h.prompts.fileDialogs().size(), 1u);
        const FileDialogRequest& r = h.prompts.fileDialogs()[0];
        EXPECT_EQ(r.folder, QDir(h.dir.path()).filePath("bin_prm"));
        EXPECT_EQ(r.filters, QStringList({QString::fromUtf8("Информация ЦРО (*.vrl)"),
                                          QString::fromUtf8("Все файлы (*.*)")}));
        EXPECT_EQ(r.defaultSuffix, "bin");
        const bool vrl3 = device == TransferDevice::Vrl3;
        EXPECT_EQ(r.fileName, vrl3 ? "08.12.06 14-05" : "");
        EXPECT_EQ(h.dialog.proposedDates,
                  std::vector<std::optional<QString>>(
                      {vrl3 ? std::optional<QString>("08.12.06 14-05") : std::nullopt}));
        EXPECT_EQ(h.view.texts.readingDate, vrl3 ? "08.12.06 14-05" : "earlier");
        EXPECT_EQ(h.view.statusTexts, QStringList({h.path("x.vrl")}));
    }
}

TEST(SaveRecorderFile, CancelledSaveDialogWritesNothingAndHidesTheBar) {
    CommandHarness h;
    h.view.progressVisible = true;
    EXPECT_EQ(saveRecorderFile(h.context(), received(), TransferDevice::Vrl2, ""), "");
    EXPECT_FALSE(h.view.progressVisible);
    EXPECT_TRUE(h.view.statusTexts.isEmpty());
    EXPECT_TRUE(h.dialog.proposedDates.empty());
    EXPECT_EQ(QDir(h.dir.path()).entryList(QDir::Files), QStringList());
}

TEST(SaveRecorderFile, AFileThatCannotBeWrittenIsReportedNamingWhereTheDataAre) {
    for (const QString& scratch : {QString("/data/temp.bin"), QString()}) {
        CommandHarness h;
        QFile notAFolder(h.path("plain"));
        ASSERT_TRUE(notAFolder.open(QIODevice::WriteOnly));
        notAFolder.close();
        const QString path = h.path("plain/x.vrl");
        h.prompts.queueFileName(path);
        EXPECT_EQ(saveRecorderFile(h.context(), received(), TransferDevice::Vrl2, scratch), "");
        ASSERT_EQ(h.prompts.shown().size(), 1u);
        EXPECT_EQ(h.prompts.shown()[0].kind, ScriptedPrompts::Kind::Error);
        EXPECT_TRUE(h.prompts.shown()[0].text.contains(path));
        EXPECT_EQ(h.prompts.shown()[0].text.contains("/data/temp.bin"), !scratch.isEmpty());
        EXPECT_TRUE(h.dialog.proposedDates.empty());
        // Panel 1 does not go on naming a file that does not exist.
        EXPECT_EQ(h.view.statusTexts.last(), QString::fromUtf8("Считывание успешно завершено!"));
    }
}

TEST(SaveRecorderFile, AnExistingFileIsReplacedOnlyOnceTheNewOneIsComplete) {
    CommandHarness h;
    HookedDialog dialog;
    const QString path = h.path("x.vrl");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old recording") > 0);
    old.close();
    dialog.whileOpen = [&] { EXPECT_EQ(readAll(path), "old recording"); };
    h.prompts.queueFileName(path);
    AcquisitionContext ctx{h.scripted, h.clock, h.prompts, h.view, dialog, h.dir.path()};
    ASSERT_EQ(saveRecorderFile(ctx, received(), TransferDevice::Vrl2, ""), path);
    EXPECT_EQ(readAll(path).size(), static_cast<qsizetype>(kDeviceDataLength));
}

TEST(VerifyReceivedImage, ChecksTheDataWrittenToTempBinOrTheBufferWhenItCannotBeWritten) {
    CommandHarness h;
    ReceiveBuffer buffer = received();
    const ImageCheck check = verifyReceivedImage(h.context(), buffer, 27000);
    EXPECT_TRUE(check.intact);
    EXPECT_EQ(check.scratchPath, h.path("temp.bin"));
    EXPECT_TRUE(readAll(h.path("temp.bin")) ==
                bytesOf(deviceStream(), 0, kCompleteTransfer) + QByteArray(1, '\0'));

    buffer.data()[100] ^= 1;
    AcquisitionContext noFolder = h.context();
    noFolder.folder = h.path("temp.bin"); // a file, so nothing can be written in it
    const ImageCheck unwritten = verifyReceivedImage(noFolder, buffer, 27000);
    EXPECT_FALSE(unwritten.intact);
    EXPECT_EQ(unwritten.scratchPath, "");
}
