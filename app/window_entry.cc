#include "app/window_entry.h"

#include "ui/window_mode.h"

int rastolin_run_window(platform::Host& host, int& argc, char** argv) {
  return ui::RunWindow(host, argc, argv);
}
