#include "platform/host.h"

#include <unistd.h>

#include <cstdlib>

#include "platform/drive_map.h"
#include "platform/posix_file_system.h"
#include "platform/posix_processes.h"
#include "platform/posix_terminal.h"
#include "platform/wine_registry.h"

namespace platform {

std::optional<Host> OpenHost(std::string& error) {
  std::optional<PosixFileSystem> files = PosixFileSystem::FromEnvironment();
  if (!files) {
    error = "The current folder lies on no drive of the Wine prefix (WINEPREFIX, or ~/.wine); "
            "add a drive for it under dosdevices or start from a folder on one.";
    return std::nullopt;
  }
  Host host;
  auto owned_files = std::make_unique<PosixFileSystem>(std::move(*files));
  host.processes = std::make_unique<PosixProcesses>(*owned_files);
  host.files = std::move(owned_files);
  host.terminal = std::make_unique<PosixTerminal>();
  host.registry = std::make_unique<WineRegistry>(WinePrefixFolder());
  return host;
}

void KeepLineEnds() {}

std::string CommandLineText(int argc, char** argv) {
  std::string text;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) text += ' ';
    text += argv[i];
  }
  return text;
}

bool DisplayNamed() {
  auto has_value = [](const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
  };
  return has_value("QT_QPA_PLATFORM") || has_value("DISPLAY") || has_value("WAYLAND_DISPLAY");
}

void WindowShown() {
  const char* descriptor = std::getenv(kWindowShownFd);
  if (!descriptor) return;
  const int fd = std::atoi(descriptor);
  unsetenv(kWindowShownFd);
  if (fd <= 2) return;
  const char shown = 1;
  [[maybe_unused]] const ssize_t written = write(fd, &shown, 1);
  close(fd);
}

}  // namespace platform
