#pragma once

#include "core/document/RecorderDocument.h"
#include "core/recorder/RecorderFile.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace zurval {

// A service company keeps every reading of every crane in folders; the folder summary and the
// archive both walk them and check each file as the open command would.

enum class FileState { Intact, Damaged, Unreadable };

// A *.vrl found under a folder. problem tells why it cannot be read at all (a link that
// leads nowhere, no regular file, a folder that cannot be listed).
struct FoundRecording {
    QString path;
    QString problem;
};

// Every *.vrl (in any letter case) under folder and its subfolders. Links are followed, but
// each folder is walked once however many links lead to it, so link loops end, and a file
// reached by several paths is listed once. A folder that cannot be listed is listed itself,
// with its problem, so that nothing under it goes missing unnoticed.
[[nodiscard]] std::vector<FoundRecording> findRecordings(const QString& folder);
// The files named and every *.vrl under the folders named, each file once; a path that
// names nothing is listed with its problem.
[[nodiscard]] std::vector<FoundRecording> findRecordings(const QStringList& paths);

// One file read and decoded by the open command into a document the caller keeps.
struct CheckedRecording {
    FileState state = FileState::Unreadable;
    // Damaged: the checks that failed; unreadable: the reason.
    QStringList problems;
    // The file's bytes as read; document holds what they decode to unless unreadable.
    std::optional<RecorderFile> file;
};
[[nodiscard]] CheckedRecording checkRecording(const FoundRecording& found,
                                              RecorderDocument& document);

} // namespace zurval
