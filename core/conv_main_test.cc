#include "core/conv_main.h"

#include <gtest/gtest.h>

#include "tests/support/fake_processes.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/scripted_ui.h"

namespace core {
namespace {

// The texts are Russian until a conv.ini says otherwise, and a stored tool
// name replaces the default, even an empty one.
TEST(ConvMainTest, TakesTheConvIniOfTheCurrentFolderAndWritesNoneOfItsOwn) {
  test_support::MemoryFileSystem files{"C:\\models"};
  test_support::FakeProcesses processes;
  test_support::ScriptedUi ui;
  ConvMain without(files, processes, ui);
  EXPECT_EQ(without.language[Msg::CapAddShape], "Добавить объект");
  EXPECT_EQ(without.tools.MakeaceName, "makeace.exe");
  EXPECT_FALSE(files.FileExists("C:\\models\\conv.ini"));
  files.Add("C:\\models\\conv.ini",
            "[INF]\r\nLANGUAGE=1\r\n[PATHS]\r\nMAKEACE=\r\n"
            "CONV3DS=conv3ds_new.exe\r\n");
  ConvMain main(files, processes, ui);
  EXPECT_EQ(main.language[Msg::CapAddShape], "Add shape");
  EXPECT_EQ(main.tools.MakeaceName, "");
  EXPECT_EQ(main.tools.Conv3dsName, "conv3ds_new.exe");
}

}  // namespace
}  // namespace core
