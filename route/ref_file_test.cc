#include "route/ref_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "route/text_file.h"

namespace route {
namespace {

MATCHER_P2(Prop, name, value, "") { return arg.PropName == name && arg.PropValue == value; }

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::string kHeader = "SIMISA@@@@@@@@@@JINX0t1t______\r\n\r\n";

// FF FE and ASCII text as UTF-16LE, spelled out byte by byte.
std::string Wide(std::string_view ascii) {
  std::string bytes = "\xFF\xFE";
  for (char c : ascii) {
    bytes += c;
    bytes += '\0';
  }
  return bytes;
}

// The entries of a header line and the body; the text must be read.
std::vector<Shape> Entries(std::string_view body) {
  ParsedRef ref = ParseRef(kHeader + std::string(body));
  EXPECT_EQ(ref.fault, RefFault::kNone) << body;
  return ref.entries;
}

TEST(ParseRefTest, ReadsEachTopLevelBlockAsAnEntry) {
  std::vector<Shape> entries = Entries(
      "Static (\r\n\tClass ( \"My houses\" )\r\n\tFileName ( house.s )\r\n"
      "\tDescription ( \"Big \"old\" house\" )\r\n)\r\n"
      "Hazard (\r\n\tFileName ( deer.haz )\r\n)\r\n"
      "Static ( )\r\n"
      "STATIC ( FILENAME ( x.s ) Filename ( y.s ) )");
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].BlockType, "Static");
  EXPECT_THAT(entries[0].PropList,
              ElementsAre(Prop("Class", "My houses"), Prop("FileName", "house.s"),
                          Prop("Description", "Big old house")));
  EXPECT_EQ(entries[1].BlockType, "Hazard");
  EXPECT_THAT(entries[1].PropList, ElementsAre(Prop("FileName", "deer.haz")));
  EXPECT_EQ(entries[2].BlockType, "Static");
  EXPECT_THAT(entries[2].PropList, IsEmpty());
  // Keywords and names keep their letter case; repeated names stay separate.
  EXPECT_EQ(entries[3].BlockType, "STATIC");
  EXPECT_THAT(entries[3].PropList, ElementsAre(Prop("FILENAME", "x.s"), Prop("Filename", "y.s")));
}

TEST(ParseRefTest, TheHeaderLineMustOpenTheTextAndEndsAtCrOrLf) {
  ParsedRef ref = ParseRef("SIMISA@@@@@@@@@@JINX0r1t______\rStatic ( FileName ( a.s ) )");
  ASSERT_EQ(ref.entries.size(), 1u);
  EXPECT_EQ(ref.entries[0].GetValue("FileName"), "a.s");
  for (std::string_view text : {"Static ( FileName ( a.s ) )\nStatic ( FileName ( b.s ) )",
                                "SIMISA@@@@@@@@@@JINX\r\nStatic ( )", " SIMISA@@@@@@@@@@JINX0r1t______\r\n"}) {
    EXPECT_EQ(ParseRef(text).fault, RefFault::kNoHeader) << text;
  }
  // An empty text has nothing to lose.
  EXPECT_EQ(ParseRef(" \r\n\t").fault, RefFault::kNone);
}

TEST(ParseRefTest, AnEntryLeftOpenAtTheEndRefusesTheText) {
  for (std::string_view body : {"Static ( FileName ( a.s )\nStatic ( FileName ( b.s ) )\n",
                                "Static ( FileName ( a.s ) )\nStatic ( FileName ( b.s",
                                "Static ( D ( 5\" gauge ) )\r\nStatic ( )\r\n", "Static ("}) {
    ParsedRef ref = ParseRef(kHeader + std::string(body));
    EXPECT_EQ(ref.fault, RefFault::kUnclosedBlock) << body;
    EXPECT_THAT(ref.entries, IsEmpty());
  }
}

TEST(ParseRefTest, EmptyAndHeaderOnlyTextsHaveNoEntries) {
  EXPECT_THAT(ParseRef("SIMISA@@@@@@@@@@JINX0t1t______").entries, IsEmpty());
  EXPECT_THAT(Entries(""), IsEmpty());
  EXPECT_THAT(Entries("\r\n  trailing words\r\n"), IsEmpty());
}

TEST(ParseRefTest, FreeTextAndCommentsAreReadAsWritten) {
  std::vector<Shape> entries =
      Entries("Comment ( made by hand )\nStatic ( FileName ( a.s ) loose words )\n");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].BlockType, "Comment");
  EXPECT_THAT(entries[0].PropList, ElementsAre(Prop("", "made by hand")));
  EXPECT_THAT(entries[1].PropList, ElementsAre(Prop("FileName", "a.s"), Prop("", "loose words")));
}

TEST(ParseRefTest, QuotedParenthesesAreTextAndAStrayQuoteEndsWithItsLine) {
  std::vector<Shape> entries = Entries(
      "Static ( Description ( \"a (b\" ) FileName ( a.s ) )\r\n"
      "Static ( Description ( 5\" gauge\r\n ) FileName ( b.s ) )\r\n");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_THAT(entries[0].PropList, ElementsAre(Prop("Description", "a (b"), Prop("FileName", "a.s")));
  EXPECT_THAT(entries[1].PropList,
              ElementsAre(Prop("Description", "5 gauge"), Prop("FileName", "b.s")));
}

TEST(RefTextTest, WritesTheHeaderThenEveryEntry) {
  Shape house;
  house.AddProp("Class", "Buildings");
  house.AddProp("Filename", "house.s");
  house.AddProp("Description", "Big house");
  Shape hazard;
  hazard.BlockType = "Hazard";
  hazard.AddProp("FileName", "");
  EXPECT_EQ(UnicodeFileBytes(RefText({house, hazard})),
            Wide("SIMISA@@@@@@@@@@JINX0t1t______\r\n\r\n"
                 "Static (\r\n\tClass ( Buildings )\r\n\tFilename ( house.s )\r\n"
                 "\tDescription ( \"Big house\" )\r\n)\r\n"
                 "Hazard (\r\n\tFileName (  )\r\n)\r\n"));
  EXPECT_EQ(UnicodeFileBytes(RefText({})), Wide("SIMISA@@@@@@@@@@JINX0t1t______\r\n\r\n"));
}

TEST(RefTextTest, LargeFilesAndLongEntriesComeBackWhole) {
  std::vector<Shape> entries(50000);
  for (size_t i = 0; i < entries.size(); ++i) {
    entries[i].AddProp("FileName", "s" + std::to_string(i) + ".s");
    entries[i].AddProp("Description", "shape number " + std::to_string(i));
  }
  for (int p = 0; p < 40; ++p) entries[7].AddProp("P" + std::to_string(p), std::to_string(p));
  std::string written = RefText(entries);
  std::vector<Shape> back = ParseRef(written).entries;
  ASSERT_EQ(back.size(), 50000u);
  EXPECT_EQ(back[7].PropCount(), 42);
  EXPECT_EQ(back[7].GetValue("p39"), "39");
  EXPECT_EQ(back[49999].GetValue("filename"), "s49999.s");
  EXPECT_EQ(RefText(back), written);
}

TEST(RefTextTest, EveryValueReadsBackAsItWasWritten) {
  Shape entry;
  for (std::string value : {"Shed (old", "a) (b", "-1", "'q'", "+", ",x", "*.s", "a b\r\nc (", "x\ny",
                            "Дом \"5\" (1)", "\xED\xA0\x80 (", ".s", "", "plain"}) {
    entry.AddProp("P", value);
  }
  entry.AddProp("Open\"name", "v");
  entry.BlockType = "Odd \"type";
  std::vector<Shape> back = ParseRef(RefText({entry, Shape()})).entries;
  ASSERT_EQ(back.size(), 2u);
  entry.PropList[9].PropValue = "Дом 5 (1)";  // its quotes left out
  EXPECT_EQ(back[0], entry);
}

TEST(SdTextTest, WritesTheHeaderTheShapeAndOneLinePerPropertyNeverQuoted) {
  Shape sd;
  sd.AddProp("ESD_Alternative_Texture", "");
  sd.AddProp("ESD_Detail_Level", "2");
  sd.AddProp("ESD_Bounding_Box", "0 0 0 0 0 0 ");
  EXPECT_EQ(UnicodeFileBytes(SdText("my.house.s", sd)),
            Wide("SIMISA@@@@@@@@@@JINX0t1t______\r\n"
                 "Shape( my.house.s\r\n"
                 "\tESD_Alternative_Texture (  ) \r\n"
                 "\tESD_Detail_Level ( 2 ) \r\n"
                 "\tESD_Bounding_Box ( 0 0 0 0 0 0  ) \r\n"
                 ")\r\n"));
}

}  // namespace
}  // namespace route
