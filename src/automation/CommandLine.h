#pragma once

#include "core/export/ListExport.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

namespace zurval {

// What every command exits with.
enum ExitCode : int {
    kExitDone = 0,
    kExitNotWritten = 1, // the PDF, the CSV, the picture or the recording was not written
    kExitRefused = 2,    // bad arguments, a FILE that cannot be opened, a refused frame,
                         // range or step
};

// How often an option may be given: at most once, exactly once, or as a step, as often as
// needed and handed over in order with the other steps.
enum class Occurrence { Optional, Required, Step };

// An option of a command: "--name VALUE" or "--name=VALUE", or "--name" alone for a flag.
struct OptionSpec {
    QString name;        // "--pdf"
    QString value;       // what the value is, "OUT.pdf"; empty for a flag
    QString description; // one line of --help
    Occurrence occurrence = Occurrence::Optional;
};

// The words a command takes after its name.
struct CommandSyntax {
    QString name;           // "--report"; empty for the window
    QStringList positional; // what its plain words are, in order: "card|oper", "FILE.vrl"
    int required = 0;       // how many of them must be given
    std::vector<OptionSpec> options;
    bool repeatsLast = false; // the last plain word may be given any number of times
};

// A command line sorted out by its syntax.
struct CommandArguments {
    QStringList positional;
    QMap<QString, QString> options;                 // given once; "" for a flag
    std::vector<std::pair<QString, QString>> steps; // option and value, in the order given

    [[nodiscard]] bool has(const QString& option) const { return options.contains(option); }
    [[nodiscard]] QString value(const QString& option) const { return options.value(option); }
};

// The words after the command's name; nullopt and *error when one is not understood.
[[nodiscard]] std::optional<CommandArguments>
parseArguments(const CommandSyntax& syntax, const QStringList& words, QString* error);

// "--range A-B" of a list of capacity entries: 0 <= A, B < capacity and A < B, or A <= B
// where a single entry is a range. nullopt and *error otherwise.
[[nodiscard]] std::optional<EntryRange> parseRange(const QString& text, int capacity,
                                                   bool singleEntry, QString* error);

// "--frame N": a frame number of FrameList, 0 to 7167; nullopt and *error otherwise.
[[nodiscard]] std::optional<int> parseFrameNumber(const QString& text, QString* error);

// "FILE: reason", the form of every message about a file.
[[nodiscard]] QString aboutFile(const QString& path, const QString& reason);
// "zurval: message" on stderr.
void complain(const QString& message);
// complain(message), and the exit code to end with.
int fail(int exitCode, const QString& message);

} // namespace zurval
