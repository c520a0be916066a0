#include "route/blocks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace route {
namespace {

std::vector<Props> Parse(std::string_view text, bool strip_quotes) {
  Shape target;
  ParseBlocks(text, target, strip_quotes);
  return target.PropList;
}

MATCHER_P2(Prop, name, value, "") { return arg.PropName == name && arg.PropValue == value; }

using ::testing::ElementsAre;

TEST(ParseBlocksTest, NestedBlocksStayRawTextOfTheValue) {
  EXPECT_THAT(Parse("Foo ( Bar ( 1 ) )", false), ElementsAre(Prop("Foo", "Bar ( 1 )")));
  EXPECT_THAT(Parse("  A(1)B  (  2  )\r\n", false),
              ElementsAre(Prop("A", "1"), Prop("B", "2"), Prop("", "")));
}

TEST(ParseBlocksTest, AStrayWordBecomesPartOfTheNextName) {
  EXPECT_THAT(Parse("A ( 1 ) junk B ( 2 )", false),
              ElementsAre(Prop("A", "1"), Prop("junk B", "2")));
}

TEST(ParseBlocksTest, TextWithoutAnOpeningParenthesisIsAValueWithoutName) {
  EXPECT_THAT(Parse("A ( 1 ) free text", false), ElementsAre(Prop("A", "1"), Prop("", "free text")));
  EXPECT_THAT(Parse("left ) over ) end", false),
              ElementsAre(Prop("", "left"), Prop("", "over"), Prop("", "end")));
}

TEST(ParseBlocksTest, AMissingClosingParenthesisEndsTheBlockAtTheEnd) {
  EXPECT_THAT(Parse("A ( 1 ( 2 ) ", false), ElementsAre(Prop("A", "1 ( 2 )")));
  EXPECT_THAT(Parse("A (", false), ElementsAre(Prop("A", "")));
}

TEST(ParseBlocksTest, AQuotedRunIsOneTokenUpToItsQuoteOrItsLineEnd) {
  EXPECT_THAT(Parse("Description ( \"Shed (old\" ) Filename ( x.s )", true),
              ElementsAre(Prop("Description", "Shed (old"), Prop("Filename", "x.s")));
  EXPECT_THAT(Parse("A ( \"x ) y\r\n) B ( 2 )", false),
              ElementsAre(Prop("A", "\"x ) y"), Prop("B", "2")));
  EXPECT_THAT(Parse("\"a(b\" ( 1 ) \"c)\"", false),
              ElementsAre(Prop("\"a(b\"", "1"), Prop("", "\"c)\"")));
}

TEST(ParseBlocksTest, StrippingRemovesEveryQuoteAndTrimsAgain) {
  EXPECT_THAT(Parse("Class ( \"My houses\" ) D ( \" a \"b\"\" )", true),
              ElementsAre(Prop("Class", "My houses"), Prop("D", "a b")));
  EXPECT_THAT(Parse("Class ( \"My houses\" )", false), ElementsAre(Prop("Class", "\"My houses\"")));
}

TEST(SplitListTest, CutsAtTheSeparatorKeepingEmptyPieces) {
  using V = std::vector<std::string>;
  EXPECT_EQ(SplitList("a.ace;b.ace;", ';'), (V{"a.ace", "b.ace"}));
  EXPECT_EQ(SplitList("a.ace;;b.ace", ';'), (V{"a.ace", "", "b.ace"}));
  EXPECT_EQ(SplitList("a.ace;b.ace", ';'), (V{"a.ace", "b.ace"}));
  EXPECT_EQ(SplitList("a.ace; \t", ';'), (V{"a.ace"}));
  EXPECT_EQ(SplitList(" a.ace ;", ';'), (V{" a.ace "}));
  EXPECT_EQ(SplitList("description  filename", ' '), (V{"description", "", "filename"}));
  EXPECT_EQ(SplitList("", ';'), V{});
}

TEST(FileNameOfTest, TakesThePartAfterTheLastSeparator) {
  EXPECT_EQ(FileNameOf("C:\\work\\barn.s"), "barn.s");
  EXPECT_EQ(FileNameOf("barn.s"), "barn.s");
  EXPECT_EQ(FileNameOf("C:\\work\\"), "");
  EXPECT_EQ(FileNameOf(""), "");
  // A name can never leave the folder it is copied into.
  EXPECT_EQ(FileNameOf("C:\\t\\a/../../evil.ace"), "evil.ace");
}

}  // namespace
}  // namespace route
