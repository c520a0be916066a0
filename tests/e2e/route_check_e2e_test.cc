// The route check of the built program on the demo route: its report on
// the terminal and in the file it saves, and the route left as it was.
#include <filesystem>
#include <map>

#include "demo/demo_routes.h"
#include "tests/e2e/end_to_end.h"
#include "demo/ace_writer.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

// What the demo route names but does not have: its planted shape and
// texture and its texture cut short, besides the list shapes and the .sd
// files it always lacked. Its track piece is taken from GLOBAL\SHAPES.
const std::string kReport =
    "Check of route DemoLine\n"
    "Shapes missing from SHAPES: 5\n"
    "  Signal_Post.s (placements: 2, first in w-005980+014904.w)\n"
    "  spd_res.s (placements: 1, first in speedpost.dat)\n"
    "  spd_rest.s (placements: 1, first in speedpost.dat)\n"
    "  Truck.s (placements: 1, first in carspawn.dat)\n"
    "  Van.s (placements: 1, first in carspawn.dat)\n"
    "Shapes taken from outside the route: 1\n"
    "  C:\\MSTS\\GLOBAL\\SHAPES\\ (shapes: 1)\n"
    "Textures missing from TEXTURES: 1\n"
    "  porch.ace (first in Farmhouse.s)\n"
    "Textures only in a seasonal folder: 0\n"
    "Textures that cannot be read: 1\n"
    "  iron.ace: the file is shorter than its size and channels require (first in WaterTower.s)\n"
    "Entries whose shape is missing (Delete non-existent): 1\n"
    "  Shed_Lost.s\n"
    "Shapes without an .sd file: 9\n"
    "  A1t10mStrt.s\n  Car_Blue.s\n  milepost.s\n  Oak.s\n  Orphan_Hut.s\n  Pine.s\n"
    "  spd_sign.s\n  spd_warn.s\n  Telepole.s\n"
    "Duplicate entries (Delete duplicates): 1\n"
    "Unused entries (Delete unused): 2\n"
    "Files that could not be read: 0\n";

// Every file and folder below a folder, with its bytes.
std::map<fs::path, std::string> Tree(const fs::path& folder) {
  std::map<fs::path, std::string> tree;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
    tree[entry.path()] =
        entry.is_regular_file() ? test_support::ReadHostFile(entry.path()) : "<folder>";
  }
  return tree;
}

class RouteCheckEndToEnd : public EndToEnd {
 protected:
  RouteCheckEndToEnd() {
    Settings("1");
    demo::WriteRoutes(prefix.drive_c());
  }
};

TEST_F(RouteCheckEndToEnd, TheDemoRouteReportIsPrintedAndSavedAndTheRouteStaysAsItWas) {
  const fs::path route = prefix.Host("C:\\MSTS\\ROUTES\\DemoLine");
  const std::map<fs::path, std::string> before = Tree(route);
  ProgramRun run = Run({"checkroute(-route=demoline;-save=c:\\check.txt)"});
  // Faults found: a script learns it from the exit code.
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_EQ(run.output, kBanner + kReport + "The report is saved to c:\\check.txt\n" + kEnd);
  EXPECT_EQ(prefix.FromProgram(Read("C:\\check.txt")), test_support::Crlf(kReport));
  EXPECT_EQ(Tree(route), before);

  // Never into the route checked, whichever way the path reaches it.
  std::vector<std::string> inside = {"c:\\msts\\routes\\demoline\\demoline.ref"};
#ifndef _WIN32
  fs::create_symlink(route / "DemoLine.ref", prefix.Host("C:\\lnk.txt"));
  fs::create_directory_symlink(route / "SHAPES", prefix.Host("C:\\sl"));
  fs::create_directory_symlink(prefix.root(), route / "out");
  inside.insert(inside.end(), {"c:\\lnk.txt", "c:\\sl\\check.txt",
                               "c:\\msts\\routes\\demoline\\out\\check.txt"});
#endif
  const std::map<fs::path, std::string> linked = Tree(route);
  for (const std::string& target : inside) {
    ProgramRun refused = Run({"checkroute(-route=demoline;-save=" + target + ")"}, "y\n\n");
    EXPECT_EQ(refused.output,
              kBanner + kReport + target + " lies in the route being checked and is not written\n" +
                  kEnd)
        << target;
  }
  EXPECT_EQ(Tree(route), linked);
}

// A route as the route editor leaves it: its track pieces placed from
// GLOBAL\SHAPES, one of them a generated piece of its own SHAPES named by
// a path from there, and its scenery from its SHAPES. Nothing is missing,
// unread or unused.
TEST_F(RouteCheckEndToEnd, TrackPiecesAreTakenFromGlobalShapesAndNamesWithFoldersResolved) {
  const std::string route = "C:\\MSTS\\ROUTES\\Track\\";
  auto shape = [](const std::string& image) {
    return MstsFile("s1", "shape ( images ( 1 image ( " + image + " ) ) )\r\n");
  };
  prefix.Write("C:\\MSTS\\GLOBAL\\SHAPES\\A1t10mStrt.s", shape("rails.ace"));
  const std::string texture =
      standin::WriteAce(standin::MakeImage(4, 4, [](int, int) { return 0x808080FFu; }), {});
  prefix.Write("C:\\MSTS\\GLOBAL\\TEXTURES\\rails.ace", texture);
  prefix.Write(route + "carspawn.dat", MstsFile("c1", "0\r\n"));
  prefix.Write(route + "Track.ref", MstsFile("r1", "Static (\r\n\tFileName ( House.s )\r\n)\r\n"
                                                   "Static (\r\n\tFileName ( DynaTrax-1.s )\r\n)\r\n"));
  for (const char* name : {"House", "DynaTrax-1"}) {
    prefix.Write(route + "SHAPES\\" + name + ".s", shape("brick.ace"));
    prefix.Write(route + "SHAPES\\" + name + ".sd", "");
  }
  prefix.Write(route + "TEXTURES\\brick.ace", texture);
  prefix.Write(route + "WORLD\\w-000001+000001.w",
               MstsFile("w0", "Tr_Worldfile (\r\n"
                              "\tTrackObj ( UiD ( 1 ) FileName ( A1t10mStrt.s ) )\r\n"
                              "\tTrackObj ( UiD ( 2 ) FileName ( ../../ROUTES/Track/SHAPES/DynaTrax-1.s ) )\r\n"
                              "\tStatic ( UiD ( 3 ) FileName ( House.s ) )\r\n)\r\n"));
  ProgramRun check = Run({"checkroute(-route=track)"});
  EXPECT_EQ(check.exit_code, 1);
  EXPECT_EQ(check.output, kBanner +
                              "Check of route Track\n"
                              "Shapes missing from SHAPES: 0\n"
                              "Shapes taken from outside the route: 1\n"
                              "  C:\\MSTS\\GLOBAL\\SHAPES\\ (shapes: 1)\n"
                              "Textures missing from TEXTURES: 0\n"
                              "Textures only in a seasonal folder: 0\n"
                              "Textures that cannot be read: 0\n"
                              "Entries whose shape is missing (Delete non-existent): 0\n"
                              "Shapes without an .sd file: 0\n"
                              "Duplicate entries (Delete duplicates): 0\n"
                              "Unused entries (Delete unused): 0\n"
                              "Files that could not be read: 0\n" +
                              kEnd);
  ProgramRun unused = Run({"delunused(-route=track)"});
  // No row to choose from.
  EXPECT_EQ(unused.output,
            kBanner + "Select rows (1 3 5-7, all, none; empty to cancel): " + kEnd + "\n");
}

}  // namespace
}  // namespace e2e
