#include "ops/read_ahead.h"

#include <gtest/gtest.h>

#include "tests/support/memory_file_system.h"

namespace ops {
namespace {

// A file's digest, made on a reading thread, which stands for its bytes.
struct Echo : ReadAhead::Digest {
  std::string text;
  size_t Bytes() const override { return text.size(); }
};

std::unique_ptr<ReadAhead::Digest> Copy(const std::string& bytes) {
  auto echo = std::make_unique<Echo>();
  echo->text = bytes;
  return echo;
}

// More files than the window holds, taken in order; a file missing among
// them; the file system held (and changed) now and then while reads are
// under way; the same with room for fewer bytes than one file has, and
// with digests that stand for the bytes of their files.
TEST(ReadAheadTest, GivesEveryFileInOrderAndStopsReadingWhileHeld) {
  test_support::MemoryFileSystem files;
  std::vector<std::string> paths;
  for (int n = 0; n < 200; ++n) {
    paths.push_back("C:\\w\\" + std::to_string(n) + ".w");
    if (n != 77) files.Add(paths.back(), std::to_string(n));
  }
  for (const size_t bytes_ahead : {size_t{64} << 20, size_t{1}, size_t{0}}) {
    const bool digests = bytes_ahead == 0;
    ReadAhead ahead(files, paths, digests ? Copy : ReadAhead::Digester(),
                    {digests ? size_t{1000} : size_t{32}, digests ? size_t{100} : bytes_ahead});
    for (int n = 0; n < 200; ++n) {
      if (n % 3 == 0) {
        const ReadAhead::Hold hold(ahead);
        files.Add("C:\\w\\tool-" + std::to_string(n), "work copy");
      }
      const ReadAhead::Read read = ahead.Take();
      const std::optional<std::string> expected =
          n == 77 ? std::nullopt : std::optional(std::to_string(n));
      EXPECT_FALSE(read.too_large);
      if (!digests) {
        EXPECT_EQ(read.bytes, expected) << n;
      } else if (expected) {
        EXPECT_EQ(read.bytes, "") << n;
        EXPECT_EQ(static_cast<const Echo&>(*read.digest).text, *expected) << n;
      } else {
        EXPECT_FALSE(read.bytes || read.digest) << n;
      }
    }
  }
}

// Left with files unread, it stops without waiting for them to be taken.
TEST(ReadAheadTest, EndsWithFilesUntaken) {
  test_support::MemoryFileSystem files;
  files.Add("C:\\a.w", "a");
  std::vector<std::string> paths(100, "C:\\a.w");
  ReadAhead ahead(files, paths);
  EXPECT_EQ(ahead.Take().bytes, "a");
}

}  // namespace
}  // namespace ops
