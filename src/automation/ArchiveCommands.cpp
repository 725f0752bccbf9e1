#include "automation/ArchiveCommands.h"

#include "automation/ExportCommands.h"
#include "core/archive/ArchiveDatabase.h"
#include "core/archive/ArchiveTexts.h"
#include "core/archive/FleetArchive.h"
#include "core/common/Clock.h"
#include "render/archive/ArchiveReports.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QTextStream>

namespace zurval {
namespace {

void print(QTextStream& out, const QJsonObject& object) {
    out << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
    out.flush();
}

QJsonObject addedJson(const AddResult& result, bool created) {
    QJsonArray refused;
    for (const RefusedRecording& r : result.refused)
        refused.append(QJsonObject{{"path", r.path}, {"reason", r.reason}});
    return {{"added", result.added},
            {"known", result.known},
            {"refused", refused},
            {"created", created}};
}

// The arguments of each command; an empty text when they fit.
QString misfit(const QString& what, const QStringList& rest, const CommandArguments& arguments) {
    const bool csv = arguments.has(QStringLiteral("--csv"));
    const bool out = arguments.has(QStringLiteral("--out"));
    const bool pdf = arguments.has(QStringLiteral("--pdf"));
    if (csv && pdf)
        return QStringLiteral("--csv and --pdf do not go together");
    if (pdf && what != QLatin1String("list") && what != QLatin1String("report"))
        return QStringLiteral("--pdf is for --archive list and report");
    if (what == QLatin1String("add")) {
        if (rest.isEmpty())
            return QStringLiteral("--archive add needs FILE|DIR");
        if (csv || out)
            return QStringLiteral("--archive add writes no file");
    } else if (what == QLatin1String("list")) {
        if (!rest.isEmpty())
            return QStringLiteral("unexpected %1 for --archive list").arg(rest.first());
    } else if (what == QLatin1String("crane")) {
        if (rest.size() != 1)
            return QStringLiteral("--archive crane takes one RECORDER_NUMBER");
    } else if (what == QLatin1String("report")) {
        if (rest.size() != 1 || !pdf)
            return QStringLiteral("--archive report takes one RECORDER_NUMBER and --pdf OUT.pdf");
    } else if (what == QLatin1String("get")) {
        if (rest.size() != 1 || !out)
            return QStringLiteral("--archive get takes one SHA256 and --out FILE.vrl");
        if (csv)
            return QStringLiteral("--archive get writes no CSV");
    } else {
        return QStringLiteral("--archive takes add, list, crane, report or get, not %1").arg(what);
    }
    if (out && what != QLatin1String("get"))
        return QStringLiteral("--out is for --archive get");
    return {};
}

int writePdf(const QString& path, const report::Document& pages) {
    QString error;
    if (!report::writePdf(pages, path, &error))
        return fail(kExitNotWritten, aboutFile(path, QStringLiteral("cannot write: ") + error));
    return kExitDone;
}

int writeRecording(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return fail(kExitNotWritten, aboutFile(path, file.errorString()));
    return kExitDone;
}

} // namespace

int runArchiveCommand(const CommandArguments& arguments, QTextStream& out) {
    const QString what = arguments.positional.value(0);
    const QStringList rest = arguments.positional.mid(1);
    if (const QString problem = misfit(what, rest, arguments); !problem.isEmpty())
        return fail(kExitRefused, problem);
    const std::optional<CsvStyle> style = csvStyleOption(arguments);
    if (!style)
        return kExitRefused;

    // Only add writes, and only add makes a new archive.
    const bool adding = what == QLatin1String("add");
    const QString location = arguments.value(QStringLiteral("--archive-db"));
    const QString shown =
        withoutPassword(location.isEmpty() ? FleetArchive::defaultLocation() : location);
    ArchiveOpening opening;
    const std::unique_ptr<FleetArchive> archive = FleetArchive::open(
        location, adding ? ArchiveAccess::Create : ArchiveAccess::Read, &opening);
    if (!archive)
        return fail(opening.problem == ArchiveProblem::CannotUse ? kExitNotWritten : kExitRefused,
                    aboutFile(shown, QStringLiteral("cannot open the archive: ") + opening.error));
    if (opening.created)
        complain(aboutFile(shown, QStringLiteral("a new archive was made")));
    QString error;
    auto failed = [&] { return fail(kExitNotWritten, aboutFile(shown, error)); };

    if (adding) {
        const AddResult result = archive->add(rest);
        print(out, addedJson(result, opening.created));
        if (!result.error.isEmpty()) {
            error = QStringLiteral("cannot add to the archive: ") + result.error;
            return failed();
        }
        return result.refused.empty() ? kExitDone : kExitRefused;
    }
    if (what == QLatin1String("get")) {
        const std::optional<QByteArray> bytes = archive->recording(rest.first().toLatin1(), &error);
        if (!bytes)
            return fail(kExitRefused, aboutFile(shown, error));
        return writeRecording(arguments.value(QStringLiteral("--out")), *bytes);
    }
    const bool csv = arguments.has(QStringLiteral("--csv"));
    const QString csvPath = arguments.value(QStringLiteral("--csv"));
    const QString pdfPath = arguments.value(QStringLiteral("--pdf"));
    const QDate today = SystemClock().today();
    if (what == QLatin1String("list") || what == QLatin1String("report")) {
        const std::optional<std::vector<FleetRow>> rows = archive->fleet(&error);
        if (!rows)
            return failed();
        if (what == QLatin1String("report")) {
            std::vector<CraneHistory> cranes;
            for (const FleetRow& row : *rows) {
                if (row.crane.recorderNumber != rest.first())
                    continue;
                std::optional<std::vector<StoredReading>> readings =
                    archive->readings(row.crane, &error);
                if (!readings)
                    return failed();
                cranes.push_back({row, std::move(*readings)});
            }
            if (cranes.empty())
                return fail(kExitRefused,
                            QStringLiteral("the archive holds no reading of recorder %1")
                                .arg(rest.first()));
            return writePdf(pdfPath, craneHistoryReport(cranes, today));
        }
        if (!pdfPath.isEmpty())
            return writePdf(pdfPath, fleetReport(*rows, shown, today));
        if (csv)
            return writeCsv(csvPath, fleetTable(*rows, *style));
        print(out, {{"cranes", fleetJson(*rows)}});
        return kExitDone;
    }
    const std::optional<std::vector<StoredReading>> readings =
        archive->recorderReadings(rest.first(), &error);
    if (!readings)
        return failed();
    if (readings->empty())
        return fail(
            kExitRefused,
            QStringLiteral("the archive holds no reading of recorder %1").arg(rest.first()));
    if (csv)
        return writeCsv(csvPath, readingsTable(*readings, *style));
    print(out, {{"readings", readingsJson(*readings)}});
    return kExitDone;
}

} // namespace zurval
