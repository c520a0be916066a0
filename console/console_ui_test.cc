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

TEST(ConsoleUiTest, FileDialogsReadNamesFromOneLine) {
  test_support::FakeTerminal terminal("C:\\t\\a.ace; C:\\t\\b.ace;\nC:\\x.s;C:\\y.s\n\n");
  test_support::MemoryFileSystem files;
  ConsoleUi ui(terminal, files);
  core::FileDialog many{"", "ACE File|*.ace", "", "", true, false};
  EXPECT_EQ(ui.OpenFiles(many), (std::vector<std::string>{"C:\\t\\a.ace", "C:\\t\\b.ace"}));
  core::FileDialog one{"", "Shape File(*.s)|*.s", "", "", false, false};
  EXPECT_EQ(ui.OpenFiles(one), (std::vector<std::string>{"C:\\x.s"}));
  EXPECT_EQ(ui.SaveFile(one), std::nullopt);
}

TEST(ConsoleUiTest, TheTextureDialogShowsTheCandidatesAndReadsTheNewName) {
  test_support::FakeTerminal terminal("roof2\n\n");
  test_support::MemoryFileSystem files;
  ConsoleUi ui(terminal, files);
  core::TextureChoice choice{"Texture replace planks.ace", "Textures", "Change on",
                             {"brick", "roof"}, "planks"};
  EXPECT_EQ(ui.ChooseTexture(choice), "roof2");
  EXPECT_EQ(terminal.output.substr(0, 66),
            "Texture replace planks.ace\nTextures: brick roof\nChange on [planks]");
  EXPECT_EQ(ui.ChooseTexture(choice), std::nullopt);
}

TEST(ConsoleUiTest, TheChoiceListIsSortedNumberedAndAnsweredOnOneLine) {
  test_support::FakeTerminal terminal("2-3 9\nadd 1\n1 3\n\n");
  test_support::MemoryFileSystem files;
  ConsoleUi ui(terminal, files);
  std::vector<std::string> added;
  core::ChoiceList list({"b.s", "C.s", "a.s", "d.s"},
                        [&](const std::vector<std::string>& names) { added = names; });
  EXPECT_TRUE(ui.ChooseObjects(list));  // "2-3 9" names no row; "add 1" adds a.s
  EXPECT_EQ(added, std::vector<std::string>{"a.s"});
  EXPECT_EQ(list.SelectedNames(), (std::vector<std::string>{"b.s", "d.s"}));
  EXPECT_NE(terminal.output.find("1  a.s\n2  b.s\n3  C.s\n4  d.s\n"), std::string::npos);
  EXPECT_NE(terminal.output.find("\"2-3 9\" names no row"), std::string::npos);
  EXPECT_FALSE(ui.ChooseObjects(list));  // an empty line cancels
}

TEST(ConsoleUiTest, ProgressGoesToStandardErrorOnlyOnATerminal) {
  test_support::FakeTerminal terminal;
  test_support::MemoryFileSystem files;
  ConsoleUi ui(terminal, files);
  ui.ShowProgress()->SetLabel("Search in a.w");
  EXPECT_EQ(terminal.errors, "");
  terminal.error_is_terminal = true;
  {
    auto progress = ui.ShowProgress();
    progress->SetRange(500);
    progress->SetLabel("Search in b.w");
    progress->Step();
  }
  EXPECT_EQ(terminal.errors,
            "\r\033[KSearch in b.w (0/500)\r\033[KSearch in b.w (1/500)\n");
  EXPECT_EQ(terminal.output, "");
}

}  // namespace
}  // namespace console
