#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "app/window_start.h"

namespace app {

int StartWindow(platform::Host&, int&, char** argv) {
  // The window program lies beside this one; the process goes on as it,
  // with the same arguments, environment and open files.
  std::error_code failure;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", failure);
  std::string reason;
  std::string path = RASTOLIN_WINDOW_PROGRAM;
  if (failure) {
    reason = "cannot find the program's own folder to start " + path + ": " + failure.message();
  } else {
    path = (self.parent_path() / RASTOLIN_WINDOW_PROGRAM).string();
    execv(path.c_str(), argv);
    reason = "cannot start " + path + ": " + std::strerror(errno);
  }
  std::fprintf(stderr,
               "rastolin: the window cannot be opened: %s; use rastolin -console for the text "
               "console\n",
               reason.c_str());
  return 2;
}

}  // namespace app
