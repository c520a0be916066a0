#include "ops/route_check.h"

#include <gmock/gmock.h>

#include "core/error.h"
#include "tests/support/ops_fixture.h"
#include "ops/unused.h"

namespace ops {
namespace {

using ::testing::Contains;
using ::testing::Not;

const std::string kShapes = kRoute + "SHAPES\\";

// Route R with a binary shape placed, read through the editor tool.
class RouteCheckTest : public ClearingFixture {
 protected:
  RouteCheckTest() {
    files.Add(kRoute + "WORLD\\a.w", test_support::UnicodeFile(WorldText({"used.s", "tokens.s"})));
    files.Add(kShapes + "used.s", test_support::UnicodeFile(ShapeText({"brick.ace"})));
    files.Add(kShapes + "tokens.s", kBinary);
    tool_text = ShapeText({"tool.ace"});
    files.Add(kRoute + "TEXTURES\\brick.ace", "brick");
    Choose("Static ( FileName ( used.s ) )\r\n");
  }

  Lines Report() {
    SimisReader reader(main, Route());
    Lines lines;
    for (const ReportLine& line :
         ReportLines(main.language, CheckRoute(main, Route(), reader, *ui.ShowProgress())))
      lines.push_back(line.text);
    return lines;
  }
};

// What cannot be read is named with its reason, and what it would make
// wrong is not checked rather than reported.
TEST_F(RouteCheckTest, WhatCannotBeReadIsNamedAndWhatDependsOnItIsNotChecked) {
  const std::string not_checked = "not checked (see the files that could not be read)";
  files.Add(kRoute + "WORLD\\c.w", test_support::UnicodeFile(WorldText({"x.s"})).substr(0, 120));
  files.DeleteFile(kFfedit + "ffeditc_unicode.exe");
  files.Add(kRoute + "R.ref", test_support::UnicodeFile("SIMISA@@@@@@@@@@JINX0r1t______\r\n\r\n"
                                                        "Static ( FileName ( x.s )"));
  EXPECT_THROW(AddRouteChange(main, routes, 0), core::Error);
  Lines report = Report();
  for (const std::string& line : Lines{
           "Entries whose shape is missing (Delete non-existent): " + not_checked,
           "Duplicate entries (Delete duplicates): " + not_checked,
           "Unused entries (Delete unused): " + not_checked,
           "Files that could not be read: 3",
           "  " + kRoute +
               "R.ref ends inside an entry (the block beginning on line 3 is not "
               "closed) and is not read",
           "  " + kShapes + "tokens.s: cannot be read (a block runs past the block or file "
               "holding it, and " + kFfedit + "ffeditc_unicode.exe, which could read it, is "
               "missing)",
           "  " + kRoute + "WORLD\\c.w: ends inside a block (cut short)",
       }) {
    EXPECT_THAT(report, Contains(line));
  }
  EXPECT_THAT(report, Not(Contains("  tool.ace (first in tokens.s)")));
  EXPECT_TRUE(Runs().empty());

  files.MakeUnreadable(kShapes);
  report = Report();
  for (const std::string& line : Lines{
           "Shapes missing from SHAPES: " + not_checked,
           "Textures missing from TEXTURES: " + not_checked,
           "Shapes without an .sd file: " + not_checked,
           "  " + kShapes + ": the folder cannot be listed",
       }) {
    EXPECT_THAT(report, Contains(line));
  }
}

// A placed name points where the simulator opens it: a TrackObj's from
// GLOBAL\SHAPES, every other from the route's SHAPES; the unused search
// counts it from either base, and a file outside the route is looked up
// read only or, past the root or through a link out, not at all.
TEST_F(RouteCheckTest, EveryJobTakesANameToTheFileItOpens) {
  files.Add(kShapes + "x.s", test_support::UnicodeFile(ShapeText({"brick.ace"})));
  files.Add("C:\\MSTS\\GLOBAL\\SHAPES\\A1t10mStrt.s",
            test_support::UnicodeFile(ShapeText({"rails.ace", "gone.ace"})));
  files.Add("C:\\MSTS\\GLOBAL\\TEXTURES\\rails.ace", "");
  files.Add("C:\\MSTS\\ROUTES\\O\\SHAPES\\BAB\\o.s", test_support::UnicodeFile(ShapeText({})));
  files.Add("C:\\outside\\y.s", "");
  files.AddLink(kShapes + "linked", "C:\\outside");
  const std::string global = "C:\\MSTS\\GLOBAL\\SHAPES\\";
  const std::string other = "C:\\MSTS\\ROUTES\\O\\SHAPES\\BAB\\";
  const std::string out = ": the name leads out of the route and is not looked up";
  struct Row {
    const char* spelling;
    const char* block;
    const char* entry;    // a Static entry the placement makes used, or not
    bool used;
    std::string checked;  // a line of the route check's report
    bool dangling;        // removed by delunex, as a Static entry's name
    bool duplicate;       // of an entry naming x.s, by deldup
  };
  const Row rows[] = {
      {"x.s", "Static", "x.s", true, "Shapes missing from SHAPES: 0", false, true},
      {"SHAPES\\x.s", "Static", "x.s", true, "Shapes missing from SHAPES: 0", false, true},
      {"..\\..\\R\\SHAPES\\x.s", "Static", "x.s", true, "Shapes missing from SHAPES: 0", false,
       true},
      {"..\\..\\routes\\r\\shapes\\X.S", "TrackObj", "x.s", true,
       "Shapes missing from SHAPES: 0", true, false},
      {"A1t10mStrt.s", "TrackObj", "a1t10mstrt.s", true, "  " + global + " (shapes: 1)", true,
       false},
      {"..\\..\\..\\GLOBAL\\SHAPES\\a1t10mstrt.s", "Static", "A1t10mStrt.s", false,
       "  " + global + " (shapes: 1)", false, false},
      {"x.s", "TrackObj", "x.s", true,
       "  x.s (placements: 1, first in a.w) (looked for in " + global + ")", false, true},
      {"..\\..\\O\\SHAPES\\BAB\\o.s", "Static", "o.s", false, "  " + other + " (shapes: 1)",
       false, false},
      {"..\\..\\..\\..\\x.s", "Static", "x.s", false,
       "  " + kShapes + "..\\..\\..\\..\\x.s" + out, false, false},
      {"C:\\elsewhere\\x.s", "Static", "x.s", false, "  " + kShapes + "C:\\elsewhere\\x.s" + out,
       false, false},
      {"linked\\y.s", "Static", "y.s", false, "  " + kShapes + "linked\\y.s" + out, false, false},
  };
  auto place = [&](const std::string& block, const std::string& spelling) {
    files.Add(kRoute + "WORLD\\a.w",
              test_support::UnicodeFile("SIMISA@@@@@@@@@@JINX0w0t______\r\n\r\nTr_Worldfile (\r\n\t" +
                                        block + " (\r\n\t\tFileName ( " + spelling +
                                        " )\r\n\t)\r\n)\r\n"));
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.block) + " " + row.spelling);
    place(row.block, row.spelling);
    Choose("Static ( FileName ( " + std::string(row.entry) + " ) )\r\n");
    SimisReader reader(main, Route());
    const std::vector<std::string> unused = FindUnused(main, Route(), reader, *ui.ShowProgress());
    EXPECT_EQ(unused.empty(), row.used);
    EXPECT_THAT(Report(), Contains(row.checked));

    Choose("Static ( FileName ( x.s ) )\r\nStatic ( FileName ( " + std::string(row.spelling) +
           " ) )\r\n");
    EXPECT_EQ(Route().Nonexistent(), (route::Route::Removed{false, row.dangling}));
    EXPECT_EQ(Route().Duplicates(), (route::Route::Removed{false, row.duplicate}));
  }
  // The textures of a shape taken from GLOBAL\SHAPES are GLOBAL\TEXTURES'.
  place("TrackObj", "A1t10mStrt.s");
  EXPECT_THAT(Report(), Contains("  gone.ace (first in A1t10mStrt.s) (looked for in "
                                 "C:\\MSTS\\GLOBAL\\TEXTURES\\)"));
}

}  // namespace
}  // namespace ops
