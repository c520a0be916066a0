#include "core/strings.h"

#include <gtest/gtest.h>

namespace core {
namespace {

using Pieces = std::vector<std::string>;

TEST(SplitTextTest, KeepsEmptyPiecesAndDropsABlankLastOne) {
  EXPECT_EQ(SplitText("a.ace;; b.ace;", ';'), (Pieces{"a.ace", "", " b.ace"}));
  EXPECT_EQ(SplitText("a; \t", ';'), (Pieces{"a"}));
  EXPECT_EQ(SplitText("house  house", ' '), (Pieces{"house", "", "house"}));
}

TEST(SplitLinesTest, LinesEndAtCrLfOrBoth) {
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (Pieces{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n\r\n"), (Pieces{"a", ""}));
  EXPECT_EQ(SplitLines("a\n\rb"), (Pieces{"a", "", "b"}));
}

TEST(WholeNumberTest, AcceptsSignedDecimalNumbersOnly) {
  int value = 0;
  EXPECT_TRUE(ParseWholeNumber("12", value));
  EXPECT_EQ(value, 12);
  EXPECT_TRUE(ParseWholeNumber(" -3", value));
  EXPECT_EQ(value, -3);
  for (const char* text : {"", "1a", "1 ", "99999999999"}) {
    EXPECT_FALSE(IsWholeNumber(text)) << text;
  }
}

}  // namespace
}  // namespace core
