#include "core/conv_main.h"

#include <gtest/gtest.h>

#include "tests/support/fake_processes.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/scripted_ui.h"

namespace core {
namespace {

class ConvMainTest : public ::testing::Test {
 protected:
  test_support::MemoryFileSystem files{"C:\\models"};
  test_support::FakeProcesses processes;
  test_support::ScriptedUi ui;
};

TEST_F(ConvMainTest, WithoutConvIniEverythingHasItsDefault) {
  ConvMain main(files, processes, ui);
  EXPECT_EQ(main.settings.path(), "C:\\models\\conv.ini");
  EXPECT_EQ(main.language[Msg::CapAddShape], "Добавить объект");
  EXPECT_EQ(main.fields.PathUtils, "");
  EXPECT_EQ(main.fields.MSTSRoot, "");
  EXPECT_EQ(main.tools.MakeaceName, "makeace.exe");
  EXPECT_EQ(main.tools.Conv3dsName, "conv3ds.exe");
  EXPECT_EQ(main.tools.FfeditcName, "ffeditc_unicode");
  EXPECT_FALSE(files.FileExists("C:\\models\\conv.ini"));
}

TEST_F(ConvMainTest, LoadsTheConvIniOfTheCurrentFolder) {
  files.Add("C:\\models\\conv.ini",
            "[INF]\r\nLANGUAGE=1\r\n[PATHS]\r\nUTILS=C:\\MSTS\\UTILS\r\nROOT=C:\\MSTS\r\n"
            "LASTDIR=C:\\3d\r\n");
  ConvMain main(files, processes, ui);
  EXPECT_EQ(main.language[Msg::CapAddShape], "Add shape");
  EXPECT_EQ(main.fields.PathUtils, "C:\\MSTS\\UTILS");
  EXPECT_EQ(main.fields.MSTSRoot, "C:\\MSTS");
  EXPECT_EQ(main.fields.ShapeDir, "C:\\3d");
}

TEST_F(ConvMainTest, ACurrentFolderAtADriveRootGivesADoubledBackslash) {
  test_support::MemoryFileSystem root_files{"C:\\"};
  ConvMain main(root_files, processes, ui);
  EXPECT_EQ(main.settings.path(), "C:\\\\conv.ini");
}

TEST_F(ConvMainTest, StoredToolNamesReplaceTheDefaultsAndAreWrittenBack) {
  files.Add("C:\\models\\conv.ini", "[PATHS]\r\nMAKEACE=\r\nCONV3DS=conv3ds_new.exe\r\n");
  ConvMain main(files, processes, ui);
  EXPECT_EQ(main.tools.MakeaceName, "");
  EXPECT_EQ(main.fields.ConTexV, "");
  EXPECT_EQ(main.tools.Conv3dsName, "conv3ds_new.exe");
  EXPECT_EQ(main.settings.ReadString("PATHS", "MAKEACE", "missing"), "");
}

}  // namespace
}  // namespace core
