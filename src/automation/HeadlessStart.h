#pragma once

namespace zurval {

// The offscreen platform for a command that shows nothing, and a private runtime folder when
// the session has none, which Qt would otherwise make itself with a warning on every run.
// Call before the application object is made.
void startHeadless();

} // namespace zurval
