#include "formats/name_scan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text.h"

namespace formats {
namespace {

using Names = std::vector<std::string>;

// The names every path finds in a text, in UTF-8, and whether each says
// the text ends outside blocks; the paths must agree.
struct Found {
  Names names;
  bool closed;
};

Found EveryPath(const std::string& text, const std::string& context) {
  const std::string utf16 = platform::Utf8ToUtf16Le(text);
  auto narrow = [](Names& into) { return [&into](std::string_view raw) { into.emplace_back(raw); }; };
  auto wide = [](Names& into) {
    return [&into](std::string_view raw) { into.push_back(platform::Utf16LeToUtf8(raw)); };
  };
  Names defined, defined_wide, fast, fast_wide, sixteen;
  const bool closed = ScanFileNamesOneByOne<1>(text, narrow(defined));
  EXPECT_EQ(ScanFileNamesOneByOne<2>(utf16, wide(defined_wide)), closed) << context;
  EXPECT_EQ(ScanFileNames<1>(text, narrow(fast)), closed) << context;
  EXPECT_EQ(ScanFileNames<2>(utf16, wide(fast_wide)), closed) << context;
  EXPECT_EQ((ScanFileNames<2, false>(utf16, wide(sixteen))), closed) << context;
  EXPECT_EQ(defined_wide, defined) << context;
  EXPECT_EQ(fast, defined) << context;
  EXPECT_EQ(fast_wide, defined) << context;
  EXPECT_EQ(sixteen, defined) << context;
  return {defined, closed};
}

// Each text is scanned behind 0 to 33 blanks, so that every unit falls at
// every place of a 16- and a 32-unit step and at the partial step after
// the last whole one.
TEST(NameScanTest, FindsEveryFileNameByTheRulesOfTheTextForm) {
  struct Case {
    const char* text;
    Names names;
    bool closed;
  };
  // Ĩ ĩ Ģ Ċ č Ŝ are wide units whose low bytes are ( ) " LF CR \.
  const Case cases[] = {
      {"Static ( FileName ( a.s ) FILENAME(b.s) filename \t\r\n ( c.s ) )",
       {" a.s ", "b.s", " c.s "},
       true},
      {"x ( FileName ( \"q(1).s\" ) )", {" \"q(1).s\" "}, true},
      // \" is a quote inside a run, \\ a backslash.
      {"FileName ( \"12\\\" pipe.s\" ) FileName ( \"dir\\\\\" ) FileName ( \"a\\b.s\" )",
       {" \"12\\\" pipe.s\" ", " \"dir\\\\\" ", " \"a\\b.s\" "},
       true},
      // A quote ends at its line end: the ")" after it closes the block.
      {"FileName ( \"open.s\r\n) Filename ( z.s )", {" \"open.s\r\n", " z.s "}, true},
      // Only the whole keyword counts.
      {"FileNam ( a.s ) File Name ( c.s ) XFileName ( x.s ) FileNames ( y.s ) FileName ( b.s )",
       {" b.s "},
       true},
      {"Static(FileName(a.s))\"q\"FileName ( b.s )", {"a.s", " b.s "}, true},
      // Whatever block it stands in, comments too.
      {"comment ( Static ( FileName ( c.s ) ) ) _skip ( FileName ( d.s ) )", {" c.s ", " d.s "},
       true},
      {"FileName ( Ĩĩ.s Ģ ĊčŜ ) FileName ( (nested) x.s ) ŜFileName ( no.s )",
       {" Ĩĩ.s Ģ ĊčŜ ", " (nested) x.s "},
       true},
      {"Tr_Worldfile ( Static ( FileName ( cut.s )", {" cut.s "}, false},
      {"FileName ( a.s", {}, false},
      {") ) FileName ( a.s )", {" a.s "}, true},
      // Long enough for whole steps of nothing but depth between names.
      {"Tr_Worldfile ( Static ( UiD ( 7 ) Position ( -512.4 101.2 233.9 ) QDirection ( 0 0.7 0 "
       "0.7 ) FileName ( a.s ) VDbId ( 4294967295 ) ) Static ( Name ( \"FileName ( no.s )\" ) "
       "StaticFlags ( 00100000 ) fileNAME                                  ( b.s ) ) ) ) )",
       {" a.s ", " b.s "},
       true},
  };
  for (const Case& c : cases) {
    for (size_t pad = 0; pad <= 33; ++pad) {
      const std::string context = c.text + (" behind " + std::to_string(pad));
      const Found found = EveryPath(std::string(pad, ' ') + c.text, context);
      EXPECT_EQ(found.names, c.names) << context;
      EXPECT_EQ(found.closed, c.closed) << context;
    }
  }
}

}  // namespace
}  // namespace formats
