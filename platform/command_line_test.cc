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

TEST(ProgramCandidatesTest, UnquotedProgramIsTriedUpToEachBlank) {
  auto candidates =
      ProgramCandidates(R"(  C:\Program Files\Tool\makeace.exe a.tga "C:\out dir\a.ace" -zlib)");
  ASSERT_EQ(candidates.size(), 6u);
  EXPECT_EQ(candidates[0].program, R"(C:\Program)");
  EXPECT_EQ(candidates[0].rest, R"( Files\Tool\makeace.exe a.tga "C:\out dir\a.ace" -zlib)");
  EXPECT_EQ(candidates[1].program, R"(C:\Program Files\Tool\makeace.exe)");
  EXPECT_EQ(candidates[1].rest, R"( a.tga "C:\out dir\a.ace" -zlib)");
  EXPECT_EQ(candidates[2].program, R"(C:\Program Files\Tool\makeace.exe a.tga)");
  EXPECT_EQ(candidates[3].program, R"(C:\Program Files\Tool\makeace.exe a.tga "C:\out)");
  EXPECT_EQ(candidates[3].rest, R"( dir\a.ace" -zlib)");
  EXPECT_EQ(candidates[5].program,
            R"(C:\Program Files\Tool\makeace.exe a.tga "C:\out dir\a.ace" -zlib)");
  EXPECT_EQ(candidates[5].rest, "");
}

TEST(ProgramCandidatesTest, EveryBlankOfARunCounts) {
  auto candidates = ProgramCandidates("a  b");
  ASSERT_EQ(candidates.size(), 3u);
  EXPECT_EQ(candidates[0].program, "a");
  EXPECT_EQ(candidates[0].rest, "  b");
  EXPECT_EQ(candidates[1].program, "a ");
  EXPECT_EQ(candidates[1].rest, " b");
  EXPECT_EQ(candidates[2].program, "a  b");
}

TEST(ProgramCandidatesTest, QuotedProgramIsOnlyTheQuotedText) {
  auto candidates = ProgramCandidates(R"("C:\Program Files\t\tool" a "b c")");
  ASSERT_EQ(candidates.size(), 1u);
  EXPECT_EQ(candidates[0].program, R"(C:\Program Files\t\tool)");
  EXPECT_EQ(candidates[0].rest, R"( a "b c")");

  candidates = ProgramCandidates(R"("C:\no end)");
  ASSERT_EQ(candidates.size(), 1u);
  EXPECT_EQ(candidates[0].program, R"(C:\no end)");
  EXPECT_EQ(candidates[0].rest, "");
}

TEST(ProgramCandidatesTest, BlankLineHasNoProgram) {
  EXPECT_TRUE(ProgramCandidates("").empty());
  EXPECT_TRUE(ProgramCandidates(" \t ").empty());
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
