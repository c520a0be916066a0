#include "console/console_ui.h"

#include <gtest/gtest.h>

#include "tests/support/fake_terminal.h"
#include "tests/support/memory_file_system.h"

namespace console {
namespace {

class ConsoleUiTest : public ::testing::Test {
 protected:
  ConsoleUi& Over(const std::string& input) {
    terminal = test_support::FakeTerminal(input);
    return ui;
  }

  test_support::FakeTerminal terminal;
  test_support::MemoryFileSystem files;
  ConsoleUi ui{terminal, files};
};

// The [y/n] question ("y", "Yes", "Д", a word that is neither), a long
// answer and the end of input are checked end to end, as is the save
// dialog. No console command reaches the folder, file and texture dialogs,
// which only the window's buttons open.
TEST_F(ConsoleUiTest, QuestionsTakeAWholeTrimmedYesAndAskAgainAfterAnUnclearAnswer) {
  Over(" Да \nyesno\ny\n");
  EXPECT_TRUE(ui.Ask("Overwrite?"));
  EXPECT_TRUE(ui.Ask("Overwrite?"));
}

TEST_F(ConsoleUiTest, TheChoiceListIsSortedNumberedAndAnsweredOnOneLine) {
  std::vector<std::string> added;
  core::ChoiceList list({"b.s", "C.s", "a.s", "d.s"},
                        [&](const std::vector<std::string>& names) { added = names; });
  EXPECT_TRUE(Over("2-3 9\nadd 1\n1 3\n\n").ChooseObjects(list));  // "2-3 9" names no row
  EXPECT_EQ(added, std::vector<std::string>{"a.s"});
  EXPECT_EQ(list.SelectedNames(), (std::vector<std::string>{"b.s", "d.s"}));
  EXPECT_NE(terminal.output.find("1  a.s\n2  b.s\n3  C.s\n4  d.s\n"), std::string::npos);
  EXPECT_NE(terminal.output.find("\"2-3 9\" names no row"), std::string::npos);
  EXPECT_FALSE(ui.ChooseObjects(list));  // an empty line cancels
}

}  // namespace
}  // namespace console
