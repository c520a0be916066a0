#include "tools/run_tool.h"

#include <gtest/gtest.h>

#include "tests/support/fake_processes.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/scripted_ui.h"

namespace tools {
namespace {

// The command line and folder a tool gets are checked end to end.
TEST(RunToolTest, ShowsWhatTheToolPrintedOnlyWhenAsked) {
  test_support::MemoryFileSystem files;
  test_support::FakeProcesses processes;
  test_support::ScriptedUi ui;
  core::ConvMain main{files, processes, ui};
  processes.result = {true, "Converting a.tga\r\nDone\n"};
  EXPECT_TRUE(RunTool(main, "makeace.exe a.tga", "C:\\tex", false));
  EXPECT_TRUE(main.log.lines().empty());
  RunTool(main, "tool", "C:\\", true);
  EXPECT_EQ(main.log.lines(), (std::vector<std::string>{"Converting a.tga", "Done"}));
  processes.result = {true, ""};
  RunTool(main, "tool", "C:\\", true);
  EXPECT_EQ(main.log.lines().size(), 2u);
  processes.result = {false, ""};
  EXPECT_FALSE(RunTool(main, "missing", "C:\\", true));
}

}  // namespace
}  // namespace tools
