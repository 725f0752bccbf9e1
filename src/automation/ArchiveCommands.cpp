#include "automation/ArchiveCommands.h"

#include "automation/ExportCommands.h"
#include "core/archive/ArchiveTexts.h"
#include "core/archive/FleetArchive.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

namespace zurval {
namespace {

void print(QTextStream& out, const QJsonObject& object) {
    out << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
    out.flush();
}

QJsonObject addedJson(const AddResult& result) {
    QJsonArray refused;
    for (const RefusedRecording& r : result.refused)
        refused.append(QJsonObject{{"path", r.path}, {"reason", r.reason}});
    return {{"added", result.added}, {"known", result.known}, {"refused", refused}};
}

} // namespace

int runArchiveCommand(const CommandArguments& arguments, QTextStream& out) {
    const QString what = arguments.positional.value(0);
    const QStringList rest = arguments.positional.mid(1);
    const bool csv = arguments.has(QStringLiteral("--csv"));
    if (what == QLatin1String("add")) {
        if (rest.isEmpty())
            return fail(kExitRefused, QStringLiteral("--archive add needs FILE|DIR"));
        if (csv)
            return fail(kExitRefused, QStringLiteral("--archive add writes no CSV"));
    } else if (what == QLatin1String("list")) {
        if (!rest.isEmpty())
            return fail(kExitRefused,
                        QStringLiteral("unexpected %1 for --archive list").arg(rest.first()));
    } else if (what == QLatin1String("crane")) {
        if (rest.size() != 1)
            return fail(kExitRefused, QStringLiteral("--archive crane takes one RECORDER_NUMBER"));
    } else {
        return fail(kExitRefused,
                    QStringLiteral("--archive takes add, list or crane, not %1").arg(what));
    }
    const std::optional<CsvStyle> style = csvStyleOption(arguments);
    if (!style)
        return kExitRefused;

    const QString location = arguments.value(QStringLiteral("--archive-db"));
    QString error;
    const std::unique_ptr<FleetArchive> archive = FleetArchive::open(location, &error);
    if (!archive)
        return fail(kExitNotWritten,
                    aboutFile(location.isEmpty() ? FleetArchive::defaultLocation() : location,
                              QStringLiteral("cannot open the archive: ") + error));
    auto failed = [&] { return fail(kExitNotWritten, aboutFile(archive->location(), error)); };

    if (what == QLatin1String("add")) {
        const AddResult result = archive->add(rest);
        print(out, addedJson(result));
        if (!result.error.isEmpty()) {
            error = result.error;
            return failed();
        }
        return result.refused.empty() ? kExitDone : kExitRefused;
    }
    const QString csvPath = arguments.value(QStringLiteral("--csv"));
    if (what == QLatin1String("list")) {
        const std::optional<std::vector<FleetRow>> rows = archive->fleet(&error);
        if (!rows)
            return failed();
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
