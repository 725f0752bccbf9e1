#include "core/export/FleetSummary.h"
#include "CsvReading.h"
#include "FleetReadings.h"
#include "RecordingBuilder.h"
#include "automation/ExportCommands.h"
#include "automation/ReportCommand.h"
#include "core/recorder/Checksums.h"
#include "core/recorder/FileMap.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace zurval;
using namespace zurval::filemap;
using namespace zurval::testing;

namespace {

const Reading kCraneAJanuary = {"КБ-403", 101,          "РП-0001", 3,          12.5f,
                                15999,    {5, 3, 1, 0}, 1000,      {110, 130}, "10.01.2026"};
const Reading kCraneAFebruary = {
    "КБ-403",         101, "РП-0001", 3, 12.5f, 15999, {8, 3, 2, 1}, 1500, {110, 130, 105, 140},
    "15.02.2026 утро"};
const Reading kCraneBMarch = {"КБМ-401П", 7,  "РП-0002", 4,  0.1f,
                              40000,      {}, 300,       {}, "01.03.26 14-05"};
const Reading kCraneBApril = {"КБМ-401П", 7,  "РП-0002", 4,  0.1f,
                              40000,      {}, 420,       {}, "01.04.26 09-30"};
const Reading kCraneC = {"КС-55713", 3, "РП-0003", 0, 0, 0, {}, 0, {}, "20.05.2026"};

// A folder as a service company keeps it: subfolders, Cyrillic names with spaces, a damaged
// and a cut-off reading, and what else lands in such folders.
struct FleetFolder : ::testing::Test {
    QTemporaryDir dir;

    void write(const RecordingBuilder& b, const QString& name) {
        QDir(dir.path()).mkpath(QFileInfo(name).path());
        ASSERT_TRUE(b.write(dir.filePath(name)));
    }
    void SetUp() override {
        write(reading(kCraneAJanuary), QStringLiteral("2025/КБ-403 январь.vrl"));
        write(reading(kCraneAFebruary), QStringLiteral("2026/февраль/КБ-403.vrl"));
        write(reading(kCraneBMarch), QStringLiteral("КБМ/первое.vrl"));
        RecordingBuilder damaged = reading(kCraneBApril);
        damaged.breakBlock(kBank1 + bankmap::kWorkingCycles, 42).fixImageSum();
        write(damaged, QStringLiteral("КБМ/второе.VRL"));
        write(reading(kCraneC).resize(200000), QStringLiteral("обрезанный.vrl"));
        QFile notes(dir.filePath(QStringLiteral("заметки.vrl")));
        ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
        notes.write("Кран 101: заменить канат\n");
        notes.close();
        QFile::copy(dir.filePath(QStringLiteral("заметки.vrl")), dir.filePath("readme.txt"));
        ASSERT_TRUE(QFile::link(dir.filePath("nowhere.vrl"), dir.filePath("lost.vrl")));
        ASSERT_TRUE(QFile::link(dir.path(), dir.filePath(QStringLiteral("КБМ/назад"))));
        ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("pipe.vrl")).constData(), 0600), 0);
    }
};

} // namespace

TEST_F(FleetFolder, GivesOneRowPerRecordingByCraneAndReadingDateWithWhatEachReadingAdded) {
    const std::vector<RecordingSummary> rows = summarizeFolder(dir.path(), 2);
    const CsvTable table = summaryTable(rows, dir.path());
    const QString noGrowth[] = {"", "", "", "", "", ""};
    auto row = [&](QStringList cells, const QStringList& growth, QStringList end) {
        return cells +
               (growth.isEmpty() ? QStringList(std::begin(noGrowth), std::end(noGrowth)) : growth) +
               end;
    };
    // Utilization from 15,999 + the cycles above 100 %: 16,008 and 16,013 are U1; with a
    // factor far below 0.125 (Q1) that is group A1. 40,000 cycles are U2, still A1 with Q1.
    const std::vector<QStringList> expected = {
        row({"2025/КБ-403 январь.vrl", "КБ-403", "101", "РП-0001", "10.01.2026", "A4", "A1", "U1",
             "Q1", "12,50", "63000", "16:40:00", "1", "130", "02.01.2026", "00:00:00"},
            {}, {"цел", ""}),
        row({"2026/февраль/КБ-403.vrl", "КБ-403", "101", "РП-0001", "15.02.2026 утро", "A4", "A1",
             "U1", "Q1", "12,50", "63000", "25:00:00", "2", "140", "04.01.2026", "00:00:00"},
            {"+8:20:00", "+3", "0", "+1", "+1", "2"}, {"цел", ""}),
        row({"КБМ/первое.vrl", "КБМ-401П", "7", "РП-0002", "01.03.2026 14:05", "A5", "A1", "U2",
             "Q1", "0,10", "125000", "5:00:00", "0", "", "", "00:00:00"},
            {}, {"цел", ""}),
        row({"КБМ/второе.VRL", "КБМ-401П", "7", "РП-0002", "01.04.2026 09:30", "A5", "A1", "U2",
             "Q1", "0,10", "125000", "7:00:00", "0", "", "", "00:00:00"},
            {"+2:00:00", "0", "0", "0", "0", "0"},
            {"повреждён", "Ошибка контольной суммы рабочих циклов в Банке-1!"}),
        // Cut off before the operator block: no reading date, and the image sum is gone.
        row({"обрезанный.vrl", "КС-55713", "3", "РП-0003", "", "A1", "A1", "U0", "Q1", "0,00",
             "8000", "0:00:00", "0", "", "", "00:00:00"},
            {},
            {"повреждён",
             "файл обрезан: 200000 байт из 264196; Ошибка контрольной суммы образа памяти!"}),
        row({"lost.vrl", "", "", "", "", "", "", "", "", "", "", "", "", "", "", ""}, {},
            {"не читается", "ссылка никуда не ведёт"}),
        row({"pipe.vrl", "", "", "", "", "", "", "", "", "", "", "", "", "", "", ""}, {},
            {"не читается", "не обычный файл"}),
        row({"заметки.vrl", "", "", "", "", "", "", "", "", "", "", "", "", "", "", ""}, {},
            {"не читается", "не запись регистратора: не сходится ни один блок банков"}),
    };
    ASSERT_EQ(table.rows.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(table.rows[i], expected[i]) << i;
    EXPECT_EQ(summaryCounts(rows),
              QStringLiteral("Файлов: 8 (целых: 3, повреждённых: 2, не читается: 3)"));
}

TEST_F(FleetFolder, SummaryCommandPrintsTheTableOrWritesTheSameCellsAsCsvInTheStyleAsked) {
    QString printed;
    QTextStream out(&printed);
    EXPECT_EQ(runSummaryCommand({{dir.path()}, {}, {}}, out), 0);
    out.flush();
    EXPECT_TRUE(printed.startsWith(QStringLiteral("Файл")));
    EXPECT_TRUE(printed.contains(QStringLiteral("2026/февраль/КБ-403.vrl  КБ-403")));
    EXPECT_TRUE(printed.endsWith(
        QStringLiteral("Файлов: 8 (целых: 3, повреждённых: 2, не читается: 3)\n")));

    QTemporaryDir out2;
    const QString csv = out2.filePath(QStringLiteral("сводка.csv"));
    EXPECT_EQ(
        runSummaryCommand({{dir.path()}, {{"--csv", csv}, {"--csv-style", "point"}}, {}}, out), 0);
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const ParsedCsv parsed = parseCsv(file.readAll(), ',');
    ASSERT_TRUE(parsed.ok);
    const CsvTable table = summaryTable(summarizeFolder(dir.path()), dir.path(), CsvStyle::Point);
    ASSERT_EQ(parsed.lines.size(), table.rows.size() + 1);
    EXPECT_EQ(parsed.lines[0], table.header);
    EXPECT_EQ(parsed.lines[2], table.rows[1]);
    EXPECT_EQ(parsed.lines[3].mid(4, 6),
              QStringList({"2026-03-01 14:05", "A5", "A1", "U2", "Q1", "0.10"}));
}

TEST(FleetSummary, NewOverloadsAreThoseAfterTheEndOfTheEarlierRing) {
    using Ring = std::vector<std::uint64_t>;
    const struct {
        Ring earlier, later;
        int expected;
    } cases[] = {
        {{}, {1, 2}, 2},                 // the first overloads ever
        {{1, 2}, {1, 2}, 0},             // nothing since
        {{1, 2}, {1, 2, 3}, 1},          // the ring grew
        {{1, 2, 3, 4}, {3, 4, 5, 6}, 2}, // full: the oldest were overwritten
        {{1, 2, 2}, {2, 2, 7}, 1},       // equal records do not shift the join
        {{1, 2}, {7, 8}, 2},             // no common records: every record is new
    };
    for (const auto& c : cases)
        EXPECT_EQ(newOverloadCount(c.earlier, c.later), c.expected);
}

TEST(FleetCommands, EndWithTwoForRefusedInputAndOneForACsvNotWritten) {
    QTemporaryDir dir;
    ASSERT_TRUE(reading(kCraneC).write(dir.filePath("c.vrl")));
    const QString file = dir.filePath("c.vrl");
    const QString csv = dir.filePath("out.csv");
    const QString unwritable = dir.filePath("no/such/out.csv");
    const struct {
        QStringList positional;
        QMap<QString, QString> options;
        bool summary;
        int exitCode;
    } cases[] = {
        {{"frames", file}, {{"--csv", csv}}, false, 0},
        {{"overloads", file}, {{"--csv", csv}, {"--range", "0-3199"}}, false, 0},
        {{"cycles", file}, {{"--csv", csv}}, false, 2},
        {{"frames", file}, {{"--csv", csv}, {"--range", "0-7168"}}, false, 2},
        {{"overloads", file}, {{"--csv", csv}, {"--range", "3200-3200"}}, false, 2},
        {{"frames", dir.filePath("missing.vrl")}, {{"--csv", csv}}, false, 2},
        {{"frames", file}, {{"--csv", unwritable}}, false, 1},
        {{"frames", file}, {{"--csv", csv}, {"--csv-style", "point"}}, false, 0},
        {{"frames", file}, {{"--csv", csv}, {"--csv-style", "semicolon"}}, false, 2},
        {{dir.path()}, {{"--csv", csv}, {"--csv-style", "Comma"}}, true, 2},
        {{dir.path()}, {}, true, 0},
        {{file}, {}, true, 2}, // no folder
        {{dir.path()}, {{"--csv", unwritable}}, true, 1},
    };
    for (const auto& c : cases) {
        const CommandArguments arguments{c.positional, c.options, {}};
        QString printed;
        QTextStream out(&printed);
        EXPECT_EQ(c.summary ? runSummaryCommand(arguments, out) : runExportCommand(arguments),
                  c.exitCode)
            << c.positional.join(' ').toStdString();
    }
}

// The report command runs under a QGuiApplication, in which making a widget would stop this
// test program: the report is printed from the session alone.
TEST(FleetCommands, TheReportIsPrintedWithoutWidgets) {
    QTemporaryDir dir;
    const QString file = dir.filePath("c.vrl");
    const QString pdf = dir.filePath("card.pdf");
    ASSERT_TRUE(reading(kCraneC).write(file));
    int argc = 1;
    char program[] = "zurval";
    char* argv[] = {program, nullptr};
    const QGuiApplication app(argc, argv);
    CommandArguments arguments;
    arguments.positional = QStringList{"card", file};
    arguments.options.insert("--pdf", pdf);
    EXPECT_EQ(runReport(arguments), kExitDone);
    EXPECT_TRUE(QFile::exists(pdf));
}
