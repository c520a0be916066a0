#include "formats/simis.h"

#include <gtest/gtest.h>

#include "tests/support/msts_text.h"

namespace formats {
namespace {

using namespace std::string_literals;
using test_support::Compressed;
using test_support::UnicodeFile;

TEST(SimisFileTest, EveryFormIsToldFromItsFirstBytesAndOpened) {
  const std::string text = "SIMISA@@@@@@@@@@JINX0w0t______\r\nFileName ( д.s )";
  const std::string type_and_text = text.substr(16);  // "JINX0w0t...", as a body holds it
  const std::string tokens = "JINX0s1b______\r\n\x47\0\0\0\x04\0\0\0\0\0\0\0"s;
  const std::string ace = "\x01\0\0\0\x05\0\0\0"s;
  std::string huge = Compressed(UnicodeFile(text));
  huge.replace(8, 4, "\xFF\xFF\xFF\x7F");
  std::string short_length = Compressed(UnicodeFile(text));
  short_length.replace(8, 4, "\x10\0\0\0"s);
  struct Case {
    std::string name;
    std::string bytes;
    Form form;
    bool compressed;
    std::string body_or_text;  // Text() for a text form, else body()
    Fault fault = Fault::kNone;
  };
  const Case cases[] = {
      {"Unicode", UnicodeFile(text), Form::kUnicodeText, false, text},
      {"Unicode without its mark", platform::Utf8ToUtf16Le(text), Form::kUnicodeText, false, text},
      {"8-bit", text, Form::kEightBitText, false, text},
      {"tokens", "SIMISA@@@@@@@@@@" + tokens, Form::kTokens, false, tokens.substr(16)},
      {"no type line", "SIMISA@@@@@@@@@@" + ace, Form::kNoTypeLine, false, ace},
      {"no signature", "Static ( x )", Form::kPlain, false, "Static ( x )"},
      {"a UTF-8 mark", "\xEF\xBB\xBFStatic", Form::kPlain, false, "Static"},
      {"empty", "", Form::kPlain, false, ""},
      {"compressed Unicode", Compressed(UnicodeFile(text)), Form::kUnicodeText, true, text},
      {"compressed Unicode body without its mark", Compressed(platform::Utf8ToUtf16Le(type_and_text)),
       Form::kUnicodeText, true, type_and_text},
      {"compressed 8-bit", Compressed(type_and_text), Form::kEightBitText, true, type_and_text},
      {"compressed 8-bit with its signature", Compressed(text), Form::kEightBitText, true, text},
      {"compressed tokens", Compressed(tokens), Form::kTokens, true, tokens.substr(16)},
      {"compressed tokens with the signature", Compressed("SIMISA@@@@@@@@@@" + tokens),
       Form::kTokens, true, tokens.substr(16)},
      {"compressed, no type line", Compressed(ace), Form::kNoTypeLine, true, ace},
      {"a length shorter than the body", short_length, Form::kDamaged, true, "",
       Fault::kLongerThanStated},
      {"a length of gigabytes", huge, Form::kDamaged, true, "", Fault::kLengthTooLarge},
      {"a stream cut short", Compressed(UnicodeFile(text)).substr(0, 30), Form::kDamaged, true, "",
       Fault::kStreamCut},
      {"no stream", "SIMISA@F\x10\0\0\0@@@@garbage"s, Form::kDamaged, true, "",
       Fault::kStreamBroken},
      {"a header cut short", "SIMISA@F\x10\0", Form::kDamaged, true, "", Fault::kBadHeader},
  };
  for (const Case& c : cases) {
    const SimisFile file(c.bytes);
    EXPECT_EQ(file.form(), c.form) << c.name;
    EXPECT_EQ(file.compressed(), c.compressed) << c.name;
    EXPECT_EQ(file.fault(), c.fault) << c.name;
    const bool text_form = c.form == Form::kUnicodeText || c.form == Form::kEightBitText ||
                           c.form == Form::kPlain;
    EXPECT_EQ(text_form ? file.Text() : std::string(file.body()), c.body_or_text) << c.name;
  }
  const SimisFile shape(Compressed(tokens));
  EXPECT_EQ(shape.type(), "JINX0s1b______");
  EXPECT_EQ(shape.table(), 's');
}

}  // namespace
}  // namespace formats
