#pragma once

#include "automation/CommandLine.h"

#include <QCoreApplication>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace zurval {

// The application object a command runs in.
enum class AppKind {
    None,            // --help, --version
    Core,            // files only
    OffscreenGui,    // paints, without a display
    OffscreenWindow, // drives the main window, without a display
    Window,          // the main window on the screen
};

// A command of the program: the first word of its command line.
struct Command {
    CommandSyntax syntax; // the window's has no name
    QString alias;        // "-h"
    QStringList usage;    // the lines of its usage, after "zurval"
    QString description;  // what it does, for --help
    AppKind app;
    int (*run)(const CommandArguments& arguments);
};

// Every command, the window first.
[[nodiscard]] const std::vector<Command>& commands();

struct CommandCall {
    const Command* command;
    CommandArguments arguments;
};
// The command the words name, with its arguments; the window when the first word is no
// option. nullopt and *error when the words are not understood.
[[nodiscard]] std::optional<CommandCall> parseCommandLine(const QStringList& words, QString* error);

// The application object of that kind; the headless ones on the offscreen platform.
[[nodiscard]] std::unique_ptr<QCoreApplication> createApplication(AppKind kind, int& argc,
                                                                  char** argv);

// What main does: the command the first word names (none: the window) runs in the
// application object it needs. started, when given, sees that object (nullptr for none) and
// the command before it runs: the start-up benchmark watches the window paint.
using ProgramStarted = std::function<void(QCoreApplication* app, const CommandCall& call)>;
int runProgram(int argc, char** argv, const ProgramStarted& started = {});

// What --help prints: every command with its options, the exit codes and the environment.
[[nodiscard]] QString helpText();

} // namespace zurval
