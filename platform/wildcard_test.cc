#include "platform/wildcard.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(Wildcard, StarMatchesAnyRunWithoutRegardToCase) {
  EXPECT_TRUE(MatchesWildcard("*.tga", "Ground.TGA"));
  EXPECT_TRUE(MatchesWildcard("*.TGA", "ground.tga"));
  EXPECT_TRUE(MatchesWildcard("*.tga", ".tga"));
  EXPECT_TRUE(MatchesWildcard("a*b*c", "aXXbYYc"));
  EXPECT_TRUE(MatchesWildcard("a*b*c", "abbbc"));
  EXPECT_FALSE(MatchesWildcard("*.tga", "ground.tga.bak"));
  EXPECT_FALSE(MatchesWildcard("*.s", "house.sd"));
  EXPECT_FALSE(MatchesWildcard("a*b*c", "acb"));
}

TEST(Wildcard, StarDotStarMatchesEveryNameAlsoWithoutADot) {
  EXPECT_TRUE(MatchesWildcard("*.*", "readme"));
  EXPECT_TRUE(MatchesWildcard("*.*", "a.b.c"));
  EXPECT_TRUE(MatchesWildcard("*.*", "."));
  EXPECT_TRUE(MatchesWildcard("*", ".."));
  EXPECT_TRUE(MatchesWildcard("*", ""));
}

TEST(Wildcard, QuestionMarkMatchesExactlyOneCharacter) {
  EXPECT_TRUE(MatchesWildcard("house?.s", "House1.S"));
  EXPECT_FALSE(MatchesWildcard("house?.s", "house.s"));
  EXPECT_FALSE(MatchesWildcard("house?.s", "house12.s"));
  EXPECT_TRUE(MatchesWildcard("??", "ab"));
  EXPECT_FALSE(MatchesWildcard("??", "abc"));
}

TEST(Wildcard, QuestionMarkMatchesOneWholeUtf8Character) {
  EXPECT_TRUE(MatchesWildcard("дом?.3ds", "дом1.3ds"));
  EXPECT_TRUE(MatchesWildcard("дом?.3ds", "ДОМЯ.3DS"));  // Я is two bytes
  EXPECT_FALSE(MatchesWildcard("дом?.3ds", "дом.3ds"));
  EXPECT_FALSE(MatchesWildcard("дом?.3ds", "домЯЯ.3ds"));
  EXPECT_TRUE(MatchesWildcard("?", "\xF0\x9F\x9A\x82"));  // one four-byte character
  EXPECT_TRUE(MatchesWildcard("Д*", "дом.s"));
}

TEST(Wildcard, NamePatternWithoutWildcardsMatchesThatNameInAnyCase) {
  EXPECT_TRUE(MatchesWildcard("Вокзал.S", "вокзал.s"));
  EXPECT_TRUE(MatchesWildcard("conv.ini", "CONV.INI"));
  EXPECT_FALSE(MatchesWildcard("conv.ini", "conv.ini2"));
  EXPECT_FALSE(MatchesWildcard("conv.ini", "conv.in"));
}

TEST(Wildcard, BytesThatAreNotUtf8MatchOnlyThemselves) {
  EXPECT_TRUE(MatchesWildcard("a?z", "a\xC0z"));
  EXPECT_TRUE(MatchesWildcard("a\xC0*", "A\xC0Z"));
  EXPECT_FALSE(MatchesWildcard("a\xC1*", "a\xC0z"));
}

TEST(Wildcard, LongNamesDoNotBacktrackExponentially) {
  const std::string name(5000, 'a');
  EXPECT_FALSE(MatchesWildcard("*a*a*a*a*a*a*b", name));
  EXPECT_TRUE(MatchesWildcard("*a*a*a*a*a*a*", name));
}

}  // namespace
}  // namespace platform
