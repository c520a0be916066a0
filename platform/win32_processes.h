// Processes on Windows: CreateProcessW with the command line as composed.
#pragma once

#include "platform/processes.h"

namespace platform {

class Win32Processes : public Processes {
 public:
  ToolRun Run(const std::string& command_line, const std::string& working_folder,
              const std::function<void()>& waiting = {}) override;
  bool RestartDetached() override;
};

}  // namespace platform
