#include "AppTestSupport.h"
#include "CsvReading.h"
#include "SampleRecording.h"
#include "core/frames/FrameBrowser.h"
#include "core/frames/OverloadTable.h"
#include "widgets/export/FleetSummaryWindow.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QProcess>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QTableWidget>

using namespace zurval;
using namespace zurval::testing;
using namespace zurval::filemap;

namespace {

// The program as a user starts it, under the Russian locale unless told otherwise: stdout,
// and the exit code.
std::pair<int, QByteArray> runZurval(const QStringList& args,
                                     const QString& locale = QStringLiteral("ru_RU.UTF-8")) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", locale);
    env.remove("QT_QPA_PLATFORM");
    p.setProcessEnvironment(env);
    p.start(ZURVAL_BINARY, args);
    EXPECT_TRUE(p.waitForFinished(60000));
    return {p.exitCode(), p.readAllStandardOutput()};
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
    return file.readAll();
}

ParsedCsv readCsv(const QString& path, char separator = ';') {
    return parseCsv(readAll(path), separator);
}

// The rows of a grid in the dump, column by column: one entry per list entry shown.
std::vector<QStringList> dumpedColumns(const QJsonObject& state, const char* grid) {
    const QJsonArray rows =
        state["controls"].toObject()[QString::fromLatin1(grid)].toObject()["cells"].toArray();
    std::vector<QStringList> columns;
    for (const QJsonValue& row : rows) {
        const QJsonArray cells = row.toArray();
        columns.resize(static_cast<std::size_t>(cells.size()));
        for (qsizetype c = 0; c < cells.size(); ++c)
            columns[static_cast<std::size_t>(c)] << cells[c].toString();
    }
    return columns;
}

RecordingBuilder withMotorMinutes(std::uint32_t minutes) {
    RecordingBuilder b;
    b.frameMark(0, 2).u8(kBank0 + 4, 2).u8(kBank1 + 4, 2);
    b.u24le(kBank0 + bankmap::kMotorMinutes, minutes)
        .u24le(kBank1 + bankmap::kMotorMinutes, minutes);
    b.fixAllChecksums(2);
    return b;
}

} // namespace

using FleetWindow = WindowFixture;

// The browser's "HH:MM:SS DD.MM.YY" as the CSV writes it: "DD.MM.20YY HH:MM:SS".
QString dateFirst(const QString& shown) {
    return shown.mid(9, 6) + "20" + shown.mid(15, 2) + ' ' + shown.left(8);
}

TEST_F(FleetWindow, ExportedCsvHoldsTheValuesTheBrowserAndTheOverloadPageShow) {
    const QString sample = write(makeSampleRecording(), "sample.vrl");
    const QString frames = dir.filePath("frames.csv");
    const QString overloads = dir.filePath("overloads.csv");
    EXPECT_EQ(runZurval({"--export", "frames", sample, "--csv", frames}).first, 0);
    EXPECT_EQ(runZurval({"--export", "overloads", sample, "--csv", overloads}).first, 0);
    const auto [exitCode, json] =
        runZurval({"--dump-state", sample, "--scroll", "ScrollBar_Cikl=7000", "--scroll",
                   "ScrollBar_Per=3180"});
    ASSERT_EQ(exitCode, 0);
    const QJsonObject state = QJsonDocument::fromJson(json).object();

    const ParsedCsv frameRows = readCsv(frames);
    ASSERT_TRUE(frameRows.ok && frameRows.byteOrderMark);
    ASSERT_EQ(frameRows.lines.size(), 1u + kFrameCount);
    const std::vector<QStringList> browser = dumpedColumns(state, "StringGrid_O_Otb");
    ASSERT_EQ(browser.size(), 3u);
    for (std::size_t c = 0; c < browser.size(); ++c) {
        QStringList shown = browser[c];
        for (int word = kBrowserRowInputs; word <= kBrowserRowLimitsTriggered; ++word) {
            QString& bits = shown[word];
            bits = bits.left(4) + ' ' + bits.mid(4, 4) + ' ' + bits.mid(8, 4) + ' ' + bits.mid(12);
        }
        shown[kBrowserRowDateTime] = dateFirst(shown[kBrowserRowDateTime]);
        EXPECT_EQ(frameRows.lines[1 + 7000 + c], shown) << c;
    }

    // The export leaves the empty records out, so its rows are found by their number.
    const ParsedCsv overloadRows = readCsv(overloads);
    ASSERT_TRUE(overloadRows.ok);
    int compared = 0;
    for (const QStringList& column : dumpedColumns(state, "StringGrid_Per_Otb")) {
        if (column.front().isEmpty())
            continue;
        const auto row = std::find_if(overloadRows.lines.begin(), overloadRows.lines.end(),
                                      [&](const QStringList& r) { return r[0] == column[0]; });
        ASSERT_NE(row, overloadRows.lines.end()) << column[0];
        QStringList shown = column;
        QString& date = shown[kOverloadRowDate];
        date = date.left(6) + "20" + date.mid(6);
        EXPECT_EQ(*row, shown);
        ++compared;
    }
    EXPECT_EQ(compared, 8);
}

TEST_F(FleetWindow, CsvFilesAreTheSameUnderEveryLocale) {
    const QString sample = write(makeSampleRecording(), "sample.vrl");
    const QString folder = QFileInfo(sample).path();
    const QList<QStringList> commands = {
        {"--export", "frames", sample},
        {"--export", "overloads", sample},
        {"--summary", folder},
        {"--export", "frames", sample, "--csv-style", "point"},
    };
    for (const QStringList& command : commands) {
        const QString ru = dir.filePath("ru.csv");
        const QString c = dir.filePath("c.csv");
        ASSERT_EQ(runZurval(command + QStringList{"--csv", ru}).first, 0);
        ASSERT_EQ(runZurval(command + QStringList{"--csv", c}, "C.UTF-8").first, 0);
        EXPECT_EQ(readAll(ru), readAll(c)) << command.join(' ').toStdString();
        EXPECT_EQ(readAll(c).contains(";"), !command.contains("point"));
    }
}

TEST_F(FleetWindow, ExportIsOfferedOnlyWhileARecordingIsShown) {
    QAction* framesItem = find<QAction>("Menu_ExportFrames");
    QMenu* exportMenu = find<QMenu>("Menu_Export");
    EXPECT_FALSE(exportMenu->menuAction()->isEnabled());
    EXPECT_FALSE(framesItem->isEnabled());
    ASSERT_TRUE(window->openFile(write(intactRecording())));
    EXPECT_TRUE(exportMenu->menuAction()->isEnabled());

    prompts.queueFileName(dir.filePath("frames.csv"));
    click("Menu_ExportFrames");
    EXPECT_EQ(prompts.fileDialogs().back().fileName, QStringLiteral("test_кадры.csv"));
    EXPECT_EQ(readCsv(dir.filePath("frames.csv")).lines.size(), 1u + kFrameCount);
    prompts.queueFileName(dir.filePath("point.csv"), 1); // the second file type
    click("Menu_ExportFrames");
    const ParsedCsv point = readCsv(dir.filePath("point.csv"), ',');
    ASSERT_TRUE(point.ok);
    EXPECT_EQ(point.lines[1].size(), kBrowserRows);
    click("Menu_ExportOverloads"); // cancelled: nothing written, nothing said
    prompts.queueFileName(dir.filePath("no/such/folder/o.csv"));
    click("Menu_ExportOverloads");
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_TRUE(prompts.shown()[0].text.startsWith(QStringLiteral("Не удалось записать файл")));

    click("Menu_Clear");
    EXPECT_FALSE(framesItem->isEnabled());
}

TEST_F(FleetWindow, SummaryReadsTheChosenFolderSortsByValueAndOpensARowOnDoubleClick) {
    click("Menu_Summary"); // the folder dialog cancelled
    EXPECT_EQ(window->summaryWindow(), nullptr);

    const QString folder = dir.filePath(QStringLiteral("краны"));
    QDir().mkpath(folder);
    const std::uint32_t minutes[] = {10000, 500, 1500}; // 166:40:00, 8:20:00, 25:00:00
    for (int i = 0; i < 3; ++i)
        write(withMotorMinutes(minutes[i]), QStringLiteral("краны/%1.vrl").arg(i));
    ASSERT_TRUE(QFile::link(dir.filePath("nowhere.vrl"), QDir(folder).filePath("lost.vrl")));
    prompts.queueFileName(folder);
    click("Menu_Summary");
    ASSERT_NE(window->summaryWindow(), nullptr);
    EXPECT_EQ(prompts.fileDialogs().back().title, QStringLiteral("Сводка по папке"));
    window->summaryWindow()->waitUntilRead();

    auto* grid = find<QTableWidget>("Grid_Summary");
    ASSERT_EQ(grid->rowCount(), 4);
    emit grid->cellDoubleClicked(3, 0); // the link that leads nowhere is not opened
    EXPECT_EQ(window->currentFileName(), "");
    const int motorHours = static_cast<int>(summaryCaptions().indexOf("Общая\nнаработка"));
    grid->sortItems(motorHours, Qt::DescendingOrder);
    EXPECT_EQ(grid->item(0, motorHours)->text(), "166:40:00");
    EXPECT_EQ(grid->item(2, motorHours)->text(), "8:20:00");
    EXPECT_EQ(grid->item(2, 0)->text(), "1.vrl");

    emit grid->cellDoubleClicked(2, 3);
    EXPECT_EQ(window->currentFileName(), QDir(folder).filePath("1.vrl"));
    EXPECT_EQ(text("Edit_TimeAll"), "8:20:00");

    const QString csv = dir.filePath("summary.csv");
    prompts.queueFileName(csv);
    click("Button_SaveCsv");
    const ParsedCsv saved = readCsv(csv);
    ASSERT_TRUE(saved.ok);
    const CsvTable table = summaryTable(window->summaryWindow()->rows(), folder);
    EXPECT_EQ(saved.lines, std::vector<QStringList>({table.header, table.rows[0], table.rows[1],
                                                     table.rows[2], table.rows[3]}));
}
