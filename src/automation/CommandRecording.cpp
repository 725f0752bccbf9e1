#include "automation/CommandRecording.h"

#include "core/archive/ArchiveDatabase.h"
#include "core/archive/ArchiveRecording.h"
#include "core/archive/FleetArchive.h"
#include "core/document/RecorderSession.h"

#include <QFileInfo>

namespace zurval {
namespace {

const QString kArchivePrefix = QStringLiteral("archive:");

std::optional<CommandRecording> fromFile(const QString& path) {
    QString problem;
    std::optional<RecorderFile> file = readRecorderFile(path, &problem);
    if (!file) {
        complain(aboutFile(path, problem));
        return std::nullopt;
    }
    return CommandRecording{QFileInfo(path).absoluteFilePath(), std::move(*file)};
}

std::optional<CommandRecording> fromArchive(const QString& argument,
                                            const CommandArguments& arguments) {
    const QByteArray sha256 = argument.mid(kArchivePrefix.size()).toLatin1().toLower();
    const QString location = arguments.value(QStringLiteral("--archive-db"));
    const QString shown =
        withoutPassword(location.isEmpty() ? FleetArchive::defaultLocation() : location);
    ArchiveOpening opening;
    const std::unique_ptr<FleetArchive> archive =
        FleetArchive::open(location, ArchiveAccess::Read, &opening);
    if (!archive) {
        complain(aboutFile(shown, QStringLiteral("cannot open the archive: ") + opening.error));
        return std::nullopt;
    }
    QString error;
    QString keptPath;
    if (const std::optional<QByteArray> bytes = archive->recording(sha256, &error, &keptPath))
        return CommandRecording{argument, recorderFileOf(*bytes)};
    if (keptPath.isEmpty()) {
        complain(aboutFile(shown, error));
        return std::nullopt;
    }
    // Only the path is kept: the file there, as long as it still holds the reading.
    std::optional<RecorderFile> file = readRecorderFile(keptPath);
    if (!file ||
        imageSha256(QByteArray::fromRawData(reinterpret_cast<const char*>(file->bytes.data()),
                                            qsizetype(file->bytes.size()))) != sha256) {
        complain(aboutFile(argument,
                           QStringLiteral("its recording is not in the archive, and %1 does not "
                                          "hold it")
                               .arg(keptPath)));
        return std::nullopt;
    }
    return CommandRecording{QFileInfo(keptPath).absoluteFilePath(), std::move(*file)};
}

} // namespace

std::optional<CommandRecording> readCommandRecording(const QString& argument,
                                                     const CommandArguments& arguments) {
    return argument.startsWith(kArchivePrefix) ? fromArchive(argument, arguments)
                                               : fromFile(argument);
}

int openCommandRecording(const QString& argument, const CommandArguments& arguments,
                         RecorderSession& session) {
    const std::optional<CommandRecording> recording = readCommandRecording(argument, arguments);
    if (!recording)
        return kExitRefused;
    session.setFileName(recording->name);
    session.load(recording->file, [&argument](const OpenNotice& n) {
        if (const auto* m = std::get_if<notice::Message>(&n))
            complain(aboutFile(argument, m->text.trimmed()));
        else if (const auto* image = std::get_if<notice::ImageChecked>(&n); image && !image->intact)
            complain(aboutFile(argument, QStringLiteral("the image checksum fails")));
    });
    return kExitDone;
}

} // namespace zurval
