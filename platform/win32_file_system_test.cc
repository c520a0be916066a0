// The Win32 file system where Windows differs from what the program
// relies on: listing order, short names, devices, read-only files and
// writes through a temporary file.
#include "platform/win32_file_system.h"

#include <gtest/gtest.h>

#include "platform/win32_api.h"
#include "platform/win32_wide.h"
#include "tests/support/temp_prefix.h"

namespace platform {
namespace {

using Names = std::vector<std::string>;

class Win32FileSystemTest : public ::testing::Test {
 protected:
  // The fixture's folder as a Windows path.
  std::string Path(const std::string& name) const { return prefix_.ToProgram("C:\\" + name); }
  void Write(const std::string& name, const std::string& bytes) {
    prefix_.Write("C:\\" + name, bytes);
  }
  void SetAttributes(const std::string& name, DWORD attributes) {
    ASSERT_TRUE(SetFileAttributesW(Wide(Path(name)).c_str(), attributes));
  }
  Names Listed(const std::string& pattern, uint32_t mask = kAnyAttributes) const {
    Names names;
    for (const FindEntry& entry : files_.Find(Path(pattern), mask)) names.push_back(entry.name);
    return names;
  }

  test_support::TempPrefix prefix_;
  Win32FileSystem files_;
};

TEST_F(Win32FileSystemTest, ListsInNtfsOrderAndMatchesLongNamesOnly) {
  for (const char* name : {"b.tga", "A.tga", "a.tgax", "дача.tga", "Дом.tga", "c.tga"})
    Write(std::string("tex\\") + name, "");
  prefix_.MakeFolder("C:\\tex\\x.tga");
  SetAttributes("tex\\c.tga", FILE_ATTRIBUTE_HIDDEN);
  // Names an ordinary path cannot reach: it would name "odd" and the device.
  for (const char* name : {"odd.", "nul.tga"}) {
    HANDLE file = CreateFileW(Wide("\\\\?\\" + Path("tex\\") + name).c_str(), GENERIC_WRITE, 0,
                              nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << name;
    CloseHandle(file);
  }

  EXPECT_EQ(Listed("tex\\*.TGA", 0), (Names{"A.tga", "b.tga", "дача.tga", "Дом.tga"}));
  EXPECT_EQ(Listed("tex\\*.tga"), (Names{"A.tga", "b.tga", "c.tga", "x.tga", "дача.tga", "Дом.tga"}));
  EXPECT_EQ(Listed("tex\\a.tga"), Names{"A.tga"});
}

TEST_F(Win32FileSystemTest, DevicesAreNeitherFilesNorWrittenAndReadOnlyFilesStay) {
  prefix_.MakeFolder("C:\\r");
  EXPECT_FALSE(files_.ReadFile(Path("r\\CON")));
  EXPECT_FALSE(files_.ReplaceFile(Path("r\\com1.ref"), "x"));
  EXPECT_FALSE(files_.CreateFolder(Path("r\\lpt1")));
  Write("r\\locked.ref", "kept");
  Write("src.s", "shape");
  SetAttributes("r\\locked.ref", FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(files_.ReplaceFile(Path("r\\locked.ref"), "lost"));
  EXPECT_FALSE(files_.CopyFile(Path("src.s"), Path("r\\locked.ref"), false));
  EXPECT_FALSE(files_.DeleteFile(Path("r\\locked.ref")));
  EXPECT_EQ(prefix_.Read("C:\\r\\locked.ref"), "kept");
}

TEST_F(Win32FileSystemTest, ReplacingWritesWholeFilesAndKeepsTheStoredName) {
  Write("r\\Route.REF", "old");
  const std::optional<FileStamp> before = files_.Stamp(Path("r\\Route.REF"));
  ASSERT_TRUE(files_.ReplaceFile(Path("r\\route.ref"), "new"));
  EXPECT_EQ(prefix_.Read("C:\\r\\Route.REF"), "new");
  EXPECT_NE(files_.Stamp(Path("r\\route.ref")), before);
  ASSERT_TRUE(files_.ReplaceFile(Path("r\\Fresh.sd"), "sd"));
  // A temporary file left read-only by a run cut short is taken over.
  Write("r\\.conv.ini.rastolin-tmp", "half");
  SetAttributes("r\\.conv.ini.rastolin-tmp", FILE_ATTRIBUTE_READONLY);
  ASSERT_TRUE(files_.ReplaceFile(Path("r\\conv.ini"), "[INF]"));
  EXPECT_EQ(Listed("r\\*", 0), (Names{"conv.ini", "Fresh.sd", "Route.REF"}));
  EXPECT_FALSE(files_.ReplaceFile(Path("r"), "a folder"));
}

TEST_F(Win32FileSystemTest, CopiesAndMovesNeverClobberUnasked) {
  Write("a.s", "a");
  Write("B.s", "b");
  EXPECT_FALSE(files_.CopyFile(Path("a.s"), Path("b.s"), true));
  EXPECT_FALSE(files_.CopyFile(Path("a.s"), Path("A.S"), false));
  EXPECT_FALSE(files_.MoveFile(Path("a.s"), Path("b.s")));
  EXPECT_EQ(prefix_.Read("C:\\B.s"), "b");

  ASSERT_TRUE(files_.CopyFile(Path("a.s"), Path("b.s"), false));
  EXPECT_EQ(prefix_.Read("C:\\B.s"), "a");
  ASSERT_TRUE(files_.CopyFile(Path("a.s"), Path("c.s"), true));
  prefix_.MakeFolder("C:\\backup");
  ASSERT_TRUE(files_.MoveFile(Path("a.s"), Path("backup\\a.s")));
  EXPECT_EQ(Listed("*", 0), (Names{"B.s", "c.s"}));
  EXPECT_EQ(files_.ReadFile(Path("backup\\a.s")), "a");
}

}  // namespace
}  // namespace platform
