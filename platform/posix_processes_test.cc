#include "platform/posix_processes.h"

#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/posix_file_system.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_prefix.h"

namespace fs = std::filesystem;

namespace platform {
namespace {

size_t OpenDescriptors() {
  size_t count = 0;
  for (auto it = fs::directory_iterator("/proc/self/fd"); it != fs::directory_iterator(); ++it)
    ++count;
  return count;
}

class PosixProcessesTest : public ::testing::Test {
 protected:
  PosixProcessesTest()
      : files_(DriveMap(prefix_.prefix().string()), "C:\\"), processes_(files_) {}

  void Script(std::string_view windows_path, const std::string& body) {
    prefix_.Write(windows_path, "#!/bin/sh\n" + body);
    fs::permissions(prefix_.Host(windows_path), fs::perms::owner_exec,
                    fs::perm_options::add);
  }

  test_support::TempPrefix prefix_;
  PosixFileSystem files_;
  PosixProcesses processes_;
};

constexpr char kPrintArgs[] = "for a in \"$@\"; do printf '[%s]' \"$a\"; done\n";

TEST_F(PosixProcessesTest, ProgramsThatCannotStartLeaveNothingOpen) {
  prefix_.Write("C:\\Tools\\plain.txt", "not a program\n");
  prefix_.Write("C:\\Tools\\garbage.bin", "\x7f" "ELF garbage");
  fs::permissions(prefix_.Host("C:\\Tools\\garbage.bin"), fs::perms::owner_exec,
                  fs::perm_options::add);
  Script("C:\\Tools\\quiet.sh", "exit 3\n");
  size_t before = OpenDescriptors();

  const std::pair<const char*, const char*> refused[] = {
      {"C:\\Tools\\missing.exe a b", "C:\\Tools"}, {"", "C:\\Tools"},
      {"C:\\Tools\\plain.txt", "C:\\Tools"},       {"C:\\Tools\\garbage.bin", "C:\\Tools"},
      {"C:\\Tools\\quiet.sh", "C:\\NoSuchFolder"}, {"C:\\Tools\\quiet.sh", "C:\\Tools\\plain.txt"},
      {"Q:\\quiet.sh", "C:\\Tools"}};
  for (const auto& [line, folder] : refused)
    EXPECT_FALSE(processes_.Run(line, folder).started) << line;
  // A silent tool that fails has still run; what tools print is checked end
  // to end.
  ToolRun quiet = processes_.Run("C:\\Tools\\quiet.sh", "C:\\Tools");
  EXPECT_TRUE(quiet.started);
  EXPECT_EQ(quiet.output, "");

  EXPECT_EQ(OpenDescriptors(), before);
}

TEST_F(PosixProcessesTest, ToolsReadNothingAndTheirOutputIsDrainedWhateverTheyLeaveRunning) {
  Script("C:\\Tools\\tool.sh",
         "if read line; then echo \"read $line\"; else echo eof; fi\n"
         "echo complaint >&2 && readlink /proc/$$/fd/0 /proc/$$/fd/2\n"
         "sleep 600 &\necho $! > sleeper.pid\n"
         "yes 0123456789abcde | head -c 10485760\necho finished > done.txt\n");
  ToolRun run = processes_.Run("C:\\Tools\\tool.sh", "C:\\Tools");
  std::string pid = prefix_.Read("C:\\Tools\\sleeper.pid");
  ASSERT_FALSE(pid.empty());
  kill(std::stoi(pid), SIGKILL);
  EXPECT_TRUE(run.started);
  std::string expected = "eof\n/dev/null\n/dev/null\n";
  while (expected.size() < Processes::kKeptOutput) expected += "0123456789abcde\n";
  EXPECT_EQ(run.output, expected.substr(0, Processes::kKeptOutput));
  EXPECT_EQ(prefix_.Read("C:\\Tools\\done.txt"), "finished\n");
}

// The program is the first piece of the line that names one, ".exe" added
// where it has none, and its arguments are split by the Windows rules; a
// Windows program runs through Wine, named by its full path.
TEST_F(PosixProcessesTest, ProgramPathWithSpacesIsFoundPieceByPieceAndWindowsOnesRunThroughWine) {
  Script("C:\\Program Files\\t\\tool.exe", std::string("printf '%s|' \"$0\"\n") + kPrintArgs);
  prefix_.Write("C:\\Win\\Tool.exe", std::string("MZ\x90\0\3\0\0\0", 8));
  const fs::path wine = prefix_.root() / "fake wine";
  test_support::WriteHostFile(wine, std::string("#!/bin/sh\npwd -P\n") + kPrintArgs);
  fs::permissions(wine, fs::perms::owner_exec, fs::perm_options::add);
  test_support::ScopedEnv env("RASTOLIN_WINE", wine.string());
  const std::string tool = prefix_.Host("C:\\Program Files\\t\\tool.exe").string();
  const std::string in_win = prefix_.Host("C:\\Win").string() + "\n";
  const std::pair<const char*, std::string> runs[] = {
      {R"(C:\Program Files\t\tool x "y z" d\"e "" k\\l)", tool + R"(|[x][y z][d"e][][k\\l])"},
      {R"(C:\Win\tool a "b c" d\"e)", in_win + R"([C:\Win\tool.exe][a][b c][d"e])"},
      // Wine would look for a relative name from the tool's working folder.
      {R"(Win\Tool.exe x)", in_win + R"([C:\Win\Tool.exe][x])"},
  };
  for (const auto& [line, output] : runs) {
    const ToolRun run = processes_.Run(line, "C:\\Win");
    EXPECT_TRUE(run.started) << line;
    EXPECT_EQ(run.output, output) << line;
  }
  // An earlier piece that names a program wins, as on Windows; a quoted
  // program is the quoted text.
  Script("C:\\Program.exe", std::string("printf 'first|'\n") + kPrintArgs);
  EXPECT_EQ(processes_.Run(R"(C:\Program Files\t\tool x "y z")", "C:\\").output,
            R"(first|[Files\t\tool][x][y z])");
  EXPECT_EQ(processes_.Run(R"("C:\Program Files\t\tool" x)", "C:\\").output, tool + "|[x]");

  test_support::ScopedEnv missing("RASTOLIN_WINE", (prefix_.root() / "no-such-wine").string());
  const size_t before = OpenDescriptors();
  EXPECT_FALSE(processes_.Run("C:\\Win\\Tool.exe", "C:\\Win").started);
  EXPECT_EQ(OpenDescriptors(), before);
}

// A real Windows program under the real Wine: built when the build has
// MinGW, run when the test run names an initialized prefix.
TEST(PosixProcessesWineTest, WindowsToolRunsUnderWine) {
#ifndef RASTOLIN_WINE_PROBE
  GTEST_SKIP() << "no MinGW compiler built the Windows probe";
#else
  const char* wine_prefix = getenv("RASTOLIN_TEST_WINEPREFIX");
  if (!wine_prefix || !*wine_prefix) GTEST_SKIP() << "RASTOLIN_TEST_WINEPREFIX names no prefix";
  test_support::ScopedEnv env("WINEPREFIX", wine_prefix);
  test_support::TempPrefix scratch;
  fs::copy_file(RASTOLIN_WINE_PROBE, scratch.root() / "Probe Tool.exe");
  fs::create_directories(scratch.root() / "work");
  // The prefix's own drives, as Wine shows them to the tool.
  PosixFileSystem files(DriveMap(wine_prefix), "Z:\\");
  PosixProcesses processes(files);
  const std::string tool = files.FromUserPath((scratch.root() / "Probe Tool.exe").string());
  const std::string work = files.FromUserPath((scratch.root() / "work").string());

  ToolRun run = processes.Run("\"" + tool + "\" 100000 \"b c\" d\\\"e", work);
  EXPECT_TRUE(run.started);
  std::string expected = work + "\n[100000][b c][d\"e]\n";
  while (expected.size() < Processes::kKeptOutput) expected += std::string(63, 'x') + "\n";
  EXPECT_EQ(run.output, expected.substr(0, Processes::kKeptOutput));
#endif
}

}  // namespace
}  // namespace platform
