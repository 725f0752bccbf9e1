#pragma once

#include "automation/CommandLine.h"
#include "core/recorder/RecorderFile.h"

#include <optional>

namespace zurval {

class RecorderSession;

// The recording a headless command reads, as its command line names it: FILE.vrl, or
// archive:SHA256 for a reading of the archive that --archive-db names (the user's own when
// left out), taken from the archive's copy of its file, or from the path it was added from
// when the archive keeps only that.
struct CommandRecording {
    QString name; // the file's absolute path, or archive:SHA256
    RecorderFile file;
};

// The bytes of the recording argument names; nullopt with the reason told when there are
// none to read (kExitRefused).
[[nodiscard]] std::optional<CommandRecording>
readCommandRecording(const QString& argument, const CommandArguments& arguments);

// Reads the recording argument names and opens it into session as the window opens a file:
// the session names it, and what the window would tell in message boxes and by its grey
// status bar goes to stderr, each line naming argument. kExitDone, or kExitRefused told.
[[nodiscard]] int openCommandRecording(const QString& argument, const CommandArguments& arguments,
                                       RecorderSession& session);

} // namespace zurval
