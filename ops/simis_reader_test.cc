#include "ops/simis_reader.h"

#include "ops/ops_fixture.h"

namespace ops {
namespace {

TEST(SimisReaderTest, EveryFormIsTextOrSaysWhyNot) {
  const std::string text = "SIMISA@@@@@@@@@@JINX0w0t______\r\nFileName ( д.s )";
  const std::string body = text.substr(16);  // what follows the signature: "JINX0w0t..."
  std::string huge_length = Compressed(test_support::UnicodeFile(text));
  huge_length.replace(8, 4, "\xFF\xFF\xFF\xFF");
  const std::string truncated = Compressed(test_support::UnicodeFile(text)).substr(0, 30);
  struct Case {
    std::string name;
    std::string bytes;
    SimisContent::Form form;
    std::string text;
  };
  const Case cases[] = {
      {"unicode", test_support::UnicodeFile(text), SimisContent::kText, text},
      {"unicode without its mark", platform::Utf8ToUtf16Le(text), SimisContent::kText, text},
      {"8-bit", text, SimisContent::kText, text},
      {"empty", "", SimisContent::kText, ""},
      {"binary", kBinary, SimisContent::kBinary, ""},
      {"compressed unicode", Compressed(test_support::UnicodeFile(text)), SimisContent::kText,
       text},
      {"compressed unicode body without mark", Compressed(platform::Utf8ToUtf16Le(body)),
       SimisContent::kText, body},
      {"compressed 8-bit body", Compressed(body), SimisContent::kText, body},
      {"compressed binary body", Compressed("JINX0w0b______\x47"), SimisContent::kBinary, ""},
      {"compressed tokens", Compressed(std::string("\x47\0\0\0", 4)), SimisContent::kBinary, ""},
      {"a length of gigabytes", huge_length, SimisContent::kDamaged, ""},
      {"a stream cut short", truncated, SimisContent::kDamaged, ""},
      {"not an MSTS file", "\x89PNG", SimisContent::kDamaged, ""},
  };
  for (const Case& c : cases) {
    SimisContent content = DecodeSimis(c.bytes);
    EXPECT_EQ(content.form, c.form) << c.name;
    EXPECT_EQ(content.text, c.text) << c.name;
  }
}

}  // namespace
}  // namespace ops
