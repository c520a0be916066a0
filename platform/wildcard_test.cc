#include "platform/wildcard.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(Wildcard, MatchesWithoutRegardToCaseOneWholeCharacterAtATime) {
  const struct {
    const char* pattern;
    const char* name;
    bool matches;
  } cases[] = {
      {"*.TGA", "ground.tga", true},   {"*.tga", ".tga", true},
      // "*.*" takes every name, also one without a dot.
      {"*.*", "readme", true},         {"*.*", ".", true},
      {"*", "", true},
      {"house?.s", "House1.S", true},  {"house?.s", "house.s", false},
      // "?" is one UTF-8 character, however many bytes it takes.
      {"дом?.3ds", "дом1.3ds", true},  {"дом?.3ds", "ДОМЯ.3DS", true},
      {"дом?.3ds", "дом.3ds", false},  {"дом?.3ds", "домЯЯ.3ds", false},
      {"conv.ini", "conv.ini2", false},
      // Bytes that are not UTF-8 match only themselves.
      {"a?z", "a\xC0z", true},         {"a\xC0*", "A\xC0Z", true},
      {"a\xC1*", "a\xC0z", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MatchesWildcard(c.pattern, c.name), c.matches) << c.pattern << " " << c.name;
}

TEST(Wildcard, LongNamesDoNotBacktrackExponentially) {
  const std::string name(5000, 'a');
  EXPECT_FALSE(MatchesWildcard("*a*a*a*a*a*a*b", name));
  EXPECT_TRUE(MatchesWildcard("*a*a*a*a*a*a*", name));
}

}  // namespace
}  // namespace platform
