#include "FleetFiles.h"
#include "core/archive/ArchiveDatabase.h"
#include "core/archive/FleetArchive.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUrl>
#include <benchmark/benchmark.h>
#include <unistd.h>

namespace {

using namespace zurval;
using namespace zurval::bench;

// The PostgreSQL server that ZURVAL_TEST_POSTGRES names (scripts/with-postgres.sh sets it).
QString server() {
    return qEnvironmentVariable("ZURVAL_TEST_POSTGRES");
}

bool onServer(const QString& statement) {
    QString error;
    ArchiveConnection c(*parseArchiveLocation(server(), {}, &error), true);
    QSqlQuery q(c.db());
    return c.open(&error) && q.exec(statement);
}

// An empty archive of its own for each run: a file in dir, or a new database on the server.
QString emptyArchive(const QTemporaryDir& dir, bool onPostgres, int run) {
    const QString name =
        QStringLiteral("zurval_bench_%1_%2").arg(QCoreApplication::applicationPid()).arg(run);
    if (!onPostgres)
        return dir.filePath(name + QStringLiteral(".sqlite"));
    if (!onServer(QStringLiteral("CREATE DATABASE ") + name))
        return {};
    QUrl url(server());
    url.setPath(u'/' + name);
    return url.toString();
}

// The archive's size: the SQLite file, or the server database's.
double archiveBytes(const QString& location) {
    if (!isServerAddress(location))
        return static_cast<double>(QFileInfo(location).size());
    QString error;
    ArchiveConnection c(*parseArchiveLocation(location, {}, &error), false);
    QSqlQuery q(c.db());
    if (!c.open(&error) || !q.exec(QStringLiteral("SELECT pg_database_size(current_database())")) ||
        !q.next())
        return 0;
    return q.value(0).toDouble();
}

// Adding a folder of recordings to an empty archive on every core: the walk, the decoding,
// the hash, the compression and the writing. The files were just written (and synced), so
// they are read from the page cache. bytes/reading: what the archive takes per reading, its recording
// included.
void addFolder(benchmark::State& state, bool onPostgres) {
    if (onPostgres && server().isEmpty()) {
        state.SkipWithError("ZURVAL_TEST_POSTGRES is not set (scripts/with-postgres.sh sets it)");
        return;
    }
    const int count = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    if (!dir.isValid() || !writeFleet(dir.filePath("парк"), count)) {
        state.SkipWithError("cannot write the recordings");
        return;
    }
    // On the disk before the clock starts, so that the archive's writes do not wait for
    // theirs.
    ::sync();
    static int run = 0;
    QString last;
    for (auto _ : state) {
        state.PauseTiming();
        const QString location = emptyArchive(dir, onPostgres, run++);
        state.ResumeTiming();
        ArchiveOpening opening;
        const auto archive = FleetArchive::open(location, ArchiveAccess::Create, &opening);
        if (!archive || archive->add({dir.filePath("парк")}).added != count)
            state.SkipWithError("a reading was not added");
        last = location;
    }
    state.counters["files/s"] =
        benchmark::Counter(count, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["bytes/reading"] = archiveBytes(last) / count;
}

void BM_ArchiveAdd(benchmark::State& state) {
    addFolder(state, false);
}
BENCHMARK(BM_ArchiveAdd)
    ->Arg(1)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(5000)
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(1);

void BM_ArchiveAddPostgres(benchmark::State& state) {
    addFolder(state, true);
}
BENCHMARK(BM_ArchiveAddPostgres)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(5000)
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(1);

// The rows of "Парк кранов" for that many cranes of that many readings each, forecasts
// included. The recordings are written and added a thousand at a time, so that 20,000 of
// them never lie on the disk at once.
// ZURVAL_BENCH_KEEP=FOLDER keeps the archive filled in FOLDER and lists it again next time.
void BM_ArchiveListCranes(benchmark::State& state) {
    const int cranes = static_cast<int>(state.range(0));
    const int perCrane = static_cast<int>(state.range(1));
    QTemporaryDir temporary;
    const QString keep = qEnvironmentVariable("ZURVAL_BENCH_KEEP");
    const QDir dir(keep.isEmpty() ? temporary.path() : keep);
    const QString file =
        dir.filePath(QStringLiteral("archive-%1-%2.sqlite").arg(cranes).arg(perCrane));
    const bool filled = !keep.isEmpty() && QFileInfo::exists(file);
    ArchiveOpening opening;
    const auto archive = FleetArchive::open(file, ArchiveAccess::Create, &opening);
    constexpr int kPart = 1000;
    for (int first = 0; archive && !filled && first < cranes * perCrane; first += kPart) {
        const int count = std::min(kPart, cranes * perCrane - first);
        const QString part = dir.filePath(QStringLiteral("часть"));
        if (!writeFleet(part, count, perCrane, first) || archive->add({part}).added != count ||
            !QDir(part).removeRecursively()) {
            state.SkipWithError("cannot fill the archive");
            return;
        }
    }
    for (auto _ : state) {
        const auto rows = archive->fleet();
        if (!rows || static_cast<int>(rows->size()) != cranes)
            state.SkipWithError("a crane went missing");
        benchmark::DoNotOptimize(rows);
    }
}
BENCHMARK(BM_ArchiveListCranes)
    ->Args({20, 2})
    ->Args({500, 40})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // the SQL drivers are plugins
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
