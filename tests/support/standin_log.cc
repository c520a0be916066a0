#include "tests/support/standin_log.h"

#include "tests/support/run_program.h"

namespace test_support {

std::filesystem::path StandinFolder() { return BuildFolder() / "standin"; }

void PrintTo(const StandinRun& run, std::ostream* out) {
  *out << run.tool << " in " << run.working_folder << ":";
  for (const std::string& arg : run.args) *out << " [" << arg << "]";
}

std::vector<StandinRun> ReadStandinLog(const std::filesystem::path& log) {
  std::vector<StandinRun> runs;
  std::string text = ReadHostFile(log);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::vector<std::string> fields;
    size_t field = start;
    for (;;) {
      size_t tab = text.find('\t', field);
      if (tab == std::string::npos || tab > end) {
        fields.push_back(text.substr(field, end - field));
        break;
      }
      fields.push_back(text.substr(field, tab - field));
      field = tab + 1;
    }
    StandinRun run;
    run.tool = fields[0];
    if (fields.size() > 1) run.working_folder = fields[1];
    run.args.assign(fields.begin() + std::min<size_t>(2, fields.size()), fields.end());
    runs.push_back(std::move(run));
    start = end + 1;
  }
  return runs;
}

std::vector<StandinRun> ReadStandinLog(const TempPrefix& prefix) {
  std::vector<StandinRun> runs = ReadStandinLog(prefix.StandinLog());
  for (StandinRun& run : runs) {
    run.working_folder = prefix.FromProgram(run.working_folder);
    for (std::string& arg : run.args) arg = prefix.FromProgram(arg);
  }
  return runs;
}

}  // namespace test_support
