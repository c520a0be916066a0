#include "route/shape.h"

#include <gtest/gtest.h>

namespace route {
namespace {

Shape Entry(std::initializer_list<Props> props) {
  Shape shape;
  for (const Props& prop : props) shape.AddProp(prop.PropName, prop.PropValue);
  return shape;
}

TEST(ShapeTest, GetValueFindsTheFirstPropertyOfTheNameInAnyLetterCase) {
  Shape shape = Entry({{"Class", "Bridges"}, {"FILENAME", "house.s"}, {"Filename", "barn.s"},
                       {"Описание", "мост"}});
  EXPECT_EQ(shape.GetValue("filename"), "house.s");
  EXPECT_EQ(shape.GetValue("class"), "Bridges");
  EXPECT_EQ(shape.GetValue("Clas"), "");
  EXPECT_EQ(shape.GetValue("ОПИСАНИЕ"), "мост");
  EXPECT_EQ(shape.GetValue("опис"), "");
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

}  // namespace
}  // namespace route
