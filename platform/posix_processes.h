// Processes on POSIX: Windows programs (MZ) run through wine, native ones
// directly.
#pragma once

#include "platform/file_system.h"
#include "platform/processes.h"

namespace platform {

// Names, in a program RestartDetached started, the descriptor on which
// WindowShown reports.
inline constexpr char kWindowShownFd[] = "RASTOLIN_WINDOW_SHOWN_FD";

class PosixProcesses : public Processes {
 public:
  // Paths in command lines and working folders resolve through `files`.
  explicit PosixProcesses(const FileSystem& files);

  ToolRun Run(const std::string& command_line, const std::string& working_folder,
              const std::function<void()>& waiting = {}) override;
  bool RestartDetached() override;

 private:
  const FileSystem& files_;
};

}  // namespace platform
