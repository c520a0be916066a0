// The operating system the program runs on: its files, processes and
// console, chosen at build time.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/file_system.h"
#include "platform/processes.h"
#include "platform/terminal.h"

namespace platform {

struct Host {
  std::unique_ptr<FileSystem> files;
  std::unique_ptr<Processes> processes;
  std::unique_ptr<Terminal> terminal;
};

// Nothing, with the reason in `error`, when the program cannot work here (a
// current folder that lies on no drive).
std::optional<Host> OpenHost(std::string& error);

}  // namespace platform
