#include "console/command_line.h"

#include <gtest/gtest.h>

namespace console {
namespace {

TEST(ParseLineTest, CutsNameOptionsAndArgumentsOfALoweredLine) {
  ParsedLine line = ParseLine("  MAKEACE(-DIR=C:\\TEX;-ZLIB) A.TGA; B.BMP\r\n");
  EXPECT_EQ(line.CommandName, "makeace");
  EXPECT_EQ(line.OptionText, "-dir=c:\\tex;-zlib");
  EXPECT_EQ(line.ArgumentText, "a.tga; b.bmp");
  EXPECT_EQ(line.FileList, (std::vector<std::string>{"a.tga", " b.bmp"}));  // entries are not trimmed
  EXPECT_EQ(line.DirOption, "c:\\tex");
  // Only the first ")" counts; a line without one is all argument, as
  // "makeace a.tga" is end to end.
  EXPECT_EQ(ParseLine("shape(-dir=c:\\m) a (b) c").ArgumentText, "a (b) c");
  line = ParseLine("-dir=x) a.tga");
  EXPECT_EQ(line.CommandName, "");
  EXPECT_EQ(line.OptionText, "-dir=x");
  EXPECT_EQ(line.DirOption, "x");
}

TEST(GetOptionTest, ReadsTheValueAfterTheKeyOrTheNextOnesOrItself) {
  EXPECT_EQ(GetOption("-dir", "-zlib;-dir= c:\\tex ;-no"), "c:\\tex");
  EXPECT_EQ(GetOption("-route", "-dir=x"), "");
  // A key without "=" takes the next one's value, or itself.
  EXPECT_EQ(GetOption("-bmp", "-bmp"), "-bmp");
  EXPECT_EQ(GetOption("-sub", "-sub;-dir=c:\\x"), "c:\\x");
  // The last character is never taken for the "=".
  EXPECT_EQ(GetOption("-mip", "-mip="), "-mip=");
}

}  // namespace
}  // namespace console
