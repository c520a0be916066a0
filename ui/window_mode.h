// Window mode: the main window over the host's files and processes.
#pragma once

#include "platform/host.h"

namespace ui {

// Shows the main window and runs until it closes. Returns the exit code:
// 0, or 2 when no display can be opened.
int RunWindow(platform::Host& host, int& argc, char** argv);

}  // namespace ui
