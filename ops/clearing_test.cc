#include "ops/clearing.h"

#include <gmock/gmock.h>

#include <filesystem>

#include "core/error.h"
#include "ops/adding.h"
#include "tests/support/ops_fixture.h"
#include "ops/restore.h"
#include "ops/unused.h"
#include "route/ref_file.h"
#include "route/text_file.h"
#include "tests/support/temp_prefix.h"
#ifndef _WIN32
#include "platform/posix_file_system.h"
#endif

namespace ops {
namespace {

using ::testing::ThrowsMessage;

const std::string kFiveEntries =
    "Static ( Class ( Trees ) FileName ( a.s ) Description ( \"Big house\" ) )\r\n"
    "Hazard ( FileName ( b.haz ) )\r\nStatic ( Description ( x ) )\r\n"
    "Static ( FileName ( shed.s ) )\r\nStatic ( FileName ( e.s ) )\r\n";

using ClearingTest = ClearingFixture;

TEST_F(ClearingTest, DeleteSelectedReadsADamagedShapeThroughAWorkCopy) {
  Choose(kFiveEntries);
  files.Add(kRoute + "SHAPES\\shed.s", Compressed(kBinary));
  files.Add(kRoute + "TEXTURES\\brick.ace", "brick");
  files.Add(kFfedit + "shed.s", "the user's own");
  tool_text = ShapeText({"brick.ace"});
  routes.ClShapesSelected = {false, false, false, true, false};
  ui.answers = {true, true};
  ClDeleteClick(main, routes);
  EXPECT_EQ(Runs(), (Lines{"\"" + kFfedit +
                           "ffeditc_unicode.exe\" \"shed_1.s\" /u /o:\"shed_1.s\" | " + kFfedit}));
  EXPECT_EQ(Logged(), (Lines{kRoute + "SHAPES\\shed.s: a block runs past the block or file "
                                      "holding it; read through the editor tool",
                             kRoute + "SHAPES\\shed.s: shape deleted", "brick.ace: texture deleted",
                             "The files taken out lie in " + kRoute + "Rastolin_backups\\"}));
  EXPECT_EQ(files.Content(kBackup + "SHAPES\\shed.s"), Compressed(kBinary));
  EXPECT_FALSE(files.FileExists(kFfedit + "shed_1.s"));
  EXPECT_EQ(files.Content(kFfedit + "shed.s"), "the user's own");
}

TEST_F(ClearingTest, AShapeThatCannotMoveKeepsItsTexturesAndItsEntry) {
  Choose(kFiveEntries);
  files.Add(kRoute + "SHAPES\\shed.s", test_support::UnicodeFile(ShapeText({"brick.ace"})));
  files.Add(kRoute + "TEXTURES\\brick.ace", "brick");
  files.FailWritesTo(kRoute + "SHAPES\\shed.s");  // as in a read-only SHAPES
  main.fields.ClProps = "filename";
  ClPropPrClick(main, routes);
  routes.ClShapesSelected = {false, false, false, true, true};
  ui.answers = {true, true};
  ClDeleteClick(main, routes);
  EXPECT_EQ(Logged(),
            (Lines{kRoute + "SHAPES\\e.s: shape not found",
                   kRoute + "SHAPES\\shed.s: could not be moved into the backup folder"}));
  EXPECT_EQ(FileNames(), (Lines{"a.s", "b.haz", "", "shed.s"}));
  EXPECT_EQ(files.Content(kRoute + "TEXTURES\\brick.ace"), "brick");
}

// After each job row i shows entry i + 1, also while ClProps is empty and
// "Show" leaves the rows: a row must never stand for another entry. Entries
// without a name stay; a name with a folder is looked up there. The rest of
// both jobs is checked end to end.
TEST_F(ClearingTest, AfterEveryJobTheRowsAreTheEntries) {
  Choose(
      "Static ( Description ( n ) )\r\nStatic ( Description ( n ) )\r\n"
      "Static ( FileName ( a.s ) )\r\nStatic ( FileName ( A.S ) Description ( twin ) )\r\n"
      "Static ( FileName ( lost.s ) Description ( gone ) )\r\n"
      "Static ( FileName ( sub\\in.s ) Description ( kept ) )\r\n"
      "STATIC ( FileName ( sub\\out.s ) Description ( out ) )\r\n");
  files.Add(kRoute + "SHAPES\\a.s", "");
  files.Add(kRoute + "SHAPES\\SUB\\IN.S", "");
  main.fields.ClProps = "description";
  ClPropPrClick(main, routes);
  main.fields.ClProps.clear();
  ClDuplicatesClick(main, routes);
  EXPECT_EQ(routes.ClShapes, (Lines{"n", "n", "", "gone", "kept", "out"}));
  ClDelUnexClick(main, routes);
  EXPECT_EQ(routes.ClShapes, (Lines{"n", "n", "", "kept"}));
  EXPECT_EQ(routes.ClShapesSelected.size(), 4u);
  EXPECT_EQ(FileNames(), (Lines{"", "", "a.s", "sub\\in.s"}));
}

TEST_F(ClearingTest, AJobThatRemovesNothingLeavesTheRefUntouched) {
  Choose(kFiveEntries);
  files.Add(kRoute + "SHAPES\\a.s", "");
  files.Add(kRoute + "SHAPES\\shed.s", "");
  files.Add(kRoute + "SHAPES\\e.s", "");
  const std::optional<platform::FileStamp> before = files.Stamp(kRoute + "R.ref");
  ClDuplicatesClick(main, routes);
  ClDelUnexClick(main, routes);
  routes.ClShapesFocused = 0;
  ClDeleteClick(main, routes);  // no row selected
  EXPECT_EQ(files.Stamp(kRoute + "R.ref"), before);
  EXPECT_FALSE(files.FolderExists(kBackup));
  EXPECT_EQ(Logged(), (Lines{"Deleted 0 duplicated entries", "Deleted 0 unexisting file entries"}));
}

TEST_F(ClearingTest, TheEditorAppliesItsRowsOnOkRefusesNamesThatWouldNotReadBackAndWritesOnClose) {
  Choose(
      "Static ( FileName ( a.s ) )\r\nStatic ( FileName ( f.s ) Shadow ( NONE ) Class ( c ) Align "
      "( NONE ) )");
  const std::string as_read = files.Content(kRoute + "R.ref");
  routes.ClShapesFocused = 1;
  // Cancel after changes, and OK without any, leave the entry as it was read.
  for (bool ok : {false, true}) {
    ui.edit_entry = [ok](core::EntryForm& form) {
      if (!ok) form.block_type = "Hazard";
      return ok;
    };
    ClShapesDblClick(main, routes);
    EXPECT_EQ(files.Content(kRoute + "R.ref"), as_read);
  }

  ui.shown.clear();
  int opened = 0;
  ui.edit_entry = [&opened](core::EntryForm& form) {
    switch (++opened) {
      case 1:
        form.DeleteRow(1);  // row 2 of 4: Shadow
        form.DeleteRow(2);  // row 3 of the 3 left: Align
        form.rows.insert(form.rows.end(),
                         {{"Shadow", "DYNAMIC"}, {"Description", "d"}, {"File(Name", "x"}});
        form.block_type = "Sta(tic";
        return true;
      case 2:
        form.block_type = "COMMENT";
        return true;
      case 3:
        form.block_type = "Hazard";
        return true;
      default:
        form.rows[4] = {"SHADOW", "ROUND"};
        return true;
    }
  };
  ClShapesDblClick(main, routes);
  EXPECT_EQ(ui.shown,
            (Lines{"Editor: Static",
                   "Warning: The block type \"Sta(tic\" cannot be written: it must be one word, "
                   "without blanks, parentheses or quotes",
                   "Editor: Sta(tic",
                   "Warning: The block type \"COMMENT\" names the file's own blocks (include, "
                   "comment, skip, _...), not objects: the entry would leave the list",
                   "Editor: COMMENT",
                   "Warning: Row 5: the property name \"File(Name\" cannot be written: it must be "
                   "one word, without blanks, parentheses or quotes",
                   "Editor: Hazard"}));
  EXPECT_EQ(files.Content(kRoute + "R.ref"),
            test_support::UnicodeFile(
                "SIMISA@@@@@@@@@@JINX0r1t______\r\n\r\nStatic ( FileName ( a.s ) )\r\n"
                "Hazard (\r\n\tFileName ( f.s )\r\n\tClass ( c )\r\n"
                "\tSHADOW ( ROUND )\r\n\tDescription ( d )\r\n)"));
  EXPECT_FALSE(files.FolderExists(kBackup));
  EXPECT_EQ(routes.ClShapes[1], " - f.s");  // the list is not refreshed
}

#ifndef _WIN32
// A sparse file claims a size no job could hold; each is refused with its
// name instead of being allocated.
TEST(LargeFilesTest, AFileLargerThanAJobCanHoldIsRefusedNotAllocated) {
  test_support::TempPrefix prefix;
  platform::PosixFileSystem files(platform::DriveMap(prefix.prefix().string()), "C:\\");
  test_support::FakeProcesses processes;
  test_support::ScriptedUi ui;
  core::ConvMain main{files, processes, ui};
  main.language.SetTexts(core::kEnglish);
  main.fields.MSTSRoot = "C:\\MSTS";
  RouteState routes;
  routes.AddRoute = {"R"};
  const auto sparse = [&](const std::string& name) {
    prefix.Write(kRoute + name, "");
    std::filesystem::resize_file(prefix.Host(kRoute + name), uintmax_t{2} << 40);
    return ThrowsMessage<core::Error>(kRoute + name + " is larger than 512 MB and is not read");
  };
  EXPECT_THAT([&] { AddRouteChange(main, routes, 0); }, sparse("R.ref"));
  prefix.Write(kRoute + "R.ref", test_support::UnicodeFile("SIMISA@@@@@@@@@@JINX0r1t______\r\n\r\n"
                                                           "Static ( FileName ( shed.s ) )\r\n"));
  AddRouteChange(main, routes, 0);
  EXPECT_THAT([&] { ClUnusedClick(main, routes); }, sparse("WORLD\\w.w"));
}
#endif

// Another writer of the route, of this program or any other: the route is
// refused while another run holds it, and a copy read before the .ref
// changed is never written, by a job or the editor. A run killed while it
// replaced the .ref left its temporary file, which the next job removes.
TEST_F(ClearingTest, AnotherWriterOfTheRouteIsWaitedForAndAStaleCopyIsNeverWritten) {
  Choose("Static ( FileName ( a.s ) )\r\nStatic ( FileName ( b.s ) )\r\n");
  files.Add(kRoute + "SHAPES\\a.s", "a");
  route::Route other(RouteServices(main), "R", "C:\\MSTS");
  other.ReadRef();
  const auto refused = [&](void (*button)(core::ConvMain&, RouteState&), const std::string& why) {
    const std::string ref = files.Content(kRoute + "R.ref");
    routes.ClShapesSelected = {true, false};
    ui.answers = {true, true};
    EXPECT_THAT([&] { button(main, routes); }, ThrowsMessage<core::Error>(why));
    EXPECT_EQ(files.Content(kRoute + "R.ref"), ref);
    EXPECT_EQ(files.Content(kRoute + "SHAPES\\a.s"), "a");
  };
  {
    const route::Route::Writing holding(other);
    refused(ClDeleteClick,
            "Route R is being changed by another run of Rastolin, so nothing is done; try again "
            "when it has finished");
  }
  AddNamesToRef(main, other, {"c.s"});
  const std::string changed = "the route's .ref was changed by another program; choose the route again";
  refused(ClDeleteClick, changed);
  ui.edit_entry = [](core::EntryForm&) { return true; };
  refused(ClShapesDblClick, changed);
  AddRouteChange(main, routes, 0);
  files.Add(kRoute + ".R.ref.rastolin-tmp", "cut short");
  ClDuplicatesClick(main, routes);
  EXPECT_FALSE(files.FileExists(kRoute + ".R.ref.rastolin-tmp"));
}

// An empty .ref is one cut short: no shape of the route would count as
// named, so no clearing job or restore takes it; adding writes it anew.
TEST_F(ClearingTest, AnEmptyRefIsClearedByNoJobButTakesAShapeAdded) {
  files.Add(kRoute + "R.ref", "");
  files.Add("C:\\models\\x.s", "x");
  files.AddFolder(kRoute + "SHAPES");
  routes.AddRoute = routes.ClRoute = {"R"};
  AddRouteChange(main, routes, 0);
  const std::string empty = kRoute + "R.ref is empty, as a file cut short is, so the route is not "
                                     "cleared: every shape of it would count as named by no entry";
  for (auto button : {ClDelUnnamedClick, ClDelUnexClick, ClRestoreClick}) {
    EXPECT_THAT([&] { button(main, routes); }, ThrowsMessage<core::Error>(empty));
  }
  EXPECT_EQ(files.Content(kRoute + "R.ref"), "");
  main.fields.AddShapeFile = "C:\\models\\x.s";
  main.fields.AddClass = "Houses";
  main.fields.AddAddToRef = true;
  AddShapeToRoute(main, routes);
  EXPECT_EQ(FileNames(), Lines{"x.s"});
}

}  // namespace
}  // namespace ops
