#include "FleetReadings.h"
#include "automation/ArchiveCommands.h"
#include "core/archive/ArchiveDatabase.h"
#include "core/archive/ArchiveTexts.h"
#include "core/archive/FleetArchive.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUrl>
#include <gtest/gtest.h>

using namespace zurval;
using namespace zurval::testing;

namespace {

// Three readings of one crane 30 days apart, each ring the one before and two records more.
const Reading kJanuary = {"КБ-403", 101, "РП-0001", 3,          1000,
                          15999,    {},  1000,      {110, 130}, "10.01.2026"};
const Reading kFebruary = {
    "КБ-403", 101, "РП-0001", 3, 2000, 15999, {}, 1500, {110, 130, 105, 140}, "09.02.2026"};
const Reading kMarch = {
    "КБ-403",    101, "РП-0001", 3, 3000, 15999, {}, 2000, {110, 130, 105, 140, 150, 160},
    "11.03.2026"};
// No date typed: the newest frame's date counts.
const Reading kOther = {"КБМ-401П", 7, "РП-0002", 4, 500, 0, {}, 300, {}, "вчера"};
const Reading kUndated = {"КС-55713", 3, "РП-0003", 0, 0, 0, {}, 0, {}, ""};

// A date frame of 5 February 2026 before the newest frame, and the installation date
// 15 January 2025 in both banks.
RecordingBuilder withDates(RecordingBuilder b) {
    FrameSlot date;
    date.mark = filemap::kDateFrameMark;
    date.dateTime = {0x05, 0x02, 0x26};
    b.frame(1, date);
    for (const std::size_t bank : {filemap::kBank0, filemap::kBank1})
        b.raw(bank + bankmap::kDateInstalled, {0x15, 0x01, 0x25});
    return std::move(b.fixAllChecksums(2));
}

enum class Backend { SQLite, PostgreSQL };

// A postgresql:// address of the same server, for another database.
QString onDatabase(const QString& server, const QString& database) {
    QUrl url(server);
    url.setPath(QLatin1Char('/') + database);
    return url.toString();
}

// What the archive's tables hold.
long long count(const QString& location, const QString& sql) {
    QString error;
    const std::optional<ArchiveLocation> where = parseArchiveLocation(location, {}, &error);
    ArchiveConnection c(*where);
    QSqlQuery q(c.db());
    if (!c.open(&error) || !q.exec(sql) || !q.next())
        return -1;
    return q.value(0).toLongLong();
}

bool onServer(const QString& server, const QString& statement) {
    QString error;
    ArchiveConnection c(*parseArchiveLocation(server, {}, &error));
    QSqlQuery q(c.db());
    return c.open(&error) && q.exec(statement);
}

// Every test on an empty archive of its own: an SQLite file, or a database of the server
// that ZURVAL_TEST_POSTGRES names (scripts/with-postgres.sh starts one).
class Archive : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        if (GetParam() == Backend::SQLite) {
            location = dir.filePath(QStringLiteral("archive.sqlite"));
            return;
        }
        server = qEnvironmentVariable("ZURVAL_TEST_POSTGRES");
        if (server.isEmpty())
            GTEST_SKIP() << "ZURVAL_TEST_POSTGRES is not set (scripts/with-postgres.sh sets it)";
        static int made = 0;
        database =
            QStringLiteral("zurval_test_%1_%2").arg(QCoreApplication::applicationPid()).arg(++made);
        ASSERT_TRUE(onServer(server, QStringLiteral("CREATE DATABASE ") + database));
        location = onDatabase(server, database);
    }
    void TearDown() override {
        if (!database.isEmpty()) {
            EXPECT_TRUE(
                onServer(server, QStringLiteral("DROP DATABASE %1 WITH (FORCE)").arg(database)));
        }
    }

    std::unique_ptr<FleetArchive> open() {
        QString error;
        std::unique_ptr<FleetArchive> archive = FleetArchive::open(location, &error);
        EXPECT_TRUE(archive) << error.toStdString();
        return archive;
    }
    QString write(const RecordingBuilder& b, const QString& name) {
        const QString path = dir.filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        EXPECT_TRUE(b.write(path));
        return path;
    }
    long long rows(const QString& sql) { return count(location, sql); }

    QTemporaryDir dir;
    QString location;
    QString server;
    QString database;
};

std::vector<std::optional<int>> newHeavy(const std::vector<StoredReading>& readings) {
    std::vector<std::optional<int>> n;
    for (const StoredReading& r : readings)
        n.push_back(r.newHeavyOverloads);
    return n;
}

} // namespace

TEST_P(Archive, AddsEachIntactReadingOnceAndRefusesTheRestWithNothingOfThemStored) {
    const std::unique_ptr<FleetArchive> archive = open();
    ASSERT_TRUE(archive);
    const QString january = write(reading(kJanuary), "парк/январь.vrl");
    write(reading(kMarch), "парк/2026/март.VRL");
    RecordingBuilder damaged = reading(kOther);
    damaged.breakBlock(filemap::kBank1 + bankmap::kWorkingCycles, 42).fixImageSum();
    write(damaged, "парк/повреждён.vrl");
    QFile notes(dir.filePath("парк/заметки.vrl"));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("Кран 101: заменить канат\n");
    notes.close();

    ArchiveAdding adding(*archive, {dir.filePath("парк")});
    adding.run(2);
    EXPECT_EQ(adding.total(), 4);
    EXPECT_EQ(adding.done(), 4);
    const AddResult& first = adding.result();
    EXPECT_EQ(first.added, 2);
    EXPECT_EQ(first.known, 0);
    ASSERT_EQ(first.refused.size(), 2u);
    EXPECT_EQ(first.refused[0].reason, "не запись регистратора: не сходится ни один блок банков");
    EXPECT_EQ(first.refused[1].reason, "Ошибка контольной суммы рабочих циклов в Банке-1!");
    EXPECT_TRUE(first.error.isEmpty()) << first.error.toStdString();

    // The same image under another name is known; the February ring repeats four records.
    QFile::copy(january, dir.filePath("копия.vrl"));
    const AddResult second =
        archive->add({dir.filePath("парк"), write(reading(kFebruary), "февраль.vrl"),
                      dir.filePath("копия.vrl"), dir.filePath("нет.vrl")});
    EXPECT_EQ(second.added, 1);
    EXPECT_EQ(second.known, 3);
    ASSERT_EQ(second.refused.size(), 3u);
    EXPECT_EQ(second.refused[0].reason, "нет такого файла или папки");

    EXPECT_EQ(rows("SELECT COUNT(*) FROM readings"), 3);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM cranes"), 1);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM overloads"), 6);
}

TEST_P(Archive, ListsEachCraneWithItsNewestReadingWhatItAddedAndTheForecast) {
    const std::unique_ptr<FleetArchive> archive = open();
    ASSERT_TRUE(archive);
    // February comes last but lies between the two: what March added is counted again.
    ASSERT_EQ(archive
                  ->add({write(reading(kMarch), "март.vrl"), write(reading(kJanuary), "январь.vrl"),
                         write(withDates(reading(kOther)), "кмб.vrl"),
                         write(reading(kUndated), "кс.vrl")})
                  .added,
              4);
    ASSERT_EQ(archive->add({write(reading(kFebruary), "февраль.vrl")}).added, 1);

    const std::optional<std::vector<FleetRow>> fleet = archive->fleet();
    ASSERT_TRUE(fleet);
    ASSERT_EQ(fleet->size(), 3u);
    const FleetRow& crane = (*fleet)[0];
    EXPECT_EQ(crane.crane.craneModel, "КБ-403");
    EXPECT_EQ(crane.readingCount, 3);
    EXPECT_EQ(crane.last.readingDate, QDate(2026, 3, 11));
    EXPECT_EQ(crane.last.newHeavyOverloads, 2);
    // 1000 more every 30 days from 1000 on 10 January; A4's norm is 63000.
    EXPECT_EQ(crane.forecast.kind, ForecastKind::Date);
    EXPECT_EQ(crane.forecast.date, QDate(2026, 1, 10).addDays(1860));

    const StoredReading& other = (*fleet)[1].last;
    EXPECT_EQ(other.readingDateSource, ReadingDateSource::NewestFrame);
    EXPECT_EQ(other.readingDate, QDate(2026, 2, 5));
    EXPECT_TRUE((*fleet)[1].forecast.singleReading);
    EXPECT_EQ((*fleet)[1].forecast.kind, ForecastKind::Date);
    EXPECT_EQ((*fleet)[2].last.readingDateSource, ReadingDateSource::None);
    EXPECT_EQ((*fleet)[2].forecast.kind, ForecastKind::NoData);

    const std::optional<std::vector<StoredReading>> readings = archive->readings(crane.crane);
    ASSERT_TRUE(readings);
    EXPECT_EQ(newHeavy(*readings), (std::vector<std::optional<int>>{std::nullopt, 1, 2}));
    EXPECT_EQ((*readings)[1].readingDateSource, ReadingDateSource::OperatorBlock);
    EXPECT_EQ(archive->recorderReadings(" РП-0001 ")->size(), 3u);
}

TEST_P(Archive, UpgradesAnOlderSchemaAndRefusesOneNewerThanItKnows) {
    ASSERT_TRUE(open());
    std::vector<SchemaStep> steps = archiveSchemaSteps();
    steps.push_back({2, {"ALTER TABLE readings ADD COLUMN remark TEXT"}});
    QString error;
    ArchiveConnection c(*parseArchiveLocation(location, {}, &error));
    ASSERT_TRUE(c.open(&error));
    EXPECT_EQ(archiveSchemaVersion(c, &error), 1);
    ASSERT_TRUE(upgradeArchiveSchema(c, steps, &error)) << error.toStdString();
    ASSERT_TRUE(upgradeArchiveSchema(c, steps, &error)) << error.toStdString();
    EXPECT_EQ(archiveSchemaVersion(c, &error), 2);
    EXPECT_EQ(rows("SELECT COUNT(remark) FROM readings"), 0);

    EXPECT_FALSE(FleetArchive::open(location, &error));
    EXPECT_EQ(error, "the archive has schema version 2; this program knows up to 1");
}

// The program itself, twice at once on one folder.
TEST_P(Archive, TwoProgramsAddingOneFolderAtOnceStoreEachReadingOnce) {
    constexpr int kReadings = 150;
    for (int i = 0; i < kReadings; ++i) {
        Reading r = kJanuary;
        const QByteArray recorder = QStringLiteral("РП-%1").arg(i / 10).toUtf8();
        r.recorder = recorder.constData();
        r.motorMinutes = 1000 + 60 * static_cast<std::uint32_t>(i);
        write(reading(r), QStringLiteral("парк/%1.vrl").arg(i));
    }
    ASSERT_TRUE(open());
    QProcess programs[2];
    for (QProcess& p : programs)
        p.start(ZURVAL_PROGRAM,
                {"--archive-db", location, "--archive", "add", dir.filePath("парк")});
    int added = 0, known = 0;
    for (QProcess& p : programs) {
        ASSERT_TRUE(p.waitForFinished(120000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        const QJsonObject out = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
        added += out["added"].toInt();
        known += out["known"].toInt();
    }
    EXPECT_EQ(added, kReadings);
    EXPECT_EQ(known, kReadings);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM readings"), kReadings);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM cranes"), kReadings / 10);
}

INSTANTIATE_TEST_SUITE_P(Databases, Archive,
                         ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const auto& info) {
                             return info.param == Backend::SQLite ? "SQLite" : "PostgreSQL";
                         });

TEST(ArchiveCommand, PrintsJsonOrWritesCsvAndEndsWithTheExitCodeOfEachOutcome) {
    QTemporaryDir dir;
    const QString db = dir.filePath("a.sqlite");
    const QString good = dir.filePath("январь.vrl");
    const QString bad = dir.filePath("плохой.vrl");
    ASSERT_TRUE(reading(kJanuary).write(good));
    ASSERT_TRUE(reading(kOther).resize(1000).write(bad));
    const QString csv = dir.filePath("out.csv");
    const QString unwritable = dir.filePath("no/such/out.csv");
    using Options = QMap<QString, QString>;
    const struct {
        QStringList positional;
        Options options;
        int exitCode;
        QString printed; // the start of stdout
    } cases[] = {
        {{"add", good}, {{"--archive-db", db}}, 0, "{\n    \"added\": 1,\n    \"known\": 0"},
        {{"add", good, bad}, {{"--archive-db", db}}, 2, "{\n    \"added\": 0,\n    \"known\": 1"},
        {{"list"},
         {{"--archive-db", db}},
         0,
         "{\n    \"cranes\": [\n        {\n            \"characteristic_number\": 1000,"},
        {{"crane", "РП-0001"},
         {{"--archive-db", db}, {"--csv", csv}, {"--csv-style", "point"}},
         0,
         ""},
        {{"crane", "РП-0009"}, {{"--archive-db", db}}, 2, ""},
        {{"list"}, {{"--archive-db", db}, {"--csv", unwritable}}, 1, ""},
        {{"list"}, {{"--archive-db", dir.filePath("no/such/a.sqlite")}}, 1, ""},
        {{"list"}, {{"--archive-db", "postgresql://localhost/db"}}, 1, ""},
        {{"list"}, {{"--archive-db", db}, {"--csv-style", "tab"}}, 2, ""},
        {{"list", "x"}, {{"--archive-db", db}}, 2, ""},
        {{"add"}, {{"--archive-db", db}}, 2, ""},
        {{"crane"}, {{"--archive-db", db}}, 2, ""},
        {{"remove"}, {{"--archive-db", db}}, 2, ""},
    };
    for (const auto& c : cases) {
        QString printed;
        QTextStream out(&printed);
        EXPECT_EQ(runArchiveCommand({c.positional, c.options, {}}, out), c.exitCode)
            << c.positional.join(' ').toStdString();
        EXPECT_EQ(printed.left(c.printed.size()), c.printed);
    }
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split("\r\n");
    ASSERT_GE(lines.size(), 2);
    EXPECT_TRUE(lines[1].startsWith(
        "КБ-403,101,РП-0001,2026-01-10,оператор,Оператор,A4,A1,U0,Q1,1000.00,63000,16:40:00,,"))
        << lines[1].toStdString();
}
