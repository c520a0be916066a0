#include "app/window_start.h"

#include "ui/window_mode.h"

namespace app {

int StartWindow(platform::Host& host, int& argc, char** argv) {
  return ui::RunWindow(host, argc, argv);
}

}  // namespace app
