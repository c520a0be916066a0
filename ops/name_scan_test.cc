#include "ops/name_scan.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/text.h"

namespace ops {
namespace {

// Each text is scanned in both widths behind 0 to 33 blanks, so that every
// unit falls at every place of a 16-unit block and at the partial block
// after the last whole one; wide text also 16 units at a time where the
// processor could take 32.
TEST(NameScanTest, FindsTheSameNamesWhereverTheBlocksFall) {
  struct Case {
    const char* text;
    std::vector<std::string> names;
    bool closed;
  };
  // Ĩ ĩ Ģ Ċ č are wide units whose low bytes are ( ) " LF CR.
  const Case cases[] = {
      {"Static ( FileName ( a.s ) FILENAME(b.s) filename \t\r\n ( c.s ) )",
       {" a.s ", "b.s", " c.s "},
       true},
      {"x ( FileName ( \"q(1).s\" ) )", {" \"q(1).s\" "}, true},
      // A quote ends at its line end: the ")" after it closes the block.
      {"FileName ( \"open.s\r\n) Filename ( z.s )", {" \"open.s\r\n", " z.s "}, true},
      {"FileNam ( a.s ) File Name ( c.s ) FileName ( b.s )", {" b.s "}, true},
      {"FileName ( a_shape_named_at_length.s ) FileName(b.s)",
       {" a_shape_named_at_length.s ", "b.s"},
       true},
      {"FileName ( Ĩĩ.s Ģ Ċč ) FileName ( (nested) x.s )", {" Ĩĩ.s Ģ Ċč ", " (nested) x.s "}, true},
      {"Tr_Worldfile ( Static ( FileName ( cut.s )", {" cut.s "}, false},
      {"FileName ( a.s", {}, false},
      {") ) FileName ( a.s )", {" a.s "}, true},
      // Long enough for whole blocks of nothing but depth between names.
      {"Tr_Worldfile ( Static ( UiD ( 7 ) Position ( -512.4 101.2 233.9 ) QDirection ( 0 0.7 0 "
       "0.7 ) FileName ( a.s ) VDbId ( 4294967295 ) ) Static ( Name ( \"FileName ( no.s )\" ) "
       "StaticFlags ( 00100000 ) fileNAME                                  ( b.s ) ) ) ) )",
       {" a.s ", " b.s "},
       true},
  };
  for (const Case& c : cases) {
    for (size_t pad = 0; pad <= 33; ++pad) {
      const std::string text = std::string(pad, ' ') + c.text;
      std::vector<std::string> narrow, wide, sixteen;
      const std::string utf16 = platform::Utf8ToUtf16Le(text);
      EXPECT_EQ(ScanFileNames<1>(text, [&](std::string_view raw) { narrow.emplace_back(raw); }),
                c.closed);
      EXPECT_EQ(ScanFileNames<2>(utf16, [&](std::string_view raw) { wide.emplace_back(raw); }),
                c.closed);
      const auto add = [&](std::string_view raw) { sixteen.emplace_back(raw); };
      EXPECT_EQ((ScanFileNames<2, false>(utf16, add)), c.closed);
      EXPECT_EQ(narrow, c.names) << c.text << " behind " << pad;
      for (std::string& name : wide) name = platform::Utf16LeToUtf8(name);
      EXPECT_EQ(wide, c.names) << c.text << " behind " << pad;
      for (std::string& name : sixteen) name = platform::Utf16LeToUtf8(name);
      EXPECT_EQ(sixteen, c.names) << c.text << " behind " << pad;
    }
  }
}

// Texts pieced together at random from what world files hold, and from
// what trips a scan (keywords cut short, quotes, unclosed and stray
// parentheses, long names, wide units whose low bytes are marks): the
// wide scan 32 units at a time, 16 at a time and the narrow scan of the
// same text agree on every name.
TEST(NameScanTest, AgreesOnRandomTextsInEveryWidthAndStep) {
  const std::vector<std::string> pieces = {
      "FileName ( ", "filename(", "FILENAME\t\r\n(", "FileNam", "File Name (", "file", "e", "(", ")",
      ") ", "\"", "\r\n", " ", "        ", "Shape_1186.s", "a_shape_whose_name_runs_past_32_units.s",
      "Static ( UiD ( 4 ) ", "Position ( -512.4 101.2 233.9 ) ", "Ĩ", "ĩ", "Ģ", "Ċ", "x.s",
      "FileName ( a.s ) ", "FileName ( \"b c.s\" ) "};
  std::mt19937 random(20261207);
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    const size_t count = 1 + random() % 120;
    for (size_t n = 0; n < count; ++n) text += pieces[random() % pieces.size()];
    const std::string utf16 = platform::Utf8ToUtf16Le(text);
    std::vector<std::string> narrow, wide, sixteen;
    const bool narrow_closed =
        ScanFileNames<1>(text, [&](std::string_view raw) { narrow.emplace_back(raw); });
    const bool wide_closed = ScanFileNames<2>(
        utf16, [&](std::string_view raw) { wide.push_back(platform::Utf16LeToUtf8(raw)); });
    const bool sixteen_closed = ScanFileNames<2, false>(
        utf16, [&](std::string_view raw) { sixteen.push_back(platform::Utf16LeToUtf8(raw)); });
    ASSERT_EQ(wide, sixteen) << text;
    ASSERT_EQ(wide, narrow) << text;
    ASSERT_EQ(wide_closed, sixteen_closed) << text;
    ASSERT_EQ(wide_closed, narrow_closed) << text;
  }
}

}  // namespace
}  // namespace ops
