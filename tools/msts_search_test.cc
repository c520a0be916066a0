#include "tools/msts_search.h"

#include <gtest/gtest.h>

#include <map>

#include "tests/support/fake_processes.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/scripted_ui.h"

namespace tools {
namespace {

class MapRegistry : public platform::Registry {
 public:
  std::map<std::string, std::string> paths;  // key -> its "Path"
  std::optional<std::string> MachineText(const std::string& key,
                                         const std::string& value) const override {
    const auto found = paths.find(key);
    if (value != "Path" || found == paths.end()) return std::nullopt;
    return found->second;
  }
};

TEST(MstsSearchTest, TakesTheFirstFolderHoldingRoutesWhenTheRootSetHoldsNone) {
  const std::string key = kMstsKeys[0], other_key = kMstsKeys[1];
  const std::string x86 = "C:\\Program Files (x86)\\Microsoft Games\\Train Simulator";
  const struct {
    const char* name;
    std::string root_set;
    std::map<std::string, std::string> recorded;
    std::vector<std::string> with_routes;
    std::string root;  // empty: none taken
    std::string log;
  } rows[] = {
      {"the root set holds ROUTES", "E:\\MSTS", {{key, "D:\\Games\\MSTS"}},
       {"E:\\MSTS", "D:\\Games\\MSTS"}, "", ""},
      {"the installer's folder", "C:\\Program Files\\Microsoft Games\\Train Simulator",
       {{key, "D:\\Games\\MSTS\\"}}, {"D:\\Games\\MSTS", x86}, "D:\\Games\\MSTS",
       "MSTS found in D:\\Games\\MSTS, where its installer recorded it (HKEY_LOCAL_MACHINE\\" +
           key + "): it is now the MSTS root dir, as the Settings page shows"},
      {"the key's other spelling", "", {{other_key, "D:\\MSTS"}}, {"D:\\MSTS"}, "D:\\MSTS",
       "MSTS found in D:\\MSTS, where its installer recorded it (HKEY_LOCAL_MACHINE\\" +
           other_key + "): it is now the MSTS root dir, as the Settings page shows"},
      {"a usual folder after a recorded one without ROUTES", "", {{key, "D:\\Gone"}}, {x86}, x86,
       "MSTS found in " + x86 + ": it is now the MSTS root dir, as the Settings page shows"},
      {"nowhere", "", {}, {"D:\\Games\\MSTS"}, "", ""},
  };
  for (const auto& row : rows) {
    test_support::MemoryFileSystem files("C:\\work");
    files.Add("C:\\work\\conv.ini", "[INF]\r\nLANGUAGE=1\r\n[PATHS]\r\nROOT=" + row.root_set + "\r\n");
    for (const std::string& folder : row.with_routes) files.AddFolder(folder + "\\ROUTES");
    test_support::FakeProcesses processes;
    test_support::ScriptedUi ui;
    core::ConvMain main(files, processes, ui);
    MapRegistry registry;
    registry.paths = row.recorded;

    EXPECT_EQ(FindMstsRoot(main, registry), !row.root.empty()) << row.name;
    const std::string root = row.root.empty() ? row.root_set : row.root;
    EXPECT_EQ(main.fields.MSTSRoot, root) << row.name;
    EXPECT_EQ(main.log.lines(), row.log.empty() ? std::vector<std::string>{}
                                                : std::vector<std::string>{row.log})
        << row.name;
    if (row.root.empty()) continue;
    // As if chosen on the Settings page: stored, with the editor tool's
    // warning, and the utilities folder beside it shown and stored.
    EXPECT_EQ(main.settings.ReadString("PATHS", "ROOT", ""), row.root) << row.name;
    EXPECT_EQ(main.fields.PathUtils, row.root + "\\UTILS") << row.name;
    EXPECT_EQ(main.settings.ReadString("PATHS", "UTILS", ""), row.root + "\\UTILS") << row.name;
    EXPECT_EQ(ui.shown, std::vector<std::string>{"Warning: Unable to find ffeditc_unicode"})
        << row.name;
  }
}

}  // namespace
}  // namespace tools
