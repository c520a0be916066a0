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
      {R"("prog"arg)", {"prog", "arg"}},
      {R"("unterminated name)", {"unterminated name"}},
      {"  x", {"", "x"}},
      {"", {""}},
      {R"(p a\\b a\b\ c\\)", {"p", R"(a\\b)", R"(a\b\)", R"(c\\)"}},
      {R"(p \"a \\"b c" \\\"d)", {"p", R"("a)", R"(\b c)", R"(\"d)"}},
      {R"(p "a\"b" \\\\"c d")", {"p", R"(a"b)", R"(\\c d)"}},
      {R"(p a"b c"d "e)", {"p", "ab cd", "e"}},
      // A doubled quote inside a quoted run is a quote; outside one, "" is nothing.
      {R"(p "a""b c" """" """")", {"p", R"(a"b c)", R"(")", R"(")"}},
      {R"(p "" x "")", {"p", "", "x", ""}},
      {R"(p a""b)", {"p", "ab"}},
      {"p\ta \t b\t", {"p", "a", "b"}},
      {"p \"a\tb\"", {"p", "a\tb"}},
      {"p   ", {"p"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitArguments(c.line), c.args) << c.line;
}

using Candidates = std::vector<std::pair<std::string, std::string>>;

Candidates CandidatesOf(std::string_view line) {
  Candidates out;
  for (const ProgramCandidate& candidate : ProgramCandidates(line)) out.emplace_back(candidate.program, candidate.rest);
  return out;
}

TEST(ProgramCandidatesTest, AnUnquotedProgramIsTriedUpToEachBlankAQuotedOneIsTheQuotedText) {
  EXPECT_EQ(CandidatesOf(R"(  C:\Program Files\t.exe a "C:\out dir\a.ace")"),
            (Candidates{{R"(C:\Program)", R"( Files\t.exe a "C:\out dir\a.ace")"},
                        {R"(C:\Program Files\t.exe)", R"( a "C:\out dir\a.ace")"},
                        {R"(C:\Program Files\t.exe a)", R"( "C:\out dir\a.ace")"},
                        {R"(C:\Program Files\t.exe a "C:\out)", R"( dir\a.ace")"},
                        {R"(C:\Program Files\t.exe a "C:\out dir\a.ace")", ""}}));
  EXPECT_EQ(CandidatesOf("a  b"), (Candidates{{"a", "  b"}, {"a ", " b"}, {"a  b", ""}}));
  EXPECT_EQ(CandidatesOf(R"("C:\Program Files\t\tool" a "b c")"),
            (Candidates{{R"(C:\Program Files\t\tool)", R"( a "b c")"}}));
  EXPECT_EQ(CandidatesOf(R"("C:\no end)"), (Candidates{{R"(C:\no end)", ""}}));
  EXPECT_EQ(CandidatesOf(""), Candidates{});
  EXPECT_EQ(CandidatesOf(" \t "), Candidates{});
}

TEST(TextAfterProgramTest, KeepsTheTypedTextWithItsQuotes) {
  EXPECT_EQ(TextAfterProgram(R"("C:\Program Files\rastolin.exe"  makeace(-dir=c:\tex) a.tga)"),
            R"(makeace(-dir=c:\tex) a.tga)");
  EXPECT_EQ(TextAfterProgram(R"(rastolin.exe "help" )"), R"("help" )");
  EXPECT_EQ(TextAfterProgram(R"("rastolin.exe"-console)"), "-console");
  EXPECT_EQ(TextAfterProgram("rastolin.exe"), "");
  EXPECT_EQ(TextAfterProgram(R"("C:\no end)"), "");
}

}  // namespace
}  // namespace platform
