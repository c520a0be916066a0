// Starting outside programs from Windows command lines.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace platform {

struct ToolRun {
  bool started = false;  // false: the program could not be started
  std::string output;    // the first bytes of its standard output
};

class Processes {
 public:
  // How much of a tool's output is kept.
  static constexpr size_t kKeptOutput = 4096;

  virtual ~Processes() = default;

  // Runs a command line (program and arguments as Windows splits them) in a
  // working folder, hidden, with standard input and error on the null
  // device, and waits for it to end while draining its standard output.
  // While it waits, `waiting` is called every few tens of milliseconds.
  virtual ToolRun Run(const std::string& command_line, const std::string& working_folder,
                      const std::function<void()>& waiting = {}) = 0;

  // Starts this program again without arguments and does not wait for it
  // to end. Where a window may fail to open (POSIX: a display named but not
  // there), waits until it is shown (WindowShown) and is false when the
  // program ends first.
  virtual bool RestartDetached() = 0;
};

}  // namespace platform
