#pragma once

namespace zurval {

// zurval --dump-state [FILE] [--each] [STEP ...]: the window on the offscreen platform,
// FILE opened, the steps acted out, the state printed as JSON. Exit code 0, or 2 when FILE
// cannot be opened or a step is refused.
int runDumpState(int argc, char** argv);

// zurval --report card|oper|overloads FILE --pdf OUT.pdf [--range A-B]: FILE opened as
// --dump-state does, the report filled as its menu command fills it (the range as the
// frame-range dialog would take it, 0-200 when not given) and written to OUT.pdf without a
// preview. Exit code 0; 2 when an argument is wrong, FILE cannot be opened or the report is
// refused; 1 when OUT.pdf cannot be written.
int runReport(int argc, char** argv);

} // namespace zurval
