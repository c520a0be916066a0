// Runs the built stand-in tools the way the program does: through
// PosixProcesses, from a Wine-style prefix, with Windows command lines. What
// they write for the program's own command lines is checked end to end; here
// are the command lines the real tools refuse, which must leave nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "platform/posix_file_system.h"
#include "platform/posix_processes.h"
#include "tests/support/msts_text.h"
#include "tests/support/scoped_env.h"
#include "tests/support/standin_log.h"
#include "tests/support/temp_prefix.h"

namespace fs = std::filesystem;

namespace {

constexpr char kUtils[] = R"(C:\MSTS\UTILS\)";
constexpr char kFfedit[] = R"(C:\MSTS\UTILS\FFEDIT\)";

class StandinTest : public ::testing::Test {
 protected:
  StandinTest()
      : wineprefix_("WINEPREFIX", prefix_.prefix().string()),
        files_(platform::DriveMap(prefix_.prefix().string()), "C:\\"),
        processes_(files_) {
    prefix_.MakeFolder(kFfedit);
    for (const char* tool : {"makeace", "conv3ds", "txt2uni"})
      Install(tool, std::string(kUtils) + tool + ".exe");
    Install("ffeditc_unicode", std::string(kFfedit) + "ffeditc_unicode.exe");
  }

  void Install(const std::string& tool, const std::string& windows_path) {
    fs::copy_file(test_support::StandinFolder() / (tool + ".exe"), prefix_.Host(windows_path));
  }

  std::string Run(const std::string& command_line, const std::string& folder) {
    platform::ToolRun run = processes_.Run(command_line, folder);
    EXPECT_TRUE(run.started) << command_line;
    return run.output;
  }

  std::set<std::string> OnDisk(const std::string& folder) const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(prefix_.Host(folder)))
      names.insert(entry.path().filename());
    return names;
  }

  test_support::TempPrefix prefix_;
  test_support::ScopedEnv wineprefix_;
  platform::PosixFileSystem files_;
  platform::PosixProcesses processes_;
};

TEST_F(StandinTest, FfeditcStoresTheBodyLengthAndRefusesOtherSwitches) {
  const std::string copy = std::string(kFfedit) + "House.s";
  const std::string text = "SIMISA@@@@@@@@@@JINX0s1t______\r\n\r\nshape ( крыша )\r\n";
  prefix_.Write(copy, text);
  for (const char* refused : {"House.s /x /o:House.s", "House.s /u", "House.s /c /o:"}) {
    Run(std::string(kFfedit) + "ffeditc_unicode.exe " + refused, kFfedit);
    EXPECT_EQ(prefix_.Read(copy), text) << refused;
  }
  Run(std::string(kFfedit) + "ffeditc_unicode.exe house.s /c /o:house.s", kFfedit);
  const std::string compressed = prefix_.Read(copy);
  ASSERT_GE(compressed.size(), 16u);
  size_t length = 0;
  for (int i = 3; i >= 0; --i)
    length = length * 256 + static_cast<unsigned char>(compressed[8 + i]);
  EXPECT_EQ(length, test_support::UnicodeFile(text).size());
}

TEST_F(StandinTest, MakeaceRefusesWhatTheRealToolRefuses) {
  prefix_.Write(R"(C:\Tex\a.tga)", "TGA pixels");
  const std::string makeace = std::string(kUtils) + "makeace.exe ";
  const std::string output = Run(makeace + R"(missing.tga "C:\Tex\c.ace" -zlib)", R"(C:\Tex)");
  EXPECT_NE(output.find("missing.tga"), std::string::npos);
  for (const char* options : {"-fast", "-zlib -trans", "-bmp -zlib"})
    Run(makeace + R"(a.tga "C:\Tex\a.ace" )" + options, R"(C:\Tex)");
  EXPECT_EQ(OnDisk(R"(C:\Tex)"), std::set<std::string>{"a.tga"});
}

}  // namespace
