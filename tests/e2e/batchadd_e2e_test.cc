// batchadd from the command line of the built program, against a fixture
// installation: files copied, .ref and .sd bytes, log order, and questions
// answered on standard input.
#include <gtest/gtest.h>

#include "platform/text.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_prefix.h"
#include "tests/support/msts_text.h"

namespace {

using test_support::ProgramRun;


const std::string kBanner = "Rastolin v1.2b - console.\nEnter 'help' or '/?' for help\n";
const std::string kPrompt = "Enter new command('q' for exit):\n$ ";
const std::string kRoute = "C:\\MSTS\\ROUTES\\MyRoute\\";
const std::string kCommand = "batchadd(-dir=C:\\Content;-route=MyRoute;-class=Bridges;-sub;-texs)";

std::string Entry(const std::string& name) {
  return "Static (\r\n\tClass ( bridges )\r\n\tFilename ( " + name + " )\r\n\tDescription ( " +
         name + " )\r\n)\r\n";
}

std::string GeneratedSd(const std::string& name) {
  return test_support::UnicodeFile("SIMISA@@@@@@@@@@JINX0t1t______\r\nShape( " + name +
                 "\r\n\tESD_Alternative_Texture ( 0 ) \r\n\tESD_Detail_Level ( 0 ) \r\n)\r\n");
}

class BatchAddEndToEnd : public ::testing::Test {
 protected:
  BatchAddEndToEnd() {
    prefix.Write("C:\\work\\conv.ini",
                 prefix.ToProgram("[INF]\r\nLANGUAGE=1\r\n[PATHS]\r\nROOT=C:\\MSTS\r\n"));
    prefix.Write(kRoute + "MyRoute.trk", "SIMISA@@@@@@@@@@JINX0r1t______\r\n");
    prefix.Write(kRoute + "tsection.dat", "");
    prefix.Write(kRoute + "MyRoute.ref",
                 test_support::UnicodeFile("SIMISA@@@@@@@@@@JINX0r1t______\r\n\r\n"
                         "Static (\r\n\tClass ( \"Жилые дома\" )\r\n\tFileName ( Дом.s )\r\n"
                         "\tDescription ( \"Старый дом\" )\r\n)\r\n"
                         "Hazard (\r\n\tFileName ( deer.haz )\r\n)\r\n"));
    prefix.MakeFolder(kRoute + "SHAPES");
    prefix.MakeFolder(kRoute + "TEXTURES\\WINTER");
    prefix.Write("C:\\Content\\Arch.s", "arch shape");
    prefix.Write("C:\\Content\\pier.s", "pier shape");
    prefix.Write("C:\\Content\\pier.sd", "pier's own sd");
    prefix.Write("C:\\Content\\stone.ace", "stone texture");
    prefix.Write("C:\\Content\\readme.txt", "not content");
    prefix.Write("C:\\Content\\parts\\rail.s", "rail shape");
    prefix.Write("C:\\Content\\parts\\rust.ace", "rust texture");
  }

  ProgramRun Run(const std::string& command, const std::string& input) {
    return test_support::RunInPrefix(prefix, {command}, "C:\\work", input);
  }

  std::string Read(const std::string& path) { return prefix.Read(path); }

  test_support::TempPrefix prefix;
};

TEST_F(BatchAddEndToEnd, InstallsAFolderWithItsSubfoldersAndTextures) {
  ProgramRun run = Run(kCommand, "\n");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.output, kBanner +
                            "Added shape Arch.s\nAdded shape pier.s\nAdded texture stone.ace\n"
                            "Added shape rail.s\nAdded texture rust.ace\n"
                            "Press any key..");
  EXPECT_EQ(Read(kRoute + "SHAPES\\Arch.s"), "arch shape");
  EXPECT_EQ(Read(kRoute + "SHAPES\\pier.s"), "pier shape");
  EXPECT_EQ(Read(kRoute + "SHAPES\\rail.s"), "rail shape");
  EXPECT_EQ(Read(kRoute + "SHAPES\\Arch.sd"), GeneratedSd("Arch.s"));
  EXPECT_EQ(Read(kRoute + "SHAPES\\pier.sd"), "pier's own sd");
  EXPECT_EQ(Read(kRoute + "SHAPES\\rail.sd"), GeneratedSd("rail.s"));
  EXPECT_EQ(Read(kRoute + "TEXTURES\\stone.ace"), "stone texture");
  EXPECT_EQ(Read(kRoute + "TEXTURES\\rust.ace"), "rust texture");
  EXPECT_FALSE(std::filesystem::exists(prefix.Host(kRoute + "TEXTURES\\WINTER\\stone.ace")));
  EXPECT_FALSE(std::filesystem::exists(prefix.Host(kRoute + "SHAPES\\readme.txt")));
  EXPECT_EQ(Read(kRoute + "MyRoute.ref"),
            test_support::UnicodeFile("SIMISA@@@@@@@@@@JINX0t1t______\r\n\r\n"
                    "Static (\r\n\tClass ( \"Жилые дома\" )\r\n\tFileName ( Дом.s )\r\n"
                    "\tDescription ( \"Старый дом\" )\r\n)\r\n"
                    "Hazard (\r\n\tFileName ( deer.haz )\r\n)\r\n" +
                    Entry("Arch.s") + Entry("pier.s") + Entry("rail.s")));
}

TEST_F(BatchAddEndToEnd, ASecondRunAsksOnTheTerminalAndTakesTheAnswersFromStandardInput) {
  Run(kCommand, "\n");
  const std::string ref_after_first = Read(kRoute + "MyRoute.ref");
  prefix.Write("C:\\Content\\Arch.s", "arch shape 2");
  prefix.Write("C:\\Content\\pier.s", "pier shape 2");
  prefix.Write("C:\\Content\\stone.ace", "stone texture 2");
  prefix.Write(kRoute + "SHAPES\\Arch.sd", "tuned by hand");

  // Arch.s: replace, but keep its .sd file; pier.s: keep; rail.s: replace both.
  // Each question names its file and follows the log lines before it.
  ProgramRun run = Run(kCommand, "y\nn\nnein\nYes\nД\n\n");
  const std::string shapes = "C:\\MSTS\\ROUTES\\myroute\\SHAPES\\";
  EXPECT_EQ(run.output, kBanner +
                            shapes + "Arch.s\nOverwrite existing shape file? [y/n] " +
                            shapes + "Arch.sd\n*.sd file already exists. Overwrite? [y/n] "
                            "Added shape Arch.s\n" +
                            shapes + "pier.s\nOverwrite existing shape file? [y/n] "
                            "Skipped shape pier.s\nAdded texture stone.ace\n" +
                            shapes + "rail.s\nOverwrite existing shape file? [y/n] " +
                            shapes + "rail.sd\n*.sd file already exists. Overwrite? [y/n] "
                            "Added shape rail.s\nAdded texture rust.ace\n"
                            "Press any key..");
  EXPECT_EQ(Read(kRoute + "SHAPES\\Arch.s"), "arch shape 2");
  EXPECT_EQ(Read(kRoute + "SHAPES\\Arch.sd"), "tuned by hand");
  EXPECT_EQ(Read(kRoute + "SHAPES\\pier.s"), "pier shape");
  EXPECT_EQ(Read(kRoute + "TEXTURES\\stone.ace"), "stone texture");
  EXPECT_EQ(Read(kRoute + "MyRoute.ref"),
            ref_after_first + platform::Utf8ToUtf16Le(Entry("Arch.s") + Entry("rail.s")));
}

TEST_F(BatchAddEndToEnd, OverReplacesWithoutAQuestion) {
  Run(kCommand, "\n");
  prefix.Write("C:\\Content\\stone.ace", "stone texture 2");
  ProgramRun run = Run("batchadd(-dir=C:\\Content;-route=MyRoute;-over;-texs)", "\n");
  EXPECT_EQ(run.output, kBanner + "Added shape Arch.s\nAdded shape pier.s\nAdded texture stone.ace\n"
                                  "Press any key..");
  EXPECT_EQ(Read(kRoute + "TEXTURES\\stone.ace"), "stone texture 2");
  std::string ref = Read(kRoute + "MyRoute.ref");
  EXPECT_NE(ref.find(platform::Utf8ToUtf16Le("Class ( Rastolin )")), std::string::npos);
}

TEST_F(BatchAddEndToEnd, AnErrorEndsOnlyItsCommandAfterTheLogLinesBeforeIt) {
  ProgramRun unknown = Run("-console", "batchadd(-dir=C:\\Content;-route=Elsewhere)\nhelp\nq\n");
  EXPECT_EQ(unknown.exit_code, 1);
  EXPECT_TRUE(unknown.output.starts_with(
      kBanner + kPrompt + "Cannot open file C:\\MSTS\\ROUTES\\elsewhere\\elsewhere.ref\n" + kPrompt +
      "Enter 'main' to return to the window mode\n"))
      << unknown.output;
  EXPECT_FALSE(std::filesystem::exists(prefix.Host(kRoute + "SHAPES\\Arch.s")));

  // The .sd file of the last shape cannot be written over a folder.
  prefix.MakeFolder(kRoute + "SHAPES\\rail.sd");
  ProgramRun run = Run(kCommand, "\n");
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_EQ(run.output, kBanner +
                            "Added shape Arch.s\nAdded shape pier.s\nAdded texture stone.ace\n"
                            "Cannot create file C:\\MSTS\\ROUTES\\myroute\\SHAPES\\rail.sd\n"
                            "Press any key..");
}

TEST_F(BatchAddEndToEnd, OverWithinAnotherOptionStillAsks) {
  Run(kCommand, "\n");
  prefix.Write(kRoute + "SHAPES\\Arch.s", "edited by hand");
  ProgramRun run = Run("batchadd(-dir=C:\\Content;-route=MyRoute;-class=take-over)", "n\nn\n\n");
  EXPECT_NE(run.output.find("Overwrite existing shape file? [y/n] Skipped shape Arch.s\n"),
            std::string::npos);
  EXPECT_EQ(Read(kRoute + "SHAPES\\Arch.s"), "edited by hand");
}

TEST_F(BatchAddEndToEnd, NothingOutsideTheRouteOrTheFolderIsTouched) {
  const std::string outside_ref = test_support::UnicodeFile("SIMISA@@@@@@@@@@JINX0r1t______\r\n\r\n");
  prefix.Write("C:\\outside\\outside.ref", outside_ref);
  const std::string ref = Read(kRoute + "MyRoute.ref");
  for (const char* route : {"..\\..\\outside", "C:\\MSTS\\ROUTES\\MyRoute"}) {
    ProgramRun run = Run(std::string("batchadd(-dir=C:\\Content;-route=") + route + ")", "\n");
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_EQ(run.output, kBanner + "\"" + platform::LowerCase(route) +
                              "\" is not a route name: a route is named by its folder in ROUTES, "
                              "without \\, /, : or ..\nPress any key..");
  }
  EXPECT_EQ(Read("C:\\outside\\outside.ref"), outside_ref);
  EXPECT_FALSE(std::filesystem::exists(prefix.Host("C:\\outside\\SHAPES")));
  EXPECT_EQ(Read(kRoute + "MyRoute.ref"), ref);

#ifndef _WIN32
  // On Linux a file name may hold backslashes.
  prefix.Write("C:\\secret\\key.s", "secret");
  test_support::WriteHostFile(prefix.Host("C:\\Content") / "..\\secret\\key.s", "decoy");
  ProgramRun run = Run(kCommand, "\n");
  EXPECT_NE(run.output.find("Skipped ..\\secret\\key.s: not a file name Windows can hold\n"),
            std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(prefix.Host(kRoute + "SHAPES\\key.s")));
#endif
}

TEST_F(BatchAddEndToEnd, ARouteFileIsRewrittenOnlyWhenItWasReadWhole) {
  // Not a .ref at all, and one cut short inside its last entry: refused, untouched.
  std::string random_bytes;
  for (int i = 0; i < 300; ++i) random_bytes += static_cast<char>((i * 149 + 71) % 256);
  const std::string header = "SIMISA@@@@@@@@@@JINX0r1t______\r\n\r\n";
  for (const std::string& bytes :
       {random_bytes, test_support::UnicodeFile(header + "Static (\r\n\tFileName ( a.s )\r\n")}) {
    prefix.Write(kRoute + "MyRoute.ref", bytes);
    ProgramRun run = Run(kCommand, "\n");
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_NE(run.output.find("myroute.ref"), std::string::npos) << run.output;
    EXPECT_EQ(Read(kRoute + "MyRoute.ref"), bytes);
    EXPECT_FALSE(std::filesystem::exists(prefix.Host(kRoute + "SHAPES\\Arch.s")));
  }

  // Parentheses inside a quoted value are text: every entry survives, and the
  // value goes back in quotes.
  prefix.Write(kRoute + "MyRoute.ref",
               test_support::UnicodeFile(header + "Static (\r\n\tDescription ( \"a (b\" )\r\n"
                                         "\tFileName ( ab.s )\r\n)\r\n" + Entry("later.s")));
  ProgramRun run = Run(kCommand, "\n");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(Read(kRoute + "MyRoute.ref"),
            test_support::UnicodeFile("SIMISA@@@@@@@@@@JINX0t1t______\r\n\r\n"
                                      "Static (\r\n\tDescription ( \"a (b\" )\r\n"
                                      "\tFileName ( ab.s )\r\n)\r\n" +
                                      Entry("later.s") + Entry("Arch.s") + Entry("pier.s") +
                                      Entry("rail.s")));
}

#ifndef _WIN32
TEST_F(BatchAddEndToEnd, NothingIsWrittenThroughALinkOutOfTheRoute) {
  const std::string mine =
      test_support::UnicodeFile("SIMISA@@@@@@@@@@JINX0r1t______\r\n\r\n" + Entry("mine.s"));
  prefix.Write("C:\\Users\\me\\notes.ref", mine);
  prefix.MakeFolder("C:\\Users\\me\\Outside");
  const std::filesystem::path ref = prefix.Host(kRoute + "MyRoute.ref");
  std::filesystem::remove(ref);
  std::filesystem::create_symlink(prefix.Host("C:\\Users\\me\\notes.ref"), ref);
  ProgramRun run = Run(kCommand, "\n");
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_NE(run.output.find("myroute.ref leads out of the route and is not written"),
            std::string::npos)
      << run.output;
  EXPECT_EQ(Read("C:\\Users\\me\\notes.ref"), mine);

  std::filesystem::remove(ref);
  prefix.Write(kRoute + "MyRoute.ref", mine);
  std::filesystem::remove_all(prefix.Host(kRoute + "SHAPES"));
  std::filesystem::create_directory_symlink(prefix.Host("C:\\Users\\me\\Outside"),
                                            prefix.Host(kRoute + "SHAPES"));
  run = Run(kCommand, "\n");
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_NE(run.output.find("SHAPES leads out of the route and is not written"), std::string::npos)
      << run.output;
  EXPECT_TRUE(std::filesystem::is_empty(prefix.Host("C:\\Users\\me\\Outside")));
  EXPECT_EQ(Read(kRoute + "MyRoute.ref"), mine);
}
#endif

}  // namespace
