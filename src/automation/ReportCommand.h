#pragma once

#include "automation/CommandLine.h"

namespace zurval {

// zurval --report card|scheme|oper|overloads FILE --pdf OUT.pdf [--range A-B] [--frame N]:
// FILE opened as the window opens it, the report filled as its menu command fills it (the
// range as the frame-range dialog would take it, 0-200 when not given; the scheme of frame N,
// else of the oldest frame) and written to OUT.pdf without a preview. Builds no widget.
int runReport(const CommandArguments& arguments);

} // namespace zurval
