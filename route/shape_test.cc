#include "route/shape.h"

#include <gtest/gtest.h>

#include "route/ref_file.h"

namespace route {
namespace {

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
