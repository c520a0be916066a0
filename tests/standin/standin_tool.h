// What every stand-in SDK tool shares: the file system as the tool sees it
// (through Wine's drives when it is a POSIX program), its arguments, and the
// log of runs that the tests read.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/host.h"

namespace standin {

class Tool {
 public:
  // Appends this run to the log: the file named by $RASTOLIN_STANDIN_LOG,
  // else standin.log beside the executable. One line per run:
  // name, working folder (Windows form) and each argument, tab-separated.
  Tool(std::string name, int argc, char** argv);

  // False when no drive holds the working folder; files() is then unusable.
  bool ready() const { return host_.has_value(); }
  platform::FileSystem& files() { return *host_->files; }
  const std::vector<std::string>& args() const { return args_; }

  // Prints "<name>: <message>" on standard output and returns the exit code.
  int Fail(int exit_code, const std::string& message) const;

 private:
  std::string name_;
  std::vector<std::string> args_;
  std::optional<platform::Host> host_;
};

}  // namespace standin
