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
  // Only the first ")" counts; a line without one is all argument, as
  // "makeace a.tga" is end to end.
  EXPECT_EQ(ParseLine("shape(-dir=c:\\m) a (b) c").ArgumentText, "a (b) c");
  line = ParseLine("-dir=x) a.tga");
  EXPECT_EQ(line.CommandName, "");
  EXPECT_EQ(line.OptionText, "-dir=x");
}

TEST(OptionsTest, EachOptionIsFoundByItsOwnRule) {
  using O = OptionRule;
  const OptionRule rules[] = {{"-dir", O::kValue, O::kAnywhere}, {"-b", O::kFlag, O::kAnywhere},
                              {"-over", O::kFlag, O::kWhole},    {"-bat", O::kValue, O::kWhole}};
  // A flag found anywhere is on inside another option's value; a whole one
  // only on its own.
  const Options inside(rules, "-dir=c:\\my-box;-bat=c:\\take-over.bat");
  EXPECT_TRUE(inside.Has("-b"));
  EXPECT_FALSE(inside.Has("-over"));
  EXPECT_EQ(inside.Value("-dir"), "c:\\my-box");
  const Options bare(rules, " -over ;-bat");
  EXPECT_TRUE(bare.Has("-over"));
  EXPECT_EQ(bare.Given("-bat"), "");  // given without a value
  EXPECT_EQ(UnknownOptions(rules, "-dir=x;-overx; -zip=1;;-b"),
            (std::vector<std::string>{"-overx", "-zip"}));
}

// help writes "-mm=" and "class=": both are the same options, taken as
// whole options only (a folder named "classic" sets no class).
TEST(OptionsTest, TheSpellingsHelpShowsAreTheSameOptions) {
  using O = OptionRule;
  const OptionRule rules[] = {{"-dir", O::kValue, O::kAnywhere},
                              {"-class", O::kValue, O::kAnywhere, "class"},
                              {"-mip", O::kValue, O::kAnywhere, "-mm"}};
  const Options help(rules, "-dir=c:\\x;class=houses;-mm=-2");
  EXPECT_EQ(help.Value("-class"), "houses");
  EXPECT_EQ(help.Value("-mip"), "-2");
  EXPECT_EQ(Options(rules, "-dir=c:\\classic;-class=sheds").Value("-class"), "sheds");
  EXPECT_EQ(Options(rules, "-dir=c:\\classic").Given("-class"), std::nullopt);
  EXPECT_TRUE(UnknownOptions(rules, "class=a;-mm=1").empty());
  EXPECT_EQ(RepeatedOptions(rules, "-mip=1;-mm=2"), std::vector<std::string>{"-mip"});
}

}  // namespace
}  // namespace console
