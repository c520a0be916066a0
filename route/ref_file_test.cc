#include "route/ref_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace route {
namespace {

MATCHER_P2(Prop, name, value, "") { return arg.PropName == name && arg.PropValue == value; }

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::string kHeader = "SIMISA@@@@@@@@@@JINX0t1t______\r\n\r\n";

// The entries of a header line and the body; the text must be read.
std::vector<Shape> Entries(std::string_view body) {
  ParsedRef ref = ParseRef(kHeader + std::string(body));
  EXPECT_EQ(ref.fault, RefFault::kNone) << body;
  return ref.entries;
}

// Values and the text around entries are checked end to end.
TEST(ParseRefTest, KeywordsAndNamesKeepTheirLetterCaseAndRepeatedNamesStaySeparate) {
  std::vector<Shape> entries = Entries("Static ( )\r\nSTATIC ( FILENAME ( x.s ) Filename ( y.s ) )");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].BlockType(), "Static");
  EXPECT_THAT(entries[0].PropList(), IsEmpty());
  EXPECT_EQ(entries[1].BlockType(), "STATIC");
  EXPECT_THAT(entries[1].PropList(), ElementsAre(Prop("FILENAME", "x.s"), Prop("Filename", "y.s")));
}

TEST(ParseRefTest, TheHeaderLineMustOpenTheTextAndEndsAtCrOrLf) {
  ParsedRef ref = ParseRef("SIMISA@@@@@@@@@@JINX0r1t______\rStatic ( FileName ( a.s ) )");
  ASSERT_EQ(ref.entries.size(), 1u);
  EXPECT_EQ(ref.entries[0].GetValue("FileName"), "a.s");
  for (std::string_view text : {"Static ( FileName ( a.s ) )\nStatic ( FileName ( b.s ) )",
                                "SIMISA@@@@@@@@@@JINX\r\nStatic ( )", " SIMISA@@@@@@@@@@JINX0r1t______\r\n"}) {
    EXPECT_EQ(ParseRef(std::string(text)).fault, RefFault::kNoHeader) << text;
  }
  // An empty text has nothing to lose.
  EXPECT_EQ(ParseRef(" \r\n\t").fault, RefFault::kNone);
}

TEST(ParseRefTest, ABlockThatDoesNotCloseRefusesTheTextNamingItsLine) {
  const struct {
    std::string_view body;
    size_t line;
  } cases[] = {
      {"Static ( FileName ( a.s )\nStatic ( FileName ( b.s ) )\n", 3},
      {"Static ( FileName ( a.s ) )\nStatic ( FileName ( b.s", 4},
      // A stray quote swallows its ")"; a quoted run does not go on past its line.
      {"Static ( )\r\n  Static ( D ( 5\" gauge ) )\r\nStatic ( )\r\n", 4},
      {"Static ( D ( \"two\r\nlines )\" ) )\r\n", 3},
      {"_skip ( Static ( x ) \r\n", 3},
  };
  for (const auto& c : cases) {
    ParsedRef ref = ParseRef(kHeader + std::string(c.body));
    EXPECT_EQ(ref.fault, RefFault::kUnclosedBlock) << c.body;
    EXPECT_EQ(ref.fault_line, c.line) << c.body;
    EXPECT_THAT(ref.entries, IsEmpty());
  }
}

TEST(RefTextTest, EveryValueReadsBackAsItWasWritten) {
  Shape entry;
  for (std::string value :
       {"Shed (old", "a) (b", "-1", "'q'", "+", ",x", "*.s", "a b\r\nc (", "x\ny", "x\r\n", "\r",
        "Дом \"5\" (1)", "Say \"hi\"", "12\"", "\"a\" + \"b\"", "Shed\t2", "  padded  ",
        "C:\\my dir\\", "a\\\"b\\\\", "a\\b", "\xED\xA0\x80 (", ".s", "", "plain"}) {
    entry.AddProp("P", value);
  }
  std::vector<Shape> back = ParseRef(RefText({entry, Shape()})).entries;
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[0], entry);
}

}  // namespace
}  // namespace route
