#include "platform/text.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(Utf16, RoundTripsCyrillicAndAstralCharacters) {
  const std::string text = "Мост_01.s \xF0\x9F\x9A\x82 ok";  // a train emoji
  std::string utf16 = Utf8ToUtf16Le(text);
  EXPECT_EQ(utf16.substr(0, 4), std::string("\x1C\x04\x3E\x04", 4));  // М о
  EXPECT_EQ(Utf16LeToUtf8(utf16), text);
}

TEST(Utf16, OddLastByteIsDroppedAndLoneSurrogatesAreReplaced) {
  EXPECT_EQ(Utf16LeToUtf8(std::string("A\0B", 3)), "A");
  EXPECT_EQ(Utf16LeToUtf8(std::string("\x00\xD8" "A\0", 4)), "\xEF\xBF\xBD" "A");
}

TEST(Utf16, BytesThatAreNotUtf8BecomeReplacementCharacters) {
  EXPECT_EQ(Utf8ToUtf16Le("a\xE9z"), std::string("a\0\xFD\xFFz\0", 6));
}

TEST(Utf16, TextsThatGrowMostConvertWhole) {
  // Lone surrogates take three bytes each in UTF-8, stray bytes two each in
  // UTF-16: the largest outputs for their input.
  std::string surrogates;
  for (int i = 0; i < 1000; ++i) surrogates += std::string("\x00\xDC", 2);
  std::string replaced;
  for (int i = 0; i < 1000; ++i) replaced += "\xEF\xBF\xBD";
  EXPECT_EQ(Utf16LeToUtf8(surrogates), replaced);
  std::string stray(1000, '\xFF');
  std::string expected;
  for (int i = 0; i < 1000; ++i) expected += "\xFD\xFF";
  EXPECT_EQ(Utf8ToUtf16Le(stray), expected);
  std::string astral;
  for (int i = 0; i < 1000; ++i) astral += "\xF0\x9F\x9A\x82";
  EXPECT_EQ(Utf16LeToUtf8(Utf8ToUtf16Le(astral)), astral);
  EXPECT_EQ(Utf8ToUtf16Le(""), "");
  EXPECT_EQ(Utf16LeToUtf8(""), "");
}

TEST(Case, LowersLatinAndCyrillicAndKeepsForeignBytes) {
  EXPECT_EQ(LowerCase("MAKEACE(-DXT) C:\\TEX\\A.TGA"), "makeace(-dxt) c:\\tex\\a.tga");
  EXPECT_EQ(LowerCase("ДОМ.3DS"), "дом.3ds");
  EXPECT_EQ(LowerCase("A\xC0Z"), "a\xC0z");
}

TEST(Case, ComparesWithoutRegardToCase) {
  EXPECT_TRUE(EqualsIgnoreCase("FileName", "filename"));
  EXPECT_TRUE(EqualsIgnoreCase("Вокзал.S", "вокзал.s"));
  EXPECT_FALSE(EqualsIgnoreCase("house.s", "house.sd"));
}

TEST(Case, OrdersNamesAsNtfsDoes) {
  EXPECT_TRUE(LessIgnoreCase("apple.s", "Banana.s"));
  EXPECT_TRUE(LessIgnoreCase("ab.s", "a_b.s"));
  EXPECT_TRUE(LessIgnoreCase("house.3ds", "House1.3ds"));
  EXPECT_FALSE(LessIgnoreCase("b", "A"));
}

}  // namespace
}  // namespace platform
