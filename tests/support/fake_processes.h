// Processes for tests that must not start anything: records the command
// lines and answers with a prepared result.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/processes.h"

namespace test_support {

class FakeProcesses : public platform::Processes {
 public:
  struct Call {
    std::string command_line;
    std::string working_folder;
  };
  std::vector<Call> runs;
  platform::ToolRun result{true, ""};
  // When set, plays the tool instead (writes its files) and gives the result.
  std::function<platform::ToolRun(const Call&)> on_run;
  int restarts = 0;

  platform::ToolRun Run(const std::string& command_line, const std::string& working_folder,
                        const std::function<void()>& waiting = {}) override {
    if (waiting) waiting();
    runs.push_back({command_line, working_folder});
    return on_run ? on_run(runs.back()) : result;
  }
  bool RestartDetached() override {
    ++restarts;
    return true;
  }
};

}  // namespace test_support
