#pragma once

#include "automation/CommandLine.h"

class QTextStream;

namespace zurval {

// zurval [--archive-db DB] --archive add FILE|DIR... | list [--csv OUT.csv] |
// crane RECORDER_NUMBER [--csv OUT.csv] | get SHA256 --out FILE.vrl: JSON on out, CSV into
// OUT.csv, or the recording into FILE.vrl.
[[nodiscard]] int runArchiveCommand(const CommandArguments& arguments, QTextStream& out);

} // namespace zurval
