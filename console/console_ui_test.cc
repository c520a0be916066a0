#include "console/console_ui.h"

#include <gtest/gtest.h>

#include "tests/support/fake_terminal.h"
#include "tests/support/memory_file_system.h"

namespace console {
namespace {

TEST(ConsoleUiTest, MessagesShowTheirCaption) {
  test_support::FakeTerminal terminal;
  test_support::MemoryFileSystem files;
  ConsoleUi(terminal, files).Message("Warning", "Unable to find conv3ds.exe");
  EXPECT_EQ(terminal.output, "Warning: Unable to find conv3ds.exe\n");
}

TEST(ConsoleUiTest, QuestionsAcceptYesInBothLanguages) {
  test_support::FakeTerminal terminal("y\nYES\n Да \nд\nno\n\nyesno\n");
  test_support::MemoryFileSystem files;
  ConsoleUi ui(terminal, files);
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(ui.Ask("Overwrite?")) << i;
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(ui.Ask("Overwrite?")) << i;
  EXPECT_FALSE(ui.Ask("Overwrite?"));  // end of input
  EXPECT_EQ(terminal.output.substr(0, 24), "Overwrite? [y/n] Overwri");
}

TEST(ConsoleUiTest, AFolderIsTypedAndAnEmptyLineCancels) {
  test_support::FakeTerminal terminal("C:\\MSTS\n\n");
  test_support::MemoryFileSystem files;
  ConsoleUi ui(terminal, files);
  EXPECT_EQ(ui.ChooseFolder("Select MSTS root dir", ""), "C:\\MSTS");
  EXPECT_EQ(ui.ChooseFolder("Select MSTS root dir", ""), std::nullopt);
}

}  // namespace
}  // namespace console
