#include <gtest/gtest.h>

#include "tests/support/run_program.h"
#include "tests/support/temp_prefix.h"

namespace {

using test_support::ProgramRun;

class ConsoleEndToEnd : public ::testing::Test {
 protected:
  ProgramRun Run(const std::vector<std::string>& args, const std::string& input,
                 std::string_view folder = "C:\\work") {
    return test_support::RunInPrefix(prefix, args, folder, input);
  }

  test_support::TempPrefix prefix;
};

const std::string kBanner = "Rastolin v1.2b - console.\nEnter 'help' or '/?' for help\n";
const std::string kPrompt = "Enter new command('q' for exit):\n$ ";

TEST_F(ConsoleEndToEnd, HelpPrintsTheHelpWaitsForOneLineAndExitsWithOne) {
  ProgramRun run = Run({"help"}, "\n");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.output,
            kBanner +
                "Enter 'main' to return to the window mode\n\n"
                "makeace([-dir=...;][-zlib;][-no;][-dxt;][-trans;][-bmp;[-width=...;-height=...;]]) "
                "FILE1;[[FILE 2;]FILE3;]...\n=====\n"
                "makeacedir([-zlib;][-no;][-dxt;][-trans;][-bmp;[-width=...;-height=...;]]-dir=...)\n"
                "=====\n"
                "shape(-dir=...;[-b;][-mm=...;]) PREFIX1 OUTPUT1;[ PREFIX2 OUTPUT2]\n=====\n"
                "shapedir(-dir=...;[-b])\n=====\n"
                "batchadd(-dir=...;-route=...;[class=...;][-over;][-sub;][-texs;])\n=====\n"
                "Press any key..");
}

TEST_F(ConsoleEndToEnd, ArgumentsAreJoinedIntoOneCommand) {
  ProgramRun run = Run({"/?"}, "\n");
  EXPECT_NE(run.output.find("Enter 'main' to return"), std::string::npos);
  ProgramRun two_words = Run({"not", "help"}, "\n");
  EXPECT_EQ(two_words.output, kBanner + "Press any key..");
}

TEST_F(ConsoleEndToEnd, InteractiveConsolePromptsUntilQ) {
  ProgramRun run = Run({"-console"}, "changelang(1)\nq\n");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.output, kBanner + kPrompt + kPrompt);
  EXPECT_FALSE(std::filesystem::exists(prefix.Host("C:\\work\\conv.ini")));
}

TEST_F(ConsoleEndToEnd, EndOfInputEndsTheInteractiveConsole) {
  ProgramRun run = Run({"-console"}, "help\n");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.output.substr(run.output.size() - kPrompt.size() - 1), kPrompt + "\n");
}

TEST_F(ConsoleEndToEnd, MistakesGetHintsOnStandardErrorAndStandardOutputStaysAsItIs) {
  ProgramRun run = Run({"-console"},
                       "makeace a.tga\nmakeace(-zlb)\nmakeacedir(-dir=c:\\nowhere)\n"
                       "shape(-dir=c:\\work)\nchangelang(7)\nq\n");
  EXPECT_EQ(run.exit_code, 1);
  std::string prompts;
  for (int i = 0; i < 6; ++i) prompts += kPrompt;
  EXPECT_EQ(run.output, kBanner + prompts);
  EXPECT_EQ(run.errors,
            "\"makeace a.tga\" is no command; enter 'help' for the commands\n"
            "makeace: unknown option \"-zlb\"; it takes -dir, -zlib, -no, -dxt, -trans, -bmp, -width, "
            "-height\n"
            "makeace: no file given, as in makeace(-dir=c:\\tex) a.tga;b.tga\n"
            "makeacedir: the folder c:\\nowhere\\ does not exist\n"
            "shape: no model given, as in shape(-dir=c:\\models) house house.s\n"
            "changelang: \"7\" is not a language number (0 Russian, 1 English)\n");
}

TEST_F(ConsoleEndToEnd, HelpAndVersionAnswerWithoutOpeningTheConsole) {
  for (const char* option : {"--help", "-h"}) {
    ProgramRun run = Run({option}, "");
    EXPECT_EQ(run.exit_code, 0) << option;
    EXPECT_TRUE(run.output.starts_with("Usage: rastolin ")) << option;
    EXPECT_EQ(run.output.find("console."), std::string::npos) << option;
  }
  ProgramRun version = Run({"--version"}, "");
  EXPECT_EQ(version.exit_code, 0);
  EXPECT_EQ(version.output, "Rastolin v1.2b\n");
}

#ifndef _WIN32
// Windows has no folder outside a drive.
TEST_F(ConsoleEndToEnd, AFolderOnNoDriveIsRefusedWithAReason) {
  std::filesystem::path outside = prefix.root() / "elsewhere";
  std::filesystem::create_directories(outside);
  ProgramRun run = test_support::RunProgram(test_support::RastolinBinary(), {"help"}, outside,
                                            {{"WINEPREFIX", prefix.prefix().string()}}, "\n");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.errors.find("lies on no drive"), std::string::npos);
  EXPECT_EQ(run.output, "");
}
#endif

}  // namespace
