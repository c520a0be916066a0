#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "app/window_start.h"
#include "core/conv_main.h"

namespace app {

int StartWindow(platform::Host& host, int&, char** argv) {
  // The window program lies beside this one; the process goes on as it,
  // with the same arguments, environment and open files.
  std::error_code failure;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", failure);
  std::string path = RASTOLIN_WINDOW_PROGRAM;
  if (!failure) {
    path = (self.parent_path() / RASTOLIN_WINDOW_PROGRAM).string();
    execv(path.c_str(), argv);
  }
  const std::string system_reason = failure ? failure.message() : std::strerror(errno);
  const core::Language texts(core::StoredLanguage(*host.files));
  const std::string reason =
      texts.Format(failure ? core::Msg::WindowFolderUnknown : core::Msg::WindowNotStarted, path,
                   system_reason);
  std::fprintf(stderr, "%s\n", texts.Format(core::Msg::WindowCannotOpen, reason).c_str());
  return 2;
}

}  // namespace app
