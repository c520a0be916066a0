// batchadd from the command line of the built program, against a fixture
// installation: files copied, .ref and .sd bytes, log order, and questions
// answered on standard input.
#include "platform/text.h"
#include "tests/e2e/end_to_end.h"

namespace e2e {
namespace {

const std::string kRoute = "C:\\MSTS\\ROUTES\\MyRoute\\";
const std::string kCommand = "batchadd(-dir=C:\\Content;-route=MyRoute;-class=Bridges;-sub;-texs)";
const std::string kRefText = MstsText("r1",
                                      "Static (\r\n\tClass ( \"Жилые дома\" )\r\n"
                                      "\tFileName ( Дом.s )\r\n\tDescription ( \"Старый дом\" )\r\n)\r\n"
                                      "Hazard (\r\n\tFileName ( deer.haz )\r\n)\r\n");

std::string Entry(const std::string& name) {
  return "Static (\r\n\tClass ( bridges )\r\n\tFilename ( " + name + " )\r\n\tDescription ( " +
         name + " )\r\n)\r\n";
}

std::string GeneratedSd(const std::string& name) {
  return test_support::UnicodeFile("SIMISA@@@@@@@@@@JINX0t1t______\r\nShape( " + name +
                 "\r\n\tESD_Alternative_Texture ( 0 ) \r\n\tESD_Detail_Level ( 0 ) \r\n)\r\n");
}

class BatchAddEndToEnd : public EndToEnd {
 protected:
  BatchAddEndToEnd() {
    Settings("1");
    prefix.Write(kRoute + "MyRoute.trk", "SIMISA@@@@@@@@@@JINX0r1t______\r\n");
    prefix.Write(kRoute + "tsection.dat", "");
    prefix.Write(kRoute + "MyRoute.ref", test_support::UnicodeFile(kRefText));
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
};

TEST_F(BatchAddEndToEnd, InstallsAFolderWithItsSubfoldersAndTextures) {
  ProgramRun run = Run({kCommand});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.output, kBanner +
                            "Added shape Arch.s\nAdded shape pier.s\nAdded texture stone.ace\n"
                            "Added shape rail.s\nAdded texture rust.ace\n" +
                            kEnd);
  EXPECT_EQ(Read(kRoute + "SHAPES\\rail.s"), "rail shape");
  EXPECT_EQ(Read(kRoute + "SHAPES\\rail.sd"), GeneratedSd("rail.s"));
  EXPECT_EQ(Read(kRoute + "SHAPES\\pier.sd"), "pier's own sd");
  EXPECT_EQ(Read(kRoute + "TEXTURES\\rust.ace"), "rust texture");
  EXPECT_FALSE(Exists(kRoute + "TEXTURES\\WINTER\\stone.ace"));
  EXPECT_EQ(Read(kRoute + "MyRoute.ref"), test_support::UnicodeFile(kRefText + Entry("Arch.s") +
                                                                    Entry("pier.s") + Entry("rail.s")));
}

TEST_F(BatchAddEndToEnd, ASecondRunAsksOnTheTerminalAndTakesTheAnswersFromStandardInput) {
  Run({kCommand});
  const std::string ref_after_first = Read(kRoute + "MyRoute.ref");
  prefix.Write("C:\\Content\\Arch.s", "arch shape 2");
  prefix.Write("C:\\Content\\pier.s", "pier shape 2");
  prefix.Write("C:\\Content\\stone.ace", "stone texture 2");
  prefix.Write(kRoute + "SHAPES\\Arch.sd", "tuned by hand");

  // Arch.s: replace, but keep its .sd file; pier.s: keep, asked again after
  // an answer that is neither; rail.s: replace both. Each question names its
  // file and follows the log lines before it; the paths name the route's
  // folder as the disk spells it.
  ProgramRun run = Run({kCommand}, "y\nn\nnein\nn\nYes\nД\n\n");
  const std::string shapes = "C:\\MSTS\\ROUTES\\MyRoute\\SHAPES\\";
  EXPECT_EQ(run.output, kBanner +
                            shapes + "Arch.s\nOverwrite existing shape file? [y/n] " +
                            shapes + "Arch.sd\n*.sd file already exists. Overwrite? [y/n] "
                            "Added shape Arch.s\n" +
                            shapes + "pier.s\nOverwrite existing shape file? [y/n] "
                            "\"nein\" is no answer; answer y or n\n"
                            "Overwrite existing shape file? [y/n] Skipped shape pier.s\nAdded texture stone.ace\n" +
                            shapes + "rail.s\nOverwrite existing shape file? [y/n] " +
                            shapes + "rail.sd\n*.sd file already exists. Overwrite? [y/n] "
                            "Added shape rail.s\nAdded texture rust.ace\n" +
                            kEnd);
  EXPECT_EQ(Read(kRoute + "SHAPES\\Arch.s"), "arch shape 2");
  EXPECT_EQ(Read(kRoute + "SHAPES\\Arch.sd"), "tuned by hand");
  EXPECT_EQ(Read(kRoute + "SHAPES\\pier.s"), "pier shape");
  EXPECT_EQ(Read(kRoute + "TEXTURES\\stone.ace"), "stone texture");
  EXPECT_EQ(Read(kRoute + "MyRoute.ref"),
            ref_after_first + platform::Utf8ToUtf16Le(Entry("Arch.s") + Entry("rail.s")));
}

TEST_F(BatchAddEndToEnd, AnErrorEndsOnlyItsCommandAfterTheLogLinesBeforeIt) {
  ProgramRun unknown = Interactive("batchadd(-dir=C:\\Content;-route=Elsewhere)\nhelp\n");
  EXPECT_EQ(unknown.exit_code, 1);
  EXPECT_TRUE(unknown.output.starts_with(
      kBanner + kPrompt + "Cannot open file C:\\MSTS\\ROUTES\\elsewhere\\elsewhere.ref\n" +
      kPrompt + "Enter 'main' to return to the window mode\n"))
      << unknown.output;
  EXPECT_FALSE(Exists(kRoute + "SHAPES\\Arch.s"));

  // The .sd file of the last shape cannot be written over a folder.
  prefix.MakeFolder(kRoute + "SHAPES\\rail.sd");
  ProgramRun run = Run({kCommand});
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_EQ(run.output, kBanner +
                            "Added shape Arch.s\nAdded shape pier.s\nAdded texture stone.ace\n"
                            "Cannot create file C:\\MSTS\\ROUTES\\MyRoute\\SHAPES\\rail.sd\n" +
                            kEnd);
}

TEST_F(BatchAddEndToEnd, ARouteIsNamedByItsFolderAndNothingOutsideIsTouched) {
  const std::string outside_ref = MstsFile("r1", "");
  prefix.Write("C:\\outside\\outside.ref", outside_ref);
  const std::string ref = Read(kRoute + "MyRoute.ref");
  for (const char* route : {"..\\..\\outside", "C:\\MSTS\\ROUTES\\MyRoute"}) {
    ProgramRun run = Run({std::string("batchadd(-dir=C:\\Content;-route=") + route + ")"});
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_EQ(run.output, kBanner + "\"" + platform::LowerCase(route) +
                              "\" is not a route name: a route is named by its folder in ROUTES, "
                              "without \\, /, : or ..\n" + kEnd);
  }
  EXPECT_EQ(Read("C:\\outside\\outside.ref"), outside_ref);
  EXPECT_FALSE(Exists("C:\\outside\\SHAPES"));
  EXPECT_EQ(Read(kRoute + "MyRoute.ref"), ref);
}

}  // namespace
}  // namespace e2e
