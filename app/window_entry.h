// The window module's one entry point: the window run as ui::RunWindow runs
// it, under a C name that the program looks up when it loads the module.
// The module has its own copy of the engine; all it shares with the program
// is the host passed in.
#pragma once

#include "platform/host.h"

extern "C" __attribute__((visibility("default"))) int rastolin_run_window(platform::Host& host,
                                                                          int& argc, char** argv);

namespace app {

inline constexpr const char* kWindowEntry = "rastolin_run_window";

}  // namespace app
