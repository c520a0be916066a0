#include "tools/msts_search.h"

#include <gtest/gtest.h>

#include <map>

#include "tests/support/fake_processes.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/scripted_ui.h"

namespace tools {
namespace {

struct PathsRecorded : platform::Registry {
  std::map<std::string, std::string> paths;  // key -> its "Path"
  std::optional<std::string> MachineText(const std::string& key,
                                         const std::string& value) const override {
    const auto found = paths.find(key);
    if (value != "Path" || found == paths.end()) return std::nullopt;
    return found->second;
  }
};

// Found through the registry of a Wine prefix end to end.
TEST(MstsSearchTest, TakesTheFirstFolderHoldingRoutesWhenTheRootSetHoldsNone) {
  const std::string key = kMstsKeys[0], other_key = kMstsKeys[1];
  const std::string x86 = "C:\\Program Files (x86)\\Microsoft Games\\Train Simulator";
  const std::string recorded = ", where its installer recorded it (HKEY_LOCAL_MACHINE\\";
  const struct {
    const char* name;
    std::string root_set;
    std::map<std::string, std::string> paths;
    std::vector<std::string> with_routes;
    std::string root;  // empty: none taken
    std::string found;  // what the log line says of where
  } rows[] = {
      {"the root set holds ROUTES", "E:\\MSTS", {{key, "D:\\MSTS"}}, {"E:\\MSTS", "D:\\MSTS"}, "", ""},
      {"the installer's folder first", "C:\\Gone", {{key, "D:\\MSTS\\"}}, {"D:\\MSTS", x86},
       "D:\\MSTS", "D:\\MSTS" + recorded + key + ")"},
      {"the key's other spelling", "", {{other_key, "D:\\MSTS"}}, {"D:\\MSTS"}, "D:\\MSTS",
       "D:\\MSTS" + recorded + other_key + ")"},
      {"a usual folder after a recorded one without ROUTES", "", {{key, "D:\\Gone"}}, {x86}, x86,
       x86},
      {"nowhere", "", {}, {"D:\\MSTS"}, "", ""},
  };
  for (const auto& row : rows) {
    test_support::MemoryFileSystem files("C:\\work");
    files.Add("C:\\work\\conv.ini", "[INF]\r\nLANGUAGE=1\r\n[PATHS]\r\nROOT=" + row.root_set + "\r\n");
    for (const std::string& folder : row.with_routes) files.AddFolder(folder + "\\ROUTES");
    test_support::FakeProcesses processes;
    test_support::ScriptedUi ui;
    core::ConvMain main(files, processes, ui);
    PathsRecorded registry;
    registry.paths = row.paths;
    EXPECT_EQ(FindMstsRoot(main, registry), !row.root.empty()) << row.name;
    EXPECT_EQ(main.fields.MSTSRoot, row.root.empty() ? row.root_set : row.root) << row.name;
    if (row.root.empty()) {
      EXPECT_EQ(main.log.lines(), std::vector<std::string>{}) << row.name;
      continue;
    }
    EXPECT_EQ(main.log.lines(), std::vector<std::string>{"MSTS found in " + row.found +
                                                         ": it is now the MSTS root dir, as the "
                                                         "Settings page shows"})
        << row.name;
    // As if chosen on the Settings page: the editor tool's warning shown and
    // the utilities folder beside it shown. What conv.ini then holds is
    // checked end to end.
    EXPECT_EQ(main.fields.PathUtils, row.root + "\\UTILS") << row.name;
    EXPECT_EQ(ui.shown, std::vector<std::string>{"Warning: Unable to find ffeditc_unicode"})
        << row.name;
  }
}

}  // namespace
}  // namespace tools
