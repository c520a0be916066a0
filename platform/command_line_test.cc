#include "platform/command_line.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

using Args = std::vector<std::string>;

TEST(SplitArgumentsTest, SplitsAsWindowsProgramsDo) {
  const struct {
    const char* line;
    Args args;
  } cases[] = {
      // The program name takes no escapes; its closing quote ends it even
      // when no blank follows.
      {R"(C:\a\"b c)", {R"(C:\a\"b)", "c"}},
      {R"("C:\dir\"x y)", {R"(C:\dir\)", "x", "y"}},
      {R"("unterminated name)", {"unterminated name"}},
      {"  x", {"", "x"}},
      {R"(p a\\b a\b\ c\\)", {"p", R"(a\\b)", R"(a\b\)", R"(c\\)"}},
      {R"(p \"a \\"b c" \\\"d)", {"p", R"("a)", R"(\b c)", R"(\"d)"}},
      {R"(p a"b c"d "e)", {"p", "ab cd", "e"}},
      // A doubled quote inside a quoted run is a quote; outside one, "" is nothing.
      {R"(p "a""b c" """" """")", {"p", R"(a"b c)", R"(")", R"(")"}},
      {"p\ta \t b\t", {"p", "a", "b"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitArguments(c.line), c.args) << c.line;
}

TEST(TextAfterProgramTest, KeepsTheTypedTextWithItsQuotes) {
  EXPECT_EQ(TextAfterProgram(R"("C:\Program Files\rastolin.exe"  makeace(-dir=c:\tex) a.tga)"),
            R"(makeace(-dir=c:\tex) a.tga)");
  EXPECT_EQ(TextAfterProgram(R"(rastolin.exe "help" )"), R"("help" )");
  EXPECT_EQ(TextAfterProgram(R"("rastolin.exe"-console)"), "-console");
  EXPECT_EQ(TextAfterProgram(R"("C:\no end)"), "");
}

}  // namespace
}  // namespace platform
