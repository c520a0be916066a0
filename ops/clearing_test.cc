#include "ops/clearing.h"

#include <gmock/gmock.h>

#include "core/error.h"
#include "ops/clearing_fixture.h"
#include "ops/unused.h"
#include "route/ref_file.h"
#include "route/text_file.h"

namespace ops {
namespace {

using ::testing::ThrowsMessage;

const std::string kFiveEntries =
    "Static ( Class ( Trees ) FileName ( a.s ) Description ( \"Big house\" ) )\r\n"
    "Hazard ( FileName ( b.haz ) )\r\nStatic ( Description ( x ) )\r\n"
    "Static ( FileName ( shed.s ) )\r\nStatic ( FileName ( e.s ) )\r\n";

using ClearingTest = ClearingFixture;

TEST_F(ClearingTest, TheEntryListShowsTheChosenProperties) {
  Choose(kFiveEntries);
  EXPECT_EQ(routes.ClShapes, (Lines{"Big house - a.s", " - b.haz", "x - ", " - shed.s", " - e.s"}));
  EXPECT_EQ(routes.ClShapesFocused, 0);
  EXPECT_EQ(routes.ClShapesSelected, std::vector<bool>(5, false));
  const std::pair<std::string, Lines> cases[] = {
      {"filename", {"a.s", "b.haz", "", "shed.s", "e.s"}},
      {"class  filename", {"Trees -  - a.s", " -  - b.haz", " -  - ", " -  - shed.s", " -  - e.s"}},
      {"DESCRIPTION", {"Big house", "", "x", "", ""}},
      {"", {"Big house", "", "x", "", ""}},  // an empty ClProps leaves the rows
  };
  for (const auto& [names, rows] : cases) {
    main.fields.ClProps = names;
    ClPropPrClick(main, routes);
    EXPECT_EQ(routes.ClShapes, rows) << names;
  }
}

TEST_F(ClearingTest, DeleteSelectedAsksBacksUpAndRemovesTheSelectedEntries) {
  Choose(kFiveEntries);
  files.Add(kRoute + "SHAPES\\a.s", "shape");
  routes.ClShapesSelected = {true, false, true, false, true};
  ClDeleteClick(main, routes);
  EXPECT_EQ(ui.shown, (Lines{"Ask: Delete files?", "Ask: Delete textures, used in shapes?"}));
  EXPECT_EQ(FileNames(), (Lines{"b.haz", "shed.s"}));
  EXPECT_EQ(routes.ClShapes, (Lines{" - b.haz", " - shed.s"}));
  EXPECT_EQ(route::ParseRef(route::ReadUnicodeText(files, kBackup + "R1.ref")).entries.size(), 5u);
  EXPECT_EQ(files.Content(kRoute + "R.ref"),
            route::UnicodeFileBytes(route::RefText(Route().Entries)));
  EXPECT_EQ(files.Content(kRoute + "SHAPES\\a.s"), "shape");

  // Nothing selected: still asked, backed up and written, nothing removed.
  ClDeleteClick(main, routes);
  EXPECT_EQ(ui.shown.size(), 4u);
  EXPECT_TRUE(files.FileExists(kBackup + "R2.ref"));
  EXPECT_EQ(Route().EntryCount(), 2);

  // With ClProps empty the rows stay, so they go with their entries.
  main.fields.ClProps.clear();
  routes.ClShapesSelected = {true, false};
  ClDeleteClick(main, routes);
  EXPECT_EQ(routes.ClShapes, (Lines{" - shed.s"}));
  EXPECT_EQ(FileNames(), (Lines{"shed.s"}));
}

TEST_F(ClearingTest, DeleteSelectedWithFilesReadsABinaryShapeThroughAWorkCopy) {
  Choose(kFiveEntries);
  files.Add(kRoute + "SHAPES\\shed.s", Compressed(kBinary));
  files.Add(kRoute + "TEXTURES\\brick.ace", "brick");
  files.Add(kFfedit + "shed.s", "the user's own");
  tool_text = ShapeText({"brick.ace"});
  routes.ClShapesSelected = {false, false, false, true, false};
  ui.answers = {true, true};
  ClDeleteClick(main, routes);
  EXPECT_EQ(Runs(), (Lines{kFfedit + "ffeditc_unicode.exe shed_1.s /u /o:shed_1.s | " + kFfedit}));
  EXPECT_EQ(Logged(),
            (Lines{"brick.ace: texture deleted", kRoute + "SHAPES\\shed.s: shape deleted"}));
  EXPECT_EQ(files.Content(kBackup + "SHAPES\\shed.s"), Compressed(kBinary));
  EXPECT_FALSE(files.FileExists(kFfedit + "shed_1.s"));
  EXPECT_EQ(files.Content(kFfedit + "shed.s"), "the user's own");
  EXPECT_EQ(FileNames(), (Lines{"a.s", "b.haz", "", "e.s"}));
}

TEST_F(ClearingTest, DuplicatesAndEntriesWithoutTheirShapeLeaveTheList) {
  Choose(
      "Static ( FileName ( a.s ) )\r\nStatic ( FileName ( A.S ) )\r\nStatic ( Class ( x ) "
      ")\r\nStatic ( )\r\n"
      "Static ( FileName ( a.s ) )\r\nHazard ( FileName ( h.haz ) )\r\nSTATIC ( FileName ( gone.s "
      ") )\r\n"
      "Static ( FileName ( sub\\in.s ) )\r\nStatic ( FileName ( sub\\out.s ) )\r\n");
  files.Add(kRoute + "SHAPES\\a.s", "");
  files.Add(kRoute + "SHAPES\\SUB\\IN.S", "");
  ClDuplicatesClick(main, routes);
  EXPECT_EQ(FileNames(), (Lines{"a.s", "", "", "h.haz", "gone.s", "sub\\in.s", "sub\\out.s"}));
  EXPECT_EQ(files.Content(kRoute + "R.ref"),
            route::UnicodeFileBytes(route::RefText(Route().Entries)));
  ClDelUnexClick(main, routes);
  const std::string written = files.Content(kRoute + "R.ref");
  EXPECT_EQ(written, route::UnicodeFileBytes(route::RefText(Route().Entries)));
  ClDelUnexClick(main, routes);
  EXPECT_EQ(files.Content(kRoute + "R.ref"), written);  // nothing removed, nothing written
  EXPECT_EQ(Logged(), (Lines{"Deleted A.S", "Deleted a.s", "Deleted 2 duplicated entries", "gone.s",
                             "sub\\out.s", "Deleted 2 unexisting file entries",
                             "Deleted 0 unexisting file entries"}));
  EXPECT_EQ(FileNames(), (Lines{"a.s", "", "", "h.haz", "sub\\in.s"}));
  EXPECT_EQ(routes.ClShapes.size(), 5u);
}

TEST_F(ClearingTest, EveryButtonRefusesARouteThatCouldNotBeRead) {
  using Button = void (*)(core::ConvMain&, RouteState&);
  const Button buttons[] = {ClDeleteClick, ClDuplicatesClick, ClDelUnexClick,
                            ClUnusedClick, ClDelUnnamedClick, ClShapesDblClick};
  for (Button button : buttons) button(main, routes);  // no route: nothing happens
  files.Add(kRoute + "R.ref", Compressed("x"));
  routes.AddRoute = {"R"};
  routes.ClShapes = {"stale"};
  EXPECT_THROW(AddRouteChange(main, routes, 0), core::Error);
  EXPECT_TRUE(routes.ClShapes.empty());
  // Rows that could only be stale must not reach the route either.
  routes.ClShapes = {"stale"};
  routes.ClShapesSelected = {true};
  routes.ClShapesFocused = 0;
  for (Button button : buttons) {
    EXPECT_THAT(
        [&] { button(main, routes); },
        ThrowsMessage<core::Error>(
            kRoute + "R.ref could not be read, so it is not written: its entries would be lost"));
  }
  EXPECT_TRUE(ui.shown.empty());
  EXPECT_TRUE(processes.runs.empty());
  EXPECT_EQ(files.Content(kRoute + "R.ref"), Compressed("x"));
  EXPECT_FALSE(files.FolderExists(kBackup));
}

TEST_F(ClearingTest, TheEditorAppliesItsRowsInOrderOnOkAndWritesOnEveryClose) {
  Choose(
      "Static ( FileName ( a.s ) )\r\nStatic ( FileName ( f.s ) Shadow ( NONE ) Class ( c ) Align "
      "( NONE ) )");
  const std::string as_written = route::UnicodeFileBytes(route::RefText(Route().Entries));
  routes.ClShapesFocused = 1;
  ui.edit_entry = [](core::EntryForm& form) {
    form.rfAddClick();
    form.block_type = "Hazard";
    return false;
  };
  ClShapesDblClick(main, routes);
  EXPECT_EQ(files.Content(kRoute + "R.ref"), as_written);  // Cancel changes nothing, yet writes

  ui.edit_entry = [](core::EntryForm& form) {
    EXPECT_EQ(form.rows.size(), 4u);
    form.DeleteRow(1);  // row 2 of 4: Shadow
    form.DeleteRow(2);  // row 3 of the 3 left: Align
    form.rows.insert(form.rows.end(),
                     {{"Shadow", "DYNAMIC"}, {"Description", "d"}, {"SHADOW", "ROUND"}});
    form.block_type = "Hazard";
    return true;
  };
  ClShapesDblClick(main, routes);
  EXPECT_EQ(ui.shown, (Lines{"Editor: Static", "Editor: Static"}));
  EXPECT_EQ(Route().Entries[1].ToRefText(),
            "Hazard (\r\n\tFileName ( f.s )\r\n\tClass ( c )\r\n"
            "\tSHADOW ( ROUND )\r\n\tDescription ( d )\r\n)\r\n");
  EXPECT_EQ(files.Content(kRoute + "R.ref"),
            route::UnicodeFileBytes(route::RefText(Route().Entries)));
  EXPECT_FALSE(files.FolderExists(kBackup));
  EXPECT_EQ(routes.ClShapes[1], " - f.s");  // the list is not refreshed
}

}  // namespace
}  // namespace ops
