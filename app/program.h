// The program's life: start-up, the event loop and shutdown.
#pragma once

namespace app {

// Prepares the process, builds the main window, runs the event loop until
// the window is gone and shuts down. Returns the process exit code: 0 on the
// ordinary path, -1 when the main window cannot be built.
int StartUp();

}  // namespace app
