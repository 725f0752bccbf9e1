#include "automation/ExportCommands.h"

#include "automation/CommandRecording.h"
#include "core/document/RecorderSession.h"
#include "core/export/FleetSummary.h"

#include <QFileInfo>
#include <QTextStream>

namespace zurval {

int writeCsv(const QString& path, const CsvTable& table) {
    QString error;
    if (writeCsvFile(path, table, &error))
        return kExitDone;
    return fail(kExitNotWritten, aboutFile(path, QStringLiteral("cannot write: ") + error));
}

std::optional<CsvStyle> csvStyleOption(const CommandArguments& arguments) {
    const QString option = QStringLiteral("--csv-style");
    if (!arguments.has(option))
        return CsvStyle::Comma;
    const std::optional<CsvStyle> style = csvStyleNamed(arguments.value(option));
    if (!style)
        complain(QStringLiteral("--csv-style takes comma or point, not %1")
                     .arg(arguments.value(option)));
    return style;
}

int runExportCommand(const CommandArguments& arguments) {
    const QString what = arguments.positional.value(0);
    if (what != QLatin1String("frames") && what != QLatin1String("overloads"))
        return fail(kExitRefused,
                    QStringLiteral("--export takes frames or overloads, not %1").arg(what));
    const ExportedList list =
        what == QLatin1String("frames") ? ExportedList::Frames : ExportedList::Overloads;
    const std::optional<CsvStyle> style = csvStyleOption(arguments);
    if (!style)
        return kExitRefused;
    EntryRange range{0, listCapacity(list) - 1};
    if (arguments.has(QStringLiteral("--range"))) {
        QString error;
        const std::optional<EntryRange> given = parseRange(
            arguments.value(QStringLiteral("--range")), listCapacity(list), true, &error);
        if (!given)
            return fail(kExitRefused, error);
        range = *given;
    }

    RecorderSession session;
    if (const int opened = openCommandRecording(arguments.positional.value(1), arguments, session);
        opened != kExitDone)
        return opened;
    return writeCsv(arguments.value(QStringLiteral("--csv")),
                    listTable(session.document().cyclic, list, range, *style));
}

int runSummaryCommand(const CommandArguments& arguments, QTextStream& out) {
    const QString folder = arguments.positional.value(0);
    const std::optional<CsvStyle> style = csvStyleOption(arguments);
    if (!style)
        return kExitRefused;
    if (!QFileInfo(folder).isDir())
        return fail(kExitRefused, aboutFile(folder, QStringLiteral("not a folder")));
    const std::vector<RecordingSummary> rows = summarizeFolder(folder);
    if (arguments.has(QStringLiteral("--csv")))
        return writeCsv(arguments.value(QStringLiteral("--csv")),
                        summaryTable(rows, folder, *style));
    out << summaryText(rows, folder);
    return kExitDone;
}

} // namespace zurval
