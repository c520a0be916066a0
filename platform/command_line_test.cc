#include "platform/command_line.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

using Args = std::vector<std::string>;

TEST(SplitArgumentsTest, ToolLineWithSpacesInProgramAndQuotedOutput) {
  EXPECT_EQ(SplitArguments(R"(C:\Program Files\Tool\makeace.exe a.tga "C:\out dir\a.ace" -zlib)"),
            (Args{R"(C:\Program)", R"(Files\Tool\makeace.exe)", "a.tga",
                  R"(C:\out dir\a.ace)", "-zlib"}));
  EXPECT_EQ(SplitArguments(R"("C:\Program Files\Tool\makeace.exe" a.tga "C:\out dir\a.ace" -zlib)"),
            (Args{R"(C:\Program Files\Tool\makeace.exe)", "a.tga",
                  R"(C:\out dir\a.ace)", "-zlib"}));
}

TEST(SplitArgumentsTest, ProgramNameTakesNoEscapes) {
  EXPECT_EQ(SplitArguments(R"(C:\a\"b c)"), (Args{R"(C:\a\"b)", "c"}));
  EXPECT_EQ(SplitArguments(R"("C:\dir\"x y)"), (Args{R"(C:\dir\)", "x", "y"}));
  // The closing quote ends the name even when no blank follows.
  EXPECT_EQ(SplitArguments(R"("prog"arg)"), (Args{"prog", "arg"}));
  EXPECT_EQ(SplitArguments(R"("unterminated name)"), (Args{"unterminated name"}));
  EXPECT_EQ(SplitArguments("  x"), (Args{"", "x"}));
  EXPECT_EQ(SplitArguments(""), (Args{""}));
}

TEST(SplitArgumentsTest, BackslashesAndQuotes) {
  EXPECT_EQ(SplitArguments(R"(p a\\b a\b\ c\\)"), (Args{"p", R"(a\\b)", R"(a\b\)", R"(c\\)"}));
  EXPECT_EQ(SplitArguments(R"(p \"a \\"b c" \\\"d)"),
            (Args{"p", R"("a)", R"(\b c)", R"(\"d)"}));
  EXPECT_EQ(SplitArguments(R"(p "a\"b" \\\\"c d")"), (Args{"p", R"(a"b)", R"(\\c d)"}));
  EXPECT_EQ(SplitArguments(R"(p a"b c"d "e)"), (Args{"p", "ab cd", "e"}));
}

TEST(SplitArgumentsTest, DoubledQuotesInsideQuotedRun) {
  EXPECT_EQ(SplitArguments(R"(p "a""b c" """" """")"),
            (Args{"p", R"(a"b c)", R"(")", R"(")"}));
  EXPECT_EQ(SplitArguments(R"(p "" x "")"), (Args{"p", "", "x", ""}));
  // Outside a quoted run "" opens and closes one, giving nothing.
  EXPECT_EQ(SplitArguments(R"(p a""b)"), (Args{"p", "ab"}));
}

TEST(SplitArgumentsTest, BlanksAndTabsSeparate) {
  EXPECT_EQ(SplitArguments("p\ta \t b\t"), (Args{"p", "a", "b"}));
  EXPECT_EQ(SplitArguments("p \"a\tb\""), (Args{"p", "a\tb"}));
  EXPECT_EQ(SplitArguments("p   "), (Args{"p"}));
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
  EXPECT_EQ(TextAfterProgram(R"("C:\Program Filesastolin.exe"  makeace(-dir=c:	ex) a.tga)"),
            R"(makeace(-dir=c:	ex) a.tga)");
  EXPECT_EQ(TextAfterProgram(R"(rastolin.exe "help" )"), R"("help" )");
  EXPECT_EQ(TextAfterProgram(R"("rastolin.exe"-console)"), "-console");
  EXPECT_EQ(TextAfterProgram("rastolin.exe"), "");
  EXPECT_EQ(TextAfterProgram(R"("C:
o end)"), "");
}

}  // namespace
}  // namespace platform
