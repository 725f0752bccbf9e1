#pragma once

#include <QString>

class QWidget;

namespace zurval {

class Prompts;

inline constexpr const char* kHelpFileName = "HelpZURVAL.hlp";

// The help file beside the program, else where the installation puts it (share/zurval),
// else in the current folder; empty when none of them has it.
[[nodiscard]] QString findHelpFile();

// Shows the contents page of the help file, or says clearly that it is missing.
void showHelp(QWidget* parent, Prompts& prompts);

} // namespace zurval
