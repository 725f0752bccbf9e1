#pragma once

#include "automation/CommandLine.h"
#include "core/export/Csv.h"

class QTextStream;

namespace zurval {

// The table into the CSV file at path: kExitDone, or kExitNotWritten with the reason told.
[[nodiscard]] int writeCsv(const QString& path, const CsvTable& table);
// --csv-style comma|point; comma when left out, nullopt (told) for any other word.
[[nodiscard]] std::optional<CsvStyle> csvStyleOption(const CommandArguments& arguments);

// zurval --export frames|overloads FILE --csv OUT.csv [--range A-B] [--csv-style comma|point]:
// FrameList or the non-empty records of OverloadList of FILE as CSV. The open command's
// messages go to stderr.
[[nodiscard]] int runExportCommand(const CommandArguments& arguments);

// zurval --summary DIR [--csv OUT.csv [--csv-style comma|point]]: one row per *.vrl under
// DIR, as a text table on out or as CSV into OUT.csv. Files that cannot be read are rows of the
// summary, not failures.
[[nodiscard]] int runSummaryCommand(const CommandArguments& arguments, QTextStream& out);

} // namespace zurval
