// The program's own command line: console commands, options and the
// refusal to start outside the Wine prefix's drives.
#include "tests/e2e/end_to_end.h"

namespace e2e {
namespace {

using ConsoleEndToEnd = EndToEnd;

TEST_F(ConsoleEndToEnd, TheArgumentsMakeOneCommandThatWaitsForOneLineAndExitsWithOne) {
  ProgramRun run = Run({"/?"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_TRUE(run.output.starts_with(kBanner + "Enter 'main' to return to the window mode\n"))
      << run.output;
  EXPECT_TRUE(run.output.ends_with("=====\n" + kEnd)) << run.output;
  EXPECT_NE(Run({"help", "route"}).output.find("delentry(-route=...) N1;[N2;]...\n=====\n"),
            std::string::npos);
}

TEST_F(ConsoleEndToEnd, EndOfInputEndsTheInteractiveConsole) {
  ProgramRun run = Run({"-console"}, "help\n");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_TRUE(run.output.ends_with(kPrompt + "\n")) << run.output;
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
}  // namespace e2e
