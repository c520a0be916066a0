#include "route/shape.h"

#include <gtest/gtest.h>

#include "route/ref_file.h"

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

TEST(ShapeTextTest, AnEntryChangedAfterReadingIsWrittenInTheProgramsLayout) {
  const std::string read = "Forest ( ScaleRange ( 0.8 1.2 ) FileName ( \"a\" + \"b.s\" ) )";
  const struct {
    void (*change)(Shape&);
    std::string text;
  } cases[] = {
      // Values left as they were keep the form they were read in.
      {[](Shape& e) { e.SetBlockType("Static"); },
       "Static (\r\n\tScaleRange ( 0.8 1.2 )\r\n\tFileName ( \"a\" + \"b.s\" )\r\n)"},
      {[](Shape& e) { e.SetValue("filename", "c.s"); },
       "Forest (\r\n\tScaleRange ( 0.8 1.2 )\r\n\tfilename ( c.s )\r\n)"},
      {[](Shape& e) { e.AddProp("X", "1 2"); },
       "Forest (\r\n\tScaleRange ( 0.8 1.2 )\r\n\tFileName ( \"a\" + \"b.s\" )\r\n"
       "\tX ( \"1 2\" )\r\n)"},
  };
  for (const auto& c : cases) {
    Shape entry = *ParseEntry(read);
    EXPECT_EQ(entry.GetValue("FileName"), "ab.s");
    c.change(entry);
    EXPECT_EQ(entry.Text(), c.text);
  }
}

}  // namespace
}  // namespace route
