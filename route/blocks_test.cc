#include "route/blocks.h"

#include <gtest/gtest.h>

namespace route {
namespace {

TEST(ParseBlocksTest, NamesValuesAndTheTextAroundThem) {
  const struct {
    const char* text;
    bool unquote;
    std::vector<Props> props;
  } cases[] = {
      // Nested blocks stay raw text of the value.
      {"Foo ( Bar ( 1 ) )", false, {{"Foo", "Bar ( 1 )"}}},
      {"  A(1)B  (  2  )\r\n", false, {{"A", "1"}, {"B", "2"}, {"", ""}}},
      // A stray word becomes part of the next name; text without "(" is a value without name.
      {"A ( 1 ) junk B ( 2 )", false, {{"A", "1"}, {"junk B", "2"}}},
      {"A ( 1 ) free text", false, {{"A", "1"}, {"", "free text"}}},
      {"left ) over ) end", false, {{"", "left"}, {"", "over"}, {"", "end"}}},
      // A missing ")" ends the block at the end.
      {"A ( 1 ( 2 ) ", false, {{"A", "1 ( 2 )"}}},
      {"A (", false, {{"A", ""}}},
      // A quoted run is one token up to its quote or its line end.
      {"Description ( \"Shed (old\" ) Filename ( x.s )", true, {{"Description", "Shed (old"}, {"Filename", "x.s"}}},
      {"A ( \"x ) y\r\n) B ( 2 )", false, {{"A", "\"x ) y"}, {"B", "2"}}},
      {"\"a(b\" ( 1 ) \"c)\"", false, {{"\"a(b\"", "1"}, {"", "\"c)\""}}},
      // Unquoted, a run stands for its text: \" and \\ undone, blanks kept, "+" joining runs.
      {"Class ( \"My houses\" ) D ( \" a \"b\"\" )", true, {{"Class", "My houses"}, {"D", " a b"}}},
      {"Class ( \"My houses\" )", false, {{"Class", "\"My houses\""}}},
      {"D ( \"Pipe 12\\\"\" ) F ( x.s ) S ( \"Say \\\"hi\\\"\" ) P ( \"C:\\dir\\\\\" )", true,
       {{"D", "Pipe 12\""}, {"F", "x.s"}, {"S", "Say \"hi\""}, {"P", "C:\\dir\\"}}},
      {"A ( \"  padded  \" ) B ( \"Shed\t2\" ) C ( \"one \" +\r\n\t\"two\" \"three\" )", true,
       {{"A", "  padded  "}, {"B", "Shed\t2"}, {"C", "one two three"}}},
      // A value holding a block stays as written; numbers side by side stay apart.
      {"S ( Head ( \"a b\" ) ) R ( 0.8 1.2 ) T ( 5\" gauge\r\n)", true,
       {{"S", "Head ( \"a b\" )"}, {"R", "0.8 1.2"}, {"T", "5 gauge"}}},
  };
  for (const auto& c : cases) {
    Shape target;
    ParseBlocks(c.text, target, c.unquote);
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
