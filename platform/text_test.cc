#include "platform/text.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include "platform/win32_api.h"
#endif

namespace platform {
namespace {

std::string Repeat(std::string_view piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

// Lone surrogates survive both ways as three-byte sequences; bytes that are
// not UTF-8 become U+FFFD. The long cases grow most in conversion.
TEST(Utf16, ConvertsWholeTextsAndKeepsLoneSurrogates) {
  const struct {
    std::string utf16, utf8;
    bool back;  // the UTF-8 text converts back to the same bytes
  } cases[] = {
      {std::string("\x1C\x04\x3E\x04.\0s\0 \0\x3D\xD8\x82\xDE", 14), "Мо.s \xF0\x9F\x9A\x82", true},
      {std::string("\x00\xD8" "A\0" "\x00\xDC" "\xFF\xDB", 8),
       "\xED\xA0\x80" "A" "\xED\xB0\x80" "\xED\xAF\xBF", true},
      {Repeat(std::string("\x00\xDC", 2), 1000), Repeat("\xED\xB0\x80", 1000), true},
      {"", "", true},
      {std::string("A\0B", 3), "A", false},  // the odd last byte
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf16LeToUtf8(c.utf16), c.utf8) << c.utf8;
    if (c.back) {
      EXPECT_EQ(Utf8ToUtf16Le(c.utf8), c.utf16) << c.utf8;
    }
  }
  EXPECT_EQ(Utf8ToUtf16Le("a\xE9z"), std::string("a\0\xFD\xFFz\0", 6));
  EXPECT_EQ(Utf8ToUtf16Le(std::string(1000, '\xFF')), Repeat("\xFD\xFF", 1000));
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
  EXPECT_EQ(LowerCase("ДОМ.3DS"), "дом.3ds");
  EXPECT_TRUE(EqualsIgnoreCase("Вокзал.S", "вокзал.s"));
  EXPECT_FALSE(EqualsIgnoreCase("house.s", "house.sd"));
  EXPECT_TRUE(EqualsIgnoreCase("A\xED\xB0\x80.s", "a\xED\xB0\x80.S"));
  EXPECT_FALSE(EqualsIgnoreCase("a\xED\xB0\x80.s", "a\xED\xB0\x81.s"));
  EXPECT_TRUE(LessIgnoreCase("ab.s", "a_b.s"));
  EXPECT_FALSE(LessIgnoreCase("b", "A"));
  // Past ASCII the upper-case forms decide: "Ж" is "ж" upper-cased.
  EXPECT_TRUE(LessIgnoreCase("abЖ", "ABжа"));
  EXPECT_FALSE(LessIgnoreCase("abжа", "ABЖ"));
}

}  // namespace
}  // namespace platform
