#include "platform/host.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "platform/command_line.h"
#include "platform/win32_api.h"
#include "platform/win32_file_system.h"
#include "platform/win32_processes.h"
#include "platform/win32_registry.h"
#include "platform/win32_terminal.h"
#include "platform/win32_wide.h"

namespace platform {

std::optional<Host> OpenHost(std::string& error) {
  Host host;
  host.files = std::make_unique<Win32FileSystem>();
  if (host.files->CurrentFolder().empty()) {
    error = "The current folder cannot be read.";
    return std::nullopt;
  }
  host.processes = std::make_unique<Win32Processes>();
  host.terminal = std::make_unique<Win32Terminal>();
  host.registry = std::make_unique<Win32Registry>();
  return host;
}

void KeepLineEnds() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

std::string CommandLineText(int, char**) {
  return std::string(TextAfterProgram(Narrow(GetCommandLineW())));
}

bool DisplayNamed() { return true; }

void WindowShown() {}

}  // namespace platform
