#include "ops/route_check.h"

#include <gmock/gmock.h>

#include "tests/support/ops_fixture.h"
#include "ops/unused.h"

namespace ops {
namespace {

using ::testing::Contains;

const std::string kShapes = kRoute + "SHAPES\\";

class RouteCheckTest : public ClearingFixture {
 protected:
  Lines Report() {
    SimisReader reader(main, Route());
    Lines lines;
    for (const ReportLine& line :
         ReportLines(main.language, CheckRoute(main, Route(), reader, *ui.ShowProgress())))
      lines.push_back(line.text);
    return lines;
  }
};

// A placed name points where the simulator opens it: a TrackObj's from
// GLOBAL\SHAPES, every other from the route's SHAPES; the unused search
// counts it from either base, and a file outside the route is looked up
// read only or, past the root or through a link out, not at all.
TEST_F(RouteCheckTest, EveryJobTakesANameToTheFileItOpens) {
  files.Add(kShapes + "x.s", test_support::UnicodeFile(ShapeText({"brick.ace"})));
  files.Add("C:\\MSTS\\GLOBAL\\SHAPES\\A1t10mStrt.s",
            test_support::UnicodeFile(ShapeText({"rails.ace", "gone.ace"})));
  files.Add("C:\\MSTS\\GLOBAL\\TEXTURES\\rails.ace", "");
  files.AddFolder(kRoute + "TEXTURES");
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
              MstsFile("w0", "Tr_Worldfile (\r\n\t" + block + " (\r\n\t\tFileName ( " + spelling +
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
