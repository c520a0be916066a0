#include "console/command_line.h"

#include <gtest/gtest.h>

namespace console {
namespace {

TEST(ParseLineTest, CutsNameOptionsAndArgumentsOfALoweredLine) {
  ParsedLine line = ParseLine("  MAKEACE(-DIR=C:\\TEX;-ZLIB) A.TGA;B.BMP\r\n");
  EXPECT_EQ(line.CommandName, "makeace");
  EXPECT_EQ(line.OptionText, "-dir=c:\\tex;-zlib");
  EXPECT_EQ(line.ArgumentText, "a.tga;b.bmp");
  EXPECT_EQ(line.FileList, (std::vector<std::string>{"a.tga", "b.bmp"}));
  EXPECT_EQ(line.DirOption, "c:\\tex");
}

TEST(ParseLineTest, ALineWithoutParenthesesIsAllArgument) {
  ParsedLine line = ParseLine("makeace a.tga");
  EXPECT_EQ(line.CommandName, "");
  EXPECT_EQ(line.OptionText, "");
  EXPECT_EQ(line.ArgumentText, "makeace a.tga");
  EXPECT_EQ(ParseLine("help\n").ArgumentText, "help");
}

TEST(ParseLineTest, OnlyTheFirstClosingParenthesisCounts) {
  ParsedLine line = ParseLine("shape(-dir=c:\\m) a (b) c");
  EXPECT_EQ(line.CommandName, "shape");
  EXPECT_EQ(line.ArgumentText, "a (b) c");
  ParsedLine no_open = ParseLine("-dir=x) a.tga");
  EXPECT_EQ(no_open.CommandName, "");
  EXPECT_EQ(no_open.OptionText, "-dir=x");
  EXPECT_EQ(no_open.DirOption, "x");
}

TEST(ParseLineTest, EntriesAreNotTrimmed) {
  EXPECT_EQ(ParseLine("makeace(-dir=c:\\tex) a.tga; b.tga").FileList,
            (std::vector<std::string>{"a.tga", " b.tga"}));
}

TEST(GetOptionTest, ReadsTheValueAfterTheKey) {
  EXPECT_EQ(GetOption("-dir", "-zlib;-dir= c:\\tex ;-no"), "c:\\tex");
  EXPECT_EQ(GetOption("-width", "-bmp;-width=256;-height=128"), "256");
  EXPECT_EQ(GetOption("-height", "-bmp;-width=256;-height=128"), "128");
  EXPECT_EQ(GetOption("-route", "-dir=x"), "");
}

TEST(GetOptionTest, AKeyWithoutEqualsSignTakesTheNextOnesValueOrItself) {
  EXPECT_EQ(GetOption("-bmp", "-bmp"), "-bmp");
  EXPECT_EQ(GetOption("-sub", "-sub;-dir=c:\\x"), "c:\\x");
  // The last character is never taken for the "=".
  EXPECT_EQ(GetOption("-mip", "-mip="), "-mip=");
}

}  // namespace
}  // namespace console
