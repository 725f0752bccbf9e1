#pragma once

#include <QStringList>

class QTextStream;

namespace zurval {

// zurval --export frames|overloads FILE --csv OUT.csv [--range A-B]: FrameList or the
// non-empty records of OverloadList of FILE as CSV. The open command's messages go to err.
// Exit code 0, or 2 when the arguments or FILE are refused or OUT.csv cannot be written.
// words are the arguments after --export.
int runExportCommand(const QStringList& words, QTextStream& err);

// zurval --summary DIR [--csv OUT.csv]: one row per *.vrl under DIR, as a text table on out
// or as CSV into OUT.csv. Exit code 0, or 2 when the arguments or DIR are refused or OUT.csv
// cannot be written. Files that cannot be read are rows of the summary, not failures.
int runSummaryCommand(const QStringList& words, QTextStream& out, QTextStream& err);

} // namespace zurval
