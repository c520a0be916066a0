// Runs the built stand-in tools the way the program does: through
// PosixProcesses, from a Wine-style prefix, with Windows command lines.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "platform/posix_file_system.h"
#include "platform/posix_processes.h"
#include "platform/text.h"
#include "tests/standin/three_ds.h"
#include "tests/support/scoped_env.h"
#include "tests/support/standin_log.h"
#include "tests/support/temp_prefix.h"
#include "tests/support/msts_text.h"

namespace fs = std::filesystem;
using test_support::StandinRun;

namespace {

constexpr char kUtils[] = R"(C:\MSTS\UTILS\)";
constexpr char kFfedit[] = R"(C:\MSTS\UTILS\FFEDIT\)";

using test_support::Crlf;


const std::string kShape = Crlf(
    "SIMISA@@@@@@@@@@JINX0s1t______\n\nshape (\n"
    "\timages ( 2\n\t\timage ( brick.ace )\n\t\timage ( крыша.ace )\n\t)\n"
    "\ttextures ( 2\n\t\ttexture ( 0 0 0 ff000000 )\n\t\ttexture ( 1 0 0 ff000000 )\n\t)\n"
    ")\n");

class StandinTest : public ::testing::Test {
 protected:
  StandinTest()
      : wineprefix_("WINEPREFIX", prefix_.prefix().string()),
        log_("RASTOLIN_STANDIN_LOG", (prefix_.root() / "standin.log").string()),
        files_(platform::DriveMap(prefix_.prefix().string()), "C:\\"),
        processes_(files_) {
    prefix_.MakeFolder(kUtils);
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
    for (const auto& entry : fs::directory_iterator(prefix_.Host(folder))) names.insert(entry.path().filename());
    return names;
  }
  std::vector<StandinRun> Log() const {
    return test_support::ReadStandinLog(prefix_.root() / "standin.log");
  }

  test_support::TempPrefix prefix_;
  test_support::ScopedEnv wineprefix_;
  test_support::ScopedEnv log_;
  platform::PosixFileSystem files_;
  platform::PosixProcesses processes_;
};

TEST_F(StandinTest, Conv3dsListsEachTextureOnceInShapeTextOrWritesNothing) {
  prefix_.Write(R"(C:\Models\A.3DS)", standin::Make3ds({"brick.tga", "Roof.TGA"}));
  prefix_.Write(R"(C:\Models\b.3ds)", standin::Make3ds({"BRICK.TGA", "window.bmp", "plain"}));
  prefix_.Write(R"(C:\Models\text.3ds)", "not a model");
  prefix_.MakeFolder(R"(C:\Models\Out)");

  Run(R"(C:\MSTS\UTILS\conv3ds.exe "C:\Models\Out\House.s"  a.3ds b.3ds)", R"(C:\Models)");
  std::string shape = prefix_.Read(R"(C:\Models\Out\House.s)");
  EXPECT_NE(shape.find("\timages ( 4\r\n\t\timage ( brick.ace )\r\n\t\timage ( Roof.ace )\r\n"
                       "\t\timage ( window.ace )\r\n\t\timage ( plain.ace )\r\n\t)\r\n\ttextures ( 4\r\n"
                       "\t\ttexture ( 0 0 0 ff000000 )\r\n\t\ttexture ( 1 0 0 ff000000 )\r\n"
                       "\t\ttexture ( 2 0 0 ff000000 )\r\n\t\ttexture ( 3 0 0 ff000000 )\r\n\t)\r\n"),
            std::string::npos)
      << shape;
  std::string bare = shape;
  std::erase(bare, '\r');
  EXPECT_EQ(Crlf(bare), shape);  // CR LF at every line end

  std::string output = Run(R"(C:\MSTS\UTILS\conv3ds.exe "C:\Models\a.s" a.3ds missing.3ds)", R"(C:\Models)");
  EXPECT_NE(output.find("missing.3ds"), std::string::npos);
  Run(R"(C:\MSTS\UTILS\conv3ds.exe "C:\Models\b.s" text.3ds)", R"(C:\Models)");
  Run(R"(C:\MSTS\UTILS\conv3ds.exe "C:\Models\c.s")", R"(C:\Models)");
  for (const char* name : {"a.s", "b.s", "c.s"}) EXPECT_FALSE(fs::exists(prefix_.Host(std::string(R"(C:\Models\)") + name)));
  ASSERT_EQ(Log().size(), 4u);
  EXPECT_EQ(Log()[0], (StandinRun{"conv3ds", R"(C:\Models)", {R"(C:\Models\Out\House.s)", "a.3ds", "b.3ds"}}));
}
TEST_F(StandinTest, Txt2uniRewritesTextAsUnicodeOnce) {
  prefix_.Write(R"(C:\Models\house.s)", kShape);
  Run(R"(C:\MSTS\UTILS\txt2uni.exe house.s)", R"(C:\Models)");
  Run(R"(C:\MSTS\UTILS\txt2uni.exe HOUSE.S)", R"(C:\Models)");
  EXPECT_EQ(prefix_.Read(R"(C:\Models\house.s)"), test_support::UnicodeFile(kShape));
  Run(R"(C:\MSTS\UTILS\txt2uni.exe missing.s)", R"(C:\Models)");
  EXPECT_FALSE(fs::exists(prefix_.Host(R"(C:\Models\missing.s)")));
  EXPECT_EQ(Log().back(), (StandinRun{"txt2uni", R"(C:\Models)", {"missing.s"}}));
}

TEST_F(StandinTest, FfeditcCompressesAndRestoresTextAndRefusesOtherSwitches) {
  const std::string copy = std::string(kFfedit) + "House.s";
  prefix_.Write(copy, test_support::UnicodeFile(kShape));
  // The program lower-cases the whole compress line and leaves ".exe" off.
  Run(R"(c:\msts\utils\ffedit\ffeditc_unicode house.s /c /o:house.s)", kFfedit);
  std::string compressed = prefix_.Read(copy);
  ASSERT_GE(compressed.size(), 16u);
  EXPECT_EQ(compressed.substr(0, 8), "SIMISA@F");
  EXPECT_EQ(compressed.substr(12, 4), "@@@@");
  size_t length = 0;
  for (int i = 3; i >= 0; --i) length = length * 256 + static_cast<unsigned char>(compressed[8 + i]);
  EXPECT_EQ(length, test_support::UnicodeFile(kShape).size());
  EXPECT_EQ(compressed.find(platform::Utf8ToUtf16Le("\timage ")), std::string::npos);
  Run(std::string(kFfedit) + "ffeditc_unicode.exe House.s /u /o:House.s", kFfedit);
  EXPECT_EQ(prefix_.Read(copy), test_support::UnicodeFile(kShape));

  // 8-bit text becomes Unicode; other switches change nothing.
  prefix_.Write(copy, kShape);
  Run(std::string(kFfedit) + "ffeditc_unicode.exe House.s /x /o:House.s", kFfedit);
  Run(std::string(kFfedit) + "ffeditc_unicode.exe House.s /u", kFfedit);
  EXPECT_EQ(prefix_.Read(copy), kShape);
  Run(std::string(kFfedit) + "ffeditc_unicode.exe House.s /u /o:House.s", kFfedit);
  EXPECT_EQ(prefix_.Read(copy), test_support::UnicodeFile(kShape));
  EXPECT_EQ(Log()[0], (StandinRun{"ffeditc_unicode", R"(C:\MSTS\UTILS\FFEDIT)", {"house.s", "/c", "/o:house.s"}}));
}

TEST_F(StandinTest, MakeaceWritesTheTextureOrNothing) {
  const std::string source("TGA\0\x01\x02 pixels", 13);
  prefix_.Write(R"(C:\Tex\a.tga)", source);
  prefix_.MakeFolder(R"(C:\Tex\Out Dir)");
  Run(R"(C:\MSTS\UTILS\makeace.exe A.TGA "C:\Tex\Out Dir\a.ace" -trans -bmp -width:(256) -height:(128) -zlib)",
      R"(C:\Tex)");
  EXPECT_EQ(prefix_.Read(R"(C:\Tex\Out Dir\a.ace)"),
            "SIMISA@@@@@@@@@@options -trans -bmp -width:(256) -height:(128) -zlib\r\n" + source);

  std::string output = Run(R"(C:\MSTS\UTILS\makeace.exe missing.tga "C:\Tex\c.ace" -zlib)", R"(C:\Tex)");
  EXPECT_NE(output.find("missing.tga"), std::string::npos);
  Run(R"(C:\MSTS\UTILS\makeace.exe a.tga "C:\Tex\d.ace" -fast)", R"(C:\Tex)");
  Run(R"(C:\MSTS\UTILS\makeace.exe a.tga "C:\Tex\e.ace" -zlib -trans)", R"(C:\Tex)");
  Run(R"(C:\MSTS\UTILS\makeace.exe a.tga "C:\Tex\f.ace" -bmp -zlib)", R"(C:\Tex)");
  EXPECT_EQ(OnDisk(R"(C:\Tex)"), (std::set<std::string>{"Out Dir", "a.tga"}));
  EXPECT_EQ(Log().size(), 5u);
}

}  // namespace
