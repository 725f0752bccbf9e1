#pragma once

namespace zurval {

// zurval --dump-state [FILE] [--each] [STEP ...]: the window on the offscreen platform,
// FILE opened, the steps acted out, the state printed as JSON. Exit code 0, or 2 when FILE
// cannot be opened or a step is refused.
int runDumpState(int argc, char** argv);

} // namespace zurval
