// The window program of the Linux build: `rastolin` started without a
// command line replaces itself with this program, which runs the main window
// as ui::RunWindow runs it.
#include <cstdio>
#include <optional>
#include <string>

#include "platform/host.h"
#include "ui/window_mode.h"

int main(int argc, char** argv) {
  platform::KeepLineEnds();
  std::string error;
  std::optional<platform::Host> host = platform::OpenHost(error);
  if (!host) {
    std::fputs((error + "\n").c_str(), stderr);
    return 1;
  }
  return ui::RunWindow(*host, argc, argv);
}
