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

TEST(ParseRefTest, ReadsEachTopLevelBlockAsAnEntry) {
  std::vector<Shape> entries = ParseRef(
      "SIMISA@@@@@@@@@@JINX0r1t______\r\n\r\n"
      "Static (\r\n\tClass ( \"My houses\" )\r\n\tFileName ( house.s )\r\n"
      "\tDescription ( \"Big \"old\" house\" )\r\n)\r\n"
      "Hazard (\r\n\tFileName ( deer.haz )\r\n)\r\n"
      "Static ( )\r\n");
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].BlockType, "Static");
  EXPECT_THAT(entries[0].PropList,
              ElementsAre(Prop("Class", "My houses"), Prop("FileName", "house.s"),
                          Prop("Description", "Big old house")));
  EXPECT_EQ(entries[1].BlockType, "Hazard");
  EXPECT_THAT(entries[1].PropList, ElementsAre(Prop("FileName", "deer.haz")));
  EXPECT_EQ(entries[2].BlockType, "Static");
  EXPECT_THAT(entries[2].PropList, IsEmpty());
}

TEST(ParseRefTest, KeywordsAndNamesKeepTheirLetterCase) {
  std::vector<Shape> entries = ParseRef("header\nSTATIC ( FILENAME ( x.s ) )");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].BlockType, "STATIC");
  EXPECT_THAT(entries[0].PropList, ElementsAre(Prop("FILENAME", "x.s")));
  EXPECT_EQ(entries[0].GetValue("Filename"), "x.s");
}

TEST(ParseRefTest, RepeatedNamesStaySeparate) {
  std::vector<Shape> entries =
      ParseRef("h\nStatic ( Filename ( house.s ) Filename ( barn.s ) )\n");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].PropCount(), 2);
  EXPECT_EQ(entries[0].GetValue("filename"), "house.s");
}

TEST(ParseRefTest, TheFirstLineIsDroppedWhateverItHolds) {
  // Without a header the first entry goes with the first line.
  std::vector<Shape> entries = ParseRef("Static ( FileName ( a.s ) )\nStatic ( FileName ( b.s ) )");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].GetValue("FileName"), "b.s");
  // A text without any line break is all body.
  EXPECT_EQ(ParseRef("Static ( FileName ( a.s ) )").size(), 1u);
}

TEST(ParseRefTest, EmptyAndHeaderOnlyTextsHaveNoEntries) {
  EXPECT_THAT(ParseRef(""), IsEmpty());
  EXPECT_THAT(ParseRef("SIMISA@@@@@@@@@@JINX0t1t______"), IsEmpty());
  EXPECT_THAT(ParseRef(kHeader), IsEmpty());
  EXPECT_THAT(ParseRef(kHeader + "\r\n  trailing words\r\n"), IsEmpty());
}

TEST(ParseRefTest, FreeTextAndCommentsAreReadAsWritten) {
  std::vector<Shape> entries =
      ParseRef("h\nComment ( made by hand )\nStatic ( FileName ( a.s ) loose words )\n");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].BlockType, "Comment");
  EXPECT_THAT(entries[0].PropList, ElementsAre(Prop("", "made by hand")));
  EXPECT_THAT(entries[1].PropList, ElementsAre(Prop("FileName", "a.s"), Prop("", "loose words")));
}

TEST(ParseRefTest, AMissingClosingParenthesisTakesTheRestOfTheFile) {
  std::vector<Shape> entries = ParseRef("h\nStatic ( FileName ( a.s )\nStatic ( FileName ( b.s ) )\n");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_THAT(entries[0].PropList,
              ElementsAre(Prop("FileName", "a.s"), Prop("Static", "FileName ( b.s )")));
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
}

TEST(RefTextTest, ARouteWithoutEntriesIsSeventyBytes) {
  std::string bytes = UnicodeFileBytes(RefText({}));
  EXPECT_EQ(bytes.size(), 70u);
  EXPECT_EQ(bytes, Wide("SIMISA@@@@@@@@@@JINX0t1t______\r\n\r\n"));
}

TEST(RefTextTest, LargeFilesAndLongEntriesComeBackWhole) {
  std::vector<Shape> entries(50000);
  for (size_t i = 0; i < entries.size(); ++i) {
    entries[i].AddProp("FileName", "s" + std::to_string(i) + ".s");
    entries[i].AddProp("Description", "shape number " + std::to_string(i));
  }
  for (int p = 0; p < 40; ++p) entries[7].AddProp("P" + std::to_string(p), std::to_string(p));
  std::string written = RefText(entries);
  std::vector<Shape> back = ParseRef(written);
  ASSERT_EQ(back.size(), 50000u);
  EXPECT_EQ(back[7].PropCount(), 42);
  EXPECT_EQ(back[7].GetValue("p39"), "39");
  EXPECT_EQ(back[49999].GetValue("filename"), "s49999.s");
  EXPECT_EQ(RefText(back), written);
}

TEST(RefTextTest, AnUnbalancedParenthesisIsWrittenUnchangedAndReadsBackDifferently) {
  Shape shed;
  shed.AddProp("Description", "Shed (old");
  shed.AddProp("FileName", "shed.s");
  std::string written = RefText({shed, Shape()});
  EXPECT_NE(written.find("Description ( \"Shed (old\" )"), std::string::npos);
  EXPECT_EQ(ParseRef(written).size(), 1u);
}

TEST(SdTextTest, WritesTheHeaderTheShapeAndOneLinePerProperty) {
  Shape sd;
  sd.AddProp("ESD_Alternative_Texture", "0");
  sd.AddProp("ESD_Detail_Level", "0");
  EXPECT_EQ(UnicodeFileBytes(SdText("house.s", sd)),
            Wide("SIMISA@@@@@@@@@@JINX0t1t______\r\n"
                 "Shape( house.s\r\n"
                 "\tESD_Alternative_Texture ( 0 ) \r\n"
                 "\tESD_Detail_Level ( 0 ) \r\n"
                 ")\r\n"));
}

TEST(SdTextTest, ValuesAreNeverQuoted) {
  Shape sd;
  sd.AddProp("ESD_Alternative_Texture", "");
  sd.AddProp("ESD_Detail_Level", "2");
  sd.AddProp("ESD_Bounding_Box", "0 0 0 0 0 0 ");
  EXPECT_EQ(SdText("my.house.s", sd),
            "SIMISA@@@@@@@@@@JINX0t1t______\r\n"
            "Shape( my.house.s\r\n"
            "\tESD_Alternative_Texture (  ) \r\n"
            "\tESD_Detail_Level ( 2 ) \r\n"
            "\tESD_Bounding_Box ( 0 0 0 0 0 0  ) \r\n"
            ")\r\n");
}

}  // namespace
}  // namespace route
