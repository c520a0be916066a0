#include "route/blocks.h"

#include <gtest/gtest.h>

namespace route {
namespace {

TEST(ParseBlocksTest, NamesValuesAndTheTextAroundThem) {
  const struct {
    const char* text;
    std::vector<Props> props;
  } cases[] = {
      // Nested blocks stay raw text of the value.
      {"Foo ( Bar ( 1 ) )", {{"Foo", "Bar ( 1 )"}}},
      {"  A(1)B  (  2  )\r\n", {{"A", "1"}, {"B", "2"}, {"", ""}}},
      // A stray word becomes part of the next name; text without "(" is a value without name.
      {"A ( 1 ) junk B ( 2 )", {{"A", "1"}, {"junk B", "2"}}},
      {"A ( 1 ) free text", {{"A", "1"}, {"", "free text"}}},
      {"left ) over ) end", {{"", "left"}, {"", "over"}, {"", "end"}}},
      // A missing ")" ends the block at the end.
      {"A ( 1 ( 2 ) ", {{"A", "1 ( 2 )"}}},
      {"A (", {{"A", ""}}},
      // A quoted run is one token up to its unescaped quote or its line end.
      {"D ( \"Shed (old\" ) F ( x.s )", {{"D", "\"Shed (old\""}, {"F", "x.s"}}},
      {"D ( \"12\\\"\" ) F ( \"a\\\\\" ) G ( 1 )", {{"D", "\"12\\\"\""}, {"F", "\"a\\\\\""}, {"G", "1"}}},
      {"A ( \"x ) y\r\n) B ( 2 )", {{"A", "\"x ) y"}, {"B", "2"}}},
      {"\"a(b\" ( 1 ) \"c)\"", {{"\"a(b\"", "1"}, {"", "\"c)\""}}},
  };
  for (const auto& c : cases) {
    Shape target;
    ParseBlocks(c.text, target);
    EXPECT_EQ(target.PropList(), c.props) << c.text;
  }
}

TEST(FileNameOfTest, TakesThePartAfterTheLastSeparator) {
  EXPECT_EQ(FileNameOf("C:\\work\\barn.s"), "barn.s");
  EXPECT_EQ(FileNameOf("barn.s"), "barn.s");
  EXPECT_EQ(FileNameOf("C:\\work\\"), "");
  // A name can never leave the folder it is copied into.
  EXPECT_EQ(FileNameOf("C:\\t\\a/../../evil.ace"), "evil.ace");
}

}  // namespace
}  // namespace route
