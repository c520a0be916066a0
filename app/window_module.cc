#include "app/window_start.h"

#include <cstdio>
#include <string>

#include "app/window_entry.h"
#include "platform/module.h"

namespace app {

int StartWindow(platform::Host& host, int& argc, char** argv) {
  std::string error;
  void* entry = platform::ModuleSymbol(RASTOLIN_WINDOW_MODULE, kWindowEntry, error);
  if (!entry) {
    std::fprintf(stderr,
                 "rastolin: the window cannot be opened: %s; use rastolin -console for the text "
                 "console\n",
                 error.c_str());
    return 2;
  }
  return reinterpret_cast<decltype(&rastolin_run_window)>(entry)(host, argc, argv);
}

}  // namespace app
