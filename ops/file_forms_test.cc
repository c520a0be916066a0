// Every form a route's files come in gives every reader of them the same
// names, read in the process: no editor tool is installed.
#include <gtest/gtest.h>

#include <functional>

#include "ops/clearing.h"
#include "tests/support/ops_fixture.h"
#include "ops/route_check.h"
#include "ops/unused.h"
#include "demo/binary_tokens.h"

namespace ops {
namespace {

const std::string kShape =
    "SIMISA@@@@@@@@@@JINX0s1t______\r\n\r\nshape (\r\n\tshape_header ( 00000000 00000000 )\r\n"
    "\timages ( 3\r\n\t\timage ( brick.ace )\r\n\t\timage ( \"old roof.ace\" )\r\n"
    "\t\timage ( Крыша.ace )\r\n\t\timage ( brick.ace )\r\n\t)\r\n"
    "\ttextures ( 1\r\n\t\ttexture ( 0 0 -3 ff000000 )\r\n\t)\r\n)\r\n";
const std::string kWorld =
    "SIMISA@@@@@@@@@@JINX0w0t______\r\n\r\nTr_Worldfile (\r\n"
    "\tStatic (\r\n\t\tUiD ( 1 )\r\n\t\tFileName ( House.s )\r\n\t\tPosition ( 1 2 3 )\r\n\t)\r\n"
    "\tTrackObj (\r\n\t\tUiD ( 2 )\r\n\t\tSectionIdx ( 36 )\r\n\t\tFileName ( track.s )\r\n\t)\r\n"
    "\tStatic (\r\n\t\tUiD ( 3 )\r\n\t\tFileName ( \"Old Mill.s\" )\r\n\t)\r\n)\r\n";
const std::string kCarSpawn =
    "SIMISA@@@@@@@@@@JINX0c1t______\r\n\r\n2\r\nCarSpawnerItem ( \"car.s\" 12 )\r\n"
    "CarSpawnerItem ( Van.s 14 )\r\n";
const std::string kSpeedPost =
    "SIMISA@@@@@@@@@@JINX0p0t______\r\n\r\nSpeedpost_Set (\r\n\tName ( \"Metric\" )\r\n"
    "\tSpeed_Sign_Shape ( spd_sign.s 1 0 0 0 0 )\r\n)\r\n";

class FileFormsTest : public ClearingFixture {
 protected:
  FileFormsTest() {
    files.DeleteFile(kFfedit + "ffeditc_unicode.exe");
    Choose(
        "Static ( FileName ( house.s ) )\r\nStatic ( FileName ( old mill.s ) )\r\n"
        "Static ( FileName ( car.s ) )\r\nStatic ( FileName ( van.s ) )\r\n"
        "Static ( FileName ( unused.s ) )\r\n");
    files.Add(kRoute + "TEXTURES\\brick.ace", "brick");
  }

  // What each reader makes of the route's files: the unused search, the
  // route check and the textures a deleted shape takes along.
  Lines Readings() {
    SimisReader reader(main, Route());
    Lines seen = FindUnused(main, Route(), reader, *ui.ShowProgress());
    for (const ReportLine& line :
         ReportLines(main.language, CheckRoute(main, Route(), reader, *ui.ShowProgress())))
      seen.push_back(line.text);
    main.log.Clear();
    Route().DeleteEntry("house.s", false, true, reader);
    seen.insert(seen.end(), Logged().begin(), Logged().end());
    files.MoveFile(kBackup + "TEXTURES\\brick.ace", kRoute + "TEXTURES\\brick.ace");
    main.log.Clear();
    return seen;
  }
};

TEST_F(FileFormsTest, EveryFormGivesEveryReaderTheSameNames) {
  const std::pair<std::string, std::function<std::string(const std::string&)>> forms[] = {
      {"Unicode text", [](const std::string& text) { return test_support::UnicodeFile(text); }},
      {"8-bit text", [](const std::string& text) { return text; }},
      {"compressed text",
       [](const std::string& text) { return Compressed(test_support::UnicodeFile(text)); }},
      {"binary", standin::TokenFile},
      {"compressed binary", standin::CompressedTokenFile},
  };
  Lines expected;
  for (const auto& [form, bytes] : forms) {
    files.Add(kRoute + "SHAPES\\House.s", bytes(kShape));
    files.Add(kRoute + "SHAPES\\House.sd", "");
    files.Add(kRoute + "WORLD\\w-1.w", bytes(kWorld));
    files.Add(kRoute + "carspawn.dat", bytes(kCarSpawn));
    files.Add(kRoute + "speedpost.dat", bytes(kSpeedPost));
    const Lines seen = Readings();
    if (expected.empty()) {
      expected = seen;
      EXPECT_EQ(Lines(seen.begin(), seen.begin() + 8),
                (Lines{"unused.s", "Check of route R", "Shapes missing from SHAPES: 5",
                       "  car.s (placements: 1, first in carspawn.dat)",
                       "  Old Mill.s (placements: 1, first in w-1.w)",
                       "  spd_sign.s (placements: 1, first in speedpost.dat)",
                       "  track.s (placements: 1, first in w-1.w) (looked for in "
                       "C:\\MSTS\\GLOBAL\\SHAPES\\)",
                       "  Van.s (placements: 1, first in carspawn.dat)"}));
      EXPECT_EQ(Lines(seen.begin() + 8, seen.begin() + 12),
                (Lines{"Shapes taken from outside the route: 0",
                       "Textures missing from TEXTURES: 2", "  old roof.ace (first in House.s)",
                       "  Крыша.ace (first in House.s)"}));
      EXPECT_EQ(Lines(seen.end() - 3, seen.end()),
                (Lines{"brick.ace: texture deleted", "old roof.ace: texture not found",
                       "Крыша.ace: texture not found"}));
    }
    EXPECT_EQ(seen, expected) << form;
    EXPECT_TRUE(Runs().empty()) << form;
  }
}

}  // namespace
}  // namespace ops
