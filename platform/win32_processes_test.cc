#include "platform/win32_processes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/command_line.h"
#include "platform/win32_api.h"
#include "platform/win32_wide.h"
#include "tests/support/temp_prefix.h"

namespace platform {
namespace {

void Print(std::string_view text) {
  DWORD written;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()),
            &written, nullptr);
}

// Started again by the tests below with RASTOLIN_TOOL_PROBE set, this binary
// plays a tool before any test runs: it reports its working folder, the
// command line after its name, what standard input holds and whether
// standard error takes a write, then prints as many filler bytes as its
// first argument asks for.
const bool kToolProbe = [] {
  if (!std::getenv("RASTOLIN_TOOL_PROBE")) return false;
  wchar_t folder[MAX_PATH];
  const std::string line = Narrow(GetCommandLineW());
  char byte;
  DWORD got = 0;
  const bool input_empty = ReadFile(GetStdHandle(STD_INPUT_HANDLE), &byte, 1, &got, nullptr) &&
                           got == 0;
  DWORD written = 0;
  const bool errors_written =
      WriteFile(GetStdHandle(STD_ERROR_HANDLE), "x", 1, &written, nullptr) && written == 1;
  Print(Narrow(std::wstring(folder, GetCurrentDirectoryW(MAX_PATH, folder))) + "\n" +
        std::string(TextAfterProgram(line)) + "\n" + (input_empty ? "empty" : "input") + " " +
        (errors_written ? "written" : "lost") + "\n");
  const long filler = std::atol(SplitArguments(line).at(1).c_str());
  for (long printed = 0; printed < filler; printed += 64) Print(std::string(63, 'x') + "\n");
  ExitProcess(3);
}();

std::string Self() {
  wchar_t path[MAX_PATH];
  return Narrow(std::wstring(path, GetModuleFileNameW(nullptr, path, MAX_PATH)));
}

class Win32ProcessesTest : public ::testing::Test {
 protected:
  Win32ProcessesTest() { SetEnvironmentVariableW(L"RASTOLIN_TOOL_PROBE", L"1"); }
  ~Win32ProcessesTest() override { SetEnvironmentVariableW(L"RASTOLIN_TOOL_PROBE", nullptr); }

  test_support::TempPrefix prefix_;
  Win32Processes processes_;
};

TEST_F(Win32ProcessesTest, ToolRunsHiddenInItsFolderWithItsOutputDrained) {
  prefix_.MakeFolder("C:\\Work Dir");
  const std::string folder = prefix_.ToProgram("C:\\Work Dir");
  int waits = 0;
  ToolRun run = processes_.Run("\"" + Self() + "\" 100000 \"b c\"  d\\\"e", folder,
                               [&] { ++waits; });
  EXPECT_TRUE(run.started);
  std::string expected = folder + "\n100000 \"b c\"  d\\\"e\nempty written\n";
  while (expected.size() < Processes::kKeptOutput) expected += std::string(63, 'x') + "\n";
  EXPECT_EQ(run.output, expected.substr(0, Processes::kKeptOutput));
  EXPECT_GT(waits, 0);
}

TEST_F(Win32ProcessesTest, WhatCannotStartIsNotStarted) {
  const std::string folder = prefix_.ToProgram("C:\\");
  EXPECT_FALSE(processes_.Run(prefix_.ToProgram("C:\\missing.exe a"), folder).started);
  EXPECT_FALSE(processes_.Run("", folder).started);
  EXPECT_FALSE(processes_.Run("\"" + Self() + "\" 0", prefix_.ToProgram("C:\\none")).started);
}

}  // namespace
}  // namespace platform
