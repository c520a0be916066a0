// Starting the main window: linked into the Windows program, elsewhere a
// program beside this one that a start without a command line becomes, so
// that a console command loads none of Qt.
#pragma once

#include "platform/host.h"

namespace app {

// Runs the main window until it closes. Returns the exit code: 0, or 2 when
// no display can be opened or the window's program cannot be started.
int StartWindow(platform::Host& host, int& argc, char** argv);

}  // namespace app
