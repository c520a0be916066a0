#include "convert/output_watch.h"

#include <gtest/gtest.h>

#include "tests/support/memory_file_system.h"

namespace convert {
namespace {

TEST(OutputWatchTest, OnlyAFileCreatedOrRewrittenSinceCounts) {
  test_support::MemoryFileSystem files;
  OutputWatch fresh(files, "C:\\work\\a.ace");
  EXPECT_FALSE(fresh.Written());
  files.Add("C:\\work\\a.ace", "one");
  EXPECT_TRUE(fresh.Written());

  OutputWatch existing(files, "C:\\work\\a.ace");
  EXPECT_FALSE(existing.Written());
  files.ReplaceFile("C:\\work\\a.ace", "one");
  EXPECT_TRUE(existing.Written());

  OutputWatch deleted(files, "C:\\work\\a.ace");
  files.DeleteFile("C:\\work\\a.ace");
  EXPECT_FALSE(deleted.Written());
}

}  // namespace
}  // namespace convert
