#include "tests/support/standin_log.h"

#include <algorithm>
#include <sstream>

#include "tests/support/run_program.h"

namespace test_support {

std::filesystem::path StandinFolder() { return BuildFolder() / "standin"; }

void PrintTo(const StandinRun& run, std::ostream* out) {
  *out << run.tool << " in " << run.working_folder << ":";
  for (const std::string& arg : run.args) *out << " [" << arg << "]";
}

std::vector<StandinRun> ReadStandinLog(const TempPrefix& prefix) {
  std::vector<StandinRun> runs;
  std::istringstream lines(ReadHostFile(prefix.StandinLog()));
  for (std::string line; std::getline(lines, line);) {
    // Tool, working folder and arguments, separated by tabs; empty ones count.
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
      fields.push_back(prefix.FromProgram(line.substr(start, tab - start)));
    fields.push_back(prefix.FromProgram(line.substr(start)));
    fields.resize(std::max<size_t>(fields.size(), 2));
    runs.push_back({fields[0], fields[1], {fields.begin() + 2, fields.end()}});
  }
  return runs;
}

}  // namespace test_support
