#include "tools/tool_checks.h"

#include <gtest/gtest.h>

#include "tests/support/fake_processes.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/scripted_ui.h"

namespace tools {
namespace {

using Shown = std::vector<std::string>;

class ToolChecksTest : public ::testing::Test {
 protected:
  ToolChecksTest() {
    files.Add("C:\\work\\conv.ini", "[INF]\r\nLANGUAGE=1\r\n");
    main.emplace(files, processes, ui);
  }

  void InstallUtilities(const std::string& folder) {
    for (const char* tool : {"conv3ds.exe", "txt2uni.exe", "makeace.exe"})
      files.Add(folder + "\\" + tool, "MZ");
  }
  std::string Stored(const std::string& key) {
    return main->settings.ReadString("PATHS", key, "<none>");
  }

  test_support::MemoryFileSystem files{"C:\\work"};
  test_support::FakeProcesses processes;
  test_support::ScriptedUi ui;
  std::optional<core::ConvMain> main;
};

TEST_F(ToolChecksTest, OnlyAllThreeUtilitiesUnderTheirCurrentNamesStoreTheFolder) {
  InstallUtilities("C:\\MSTS\\UTILS");
  main->fields.PathUtils = "C:\\MSTS\\UTILS";
  main->SetConvShV("conv3ds_new.exe");
  EXPECT_FALSE(CheckTools(*main));
  EXPECT_EQ(ui.shown, Shown{"Warning: Unable to find conv3ds_new.exe"});
  EXPECT_EQ(Stored("UTILS"), "<none>");
  main->SetConvShV("conv3ds.exe");
  EXPECT_TRUE(CheckTools(*main));
  EXPECT_EQ(Stored("UTILS"), "C:\\MSTS\\UTILS");
}

}  // namespace
}  // namespace tools
