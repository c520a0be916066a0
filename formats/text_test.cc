#include "formats/text.h"

#include <gtest/gtest.h>

namespace formats::text {
namespace {

// What files as real routes hold them read as is checked end to end.
TEST(ValueOfTest, QuotedRunsStandForTheirTextAndJoinOverPlus) {
  const struct {
    const char* written;
    const char* value;
  } cases[] = {
      {"\"My houses\"", "My houses"},
      {"\" a \"b\"\"", " a b"},
      {"\"C:\\dir\\\\\"", "C:\\dir\\"},
      {"\"12\\\" pipe\"", "12\" pipe"},
      {"\"one \" +\r\n\t\"two\" + \"three\"", "one twothree"},
      {"\"a\"\r\n\"b\"", "a\r\nb"},
      // A stray quote ends at its line.
      {"5\" gauge", "5 gauge"},
      {"Bar ( \"1\" )", "Bar ( \"1\" )"},
  };
  for (const auto& c : cases) EXPECT_EQ(ValueOf(c.written), c.value) << c.written;
  EXPECT_EQ(NameOf(" \" a b.s \" "), "a b.s");
}

TEST(KeywordTest, KeywordsCompareWholeInAnyLetterCase) {
  EXPECT_TRUE(KeywordIs("FILENAME", "FileName"));
  EXPECT_FALSE(KeywordIs("FileNames", "FileName"));
  EXPECT_EQ(KeywordOf("2 \"x\"image"), "image");
  for (const char* format : {"comment", "SKIP", "Include", "_anything"})
    EXPECT_TRUE(IsFormatKeyword(format)) << format;
  for (const char* data : {"Static", "comments", "skipped", "x_"})
    EXPECT_FALSE(IsFormatKeyword(data)) << data;
}

}  // namespace
}  // namespace formats::text
