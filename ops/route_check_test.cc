#include "ops/route_check.h"

#include <gmock/gmock.h>

#include "core/error.h"
#include "ops/ops_fixture.h"
#include "tests/standin/ace_writer.h"

namespace ops {
namespace {

using ::testing::Contains;
using ::testing::Not;

const std::string kShapes = kRoute + "SHAPES\\";

// Route R with one fault of each kind planted among shapes, textures and
// entries that are sound.
class RouteCheckTest : public ClearingFixture {
 protected:
  RouteCheckTest() {
    files.Add(kRoute + "carspawn.dat",
              test_support::UnicodeFile("SIMISA@@@@@@@@@@JINX0c1t______\r\n\r\n1\r\n"
                                        "CarSpawnerItem ( \"car.s\" 12 )\r\n"));
    files.Add(kRoute + "WORLD\\a.w",
              test_support::UnicodeFile(WorldText({"used.s", "Missing.s", "tokens.s", "MISSING.S",
                                                   "..\\..\\escape.s", "zipped.s"})));
    files.Add(kRoute + "WORLD\\b.w",
              Compressed(test_support::UnicodeFile(WorldText({"missing.s"}))));
    // Textures in any letter case; one only at night; one named twice.
    files.Add(
        kShapes + "used.s",
        test_support::UnicodeFile(ShapeText({"BRICK.ACE", "night.ace", "lost.ace", "brick.ace"})));
    files.Add(kShapes + "zipped.s", Compressed(test_support::UnicodeFile(ShapeText({"lost.ace"}))));
    files.Add(kShapes + "tokens.s", kBinary);
    tool_text = ShapeText({"tool.ace"});
    files.Add(kShapes + "lonely.s", test_support::UnicodeFile(ShapeText({"absent.ace"})));
    files.Add(kShapes + "nosd.s", "");
    for (const char* sd : {"used.sd", "zipped.sd", "tokens.sd", "lonely.sd"})
      files.Add(kShapes + sd, "");
    // Two copies that cannot be read, one of a texture that is there.
    const auto texture = [](int width) {
      return standin::WriteAce(standin::MakeImage(width, 4, [](int, int) { return 0xFFu; }), {});
    };
    files.Add(kRoute + "TEXTURES\\brick.ace", texture(4));
    files.Add(kRoute + "TEXTURES\\SNOW\\brick.ace", texture(6));
    files.Add(kRoute + "TEXTURES\\NIGHT\\Night.ace", texture(4).substr(0, 300));
    Choose(
        "Static ( FileName ( used.s ) )\r\nStatic ( FileName ( gone.s ) )\r\n"
        "Static ( FileName ( USED.S ) )\r\nStatic ( FileName ( lonely.s ) )\r\n"
        "Hazard ( FileName ( deer.haz ) )\r\n");
    main.log.Clear();
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

TEST_F(RouteCheckTest, EachFaultIsReportedOnceInItsSectionAndOffered) {
  ui.answers = {true};
  ui.saved = {"C:\\check.txt"};
  ClCheckClick(main, routes);
  const Lines report = {
      "Check of route R",
      "Shapes missing from SHAPES: 2",
      "  car.s (placements: 1, first in carspawn.dat)",
      "  Missing.s (placements: 3, first in a.w)",
      "Textures missing from TEXTURES: 2",
      "  lost.ace (first in used.s)",
      "  tool.ace (first in tokens.s)",
      "Textures only in a seasonal folder: 1",
      "  night.ace (in NIGHT\\; first in used.s)",
      "Textures that cannot be read: 2",
      "  NIGHT\\night.ace: the file is shorter than its size and channels require (first in "
      "used.s)",
      "  SNOW\\BRICK.ACE: its size 6x4 is no power of two up to 4096 (first in used.s)",
      "Entries whose shape is missing (Delete non-existent): 1",
      "  gone.s",
      "Shapes without an .sd file: 1",
      "  nosd.s",
      "Duplicate entries (Delete duplicates): 1",
      "Unused entries (Delete unused): 2",
      "Files that could not be read: 1",
      "  " + kShapes + "..\\..\\escape.s: the name leads out of the route and is not looked up",
  };
  Lines logged = {kShapes + "tokens.s: a block runs past the block or file holding it; read "
                           "through the editor tool"};
  logged.insert(logged.end(), report.begin(), report.end());
  logged.push_back("The report is saved to C:\\check.txt");
  EXPECT_EQ(Logged(), logged);
  // A fault for each section that lists one; seasonal textures, duplicates
  // and unused entries are none.
  EXPECT_EQ(main.log.failures(), 6u);
  std::string saved;
  for (const std::string& line : report) saved += line + "\r\n";
  EXPECT_EQ(files.Content("C:\\check.txt"), saved);
  // Only the shapes that are there are read, the binary one through the tool.
  EXPECT_EQ(Runs().size(), 1u);
  EXPECT_THAT(ui.progress[0], Contains("l:Search in tokens.s"));
  EXPECT_THAT(ui.progress[0], Not(Contains("l:Search in lonely.s")));

  // Asked before it replaces the file; refused through a link leading out
  // of its folder.
  ui.answers = {true, false};
  ui.saved = {"C:\\check.txt"};
  ClCheckClick(main, routes);
  EXPECT_EQ(ui.shown.back(), "Ask: The file already exists; replace? [C:\\check.txt]");
  files.AddLink("C:\\out\\report.txt", "C:\\elsewhere\\report.txt");
  EXPECT_THROW(SaveReport(main, "C:\\out\\report.txt", Route(), {}), core::Error);
  EXPECT_EQ(files.Content("C:\\elsewhere\\report.txt"), "<missing>");
}

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
           "Files that could not be read: 4",
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

}  // namespace
}  // namespace ops
