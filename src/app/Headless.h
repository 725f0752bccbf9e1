#pragma once

namespace zurval {

// zurval --dump-state [FILE] [--each] [STEP ...] [--frame N] [--picture OUT.png]: the window
// on the offscreen platform, FILE opened, the steps acted out, frame N drawn, the protection
// picture written, the state printed as JSON. Exit code 0, or 2 when FILE cannot be opened,
// a step or the frame is refused or the picture cannot be written.
int runDumpState(int argc, char** argv);

} // namespace zurval
