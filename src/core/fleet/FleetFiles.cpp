#include "core/fleet/FleetFiles.h"

#include "core/document/OpenRecording.h"
#include "core/recorder/Checksums.h"
#include "core/recorder/FileMap.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace zurval {
namespace {

// The image and its stored sum: a file shorter than that was cut off.
constexpr std::size_t kShortestWholeFile = filemap::kStoredImageSum + 4;

QString danglingLinkProblem() {
    return QStringLiteral("ссылка никуда не ведёт");
}

// Walks folder into found, skipping folders and files already listed.
void walk(const QString& folder, QSet<QString>& walkedFolders, QSet<QString>& listedFiles,
          std::vector<FoundRecording>& found) {
    std::vector<QString> pending{QDir(folder).absolutePath()};
    while (!pending.empty()) {
        const QString path = pending.back();
        pending.pop_back();
        const QFileInfo info(path);
        const QString canonical = info.canonicalFilePath();
        if (canonical.isEmpty() || walkedFolders.contains(canonical))
            continue;
        walkedFolders.insert(canonical);
        if (!info.isReadable() || !info.isExecutable()) {
            found.push_back({path, QStringLiteral("папка не читается")});
            continue;
        }
        // System lists links that lead nowhere, pipes and devices too, so that a *.vrl
        // among them is reported rather than skipped.
        const QFileInfoList entries = QDir(path).entryInfoList(
            QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
        std::vector<QString> subfolders;
        for (const QFileInfo& entry : entries) {
            if (entry.isDir()) {
                subfolders.push_back(entry.absoluteFilePath());
                continue;
            }
            if (!entry.fileName().endsWith(QStringLiteral(".vrl"), Qt::CaseInsensitive))
                continue;
            if (!entry.exists()) {
                found.push_back({entry.absoluteFilePath(), danglingLinkProblem()});
            } else if (!entry.isFile()) {
                // Reading a pipe would wait for a writer for ever.
                found.push_back({entry.absoluteFilePath(), QStringLiteral("не обычный файл")});
            } else if (!listedFiles.contains(entry.canonicalFilePath())) {
                listedFiles.insert(entry.canonicalFilePath());
                found.push_back({entry.absoluteFilePath(), {}});
            }
        }
        // Walked in name order: the last pushed is taken first.
        pending.insert(pending.end(), subfolders.rbegin(), subfolders.rend());
    }
}

} // namespace

std::vector<FoundRecording> findRecordings(const QString& folder) {
    return findRecordings(QStringList{folder});
}

std::vector<FoundRecording> findRecordings(const QStringList& paths) {
    std::vector<FoundRecording> found;
    QSet<QString> walkedFolders;
    QSet<QString> listedFiles;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (info.isDir()) {
            walk(path, walkedFolders, listedFiles, found);
        } else if (!info.exists()) {
            found.push_back({info.absoluteFilePath(),
                             info.isSymLink() ? danglingLinkProblem()
                                              : QStringLiteral("нет такого файла или папки")});
        } else if (!info.isFile()) {
            found.push_back({info.absoluteFilePath(), QStringLiteral("не обычный файл")});
        } else if (!listedFiles.contains(info.canonicalFilePath())) {
            listedFiles.insert(info.canonicalFilePath());
            found.push_back({info.absoluteFilePath(), {}});
        }
    }
    return found;
}

CheckedRecording checkRecording(const FoundRecording& found, RecorderDocument& document) {
    CheckedRecording c;
    if (!found.problem.isEmpty()) {
        c.problems << found.problem;
        return c;
    }
    c.file = readRecorderFile(found.path);
    if (!c.file) {
        c.problems << (QFileInfo(found.path).isReadable() ? QStringLiteral("файл не открывается")
                                                          : QStringLiteral("нет доступа"));
        return c;
    }
    if (c.file->bytes.empty()) {
        c.problems << QStringLiteral("пустой файл");
        return c;
    }
    const ByteReader r = c.file->reader();
    const QStringList bankFailures = failedBlockMessages(r, serviceBankBlocks());
    // A recorder keeps two banks of six blocks; a file in which not one of them holds is no
    // recording of it (a file of another kind named *.vrl).
    if (bankFailures.size() == static_cast<qsizetype>(serviceBankBlocks().size())) {
        c.problems << QStringLiteral("не запись регистратора: не сходится ни один блок банков");
        return c;
    }

    const OpenOutcome outcome = decodeRecording(*c.file, document);
    if (c.file->bytes.size() < kShortestWholeFile)
        c.problems << QStringLiteral("файл обрезан: %1 байт из %2")
                          .arg(c.file->bytes.size())
                          .arg(kShortestWholeFile);
    for (const OpenNotice& n : outcome.notices)
        if (const auto* image = std::get_if<notice::ImageChecked>(&n); image && !image->intact)
            c.problems << QStringLiteral("Ошибка контрольной суммы образа памяти!");
    c.problems << bankFailures;
    c.state = c.problems.isEmpty() ? FileState::Intact : FileState::Damaged;
    return c;
}

} // namespace zurval
