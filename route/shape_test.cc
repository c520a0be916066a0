#include "route/shape.h"

#include <gtest/gtest.h>

namespace route {
namespace {

Shape Entry(std::initializer_list<Props> props) {
  Shape shape;
  for (const Props& prop : props) shape.AddProp(prop.PropName, prop.PropValue);
  return shape;
}

TEST(ShapeTest, ANewShapeIsAnEmptyStaticBlock) {
  Shape shape;
  EXPECT_EQ(shape.BlockType, "Static");
  EXPECT_EQ(shape.PropCount(), 0);
  EXPECT_EQ(shape.GetValue("FileName"), "");
}

TEST(ShapeTest, GetValueFindsTheFirstPropertyOfTheNameInAnyLetterCase) {
  Shape shape = Entry({{"Class", "Bridges"}, {"FILENAME", "house.s"}, {"Filename", "barn.s"}});
  EXPECT_EQ(shape.GetValue("filename"), "house.s");
  EXPECT_EQ(shape.GetValue("Filename"), "house.s");
  EXPECT_EQ(shape.GetValue("class"), "Bridges");
  EXPECT_EQ(shape.GetValue("Class "), "");
  EXPECT_EQ(shape.GetValue("Clas"), "");
}

TEST(ShapeTest, CyrillicNamesMatchWithoutRegardToCase) {
  Shape shape = Entry({{"Описание", "мост"}});
  EXPECT_EQ(shape.GetValue("ОПИСАНИЕ"), "мост");
  EXPECT_EQ(shape.GetValue("описание"), "мост");
  EXPECT_EQ(shape.GetValue("опис"), "");
}

TEST(ShapeTest, SetValueReplacesNameAndValueInPlaceOrAppends) {
  Shape shape = Entry({{"Class", "A"}, {"FileName", "a.s"}, {"Shadow", "NONE"}});
  shape.SetValue("filename", "b.s");
  ASSERT_EQ(shape.PropCount(), 3);
  EXPECT_EQ(shape.PropList[1].PropName, "filename");
  EXPECT_EQ(shape.PropList[1].PropValue, "b.s");
  shape.SetValue("Align", "NONE");
  ASSERT_EQ(shape.PropCount(), 4);
  EXPECT_EQ(shape.PropList[3].PropName, "Align");
}

TEST(ShapeTest, SetValueTouchesOnlyTheFirstOfRepeatedNamesAndAddPropNeverLooks) {
  Shape shape = Entry({{"FileName", "a.s"}});
  shape.AddProp("filename", "b.s");
  shape.SetValue("FILENAME", "c.s");
  ASSERT_EQ(shape.PropCount(), 2);
  EXPECT_EQ(shape.PropList[0].PropValue, "c.s");
  EXPECT_EQ(shape.PropList[1].PropValue, "b.s");
}

TEST(ShapeToRefTextTest, WritesTheFiveLinesOfAnEntry) {
  Shape shape = Entry({{"Class", "Buildings"}, {"Filename", "house.s"}, {"Description", "Big house"}});
  EXPECT_EQ(shape.ToRefText(),
            "Static (\r\n"
            "\tClass ( Buildings )\r\n"
            "\tFilename ( house.s )\r\n"
            "\tDescription ( \"Big house\" )\r\n"
            ")\r\n");
}

TEST(ShapeToRefTextTest, QuotesGoAroundBlanksParenthesesAndLowLeadingCharacters) {
  Shape shape = Entry({{"Tab", "a\tb"}, {"Empty", ""}, {"Quoted", "\"x\""}, {"Lead", " x"},
                       {"Paren", "Shed (old"}, {"Close", "a)"}, {"Minus", "-1"}, {"Plus", "+x"},
                       {"Dot", ".5"}, {"Inner", "a-b,c"}, {"Typed", "5\" gauge"}, {"Lines", "a b\r\nc"}});
  shape.BlockType = "Hazard";
  EXPECT_EQ(shape.ToRefText(),
            "Hazard (\r\n"
            "\tTab ( a\tb )\r\n"
            "\tEmpty (  )\r\n"
            "\tQuoted ( x )\r\n"
            "\tLead ( \" x\" )\r\n"
            "\tParen ( \"Shed (old\" )\r\n"
            "\tClose ( \"a)\" )\r\n"
            "\tMinus ( \"-1\" )\r\n"
            "\tPlus ( \"+x\" )\r\n"
            "\tDot ( .5 )\r\n"
            "\tInner ( a-b,c )\r\n"
            "\tTyped ( \"5 gauge\" )\r\n"
            "\tLines ( \"a b\"\r\n\"c\" )\r\n"
            ")\r\n");
}

TEST(ShapeToRefTextTest, AnEntryWithoutPropertiesIsItsTypeAndTheParentheses) {
  Shape shape;
  shape.BlockType = "LevelCr";
  EXPECT_EQ(shape.ToRefText(), "LevelCr (\r\n)\r\n");
}

}  // namespace
}  // namespace route
