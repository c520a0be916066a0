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

// The runs in a fixture's log (RASTOLIN_STANDIN_LOG), oldest first, its
// drive named "C:\" (TempPrefix::FromProgram); none when there is no log.
std::vector<StandinRun> ReadStandinLog(const TempPrefix& prefix);

}  // namespace test_support
