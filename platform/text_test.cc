#include "platform/text.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include "platform/win32_api.h"
#endif

namespace platform {
namespace {

TEST(Utf16, RoundTripsCyrillicAndAstralCharacters) {
  const std::string text = "Мост_01.s \xF0\x9F\x9A\x82 ok";  // a train emoji
  std::string utf16 = Utf8ToUtf16Le(text);
  EXPECT_EQ(utf16.substr(0, 4), std::string("\x1C\x04\x3E\x04", 4));  // М о
  EXPECT_EQ(Utf16LeToUtf8(utf16), text);
}

TEST(Utf16, BrokenTextIsKeptWhereItCanBeAndReplacedWhereItCannot) {
  EXPECT_EQ(Utf16LeToUtf8(std::string("A\0B", 3)), "A");  // the odd last byte
  // A lead without its trail, a trail alone, and a lead at the very end.
  const std::string lone("\x00\xD8" "A\0" "\x00\xDC" "\xFF\xDB", 8);
  const std::string wtf8 = "\xED\xA0\x80" "A" "\xED\xB0\x80" "\xED\xAF\xBF";
  EXPECT_EQ(Utf16LeToUtf8(lone), wtf8);
  EXPECT_EQ(Utf8ToUtf16Le(wtf8), lone);
  EXPECT_EQ(Utf8ToUtf16Le("a\xE9z"), std::string("a\0\xFD\xFFz\0", 6));
}

TEST(Utf16, JoiningTextsJoinsTheSurrogatesThatMeet) {
  std::string text = "\xED\xA0\xBD" "\xED\xBA\x82" "x" "\xED\xB0\x80\xED\xA0\x80";
  JoinSurrogatePairs(text);
  // A lead then a trail make one character; a trail then a lead stay apart.
  EXPECT_EQ(text, "\xF0\x9F\x9A\x82" "x" "\xED\xB0\x80\xED\xA0\x80");
}

std::string Repeat(std::string_view piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

TEST(Utf16, TextsThatGrowMostConvertWhole) {
  // Lone surrogates take three bytes each in UTF-8, stray bytes two each in
  // UTF-16: the largest outputs for their input.
  const std::string surrogates = Repeat(std::string("\x00\xDC", 2), 1000);
  const std::string wtf8 = Repeat("\xED\xB0\x80", 1000);
  EXPECT_EQ(Utf16LeToUtf8(surrogates), wtf8);
  EXPECT_EQ(Utf8ToUtf16Le(wtf8), surrogates);
  EXPECT_EQ(Utf8ToUtf16Le(std::string(1000, '\xFF')), Repeat("\xFD\xFF", 1000));
  EXPECT_EQ(Utf8ToUtf16Le(""), "");
  EXPECT_EQ(Utf16LeToUtf8(""), "");
}

TEST(Utf16, AFileReadConvertsInTheBufferItWasReadInto) {
  // After the two bytes of the mark, ASCII makes room for characters that
  // outgrow their units (from U+0800 on); where it has not yet, the rest is
  // converted apart. Runs of ASCII go eight units at a time.
  const std::string euros = Repeat("€", 30);
  const std::string cases[] = {
      "€€€€ ok",
      "abcdefghijklmnopqrst" + euros + "x",
      "abcdefghijklmno" "Ж" "pqrstuvwxyz0123456789",
      "abcdefghijklmno" "\xF0\x9F\x9A\x82" "pqrstuvwxyz",
      "Static ( FileName ( \xED\xA0\x80.s ) )",
      "",
  };
  for (const std::string& text : cases) {
    for (const std::string odd : {"", "x"}) {
      std::string bytes = "\xFF\xFE" + Utf8ToUtf16Le(text) + odd;
      Utf16LeToUtf8InPlace(bytes, 2);
      EXPECT_EQ(bytes, text);
    }
  }
}

#ifdef _WIN32
TEST(EightBit, Utf8StaysAndAnythingElseIsTheAnsiCodePage) {
  EXPECT_EQ(EightBitToUtf8("Дуб большой.s"), "Дуб большой.s");
  // 0xC0 is А in Windows-1251 and À in Windows-1252.
  const UINT page = GetACP();
  if (page != 1251 && page != 1252) GTEST_SKIP() << "no expectation for code page " << page;
  EXPECT_EQ(EightBitToUtf8("\xC0."), page == 1251 ? "А." : "À.");
}
#else
TEST(EightBit, Utf8StaysAndAnythingElseIsWindows1251) {
  EXPECT_EQ(EightBitToUtf8("Дуб большой.s"), "Дуб большой.s");
  EXPECT_EQ(EightBitToUtf8("\xC4\xF3\xE1 \xE1\xEE\xEB\xFC\xF8\xEE\xE9"), "Дуб большой");
  // Every byte from 0x80 up, the one without a character included.
  EXPECT_EQ(EightBitToUtf8("\x80\x88\x98\xA8\xB9\xBF\xC0\xFF"), "Ђ€\u0098Ё№їАя");
  // A surrogate code is not UTF-8, so the bytes are 1251 text.
  EXPECT_EQ(EightBitToUtf8("\xED\xA0\x80"), "н\u00A0Ђ");
  EXPECT_EQ(EightBitToUtf8(""), "");
}
#endif

TEST(Case, LowersComparesAndOrdersLatinAndCyrillicAsNtfsDoes) {
  EXPECT_EQ(LowerCase("MAKEACE(-DXT) C:\\TEX\\A.TGA"), "makeace(-dxt) c:\\tex\\a.tga");
  EXPECT_EQ(LowerCase("ДОМ.3DS"), "дом.3ds");
  EXPECT_EQ(LowerCase("A\xC0Z"), "a\xC0z");
  EXPECT_EQ(LowerCase("Ж\xED\xA0\x80Ж"), "ж\xED\xA0\x80ж");
  EXPECT_TRUE(EqualsIgnoreCase("Вокзал.S", "вокзал.s"));
  EXPECT_FALSE(EqualsIgnoreCase("house.s", "house.sd"));
  EXPECT_TRUE(EqualsIgnoreCase("A\xED\xB0\x80.s", "a\xED\xB0\x80.S"));
  EXPECT_FALSE(EqualsIgnoreCase("a\xED\xB0\x80.s", "a\xED\xB0\x81.s"));
  EXPECT_TRUE(LessIgnoreCase("apple.s", "Banana.s"));
  EXPECT_TRUE(LessIgnoreCase("ab.s", "a_b.s"));
  EXPECT_TRUE(LessIgnoreCase("house.3ds", "House1.3ds"));
  EXPECT_FALSE(LessIgnoreCase("b", "A"));
  // Past ASCII the upper-case forms decide: "Ж" is "ж" upper-cased.
  EXPECT_TRUE(LessIgnoreCase("abЖ", "ABжа"));
  EXPECT_FALSE(LessIgnoreCase("abжа", "ABЖ"));
  EXPECT_TRUE(LessIgnoreCase("ABЖ", "abж"));
}

}  // namespace
}  // namespace platform
