#pragma once

#include "automation/CommandLine.h"

class QTextStream;

namespace zurval {

// zurval [--archive-db DB] --archive add FILE|DIR... | list [--csv OUT.csv] |
// crane RECORDER_NUMBER [--csv OUT.csv]: JSON on out, or CSV into OUT.csv.
[[nodiscard]] int runArchiveCommand(const CommandArguments& arguments, QTextStream& out);

} // namespace zurval
