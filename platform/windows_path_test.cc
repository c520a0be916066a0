#include "platform/windows_path.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(WindowsPathTest, RelativeAndDottedPathsAreTakenFromTheCurrentFolder) {
  const struct {
    const char* text;
    const char* expected;  // "" for none
  } cases[] = {
      {"a\\b", "C:\\work\\a\\b"},         {"\\x\\.\\y", "C:\\x\\y"},
      {"d:/m/../n", "D:\\n"},             {"c:rel", "C:\\work\\rel"},
      {"..\\..\\..\\up", "C:\\up"},       {"\\\\server\\share", ""},
      {"", ""},
  };
  for (const auto& c : cases) {
    auto path = ParseWindowsPath(c.text, "C:\\work");
    EXPECT_EQ(path ? path->Text() : "", c.expected) << c.text;
  }
}

TEST(WindowsPathTest, JoinTakesAPathAsAProgramInTheFolderWould) {
  const struct {
    const char* folder;
    const char* path;
    const char* expected;
  } cases[] = {
      {"C:\\tex", "a.ace", "C:\\tex\\a.ace"},
      {"D:\\tex", "\\out\\a.ace", "D:\\out\\a.ace"},
      {"\\\\srv\\share\\x", "\\out", "\\\\srv\\share\\out"},
      {"C:\\tex", "E:\\a.ace", "E:\\a.ace"},
      {"c:\\tex", "C:", "c:\\tex"},
      {"C:\\tex", "D:", "D:\\"},
      {"", "a.ace", "a.ace"},
  };
  for (const auto& c : cases) EXPECT_EQ(JoinPath(c.folder, c.path), c.expected) << c.path;
}

TEST(WindowsPathTest, NamesWindowsCannotHoldAreNotFileNames) {
  EXPECT_TRUE(IsWindowsFileName("Дуб большой.s"));
  for (const char* name : {"", "..\\secret\\key.s", "a/b", "c:x", "a*", "q?", "\"q\"", "<", "|",
                           "tab\there"}) {
    EXPECT_FALSE(IsWindowsFileName(name)) << name;
  }
}

TEST(WindowsPathTest, APathLiesInsideAFolderOnlyBeneathIt) {
  EXPECT_TRUE(LiesInside("C:\\MSTS\\ROUTES\\R\\shapes\\a.s", "c:\\msts\\routes\\r\\", "C:\\"));
  EXPECT_FALSE(LiesInside("C:\\MSTS\\ROUTES\\R\\SHAPES\\..\\..\\x.s", "C:\\MSTS\\ROUTES\\R", "C:\\"));
  EXPECT_FALSE(LiesInside("C:\\MSTS\\ROUTES\\R2\\x.s", "C:\\MSTS\\ROUTES\\R", "C:\\"));
  EXPECT_FALSE(LiesInside("D:\\MSTS\\ROUTES\\R\\x.s", "C:\\MSTS\\ROUTES\\R", "C:\\"));
}

}  // namespace
}  // namespace platform
