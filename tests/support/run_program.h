// Runs a built program the way a user would: in a folder, with typed input
// and its output captured.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/support/temp_prefix.h"

namespace test_support {

struct ProgramRun {
  int exit_code = -1;
  std::string output;  // standard output
  std::string errors;  // standard error
};

// The build folder of the running test, and the programs built in it.
std::filesystem::path BuildFolder();
std::filesystem::path RastolinBinary();

// The arguments go on the command line as they are, joined by blanks, the
// way a user types them.
ProgramRun RunProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                      const std::filesystem::path& folder,
                      const std::map<std::string, std::string>& environment,
                      const std::string& input);

// Runs rastolin in a folder of the fixture's drive C, its stand-in tools
// logging to the fixture's log. "C:\" in the arguments and the input names
// the fixture's drive, and so it does in the output (TempPrefix::ToProgram).
ProgramRun RunInPrefix(const TempPrefix& prefix, const std::vector<std::string>& args,
                       std::string_view folder, const std::string& input);

#ifndef _WIN32
// As RunInPrefix, with standard output and standard error on one
// pseudo-terminal: the output holds both as a user's screen gets them.
ProgramRun RunOnTerminal(const TempPrefix& prefix, const std::vector<std::string>& args,
                         std::string_view folder, const std::string& input);

// rastolin started in a folder of the fixture's drive C, as RunInPrefix
// starts it, for a test that kills it while it works: its output goes
// nowhere. The destructor waits for it to end.
class KillableRun {
 public:
  KillableRun(const TempPrefix& prefix, const std::vector<std::string>& args,
              std::string_view folder, const std::string& input);
  ~KillableRun();
  KillableRun(const KillableRun&) = delete;
  KillableRun& operator=(const KillableRun&) = delete;

  bool Ended();
  // SIGKILL: the program gets no chance to finish anything.
  void Kill();
  // SIGSTOP and SIGCONT: the program holds what it holds meanwhile.
  void Pause(bool paused);

 private:
  std::filesystem::path scratch_;
  int pid_ = -1;
  bool ended_ = false;
};
#endif

}  // namespace test_support
