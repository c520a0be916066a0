#include "tools/split_path.h"

#include <gtest/gtest.h>

#include "tests/support/memory_file_system.h"

namespace tools {
namespace {

class SplitPathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    files.Add("C:\\models\\tex\\a.tga", "tga");
    files.Add("C:\\a.tga", "tga");
    files.Add("C:\\work\\b.tga", "tga");
    files.Add("C:\\work\\sub\\c.tga", "tga");
    files.AddFolder("C:\\models\\x.tga");
    files.Add("D:\\shapes\\d.tga", "tga");
  }

  test_support::MemoryFileSystem files{"C:\\work"};
};

void ExpectSplit(const std::optional<SplitResult>& split, char drive, const std::string& folder,
                 const std::string& file) {
  ASSERT_TRUE(split.has_value());
  EXPECT_EQ(split->drive, drive);
  EXPECT_EQ(split->folder, folder);
  EXPECT_EQ(split->file, file);
}

TEST_F(SplitPathTest, AFullPathGivesDriveFolderAndFile) {
  ExpectSplit(SplitPath("C:\\models\\tex\\a.tga", files), 'C', "\\models\\tex", "a.tga");
  ExpectSplit(SplitPath("d:\\shapes\\d.tga", files), 'd', "\\shapes", "d.tga");
}

TEST_F(SplitPathTest, AFileAtTheDriveRootHasTheRootFolder) {
  ExpectSplit(SplitPath("C:\\a.tga", files), 'C', "\\", "a.tga");
}

TEST_F(SplitPathTest, NamesWithoutAFolderAreTakenFromTheCurrentFolder) {
  ExpectSplit(SplitPath("b.tga", files), 'C', "\\work", "b.tga");
  ExpectSplit(SplitPath("sub\\c.tga", files), 'C', "sub", "c.tga");
  test_support::MemoryFileSystem at_root{"C:\\"};
  at_root.Add("C:\\r.tga", "tga");
  ExpectSplit(SplitPath("r.tga", at_root), 'C', "\\", "r.tga");
}

TEST_F(SplitPathTest, AFolderGivesThatFolderAndNoFile) {
  ExpectSplit(SplitPath("C:\\models\\tex", files), 'C', "\\models\\tex", "");
  ExpectSplit(SplitPath("C:\\models\\x.tga", files), 'C', "\\models\\x.tga", "");
  ExpectSplit(SplitPath("[\\models\\tex]", files), 'C', "\\models\\tex", "");
}

TEST_F(SplitPathTest, WildcardsAreKeptAsTheFilePart) {
  ExpectSplit(SplitPath("C:\\models\\tex\\*.tga", files), 'C', "\\models\\tex", "*.tga");
}

TEST_F(SplitPathTest, MissingFilesAndFoldersFail) {
  EXPECT_FALSE(SplitPath("C:\\models\\tex\\missing.tga", files).has_value());
  EXPECT_FALSE(SplitPath("C:\\nowhere\\a.tga", files).has_value());
  EXPECT_FALSE(SplitPath("Q:\\a.tga", files).has_value());
}

}  // namespace
}  // namespace tools
