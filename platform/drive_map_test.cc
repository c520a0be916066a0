#include "platform/drive_map.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "tests/support/temp_prefix.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using test_support::TempPrefix;
using test_support::WriteHostFile;

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = getenv(name)) old_ = old;
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(DriveMap, ReadsDriveLettersFromDosdevices) {
  TempPrefix temp;
  temp.AddDrive('d', temp.root() / "data");
  DriveMap drives(temp.prefix().string());
  ASSERT_EQ(drives.drives().size(), 2u);
  EXPECT_EQ(drives.HostRoot('C'), temp.drive_c().string());
  EXPECT_EQ(drives.HostRoot('c'), temp.drive_c().string());
  EXPECT_EQ(drives.HostRoot('d'), (temp.root() / "data").string());
  EXPECT_EQ(drives.HostRoot('E'), std::nullopt);
  EXPECT_EQ(drives.drives().begin()->first, 'C');  // letters in upper case
}

TEST(DriveMap, IgnoresRawDevicesPortsAndBrokenLinks) {
  TempPrefix temp;
  const fs::path devices = temp.prefix() / "dosdevices";
  fs::create_symlink("/dev/null", devices / "c::");
  fs::create_symlink("/dev/null", devices / "com1");
  fs::create_symlink(temp.root() / "missing", devices / "e:");
  WriteHostFile(temp.root() / "file", "x");
  fs::create_symlink(temp.root() / "file", devices / "f:");
  DriveMap drives(temp.prefix().string());
  ASSERT_EQ(drives.drives().size(), 1u);
  EXPECT_TRUE(drives.HostRoot('c'));
}

TEST(DriveMap, WithoutDosdevicesTheOnlyDriveIsZAtTheHostRoot) {
  TempPrefix temp;
  DriveMap drives((temp.root() / "no-prefix").string());
  ASSERT_EQ(drives.drives().size(), 1u);
  EXPECT_EQ(drives.HostRoot('z'), "/");
  EXPECT_EQ(drives.ToWindows("/"), "Z:\\");
  std::string expected = "Z:";
  for (char c : temp.drive_c().string()) expected += c == '/' ? '\\' : c;
  EXPECT_EQ(drives.ToWindows(temp.drive_c().string()), expected);
}

TEST(DriveMap, ToWindowsGoesThroughTheDriveHoldingThePath) {
  TempPrefix temp;
  temp.AddDrive('d', temp.root() / "data");
  temp.MakeFolder("C:\\MSTS\\ROUTES");
  DriveMap drives(temp.prefix().string());
  EXPECT_EQ(drives.ToWindows(temp.drive_c().string()), "C:\\");
  EXPECT_EQ(drives.ToWindows(temp.drive_c().string() + "/"), "C:\\");
  EXPECT_EQ(drives.ToWindows((temp.drive_c() / "MSTS" / "ROUTES").string()), "C:\\MSTS\\ROUTES");
  EXPECT_EQ(drives.ToWindows((temp.root() / "data" / "x.s").string()), "D:\\x.s");
  // Outside every drive, and relative paths.
  EXPECT_EQ(drives.ToWindows(temp.root().string()), std::nullopt);
  EXPECT_EQ(drives.ToWindows(temp.drive_c().string() + "-other"), std::nullopt);
  EXPECT_EQ(drives.ToWindows("MSTS/ROUTES"), std::nullopt);
}

TEST(DriveMap, NestedDriveFoldersTakeTheLongestMatch) {
  TempPrefix temp;
  temp.MakeFolder("C:\\MSTS\\ROUTES\\X");
  temp.AddDrive('m', temp.drive_c() / "MSTS");
  DriveMap drives(temp.prefix().string());
  EXPECT_EQ(drives.ToWindows((temp.drive_c() / "MSTS" / "ROUTES" / "X").string()),
            "M:\\ROUTES\\X");
  EXPECT_EQ(drives.ToWindows((temp.drive_c() / "MSTS").string()), "M:\\");
  EXPECT_EQ(drives.ToWindows((temp.drive_c() / "MSTS2").string()), "C:\\MSTS2");
  EXPECT_EQ(drives.ToWindows((temp.drive_c() / "Other").string()), "C:\\Other");
}

TEST(DriveMap, ComparesCanonicalPathsAndKeepsAMissingTailAsTyped) {
  TempPrefix temp;
  temp.MakeFolder("C:\\MSTS\\ROUTES");
  fs::create_symlink(temp.drive_c() / "MSTS", temp.root() / "link");
  DriveMap drives(temp.prefix().string());
  const std::string link = (temp.root() / "link").string();
  EXPECT_EQ(drives.ToWindows(link + "/ROUTES"), "C:\\MSTS\\ROUTES");
  EXPECT_EQ(drives.ToWindows(link + "//./ROUTES/../ROUTES/"), "C:\\MSTS\\ROUTES");
  EXPECT_EQ(drives.ToWindows(link + "/New/Route/../Tail"), "C:\\MSTS\\New\\Tail");
  EXPECT_EQ(drives.ToWindows(link + "/New/../../x"), "C:\\x");
}

TEST(DriveMap, FromEnvironmentReadsWineprefixOrHomeDotWine) {
  TempPrefix temp;
  {
    ScopedEnv prefix("WINEPREFIX", temp.prefix().c_str());
    EXPECT_EQ(DriveMap::FromEnvironment().HostRoot('C'), temp.drive_c().string());
  }
  {
    fs::create_directories(temp.root() / "home");
    fs::create_directory_symlink(temp.prefix(), temp.root() / "home" / ".wine");
    ScopedEnv prefix("WINEPREFIX", nullptr);
    ScopedEnv home("HOME", (temp.root() / "home").c_str());
    EXPECT_EQ(DriveMap::FromEnvironment().HostRoot('C'), temp.drive_c().string());
  }
}

}  // namespace
}  // namespace platform
