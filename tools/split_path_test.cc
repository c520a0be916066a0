#include "tools/split_path.h"

#include <gtest/gtest.h>

#include "tests/support/memory_file_system.h"

namespace tools {
namespace {

// Names taken from the current folder are checked end to end.
TEST(SplitPathTest, GivesDriveFolderAndFileOfWhatExists) {
  test_support::MemoryFileSystem files{"C:\\work"};
  files.Add("C:\\models\\tex\\a.tga", "tga");
  files.Add("C:\\a.tga", "tga");
  files.AddFolder("C:\\models\\x.tga");
  const struct {
    const char* path;
    char drive;
    const char* folder;
    const char* file;
  } cases[] = {
      {"C:\\models\\tex\\a.tga", 'C', "\\models\\tex", "a.tga"},
      {"C:\\a.tga", 'C', "\\", "a.tga"},
      // A folder gives that folder and no file; wildcards stay the file part.
      {"C:\\models\\x.tga", 'C', "\\models\\x.tga", ""},
      {"[\\models\\tex]", 'C', "\\models\\tex", ""},
      {"C:\\models\\tex\\*.tga", 'C', "\\models\\tex", "*.tga"},
  };
  for (const auto& c : cases) {
    std::optional<SplitResult> split = SplitPath(c.path, files);
    ASSERT_TRUE(split.has_value()) << c.path;
    EXPECT_EQ(split->drive, c.drive) << c.path;
    EXPECT_EQ(split->folder, c.folder) << c.path;
    EXPECT_EQ(split->file, c.file) << c.path;
  }
  for (const char* missing : {"C:\\models\\tex\\missing.tga", "C:\\nowhere\\a.tga", "Q:\\a.tga"}) {
    EXPECT_FALSE(SplitPath(missing, files).has_value()) << missing;
  }
  test_support::MemoryFileSystem at_root{"C:\\"};
  at_root.Add("C:\\r.tga", "tga");
  EXPECT_EQ(SplitPath("r.tga", at_root)->folder, "\\");
}

}  // namespace
}  // namespace tools
