#include "tests/support/run_program.h"

#include <cstdlib>
#include <stdexcept>

#include "tests/support/temp_prefix.h"

namespace fs = std::filesystem;

namespace test_support {
namespace {

std::string Quote(const std::string& text) {
  std::string out = "'";
  for (char c : text) {
    if (c == '\'') {
      out += "'\\''";
    } else {
      out += c;
    }
  }
  return out + "'";
}

}  // namespace

fs::path RastolinBinary() { return RASTOLIN_BINARY; }

ProgramRun RunProgram(const fs::path& program, const std::vector<std::string>& args,
                      const fs::path& folder, const std::map<std::string, std::string>& environment,
                      const std::string& input) {
  const fs::path scratch = fs::temp_directory_path() /
                           ("rastolin-run-" + std::to_string(std::rand()) + "-" +
                            std::to_string(reinterpret_cast<uintptr_t>(&input)));
  fs::create_directories(scratch);
  WriteHostFile(scratch / "in", input);
  std::string command = "cd " + Quote(folder.string()) + " && env";
  for (const auto& [name, value] : environment) command += " " + Quote(name + "=" + value);
  command += " " + Quote(program.string());
  for (const std::string& arg : args) command += " " + Quote(arg);
  command += " <" + Quote((scratch / "in").string()) + " >" + Quote((scratch / "out").string()) +
             " 2>" + Quote((scratch / "err").string());
  int status = std::system(command.c_str());
  ProgramRun run;
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.output = ReadHostFile(scratch / "out");
  run.errors = ReadHostFile(scratch / "err");
  fs::remove_all(scratch);
  return run;
}

}  // namespace test_support
