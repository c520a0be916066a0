// Runs a built program the way a user would: in a folder, with a Wine
// prefix, typed input and its output captured.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace test_support {

struct ProgramRun {
  int exit_code = -1;
  std::string output;  // standard output
  std::string errors;  // standard error
};

// The built rastolin binary.
std::filesystem::path RastolinBinary();

ProgramRun RunProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                      const std::filesystem::path& folder,
                      const std::map<std::string, std::string>& environment,
                      const std::string& input);

}  // namespace test_support
