#include "AppTestSupport.h"
#include "OpenPath.h"
#include "SampleRecording.h"
#include "core/protection/ProtectionSettings.h"
#include "widgets/common/ControlColours.h"
#include "widgets/common/PanelStatusBar.h"
#include "widgets/common/StringGrid.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace zurval;
using namespace zurval::testing;
using namespace zurval::filemap;

// Recordings from damaged memories, broken transfers and copies of copies: each opens to the
// end, tells the user what the checks found and shows what the bytes hold.

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true; // its quarantine holds freed memory back
#else
constexpr bool kAddressSanitizer = false;
#endif

// What the user sees of an open.
struct Seen {
    int messages = 0;     // message boxes, one after the other
    bool grey = false;    // the status bar
    int version = 0;      // panel 2
    int listingLines = 0; // RE_Param; none for an unknown layout
    QString craneNumber;  // Edit_NKr
    QString newestWind;   // the browser's last column is the newest frame

    bool operator==(const Seen& o) const {
        return messages == o.messages && grey == o.grey && version == o.version &&
               listingLines == o.listingLines && craneNumber == o.craneNumber &&
               newestWind == o.newestWind;
    }
};

std::ostream& operator<<(std::ostream& os, const Seen& s) {
    return os << s.messages << " messages, " << (s.grey ? "grey" : "button face") << ", version "
              << s.version << ", " << s.listingLines << " listing lines, crane "
              << s.craneNumber.toStdString() << ", newest wind " << s.newestWind.toStdString();
}

struct HostileFiles : WindowFixture {
    Seen seen() const {
        const QString panel = window->findChild<PanelStatusBar*>("StatusBar_Main")->panelText(2);
        const QString listing = find<QPlainTextEdit>("RE_Param")->toPlainText();
        return {static_cast<int>(prompts.shown().size()),
                window->findChild<PanelStatusBar*>("StatusBar_Main")
                        ->property("zurvalBackground")
                        .value<QColor>() == colours::Gray,
                panel.section(' ', -1).toInt(),
                listing.isEmpty() ? 0 : static_cast<int>(listing.split('\n').size()),
                text("Edit_NKr"),
                find<StringGrid>("StringGrid_O_Otb")->cellText(2, 1)};
    }
    Seen open(const QString& path) {
        prompts.clear();
        EXPECT_TRUE(window->openFile(path)) << path;
        return seen();
    }
    // Lines shown by an edit, a label or the listing.
    QStringList shownLines(const char* name) const {
        if (auto* e = window->findChild<QPlainTextEdit*>(QString::fromLatin1(name)))
            return e->toPlainText().split('\n');
        return {text(name)};
    }
};

RecordingBuilder filled(std::size_t size, std::uint8_t byte) {
    RecordingBuilder b;
    b.resize(size).fill(0, size, byte);
    return b;
}

RecordingBuilder sampleCutTo(std::size_t size) {
    return makeSampleRecording().resize(size);
}

} // namespace

TEST_F(HostileFiles, EachOpensAndShowsWhatItHolds) {
    const std::size_t sampleSize = makeSampleRecording().bytes().size();
    struct Row {
        const char* name;
        std::function<RecordingBuilder()> file;
        Seen seen;
        std::vector<std::pair<const char*, const char*>> lines; // control, a line it shows
    };
    const std::vector<Row> rows = {
        // No frame: the estimate stays 150, so all twelve bank blocks are reported; a sum of
        // zero equals the stored zero.
        {"empty", [] { return RecordingBuilder().resize(0); }, {12, false, 0, 47, "0", "0,00"}, {}},
        {"1 byte", [] { return filled(1, 0x01); }, {12, true, 0, 47, "1", "0,00"}, {}},
        // The summed bytes are all there, the stored sum is not.
        {"image less one byte",
         [] { return sampleCutTo(kImageSize - 1); },
         {0, true, 2, 55, "1287", "9,50"},
         {{"Edit_Name", ""}}},
        {"image", [] { return sampleCutTo(kImageSize); }, {0, true, 2, 55, "1287", "9,50"}, {}},
        {"image and device data",
         [] { return sampleCutTo(kOperatorBlock); },
         {0, false, 2, 55, "1287", "9,50"},
         {{"Edit_Name", ""}, {"Edit_DataSch", ""}}},
        {"3 MB random",
         [] {
             RecordingBuilder b;
             b.resize(3 * 1024 * 1024);
             QRandomGenerator rng(42);
             for (auto& byte : b.bytes())
                 byte = static_cast<std::uint8_t>(rng.generate());
             return b;
         },
         {13, true, 111, 0, "-1999", "-1469,20"},
         {}},
        // Marks of 0xFF never end the scan: the estimate is 255. Layout -1 lists nothing.
        {"all 0xFF",
         [=] { return filled(sampleSize, 0xFF); },
         {12, true, -1, 0, "-1", "-0,10"},
         {{"Label_Col_Boom", "0"}, {"Edit_TimeAll", "279620:15:00"}}},
        {"all 0x00", [=] { return filled(sampleSize, 0x00); }, {0, false, 0, 47, "0", "0,00"}, {}},
        {"counts of 0xFFFF",
         [] {
             RecordingBuilder b = makeSampleRecording();
             for (const ZoneLayout& zone : kZoneLayouts)
                 b.u16le(zone.start, 0xFFFF);
             for (const std::size_t bank : {kBank0, kBank1})
                 for (int k = 0; k < kLoadRangeCount; ++k)
                     b.u24le(bank + bankmap::kWorkingCycles + 3 * std::size_t(k), 0xFFFFFF);
             return b.fixAllChecksums(2);
         },
         {0, false, 2, 55, "1287", "9,50"},
         {{"Label_Col_Boom", "0"},
          {"Label_Col_Area1", "0"},
          {"Edit_N_10", "16777215"},
          {"Label_KIspU", "U9"}}},
        {"NaN floats",
         [] {
             RecordingBuilder b = makeSampleRecording();
             const float nan = std::numeric_limits<float>::quiet_NaN();
             b.f32le(0x4000C, nan).f32le(0x40010, nan); // Mo, Qo
             b.f32le(kBank0 + bankmap::kCharacteristicNumber, nan);
             b.f32le(kBank1 + bankmap::kCharacteristicNumber, nan);
             return b.fixAllChecksums(2);
         },
         {0, false, 2, 55, "1287", "9,50"},
         {{"RE_Param", "Mo = NAN"},
          {"RE_Param", "Qo = NAN"},
          {"Edit_HarCh", "NAN"},
          {"Label_KNag", "NAN"},
          {"Label_RezhQ", "Q4"}}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(open(write(row.file(), QString::fromLatin1(row.name) + ".vrl")), row.seen)
            << row.name;
        for (const auto& [control, line] : row.lines)
            EXPECT_TRUE(shownLines(control).contains(QString::fromUtf8(line)))
                << row.name << ": " << control << " " << shownLines(control).join('|');
    }
}

namespace {

// Bytes this process has read from files so far.
std::uint64_t bytesRead() {
    std::ifstream io("/proc/self/io");
    std::string key;
    std::uint64_t value = 0;
    while (io >> key >> value)
        if (key == "rchar:")
            return value;
    return 0;
}

// The sample followed by a hole up to 2 GiB: made in an instant, it takes no disk space.
QString writeSparseSample(const QString& path) {
    EXPECT_TRUE(makeSampleRecording().write(path));
    QFile file(path);
    EXPECT_TRUE(file.resize(qint64{2} << 30));
    return path;
}

} // namespace

TEST_F(HostileFiles, TwoGigabyteFileOpensAsItsMapAndIsReadNoFurther) {
    const Seen sample = open(write(makeSampleRecording()));
    const QString sparse = writeSparseSample(dir.filePath("sparse.vrl"));
    const std::uint64_t before = bytesRead();
    EXPECT_EQ(open(sparse), sample);
    EXPECT_LT(bytesRead() - before, 2 * kMapEnd);
    EXPECT_EQ(text("Edit_Name"), QString::fromUtf8("Сидоренко А. В."));
}

TEST_F(HostileFiles, NamedPipesAndDevicesAreNoRecordings) {
    // Reading a pipe that nobody writes to would wait for ever.
    const QString pipe = dir.filePath("pipe.vrl");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    for (const QString& path : {pipe, QStringLiteral("/dev/zero")}) {
        prompts.clear();
        EXPECT_FALSE(window->openFile(path)) << path;
        EXPECT_EQ(prompts.texts(), QStringList({QString::fromUtf8("\n Файл не удальсь открыть!")}));
    }
}

TEST_F(HostileFiles, WritePointerAnywhereFallsBackToTheLastRecordMark) {
    // Slot 100 carries the last-record mark, slot 200 the date mark the pointer may name;
    // each slot's wind tells it in the browser.
    RecordingBuilder b = intactRecording();
    FrameSlot marked;
    marked.wind = 100;
    marked.mark = kLastRecordMark;
    b.frame(100, marked);
    FrameSlot dated;
    dated.wind = 200;
    dated.mark = kDateFrameMarkAlt;
    b.frame(200, dated);
    const auto slotAfter = [](std::uint32_t slot) {
        return static_cast<std::uint32_t>(kFrames + kFrameSize * (slot + 1));
    };
    const std::vector<std::pair<std::uint32_t, const char*>> pointers = {
        {slotAfter(200), "20,00"}, // names a date frame: taken
        {slotAfter(100), "10,00"},
        {slotAfter(50), "10,00"}, // an unmarked slot
        {0, "10,00"},
        {0x7FFF, "10,00"},
        {kFrames, "10,00"}, // slot -1
        {slotAfter(kFrameCount), "10,00"},
        {0x7FFFFFFF, "10,00"},
        {0x80000000, "10,00"},
        {0xFFFFFFFF, "10,00"},
    };
    for (const auto& [pointer, newestWind] : pointers) {
        b.framePointer(pointer).fixAllChecksums(2);
        const Seen seen = open(write(b));
        EXPECT_EQ(seen.messages, 0) << pointer;
        EXPECT_EQ(seen.newestWind, newestWind) << pointer;
    }
    // Copies that disagree are both ignored.
    b.framePointer(slotAfter(200)).u32le(kFramePointerComplement, ~slotAfter(100));
    EXPECT_EQ(open(write(b.fixAllChecksums(2))).newestWind, "10,00");
}

TEST_F(HostileFiles, EveryVersionByteOpens) {
    const int listingLines[] = {47, 56, 55, 55}; // layouts 0 to 3; the others list nothing
    for (int byte = 0; byte <= 255; ++byte) {
        RecordingBuilder b = intactRecording();
        const auto v = static_cast<std::uint8_t>(byte);
        b.u8(kBank0 + bankmap::kVersion, v).u8(kBank1 + bankmap::kVersion, v);
        const int version = static_cast<std::int8_t>(v); // the version byte is signed
        b.fixAllChecksums(version);
        const int lines = version >= 0 && version <= 3 ? listingLines[version] : 0;
        EXPECT_EQ(open(write(b)), (Seen{0, false, version, lines, "0", "0,00"})) << byte;
    }
}

namespace {

std::int64_t residentBytes() {
    std::ifstream statm("/proc/self/statm");
    std::int64_t size = 0, resident = 0;
    statm >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

} // namespace

TEST_F(HostileFiles, TwoHundredOpensInARowKeepTheResidentMemoryFlat) {
    QStringList files;
    for (int version = 0; version <= 3; ++version) {
        RecordingBuilder b = makeSampleRecording();
        const auto v = static_cast<std::uint8_t>(version);
        b.u8(kBank0 + bankmap::kVersion, v).u8(kBank1 + bankmap::kVersion, v);
        files << write(b.fixAllChecksums(version), QStringLiteral("layout-%1.vrl").arg(version));
        files << write(sampleCutTo(kFrames + 1000 * std::size_t(version + 1)),
                       QStringLiteral("cut-%1.vrl").arg(version));
    }
    files << write(filled(kMapEnd, 0xFF), "erased.vrl");
    // The first opens fill what Qt and the pages keep from then on (fonts, chart buffers).
    for (const QString& file : files)
        open(file);
    const std::int64_t before = residentBytes();
    for (int i = 0; i < 200; ++i)
        ASSERT_TRUE(window->openFile(files[i % files.size()]));
    // An open allocates megabytes (frame texts, chart points, pictures): forgetting a tenth
    // of a megabyte each time would already add up to 20 MB. The sanitizer holds freed
    // memory back for a while; there LeakSanitizer checks at the end instead.
    if (!kAddressSanitizer) {
        EXPECT_LT(residentBytes() - before, std::int64_t{16} << 20);
    }
}

namespace {

// Peak resident memory of `zurval --dump-state file`, in kilobytes; -1 when it failed.
long dumpPeakKilobytes(const QString& file) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    QByteArray binary(ZURVAL_BINARY), option("--dump-state"), path = file.toLocal8Bit();
    char* argv[] = {binary.data(), option.data(), path.data(), nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, binary.constData(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return usage.ru_maxrss;
}

} // namespace

TEST(HostileFileDump, TwoGigabyteFileTakesNoMoreMemoryThanTheSample) {
    const QTemporaryDir dir;
    const QString samplePath = dir.filePath("sample.vrl");
    ASSERT_TRUE(makeSampleRecording().write(samplePath));
    const long sample = dumpPeakKilobytes(samplePath);
    const long sparse = dumpPeakKilobytes(writeSparseSample(dir.filePath("sparse.vrl")));
    ASSERT_GT(sample, 0);
    ASSERT_GT(sparse, 0);
    EXPECT_LE(std::abs(sparse - sample), sample / 10) << sample << " KB and " << sparse << " KB";
}

// Inputs that once crashed or hung the open command, kept small in tests/data/, and a few
// made here, run through everything the fuzzer runs, the four reports printed included.
TEST_F(HostileFiles, StoredInputsRunThroughTheWholeOpenPath) {
    const QDir data(QStringLiteral(ZURVAL_TEST_DATA));
    const auto document = std::make_unique<RecorderDocument>();
    for (const QByteArray& bytes : {QByteArray(), QByteArray(300, '\xFF'),
                                    QByteArray(kMapEnd, '\xFF'), QByteArray(kMapEnd, '\x01')}) {
        const OpenPathRun run = runOpenPath(
            reinterpret_cast<const std::uint8_t*>(bytes.constData()), bytes.size(), *document);
        // A page of the card, the scheme and the listing at least; the overloads table is
        // refused when an erased record's date FF.FF.FF is no calendar date.
        EXPECT_GE(run.reportPages, 3) << bytes.size();
    }
    for (const QString& name : data.entryList({QStringLiteral("*.vrl")}, QDir::Files)) {
        QFile file(data.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        const QByteArray bytes = file.readAll();
        const OpenPathRun run = runOpenPath(
            reinterpret_cast<const std::uint8_t*>(bytes.constData()), bytes.size(), *document);
        EXPECT_EQ(run.oldestPicture.size(), kProtectionPictureArea) << name;
        EXPECT_EQ(run.chosenPicture.size(), kProtectionPictureArea) << name;
        prompts.clear();
        EXPECT_TRUE(window->openFile(data.filePath(name))) << name;
    }
}
