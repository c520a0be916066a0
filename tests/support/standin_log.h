// The stand-in SDK tools (tests/standin) and the log of their runs.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "tests/support/temp_prefix.h"

namespace test_support {

// The folder holding the built stand-ins: makeace.exe, conv3ds.exe,
// txt2uni.exe and ffeditc_unicode.exe.
std::filesystem::path StandinFolder();

// One run of a stand-in as its log records it.
struct StandinRun {
  std::string tool;            // "makeace", "conv3ds", "txt2uni", "ffeditc_unicode"
  std::string working_folder;  // Windows form, as the tool saw it
  std::vector<std::string> args;

  friend bool operator==(const StandinRun&, const StandinRun&) = default;
};
void PrintTo(const StandinRun& run, std::ostream* out);

// The runs recorded in a log file (RASTOLIN_STANDIN_LOG), oldest first;
// none when the file does not exist.
std::vector<StandinRun> ReadStandinLog(const std::filesystem::path& log);
// The runs in a fixture's log, its drive named "C:\" (TempPrefix::FromProgram).
std::vector<StandinRun> ReadStandinLog(const TempPrefix& prefix);

}  // namespace test_support
