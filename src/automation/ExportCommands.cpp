#include "ExportCommands.h"

#include "FleetSummary.h"
#include "ListExport.h"
#include "OpenRecording.h"

#include <QFileInfo>
#include <QMap>
#include <QTextStream>
#include <memory>
#include <optional>

namespace zurval {
namespace {

int refuse(QTextStream& err, const QString& why) {
    err << "zurval: " << why << '\n';
    return 2;
}

// "--NAME VALUE" pairs after the positional words; nullopt names an option not understood.
std::optional<QString> takeOptions(const QStringList& words, qsizetype from,
                                   const QStringList& known, QMap<QString, QString>& options) {
    for (qsizetype i = from; i < words.size(); i += 2) {
        if (!known.contains(words[i]) || i + 1 >= words.size() || options.contains(words[i]))
            return words[i];
        options.insert(words[i], words[i + 1]);
    }
    return std::nullopt;
}

bool write(const QString& path, const CsvTable& table, QTextStream& err) {
    QString error;
    if (writeCsvFile(path, table, &error))
        return true;
    refuse(err, QStringLiteral("cannot write %1: %2").arg(path, error));
    return false;
}

} // namespace

int runExportCommand(const QStringList& words, QTextStream& err) {
    const QString what = words.value(0);
    if (what != QLatin1String("frames") && what != QLatin1String("overloads"))
        return refuse(err, QStringLiteral("--export takes frames or overloads"));
    const ExportedList list =
        what == QLatin1String("frames") ? ExportedList::Frames : ExportedList::Overloads;
    const QString file = words.value(1);
    if (file.isEmpty() || file.startsWith(QLatin1String("--")))
        return refuse(err, QStringLiteral("--export %1 needs a recording").arg(what));
    QMap<QString, QString> options;
    if (const std::optional<QString> bad =
            takeOptions(words, 2, {QStringLiteral("--csv"), QStringLiteral("--range")}, options))
        return refuse(err, QStringLiteral("cannot use %1 here").arg(*bad));
    if (options.value(QStringLiteral("--csv")).isEmpty())
        return refuse(err, QStringLiteral("--export needs --csv OUT.csv"));
    EntryRange range{0, listCapacity(list) - 1};
    if (options.contains(QStringLiteral("--range"))) {
        QString error;
        const std::optional<EntryRange> given =
            parseEntryRange(options.value(QStringLiteral("--range")), listCapacity(list), &error);
        if (!given)
            return refuse(err, error);
        range = *given;
    }

    const auto document = std::make_unique<RecorderDocument>();
    const OpenOutcome outcome = openRecording(file, *document);
    if (!outcome.opened)
        return refuse(err, QStringLiteral("cannot open %1").arg(file));
    // What the window would have told in message boxes and in the grey status bar.
    for (const OpenNotice& n : outcome.notices) {
        if (const auto* m = std::get_if<notice::Message>(&n))
            err << "zurval: " << file << ": " << m->text.trimmed() << '\n';
        else if (const auto* image = std::get_if<notice::ImageChecked>(&n); image && !image->intact)
            err << "zurval: " << file << ": the image checksum fails\n";
    }
    return write(options.value(QStringLiteral("--csv")), listTable(document->cyclic, list, range),
                 err)
               ? 0
               : 2;
}

int runSummaryCommand(const QStringList& words, QTextStream& out, QTextStream& err) {
    const QString folder = words.value(0);
    if (folder.isEmpty() || folder.startsWith(QLatin1String("--")))
        return refuse(err, QStringLiteral("--summary needs a folder"));
    QMap<QString, QString> options;
    if (const std::optional<QString> bad =
            takeOptions(words, 1, {QStringLiteral("--csv")}, options))
        return refuse(err, QStringLiteral("cannot use %1 here").arg(*bad));
    if (!QFileInfo(folder).isDir())
        return refuse(err, QStringLiteral("%1 is no folder").arg(folder));

    const std::vector<RecordingSummary> rows = summarizeFolder(folder);
    if (options.contains(QStringLiteral("--csv")))
        return write(options.value(QStringLiteral("--csv")), summaryTable(rows, folder), err) ? 0
                                                                                              : 2;
    out << summaryText(rows, folder);
    return 0;
}

} // namespace zurval
