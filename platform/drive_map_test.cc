#include "platform/drive_map.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/temp_prefix.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using test_support::TempPrefix;

TEST(DriveMap, ToWindowsGoesThroughTheLongestDriveHoldingTheCanonicalPath) {
  TempPrefix temp;
  temp.AddDrive('d', temp.root() / "data");
  temp.MakeFolder("C:\\MSTS\\ROUTES\\X");
  temp.AddDrive('m', temp.drive_c() / "MSTS");
  fs::create_symlink(temp.drive_c() / "MSTS", temp.root() / "link");
  DriveMap drives(temp.prefix().string());
  const std::string c = temp.drive_c().string();
  const std::string link = (temp.root() / "link").string();
  const struct {
    std::string host;
    std::optional<std::string> windows;
  } cases[] = {
      {c, "C:\\"},
      {c + "/MSTS", "M:\\"},
      {c + "/MSTS/ROUTES/X", "M:\\ROUTES\\X"},
      {(temp.root() / "data" / "x.s").string(), "D:\\x.s"},
      {temp.root().string(), std::nullopt},
      {c + "-other", std::nullopt},
      {"MSTS/ROUTES", std::nullopt},
      // A missing tail is kept as typed.
      {link + "//./ROUTES/../ROUTES/X/", "M:\\ROUTES\\X"},
      {link + "/New/Route/../Tail", "M:\\New\\Tail"},
      {link + "/New/../../x", "C:\\x"},
  };
  for (const auto& test : cases) EXPECT_EQ(drives.ToWindows(test.host), test.windows) << test.host;
}

}  // namespace
}  // namespace platform
